#include "host/mfc/CFileDialog.h"

#include "host/win/UiDriver.h"

#include <cstdint>

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCWSTR lpszDefExt, LPCWSTR lpszFileName, DWORD dwFlags, LPCWSTR,
                         CWnd*)
    : m_open(bOpenFileDialog != FALSE), m_defExt(lpszDefExt ? lpszDefExt : L""),
      m_initial(lpszFileName ? lpszFileName : L""), m_flags(dwFlags) {}

INT_PTR CFileDialog::DoModal() {
    host::FileChooserRequest request;
    request.title = !m_strTitle.empty() ? m_strTitle : (m_open ? L"Open" : L"Save As");
    request.initial = m_initial;
    request.multiple = (m_flags & OFN_ALLOWMULTISELECT) != 0;
    request.mustExist = m_open && (m_flags & OFN_FILEMUSTEXIST) != 0;
    m_chosen.clear();
    if (!host::uiDriver().chooseFiles(request, m_chosen) || m_chosen.empty()) {
        m_chosen.clear();
        return IDCANCEL;
    }
    // A name typed without its extension gets the default one, as the chooser adds it.
    if (!m_defExt.empty())
        for (std::wstring& path : m_chosen) {
            const size_t slash = path.find_last_of(L"/\\");
            const size_t dot = path.rfind(L'.');
            if (dot == std::wstring::npos || (slash != std::wstring::npos && dot < slash))
                path += L"." + m_defExt;
        }
    return IDOK;
}

std::wstring CFileDialog::GetPathName() const {
    return m_chosen.empty() ? std::wstring() : m_chosen.front();
}

POSITION CFileDialog::GetStartPosition() const {
    return m_chosen.empty() ? nullptr : reinterpret_cast<POSITION>(static_cast<std::uintptr_t>(1));
}

std::wstring CFileDialog::GetNextPathName(POSITION& pos) const {
    const auto at = reinterpret_cast<std::uintptr_t>(pos);
    if (at == 0 || at > m_chosen.size()) {
        pos = nullptr;
        return {};
    }
    pos = at < m_chosen.size() ? reinterpret_cast<POSITION>(at + 1) : nullptr;
    return m_chosen[at - 1];
}

CFolderPickerDialog::CFolderPickerDialog(LPCWSTR lpszFolder, DWORD, CWnd*, DWORD)
    : m_initial(lpszFolder ? lpszFolder : L"") {}

INT_PTR CFolderPickerDialog::DoModal() {
    host::FileChooserRequest request;
    request.title = !m_strTitle.empty() ? m_strTitle : L"Select Folder";
    request.initial = m_initial;
    request.folder = true;
    std::vector<std::wstring> chosen;
    if (!host::uiDriver().chooseFiles(request, chosen) || chosen.size() != 1) return IDCANCEL;
    m_chosen = chosen.front();
    return IDOK;
}
