#pragma once
// The host's own commands for the view and the coordinate system:
//   UCS   World (also Enter), a new origin (a point, or Origin), a rotation about Z,
//         and Previous
//   ZOOM  Extents or All (everything visible), Window (two corners, or two points
//         given straight away) and Center (a point and a height)
namespace host {
// Adds them to the host's command stack; calling it again changes nothing.
void registerInputCommands();
} // namespace host
