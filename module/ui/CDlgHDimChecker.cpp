#include "module/ui/CDlgHDimChecker.h"

#include "host/db/database/AcDbDatabase.h"
#include "host/db/tables/AcDbLayerTable.h"
#include "host/db/tables/AcDbLayerTableRecord.h"
#include "host/ed/acutPrintf.h"
#include "host/mfc/CButton.h"
#include "host/mfc/CComboBox.h"
#include "module/app/HeightLinks.h"
#include "module/base/LanguageModule.h"
#include "module/base/LintaroLog.h"
#include "module/resources/HeightResources.h"
#include "module/services/DbServices.h"

namespace {

bool Checked(const CWnd* dialog, int id) {
    const auto* b = dynamic_cast<const CButton*>(dialog->GetDlgItem(id));
    return b && b->GetCheck() == BST_CHECKED;
}

void AddLayers(CComboBox* box) {
    AcDbDatabase* db = acdbCurDwg();
    AcDbLayerTable* table = nullptr;
    if (!db || db->getLayerTable(table, AcDb::kForRead) != Acad::eOk) return;
    AcDbLayerTableIterator* it = nullptr;
    if (table->newIterator(it) == Acad::eOk) {
        for (; !it->done(); it->step()) {
            AcDbLayerTableRecord* layer = nullptr;
            if (it->getRecord(layer, AcDb::kForRead) != Acad::eOk) continue;
            std::wstring name;
            if (layer->getName(name) == Acad::eOk && name != L"0") box->AddString(name.c_str());
            layer->close();
        }
        delete it;
    }
    table->close();
}

} // namespace

CDlgHDimChecker::CDlgHDimChecker() : CDialog(IDD_DLG_HK_CHECKER) {}

BOOL CDlgHDimChecker::OnInitDialog() {
    CDialog::OnInitDialog();
    if (auto* box = dynamic_cast<CComboBox*>(GetDlgItem(IDC_HKC_LAYER))) {
        box->AddString(L"");
        box->AddString(LoadStr(IDS_LAYER_BY_SCALE));
        AddLayers(box);
        box->SetCurSel(0);
    }
    return TRUE;
}

void CDlgHDimChecker::OnOK() {
    m_bEraseLone = Checked(this, IDC_HKC_ERASE_LONE);
    m_bSameScaleAndLayer = Checked(this, IDC_HKC_SAME_SCALE);
    if (const auto* box = dynamic_cast<const CComboBox*>(GetDlgItem(IDC_HKC_LAYER)); box && box->GetCurSel() >= 0)
        box->GetLBText(box->GetCurSel(), m_layerFor0);
    CDialog::OnOK();
}

void OpenDlgHDimChecker() {
    // The template comes from the language module when one is loaded.
    CTemporaryResourceOverride resources;
    CDlgHDimChecker dlg;
    if (dlg.DoModal() != IDOK) return;
    const HDimCheckResult result = CheckHeightGroups(dlg.m_bEraseLone, dlg.m_bSameScaleAndLayer, dlg.m_layerFor0);
    MsgBoxFmt(LoadStr(IDS_HK_CHECKER_RESULT), result.all, result.changed, result.erased);
    // The links stay as they are; the list tells the user which marks to look at.
    for (const BrokenHeightLink& link : result.broken)
        acutPrintf(std::wstring(LoadStr(IDS_HK_BROKEN_LINK)).c_str(), link.mark.c_str(), link.row, link.link.c_str());
    if (!result.broken.empty()) acutPrintf(LoadStr(IDS_HK_BROKEN_LINK_COUNT), static_cast<int>(result.broken.size()));
}
