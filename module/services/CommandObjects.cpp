#include "module/services/CommandObjects.h"

#include <algorithm>
#include <utility>

namespace {

std::vector<AcDbObjectId> g_appended;
std::vector<AcDbObjectId> g_followAtEnd;
bool g_acceptFollows = false;

} // namespace

bool IsInAppendedList(AcDbObjectId id) {
    return !id.isNull() && std::find(g_appended.begin(), g_appended.end(), id) != g_appended.end();
}

void AddToAppendedList(AcDbObjectId id) {
    if (id.isNull() || IsInAppendedList(id)) return;
    g_appended.push_back(id);
}

void ClearAppendedList() {
    g_appended.clear();
}

const std::vector<AcDbObjectId>& AppendedList() {
    return g_appended;
}

bool DeferCurveFollow(AcDbObjectId chainId) {
    if (!g_acceptFollows || chainId.isNull()) return false;
    if (std::find(g_followAtEnd.begin(), g_followAtEnd.end(), chainId) == g_followAtEnd.end())
        g_followAtEnd.push_back(chainId);
    return true;
}

void AcceptDeferredCurveFollows(bool accept) {
    g_acceptFollows = accept;
    if (!accept) g_followAtEnd.clear();
}

std::vector<AcDbObjectId> TakeDeferredCurveFollows() {
    std::vector<AcDbObjectId> chains = std::move(g_followAtEnd);
    g_followAtEnd.clear();
    return chains;
}
