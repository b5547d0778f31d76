#include "module/ui/HeightCreate.h"

#include "host/db/database/AcDbDatabase.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/ed/Ucs.h"
#include "host/ed/acutPrintf.h"
#include "host/ed/input/EditorInput.h"
#include "host/mfc/CButton.h"
#include "module/base/LanguageModule.h"
#include "module/base/LintaroLog.h"
#include "module/chain/TRdimJig.h"
#include "module/height/HeightText.h"
#include "module/height/TRdimHeight.h"
#include "module/options/CGlobDimOptions.h"
#include "module/options/OptionIndices.h"
#include "module/options/ScaleMaps.h"
#include "module/resources/PaletteResources.h"
#include "module/resources/resource.h"
#include "module/services/DbServices.h"
#include "module/services/ReactorSuspension.h"
#include "module/services/XDataServices.h"
#include "module/ui/CDlgHDbase.h"
#include "module/ui/CDlgMain.h"
#include "module/ui/HeightJig.h"
#include "module/ui/PaletteApp.h"
#include "module/ui/PaletteValues.h"

#include <memory>

namespace {

// The palette's prefix and suffix fields of row 1 and row 2.
constexpr int kPaletteTextFields[4] = {1099, 1097, 1098, 1096};
// Integer parameter 7 of a new base.
constexpr int kIndGroupFormat = 7;
constexpr int kNewBaseGroupFormat = 3;

struct PaletteTexts {
    std::wstring text[4];
};

PaletteTexts ReadPaletteTexts() {
    PaletteTexts t;
    for (int i = 0; i < 4; ++i)
        if (CWnd* w = dlgMyApp ? dlgMyApp->GetDlgItem(kPaletteTextFields[i]) : nullptr) w->GetWindowText(t.text[i]);
    // "<var>" stands for the differing texts of a selection shown: no new mark gets it.
    for (std::wstring& text : t.text)
        if (IsKeepOwnValue(text)) text.clear();
    return t;
}

void WritePaletteTexts(const PaletteTexts& t) {
    for (int i = 0; i < 4; ++i)
        if (CWnd* w = dlgMyApp ? dlgMyApp->GetDlgItem(kPaletteTextFields[i]) : nullptr)
            w->SetWindowText(t.text[i].c_str());
}

CButton* RowBox(int row) {
    return dlgMyApp ? dynamic_cast<CButton*>(dlgMyApp->GetDlgItem(row == 2 ? IDC_BUT_W2 : IDC_BUT_W1)) : nullptr;
}

// The row state the palette's box gives (unchecked 0, checked 1, mixed 2); row 1 always shows.
int PaletteRowState(int row) {
    const CButton* box = RowBox(row);
    const int state = box ? box->GetCheck() : 0;
    return row == 1 && state == 0 ? 1 : state;
}

void SetPaletteRowState(int row, int state) {
    if (CButton* box = RowBox(row)) box->SetCheck(state);
}

AcGePoint3d World(const ads_point p) {
    ads_point w;
    acdbUcs2Wcs(p, w, false);
    return AcGePoint3d(w[0], w[1], w[2]);
}

// A point answer; a cancelled one asks again. False when the input ends.
bool AskPoint(const ads_point from, const wchar_t* prompt, ads_point result) {
    for (;;) {
        const int rc = acedGetPoint(from, prompt, result);
        if (rc == RTNORM) return true;
        if (rc != RTCAN) {
            LogFmt(L"\niRet=%d ", rc);
            return false;
        }
    }
}

// A new mark at the measured point and its symbol point, with the palette's settings,
// on the layer of its scale.
std::unique_ptr<TRdimHeight> NewMark(bool plan, int role, const AcGePoint3d& input, const AcGePoint3d& symbol) {
    auto mark = std::make_unique<TRdimHeight>();
    mark->SetPlan(plan);
    mark->SetRole(role);
    const AcGePoint3d start = plan ? input : symbol;
    for (int i = 0; i < kHeightPointCount; ++i)
        mark->SetPoint(i, start);
    mark->SetPoint(kHPointInput, input);
    mark->Initialize(false);
    mark->setDatabaseDefaults(acdbCurDwg());
    const std::wstring layer = NewChainLayerFor(mark->GetParamString(IND_S_Scale));
    if (AcDbDatabase* db = acdbCurDwg(); db && !layer.empty())
        SetEntityLayer(db, mark.get(), layer, GetColorForLayer(layer));
    mark->SetHeight(1, 0.0);
    mark->SetHeight(2, 0.0);
    mark->SetPointDim(symbol);
    return mark;
}

// The symbol's position of a member, with the new mark dragged along as a preview
// (values from the group's base). False when the input ended.
bool AskSymbol(AcDbObjectId baseId, const ads_point measured, ads_point symbol) {
    const AcGePoint3d at = World(measured);
    std::unique_ptr<TRdimHeight> preview = NewMark(false, kHeightRoleMark, at, at);
    preview->SetBaseId(baseId);
    preview->SetCurHeight();
    TRdimHeightJig jig(preview.get(), at);
    AcGePoint3d point;
    if (!jig.AskSymbolPoint(LoadStr(IDS_PROMPT_HK_SYMBOL_POSITION), point)) return false;
    const ads_point world = {point.x, point.y, point.z};
    acdbWcs2Ucs(world, symbol, false);
    return true;
}

// The values, texts and fixing of the dialog onto a new plan mark or base.
void TakeDialog(TRdimHeight& mark, const CDlgHDbase& dlg, const PaletteTexts& texts) {
    for (int i = 0; i < 4; ++i)
        mark.SetText(i, texts.text[i]);
    mark.SetText(4, dlg.m_rows[0].valueText);
    mark.SetText(5, dlg.m_rows[1].valueText);
    mark.SetHeight(1, dlg.m_rows[0].value);
    mark.SetHeight(2, dlg.m_rows[1].value);
    mark.SetParamInt(IND_I_Format, 1u | (dlg.m_rows[1].on ? 2u : 0u));
    if (mark.GetRole() == kHeightRoleBase) mark.SetParamInt(IND_I_HDimNoModify, dlg.m_bFixed ? 1 : 0);
}

// The value dialog for a plan mark or a new base; false on Cancel.
bool AskValues(bool plan, PaletteTexts& texts, CDlgHDbase& dlg) {
    for (int r = 0; r < 2; ++r) {
        dlg.m_rows[r].prefix = texts.text[2 * r];
        dlg.m_rows[r].suffix = texts.text[2 * r + 1];
    }
    dlg.m_rows[1].on = PaletteRowState(2) != 0;
    // The template comes from the language module when one is loaded.
    CTemporaryResourceOverride resources;
    if (dlg.DoModal() != IDOK) return false;
    for (int r = 0; r < 2; ++r) {
        texts.text[2 * r] = dlg.m_rows[r].prefix;
        texts.text[2 * r + 1] = dlg.m_rows[r].suffix;
    }
    WritePaletteTexts(texts);
    if (!plan) SetPaletteRowState(2, dlg.m_rows[1].on ? BST_CHECKED : BST_UNCHECKED);
    return true;
}

// Plan marks follow the section marks the dialog chose.
void WireTakeOver(AcDbObjectId id, const CDlgHDbase& dlg) {
    LogFmt(L"\nAFTER addToDb bAutoValue1=%d bAutoValue2=%d ", dlg.TakesOver(1) ? 1 : 0, dlg.TakesOver(2) ? 1 : 0);
    if (!dlg.TakesOver(1) && !dlg.TakesOver(2)) return;
    TRdimHeight* mark = nullptr;
    if (acdbOpenObject(mark, id, AcDb::kForWrite) != Acad::eOk) return;
    for (int r = 1; r <= 2; ++r)
        if (dlg.TakesOver(r)) mark->SetAutoValue(r, dlg.m_rows[r - 1].source);
    mark->RefreshAutoValue(true);
    mark->close();
}

struct Run {
    bool plan = false;
    AcDbObjectId base;
    int points = 0;
    bool hasSymbol = false;
    AcGePoint3d lastSymbolUcs;
};

// One point of the run: false when the input or the dialog ended it.
bool MakeOne(Run& run, int& made) {
    ++run.points;
    LogFmt(L"\nGetPoint %d. ", run.points);
    const bool newBase = !run.plan && run.base.isNull();
    const UINT promptId = run.plan ? IDS_PROMPT_PLAN_HK_POINT
                          : newBase ? IDS_PROMPT_SECTION_HK_BASE
                                    : IDS_PROMPT_SECTION_HK_POINT;
    ads_point measured;
    if (!AskPoint(nullptr, std::wstring(LoadStr(promptId)).c_str(), measured)) return false;
    ads_point symbol = {measured[0], measured[1], measured[2]};
    if (!run.plan && !newBase) {
        const bool align = pGlobDimOptions && pGlobDimOptions->GetOptFlag(IND_OPT_B_HDimAlign) == 1;
        if (align && run.hasSymbol && run.points >= 3) {
            symbol[0] = run.lastSymbolUcs.x;
        } else if (!AskSymbol(run.base, measured, symbol)) {
            return false;
        }
        run.hasSymbol = true;
        run.lastSymbolUcs.set(symbol[0], symbol[1], symbol[2]);
    }
    PaletteTexts texts = ReadPaletteTexts();
    CDlgHDbase dlg(newBase ? CDlgHDbase::kNewBase : CDlgHDbase::kNewMark, run.plan);
    if ((run.plan || newBase) && !AskValues(run.plan, texts, dlg)) return false;
    std::unique_ptr<TRdimHeight> mark =
        NewMark(run.plan, newBase ? kHeightRoleBase : kHeightRoleMark, World(measured), World(symbol));
    if (run.plan || newBase) TakeDialog(*mark, dlg, texts);
    AcDbObjectId id;
    if (addToDb(mark.get(), id) != Acad::eOk) {
        acutPrintf(L"%s", LoadStr(IDS_HK_NOT_APPENDED));
        return false;
    }
    TRdimHeight* added = mark.release();
    LogFmt(L" objId=%d ", static_cast<int>(id.handle().low()));
    ++made;
    if (run.plan) {
        added->InitPointText();
        added->close();
        WireTakeOver(id, dlg);
        return false; // a plan mark is made one at a time
    }
    if (newBase) {
        added->SetParamInt(kIndGroupFormat, kNewBaseGroupFormat);
        run.base = id;
        LogFmt(L"\nobjIdBase=%d ", static_cast<int>(id.handle().low()));
    } else {
        const int format = static_cast<int>(added->GetParamInt(IND_I_Format));
        added->SetRowState(1, PaletteRowState(1));
        added->SetRowState(2, PaletteRowState(2));
        added->SetParamInt(kIndGroupFormat, static_cast<std::uint32_t>(format));
        added->SetBaseId(run.base);
        for (int i = 0; i < 4; ++i)
            added->SetText(i, texts.text[i]);
        added->SetCurHeight();
    }
    added->InitPointText();
    added->close();
    return true;
}

} // namespace

