#include "host/rx/DemandLoad.h"

#include "host/rx/AcRxDynamicLinker.h"
#include "host/rx/AcadAppInfo.h"
#include "host/win/FormatW.h"
#include "host/win/Transcript.h"

namespace {

bool readRecord(const std::wstring& appName, AcadAppInfo& info) {
    if (appName.empty()) return false;
    info.setAppName(appName.c_str());
    return info.readFromRegistry() == AcadApp::eOk;
}

} // namespace

bool acrxLoadApp(const wchar_t* appName, bool asCmd) {
    AcadAppInfo info;
    if (!readRecord(appName ? appName : L"", info)) {
        if (asCmd)
            host::transcriptWrite(
                host::FormatW(L"\nApplication \"%s\" is not registered.", appName ? appName : L""));
        return false;
    }
    if (info.loadReason() & AcadApp::kLoadDisabled) {
        if (asCmd) host::transcriptWrite(host::FormatW(L"\nApplication \"%s\" is disabled.", appName));
        return false;
    }
    return acrxDynamicLinker->loadModule(info.moduleName(), false, asCmd);
}

namespace host {

DemandLoadResult demandLoadForClass(const std::wstring& classAppName) {
    AcadAppInfo info;
    if (!readRecord(logicalAppName(classAppName), info) || !(info.loadReason() & AcadApp::kOnProxyDetection))
        return DemandLoadResult::NotRegistered;
    if ((info.loadReason() & AcadApp::kLoadDisabled) || !(demandLoadSetting() & 1))
        return DemandLoadResult::Disabled;
    return acrxDynamicLinker->loadModule(info.moduleName(), false) ? DemandLoadResult::Loaded
                                                                   : DemandLoadResult::Failed;
}

} // namespace host
