#pragma once
// A picture of a drawing: its model space drawn in draw order through the same
// world-draw calls the screen gets, with layer colours, line weights and the
// layers that are off or frozen left out.
#include "host/gi/GiPrimitive.h"
#include "host/render/RenderOptions.h"

#include <string>

class AcDbDatabase;

namespace host::render {

// Records every visible entity of the model space, first drawn first. plotting:
// the entities see a plot being made (text masks are white). False with a message
// when there is no database or no model space.
bool recordModelSpace(AcDbDatabase* db, host::gi::GiRecording& out, std::wstring& error,
                      bool plotting = true);

// How a layer looks: its colour and line weight; not visible when off or frozen.
// A layer that cannot be opened looks like the default.
LayerLook layerLookOf(AcDbStub* layerId);
// A linetype's dash pattern; ByLayer (and a null id) say so, ByBlock and
// Continuous draw continuous.
LinetypeLook linetypeLookOf(AcDbStub* linetypeId);

// The model space to a PNG, SVG or PDF file; options.layerLook and
// options.linetypeLook (with the drawing's $LTSCALE) are filled in when the caller
// left them empty.
bool renderDatabaseToFile(AcDbDatabase* db, const std::wstring& path, RenderOptions options,
                          std::wstring& error);

} // namespace host::render
