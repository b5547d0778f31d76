#include "host/mfc/WinTimer.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

HWND window() {
    static int tag;
    return reinterpret_cast<HWND>(&tag);
}

std::vector<UINT_PTR> g_ticks;

void recordTick(HWND, UINT msg, UINT_PTR id, DWORD) {
    EXPECT_EQ(msg, 0x0113u); // WM_TIMER
    g_ticks.push_back(id);
}

void oneShot(HWND hwnd, UINT, UINT_PTR id, DWORD) {
    g_ticks.push_back(id);
    KillTimer(hwnd, id);
}

// Sets a second timer from inside its procedure, as a chain of deferred work does.
void setsAnother(HWND hwnd, UINT, UINT_PTR id, DWORD) {
    g_ticks.push_back(id);
    KillTimer(hwnd, id);
    SetTimer(hwnd, 77, 100, &recordTick);
}

class WinTimerTest : public ::testing::Test {
protected:
    void SetUp() override { g_ticks.clear(); }
    void TearDown() override {
        for (UINT_PTR id : {1u, 2u, 5u, 7u, 77u}) KillTimer(window(), id);
        for (UINT_PTR id = 1; id < 10; ++id) KillTimer(nullptr, id);
    }
};

} // namespace

// A timer fires at each idle time until killed; a one-shot timer fires once; setting the
// same id again restarts it instead of adding a second one.
TEST_F(WinTimerTest, TimersFireWhenIdleUntilKilled) {
    EXPECT_EQ(SetTimer(window(), 5, 100, &recordTick), 5u);
    EXPECT_EQ(SetTimer(window(), 5, 100, &recordTick), 5u);
    EXPECT_EQ(SetTimer(window(), 7, 100, &oneShot), 7u);
    EXPECT_EQ(host::mfc::timerCount(), 2);
    EXPECT_EQ(host::mfc::fireTimers(), 2);
    EXPECT_EQ(host::mfc::fireTimers(), 1);
    EXPECT_EQ((std::vector<UINT_PTR>{5, 7, 5}), g_ticks);
    EXPECT_TRUE(KillTimer(window(), 5));
    EXPECT_FALSE(KillTimer(window(), 5));
    EXPECT_EQ(host::mfc::fireTimers(), 0);
    EXPECT_EQ(host::mfc::timerCount(), 0);
}

// Without a procedure there is nothing to call: refused. Window-less timers get ids of
// their own. A timer set by a procedure waits for the next idle time.
TEST_F(WinTimerTest, RefusesTimersWithoutProcedureAndDefersTimersSetWhileFiring) {
    EXPECT_EQ(SetTimer(window(), 1, 100, nullptr), 0u);
    const UINT_PTR a = SetTimer(nullptr, 0, 100, &recordTick);
    const UINT_PTR b = SetTimer(nullptr, 0, 100, &recordTick);
    EXPECT_NE(a, 0u);
    EXPECT_NE(a, b);
    EXPECT_TRUE(KillTimer(nullptr, a));
    EXPECT_TRUE(KillTimer(nullptr, b));

    SetTimer(window(), 2, 100, &setsAnother);
    EXPECT_EQ(host::mfc::runIdleWork(), 1);
    EXPECT_EQ((std::vector<UINT_PTR>{2}), g_ticks);
    EXPECT_EQ(host::mfc::runIdleWork(), 1);
    EXPECT_EQ((std::vector<UINT_PTR>{2, 77}), g_ticks);
}
