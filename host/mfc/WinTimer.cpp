#include "host/mfc/WinTimer.h"

#include "host/mfc/CWnd.h"
#include "host/win/WinMsg.h"

#include <algorithm>
#include <vector>

namespace {

struct Timer {
    HWND hwnd = nullptr;
    UINT_PTR id = 0;
    TIMERPROC proc = nullptr;
    unsigned long serial = 0; // which SetTimer made it: a restarted timer is a new one
};

std::vector<Timer>& timers() {
    static std::vector<Timer> t;
    return t;
}

unsigned long g_serial = 0;
DWORD g_ticks = 0;

std::vector<Timer>::iterator findTimer(HWND hWnd, UINT_PTR id) {
    return std::find_if(timers().begin(), timers().end(),
                        [&](const Timer& t) { return t.hwnd == hWnd && t.id == id; });
}

} // namespace

UINT_PTR SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT, TIMERPROC lpTimerFunc) {
    if (!lpTimerFunc) return 0;
    if (!hWnd) {
        // Ids of window-less timers are the host's: pick one that is free.
        nIDEvent = 1;
        while (findTimer(nullptr, nIDEvent) != timers().end()) ++nIDEvent;
    }
    auto it = findTimer(hWnd, nIDEvent);
    if (it != timers().end()) timers().erase(it);
    timers().push_back(Timer{hWnd, nIDEvent, lpTimerFunc, ++g_serial});
    return nIDEvent;
}

BOOL KillTimer(HWND hWnd, UINT_PTR uIDEvent) {
    auto it = findTimer(hWnd, uIDEvent);
    if (it == timers().end()) return FALSE;
    timers().erase(it);
    return TRUE;
}

namespace host::mfc {

int fireTimers() {
    // Only the timers that run now; a procedure may kill or set any of them.
    const std::vector<Timer> due = timers();
    int fired = 0;
    for (const Timer& t : due) {
        auto it = findTimer(t.hwnd, t.id);
        if (it == timers().end() || it->serial != t.serial) continue;
        g_ticks += 100;
        try {
            t.proc(t.hwnd, WM_TIMER, t.id, g_ticks);
        } catch (...) {
            // A procedure that fails must not take the host with it.
        }
        ++fired;
    }
    return fired;
}

int timerCount() { return static_cast<int>(timers().size()); }

int runIdleWork() {
    int work = dispatchPostedMessages();
    work += fireTimers();
    work += dispatchPostedMessages();
    return work;
}

} // namespace host::mfc
