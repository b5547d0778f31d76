#include "host/mfc/CButton.h"

#include <algorithm>

namespace {

bool isAutoRadio(const CWnd* w) {
    const CButton* b = dynamic_cast<const CButton*>(w);
    return b && (b->GetStyle() & BS_TYPEMASK) == BS_AUTORADIOBUTTON;
}

} // namespace

bool CButton::isCheckBox() const {
    const UINT t = type();
    return t == BS_CHECKBOX || t == BS_AUTOCHECKBOX || t == BS_3STATE || t == BS_AUTO3STATE;
}

void CButton::SetCheck(int nCheck) {
    if (!isCheckBox() && !isRadio()) return;
    if (nCheck == BST_INDETERMINATE && !isThreeState()) nCheck = BST_CHECKED;
    m_check = (nCheck == BST_CHECKED || nCheck == BST_INDETERMINATE) ? nCheck : BST_UNCHECKED;
}

void CButton::SetButtonStyle(UINT nStyle, BOOL) {
    m_dwStyle = (m_dwStyle & ~0xFFFFu) | (nStyle & 0xFFFFu);
    if (!isCheckBox() && !isRadio())
        m_check = BST_UNCHECKED;
    else if (m_check == BST_INDETERMINATE && !isThreeState())
        m_check = BST_CHECKED;
}

void CButton::clearGroup() {
    const CWnd* parent = GetParent();
    if (!parent) return;
    const std::vector<CWnd*>& siblings = parent->children();
    const auto self = std::find(siblings.begin(), siblings.end(), this);
    if (self == siblings.end()) return;
    // A group runs from a control with WS_GROUP up to the next one, as in a dialog.
    auto first = self;
    while (first != siblings.begin() && !((*first)->GetStyle() & WS_GROUP))
        --first;
    for (auto it = first; it != siblings.end(); ++it) {
        if (it != first && ((*it)->GetStyle() & WS_GROUP)) break;
        if (*it != this && isAutoRadio(*it)) static_cast<CButton*>(*it)->m_check = BST_UNCHECKED;
    }
}

bool CButton::userClick(std::wstring& error) {
    switch (type()) {
    case BS_GROUPBOX:
        error = host::mfc::describeControl(*this) + L" is a group box";
        return false;
    case BS_AUTOCHECKBOX:
        m_check = m_check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED;
        break;
    case BS_AUTO3STATE:
        // Unchecked -> checked -> mixed -> unchecked, as the box cycles on Windows.
        m_check = m_check == BST_UNCHECKED ? BST_CHECKED
                  : m_check == BST_CHECKED ? BST_INDETERMINATE
                                           : BST_UNCHECKED;
        break;
    case BS_AUTORADIOBUTTON:
        clearGroup();
        m_check = BST_CHECKED;
        break;
    default:
        break;
    }
    notifyParent(BN_CLICKED);
    return true;
}

bool CButton::userCheck(int state, std::wstring& error) {
    if (isRadio()) {
        if (state == BST_UNCHECKED) {
            error = host::mfc::describeControl(*this) + L" is a radio button: choose another one to clear it";
            return false;
        }
        if (state == BST_INDETERMINATE) {
            error = host::mfc::describeControl(*this) + L" is not a three-state check box";
            return false;
        }
        return m_check == BST_CHECKED || userClick(error);
    }
    if (!isCheckBox()) return CWnd::userCheck(state, error);
    if (state == BST_INDETERMINATE && !isThreeState()) {
        error = host::mfc::describeControl(*this) + L" is not a three-state check box";
        return false;
    }
    if (state == m_check) return true;
    // The person clicks once; the box shows the state asked for, as its handler sees it.
    m_check = state;
    notifyParent(BN_CLICKED);
    return true;
}

host::UiControlView CButton::userView() const {
    host::UiControlView v = CWnd::userView();
    v.kind = type() == BS_GROUPBOX ? L"group box"
             : isThreeState()      ? L"three-state check box"
             : isCheckBox()        ? L"check box"
             : isRadio()           ? L"radio button"
                                   : L"button";
    if (isCheckBox() || isRadio()) v.check = m_check;
    return v;
}

LRESULT CButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case BM_GETCHECK:
        return GetCheck();
    case BM_SETCHECK:
        SetCheck(static_cast<int>(wParam));
        return 0;
    case BM_CLICK: {
        std::wstring ignored;
        if (IsWindowEnabled()) userClick(ignored);
        return 0;
    }
    default:
        return CWnd::WindowProc(message, wParam, lParam);
    }
}
