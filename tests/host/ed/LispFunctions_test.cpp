#include "EdSession.h"

#include "host/ed/lisp/LispFunctions.h"
#include "host/rx/AcRxDynamicLinker.h"

namespace {

// A module in the manner of the add-on: defines its functions on kLoadDwgMsg and
// dispatches kInvkSubrMsg by function code.
std::vector<std::wstring> g_calls;
int g_lastCode = 0;

int popUp() {
    g_calls.push_back(L"popup");
    return RTNORM;
}
int makeDim() {
    g_calls.push_back(L"makeDim");
    return RTERROR;
}
int direct() {
    g_calls.push_back(L"direct code=" + std::to_wstring(acedGetFunCode()));
    acedRetStr(L"direct result");
    return RSRSLT;
}

AcRx::AppRetCode lispModule(AcRx::AppMsgCode msg, void* pkt) {
    switch (msg) {
    case AcRx::kInitAppMsg: acrxDynamicLinker->unlockApplication(pkt); break;
    case AcRx::kLoadDwgMsg:
        acedDefun(L"C:TEST_PopUp", 0);
        acedDefun(L"TEST_MakeDim", 1);
        acedDefun(L"TEST_Unknown", 7);
        acedDefun(L"TEST_Direct", 2);
        acedRegFunc(&direct, 2);
        break;
    case AcRx::kUnloadDwgMsg:
        acedUndef(L"C:TEST_PopUp", 0);
        acedUndef(L"TEST_MakeDim", 1);
        break;
    case AcRx::kInvkSubrMsg: {
        acedRetVoid();
        g_lastCode = acedGetFunCode();
        static int (*const table[])() = {&popUp, &makeDim};
        if (g_lastCode < 0 || g_lastCode > 1) {
            g_calls.push_back(L"refused");
            break; // the module's dispatcher answers RTERROR for a code it does not know
        }
        if (resbuf* args = acedGetArgs()) {
            if (args->restype == RTSTR) g_calls.push_back(std::wstring(L"arg ") + args->resval.rstring);
        }
        table[g_lastCode]();
        break;
    }
    default: break;
    }
    return AcRx::kRetOK;
}

class LispTest : public EdSession {
protected:
    void SetUp() override {
        EdSession::SetUp();
        g_calls.clear();
        int drawing = 0;
        acrxDynamicLinker->setOpenDrawingsProvider([p = &drawing] { return std::vector<void*>{p}; });
        ASSERT_TRUE(acrxDynamicLinker->loadModule(L"lisp.arx", &lispModule));
        acrxDynamicLinker->setOpenDrawingsProvider(nullptr);
    }
    void TearDown() override {
        acrxDynamicLinker->unloadModule(L"lisp.arx");
        EdSession::TearDown();
    }
};

} // namespace

TEST_F(LispTest, FunctionsReachTheirModuleByCode) {
    host::LispFunctions& lisp = host::lispFunctions();
    EXPECT_TRUE(lisp.isDefined(L"c:test_popup")) << "names compare without case";
    EXPECT_EQ(lisp.definingModule(L"TEST_MakeDim"), L"lisp.arx");

    host::LispResult r = lisp.invoke(L"TEST_MakeDim", {host::LispValue{RTSTR, 0, {}, 0, {}, L"hello"}});
    EXPECT_EQ(r.status, RTNORM);
    EXPECT_EQ(g_lastCode, 1);
    EXPECT_EQ(g_calls, (std::vector<std::wstring>{L"arg hello", L"makeDim"})) << "the module reads its arguments";
    ASSERT_EQ(r.values.size(), 1u);
    EXPECT_EQ(r.values[0].type, RTVOID);

    // A code the module does not know reaches it and is refused there.
    g_calls.clear();
    EXPECT_EQ(lisp.invoke(L"TEST_Unknown").status, RTNORM);
    EXPECT_EQ(g_calls, std::vector<std::wstring>{L"refused"});

    // A registered handler is called directly, in a call of its own.
    g_calls.clear();
    r = lisp.invoke(L"TEST_Direct");
    EXPECT_EQ(r.status, RTNORM);
    EXPECT_EQ(g_calls, std::vector<std::wstring>{L"direct code=2"});
    ASSERT_EQ(r.values.size(), 1u);
    EXPECT_EQ(r.values[0].text, L"direct result");

    EXPECT_EQ(lisp.invoke(L"NOT_DEFINED").status, RTERROR);
    EXPECT_EQ(acedGetFunCode(), RTERROR) << "no function is running now";
    EXPECT_EQ(acedRetInt(1), RTERROR);
    EXPECT_EQ(acedGetArgs(), nullptr);
}

TEST_F(LispTest, CommandFunctionsRunAtTheCommandLineUntilUndefined) {
    run(L"TEST_PopUp\n_test_popup\nTEST_MakeDim\n");
    EXPECT_EQ(g_calls, (std::vector<std::wstring>{L"popup", L"popup"}));
    EXPECT_TRUE(said(L"Unknown command \"TEST_MAKEDIM\"")) << "only C: functions are commands";

    // Outside the module's context nothing can be defined or removed.
    EXPECT_EQ(acedDefun(L"C:INTRUDER", 0), RTERROR);
    EXPECT_EQ(acedUndef(L"C:TEST_PopUp", 0), RTERROR);
    EXPECT_EQ(acedRegFunc(&popUp, 0), RTERROR);

    // The module removes its functions with the drawing; a wrong code removes nothing.
    int drawing = 0;
    EXPECT_EQ(acrxDynamicLinker->sendModuleMessage(L"lisp.arx", AcRx::kUnloadDwgMsg, &drawing), AcRx::kRetOK);
    EXPECT_FALSE(host::lispFunctions().isDefined(L"C:TEST_PopUp"));
    EXPECT_TRUE(host::lispFunctions().isDefined(L"TEST_Unknown"));
    g_calls.clear();
    run(L"TEST_PopUp\n");
    EXPECT_TRUE(g_calls.empty());

    // Unloading the module takes the rest with it.
    ASSERT_TRUE(acrxDynamicLinker->unloadModule(L"lisp.arx"));
    EXPECT_FALSE(host::lispFunctions().isDefined(L"TEST_Unknown"));
    EXPECT_FALSE(host::lispFunctions().isDefined(L"TEST_Direct"));
    EXPECT_EQ(host::lispFunctions().invoke(L"TEST_Direct").status, RTERROR);
}

TEST(LispValues, ListsAndPointsSurviveTheTrip) {
    resbuf c{nullptr, RTREAL, {}};
    c.resval.rreal = 2.5;
    resbuf b{&c, RT3DPOINT, {}};
    b.resval.rpoint[0] = 1;
    b.resval.rpoint[1] = 2;
    b.resval.rpoint[2] = 3;
    wchar_t text[] = L"BMa\u00DF";
    resbuf a{&b, RTSTR, {}};
    a.resval.rstring = text;
    const std::vector<host::LispValue> v = host::lispValuesFromResbuf(&a);
    ASSERT_EQ(v.size(), 3u);
    EXPECT_EQ(v[0].text, L"BMa\u00DF");
    EXPECT_EQ(v[1].point[2], 3.0);
    EXPECT_EQ(v[2].real, 2.5);
    EXPECT_TRUE(host::lispValuesFromResbuf(nullptr).empty());
}
