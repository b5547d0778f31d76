#include "module/app/Reactors.h"

#include "host/db/database/AcDbObjectOpen.h"
#include "host/ed/AcEditorReactor.h"
#include "host/win/WinCrt.h"
#include "module/app/DbReactor.h"
#include "module/app/Regenerate.h"
#include "module/services/CommandObjects.h"
#include "module/services/DbServices.h"
#include "module/services/DocLocks.h"
#include "module/base/LintaroLog.h"
#include "module/services/ReactorSuspension.h"
#include "module/chain/TRdim.h"
#include "module/options/CGlobDimOptions.h"
#include "module/options/OptionIndices.h"
#include "module/services/PalettePort.h"

#include <algorithm>
#include <cwctype>
#include <memory>
#include <string>
#include <vector>

namespace {

// The chains whose curve the command changed and that the command did not transform.
void followCurvesAtEnd() {
    const std::vector<AcDbObjectId> chains = TakeDeferredCurveFollows();
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

std::wstring upper(const wchar_t* text) {
    std::wstring out = text ? text : L"";
    _wcsupr(out.data());
    return out;
}

bool contains(const std::wstring& text, const wchar_t* part) {
    return text.find(part) != std::wstring::npos;
}

// Input points and the framed sum are screen aids: they are switched off while a drawing
// is plotted or saved, and the values from before come back afterwards.
struct ScreenAids {
    bool saved = false;
    int inputPoints = 0;
    int sum = 0;
};
ScreenAids g_screenAids;

void hideScreenAids() {
    if (!pGlobDimOptions) return;
    std::vector<int>& flags = pGlobDimOptions->arrayOptFlags;
    if (!g_screenAids.saved)
        g_screenAids = {true, flags[IND_OPT_B_ShowInputPoints], flags[IND_OPT_B_ShowSumOfDim]};
    flags[IND_OPT_B_ShowInputPoints] = 0;
    flags[IND_OPT_B_ShowSumOfDim] = 0;
}

// The palette's two check boxes say what the user wants; without a palette the values
// from before the command.
void restoreScreenAids() {
    if (!pGlobDimOptions) return;
    std::vector<int>& flags = pGlobDimOptions->arrayOptFlags;
    bool inputPoints = false;
    bool sum = false;
    if (Palette().ScreenAidChoice(inputPoints, sum)) {
        flags[IND_OPT_B_ShowInputPoints] = inputPoints ? 1 : 0;
        flags[IND_OPT_B_ShowSumOfDim] = sum ? 1 : 0;
    } else if (g_screenAids.saved) {
        flags[IND_OPT_B_ShowInputPoints] = g_screenAids.inputPoints;
        flags[IND_OPT_B_ShowSumOfDim] = g_screenAids.sum;
    }
    g_screenAids = {};
}

// What every end of a command does: late curve follows first, then a fresh list.
void endOfCommand() {
    followCurvesAtEnd();
    ClearAppendedList();
}

// The editor reactor: the screen aids around plotting and saving, the suspension of the
// database reactor during EXPLODE and block commands, the palette's scale list on space
// changes, the list of objects a command has dealt with, and arc chains following their
// curves at a command's end. What it does for height-mark groups, texts and the host's
// dimensions comes with that work.
class AsdkEdReactor : public AcEditorReactor {
public:
    void commandWillStart(const wchar_t* cmdStr) override {
        const std::wstring name = upper(cmdStr);
        LogFmt(L"\n# commandWillStart <%s> %d ", name.c_str(), 0);
        if (name == L"PLOT") {
            hideScreenAids();
        } else if (contains(name, L"SAVE")) {
            if (pGlobDimOptions && pGlobDimOptions->GetOptFlag(IND_OPT_B_ShowInputPoints) == 1)
                hideScreenAids();
        } else if (name == L"EXPLODE" || contains(name, L"BLOCK")) {
            // The pieces and block contents are the host's own: nothing to look after.
            SetReactorsSuspended(1);
        }
        ClearAppendedList();
        LogFmt(L"\n# commandWillStart <%s> %d END ", name.c_str(), 0);
    }
    void commandEnded(const wchar_t* cmdStr) override {
        const std::wstring name = upper(cmdStr);
        LogFmt(L"\n# commandEnded <%s>  b=%d L=%d ", name.c_str(), 0, static_cast<int>(AppendedList().size()));
        if (Palette().Exists() &&
            (contains(name, L"LAYOUT") || contains(name, L"PSPACE") || contains(name, L"MSPACE") ||
             contains(name, L"MODEL") || contains(name, L"TILEMODE") || contains(name, L"SETVAR")))
            Palette().SelectScale();
        if (contains(name, L"SAVE") || name == L"PLOT") restoreScreenAids();
        if (name == L"EXPLODE" || contains(name, L"BLOCK")) SetReactorsSuspended(0);
        // Height marks copied, moved or rotated follow their groups and links again.
        if (contains(name, L"PASTECLIP") || contains(name, L"COPY") || contains(name, L"DROPGEOM") ||
            ((contains(name, L"ROTATE") || contains(name, L"MOVE")) && !AppendedList().empty()))
            SecondaryModify(AppendedList());
        endOfCommand();
        LogMsg(L" commandEnded{END} ");
    }
    void commandCancelled(const wchar_t* cmdStr) override {
        LogFmt(L"\n# commandCancelled <%s> ", cmdStr ? cmdStr : L"");
        commandEnded(cmdStr);
        SetReactorsSuspended(0);
    }
    void beginClose(AcDbDatabase* /*pDwg*/) override {
        LogFmt(L"\n# beginClose cur:%s ", GetCurrentDWGName().c_str());
        Palette().SaveShownState();
        // The palette belongs to the drawings: it goes with the last one.
        if (GetAcadVarI(L"SDI") != 0 || CountOpenDocuments() > 1) return;
        LogMsg(L"=>zatvaram App ");
        Palette().Close();
    }
    void sysVarChanged(const wchar_t* varName, Adesk::Boolean success) override {
        if (!success) return;
        const std::wstring name = upper(varName);
        LogFmt(L"\n# sysVarChanged <%s> ", name.c_str());
        // Chains and marks drawn in the annotation scale take its new size.
        if (name != L"CANNOSCALE") return;
        DwgRegenVargo(kRegenAnnotationScale);
        DwgRefresh();
    }
    void commandFailed(const wchar_t* cmdStr) override {
        const std::wstring name = upper(cmdStr);
        LogFmt(L"\n# commandFailed <%s> ", name.c_str());
        if (contains(name, L"SAVE") || name == L"PLOT") restoreScreenAids();
        if (name == L"EXPLODE") SetReactorsSuspended(0);
        endOfCommand();
    }
};

std::unique_ptr<AsdkEdReactor> g_editorReactor;

} // namespace

void InstallReactors() {
    LogMsg(L"\n DRStart ");
    WatchDb();
    if (g_editorReactor) return;
    g_editorReactor = std::make_unique<AsdkEdReactor>();
    acedEditor->addReactor(g_editorReactor.get());
    AcceptDeferredCurveFollows(true);
}

void RemoveReactors() {
    LogMsg(L"\n DRStop ");
    if (!g_editorReactor) return;
    acedEditor->removeReactor(g_editorReactor.get());
    g_editorReactor.reset();
    UnwatchDbs();
    AcceptDeferredCurveFollows(false);
    ClearAppendedList();
}

bool AreReactorsInstalled() {
    return g_editorReactor != nullptr;
}
