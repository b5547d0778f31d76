#include "LintaroTestPaths.h"
#include "module/resources/LintaroStrings.h"

#include "host/win/LngFile.h"
#include "module/resources/resource.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <set>

namespace {

std::map<UINT, std::wstring> ownTable() {
    std::size_t n = 0;
    const host::StringResource* table = LintaroStringTable(n);
    std::map<UINT, std::wstring> out;
    for (std::size_t i = 0; i < n; ++i)
        out.emplace(table[i].id, table[i].text);
    return out;
}

// The conversions of a format string in order ("%s", "%d", "%.1f" ...).
std::vector<std::wstring> conversions(const std::wstring& text) {
    std::vector<std::wstring> out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != L'%') continue;
        size_t j = i + 1;
        while (j < text.size() && std::wstring(L"-+ #0123456789.lhI").find(text[j]) != std::wstring::npos)
            ++j;
        if (j < text.size()) out.push_back(text.substr(i, j - i + 1));
        i = j;
    }
    return out;
}

} // namespace

TEST(LintaroStrings, TableHoldsTheTextsOthersRelyOn) {
    std::size_t n = 0;
    const host::StringResource* table = LintaroStringTable(n);
    ASSERT_GT(n, 40u);
    for (std::size_t i = 1; i < n; ++i)
        EXPECT_LT(table[i - 1].id, table[i].id) << "ids sorted and unique";
    const auto own = ownTable();
    // Texts that are keys, placeholders or compared by other code must be exact.
    EXPECT_EQ(own.at(IDS_SCALE_UNKNOWN), L"<Unbekannt>");
    EXPECT_EQ(own.at(IDS_KEEP_VALUE), L"<beibehalten>");
    EXPECT_EQ(own.at(IDS_ANNO_SCALE), L"BMaß");
    EXPECT_EQ(own.at(IDS_UNIT_FEET), L"ft");
    EXPECT_EQ(own.at(IDS_UNIT_FEET_AND_INCHES_MARK), L"0'-");
    EXPECT_EQ(own.at(IDS_MAP_NEW_ROW), L"<neu>");
    EXPECT_EQ(own.at(IDS_COMMAND_ACTIVE), L"Befehl %s is aktiv!\nBitte beenden Sie zuerst diesen Befehl.");
    EXPECT_EQ(own.at(IDS_HK_GROUP_MEMBERS_ERASED),
              L"Da Sie die Bezugsebene einer HK.Gruppe gelöscht haben, werden auch  %d von restlichen "
              L"zugehörigen Höhenkoten gelöscht.");
    EXPECT_EQ(own.at(IDS_LAYER_0_FORBIDDEN), L"Layer \"0\" ist verboten.");
    for (const auto& [id, text] : own)
        EXPECT_LT(text.size(), 4096u) << id << " fits the LoadStr buffer";
}

TEST(LintaroStrings, EnglishModuleMatchesTheTableAndItsFormats) {
    std::ifstream f(LINTARO_SOURCE_DIR "/module/resources/lintaroEN.lng", std::ios::binary);
    ASSERT_TRUE(f.good());
    const std::string bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    host::LngContents english;
    host::LngError error;
    ASSERT_TRUE(host::parseLngFile(bytes, english, error)) << error.line;
    EXPECT_EQ(english.language, L"EN");
    const auto own = ownTable();
    for (const auto& [id, text] : own) {
        ASSERT_EQ(english.strings.count(id), 1u) << "no English text for " << id;
        // A translation with other conversions would format garbage or crash.
        EXPECT_EQ(conversions(english.strings.at(id)), conversions(text)) << id;
    }
    for (const auto& [id, text] : english.strings)
        EXPECT_EQ(own.count(id), 1u) << "unknown id " << id;
    // Keywords typed by users and scripts are part of the interface: every language
    // keeps the German ones and may only add its own.
    const std::wstring keywords = own.at(IDS_KEYWORDS_REFERENCE_POINT);
    EXPECT_EQ(keywords, L"Lagepunkt,L L");
    EXPECT_EQ(english.strings.at(IDS_KEYWORDS_REFERENCE_POINT).substr(0, keywords.size() + 1),
              keywords + L" ");
    // Stored keys stay as they are in every language.
    EXPECT_EQ(english.strings.at(IDS_SCALE_UNKNOWN), L"<Unbekannt>");
    EXPECT_EQ(english.strings.at(IDS_ANNO_SCALE), L"BMaß");
    EXPECT_EQ(english.strings.at(IDS_UNIT_FEET_AND_INCHES_MARK), L"0'-");
}
