#include "module/app/EntityClasses.h"

#include "host/mfc/AfxModuleState.h"
#include "host/rx/AcRxClass.h"
#include "host/rx/AcRxDictionary.h"
#include "host/rx/AcadAppInfo.h"
#include "host/win/WinFiles.h"
#include "module/app/LooksStamp.h"
#include "module/base/LintaroLog.h"
#include "module/chain/TRdim.h"
#include "module/height/TRdimHeight.h"

#include <string>

void RegisterEntityClasses() {
    TRdim::rxInit();
    TRdimHeight::rxInit();
    acrxBuildClassHierarchy();
    RegisterLooksStamps();
}

void DeleteEntityClasses() {
    RemoveLooksStamps();
    // deleteAcRxClass frees the class object; the class forgets it too, so that a
    // later load registers it afresh instead of following a freed pointer.
    if (TRdimHeight::desc()) deleteAcRxClass(TRdimHeight::desc());
    TRdimHeight::gpDesc = nullptr;
    if (TRdim::desc()) deleteAcRxClass(TRdim::desc());
    TRdim::gpDesc = nullptr;
}

std::vector<AcRxClass*> EntityClasses() {
    std::vector<AcRxClass*> classes;
    if (TRdim::desc()) classes.push_back(TRdim::desc());
    if (TRdimHeight::desc()) classes.push_back(TRdimHeight::desc());
    return classes;
}

namespace {

// The logical application name is the first field of the classes' application text:
// the host finds the application of a class it does not know under it.
std::wstring LogicalAppName() {
    if (!TRdim::desc()) return L"";
    std::wstring name = TRdim::desc()->appName();
    name = name.substr(0, name.find(L'|'));
    while (!name.empty() && name.back() == L' ')
        name.pop_back();
    return name;
}

} // namespace

bool RegisterDemandLoading() {
    const std::wstring appName = LogicalAppName();
    wchar_t path[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameW(AfxGetInstanceHandle(), path, MAX_PATH);
    if (appName.empty() || n == 0 || n >= MAX_PATH) return false;
    const auto reasons = AcadApp::LoadReasons(AcadApp::kOnProxyDetection | AcadApp::kOnLoadRequest);
    AcadAppInfo current;
    current.setAppName(appName.c_str());
    // Written only when missing or changed: the registry is shared by every run.
    if (current.readFromRegistry() == AcadApp::eOk && std::wstring(current.moduleName()) == path &&
        current.loadReason() == reasons)
        return true;
    AcadAppInfo info;
    info.setAppName(appName.c_str());
    info.setModuleName(path);
    info.setAppDesc(appName.c_str());
    info.setLoadReason(reasons);
    const AcadApp::ErrorStatus es = info.writeToRegistry();
    if (es != AcadApp::eOk) LogFmt(L"\n!!! RegisterDemandLoading es=%d ", int(es));
    return es == AcadApp::eOk;
}
