#include "EdSession.h"

#include "host/ed/input/EditorInput.h"
#include "host/ed/SysVars.h"
#include "host/ge/AcGeTol.h"

namespace {
constexpr double kPointTol = lintaro::tol::kHostEqualPoint;

class EditorInputTest : public EdSession {
protected:
    void SetUp() override {
        EdSession::SetUp();
        ads_point origin = {0, 0, 0};
        resbuf rb{};
        rb.restype = RT3DPOINT;
        ads_point_set(origin, rb.resval.rpoint);
        acedSetVar(L"LASTPOINT", &rb);
    }
};
} // namespace

TEST_F(EditorInputTest, PointsAreAskedAgainUntilTheAnswerFits) {
    script(L"nonsense\n1,2\n@3,4\n\nESC\n");
    ads_point p;
    ASSERT_EQ(acedGetPoint(nullptr, L"\nFirst point: ", p), RTNORM);
    EXPECT_NEAR(p[0], 1, kPointTol);
    EXPECT_NEAR(p[1], 2, kPointTol);
    EXPECT_TRUE(said(L"\nFirst point: nonsense\nPoint or option keyword required.\nFirst point: 1,2"));
    ASSERT_EQ(acedGetPoint(p, L"\nNext point: ", p), RTNORM);
    EXPECT_NEAR(p[0], 4, kPointTol) << "relative to the point picked last";
    EXPECT_NEAR(p[1], 6, kPointTol);
    EXPECT_EQ(acedGetPoint(nullptr, L"\nNext point: ", p), RTNONE);
    EXPECT_NEAR(p[0], 4, kPointTol) << "Enter leaves the result alone";
    EXPECT_EQ(acedGetPoint(nullptr, L"\nNext point: ", p), RTCAN);
    EXPECT_EQ(acedGetPoint(nullptr, nullptr, nullptr), RTERROR);
}

TEST_F(EditorInputTest, KeywordsAndInitGetRulesApplyToOneInputOnly) {
    script(L"s\n\n5,5\n\nabc\n-2\n0\n2.5\n7.5\n");
    ads_point p;
    acedInitGet(RSG_NONULL, L"Schliessen Zurueck _ Close Undo");
    ASSERT_EQ(acedGetPoint(nullptr, L"\nPoint: ", p), RTKWORD);
    wchar_t kw[32];
    ASSERT_EQ(acedGetInput(kw, 32), RTNORM);
    EXPECT_STREQ(kw, L"Close") << "the global keyword is returned";

    acedInitGet(RSG_NONULL, nullptr);
    ASSERT_EQ(acedGetPoint(nullptr, L"\nPoint: ", p), RTNORM) << "Enter refused, then the point";
    EXPECT_TRUE(said(L"Point or option keyword required."));
    EXPECT_EQ(acedGetPoint(nullptr, L"\nPoint: ", p), RTNONE) << "the rule held for one input only";

    double d = 0;
    acedInitGet(RSG_NOZERO | RSG_NONEG, nullptr);
    ASSERT_EQ(acedGetReal(L"\nHeight: ", &d), RTNORM);
    EXPECT_EQ(d, 2.5);
    EXPECT_TRUE(said(L"Requires numeric value.")) << "for abc";
    EXPECT_TRUE(said(L"Value must be positive and nonzero.")) << "for -2 and 0";

    int i = 0;
    EXPECT_EQ(acedGetInt(L"\nCount: ", &i), RTNONE) << "7.5 refused, then the script's end answers Enter";
    EXPECT_EQ(acedGetInt(L"\nCount: ", &i), RTCAN) << "and then cancel";
    EXPECT_TRUE(said(L"Requires an integer value."));
}

TEST_F(EditorInputTest, StringsKeywordsAndDistances) {
    script(L"Erdgeschoss \u00B1\u00B2 Ma\u00DF\n\nA very long text\nj\nvielleicht\nn\n3,4\n");
    wchar_t buf[133];
    ASSERT_EQ(acedGetString(1, L"\nText: ", buf), RTNORM);
    EXPECT_STREQ(buf, L"Erdgeschoss \u00B1\u00B2 Ma\u00DF") << "blanks and non-ASCII kept";
    ASSERT_EQ(acedGetString(0, L"\nText: ", buf), RTNORM);
    EXPECT_STREQ(buf, L"") << "Enter is an empty answer";
    wchar_t small[7];
    EXPECT_EQ(acedGetString(1, L"\nText: ", small, 7), RTINPUTTRUNCATED);
    EXPECT_STREQ(small, L"A very");

    acedInitGet(0, L"Ja Nein");
    ASSERT_EQ(acedGetKword(L"\nSure? ", buf), RTNORM);
    EXPECT_STREQ(buf, L"Ja");
    acedInitGet(0, L"Ja Nein");
    ASSERT_EQ(acedGetKword(L"\nSure? ", buf), RTNORM);
    EXPECT_STREQ(buf, L"Nein");
    EXPECT_TRUE(said(L"Invalid option keyword."));

    ads_point base = {0, 0, 0};
    double d = 0;
    ASSERT_EQ(acedGetDist(base, L"\nDistance: ", &d), RTNORM);
    EXPECT_NEAR(d, 5.0, kPointTol) << "a point's distance from the base";
}
