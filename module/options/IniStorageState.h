#pragma once
// The INI storage's state, one per run: the two buffers, the paths found and the
// counters. IniStorage.cpp works on it; the tests' fresh start
// (tests/module/IniStorageReset.h) puts a new one in its place. Nothing else touches it.
#include "module/options/IniBuffer.h"

#include <cstddef>
#include <set>
#include <string>

struct IniState {
    CIniBuffer mainBuffer;
    CIniBuffer otherBuffer;
    std::wstring mainPath;
    std::wstring folder;
    std::size_t diskReads = 0;
    std::size_t diskWrites = 0;
    // Files that could not be created with defaults: tried once per run, not on every read.
    std::set<std::wstring> defaultsFailed;
    // Messages about unwritable places are shown once per place and run.
    std::set<std::wstring> reported;
};

// Never destroyed: the buffers are saved by the module's final unload, which may run
// after the static objects of the storage are gone.
IniState& IniStorageState();
