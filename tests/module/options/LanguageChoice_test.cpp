#include "module/base/LanguageModule.h"

#include "host/mfc/AfxModuleState.h"
#include "host/win/Transcript.h"
#include "host/win/WinModules.h"
#include "module/base/LintaroLog.h"
#include "module/options/IniStorage.h"
#include "tests/module/IniStorageReset.h"
#include "module/options/LanguageChoice.h"
#include "module/resources/resource.h"
#include "tests/host/win/TempFolder.h"

#include <gtest/gtest.h>

using testing_support::EnvVar;
using testing_support::TempFolder;

namespace {

const wchar_t* const kGermanActive = L"Befehl %s is aktiv!\nBitte beenden Sie zuerst diesen Befehl.";

class LanguageTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetIniStorageForTests();
        FreeLanguageModule();
    }
    void TearDown() override {
        FreeLanguageModule();
        ResetIniStorageForTests();
    }
    // A language module in the settings folder (or the given folder).
    std::wstring writeModule(const std::string& tag, const std::string& text, std::wstring folder = L"") {
        if (folder.empty()) folder = GetSettingsFolder();
        const std::wstring path = folder + L"lintaro" + std::wstring(tag.begin(), tag.end()) + L".lng";
        TempFolder::write(std::filesystem::path(path), text);
        return path;
    }
    void selectLanguage(const wchar_t* tag) {
        SetIniString(L"LastStatus", L"Language", tag);
        LoadLanguageModule();
    }

    TempFolder m_tmp;
    EnvVar m_moduleDir{"LINTARO_MODULE_DIR", m_tmp.path("module").string()};
};

} // namespace

TEST_F(LanguageTest, OwnGermanTableWithoutALanguageModule) {
    selectLanguage(L"");
    EXPECT_EQ(GetLanguageModule(), nullptr);
    EXPECT_STREQ(LoadStr(IDS_COMMAND_ACTIVE), kGermanActive);
    EXPECT_STREQ(LoadStr(IDS_KEEP_VALUE), L"<beibehalten>");
    EXPECT_STREQ(LoadStr(1), L"");
    // The buffer is shared: a second call overwrites the first text.
    const wchar_t* first = LoadStr(IDS_SCALE_UNKNOWN);
    const wchar_t* second = LoadStr(IDS_ANNO_SCALE);
    EXPECT_EQ(first, second);
    EXPECT_STREQ(first, L"BMaß");
    // A language that exists in neither folder leaves the German texts.
    selectLanguage(L"XX");
    EXPECT_EQ(GetLanguageModule(), nullptr);
    EXPECT_EQ(GetLanguageModulePath(), GetSettingsFolder() + L"lintaroXX.lng");
    EXPECT_STREQ(LoadStr(IDS_COMMAND_ACTIVE), kGermanActive);
}

TEST_F(LanguageTest, LanguageModuleTextsWithGermanFallback) {
    const std::wstring path = writeModule("EN", "STRING 32927 \"Command %s is active!\"\n");
    selectLanguage(L"EN");
    ASSERT_NE(GetLanguageModule(), nullptr);
    EXPECT_EQ(GetLanguageModulePath(), path);
    EXPECT_STREQ(LoadStr(IDS_COMMAND_ACTIVE), L"Command %s is active!");
    EXPECT_STREQ(LoadStr(IDS_KEEP_VALUE), L"<beibehalten>");
    // The guard restores the resource handle it found.
    EXPECT_EQ(AfxGetResourceHandle(), AfxGetInstanceHandle());
    {
        CTemporaryResourceOverride guard;
        EXPECT_EQ(AfxGetResourceHandle(), GetLanguageModule());
        {
            CTemporaryResourceOverride inner;
            EXPECT_EQ(AfxGetResourceHandle(), GetLanguageModule());
        }
        EXPECT_EQ(AfxGetResourceHandle(), GetLanguageModule());
    }
    EXPECT_EQ(AfxGetResourceHandle(), AfxGetInstanceHandle());

    // Switching back to no language frees the module.
    HINSTANCE english = GetLanguageModule();
    selectLanguage(L"");
    EXPECT_EQ(GetLanguageModule(), nullptr);
    EXPECT_FALSE(host::isLanguageModule(english));
    EXPECT_STREQ(LoadStr(IDS_COMMAND_ACTIVE), kGermanActive);
}

TEST_F(LanguageTest, ModuleFolderComesBeforeTheSettingsFolder) {
    std::filesystem::create_directories(m_tmp.path("module"));
    writeModule("EN", "STRING 32873 \"from settings\"\n");
    const std::wstring beside =
        writeModule("EN", "STRING 32873 \"from module folder\"\n", m_tmp.wpath("module") + L"/");
    selectLanguage(L"EN");
    EXPECT_EQ(GetLanguageModulePath(), beside);
    EXPECT_STREQ(LoadStr(IDS_SCALE_UNKNOWN), L"from module folder");
}

TEST_F(LanguageTest, BadTagsAndDamagedModulesKeepTheOwnTexts) {
    host::TranscriptCapture transcript;
    writeModule("EN", "STRING 32927 \"broken\n");
    selectLanguage(L"EN");
    EXPECT_EQ(GetLanguageModule(), nullptr);
    EXPECT_NE(transcript.text().find(L"line 1"), std::wstring::npos);
    EXPECT_STREQ(LoadStr(IDS_COMMAND_ACTIVE), kGermanActive);

    // A tag is a name, never a way out of the folders.
    TempFolder::write(m_tmp.path("lintaro.lng"), "STRING 32927 \"elsewhere\"\n");
    selectLanguage(L"/../../");
    EXPECT_EQ(GetLanguageModulePath(), L"");
    EXPECT_EQ(GetLanguageModule(), nullptr);
    EXPECT_STREQ(LoadStr(IDS_COMMAND_ACTIVE), kGermanActive);
}
