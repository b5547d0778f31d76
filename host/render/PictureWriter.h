#pragma once
// Writes a picture of recorded primitives to a PNG, SVG or PDF file, chosen by the
// file's extension. The file is written beside the target and renamed over it at
// the end, so a failed picture never leaves a half file or spoils an old one.
#include "host/gi/GiPrimitive.h"
#include "host/render/RenderOptions.h"

#include <string>

namespace host::render {

// False with a message for an unknown extension, a path that cannot be written or
// a window of no size. A PNG is made small enough for RenderOptions::kMaxPixels;
// `note` (may be null) then says which size it got, and is empty otherwise.
bool renderToFile(const host::gi::GiRecording& primitives, const std::wstring& path,
                  const RenderOptions& options, std::wstring& error, std::wstring* note = nullptr);

// The window a picture of these primitives shows: the options' window, or the
// extents with the margin; a drawing with nothing in it shows 0,0 - 100,100.
bool renderWindow(const host::gi::GiRecording& primitives, const RenderOptions& options, double& x1,
                  double& y1, double& x2, double& y2, std::wstring& error);

} // namespace host::render
