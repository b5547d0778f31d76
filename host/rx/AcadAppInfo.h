#pragma once
// What the host's registry says about an application it can load on demand: its
// description, its module file and when to load it (LOADCTRLS). An application
// writes its record when it is installed; the host reads it when a drawing holds
// objects of a class whose application is not loaded, and when asked to load an
// application by its logical name (acrxLoadApp).
//
// The registry is a settings file of the host, "registry.ini" in the folder
// "lintaro-host" of the per-user application-data folder: one section
// "Applications\<logical name>" per application with DESCRIPTION, LOADCTRLS and
// LOADER, and the section "General" with DEMANDLOAD (bit 1: load on proxy
// detection, bit 2: on command invocation; 3 when absent).
#include "host/rx/AcRxObject.h"

#include <string>

namespace AcadApp {

enum LoadReasons {
    kOnProxyDetection = 0x01,
    kOnAutoCADStartup = 0x02,
    kOnCommandInvocation = 0x04,
    kOnLoadRequest = 0x08,
    kLoadDisabled = 0x10,
    kTransparentlyLoadable = 0x20,
    kOnIdleLoad = 0x40
};

enum ErrorStatus {
    eOk = 0,
    eInvalidKey = 1,
    eInvalidSubKey = 2,
    eKeyNotFound = 3,
    eOutOfMemory = 4,
    eInvalidValue = 5,
    eValueNotFound = 6,
    eKeyExists = 7,
    eRegAccessDenied = 8,
    eRejectedByUser = 9,
    eUnknownError = 10
};

} // namespace AcadApp

class AcadAppInfo : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcadAppInfo);
    AcadAppInfo() = default;

    const wchar_t* appName() const { return m_appName.c_str(); }
    void setAppName(const wchar_t* name) { m_appName = name ? name : L""; }
    const wchar_t* moduleName() const { return m_moduleName.c_str(); }
    void setModuleName(const wchar_t* path) { m_moduleName = path ? path : L""; }
    const wchar_t* appDesc() const { return m_appDesc.c_str(); }
    void setAppDesc(const wchar_t* desc) { m_appDesc = desc ? desc : L""; }
    AcadApp::LoadReasons loadReason() const { return m_loadReason; }
    void setLoadReason(AcadApp::LoadReasons reasons) { m_loadReason = reasons; }

    // Writes the record under appName(): eInvalidKey without a name, eInvalidValue
    // for a name or value the registry cannot hold (line breaks, ']'),
    // eRegAccessDenied when the file cannot be written (nothing changed then).
    AcadApp::ErrorStatus writeToRegistry();
    // Fills the fields from the record of appName(); eKeyNotFound when there is
    // none, eValueNotFound when it has no LOADER, eInvalidValue when LOADCTRLS is
    // not a number (the fields stay as they were then).
    AcadApp::ErrorStatus readFromRegistry();
    // Removes the record; eKeyNotFound when there was none.
    AcadApp::ErrorStatus delFromRegistry();

private:
    std::wstring m_appName;
    std::wstring m_moduleName;
    std::wstring m_appDesc;
    AcadApp::LoadReasons m_loadReason = AcadApp::kOnLoadRequest;
};

namespace host {
// The registry file (the folder is made when a record is written).
std::wstring hostRegistryFile();
// DEMANDLOAD as the registry holds it; 3 when absent or not a number from 0 to 3.
int demandLoadSetting();
// The logical application name in a class's application text: the part before
// the first '|', without surrounding blanks ("maker - product|Product Desc: ..."
// gives "maker - product").
std::wstring logicalAppName(const std::wstring& classAppName);
} // namespace host
