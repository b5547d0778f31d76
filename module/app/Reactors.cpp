#include "module/app/Reactors.h"

#include "host/ed/AcEditorReactor.h"
#include "module/app/LintaroLog.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace {

std::vector<AcDbObjectId> g_appended;

// The editor reactor. So far it keeps the list of objects a command has dealt with to
// the command's lifetime; what it does for height marks, texts and the host's
// dimensions comes with those objects.
class AsdkEdReactor : public AcEditorReactor {
public:
    void commandWillStart(const wchar_t* cmdStr) override {
        LogFmt(L"\n# commandWillStart <%s> %d ", cmdStr ? cmdStr : L"", 0);
        ClearAppendedList();
    }
    void commandEnded(const wchar_t* cmdStr) override {
        LogFmt(L"\n# commandEnded <%s> L=%d ", cmdStr ? cmdStr : L"", static_cast<int>(g_appended.size()));
        ClearAppendedList();
    }
    void commandCancelled(const wchar_t* cmdStr) override {
        LogFmt(L"\n# commandCancelled <%s> ", cmdStr ? cmdStr : L"");
        ClearAppendedList();
    }
    void commandFailed(const wchar_t* cmdStr) override {
        LogFmt(L"\n# commandFailed <%s> ", cmdStr ? cmdStr : L"");
        ClearAppendedList();
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
