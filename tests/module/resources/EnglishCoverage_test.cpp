// The English language module covers every menu and dialog of the add-on: each one has
// its block, the block reads without a problem, menus keep the add-on's items in
// their places, and no text that has words is left German.
#include "LintaroTestPaths.h"
#include "module/resources/LintaroStrings.h"

#include "host/mfc/AfxModuleState.h"
#include "host/mfc/AfxResources.h"
#include "host/win/Utf8.h"
#include "host/win/WinModules.h"

#include <gtest/gtest.h>

#include <cwctype>
#include <set>
#include <string>

namespace {

// Texts that read the same in English.
const std::set<std::wstring> kSameInEnglish = {L"OK",
                                               L"Layer",
                                               L"lintaro",
                                               L"Tab1",
                                               L"?",
                                               L"M/cm",
                                               L"m/cm (10 m)",
                                               L"Text",
                                               L"Format",
                                               L"Save",
                                               L"Save as...",
                                               L"Cancel",
                                               L"Opened in acad editor"};

bool hasWord(const std::wstring& text) {
    int letters = 0;
    for (wchar_t c : text)
        letters += std::iswalpha(c) ? 1 : 0;
    return letters >= 3;
}

bool looksGerman(const std::wstring& text) {
    return text.find_first_of(L"\u00E4\u00F6\u00FC\u00C4\u00D6\u00DC\u00DF") != std::wstring::npos;
}

// The items' ids, kinds and nesting as one string, and the untranslated texts.
void walk(const std::vector<host::mfc::MenuTemplateItem>& de,
          const std::vector<host::mfc::MenuTemplateItem>& en, const std::wstring& where,
          std::vector<std::wstring>& untranslated) {
    ASSERT_EQ(en.size(), de.size()) << host::toUtf8(where) << ": items";
    for (size_t i = 0; i < de.size(); ++i) {
        const std::wstring at = where + L"/" + de[i].text;
        EXPECT_EQ(en[i].id, de[i].id) << host::toUtf8(at);
        EXPECT_EQ(en[i].flags & (MF_POPUP | MF_SEPARATOR), de[i].flags & (MF_POPUP | MF_SEPARATOR))
            << host::toUtf8(at);
        if (hasWord(de[i].text) && (en[i].text == de[i].text || looksGerman(en[i].text)) &&
            !kSameInEnglish.count(de[i].text))
            untranslated.push_back(at);
        walk(de[i].items, en[i].items, at, untranslated);
    }
}

class EnglishCoverage : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterLintaroResources();
        m_lng = LoadLibraryW(host::fromUtf8(LINTARO_SOURCE_DIR "/module/resources/lintaroEN.lng").c_str());
        ASSERT_NE(m_lng, nullptr);
    }
    void TearDown() override {
        if (m_lng) FreeLibrary(m_lng);
    }
    HMODULE m_lng = nullptr;
};

} // namespace

TEST_F(EnglishCoverage, EveryMenuIsTranslatedItemForItem) {
    const HINSTANCE own = AfxGetInstanceHandle();
    const std::vector<UINT> ids = host::mfc::registeredResourceIds(own, true);
    ASSERT_GE(ids.size(), 9u);
    for (UINT id : ids) {
        std::wstring problem;
        const auto de = host::mfc::findMenuTemplate(own, id);
        const auto en = host::mfc::findMenuTemplate(m_lng, id, &problem);
        ASSERT_TRUE(de.has_value());
        if (!en.has_value()) {
            ADD_FAILURE() << "no English MENU " << id;
            continue;
        }
        EXPECT_TRUE(problem.empty()) << "MENU " << id << ": " << host::toUtf8(problem);
        std::vector<std::wstring> untranslated;
        walk(de->items, en->items, L"MENU " + std::to_wstring(id), untranslated);
        for (const std::wstring& u : untranslated)
            ADD_FAILURE() << "not translated: " << host::toUtf8(u);
    }
}

TEST_F(EnglishCoverage, EveryDialogTextIsTranslated) {
    const HINSTANCE own = AfxGetInstanceHandle();
    const std::vector<UINT> ids = host::mfc::registeredResourceIds(own, false);
    ASSERT_GE(ids.size(), 12u);
    for (UINT id : ids) {
        std::wstring problem;
        const auto de = host::mfc::findDialogTemplate(own, id);
        const auto en = host::mfc::findDialogTemplate(m_lng, id, &problem);
        ASSERT_TRUE(de.has_value());
        if (!en.has_value()) {
            ADD_FAILURE() << "no English DIALOG " << id << " (" << host::toUtf8(de->caption) << ")";
            continue;
        }
        EXPECT_TRUE(problem.empty()) << "DIALOG " << id << ": " << host::toUtf8(problem);
        ASSERT_EQ(en->controls.size(), de->controls.size());
        auto check = [&](const std::wstring& german, const std::wstring& english, const std::string& what) {
            if (!hasWord(german) || kSameInEnglish.count(german)) return;
            EXPECT_TRUE(english != german && !looksGerman(english))
                << "DIALOG " << id << " " << what << " not translated: " << host::toUtf8(german);
        };
        check(de->caption, en->caption, "caption");
        for (size_t i = 0; i < de->controls.size(); ++i) {
            const auto& d = de->controls[i];
            const auto& e = en->controls[i];
            EXPECT_EQ(e.id, d.id);
            check(d.text, e.text, "control " + std::to_string(d.id));
            ASSERT_EQ(e.items.size(), d.items.size());
            for (size_t k = 0; k < d.items.size(); ++k)
                check(d.items[k], e.items[k], "entry of control " + std::to_string(d.id));
        }
    }
}
