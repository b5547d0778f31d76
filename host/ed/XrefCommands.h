#pragma once
// The host's commands that attach another drawing as an external reference:
//   -XREF    [Attach/Overlay] <Attach>, then as XATTACH
//   XATTACH  the drawing's file name (a drawing of this host or a DXF file), the insertion point, the X scale <1>, the Y
//            scale <X scale> and the rotation in degrees <0>: the drawing's model
//            space becomes the block named after the file (acdbXref.h), and a
//            reference to it goes to the point
// A file that is missing or cannot be read, the drawing itself, a name taken by
// another block, a zero scale or a cancelled prompt are refused with a message and
// nothing changes.
namespace host {

// Adds the commands to the host's command stack. Later calls change nothing.
void registerXrefCommands();

} // namespace host
