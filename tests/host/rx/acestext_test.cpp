#include "host/rx/acestext.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

TEST(acadErrorStatusText, NamesEveryCodeByItsEnumerator) {
    EXPECT_STREQ(acadErrorStatusText(Acad::eOk), L"eOk");
    EXPECT_STREQ(acadErrorStatusText(Acad::eInvalidInput), L"eInvalidInput");
    EXPECT_STREQ(acadErrorStatusText(Acad::eNotOpenForWrite), L"eNotOpenForWrite");
    EXPECT_STREQ(acadErrorStatusText(Acad::eKeyNotFound), L"eKeyNotFound");
    EXPECT_STREQ(acadErrorStatusText(Acad::eNoDatabase), L"eNoDatabase");
    EXPECT_STREQ(acadErrorStatusText(Acad::eXdataSizeExceeded), L"eXdataSizeExceeded");
    EXPECT_STREQ(acadErrorStatusText(Acad::eLockViolation), L"eLockViolation");
    EXPECT_STREQ(acadErrorStatusText(Acad::eNotHandled), L"eNotHandled");

    // Numbers between and beyond the defined ones (111..124 are unused) are unknown,
    // never a neighbour's name and never null.
    for (int n : {-1, 19, 111, 124, 148, 329, 340, 100000}) {
        const wchar_t* text = acadErrorStatusText(static_cast<Acad::ErrorStatus>(n));
        ASSERT_NE(text, nullptr) << n;
        EXPECT_STREQ(text, L"eUnknownErrorStatus") << n;
    }

    // Every defined code has a name of its own.
    std::set<std::wstring> names;
    int known = 0;
    for (int n = 0; n <= 400; ++n) {
        std::wstring text = acadErrorStatusText(static_cast<Acad::ErrorStatus>(n));
        if (text == L"eUnknownErrorStatus") continue;
        ++known;
        EXPECT_EQ(text[0], L'e') << n;
        names.insert(text);
    }
    EXPECT_EQ(int(names.size()), known) << "two codes share a name";
    EXPECT_GT(known, 100);
}
