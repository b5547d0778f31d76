#include "module/base/FilePaths.h"

#include "tests/host/win/TempFolder.h"

#include <gtest/gtest.h>

using testing_support::TempFolder;

TEST(FilePaths, OnlyAnExistingFileExistsAndFoldersEndInOneSeparator) {
    TempFolder tmp;
    TempFolder::write(tmp.path("tmp/Maß.ini"), "x");
    EXPECT_TRUE(FileExists(tmp.wpath("tmp/Maß.ini")));
    EXPECT_FALSE(FileExists(tmp.wpath("tmp"))) << "a folder is not a file";
    EXPECT_FALSE(FileExists(tmp.wpath("tmp/none.ini")));
    EXPECT_FALSE(FileExists(L""));

    EXPECT_EQ(WithSeparator(L"/tmp"), L"/tmp/");
    EXPECT_EQ(WithSeparator(L"/tmp/"), L"/tmp/");
    EXPECT_EQ(WithSeparator(L"C:\\Temp\\"), L"C:\\Temp\\") << "a Windows separator is kept";
    EXPECT_EQ(WithSeparator(L""), L"/");
}
