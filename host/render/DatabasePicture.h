#pragma once
// A picture of a drawing: its model space drawn in draw order through the same
// world-draw calls the screen gets, with layer colours, line weights and the
// layers that are off or frozen left out.
#include "host/gi/GiPrimitive.h"
#include "host/render/RenderOptions.h"

#include <string>
#include <vector>

class AcDbDatabase;

namespace host::render {

// An entity reaching farther from the origin than this is left out of a picture:
// beside it everything else would shrink to nothing, and at 1e308 the picture's size
// is no longer a number. Plans in millimetres with survey coordinates stay below 1e10.
constexpr double kMaxDrawnCoordinate = 1e12;

// Records every visible entity of the model space, first drawn first. plotting:
// the entities see a plot being made (text masks are white). False with a message
// when there is no database or no model space. notes, when given, gets a line for
// each thing the picture leaves out (entities beyond kMaxDrawnCoordinate, blocks
// beyond the nesting limits, the ends of overlong texts); the drawing is unchanged.
bool recordModelSpace(AcDbDatabase* db, host::gi::GiRecording& out, std::wstring& error,
                      bool plotting = true, std::vector<std::wstring>* notes = nullptr);

// How a layer looks: its colour and line weight; not visible when off or frozen.
// A layer that cannot be opened looks like the default.
LayerLook layerLookOf(AcDbStub* layerId);
// A linetype's dash pattern; ByLayer (and a null id) say so, ByBlock and
// Continuous draw continuous.
LinetypeLook linetypeLookOf(AcDbStub* linetypeId);

// The model space to a PNG, SVG or PDF file; options.layerLook and
// options.linetypeLook (with the drawing's $LTSCALE) are filled in when the caller
// left them empty. `notes` name what the picture leaves out; `sizeNote` is
// renderToFile's word on the size it chose.
bool renderDatabaseToFile(AcDbDatabase* db, const std::wstring& path, RenderOptions options,
                          std::wstring& error, std::vector<std::wstring>* notes = nullptr,
                          std::wstring* sizeNote = nullptr);

} // namespace host::render
