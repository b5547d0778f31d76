#pragma once
// The reason the last readDwgFile or saveAs failed, in words a user understands
// ("... is damaged at byte 1234: ..."). The drawing-file code that serves those
// calls leaves it here, so that the document layer, which knows only the database,
// can tell the user more than an error status.
#include <string>

namespace host {

void setDrawingFileMessage(std::wstring message);
// After a read that succeeded: notices the user should see (objects kept as
// proxies), else empty; after a save that succeeded: empty.
const std::wstring& drawingFileMessage();

} // namespace host
