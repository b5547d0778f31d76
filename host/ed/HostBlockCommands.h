#pragma once
// The host's block commands, as far as drawings of the add-on need them:
//   BLOCK   a new block's name, its base point and its objects; the objects move into
//           the block's definition (copied there, the originals erased)
//   INSERT  a block's name and the insertion point: a reference to the block, scale 1
//           and no rotation; the block's objects stay as they were defined
// A name that is empty, already used (BLOCK) or unknown (INSERT) is refused with a
// message and nothing changes.
namespace host {

// Adds the commands to the host's command stack. Later calls change nothing.
void registerBlockCommands();

} // namespace host
