#pragma once
// The host's commands on drawing files: NEW, OPEN, QSAVE, SAVE, SAVEAS and CLOSE.
// They ask on the command line (as the host does with FILEDIA off), and replacing
// another existing drawing or dropping unsaved changes is confirmed in a message
// box first.
#include <string>

namespace host::ap {

// Adds the commands to the host's command stack; later calls do nothing.
void registerDocumentCommands();

// A typed drawing name as a path: blanks and quotes around it removed; ".dwg"
// added to a name without an extension (for opening, only when the name as typed
// is no existing file).
std::wstring drawingPathFromInput(const std::wstring& typed, bool forOpening);

} // namespace host::ap
