#include "host/mfc/CComboBox.h"

#include "host/win/FormatW.h"

BOOL CComboBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create(L"COMBOBOX", L"", dwStyle, rect, pParentWnd, nID);
}

int CComboBox::AddString(LPCTSTR lpszString) {
    syncSorted();
    const int at = m_items.add(lpszString ? lpszString : L"");
    if (m_cur >= at) ++m_cur;
    return at;
}

int CComboBox::InsertString(int nIndex, LPCTSTR lpszString) {
    const int at = m_items.insert(nIndex, lpszString ? lpszString : L"");
    if (at < 0) return CB_ERR;
    if (m_cur >= at) ++m_cur;
    return at;
}

int CComboBox::DeleteString(UINT nIndex) {
    const int index = static_cast<int>(nIndex);
    const int left = m_items.remove(index);
    if (left < 0) return CB_ERR;
    if (m_cur == index) {
        m_cur = -1;
        if (isList()) m_strText.clear();
    } else if (m_cur > index) {
        --m_cur;
    }
    return left;
}

void CComboBox::ResetContent() {
    m_items.clear();
    m_cur = -1;
    m_strText.clear();
}

int CComboBox::SetCurSel(int nSelect) {
    if (!m_items.valid(nSelect)) {
        m_cur = -1;
        m_strText.clear();
        return CB_ERR;
    }
    m_cur = nSelect;
    m_strText = m_items.at(nSelect)->text;
    return nSelect;
}

int CComboBox::GetLBText(int nIndex, LPTSTR lpszText) const {
    const host::mfc::ItemList::Item* item = m_items.at(nIndex);
    if (!item) return CB_ERR;
    // The caller's buffer holds GetLBTextLen + 1 characters, as on Windows.
    if (lpszText) {
        item->text.copy(lpszText, item->text.size());
        lpszText[item->text.size()] = 0;
    }
    return static_cast<int>(item->text.size());
}

void CComboBox::GetLBText(int nIndex, std::wstring& rString) const {
    const host::mfc::ItemList::Item* item = m_items.at(nIndex);
    rString = item ? item->text : std::wstring();
}

int CComboBox::GetLBTextLen(int nIndex) const {
    const host::mfc::ItemList::Item* item = m_items.at(nIndex);
    return item ? static_cast<int>(item->text.size()) : CB_ERR;
}

int CComboBox::FindString(int nStartAfter, LPCTSTR lpszString) const {
    return m_items.findPrefix(nStartAfter, lpszString ? lpszString : L"");
}

int CComboBox::FindStringExact(int nIndexStart, LPCTSTR lpszFind) const {
    return m_items.findExact(nIndexStart, lpszFind ? lpszFind : L"");
}

int CComboBox::SelectString(int nStartAfter, LPCTSTR lpszString) {
    const int found = FindString(nStartAfter, lpszString);
    return found < 0 ? CB_ERR : SetCurSel(found);
}

int CComboBox::SetItemData(int nIndex, DWORD_PTR dwItemData) {
    host::mfc::ItemList::Item* item = m_items.at(nIndex);
    if (!item) return CB_ERR;
    item->data = dwItemData;
    return 0;
}

DWORD_PTR CComboBox::GetItemData(int nIndex) const {
    const host::mfc::ItemList::Item* item = m_items.at(nIndex);
    return item ? item->data : static_cast<DWORD_PTR>(CB_ERR);
}

void CComboBox::SetWindowText(LPCTSTR lpszString) {
    const std::wstring text = lpszString ? lpszString : L"";
    if (!isList()) {
        m_strText = text;
        return;
    }
    const int found = m_items.findExact(-1, text);
    if (found >= 0) SetCurSel(found);
}

bool CComboBox::userSetText(const std::wstring& text, std::wstring& error) {
    if (isList()) return userSelect(text, error);
    if (m_limit > 0 && text.size() > static_cast<size_t>(m_limit)) {
        error = host::mfc::describeControl(*this) + host::FormatW(L" takes at most %d characters", m_limit);
        return false;
    }
    m_strText = text;
    m_cur = m_items.findExact(-1, text);
    notifyParent(CBN_EDITCHANGE);
    notifyParent(CBN_KILLFOCUS);
    return true;
}

bool CComboBox::userSelect(const std::wstring& item, std::wstring& error) {
    // The list drops down first: the dialog may fill it only then.
    m_dropped = true;
    notifyParent(CBN_DROPDOWN);
    m_dropped = false;
    const int found = m_items.findUserItem(item);
    if (found < 0) {
        error = host::mfc::describeControl(*this) + L" holds no entry \"" + item + L"\"";
        return false;
    }
    SetCurSel(found);
    notifyParent(CBN_SELCHANGE);
    notifyParent(CBN_KILLFOCUS);
    return true;
}

host::UiControlView CComboBox::userView() const {
    host::UiControlView v = CWnd::userView();
    v.kind = isList() ? L"drop-down list" : L"combo";
    v.items = m_items.texts();
    v.selected = m_cur;
    return v;
}
