#pragma once
// What opening a drawing does with its external references: each is read again from
// its file, so a file changed since the drawing was saved shows its new content. A
// file that is missing or cannot be read leaves the block as it was saved. One line
// per reference joins the drawing-file message (DrawingFileMessage.h), which the
// caller of the open shows: loaded from where, or why it kept what was saved. The
// reload is no change of the drawing: it is not undone and does not mark the drawing
// modified.
class AcDbDatabase;

namespace host::ap {

void reloadXrefsAtOpen(AcDbDatabase* db);

} // namespace host::ap
