// Context operations on the texts of picked segments: manual values, prefix and
// suffix, the chain label, and the per-segment switches (extension line, leader, tick).
#include "host/db/database/AcDbObjectOpen.h"
#include "host/ed/acutPrintf.h"
#include "host/win/FormatW.h"
#include "module/base/LanguageModule.h"
#include "module/base/LintaroLog.h"
#include "module/chain/TRdim.h"
#include "module/convert/HostDimItems.h"
#include "module/options/CGlobDimOptions.h"
#include "module/options/IniStorage.h"
#include "module/options/OptionIndices.h"
#include "module/resources/ContextMenuResources.h"
#include "module/resources/PaletteResources.h"
#include "module/resources/resource.h"
#include "module/ui/CDlgAppendText.h"
#include "module/ui/CDlgChainText.h"
#include "module/ui/CDlgMain.h"
#include "module/ui/ChainPopup.h"
#include "module/ui/ChainSegmentPick.h"
#include "module/ui/PaletteApp.h"

#include <algorithm>
#include <functional>

namespace {

// The prompt of every pick of values here; a copy, as the next string load reuses the buffer.
std::wstring PickValuesPrompt() {
    return LoadStr(IDS_PROMPT_PICK_VALUES);
}

// What the picked values read now, for the dialog: "length=>text; " each.
std::wstring DescribePicked(const DimSegmentList& list, std::wstring& firstManual) {
    std::wstring info =
        list.size() == 1 ? L""
                         : host::FormatW(std::wstring(LoadStr(IDS_VALUES_COUNT)).c_str(), int(list.size()));
    int number = 0;
    for (const DimSegment& part : list) {
        TRdim* chain = nullptr;
        if (acdbOpenObject(chain, part.chainId, AcDb::kForRead) != Acad::eOk) continue;
        if (list.size() > 1) info += host::FormatW(L"%d. ", ++number);
        info += host::FormatW(L"%f=>%s; ", chain->GetDistance(part.index), chain->GetText(part.index).c_str());
        if (firstManual.empty()) firstManual = chain->GetDimTextUser(part.index);
        chain->close();
    }
    return info;
}

// Leaders drawn on a chain must be seen: the general switch goes on with them.
void ShowLeadersEverywhere() {
    if (!pGlobDimOptions || pGlobDimOptions->GetOptFlag(IND_OPT_B_LeadersShow)) return;
    pGlobDimOptions->SetOptFlag(IND_OPT_B_LeadersShow, 1);
    if (dlgMyApp) dlgMyApp->CheckDlgButton(IDC_CHECK_LEADERS, BST_CHECKED);
}

} // namespace

bool RunTextDialog(CDlgChainText& dlg) {
    CTemporaryResourceOverride resources;
    HideDlgMain();
    const bool ok = dlg.DoModal() == IDOK;
    ShowDlgMain();
    return ok;
}

int LabelLocationCode(bool left, bool right) { return (left ? 1 : 0) + (right ? 2 : 0); }

void EditChainValues(AcDbObjectId chainId) {
    DimSegmentList list;
    if (GetDimSegments(list, chainId, kPickValues, PickValuesPrompt().c_str(), 0) <= 0) return;
    CDlgChainText dlg(CDlgChainText::kValue);
    dlg.m_strTitle = LoadStr(IDS_DIMVALUE_CHANGE_TITLE);
    dlg.m_strLabel = list.size() == 1 ? LoadStr(IDS_DIMVALUE_CHANGE_PROMPT) : L"";
    dlg.m_strInfo = DescribePicked(list, dlg.m_strText);
    if (!RunTextDialog(dlg)) return;
    const std::wstring text = dlg.m_strText;
    ForEachPickedSegment(list, [&text](TRdim* chain, int k) { chain->SetDimTextUser(k, text.c_str()); });
}

void ClearPickedValues(AcDbObjectId chainId) {
    DimSegmentList list;
    if (GetDimSegments(list, chainId, kPickValues, PickValuesPrompt().c_str(), 0) <= 0) return;
    ForEachPickedSegment(list, [](TRdim* chain, int k) { chain->SetDimTextUser(k, L""); });
}

void EditPrefixSuffix(AcDbObjectId chainId) {
    DimSegmentList list;
    if (GetDimSegments(list, chainId, kPickValues, PickValuesPrompt().c_str(), 0) <= 0) return;
    CDlgChainText dlg(CDlgChainText::kPrefixSuffix);
    dlg.m_strTitle = LoadStr(IDS_PREFIX_SUFFIX_TITLE);
    dlg.m_strLabel = LoadStr(IDS_PREFIX);
    dlg.m_strLabel2 = LoadStr(IDS_SUFFIX);
    std::wstring unused;
    std::wstring values;
    for (const DimSegment& part : list) {
        TRdim* chain = nullptr;
        if (acdbOpenObject(chain, part.chainId, AcDb::kForRead) != Acad::eOk) continue;
        if (&part == &list.front()) {
            dlg.m_strText = chain->GetDimTextPrefix(part.index);
            dlg.m_strText2 = chain->GetDimTextSuffix(part.index);
        }
        values += (values.empty() ? L"" : L"; ") + chain->GetText(part.index);
        chain->close();
    }
    dlg.m_strInfo = values;
    if (!RunTextDialog(dlg)) return;
    const std::wstring prefix = dlg.m_strText, suffix = dlg.m_strText2;
    ForEachPickedSegment(list, [&](TRdim* chain, int k) {
        chain->SetDimTextPrefix(k, prefix.c_str());
        chain->SetDimTextSuffix(k, suffix.c_str());
    });
}

