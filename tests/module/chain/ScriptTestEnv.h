#pragma once
// The loaded module driven the way a user drives it: commands and answers from a script
// at the host's command line, on a fresh settings folder and drawing, with one drawing
// open (so the module defines its AutoLISP functions) and the transcript captured. A plan
// in metres is shown 40 m across 1000 pixels, so the pick box reaches 0.12 m. Everything
// is undone when the test ends.
#include "host/ap/AcApDocManager.h"
#include "host/db/tables/AcDbBlockTableRecord.h"
#include "host/db/database/AcDbDatabase.h"
#include "host/db/database/AcDbHostApplicationServices.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/ed/selection/AcEdSelectionSet.h"
#include "host/ed/commands/CommandLine.h"
#include "host/ed/DrawingView.h"
#include "host/ed/input/HostInput.h"
#include "host/ed/input/InputSource.h"
#include "host/rx/AcRxDynamicLinker.h"
#include "host/win/Transcript.h"
#include "module/app/LintaroApp.h"
#include "module/chain/TRdim.h"
#include "module/options/CGlobDimOptions.h"
#include "module/options/IniStorage.h"
#include "tests/module/IniStorageReset.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace scripttest {

class ScriptTest : public ::testing::Test {
protected:
    static constexpr const wchar_t* kModule = L"lintaro.arx";

    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "lintaro-script-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_root = pattern;
        for (const char* sub : {"appdata", "tmp", "module"})
            std::filesystem::create_directories(m_root / sub);
        remember("APPDATA", (m_root / "appdata").string());
        remember("TMPDIR", (m_root / "tmp").string());
        remember("LINTARO_MODULE_DIR", (m_root / "module").string());
        ResetIniStorageForTests();
        m_capture.emplace();
        m_previousDb = acdbHostApplicationServices()->workingDatabase();
        acdbHostApplicationServices()->setWorkingDatabase(m_db.get());
        // In the host the document manager exists before any module loads; made first
        // here, it cannot replace the drawing handed to the module with its own empty
        // list when the module first asks for it.
        (void)acDocManager;
        acrxDynamicLinker->setOpenDrawingsProvider([] { return std::vector<void*>{nullptr}; });
        host::commandLine();
        host::hostInput().reset();
        host::resetSelectionSets();
        ASSERT_TRUE(acrxDynamicLinker->loadModule(kModule, &acrxEntryPoint, false, &lintaroModuleExit));
        ASSERT_NE(pGlobDimOptions, nullptr);
        host::drawingView() = host::gi::View(AcGePoint2d(5, 0), 40.0, 1000, 1000);
    }

    void TearDown() override {
        host::hostInput().reset();
        if (acrxDynamicLinker->isModuleLoaded(kModule)) acrxDynamicLinker->unloadAllForQuit();
        acrxDynamicLinker->setOpenDrawingsProvider(nullptr);
        acdbHostApplicationServices()->setWorkingDatabase(m_previousDb);
        m_db.reset();
        host::resetSelectionSets();
        m_capture.reset();
        ResetIniStorageForTests();
        for (auto it = m_env.rbegin(); it != m_env.rend(); ++it) {
            if (it->second)
                ::setenv(it->first.c_str(), it->second->c_str(), 1);
            else
                ::unsetenv(it->first.c_str());
        }
        std::error_code ec;
        std::filesystem::remove_all(m_root, ec);
    }

    void run(const std::wstring& lines) {
        host::hostInput().pushSource(std::make_unique<host::ScriptSource>(lines, L"test.scr"));
        host::commandLine().run();
    }
    bool said(const std::wstring& text) const { return m_capture->text().find(text) != std::wstring::npos; }
    std::wstring transcript() const { return m_capture->text(); }
    void clearTranscript() { m_capture->clear(); }

    // Appends to model space and closes; the id, null (and the entity deleted) when refused.
    AcDbObjectId add(AcDbEntity* ent) const {
        AcDbBlockTableRecord* space = nullptr;
        if (acdbOpenObject(space, m_db->modelSpaceId(), AcDb::kForWrite) != Acad::eOk) {
            delete ent;
            return {};
        }
        AcDbObjectId id;
        if (space->appendAcDbEntity(id, ent) == Acad::eOk)
            ent->close();
        else
            delete ent;
        space->close();
        return id;
    }

    // The entities of model space that are not erased, in order.
    std::vector<AcDbObjectId> entities() const {
        std::vector<AcDbObjectId> out;
        AcDbBlockTableRecord* space = nullptr;
        if (acdbOpenObject(space, m_db->modelSpaceId(), AcDb::kForRead) != Acad::eOk) return out;
        for (const AcDbObjectId& id : space->entityIds())
            if (!id.isErased()) out.push_back(id);
        space->close();
        return out;
    }
    // The chains among them.
    std::vector<AcDbObjectId> chains() const {
        std::vector<AcDbObjectId> out;
        for (const AcDbObjectId& id : entities()) {
            TRdim* chain = nullptr;
            if (acdbOpenObject(chain, id, AcDb::kForRead) != Acad::eOk) continue;
            chain->close();
            out.push_back(id);
        }
        return out;
    }

    std::unique_ptr<AcDbDatabase> m_db = std::make_unique<AcDbDatabase>();

private:
    void remember(const char* name, const std::string& value) {
        const char* old = std::getenv(name);
        m_env.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
        ::setenv(name, value.c_str(), 1);
    }

    std::filesystem::path m_root;
    AcDbDatabase* m_previousDb = nullptr;
    std::vector<std::pair<std::string, std::optional<std::string>>> m_env;
    std::optional<host::TranscriptCapture> m_capture;
};

} // namespace scripttest
