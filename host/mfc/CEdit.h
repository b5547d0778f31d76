#pragma once
// A text field. A person's typing replaces the text and the field then loses the
// focus: EN_CHANGE, then EN_KILLFOCUS.
#include "host/mfc/CWnd.h"

class CEdit : public CWnd {
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
        return CWnd::Create(L"EDIT", L"", dwStyle, rect, pParentWnd, nID);
    }
    // 0 means no limit of the stand-in's own (Windows' default is large).
    void LimitText(int nChars = 0) { m_limit = nChars > 0 ? nChars : 0; }
    void SetLimitText(UINT nMax) { LimitText(static_cast<int>(nMax)); }
    UINT GetLimitText() const { return static_cast<UINT>(m_limit); }
    BOOL SetReadOnly(BOOL bReadOnly = TRUE) {
        ModifyStyle(bReadOnly ? 0 : ES_READONLY, bReadOnly ? ES_READONLY : 0);
        return TRUE;
    }
    void SetSel(int, int, BOOL = FALSE) {}
    void ReplaceSel(LPCTSTR lpszNewText, BOOL = FALSE);

    // Refused for a read-only field, a number field given other than digits, and a
    // text past the limit.
    bool userSetText(const std::wstring& text, std::wstring& error) override;
    host::UiControlView userView() const override;

private:
    int m_limit = 0;
};
