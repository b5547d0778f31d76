#include "module/ui/ReplaceDialogs.h"

#include "host/mfc/CComboBox.h"

void FillReplaceCombo(CWnd* dialog, int id, const std::vector<std::wstring>& texts) {
    auto* box = dialog ? dynamic_cast<CComboBox*>(dialog->GetDlgItem(id)) : nullptr;
    if (!box) return;
    box->ResetContent();
    for (const std::wstring& text : texts)
        box->AddString(text.c_str());
}
