#include "host/ed/input/AcEdFilterWinMsg.h"

#include <algorithm>
#include <vector>

namespace {
std::vector<AcedFilterWinMsgFn>& filters() {
    static std::vector<AcedFilterWinMsgFn> f;
    return f;
}
} // namespace

bool acedRegisterFilterWinMsg(const AcedFilterWinMsgFn pfn) {
    auto& f = filters();
    if (!pfn || std::find(f.begin(), f.end(), pfn) != f.end()) return false;
    f.push_back(pfn);
    return true;
}

bool acedRemoveFilterWinMsg(const AcedFilterWinMsgFn pfn) {
    auto& f = filters();
    auto it = std::find(f.begin(), f.end(), pfn);
    if (it == f.end()) return false;
    f.erase(it);
    return true;
}

namespace host {

bool filterWinMsg(MSG* msg) {
    // A filter may remove itself while it runs: walk a copy.
    const std::vector<AcedFilterWinMsgFn> current = filters();
    for (AcedFilterWinMsgFn fn : current)
        if (fn(msg)) return true;
    return false;
}

int filterWinMsgCount() { return static_cast<int>(filters().size()); }

} // namespace host
