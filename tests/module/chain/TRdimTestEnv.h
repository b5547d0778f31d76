#pragma once
// The chain tests run inside the loaded module, as the host runs it: a fresh settings and
// temporary folder, the module loaded through the dynamic linker (which creates its
// options and registers TRdim), the palette open (new chains take its settings), a
// default drawing as the working database, and the transcript captured. Everything is undone when the test
// ends.
#include "module/chain/TRdim.h"

#include "host/db/tables/AcDbBlockTable.h"
#include "host/db/tables/AcDbBlockTableRecord.h"
#include "host/db/database/AcDbDatabase.h"
#include "host/db/database/AcDbHostApplicationServices.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/db/filing/DwgBufferFiler.h"
#include "host/rx/AcRxDynamicLinker.h"
#include "host/win/Transcript.h"
#include "module/app/LintaroApp.h"
#include "module/ui/PaletteApp.h"
#include "module/options/CGlobDimOptions.h"
#include "module/options/IniStorage.h"
#include "tests/module/IniStorageReset.h"
#include "module/options/OptionIndices.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace chaintest {

// Geometry near the origin is compared to this: far below a drawing's precision and far
// above rounding.
inline constexpr double kGeomTol = 1e-9;
// Geometry a million units from the origin carries about 1e-10 of relative rounding.
inline constexpr double kFarGeomTol = 1e-6;

inline constexpr const wchar_t* kModuleName = L"lintaro.arx";

// Sizes of the test chains at 1:100 in a drawing in metres: 10 mm of extension line is
// 1.0, 2 mm beyond the dimension line 0.2, a gap of 5 mm to the object 0.5.
inline constexpr double kFixedLength = 1.0;
inline constexpr double kBeyond = 0.2;
inline constexpr double kGap = 0.5;

// Points compared by distance, printed with actual, expected and tolerance.
inline ::testing::AssertionResult PointNear(const AcGePoint3d& actual, const AcGePoint3d& expected,
                                            double tol) {
    if (actual.distanceTo(expected) <= tol) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "actual (" << actual.x << ", " << actual.y << ", " << actual.z << ") expected (" << expected.x
           << ", " << expected.y << ", " << expected.z << ") tolerance " << tol;
}
#define EXPECT_POINT_NEAR(actual, expected, tol)                                                             \
    EXPECT_TRUE(::chaintest::PointNear((actual), (expected), (tol)))

class ChainTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "lintaro-chain-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_root = pattern;
        std::filesystem::create_directories(m_root / "appdata");
        std::filesystem::create_directories(m_root / "tmp");
        std::filesystem::create_directories(m_root / "module");
        remember("APPDATA", (m_root / "appdata").string());
        remember("TMPDIR", (m_root / "tmp").string());
        remember("LINTARO_MODULE_DIR", (m_root / "module").string());
        ResetIniStorageForTests();
        m_capture.emplace();
        ASSERT_TRUE(acrxDynamicLinker->loadModule(kModuleName, &acrxEntryPoint, false, &lintaroModuleExit));
        ASSERT_NE(pGlobDimOptions, nullptr);
        ASSERT_NE(TRdim::desc(), nullptr);
        // Opened now, not by the first chain: opening reloads the options, which would
        // drop what a test set in them.
        ASSERT_TRUE(StartApp(false));
        setGlobalRules(2.0, 5.0);
        m_db = std::make_unique<AcDbDatabase>();
        m_previousDb = acdbHostApplicationServices()->workingDatabase();
        acdbHostApplicationServices()->setWorkingDatabase(m_db.get());
    }

    void TearDown() override {
        acdbHostApplicationServices()->setWorkingDatabase(m_previousDb);
        m_db.reset();
        if (acrxDynamicLinker->isModuleLoaded(kModuleName)) acrxDynamicLinker->unloadAllForQuit();
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

    // The global rules of extension lines, in paper millimetres.
    static void setGlobalRules(double beyondDimLine, double offsetFromOrigin) {
        std::vector<double>& d = pGlobDimOptions->GetOptionSet(OPT_MODE_CHAIN).arrayOptDouble;
        d[IND_D_ExtendBeyondDimLine] = beyondDimLine;
        d[IND_D_OffsetFromOrigin] = offsetFromOrigin;
        pGlobDimOptions->SetOptFlag(IND_OPT_B_AutoPosition, 0);
    }

    // The chain's own parameters fixed for exact values: 1:100, metres, values in metres
    // with two decimals and a comma, no rounding; extension lines of fixed length or not.
    static void setChainParams(TRdim& chain, bool fixedExtLines) {
        chain.SetParamDouble(IND_D_ScaleVal, 0.01);
        chain.SetParamDouble(IND_D_AcadUnits, 0.001);
        chain.SetParamDouble(IND_D_ExtLineLength, 10.0);
        chain.SetParamString(IND_S_Measure, L"m");
        chain.SetParamString(IND_S_Delimiter, L",");
        chain.SetParamInt(IND_I_Decimals, 2);
        chain.SetParamInt(IND_I_RoundMM, 0);
        chain.SetParamInt(IND_I_TrimZero, 0);
        chain.SetParamInt(IND_I_ExtLine, fixedExtLines ? 1 : 0);
    }

    // A linear chain through `points` (the first two make it, the others are added),
    // its dimension line through `dimPoint`, in the given UCS.
    static std::unique_ptr<TRdim> makeChain(const std::vector<AcGePoint3d>& points, int type,
                                            const AcGePoint3d& dimPoint, bool fixedExtLines = true,
                                            const AcGeMatrix3d& ucs = AcGeMatrix3d()) {
        auto chain = std::make_unique<TRdim>(points[0], points[1], type, dimPoint, ucs);
        setChainParams(*chain, fixedExtLines);
        chain->ChangePointMainDim(dimPoint, false);
        chain->Refresh();
        for (size_t i = 2; i < points.size(); ++i)
            chain->AddPointInput(points[i]);
        return chain;
    }

    // Appends to model space and closes; the id, null when refused.
    AcDbObjectId append(AcDbEntity* ent) const {
        AcDbBlockTableRecord* ms = nullptr;
        if (acdbOpenObject(ms, m_db->modelSpaceId(), AcDb::kForWrite) != Acad::eOk) {
            delete ent;
            return {};
        }
        AcDbObjectId id;
        if (ms->appendAcDbEntity(id, ent) == Acad::eOk)
            ent->close();
        else
            delete ent;
        ms->close();
        return id;
    }

    // The input points of a chain, in order.
    static std::vector<AcGePoint3d> inputs(const TRdim& chain) {
        std::vector<AcGePoint3d> out;
        for (int i = 0; i < chain.GetExtensions(); ++i)
            out.push_back(chain.Points()[4 * i]);
        return out;
    }

    // The value text of segment k (part 0 up to "#").
    static std::wstring valueOf(const TRdim& chain, int k) {
        const std::wstring& entry = chain.GetTextEntry(k);
        return entry.substr(0, entry.find_first_of(L"#@"));
    }

    std::wstring transcript() const { return m_capture ? m_capture->text() : std::wstring(); }
    void clearTranscript() {
        if (m_capture) m_capture->clear();
    }

    std::unique_ptr<AcDbDatabase> m_db;

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

} // namespace chaintest
