#include "module/services/ActiveCommand.h"

#include "host/ed/SysVars.h"
#include "host/rx/acutString.h"
#include "host/win/WinCrt.h"
#include "module/base/LintaroLog.h"
#include "module/resources/resource.h"

std::wstring GetActiveCommand(bool bIncludeOwn) {
    resbuf rb{};
    if (acedGetVar(L"CMDNAMES", &rb) != RTNORM || rb.restype != RTSTR) return L"";
    std::wstring names = rb.resval.rstring ? rb.resval.rstring : L"";
    acutDelString(rb.resval.rstring);
    _wcsupr(names.data());
    // The module's own commands are not foreign.
    if (!bIncludeOwn && names.find(L"XOTA_") != std::wstring::npos) return L"";
    return names;
}

bool IsCommandActive(bool bShowMessage) {
    const std::wstring names = GetActiveCommand(false);
    if (names.empty()) return false;
    if (bShowMessage) {
        const std::wstring format = LoadStr(IDS_COMMAND_ACTIVE);
        MsgBoxFmt(format.c_str(), names.c_str());
    }
    return true;
}
