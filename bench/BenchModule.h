#pragma once
// The add-on loaded once for a benchmark program, with its settings in a temporary
// folder named after `name`, the palette open (the first chain would open it and
// reload the options) and one drawing as the working database.
#include "host/db/database/AcDbDatabase.h"
#include "host/db/database/AcDbHostApplicationServices.h"
#include "host/rx/AcRxDynamicLinker.h"
#include "module/app/LintaroApp.h"
#include "module/ui/PaletteApp.h"
#include "module/options/IniStorage.h"
#include "tests/module/IniStorageReset.h"

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

namespace bench {

struct LoadedModule {
    std::filesystem::path dir;
    std::unique_ptr<AcDbDatabase> db;

    explicit LoadedModule(const std::string& name) {
        dir = std::filesystem::temp_directory_path() / ("lintaro-bench-" + name + "-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        ::setenv("APPDATA", dir.c_str(), 1);
        ::setenv("TMPDIR", dir.c_str(), 1);
        ResetIniStorageForTests();
        acrxDynamicLinker->loadModule(L"lintaro.arx", &acrxEntryPoint, false, &lintaroModuleExit);
        StartApp(false);
        db = std::make_unique<AcDbDatabase>();
        acdbHostApplicationServices()->setWorkingDatabase(db.get());
    }
    ~LoadedModule() {
        acdbHostApplicationServices()->setWorkingDatabase(nullptr);
        db.reset();
        acrxDynamicLinker->unloadAllForQuit();
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;
};

} // namespace bench
