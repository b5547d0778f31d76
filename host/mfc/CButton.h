#pragma once
// Push buttons, check boxes (two- and three-state), radio buttons and group boxes; the
// kind is the BS_ type in the style. The "AUTO" kinds change their own check state
// when clicked, the others leave it to the dialog, as on Windows.
#include "host/mfc/CWnd.h"

class CButton : public CWnd {
public:
    BOOL Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
        return CWnd::Create(L"BUTTON", lpszCaption, dwStyle, rect, pParentWnd, nID);
    }
    // BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE; push buttons are always unchecked.
    int GetCheck() const { return m_check; }
    void SetCheck(int nCheck);
    UINT GetButtonStyle() const { return m_dwStyle & 0xFFFF; }
    // Replaces the BS_ bits (a check box becomes a three-state box while it shows a
    // mixed selection); a state the new kind cannot hold is cleared.
    void SetButtonStyle(UINT nStyle, BOOL bRedraw = TRUE);
    UINT GetState() const { return static_cast<UINT>(m_check) | (m_highlight ? 0x0004 : 0); }
    void SetState(BOOL bHighlight) { m_highlight = bHighlight != FALSE; }

    bool userClick(std::wstring& error) override;
    bool userCheck(int state, std::wstring& error) override;
    host::UiControlView userView() const override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    UINT type() const { return m_dwStyle & BS_TYPEMASK; }
    bool isCheckBox() const;
    bool isThreeState() const { return type() == BS_3STATE || type() == BS_AUTO3STATE; }
    bool isRadio() const { return type() == BS_RADIOBUTTON || type() == BS_AUTORADIOBUTTON; }
    // Clears the other automatic radio buttons of this one's group.
    void clearGroup();

    int m_check = BST_UNCHECKED;
    bool m_highlight = false;
};
