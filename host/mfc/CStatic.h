#pragma once
// A static text (label, icon or frame): it only shows its text.
#include "host/mfc/CWnd.h"

class CStatic : public CWnd {
public:
    BOOL Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID = 0xffff) {
        return CWnd::Create(L"STATIC", lpszText, dwStyle, rect, pParentWnd, nID);
    }
    host::UiControlView userView() const override {
        host::UiControlView v = CWnd::userView();
        v.kind = L"static";
        return v;
    }
};
