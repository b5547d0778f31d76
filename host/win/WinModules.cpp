#include "host/win/WinModules.h"

#include "host/win/FileBytes.h"
#include "host/win/FormatW.h"
#include "host/win/LngFile.h"
#include "host/win/Transcript.h"
#include "host/win/Utf8.h"
#include "host/win/WinCrt.h"
#include "host/win/WinError.h"
#include "host/win/WinFiles.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <map>
#include <memory>
#include <unistd.h>

namespace {

constexpr std::size_t kMaxLngBytes = 16u * 1024u * 1024u;

struct LanguageModule {
    std::wstring path;
    int refCount = 1;
    host::LngContents contents;
};

// Stable addresses that serve as the handles of the program and the add-on.
char g_programTag;
char g_addOnTag;

struct Registry {
    std::map<HMODULE, std::unique_ptr<LanguageModule>> languageModules;
    std::map<HMODULE, std::map<UINT, std::wstring>> compiledIn;
};

Registry& registry() {
    static Registry r;
    return r;
}

LanguageModule* languageModule(HMODULE h) {
    auto& mods = registry().languageModules;
    const auto it = mods.find(h);
    return it == mods.end() ? nullptr : it->second.get();
}

std::string programPath() {
    char buf[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    return n > 0 ? std::string(buf, static_cast<size_t>(n)) : std::string("./lintaro");
}

std::wstring addOnPath() {
    std::string dir;
    if (const char* env = std::getenv("LINTARO_MODULE_DIR"); env && *env) {
        dir = env;
    } else {
        dir = programPath();
        const size_t slash = dir.rfind('/');
        dir = slash == std::string::npos ? "." : dir.substr(0, slash);
    }
    while (dir.size() > 1 && dir.back() == '/')
        dir.pop_back();
    return host::fromUtf8(dir) + L"/" + host::kAddOnModuleName;
}

std::wstring absolutePath(const std::wstring& path) {
    std::string native = host::nativePath(path);
    if (!native.empty() && native.front() != '/') {
        char cwd[PATH_MAX];
        if (::getcwd(cwd, sizeof cwd)) native = std::string(cwd) + "/" + native;
    }
    return host::fromUtf8(native);
}

bool endsWithNoCase(const std::wstring& s, const std::wstring& tail) {
    return s.size() >= tail.size() &&
           host::equalsNoCase(std::wstring_view(s).substr(s.size() - tail.size()), tail);
}

HMODULE refuse(DWORD error) {
    SetLastError(error);
    return nullptr;
}

} // namespace

namespace host {

HMODULE addOnModule() {
    return reinterpret_cast<HMODULE>(&g_addOnTag);
}

void registerModuleStrings(HINSTANCE module, const StringResource* table, std::size_t count) {
    std::map<UINT, std::wstring> strings;
    for (std::size_t i = 0; table && i < count; ++i)
        if (table[i].text) strings.emplace(table[i].id, table[i].text);
    registry().compiledIn[module] = std::move(strings);
}

bool isLanguageModule(HMODULE module) {
    return languageModule(module) != nullptr;
}

const std::vector<std::wstring>* languageModuleBlock(HMODULE module, const std::wstring& kind, UINT id) {
    const LanguageModule* m = languageModule(module);
    if (!m) return nullptr;
    const auto it = m->contents.blocks.find({kind, id});
    return it == m->contents.blocks.end() ? nullptr : &it->second;
}

size_t languageModuleBlockLine(HMODULE module, const std::wstring& kind, UINT id, std::wstring* path) {
    const LanguageModule* m = languageModule(module);
    if (!m) return 0;
    if (path) *path = m->path;
    const auto it = m->contents.blockLines.find({kind, id});
    return it == m->contents.blockLines.end() ? 0 : it->second;
}

} // namespace host

HMODULE LoadLibraryW(LPCWSTR lpLibFileName) {
    if (!lpLibFileName || !*lpLibFileName) return refuse(ERROR_INVALID_PARAMETER);
    const std::wstring path = absolutePath(lpLibFileName);
    for (auto& [h, m] : registry().languageModules) {
        if (m->path == path) {
            ++m->refCount;
            return h;
        }
    }
    if (!endsWithNoCase(path, L".lng"))
        return refuse(host::fileExists(path) ? ERROR_BAD_EXE_FORMAT : ERROR_MOD_NOT_FOUND);
    std::string bytes;
    const host::ReadResult read = host::readFileBytes(host::nativePath(path), bytes, kMaxLngBytes);
    if (read == host::ReadResult::Missing) return refuse(ERROR_MOD_NOT_FOUND);
    auto module = std::make_unique<LanguageModule>();
    module->path = path;
    host::LngError error;
    if (read != host::ReadResult::Ok) {
        error.message =
            read == host::ReadResult::TooLarge ? L"the file is too large" : L"the file cannot be read";
    } else if (host::parseLngFile(bytes, module->contents, error)) {
        HMODULE h = reinterpret_cast<HMODULE>(module.get());
        registry().languageModules.emplace(h, std::move(module));
        return h;
    }
    const std::wstring where = error.line ? host::FormatW(L"line %d: ", static_cast<int>(error.line)) : L"";
    host::transcriptWrite(host::FormatW(L"\nLanguage module \"%s\" was not loaded: %s%s.", path.c_str(),
                                        where.c_str(), error.message.c_str()));
    return refuse(ERROR_BAD_EXE_FORMAT);
}

BOOL FreeLibrary(HMODULE hLibModule) {
    auto& mods = registry().languageModules;
    const auto it = mods.find(hLibModule);
    if (it == mods.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (--it->second->refCount == 0) mods.erase(it);
    return TRUE;
}

HMODULE GetModuleHandleW(LPCWSTR lpModuleName) {
    if (!lpModuleName) return reinterpret_cast<HMODULE>(&g_programTag);
    const std::wstring name = lpModuleName;
    if (host::equalsNoCase(name, host::kAddOnModuleName) ||
        endsWithNoCase(name, std::wstring(L"/") + host::kAddOnModuleName) ||
        endsWithNoCase(name, std::wstring(L"\\") + host::kAddOnModuleName))
        return host::addOnModule();
    const std::wstring path = absolutePath(name);
    for (auto& [h, m] : registry().languageModules)
        if (m->path == path) return h;
    return refuse(ERROR_MOD_NOT_FOUND);
}

DWORD GetModuleFileNameW(HMODULE hModule, LPWSTR lpFilename, DWORD nSize) {
    std::wstring path;
    if (!hModule || hModule == reinterpret_cast<HMODULE>(&g_programTag))
        path = host::fromUtf8(programPath());
    else if (hModule == host::addOnModule())
        path = addOnPath();
    else if (const LanguageModule* m = languageModule(hModule))
        path = m->path;
    else {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return 0;
    }
    if (!lpFilename || nSize == 0) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    if (path.size() >= nSize) {
        // Windows cuts the path, terminates it and returns the buffer size.
        path.copy(lpFilename, nSize - 1);
        lpFilename[nSize - 1] = 0;
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return nSize;
    }
    path.copy(lpFilename, path.size());
    lpFilename[path.size()] = 0;
    return static_cast<DWORD>(path.size());
}

int LoadStringW(HINSTANCE hInstance, UINT uID, LPWSTR lpBuffer, int cchBufferMax) {
    const std::map<UINT, std::wstring>* table = nullptr;
    if (const LanguageModule* m = languageModule(hInstance)) {
        table = &m->contents.strings;
    } else {
        const auto it = registry().compiledIn.find(hInstance);
        if (it != registry().compiledIn.end()) table = &it->second;
    }
    const std::wstring* text = nullptr;
    if (table) {
        const auto it = table->find(uID);
        if (it != table->end()) text = &it->second;
    }
    if (!lpBuffer) return 0;
    if (cchBufferMax == 0) {
        *reinterpret_cast<const wchar_t**>(lpBuffer) = text ? text->c_str() : nullptr;
        if (!text) SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return text ? static_cast<int>(text->size()) : 0;
    }
    if (cchBufferMax < 0) return 0;
    if (!text) {
        lpBuffer[0] = 0;
        SetLastError(table ? ERROR_RESOURCE_NAME_NOT_FOUND : ERROR_INVALID_HANDLE);
        return 0;
    }
    const size_t n = text->size() < static_cast<size_t>(cchBufferMax) ? text->size()
                                                                      : static_cast<size_t>(cchBufferMax) - 1;
    text->copy(lpBuffer, n);
    lpBuffer[n] = 0;
    return static_cast<int>(n);
}
