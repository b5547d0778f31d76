#pragma once
// MFC's module state as the add-on uses it: its instance handle and the handle that
// resources (dialogs, menus, strings) are currently loaded from.
#include "host/win/WinTypes.h"

struct AFX_MODULE_STATE {
    HINSTANCE m_hCurrentInstanceHandle = nullptr;
    HINSTANCE m_hCurrentResourceHandle = nullptr;
    const wchar_t* m_lpszCurrentAppName = nullptr;
};

// The host runs one add-on, so there is one module state: its instance is the
// add-on's module (host::addOnModule()) and so is its resource handle at first.
AFX_MODULE_STATE* AfxGetModuleState();
AFX_MODULE_STATE* AfxGetStaticModuleState();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE hInstResource);

// AFX_MANAGE_STATE(AfxGetStaticModuleState()) at the top of an exported function.
class AFX_MAINTAIN_STATE2 {
public:
    explicit AFX_MAINTAIN_STATE2(AFX_MODULE_STATE* pModuleState) : m_pPrevious(pModuleState) {}
    AFX_MAINTAIN_STATE2(const AFX_MAINTAIN_STATE2&) = delete;
    AFX_MAINTAIN_STATE2& operator=(const AFX_MAINTAIN_STATE2&) = delete;

private:
    AFX_MODULE_STATE* m_pPrevious;
};
#define AFX_MANAGE_STATE(p) AFX_MAINTAIN_STATE2 _ctlState(p);
