#include "host/mfc/CListBox.h"

BOOL CListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create(L"LISTBOX", L"", dwStyle, rect, pParentWnd, nID);
}

int CListBox::AddString(LPCTSTR lpszItem) {
    m_items.setSorted((m_dwStyle & LBS_SORT) != 0);
    const int at = m_items.add(lpszItem ? lpszItem : L"");
    if (m_cur >= at) ++m_cur;
    return at;
}

int CListBox::InsertString(int nIndex, LPCTSTR lpszItem) {
    const int at = m_items.insert(nIndex, lpszItem ? lpszItem : L"");
    if (at < 0) return LB_ERR;
    if (m_cur >= at) ++m_cur;
    return at;
}

int CListBox::DeleteString(UINT nIndex) {
    const int index = static_cast<int>(nIndex);
    const int left = m_items.remove(index);
    if (left < 0) return LB_ERR;
    if (m_cur == index)
        m_cur = LB_ERR;
    else if (m_cur > index)
        --m_cur;
    return left;
}

void CListBox::ResetContent() {
    m_items.clear();
    m_cur = LB_ERR;
}

int CListBox::SetCurSel(int nSelect) {
    if (isMulti()) return LB_ERR;
    m_cur = m_items.valid(nSelect) ? nSelect : LB_ERR;
    return m_cur == LB_ERR && nSelect != -1 ? LB_ERR : m_cur;
}

int CListBox::GetText(int nIndex, LPTSTR lpszBuffer) const {
    const host::mfc::ItemList::Item* item = m_items.at(nIndex);
    if (!item) return LB_ERR;
    if (lpszBuffer) {
        item->text.copy(lpszBuffer, item->text.size());
        lpszBuffer[item->text.size()] = 0;
    }
    return static_cast<int>(item->text.size());
}

void CListBox::GetText(int nIndex, std::wstring& rString) const {
    const host::mfc::ItemList::Item* item = m_items.at(nIndex);
    rString = item ? item->text : std::wstring();
}

int CListBox::GetTextLen(int nIndex) const {
    const host::mfc::ItemList::Item* item = m_items.at(nIndex);
    return item ? static_cast<int>(item->text.size()) : LB_ERR;
}

int CListBox::FindString(int nStartAfter, LPCTSTR lpszItem) const {
    return m_items.findPrefix(nStartAfter, lpszItem ? lpszItem : L"");
}

int CListBox::FindStringExact(int nIndexStart, LPCTSTR lpszFind) const {
    return m_items.findExact(nIndexStart, lpszFind ? lpszFind : L"");
}

int CListBox::SelectString(int nStartAfter, LPCTSTR lpszItem) {
    const int found = FindString(nStartAfter, lpszItem);
    return found < 0 || isMulti() ? LB_ERR : SetCurSel(found);
}

int CListBox::SetItemData(int nIndex, DWORD_PTR dwItemData) {
    host::mfc::ItemList::Item* item = m_items.at(nIndex);
    if (!item) return LB_ERR;
    item->data = dwItemData;
    return 0;
}

DWORD_PTR CListBox::GetItemData(int nIndex) const {
    const host::mfc::ItemList::Item* item = m_items.at(nIndex);
    return item ? item->data : static_cast<DWORD_PTR>(LB_ERR);
}

int CListBox::GetSel(int nIndex) const {
    const host::mfc::ItemList::Item* item = m_items.at(nIndex);
    if (!item) return LB_ERR;
    return isMulti() ? (item->selected ? 1 : 0) : (nIndex == m_cur ? 1 : 0);
}

int CListBox::SetSel(int nIndex, BOOL bSelect) {
    if (!isMulti()) return LB_ERR;
    if (nIndex == -1) {
        for (int i = 0; i < m_items.count(); ++i)
            m_items.at(i)->selected = bSelect != FALSE;
        return 0;
    }
    host::mfc::ItemList::Item* item = m_items.at(nIndex);
    if (!item) return LB_ERR;
    item->selected = bSelect != FALSE;
    return 0;
}

int CListBox::GetSelCount() const {
    if (!isMulti()) return LB_ERR;
    int n = 0;
    for (int i = 0; i < m_items.count(); ++i)
        if (m_items.at(i)->selected) ++n;
    return n;
}

int CListBox::GetSelItems(int nMaxItems, LPINT rgIndex) const {
    if (!isMulti() || !rgIndex) return LB_ERR;
    int n = 0;
    for (int i = 0; i < m_items.count() && n < nMaxItems; ++i)
        if (m_items.at(i)->selected) rgIndex[n++] = i;
    return n;
}

bool CListBox::userSelect(const std::wstring& item, std::wstring& error) {
    const int found = m_items.findUserItem(item);
    if (found < 0) {
        error = host::mfc::describeControl(*this) + L" holds no entry \"" + item + L"\"";
        return false;
    }
    if (isMulti())
        m_items.at(found)->selected = true;
    else
        m_cur = found;
    notifyParent(LBN_SELCHANGE);
    return true;
}

host::UiControlView CListBox::userView() const {
    host::UiControlView v = CWnd::userView();
    v.kind = L"list";
    v.items = m_items.texts();
    v.selected = isMulti() ? -1 : m_cur;
    if (m_items.valid(m_cur)) v.text = m_items.at(m_cur)->text;
    return v;
}
