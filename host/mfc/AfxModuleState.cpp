#include "host/mfc/AfxModuleState.h"

#include "host/win/WinModules.h"

namespace {

AFX_MODULE_STATE& moduleState() {
    static AFX_MODULE_STATE state{host::addOnModule(), host::addOnModule(), L"lintaro"};
    return state;
}

} // namespace

AFX_MODULE_STATE* AfxGetModuleState() {
    return &moduleState();
}
AFX_MODULE_STATE* AfxGetStaticModuleState() {
    return &moduleState();
}
HINSTANCE AfxGetInstanceHandle() {
    return moduleState().m_hCurrentInstanceHandle;
}
HINSTANCE AfxGetResourceHandle() {
    return moduleState().m_hCurrentResourceHandle;
}
void AfxSetResourceHandle(HINSTANCE hInstResource) {
    moduleState().m_hCurrentResourceHandle = hInstResource;
}
