#include "module/options/IniStorage.h"

#include "tests/module/options/OptionsTestEnv.h"

#include "host/win/WinFiles.h"

#include <string>
#include <vector>

namespace {

using IniStorage = OptionsTestEnv;

TEST_F(IniStorage, FirstStartCreatesSettingsFolderAndMainIniWithFiveEntries)
{
    const std::wstring ini = GetIniFile();
    EXPECT_EQ(ini, settingsIni());
    EXPECT_EQ(GetSettingsFolder(), wpath("appdata/tessaron/lintaro/"));
    ASSERT_TRUE(fs::exists(fs::path(ini)));

    EXPECT_EQ(onDisk(ini, L"General Info", L"OptionsActivePage"), L"0");
    EXPECT_EQ(onDisk(ini, L"General Info", L"DefaultSection"), L"Decimal");
    EXPECT_EQ(onDisk(ini, L"General Info", L"TextMoveStep"), L"5");
    EXPECT_EQ(onDisk(ini, L"General Info", L"CurOptionsFile"), ini);
    EXPECT_EQ(onDisk(ini, L"OptionsFiles", L"Item_0"), ini);

    // Exactly these: two sections, four general keys, one item.
    wchar_t list[4096] = {};
    DWORD n = GetPrivateProfileStringW(nullptr, nullptr, L"", list, 4096, ini.c_str());
    std::vector<std::wstring> sections;
    for (const wchar_t* p = list; p < list + n && *p; p += wcslen(p) + 1)
        sections.emplace_back(p);
    EXPECT_EQ(sections, (std::vector<std::wstring>{L"General Info", L"OptionsFiles"}));
    n = GetPrivateProfileStringW(L"General Info", nullptr, L"", list, 4096, ini.c_str());
    int keys = 0;
    for (const wchar_t* p = list; p < list + n && *p; p += wcslen(p) + 1)
        ++keys;
    EXPECT_EQ(keys, 4);

    // A second call finds the file and leaves it alone.
    const std::string before = bytes(ini);
    freshRun();
    EXPECT_EQ(GetIniFile(), ini);
    EXPECT_EQ(bytes(ini), before);
}

TEST_F(IniStorage, EntriesAreReadFromDiskOnceThenServedFromTheBuffer)
{
    const std::wstring ini = GetIniFile();
    WritePrivateProfileStringW(L"S", L"Present", L"one", ini.c_str());

    const std::size_t reads0 = GetIniStorageStats().diskReads;
    EXPECT_EQ(GetIniEntry(ini, L"S", L"Absent"), L"");
    EXPECT_EQ(GetIniEntry(ini, L"S", L"Present"), L"one");
    EXPECT_EQ(GetIniStorageStats().diskReads, reads0 + 2);

    // Another writer changes the file: the buffer keeps answering without the disk.
    WritePrivateProfileStringW(L"S", L"Absent", L"now here", ini.c_str());
    WritePrivateProfileStringW(L"S", L"Present", L"two", ini.c_str());
    EXPECT_EQ(GetIniEntry(ini, L"S", L"Absent"), L"");
    EXPECT_EQ(GetIniEntry(ini, L"S", L"Present"), L"one");
    EXPECT_EQ(GetIniString(L"S", L"Present"), L"one");
    EXPECT_EQ(GetIniStorageStats().diskReads, reads0 + 2);
    EXPECT_FALSE(GetIniStorageStats().mainChanged);
}

TEST_F(IniStorage, WritesStayInTheBufferUntilSavedAndEqualValuesCostNothing)
{
    const std::wstring ini = GetIniFile();
    EXPECT_EQ(WriteIniEntry(ini, L"S", L"Key", L"Wert ä"), 1);
    EXPECT_TRUE(GetIniStorageStats().mainChanged);
    EXPECT_EQ(onDisk(ini, L"S", L"Key"), L"<absent>");
    EXPECT_EQ(GetIniEntry(ini, L"S", L"Key"), L"Wert ä");

    SaveIniBuffer(INI_BUFFER_MAIN, false);
    EXPECT_EQ(onDisk(ini, L"S", L"Key"), L"Wert ä");
    EXPECT_FALSE(GetIniStorageStats().mainChanged);

    // The same value again: no change flag, and a save touches nothing.
    const std::string saved = bytes(ini);
    const std::size_t writes = GetIniStorageStats().diskWrites;
    WriteIniEntry(ini, L"S", L"Key", L"Wert ä");
    SetIniString(L"S", L"Key", L"Wert ä");
    EXPECT_FALSE(GetIniStorageStats().mainChanged);
    SaveAllIniBuffers();
    EXPECT_EQ(GetIniStorageStats().diskWrites, writes);
    EXPECT_EQ(bytes(ini), saved);

    // Values compare with case: another case is a change.
    SetIniGeneralInt(L"Counter", 7);
    WriteIniEntry(ini, L"S", L"Key", L"WERT Ä");
    EXPECT_TRUE(GetIniStorageStats().mainChanged);
    SaveAllIniBuffers();
    EXPECT_EQ(onDisk(ini, L"S", L"Key"), L"WERT Ä");
    EXPECT_EQ(GetIniGeneralInt(L"Counter"), 7);
    EXPECT_EQ(onDisk(ini, L"General Info", L"Counter"), L"7");
}

TEST_F(IniStorage, SavingWritesOnlyWhatTheAddOnChangedSoHandEditsSurvive)
{
    const std::wstring ini = GetIniFile();
    const std::wstring other = wpath("options.ini");
    writeBytes(other, "[Convert]\nStyle=ISO\nRead=old\n");
    WritePrivateProfileStringW(L"S", L"Read", L"old", ini.c_str());
    WritePrivateProfileStringW(L"S", L"Through", L"t0", ini.c_str());

    // The add-on reads some keys, changes others and saves.
    EXPECT_EQ(GetIniEntry(ini, L"S", L"Read"), L"old");
    EXPECT_EQ(GetIniEntry(other, L"Convert", L"Read"), L"old");
    WriteIniEntry(ini, L"S", L"Mine", L"1");
    WriteIniEntry(other, L"Convert", L"Mine", L"1");
    WriteIniEntryThrough(ini, L"S", L"Through", L"t1");
    SaveAllIniBuffers();

    // The user edits both files by hand while the add-on runs.
    std::string text = bytes(ini);
    const std::size_t at = text.find("Read=old");
    ASSERT_NE(at, std::string::npos);
    text.replace(at, 8, "Read=hand");
    const std::size_t through = text.find("Through=t1");
    ASSERT_NE(through, std::string::npos);
    text.replace(through, 10, "Through=hand");
    writeBytes(ini, text + "[Hand]\nNote=kept\n");
    writeBytes(other, "[Convert]\nStyle=DIN\nRead=hand\nMine=1\n");

    // The add-on changes one key of each and saves again: only that key is written.
    WriteIniEntry(ini, L"S", L"Mine", L"2");
    WriteIniEntry(other, L"Convert", L"Mine", L"2");
    SaveAllIniBuffers();
    EXPECT_EQ(onDisk(ini, L"S", L"Mine"), L"2");
    EXPECT_EQ(onDisk(ini, L"S", L"Read"), L"hand");
    EXPECT_EQ(onDisk(ini, L"S", L"Through"), L"hand");
    EXPECT_EQ(onDisk(ini, L"Hand", L"Note"), L"kept");
    EXPECT_EQ(onDisk(ini, L"General Info", L"DefaultSection"), L"Decimal");
    EXPECT_EQ(onDisk(other, L"Convert", L"Mine"), L"2");
    EXPECT_EQ(onDisk(other, L"Convert", L"Read"), L"hand");
    EXPECT_EQ(onDisk(other, L"Convert", L"Style"), L"DIN");

    // Emptying the other buffer (another file touched) writes nothing it did not change.
    writeBytes(other, "[Convert]\nStyle=ANSI\nRead=again\nMine=2\n");
    GetIniEntry(wpath("third.ini"), L"Convert", L"Style");
    EXPECT_EQ(bytes(other), "[Convert]\nStyle=ANSI\nRead=again\nMine=2\n");

    // A key the add-on changed and the user edited too: the later write wins, as with
    // any two writers of one key.
    WriteIniEntry(ini, L"S", L"Read", L"mine");
    SaveIniBuffer(INI_BUFFER_MAIN, false);
    EXPECT_EQ(onDisk(ini, L"S", L"Read"), L"mine");
    EXPECT_EQ(onDisk(ini, L"Hand", L"Note"), L"kept");
}

TEST_F(IniStorage, TouchingAnotherFileWritesAndEmptiesTheBufferOfTheFirst)
{
    GetIniFile();
    const std::wstring a = wpath("a.ini");
    const std::wstring b = wpath("b.ini");
    writeBytes(a, "[S]\nKey=a0\n");
    writeBytes(b, "[S]\nKey=b0\n");

    EXPECT_EQ(GetIniEntry(a, L"S", L"Key"), L"a0");
    WriteIniEntry(a, L"S", L"New", L"a1");
    EXPECT_EQ(onDisk(a, L"S", L"New"), L"<absent>");

    EXPECT_EQ(GetIniEntry(b, L"S", L"Key"), L"b0");
    EXPECT_EQ(onDisk(a, L"S", L"New"), L"a1");
    EXPECT_EQ(GetIniStorageStats().otherFile, b);
    EXPECT_EQ(GetIniStorageStats().otherEntries, 1u);

    // Back to A: its entries come from disk again, so outside changes are seen.
    WritePrivateProfileStringW(L"S", L"Key", L"a2", a.c_str());
    const std::size_t reads = GetIniStorageStats().diskReads;
    EXPECT_EQ(GetIniEntry(a, L"S", L"Key"), L"a2");
    EXPECT_EQ(GetIniStorageStats().diskReads, reads + 1);
    EXPECT_EQ(onDisk(b, L"S", L"Key"), L"b0");
}

TEST_F(IniStorage, SavingNeverCreatesAMissingFileAndBadValuesAreRefused)
{
    const std::wstring ini = GetIniFile();
    const std::wstring missing = wpath("gone/other.ini");
    EXPECT_EQ(ReadEntryFromIni(missing, L"S", L"Key"), L"");
    WriteIniEntry(missing, L"S", L"Key", L"x");
    SaveIniBuffer(INI_BUFFER_OTHER, true);
    EXPECT_FALSE(fs::exists(fs::path(missing)));
    EXPECT_EQ(GetIniStorageStats().otherEntries, 0u);

    // A line break would split the entry into lines of its own in the file.
    const std::string before = bytes(ini);
    EXPECT_EQ(WriteIniEntry(ini, L"S", L"Key", L"one\n[Evil]\nx=1"), 0);
    EXPECT_EQ(WriteIniEntry(ini, L"", L"Key", L"v"), 0);
    EXPECT_EQ(WriteIniEntry(ini, L"S", L"", L"v"), 0);
    SaveAllIniBuffers();
    EXPECT_EQ(bytes(ini), before);
    EXPECT_EQ(GetIniEntry(ini, L"S", L"Key"), L"");
}

TEST_F(IniStorage, ItemListsStopAtTheFirstEmptyItemAndSaveCutsOldTails)
{
    const std::wstring file = wpath("lists.ini");
    writeBytes(file, "[L]\nItem_0=a\nItem_1=b\nItem_2=A\nItem_3=c\nItem_4=\nItem_5=late\n");
    std::vector<std::wstring> list{L"stale"};
    EXPECT_EQ(LoadSection(list, L"L", file), 3);
    EXPECT_EQ(list, (std::vector<std::wstring>{L"a", L"b", L"c"}));

    writeBytes(file, "[L]\nItem_0=a\nItem_1=b\nItem_2=c\nItem_3=\nItem_4=d\n");
    EXPECT_EQ(LoadSection(list, L"L", file), 3);

    EXPECT_EQ(SaveSection({L"1", L"2", L"3", L"4", L"5"}, L"L", file), 5);
    EXPECT_EQ(SaveSection({L"x", L"y"}, L"L", file), 2);
    EXPECT_EQ(LoadSection(list, L"L", file), 2);
    EXPECT_EQ(list, (std::vector<std::wstring>{L"x", L"y"}));
    EXPECT_EQ(onDisk(file, L"L", L"LastItem"), L"y");

    EXPECT_EQ(SaveSection({}, L"L", file), 0);
    EXPECT_EQ(onDisk(file, L"L", L"LastItem"), L"");
    EXPECT_EQ(onDisk(file, L"L", L"Item_1"), L"");

    // At most 100 items are read.
    std::string many = "[M]\n";
    for (int i = 0; i < 120; ++i)
        many += "Item_" + std::to_string(i) + "=v" + std::to_string(i) + "\n";
    writeBytes(file, many);
    EXPECT_EQ(LoadSection(list, L"M", file), 100);
    EXPECT_EQ(list.back(), L"v99");

    // Without a file the list belongs to the options file in use, which needs options.
    EXPECT_EQ(LoadSection(list, L"L"), 0);
    EXPECT_TRUE(list.empty());
}

TEST_F(IniStorage, SplitKeyValueCutsAtTheEqualSigns)
{
    std::wstring left, right;
    EXPECT_TRUE(SplitKeyValue(L"a=b=c=d", left, right));
    EXPECT_EQ(left, L"a");
    EXPECT_EQ(right, L"b=c");
    EXPECT_TRUE(SplitKeyValue(L"a=", left, right));
    EXPECT_EQ(left, L"a");
    EXPECT_EQ(right, L"");
    EXPECT_TRUE(SplitKeyValue(L" 1:50 = DIM_1_50 = 7 ", left, right));
    EXPECT_EQ(left, L"1:50");
    EXPECT_EQ(right, L"DIM_1_50=7");
    EXPECT_FALSE(SplitKeyValue(L" plain ", left, right));
    EXPECT_EQ(left, L" plain ");
    EXPECT_EQ(right, L"");
}

TEST_F(IniStorage, SetIniFileSavesTheMainBufferAndTheNextCallFindsTheFileAgain)
{
    const std::wstring ini = GetIniFile();
    SetIniGeneral(L"LastMode", L"3");
    SetIniFile(L"");
    EXPECT_EQ(onDisk(ini, L"General Info", L"LastMode"), L"3");
    EXPECT_EQ(GetIniStorageStats().mainEntries, 0u);
    EXPECT_EQ(GetIniFile(), ini);
    EXPECT_EQ(GetIniGeneralInt(L"LastMode"), 3);
}

TEST_F(IniStorage, UnusableSettingsFolderFallsBackToTheTemporaryFolderWithAMessage)
{
    // A plain file where the folder should be: nothing can be created below it.
    writeBytes(wpath("blocker"), "not a folder");
    ::setenv("APPDATA", (m_root / "blocker").string().c_str(), 1);

    const std::wstring ini = GetIniFile();
    EXPECT_EQ(ini, wpath("tmp/lintaro.ini"));
    EXPECT_TRUE(fs::exists(fs::path(ini)));
    EXPECT_NE(transcript().find(wpath("tmp/")), std::wstring::npos); // the user is told where
    const std::size_t length = transcript().size();
    GetSettingsFolder();
    GetIniFile();
    EXPECT_EQ(transcript().size(), length); // said once
    EXPECT_EQ(bytes(wpath("blocker")), "not a folder");
}

} // namespace
