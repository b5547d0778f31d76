// The host's demand-loading registry: an application's record is written and read
// back whole, refused input changes nothing, and acrxLoadApp loads the module the
// record names (by its file name, wherever the recorded path points).
#include "host/rx/AcRxDynamicLinker.h"
#include "host/rx/AcadAppInfo.h"
#include "host/rx/DemandLoad.h"
#include "host/win/Transcript.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <unistd.h>

namespace {

int g_inits = 0;
AcRx::AppRetCode widgetEntry(AcRx::AppMsgCode msg, void* pkt) {
    if (msg == AcRx::kInitAppMsg) {
        ++g_inits;
        acrxDynamicLinker->unlockApplication(pkt);
    }
    return AcRx::kRetOK;
}

std::string fileText(const std::wstring& path) {
    std::ifstream in{std::filesystem::path(path), std::ios::binary};
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Each test gets its own settings folder, so its registry starts empty.
class Registry : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "lintaro-registry-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_root = pattern;
        if (const char* old = std::getenv("APPDATA")) m_oldAppData = old;
        ::setenv("APPDATA", m_root.c_str(), 1);
        g_inits = 0;
    }
    void TearDown() override {
        acrxDynamicLinker->unloadAllForQuit();
        if (m_oldAppData)
            ::setenv("APPDATA", m_oldAppData->c_str(), 1);
        else
            ::unsetenv("APPDATA");
        std::error_code ec;
        std::filesystem::remove_all(m_root, ec);
    }
    static AcadAppInfo widgets(const wchar_t* loader, int reasons) {
        AcadAppInfo info;
        info.setAppName(L"Acme - Widgets");
        info.setModuleName(loader);
        info.setAppDesc(L"Widgets für Pläne");
        info.setLoadReason(AcadApp::LoadReasons(reasons));
        return info;
    }
    std::filesystem::path m_root;
    std::optional<std::string> m_oldAppData;
};

} // namespace

TEST_F(Registry, ARecordReadsBackWholeAndBadInputChangesNothing) {
    AcadAppInfo absent;
    absent.setAppName(L"Acme - Widgets");
    EXPECT_EQ(absent.readFromRegistry(), AcadApp::eKeyNotFound) << "an empty registry has no record";
    EXPECT_EQ(host::demandLoadSetting(), 3) << "demand loading is on by default";

    AcadAppInfo info =
        widgets(L"/opt/acme/widgets.arx", AcadApp::kOnProxyDetection | AcadApp::kOnLoadRequest);
    ASSERT_EQ(info.writeToRegistry(), AcadApp::eOk);
    AcadAppInfo back;
    back.setAppName(L"ACME - WIDGETS"); // keys compare without case, as the registry's do
    ASSERT_EQ(back.readFromRegistry(), AcadApp::eOk);
    EXPECT_STREQ(back.moduleName(), L"/opt/acme/widgets.arx");
    EXPECT_STREQ(back.appDesc(), L"Widgets für Pläne");
    EXPECT_EQ(back.loadReason(), AcadApp::kOnProxyDetection | AcadApp::kOnLoadRequest);

    const std::string before = fileText(host::hostRegistryFile());
    AcadAppInfo unnamed;
    EXPECT_EQ(unnamed.writeToRegistry(), AcadApp::eInvalidKey);
    AcadAppInfo broken = widgets(L"/opt/acme/widgets.arx\nLOADCTRLS=0", AcadApp::kOnProxyDetection);
    EXPECT_EQ(broken.writeToRegistry(), AcadApp::eInvalidValue);
    AcadAppInfo bracket = widgets(L"/x.arx", 1);
    bracket.setAppName(L"Acme]");
    EXPECT_EQ(bracket.writeToRegistry(), AcadApp::eInvalidValue);
    EXPECT_EQ(fileText(host::hostRegistryFile()), before) << "a refused record leaves the registry as it was";

    // A record edited by hand into nonsense is refused, not half read.
    std::ofstream(std::filesystem::path(host::hostRegistryFile()), std::ios::app)
        << "[Applications\\Bad]\nLOADER=/x/bad.arx\nLOADCTRLS=often\n[General]\nDEMANDLOAD=7\n";
    AcadAppInfo bad;
    bad.setAppName(L"Bad");
    bad.setModuleName(L"kept");
    EXPECT_EQ(bad.readFromRegistry(), AcadApp::eInvalidValue);
    EXPECT_STREQ(bad.moduleName(), L"kept");
    EXPECT_EQ(host::demandLoadSetting(), 3) << "an out-of-range DEMANDLOAD reads as the default";

    ASSERT_EQ(back.delFromRegistry(), AcadApp::eOk);
    EXPECT_EQ(back.readFromRegistry(), AcadApp::eKeyNotFound);
    EXPECT_EQ(back.delFromRegistry(), AcadApp::eKeyNotFound);
    bad.setAppName(L"Bad");
    EXPECT_EQ(bad.delFromRegistry(), AcadApp::eOk) << "other records stay";
}

TEST_F(Registry, LoadingAnApplicationByNameFollowsItsRecord) {
    host::TranscriptCapture transcript;
    acrxDynamicLinker->registerModuleImage(L"widgets.arx", &widgetEntry);
    EXPECT_FALSE(acrxLoadApp(L"Acme - Widgets", true)) << "no record, no load";
    EXPECT_NE(transcript.text().find(L"\"Acme - Widgets\" is not registered"), std::wstring::npos);

    // The record's path is another machine's; the module is found by its file name.
    ASSERT_EQ(widgets(L"C:\\Program Files\\Acme\\WIDGETS.ARX", AcadApp::kOnLoadRequest).writeToRegistry(),
              AcadApp::eOk);
    ASSERT_TRUE(acrxLoadApp(L"acme - widgets"));
    EXPECT_EQ(g_inits, 1);
    EXPECT_TRUE(acrxDynamicLinker->isModuleLoaded(L"widgets.arx"));
    EXPECT_TRUE(acrxLoadApp(L"Acme - Widgets")) << "a loaded application loads again without a second init";
    EXPECT_EQ(g_inits, 1);
    acrxDynamicLinker->unloadAllForQuit();

    ASSERT_EQ(widgets(L"widgets.arx", AcadApp::kOnLoadRequest | AcadApp::kLoadDisabled).writeToRegistry(),
              AcadApp::eOk);
    EXPECT_FALSE(acrxLoadApp(L"Acme - Widgets"));
    ASSERT_EQ(widgets(L"gadgets.arx", AcadApp::kOnLoadRequest).writeToRegistry(), AcadApp::eOk);
    transcript.clear();
    EXPECT_FALSE(acrxLoadApp(L"Acme - Widgets", true)) << "the file the record names is not there";
    EXPECT_NE(transcript.text().find(L"Unable to load gadgets.arx"), std::wstring::npos);
    EXPECT_EQ(g_inits, 1);
    EXPECT_FALSE(acrxDynamicLinker->isModuleLoaded(L"gadgets.arx"));

    EXPECT_EQ(host::logicalAppName(L"  Acme - Widgets |Product Desc: x|Company: y"), L"Acme - Widgets");
    EXPECT_EQ(host::logicalAppName(L"Plain"), L"Plain");
}
