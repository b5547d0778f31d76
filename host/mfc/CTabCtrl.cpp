#include "host/mfc/CTabCtrl.h"

#include <algorithm>

BOOL CTabCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create(L"SysTabControl32", L"", dwStyle, rect, pParentWnd, nID);
}

LONG CTabCtrl::InsertItem(int nItem, LPCTSTR lpszItem) {
    if (nItem < 0) return -1;
    // Past the end appends, as on Windows.
    const int at = m_items.insert(nItem > GetItemCount() ? GetItemCount() : nItem, lpszItem ? lpszItem : L"");
    if (at < 0) return -1;
    if (m_cur >= at) ++m_cur;
    // The first tab becomes the current one.
    if (m_cur < 0 && GetItemCount() == 1) m_cur = 0;
    return at;
}

LONG CTabCtrl::InsertItem(int nItem, TCITEM* pTabCtrlItem) {
    if (!pTabCtrlItem) return -1;
    const LONG at = InsertItem(nItem, (pTabCtrlItem->mask & TCIF_TEXT) ? pTabCtrlItem->pszText : L"");
    if (at >= 0 && (pTabCtrlItem->mask & TCIF_PARAM))
        m_items.at(static_cast<int>(at))->data = static_cast<DWORD_PTR>(pTabCtrlItem->lParam);
    return at;
}

BOOL CTabCtrl::DeleteItem(int nItem) {
    if (m_items.remove(nItem) < 0) return FALSE;
    if (m_cur == nItem)
        m_cur = -1;
    else if (m_cur > nItem)
        --m_cur;
    return TRUE;
}

BOOL CTabCtrl::DeleteAllItems() {
    m_items.clear();
    m_cur = -1;
    return TRUE;
}

BOOL CTabCtrl::GetItem(int nItem, TCITEM* pTabCtrlItem) const {
    const host::mfc::ItemList::Item* item = m_items.at(nItem);
    if (!item || !pTabCtrlItem) return FALSE;
    if ((pTabCtrlItem->mask & TCIF_TEXT) && pTabCtrlItem->pszText && pTabCtrlItem->cchTextMax > 0) {
        const size_t n = std::min(item->text.size(), static_cast<size_t>(pTabCtrlItem->cchTextMax) - 1);
        item->text.copy(pTabCtrlItem->pszText, n);
        pTabCtrlItem->pszText[n] = 0;
    }
    if (pTabCtrlItem->mask & TCIF_PARAM) pTabCtrlItem->lParam = static_cast<LPARAM>(item->data);
    return TRUE;
}

BOOL CTabCtrl::SetItem(int nItem, TCITEM* pTabCtrlItem) {
    host::mfc::ItemList::Item* item = m_items.at(nItem);
    if (!item || !pTabCtrlItem) return FALSE;
    if (pTabCtrlItem->mask & TCIF_TEXT) item->text = pTabCtrlItem->pszText ? pTabCtrlItem->pszText : L"";
    if (pTabCtrlItem->mask & TCIF_PARAM) item->data = static_cast<DWORD_PTR>(pTabCtrlItem->lParam);
    return TRUE;
}

int CTabCtrl::SetCurSel(int nItem) {
    if (!m_items.valid(nItem)) return -1;
    const int previous = m_cur;
    m_cur = nItem;
    return previous;
}

bool CTabCtrl::userSelect(const std::wstring& item, std::wstring& error) {
    const int found = m_items.findUserItem(item);
    if (found < 0) {
        error = host::mfc::describeControl(*this) + L" has no tab \"" + item + L"\"";
        return false;
    }
    if (found == m_cur) return true;
    if (notifyParentNmhdr(TCN_SELCHANGING) != 0) {
        error = L"the dialog keeps its tab";
        return false;
    }
    m_cur = found;
    notifyParentNmhdr(TCN_SELCHANGE);
    return true;
}

host::UiControlView CTabCtrl::userView() const {
    host::UiControlView v = CWnd::userView();
    v.kind = L"tab";
    v.items = m_items.texts();
    v.selected = m_cur;
    if (m_items.valid(m_cur)) v.text = m_items.at(m_cur)->text;
    return v;
}
