#include "EdSession.h"

#include "host/ed/input/AcEdFilterWinMsg.h"
#include "host/ed/DrawingView.h"
#include "host/ed/DrawingWindow.h"
#include "host/ed/input/RightClick.h"

#include <vector>

namespace {

std::vector<MSG> g_messages;
bool g_swallowUp = false;

BOOL recordingFilter(MSG* msg) {
    if (msg->message != WM_RBUTTONDOWN && msg->message != WM_RBUTTONUP) return FALSE;
    g_messages.push_back(*msg);
    return msg->message == WM_RBUTTONUP && g_swallowUp ? TRUE : FALSE;
}

int g_commandRuns = 0;
void countingCommand() { ++g_commandRuns; }

class RightClickTest : public EdSession {
protected:
    void SetUp() override {
        EdSession::SetUp();
        g_messages.clear();
        g_swallowUp = false;
        g_commandRuns = 0;
        ASSERT_TRUE(acedRegisterFilterWinMsg(&recordingFilter));
        host::hostInput().setEventHandler(host::handleRightClickEvent);
    }
    void TearDown() override {
        acedRemoveFilterWinMsg(&recordingFilter);
        host::commandLine().setIdleHandler(nullptr);
        EdSession::TearDown();
    }
};

} // namespace

// "@rclick x,y" sends both right-button messages at the point's client coordinates to
// the filters; when none takes the button-up the host's own menu shows, otherwise not.
TEST_F(RightClickTest, SendsButtonMessagesAtTheClientPointAndShowsTheHostMenuWhenUntaken) {
    run(L"@rclick 3,4\n");
    ASSERT_EQ(g_messages.size(), 2u);
    EXPECT_EQ(g_messages[0].message, static_cast<UINT>(WM_RBUTTONDOWN));
    EXPECT_EQ(g_messages[1].message, static_cast<UINT>(WM_RBUTTONUP));
    const POINT expected = host::clientPointOf(AcGePoint3d(3, 4, 0));
    for (const MSG& m : g_messages) {
        EXPECT_EQ(GET_X_LPARAM(m.lParam), expected.x);
        EXPECT_EQ(GET_Y_LPARAM(m.lParam), expected.y);
        EXPECT_EQ(m.hwnd, adsw_acadDocWnd());
    }
    // The client point maps back to the clicked drawing point within a pixel.
    const AcGePoint3d back = host::worldPointOf(expected.x, expected.y);
    const double pixel = host::drawingView().pixelsToUnits(1);
    EXPECT_NEAR(back.x, 3.0, pixel);
    EXPECT_NEAR(back.y, 4.0, pixel);
    EXPECT_TRUE(said(host::hostContextMenuLine()));

    transcript.clear();
    g_messages.clear();
    g_swallowUp = true;
    run(L"@RCLICK 5,6\n");
    EXPECT_EQ(g_messages.size(), 2u);
    EXPECT_FALSE(said(host::hostContextMenuLine()));
}

// A click without a readable point is refused with a message and reaches no filter;
// other events are left to other handlers.
TEST_F(RightClickTest, RefusesClicksWithoutAPoint) {
    run(L"@rclick\n@rclick abc\n@rclick @1,1\n");
    EXPECT_TRUE(g_messages.empty());
    EXPECT_TRUE(said(L"\"@rclick abc\" needs a point x,y"));
    EXPECT_FALSE(said(host::hostContextMenuLine()));
    EXPECT_FALSE(host::handleRightClickEvent(L"rclicker 1,2"));
    EXPECT_FALSE(host::handleRightClickEvent(L"menu 32798"));
}

// Work posted while the host is idle after the input has ended still runs.
TEST_F(RightClickTest, IdleWorkAfterTheInputEndedStillRuns) {
    ASSERT_EQ(acedRegCmds->addCommand(L"TEST_GROUP", L"TEST_Count", L"TEST_Count", ACRX_CMD_MODAL, &countingCommand),
              Acad::eOk);
    int idles = 0;
    // The first idle time is before the first prompt, the second after the input ended.
    host::commandLine().setIdleHandler([&idles] {
        if (++idles == 2) acedPostCommand(L"TEST_Count ");
    });
    run(L"");
    EXPECT_EQ(g_commandRuns, 1);
    EXPECT_GE(idles, 3);
}
