#include "module/app/Reactors.h"

#include "host/db/AcDbObjectOpen.h"
#include "host/ed/AcEditorReactor.h"
#include "module/app/DocLocks.h"
#include "module/app/LintaroLog.h"
#include "module/chain/TRdim.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace {

std::vector<AcDbObjectId> g_appended;
std::vector<AcDbObjectId> g_followAtEnd;

// The chains whose curve the command changed and that the command did not transform.
void followCurvesAtEnd() {
    const std::vector<AcDbObjectId> chains = std::move(g_followAtEnd);
    g_followAtEnd.clear();
    for (const AcDbObjectId& id : chains) {
        if (IsInAppendedList(id)) continue;
        TRdim* chain = nullptr;
        CDbLockScope lock(id.database(), L"followCurvesAtEnd");
        const Acad::ErrorStatus es = acdbOpenObject(chain, id, AcDb::kForWrite);
        if (es != Acad::eOk) {
            LogFmt(L"\n followCurvesAtEnd: open es=%d ", static_cast<int>(es));
            continue;
        }
        chain->FollowCurve();
        chain->close();
    }
}

// What every end of a command does: late curve follows first, then a fresh list.
void endOfCommand() {
    followCurvesAtEnd();
    ClearAppendedList();
}

// The editor reactor. So far it keeps the list of objects a command has dealt with to
// the command's lifetime and lets arc chains follow their curves at its end; what it
// does for height marks, texts and the host's dimensions comes with those objects.
class AsdkEdReactor : public AcEditorReactor {
public:
    void commandWillStart(const wchar_t* cmdStr) override {
        LogFmt(L"\n# commandWillStart <%s> %d ", cmdStr ? cmdStr : L"", 0);
        ClearAppendedList();
    }
    void commandEnded(const wchar_t* cmdStr) override {
        LogFmt(L"\n# commandEnded <%s> L=%d ", cmdStr ? cmdStr : L"", static_cast<int>(g_appended.size()));
        endOfCommand();
    }
    void commandCancelled(const wchar_t* cmdStr) override {
        LogFmt(L"\n# commandCancelled <%s> ", cmdStr ? cmdStr : L"");
        endOfCommand();
    }
    void commandFailed(const wchar_t* cmdStr) override {
        LogFmt(L"\n# commandFailed <%s> ", cmdStr ? cmdStr : L"");
        endOfCommand();
    }
};

std::unique_ptr<AsdkEdReactor> g_editorReactor;

} // namespace

void InstallReactors() {
    LogMsg(L"\n DRStart ");
    if (g_editorReactor) return;
    g_editorReactor = std::make_unique<AsdkEdReactor>();
    acedEditor->addReactor(g_editorReactor.get());
}

void RemoveReactors() {
    LogMsg(L"\n DRStop ");
    if (!g_editorReactor) return;
    acedEditor->removeReactor(g_editorReactor.get());
    g_editorReactor.reset();
    g_followAtEnd.clear();
    ClearAppendedList();
}

bool AreReactorsInstalled() {
    return g_editorReactor != nullptr;
}

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

bool DeferCurveFollow(AcDbObjectId chainId) {
    if (!g_editorReactor || chainId.isNull()) return false;
    if (std::find(g_followAtEnd.begin(), g_followAtEnd.end(), chainId) == g_followAtEnd.end())
        g_followAtEnd.push_back(chainId);
    return true;
}
