#include "host/ed/SysVars.h"
#include "host/rx/acutString.h"

#include <gtest/gtest.h>

namespace {
resbuf shortValue(short v) {
    resbuf rb{};
    rb.restype = RTSHORT;
    rb.resval.rint = v;
    return rb;
}
} // namespace

TEST(HostVariables, ReadAndWriteWithTheirKinds) {
    resbuf rb{};
    ASSERT_EQ(acedGetVar(L"clayer", &rb), RTNORM) << "names compare without case";
    ASSERT_EQ(rb.restype, RTSTR);
    EXPECT_STREQ(rb.resval.rstring, L"0");
    acutDelString(rb.resval.rstring);

    ASSERT_EQ(acedGetVar(L"SDI", &rb), RTNORM);
    EXPECT_EQ(rb.restype, RTSHORT);
    EXPECT_EQ(rb.resval.rint, 0);

    // A long that fits is taken for a short variable; one that does not is refused.
    resbuf lng{};
    lng.restype = RTLONG;
    lng.resval.rlong = 10;
    EXPECT_EQ(acedSetVar(L"PICKBOX", &lng), RTNORM);
    lng.resval.rlong = 100000;
    EXPECT_EQ(acedSetVar(L"PICKBOX", &lng), RTREJ);
    ASSERT_EQ(acedGetVar(L"PICKBOX", &rb), RTNORM);
    EXPECT_EQ(rb.resval.rint, 10) << "a refused value changes nothing";

    // An integer is a fine real; a string is not.
    resbuf s = shortValue(50);
    EXPECT_EQ(acedSetVar(L"DIMSCALE", &s), RTNORM);
    ASSERT_EQ(acedGetVar(L"DIMSCALE", &rb), RTNORM);
    EXPECT_EQ(rb.restype, RTREAL);
    EXPECT_EQ(rb.resval.rreal, 50.0);
    wchar_t text[] = L"50";
    resbuf str{};
    str.restype = RTSTR;
    str.resval.rstring = text;
    EXPECT_EQ(acedSetVar(L"DIMSCALE", &str), RTREJ);

    EXPECT_EQ(acedSetVar(L"CMDNAMES", &str), RTREJ) << "the running commands are the host's to say";
    EXPECT_EQ(acedGetVar(L"NOSUCHVAR", &rb), RTERROR);
    EXPECT_EQ(acedSetVar(L"NOSUCHVAR", &s), RTERROR);
    EXPECT_EQ(acedGetVar(nullptr, &rb), RTERROR);
    EXPECT_EQ(acedGetVar(L"SDI", nullptr), RTERROR);
    EXPECT_EQ(acedSetVar(L"SDI", nullptr), RTERROR);
    s = shortValue(1);
    acedSetVar(L"PICKBOX", &s);
    s = shortValue(3);
    acedSetVar(L"PICKBOX", &s);
}

TEST(HostVariables, OwnersCanComputeAndGuardTheirVariables) {
    host::SysVars& vars = host::sysVars();
    std::wstring layer = L"Bemassung";
    vars.define(
        L"TEST_LAYER", [&] { return host::VarValue::ofString(layer); },
        [&](const host::VarValue& v) {
            if (v.text.empty()) return false; // an empty layer name is no layer
            layer = v.text;
            return true;
        });
    wchar_t empty[] = L"";
    wchar_t other[] = L"Text";
    resbuf rb{};
    rb.restype = RTSTR;
    rb.resval.rstring = empty;
    EXPECT_EQ(acedSetVar(L"TEST_LAYER", &rb), RTREJ);
    EXPECT_EQ(layer, L"Bemassung");
    rb.resval.rstring = other;
    EXPECT_EQ(acedSetVar(L"TEST_LAYER", &rb), RTNORM);
    EXPECT_EQ(layer, L"Text");

    vars.define(L"TEST_RO", [] { return host::VarValue::ofShort(7); });
    resbuf s{};
    s.restype = RTSHORT;
    s.resval.rint = 1;
    EXPECT_EQ(acedSetVar(L"TEST_RO", &s), RTREJ) << "no setter: read-only";
    vars.undefine(L"TEST_LAYER");
    vars.undefine(L"TEST_RO");
    EXPECT_FALSE(vars.isDefined(L"TEST_LAYER"));
}
