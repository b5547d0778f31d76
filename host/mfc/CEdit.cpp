#include "host/mfc/CEdit.h"

#include "host/win/FormatW.h"

#include <algorithm>

void CEdit::ReplaceSel(LPCTSTR lpszNewText, BOOL) {
    // Without a caret the selection is the end of the text.
    m_strText += lpszNewText ? lpszNewText : L"";
}

bool CEdit::userSetText(const std::wstring& text, std::wstring& error) {
    const std::wstring who = host::mfc::describeControl(*this);
    if (m_dwStyle & ES_READONLY) {
        error = who + L" is read-only";
        return false;
    }
    if ((m_dwStyle & ES_NUMBER) &&
        !std::all_of(text.begin(), text.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; })) {
        error = who + L" takes digits only";
        return false;
    }
    if (m_limit > 0 && text.size() > static_cast<size_t>(m_limit)) {
        error = who + host::FormatW(L" takes at most %d characters", m_limit);
        return false;
    }
    m_strText = text;
    notifyParent(EN_CHANGE);
    notifyParent(EN_KILLFOCUS);
    return true;
}

host::UiControlView CEdit::userView() const {
    host::UiControlView v = CWnd::userView();
    v.kind = (m_dwStyle & ES_READONLY) ? L"read-only edit" : L"edit";
    return v;
}
