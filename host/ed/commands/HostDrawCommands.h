#pragma once
// The host's own drawing commands, as its command line offers them:
//   LINE    first point, then next points (Undo, Close); each segment is a line
//   CIRCLE  centre and radius (or Diameter)
//   ARC     start, second and end point
//   PLINE   start point, then points; Arc and Line switch the kind of segment that
//           follows, arc segments continue tangentially; Close, Undo
//   TEXT    start point, height, rotation, one line of text (also DTEXT)
//   MTEXT   two corners, then lines of text until an empty one
//   LAYER   Make, Set, New, ON, OFF, Color, Freeze, Thaw, LOck, Unlock, ? (also -LAYER)
//   ERASE   erases the selected objects
//   LIST    lists the selected objects
//   U, UNDO, OOPS, REGEN, REDRAW (see UndoCommands.h)
// New entities go to model space on the current layer, with the current properties.
// Every command runs inside an undo group of the working database, so U takes back
// what the last command appended, erased or changed.
namespace host {

// Adds the commands, the undo groups around every command and the CLAYER variable
// (read from and written to the working database). Later calls change nothing.
void registerDrawCommands();

} // namespace host
