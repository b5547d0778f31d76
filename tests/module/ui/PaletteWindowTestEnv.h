#pragma once
// The palette window at work in the loaded module, as a script drives it: a fresh settings
// folder, a drawing, the palette open and shown, "@palette ..." lines going to it and the
// transcript captured. Everything is undone when the test ends.
#include "tests/module/chain/ScriptTestEnv.h"

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
#include "host/win/UiPalette.h"
#include "module/app/LintaroApp.h"
#include "module/ui/PaletteApp.h"
#include "module/chain/TRdim.h"
#include "module/options/CGlobDimOptions.h"
#include "module/options/IniStorage.h"
#include "module/ui/CDlgMain.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace palettetest {

class PaletteWindowTest : public scripttest::ScriptTest {
protected:
    void SetUp() override {
        ScriptTest::SetUp();
        if (HasFatalFailure()) return;
        host::hostInput().setEventHandler(host::handlePaletteEvent);
        ASSERT_TRUE(StartApp(true));
        ASSERT_NE(dlgMyApp, nullptr);
    }

    void TearDown() override {
        host::hostInput().setEventHandler(nullptr);
        ScriptTest::TearDown();
    }

    static AcDbObjectIdArray idArray(const std::vector<AcDbObjectId>& ids) {
        AcDbObjectIdArray out;
        for (const AcDbObjectId& id : ids)
            out.append(id);
        return out;
    }
    // Changes one chain through a write open.
    template <typename F> static void change(AcDbObjectId id, F&& f) {
        TRdim* chain = nullptr;
        ASSERT_EQ(acdbOpenObject(chain, id, AcDb::kForWrite), Acad::eOk);
        f(*chain);
        chain->close();
    }
    template <typename T, typename F> static T read(AcDbObjectId id, F&& f) {
        TRdim* chain = nullptr;
        if (acdbOpenObject(chain, id, AcDb::kForRead) != Acad::eOk) return T();
        T value = f(*chain);
        chain->close();
        return value;
    }
};

} // namespace palettetest
