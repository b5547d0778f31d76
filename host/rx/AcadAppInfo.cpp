#include "host/rx/AcadAppInfo.h"

#include "host/win/FileBytes.h"
#include "host/win/IniDocument.h"
#include "host/win/Utf8.h"
#include "host/win/WinCrt.h"
#include "host/win/WinFiles.h"

#include <cwchar>

ACRX_HOST_DEFINE_MEMBERS(AcadAppInfo, AcRxObject, L"", nullptr)

namespace {

constexpr size_t kMaxRegistryBytes = size_t(4) << 20;
constexpr const wchar_t* kFolder = L"lintaro-host";

std::wstring appFolder() {
    wchar_t path[4096] = {};
    if (SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, 0, path) != S_OK) return L"";
    return std::wstring(path) + host::kPathSeparator + kFolder;
}

std::wstring sectionOf(const std::wstring& appName) {
    return L"Applications\\" + appName;
}

// A missing or unreadable registry reads as empty, as a missing key does.
host::IniDocument readRegistry() {
    std::string bytes;
    if (host::readFileBytes(host::nativePath(host::hostRegistryFile()), bytes, kMaxRegistryBytes) !=
        host::ReadResult::Ok)
        return {};
    return host::IniDocument::parse(bytes);
}

std::wstring readValue(const std::wstring& section, const wchar_t* key, bool& found) {
    std::string bytes;
    found = false;
    if (host::readFileBytes(host::nativePath(host::hostRegistryFile()), bytes, kMaxRegistryBytes) !=
        host::ReadResult::Ok)
        return L"";
    std::optional<std::wstring> v = host::IniDocument::findValue(bytes, section, key);
    found = v.has_value();
    return v ? *v : L"";
}

bool holdable(const std::wstring& text) {
    return text.find_first_of(L"\r\n") == std::wstring::npos;
}

// LOADCTRLS as the registry writes it ("0x0d") or as a person might ("13").
bool parseNumber(const std::wstring& text, long& value) {
    if (text.empty()) return false;
    wchar_t* end = nullptr;
    value = std::wcstol(text.c_str(), &end, 0);
    return end && *end == L'\0' && value >= 0 && value <= 0xFFFF;
}

AcadApp::ErrorStatus store(const host::IniDocument& doc) {
    const std::wstring folder = appFolder();
    if (folder.empty()) return AcadApp::eRegAccessDenied;
    if (!host::folderExists(folder)) CreateDirectoryW(folder.c_str(), nullptr);
    if (!host::replaceFile(host::nativePath(host::hostRegistryFile()), doc.bytes(), host::Durability::Atomic))
        return AcadApp::eRegAccessDenied;
    return AcadApp::eOk;
}

} // namespace

AcadApp::ErrorStatus AcadAppInfo::writeToRegistry() {
    if (m_appName.empty()) return AcadApp::eInvalidKey;
    if (!holdable(m_appName) || m_appName.find(L']') != std::wstring::npos || !holdable(m_moduleName) ||
        !holdable(m_appDesc))
        return AcadApp::eInvalidValue;
    host::IniDocument doc = readRegistry();
    const std::wstring section = sectionOf(m_appName);
    wchar_t ctrls[16];
    std::swprintf(ctrls, 16, L"0x%02x", unsigned(m_loadReason));
    doc.setValue(section, L"DESCRIPTION", m_appDesc);
    doc.setValue(section, L"LOADCTRLS", ctrls);
    doc.setValue(section, L"LOADER", m_moduleName);
    return store(doc);
}

AcadApp::ErrorStatus AcadAppInfo::readFromRegistry() {
    if (m_appName.empty()) return AcadApp::eInvalidKey;
    const std::wstring section = sectionOf(m_appName);
    bool hasLoader = false, hasCtrls = false, hasDesc = false;
    const std::wstring loader = readValue(section, L"LOADER", hasLoader);
    const std::wstring ctrls = readValue(section, L"LOADCTRLS", hasCtrls);
    const std::wstring desc = readValue(section, L"DESCRIPTION", hasDesc);
    if (!hasLoader && !hasCtrls && !hasDesc) return AcadApp::eKeyNotFound;
    if (!hasLoader || loader.empty()) return AcadApp::eValueNotFound;
    long reasons = 0;
    if (hasCtrls && !parseNumber(ctrls, reasons)) return AcadApp::eInvalidValue;
    m_moduleName = loader;
    m_appDesc = desc;
    m_loadReason = AcadApp::LoadReasons(reasons);
    return AcadApp::eOk;
}

AcadApp::ErrorStatus AcadAppInfo::delFromRegistry() {
    if (m_appName.empty()) return AcadApp::eInvalidKey;
    host::IniDocument doc = readRegistry();
    if (!doc.removeSection(sectionOf(m_appName))) return AcadApp::eKeyNotFound;
    return store(doc);
}

namespace host {

std::wstring hostRegistryFile() {
    return appFolder() + kPathSeparator + L"registry.ini";
}

int demandLoadSetting() {
    bool found = false;
    const std::wstring text = readValue(L"General", L"DEMANDLOAD", found);
    long value = 0;
    if (!found || !parseNumber(text, value) || value > 3) return 3;
    return int(value);
}

std::wstring logicalAppName(const std::wstring& classAppName) {
    return std::wstring(trimView(std::wstring_view(classAppName).substr(0, classAppName.find(L'|'))));
}

} // namespace host
