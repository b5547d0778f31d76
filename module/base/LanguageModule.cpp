#include "module/base/LanguageModule.h"

#include "host/mfc/AfxModuleState.h"
#include "host/win/FormatW.h"
#include "host/win/WinCrt.h"
#include "host/win/WinFiles.h"
#include "host/win/WinModules.h"
#include "module/base/FilePaths.h"
#include "module/base/LintaroLog.h"
#include "module/resources/LintaroStrings.h"

#include <exception>

namespace {

struct LanguageState {
    HINSTANCE module = nullptr;
    std::wstring path;
};

LanguageState& language() {
    static LanguageState state;
    return state;
}

// Large enough for the longest text of the table, and for any sane translation.
constexpr int kStringBufferSize = 4096;

} // namespace

std::wstring ModuleFolder() {
    wchar_t buf[MAX_PATH];
    const DWORD n = GetModuleFileNameW(AfxGetInstanceHandle(), buf, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return L"";
    std::wstring path(buf, n);
    const size_t sep = path.find_last_of(L"/\\");
    return sep == std::wstring::npos ? L"" : path.substr(0, sep + 1);
}

void UseLanguageModule(const std::wstring& path) {
    RegisterLintaroResources();
    LogFmt(L"\nLNG:%s ", path.c_str());
    LanguageState& lng = language();
    if (!lng.path.empty() && _wcsicmp(path.c_str(), lng.path.c_str()) == 0) return;
    FreeLanguageModule();
    lng.path = path;
    if (FileExists(path)) lng.module = LoadLibraryW(path.c_str());
    LogFmt(L" hRes=%d ", lng.module ? 1 : 0);
}

HINSTANCE GetLanguageModule() {
    return language().module;
}

void FreeLanguageModule() {
    LanguageState& lng = language();
    lng.path.clear();
    if (!lng.module) return;
    // Nothing may keep loading resources from a module that is gone.
    if (AfxGetResourceHandle() == lng.module) AfxSetResourceHandle(AfxGetInstanceHandle());
    FreeLibrary(lng.module);
    lng.module = nullptr;
}

CTemporaryResourceOverride::CTemporaryResourceOverride() {
    try {
        RegisterLintaroResources();
        HINSTANCE target = language().module ? language().module : AfxGetInstanceHandle();
        if (!target) return;
        m_hInstanceOld = AfxGetResourceHandle();
        AfxSetResourceHandle(target);
    } catch (...) {
        LogMsg(L"\nCONSTRUCTOR ERROR !!!!!!");
        MsgBox(L"\nANY ERROR in CTemporaryResourceOverride ");
    }
}

CTemporaryResourceOverride::~CTemporaryResourceOverride() {
    try {
        if (!m_hInstanceOld) {
            LogMsg(L"\nDESTRUCTOR ERROR !m_hInstanceOld ");
            return;
        }
        AfxSetResourceHandle(m_hInstanceOld);
    } catch (...) {
        LogMsg(L"\nDESTRUCTOR ERROR !!!!!!!");
        MsgBox(L"\nANY ERROR in ~CTemporaryResourceOverride ");
    }
}

const wchar_t* LoadStr(UINT stringId) {
    static wchar_t buffer[kStringBufferSize];
    buffer[0] = 0;
    CTemporaryResourceOverride guard;
    int n = LoadStringW(AfxGetResourceHandle(), stringId, buffer, kStringBufferSize);
    // A language module that lacks a string leaves the German text in place.
    if (n == 0 && AfxGetResourceHandle() != AfxGetInstanceHandle())
        n = LoadStringW(AfxGetInstanceHandle(), stringId, buffer, kStringBufferSize);
    if (n <= 0) buffer[0] = 0;
    return buffer;
}
