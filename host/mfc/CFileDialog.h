#pragma once
// MFC's file choosers: CFileDialog (open or save, one or several files) and
// CFolderPickerDialog. DoModal asks the UI driver (a script's "@file ..." event, a
// test) and returns IDOK with the chosen paths, or IDCANCEL.
#include "host/win/WinMessageBox.h"
#include "host/win/WinUser.h"
#include "host/win/WinTypes.h"

#include <string>
#include <vector>

class CWnd;

#define OFN_READONLY 0x00000001
#define OFN_OVERWRITEPROMPT 0x00000002
#define OFN_HIDEREADONLY 0x00000004
#define OFN_ALLOWMULTISELECT 0x00000200
#define OFN_PATHMUSTEXIST 0x00000800
#define OFN_FILEMUSTEXIST 0x00001000

// An opaque place in the list of chosen files, as MFC's POSITION.
typedef void* POSITION;

class CFileDialog {
public:
    explicit CFileDialog(BOOL bOpenFileDialog, LPCWSTR lpszDefExt = nullptr, LPCWSTR lpszFileName = nullptr,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCWSTR lpszFilter = nullptr,
                         CWnd* pParentWnd = nullptr);
    virtual ~CFileDialog() = default;
    virtual INT_PTR DoModal();

    // The first chosen file; empty before DoModal returned IDOK.
    std::wstring GetPathName() const;
    // Walks the chosen files: null when there is none.
    POSITION GetStartPosition() const;
    std::wstring GetNextPathName(POSITION& pos) const;

    std::wstring m_strTitle; // the chooser's title; a default one when empty

private:
    bool m_open;
    std::wstring m_defExt;
    std::wstring m_initial;
    DWORD m_flags;
    std::vector<std::wstring> m_chosen;
};

class CFolderPickerDialog {
public:
    explicit CFolderPickerDialog(LPCWSTR lpszFolder = nullptr, DWORD dwFlags = 0, CWnd* pParentWnd = nullptr,
                                 DWORD dwSize = 0);
    virtual ~CFolderPickerDialog() = default;
    virtual INT_PTR DoModal();
    std::wstring GetFolderPath() const { return m_chosen; }

    std::wstring m_strTitle;

private:
    std::wstring m_initial;
    std::wstring m_chosen;
};