int MakeDimHeight(bool bPlan, AcDbObjectId baseId, double /*reserved*/, const std::wstring& prefix1,
                  const std::wstring& suffix1, const std::wstring& prefix2, const std::wstring& suffix2,
                  int /*flag*/, int iFormat) {
    LogMsg(L"\n -- MakeDimHeight --");
    if (!pGlobDimOptions) return 0;
    const bool ownPalette = !dlgMyApp;
    if (ownPalette) StartApp(false);
    if (!dlgMyApp) return 0;
    // A context operation (state 8) keeps what the palette shows, such as a template
    // mark's values, when the palette is in the marks' mode already.
    const int mode = bPlan ? OPT_MODE_HEIGHT_PLAN : OPT_MODE_HEIGHT;
    if (AreReactorsSuspended() != kReactorsContextOperation || dlgMyApp->m_iCurrentMode != mode)
        dlgMyApp->AdjustMode(mode);
    if (!baseId.isNull()) {
        WritePaletteTexts(PaletteTexts{{prefix1, suffix1, prefix2, suffix2}});
    } else {
        SetPaletteRowState(2, BST_UNCHECKED);
    }
    if (iFormat >= 0) {
        SetPaletteRowState(1, HeightRowState(static_cast<std::uint32_t>(iFormat), 1));
        SetPaletteRowState(2, HeightRowState(static_cast<std::uint32_t>(iFormat), 2));
    }
    Run run;
    run.plan = bPlan;
    run.base = baseId;
    int made = 0;
    while (MakeOne(run, made)) {
    }
    SetPaletteRowState(2, BST_UNCHECKED);
    if (ownPalette) EndApp(true, false);
    return made;
}

void MakeHeightMarks(bool plan) {
    MakeDimHeight(plan, AcDbObjectId::kNull, 0.0, L"", L"", L"", L"", 0, -1);
}
