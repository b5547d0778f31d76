#include "tests/module/IniStorageReset.h"

#include "module/options/IniStorageState.h"

void ResetIniStorageForTests() {
    IniStorageState() = IniState();
}
