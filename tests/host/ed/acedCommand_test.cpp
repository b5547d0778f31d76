#include "EdSession.h"

#include "host/ed/input/EditorInput.h"
#include "host/ed/acedCommand.h"
#include "host/rx/adscodes.h"

#include <string>
#include <vector>

namespace {

std::vector<std::wstring> g_seen; // what the driving commands got back, in order

// Runs the test's point-asking command with its first point given: the second comes
// from the script, as the user's answer.
void drivesWithFirstAnswer() {
    const double first[3] = {1, 2, 0};
    g_seen.push_back(L"rc=" + std::to_wstring(acedCommandS(RTSTR, L"TEST_Two", RT3DPOINT, first, RTNONE)));
}
void twoPoints() {
    ads_point a, b;
    const int rc1 = acedGetPoint(nullptr, L"\nFirst: ", a);
    const int rc2 = rc1 == RTNORM ? acedGetPoint(nullptr, L"\nSecond: ", b) : rc1;
    g_seen.push_back(rc2 == RTNORM
                         ? L"got " + std::to_wstring(int(a[0])) + L"," + std::to_wstring(int(a[1])) + L" " +
                               std::to_wstring(int(b[0])) + L"," + std::to_wstring(int(b[1]))
                         : L"stopped " + std::to_wstring(rc2));
}
void drivesUnknownAndBadArguments() {
    g_seen.push_back(L"unknown=" + std::to_wstring(acedCommandS(RTSTR, L"NO_SUCH_COMMAND", RTNONE)));
    g_seen.push_back(L"noName=" + std::to_wstring(acedCommandS(RTSHORT, 5, RTNONE)));
    g_seen.push_back(L"badType=" + std::to_wstring(acedCommandS(RTSTR, L"TEST_Two", 4711, 1, RTNONE)));
}

class AcedCommandTest : public EdSession {
protected:
    void SetUp() override {
        EdSession::SetUp();
        g_seen.clear();
        for (auto [name, f] :
             {std::pair{L"TEST_Drive", &drivesWithFirstAnswer}, std::pair{L"TEST_Two", &twoPoints},
              std::pair{L"TEST_Bad", &drivesUnknownAndBadArguments}})
            ASSERT_EQ(acedRegCmds->addCommand(L"TEST_GROUP", name, name, ACRX_CMD_MODAL, f), Acad::eOk);
    }
};

} // namespace

TEST_F(AcedCommandTest, FirstAnswersGivenTheRestFromTheInputFailuresRunNothing) {
    run(L"TEST_Drive\n7,8\nTEST_Drive\nESC\nTEST_Bad\n");
    EXPECT_EQ(g_seen,
              (std::vector<std::wstring>{
                  L"got 1,2 7,8", L"rc=" + std::to_wstring(RTNORM), L"stopped " + std::to_wstring(RTCAN),
                  L"rc=" + std::to_wstring(RTCAN), L"unknown=" + std::to_wstring(RTERROR),
                  L"noName=" + std::to_wstring(RTERROR), L"badType=" + std::to_wstring(RTERROR)}));
    EXPECT_TRUE(said(L"Unknown command \"NO_SUCH_COMMAND\"")) << transcript.text();
}
