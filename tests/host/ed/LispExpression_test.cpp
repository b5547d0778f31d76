#include "EdSession.h"

#include "host/ed/lisp/LispExpression.h"
#include "host/rx/adscodes.h"

TEST(LispExpression, CallsTypedAtThePromptAreReadWithTheirArguments) {
    std::wstring problem;
    auto call =
        host::parseLispCall(L"  (XOTA_LintaroMakeDimByLine 1 -2.5 \"a \\\"b\\\"\" nil T 100000) ", problem);
    ASSERT_TRUE(call) << problem;
    EXPECT_EQ(call->name, L"XOTA_LintaroMakeDimByLine");
    ASSERT_EQ(call->args.size(), 6u);
    EXPECT_EQ(call->args[0].type, RTSHORT);
    EXPECT_EQ(call->args[0].integer, 1);
    EXPECT_EQ(call->args[1].type, RTREAL);
    EXPECT_EQ(call->args[1].real, -2.5);
    EXPECT_EQ(call->args[2].type, RTSTR);
    EXPECT_EQ(call->args[2].text, L"a \"b\"");
    EXPECT_EQ(call->args[3].type, RTNIL);
    EXPECT_EQ(call->args[4].type, RTT);
    EXPECT_EQ(call->args[5].type, RTLONG) << "too big for a short";
    EXPECT_TRUE(host::parseLispCall(L"(f)", problem));

    EXPECT_TRUE(host::isLispExpression(L"  (f"));
    EXPECT_FALSE(host::isLispExpression(L"LINE"));
    EXPECT_FALSE(host::parseLispCall(L"(f 1", problem));
    EXPECT_EQ(problem, L"malformed list on input");
    EXPECT_FALSE(host::parseLispCall(L"(f 1))", problem));
    EXPECT_EQ(problem, L"extra right paren on input");
    EXPECT_FALSE(host::parseLispCall(L"(f (g))", problem));
    EXPECT_FALSE(host::parseLispCall(L"(f \"open)", problem));
    EXPECT_FALSE(host::parseLispCall(L"(f 1,2)", problem));
    EXPECT_NE(problem.find(L"1,2"), std::wstring::npos);
    EXPECT_FALSE(host::parseLispCall(L"()", problem));
}

class LispExpressionLine : public EdSession {};

TEST_F(LispExpressionLine, TheCommandLineSaysWhatIsWrongAndGoesOn) {
    run(L"(no_such_function 1)\n(broken\nQUIT\n");
    EXPECT_TRUE(said(L"\n; error: no function definition: no_such_function"));
    EXPECT_TRUE(said(L"\n; error: malformed list on input"));
    EXPECT_TRUE(host::commandLine().quitRequested()) << "the script went on after the errors";
}
