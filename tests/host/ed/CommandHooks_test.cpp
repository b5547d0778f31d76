// The order in which listeners bracket a command: the undo group must enclose whatever
// the reactors do at the command's end, whichever was added first.
#include "host/ed/commands/CommandHooks.h"

#include <gtest/gtest.h>

#include <string>

TEST(CommandHooks, OuterListenersEncloseTheOthersWhateverTheOrderOfAdding) {
    host::CommandHooks hooks;
    std::wstring trace;
    hooks.addBegin([&](const std::wstring&, int) { trace += L"b1 "; });
    hooks.addEnd([&](const std::wstring&, int, host::CommandOutcome) { trace += L"e1 "; });
    const int outerBegin = hooks.addOuterBegin([&](const std::wstring&, int) { trace += L"B "; });
    hooks.addOuterEnd([&](const std::wstring&, int, host::CommandOutcome) { trace += L"E "; });
    hooks.addBegin([&](const std::wstring&, int) { trace += L"b2 "; });
    hooks.addEnd([&](const std::wstring&, int, host::CommandOutcome) { trace += L"e2 "; });

    hooks.fireBegin(L"MOVE", 1);
    hooks.fireEnd(L"MOVE", 1, host::CommandOutcome::Ended);
    EXPECT_EQ(trace, L"B b1 b2 e2 e1 E ");

    // Removed, an outer listener is gone like any other.
    trace.clear();
    hooks.remove(outerBegin);
    hooks.fireBegin(L"MOVE", 1);
    EXPECT_EQ(trace, L"b1 b2 ");
}
