// Opening a drawing that holds objects of an application installed for demand
// loading loads that application first, so the objects come in alive; when it
// cannot be loaded, or demand loading is off, they stay proxies that are written
// back byte for byte.
#include "host/db/database/AcDbObjectOpen.h"
#include "host/io/DrawingReader.h"
#include "host/io/DrawingWriter.h"
#include "host/rx/AcRxClass.h"
#include "host/rx/AcRxDictionary.h"
#include "host/rx/AcRxDynamicLinker.h"
#include "host/rx/AcadAppInfo.h"
#include "host/win/WinProfile.h"
#include "tests/host/io/IoTestHelpers.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

using namespace iotest;

namespace {

// The marks' add-on as a module: it registers the class when loaded and removes it
// when unloaded, as a real add-on does.
int g_loads = 0;
AcRx::AppRetCode marksEntry(AcRx::AppMsgCode msg, void* pkt) {
    if (msg == AcRx::kInitAppMsg) {
        ++g_loads;
        acrxDynamicLinker->unlockApplication(pkt);
        IoTestMark::rxInit();
        acrxBuildClassHierarchy();
    }
    return AcRx::kRetOK;
}
void marksExit() {
    deleteAcRxClass(IoTestMark::desc());
    IoTestMark::gpDesc = nullptr;
}

class DemandLoad : public ::testing::Test {
protected:
    void SetUp() override {
        if (const char* old = std::getenv("APPDATA")) m_oldAppData = old;
        ::setenv("APPDATA", m_folder.path().c_str(), 1);
        g_loads = 0;
        MarkClassScope marks;
        AcDbDatabase db;
        const SampleIds ids = buildSample(&db);
        m_mark = ids.mark.handle();
        std::wstring error;
        ASSERT_TRUE(host::io::drawingToBytes(&db, m_bytes, error));
    }
    void TearDown() override {
        acrxDynamicLinker->unloadAllForQuit();
        if (m_oldAppData)
            ::setenv("APPDATA", m_oldAppData->c_str(), 1);
        else
            ::unsetenv("APPDATA");
    }
    // The record the add-on writes when it is installed; its logical name is the
    // first field of the class's application text.
    static void install(const wchar_t* loader, int reasons) {
        AcadAppInfo info;
        info.setAppName(L"LtIoTest");
        info.setModuleName(loader);
        info.setLoadReason(AcadApp::LoadReasons(reasons));
        ASSERT_EQ(info.writeToRegistry(), AcadApp::eOk);
    }
    std::unique_ptr<AcDbDatabase> read(host::io::DrawingReadReport& report) const {
        return host::io::drawingFromBytes(m_bytes.data(), m_bytes.size(), L"marks.dwg", report);
    }
    // Read as proxies and written back: the bytes must be the file's own.
    void expectKeptByteForByte(const wchar_t* why) {
        SCOPED_TRACE(why);
        host::io::DrawingReadReport report;
        std::unique_ptr<AcDbDatabase> db = read(report);
        ASSERT_TRUE(db);
        EXPECT_EQ(report.proxyCount, 2u);
        EXPECT_EQ(g_loads, 0);
        std::vector<uint8_t> again;
        std::wstring error;
        ASSERT_TRUE(host::io::drawingToBytes(db.get(), again, error));
        EXPECT_EQ(again, m_bytes);
    }

    TempFolder m_folder;
    std::optional<std::string> m_oldAppData;
    std::vector<uint8_t> m_bytes;
    AcDbHandle m_mark;
};

} // namespace

TEST_F(DemandLoad, AnInstalledApplicationIsLoadedBeforeItsObjectsAreRead) {
    acrxDynamicLinker->registerModuleImage(L"ltiotest.arx", &marksEntry, &marksExit);
    install(L"/usr/lib/lintaro/ltiotest.arx", AcadApp::kOnProxyDetection | AcadApp::kOnLoadRequest);
    host::io::DrawingReadReport report;
    std::unique_ptr<AcDbDatabase> db = read(report);
    ASSERT_TRUE(db) << std::string(report.error.begin(), report.error.end());
    EXPECT_EQ(g_loads, 1);
    EXPECT_TRUE(acrxDynamicLinker->isModuleLoaded(L"ltiotest.arx"));
    EXPECT_EQ(report.proxyCount, 0u);
    EXPECT_TRUE(report.warnings.empty());
    AcDbObjectId id;
    ASSERT_EQ(db->getAcDbObjectId(id, false, m_mark), Acad::eOk);
    IoTestMark* mark = nullptr;
    ASSERT_EQ(acdbOpenObject(mark, id), Acad::eOk) << "the mark is itself, not a proxy";
    EXPECT_EQ(mark->label(), L"Höhe +2,50");
    EXPECT_NEAR(mark->size(), 2.5, kGeomTol);
    mark->close();

    // A second drawing finds the application loaded and loads nothing again.
    std::unique_ptr<AcDbDatabase> second = read(report);
    ASSERT_TRUE(second);
    EXPECT_EQ(g_loads, 1);
    EXPECT_EQ(report.proxyCount, 0u);
    db.reset();
    second.reset();
}

TEST_F(DemandLoad, WithoutALoadableApplicationTheObjectsStayProxiesByteForByte) {
    expectKeptByteForByte(L"nothing installed");

    // Installed, but its module is not on this machine: the user is told so.
    install(L"/usr/lib/lintaro/missing-marks.arx", AcadApp::kOnProxyDetection);
    {
        host::io::DrawingReadReport report;
        ASSERT_TRUE(read(report));
        ASSERT_EQ(report.warnings.size(), 1u);
        EXPECT_NE(report.warnings[0].find(L"installed but could not be loaded"), std::wstring::npos);
    }
    expectKeptByteForByte(L"module missing");

    acrxDynamicLinker->registerModuleImage(L"ltiotest.arx", &marksEntry, &marksExit);
    install(L"ltiotest.arx", AcadApp::kOnLoadRequest);
    expectKeptByteForByte(L"not loaded on proxy detection");
    install(L"ltiotest.arx", AcadApp::kOnProxyDetection | AcadApp::kLoadDisabled);
    expectKeptByteForByte(L"disabled in its record");
    install(L"ltiotest.arx", AcadApp::kOnProxyDetection);
    const std::wstring registry = host::hostRegistryFile();
    ASSERT_TRUE(WritePrivateProfileStringW(L"General", L"DEMANDLOAD", L"2", registry.c_str()));
    expectKeptByteForByte(L"DEMANDLOAD without proxy detection");
}
