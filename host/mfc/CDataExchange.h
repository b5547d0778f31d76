#pragma once
// Dialog data exchange as MFC's DDX_ functions do it: between a dialog's controls and
// its members, in the direction UpdateData asks for. A text that does not convert
// shows a message, and UpdateData(TRUE) then fails and leaves the member as it was.
#include "host/win/WinUser.h"

#include <string>

class CWnd;

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
        : m_pDlgWnd(pDlgWnd), m_bSaveAndValidate(bSaveAndValidate) {}

    CWnd* m_pDlgWnd;
    BOOL m_bSaveAndValidate;

    // Marks the exchange as failed (the value stays as it was).
    void Fail() { m_failed = true; }
    bool failed() const { return m_failed; }
    // The dialog's control `nIDC`; null (and the exchange fails) when there is none.
    CWnd* control(int nIDC);

private:
    bool m_failed = false;
};

void DDX_Text(CDataExchange* pDX, int nIDC, std::wstring& value);
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void DDX_Text(CDataExchange* pDX, int nIDC, double& value);
// A check box's state (BST_ value).
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// The selected index of a combo box, -1 for none.
void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
// A combo box's text; on the way in, the entry that starts with it is selected.
void DDX_CBString(CDataExchange* pDX, int nIDC, std::wstring& value);
