#include "tests/module/IniStorageReset.h"

#include "module/options/IniBuffer.h"
#include "module/options/IniStorageState.h"

void ResetIniStorageForTests() {
    // Formatting values kept by chains must not outlive the storage they came from.
    CIniBuffer::NoteChange();
    CIniBuffer::NoteValueChange();
    IniStorageState() = IniState();
}
