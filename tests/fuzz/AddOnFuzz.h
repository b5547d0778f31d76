#pragma once
// The add-on loaded into the fuzz targets as the host loads it, in a scratch
// settings folder of its own (removed when the process ends), so that its classes
// (chains, height marks) are registered and its commands answer.
#include "host/ap/AcApDocManager.h"
#include "host/db/database/AcDbDatabase.h"
#include "host/db/database/AcDbHostApplicationServices.h"
#include "host/db/database/DatabaseClasses.h"
#include "host/rx/AcRxDynamicLinker.h"
#include "module/app/LintaroApp.h"
#include "module/options/IniStorage.h"
#include "tests/module/IniStorageReset.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include <unistd.h>

namespace fuzz {

inline constexpr const wchar_t* kAddOnModule = L"lintaro.arx";

// The scratch folder: appdata/, tmp/ and module/ below it, set as APPDATA, TMPDIR and
// LINTARO_MODULE_DIR. Made on the first call.
inline const std::filesystem::path& scratchFolder() {
    static const std::filesystem::path root = [] {
        // In memory where the system offers it: the add-on syncs every settings write,
        // which on a disk costs more than the run itself.
        std::error_code ec;
        const std::filesystem::path base = ::access("/dev/shm", W_OK) == 0 && std::filesystem::is_directory("/dev/shm", ec)
                                               ? std::filesystem::path("/dev/shm")
                                               : std::filesystem::temp_directory_path();
        std::string pattern = (base / "lintaro-fuzz-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) std::abort();
        const std::filesystem::path p = pattern;
        for (const char* sub : {"appdata", "tmp", "module"}) std::filesystem::create_directories(p / sub);
        ::setenv("APPDATA", (p / "appdata").c_str(), 1);
        ::setenv("TMPDIR", (p / "tmp").c_str(), 1);
        ::setenv("LINTARO_MODULE_DIR", (p / "module").c_str(), 1);
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(scratchFolder(), ec);
        });
        return p;
    }();
    return root;
}

// Settings as on a first start: the add-on's INI files as its first load wrote them
// (made once, then copied back: writing them afresh costs a synced write per value).
inline void freshSettings() {
    const std::filesystem::path appdata = scratchFolder() / "appdata";
    const std::filesystem::path first = scratchFolder() / "first-start";
    std::error_code ec;
    std::filesystem::remove_all(appdata, ec);
    if (std::filesystem::exists(first)) {
        std::filesystem::copy(first, appdata, std::filesystem::copy_options::recursive, ec);
        ResetIniStorageForTests();
        return;
    }
    std::filesystem::create_directories(appdata, ec);
    ResetIniStorageForTests();
    host::registerDatabaseClasses();
    AcDbDatabase db;
    acdbHostApplicationServices()->setWorkingDatabase(&db);
    // In the host the document manager exists before any module loads; made first
    // here, it cannot replace the drawing handed to the module with its own empty
    // list when the module first asks for it.
    (void)acDocManager;
    acrxDynamicLinker->setOpenDrawingsProvider([] { return std::vector<void*>{nullptr}; });
    if (acrxDynamicLinker->loadModule(kAddOnModule, &acrxEntryPoint, false, &lintaroModuleExit))
        acrxDynamicLinker->unloadAllForQuit();
    acrxDynamicLinker->setOpenDrawingsProvider(nullptr);
    acdbHostApplicationServices()->setWorkingDatabase(nullptr);
    std::filesystem::copy(appdata, first, std::filesystem::copy_options::recursive, ec);
    ResetIniStorageForTests();
}

// Loads the add-on with `db` as the working drawing; false when it refused.
inline bool loadAddOn(AcDbDatabase* db) {
    scratchFolder();
    host::registerDatabaseClasses();
    acdbHostApplicationServices()->setWorkingDatabase(db);
    // In the host the document manager exists before any module loads; made first
    // here, it cannot replace the drawing handed to the module with its own empty
    // list when the module first asks for it.
    (void)acDocManager;
    acrxDynamicLinker->setOpenDrawingsProvider([] { return std::vector<void*>{nullptr}; });
    if (acrxDynamicLinker->isModuleLoaded(kAddOnModule)) return true;
    return acrxDynamicLinker->loadModule(kAddOnModule, &acrxEntryPoint, false, &lintaroModuleExit);
}

// Unloads it as the host does when it quits.
inline void unloadAddOn() {
    if (acrxDynamicLinker->isModuleLoaded(kAddOnModule)) acrxDynamicLinker->unloadAllForQuit();
    acrxDynamicLinker->setOpenDrawingsProvider(nullptr);
    acdbHostApplicationServices()->setWorkingDatabase(nullptr);
}

// For targets that only need the classes: loaded once, for the whole run.
inline void addOnClassesOnce() {
    static const bool loaded = [] {
        static AcDbDatabase db;
        freshSettings();
        if (!loadAddOn(&db)) std::abort();
        return true;
    }();
    (void)loaded;
}

} // namespace fuzz
