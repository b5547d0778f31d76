#include "module/ui/CDlgAutoPosOrder.h"

#include "host/win/FormatW.h"
#include "module/resources/ContextMenuResources.h"

#include <algorithm>

CDlgAutoPosOrder::CDlgAutoPosOrder(CWnd* pParent) : CDialog(IDD_DLG_AUTO_POS_ORDER, pParent) {}

std::wstring CDlgAutoPosOrder::BuildOrderText(bool left, bool right, const std::array<int, 8>& rankOfPlace) {
    std::wstring text = host::FormatW(L"%d", (left ? 1 : 0) + (right ? 2 : 0));
    for (int rank = 1; rank <= 8; ++rank)
        for (int p = 0; p < 8; ++p)
            if (rankOfPlace[static_cast<size_t>(p)] == rank) {
                text += host::FormatW(L",%d", p + 1);
                break;
            }
    return text;
}

BOOL CDlgAutoPosOrder::OnInitDialog() {
    CDialog::OnInitDialog();
    // The template's captions are the ranks the places start with.
    for (int p = 0; p < 8; ++p) {
        std::wstring caption;
        GetDlgItemText(IDC_AUTO_POS_PLACE_FIRST + p, caption);
        m_ranks[static_cast<size_t>(p)] = caption.empty() ? 0 : std::max(0, std::stoi(caption));
    }
    return TRUE;
}

BOOL CDlgAutoPosOrder::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    if (id >= IDC_AUTO_POS_PLACE_FIRST && id < IDC_AUTO_POS_PLACE_FIRST + 8) {
        m_lastPlace = id - IDC_AUTO_POS_PLACE_FIRST;
        int& rank = m_ranks[static_cast<size_t>(m_lastPlace)];
        if (rank == 0) rank = *std::max_element(m_ranks.begin(), m_ranks.end()) + 1;
        ShowRanks();
        return TRUE;
    }
    if (id == IDC_AUTO_POS_REMOVE) {
        if (m_lastPlace >= 0) {
            // The places behind it move up one rank, so the ranks stay without gaps.
            const int removed = m_ranks[static_cast<size_t>(m_lastPlace)];
            m_ranks[static_cast<size_t>(m_lastPlace)] = 0;
            for (int& r : m_ranks)
                if (removed > 0 && r > removed) --r;
        }
        ShowRanks();
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CDlgAutoPosOrder::ShowRanks() {
    for (int p = 0; p < 8; ++p) {
        const int r = m_ranks[static_cast<size_t>(p)];
        SetDlgItemText(IDC_AUTO_POS_PLACE_FIRST + p, r ? host::FormatW(L"%d", r).c_str() : L"");
    }
}

void CDlgAutoPosOrder::OnOK() {
    m_strOrder = BuildOrderText(IsDlgButtonChecked(IDC_AUTO_POS_LEFT) == BST_CHECKED,
                                IsDlgButtonChecked(IDC_AUTO_POS_RIGHT) == BST_CHECKED, m_ranks);
    CDialog::OnOK();
}

void CDlgAutoPosOrder::OnCancel() {
    m_strOrder.clear();
    CDialog::OnCancel();
}
