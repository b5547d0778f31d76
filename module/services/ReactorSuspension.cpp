#include "module/services/ReactorSuspension.h"

namespace {
int g_suspended = 0;
} // namespace

int SetReactorsSuspended(int flag) {
    const int previous = g_suspended;
    g_suspended = flag;
    return previous;
}

int AreReactorsSuspended() {
    return g_suspended;
}