void EditAppendedTexts(AcDbObjectId chainId) {
    DimSegmentList list;
    if (GetDimSegments(list, chainId, kPickValues, PickValuesPrompt().c_str(), 0) <= 0) return;
    CDlgAppendText dlg;
    std::wstring unused;
    dlg.m_strInfo = DescribePicked(list, unused);
    // The dialog starts from the first picked segment's record, when it has one.
    TRdim* chain = nullptr;
    if (acdbOpenObject(chain, list.front().chainId, AcDb::kForRead) == Acad::eOk) {
        AppendingTextList records = chain->AppTexts();
        const int at = FindAppendingText(records, list.front().index);
        if (at >= 0) dlg.m_record = records[static_cast<size_t>(at)];
        chain->close();
    }
    {
        CTemporaryResourceOverride resources;
        HideDlgMain();
        const bool ok = dlg.DoModal() == IDOK;
        ShowDlgMain();
        if (!ok) return;
    }
    const AppendingText edited = dlg.m_record;
    ForEachPickedSegment(list, [&edited](TRdim* chain, int k) {
        AppendingText* old = nullptr;
        // A text placed by hand stays where it was put.
        const bool keepPlace = edited.m_iAutoPos == 0 && chain->GetAppendingText(k, &old) >= 0 && old &&
                               old->m_iAutoPos == 0;
        const AcGePoint3d place = keepPlace ? old->m_position : AcGePoint3d();
        AppendingText record = edited;
        record.m_iSegment = k;
        chain->SetAppendingText(k, &record);
        AppendingText* stored = nullptr;
        if (keepPlace && chain->GetAppendingText(k, &stored) >= 0 && stored) stored->m_position = place;
    });
}

void ClearAppendedTexts(AcDbObjectId chainId) {
    DimSegmentList list;
    if (GetDimSegments(list, chainId, kPickValues, PickValuesPrompt().c_str(), 0) <= 0) return;
    ForEachPickedSegment(list, [](TRdim* chain, int k) { chain->SetAppendingText(k, nullptr); });
}

void ClearPrefixSuffix(AcDbObjectId chainId) {
    DimSegmentList list;
    if (GetDimSegments(list, chainId, kPickValues, PickValuesPrompt().c_str(), 0) <= 0) return;
    ForEachPickedSegment(list, [](TRdim* chain, int k) {
        chain->SetDimTextPrefix(k, L"");
        chain->SetDimTextSuffix(k, L"");
    });
}

void EditChainLabel(AcDbObjectId chainId) {
    TRdim* chain = nullptr;
    if (acdbOpenObject(chain, chainId, AcDb::kForRead) != Acad::eOk) return;
    const std::wstring label = chain->GetParamString(IND_S_DimDescription);
    chain->close();
    // The label is stored as its location code and the text.
    int location = label.empty() ? GetIniInt(L"LastStatus", L"DescriptionLocation") : label[0] - L'0';
    if (location < 1 || location > 3) location = 1;
    CDlgChainText dlg(CDlgChainText::kLabel);
    dlg.m_strTitle = LoadStr(IDS_CHAIN_LABEL_TITLE);
    dlg.m_strLabel = LoadStr(IDS_CHAIN_LABEL_PROMPT);
    dlg.m_strText = label.empty() ? L"" : label.substr(1);
    dlg.m_bLeft = (location & 1) != 0;
    dlg.m_bRight = (location & 2) != 0;
    if (!RunTextDialog(dlg)) return;
    const int code = LabelLocationCode(dlg.m_bLeft, dlg.m_bRight);
    if (code == 0) {
        acutPrintf(L"%s", LoadStr(IDS_CHAIN_LABEL_NO_SIDE));
        return;
    }
    SetIniInt(L"LastStatus", L"DescriptionLocation", code);
    if (acdbOpenObject(chain, chainId, AcDb::kForWrite) != Acad::eOk) return;
    chain->SetParamString(IND_S_DimDescription, host::FormatW(L"%d%s", code, dlg.m_strText.c_str()));
    chain->recordGraphicsModified(true);
    chain->close();
}

void SwitchPickedSegments(AcDbObjectId chainId, int commandId) {
    DimSegmentList list;
    if (GetDimSegments(list, chainId, 0, PickValuesPrompt().c_str(), 0) <= 0) return;
    if (commandId == ID_CTX_LEADER_ON) ShowLeadersEverywhere();
    ForEachPickedSegment(list, [commandId](TRdim* chain, int k) {
        if (commandId == ID_CTX_EXT_SHOW || commandId == ID_CTX_EXT_HIDE)
            chain->SetExtHidden(k, commandId == ID_CTX_EXT_HIDE);
        else if (commandId == ID_CTX_LEADER_ON || commandId == ID_CTX_LEADER_OFF)
            chain->SetExtLeader(k, commandId == ID_CTX_LEADER_ON);
        else
            chain->SetTickSymbol(k, std::max(0, HostDimTickCodeOfItem(commandId)));
    });
}
