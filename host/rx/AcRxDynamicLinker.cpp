#include "host/rx/AcRxDynamicLinker.h"

#include "host/rx/AcRxClass.h"
#include "host/rx/AcRxDLinkerReactor.h"
#include "host/rx/AcRxDictionary.h"
#include "host/win/FormatW.h"
#include "host/win/Transcript.h"

#include <algorithm>
#include <cwctype>

namespace host {
// One loaded module. Its address is the packet of kInitAppMsg, so the module can
// name itself in unlockApplication and registerAppMDIAware.
struct LoadedModule {
    std::wstring name;
    AcRxEntryPointFn entry = nullptr;
    void (*moduleExit)() = nullptr;
    bool locked = true;
    bool mdiAware = false;
};
} // namespace host

namespace {
constexpr int kApiVersion = 19; // the host release the interface follows

bool sameName(const std::wstring& a, const wchar_t* b) {
    // Module file names compare like Windows file names: without regard to case.
    const std::wstring bb = b ? b : L"";
    return a.size() == bb.size() &&
           std::equal(a.begin(), a.end(), bb.begin(), [](wchar_t x, wchar_t y) { return towupper(x) == towupper(y); });
}

// A module path's file name: the images are known by it, wherever the path points.
std::wstring moduleFileName(const wchar_t* path) {
    const std::wstring p = path ? path : L"";
    const size_t slash = p.find_last_of(L"/\\");
    return slash == std::wstring::npos ? p : p.substr(slash + 1);
}
} // namespace

ACRX_HOST_DEFINE_MEMBERS(AcRxDLinkerReactor, AcRxObject, L"", nullptr)
ACRX_HOST_DEFINE_MEMBERS(AcRxDynamicLinker, AcRxObject, L"", nullptr)

AcRxDynamicLinker::AcRxDynamicLinker() = default;
AcRxDynamicLinker::~AcRxDynamicLinker() = default;

host::LoadedModule* AcRxDynamicLinker::find(const wchar_t* fileName) const {
    for (const auto& m : m_modules)
        if (sameName(m->name, fileName)) return m.get();
    return nullptr;
}

host::LoadedModule* AcRxDynamicLinker::findById(const void* appId) const {
    for (const auto& m : m_modules)
        if (m.get() == appId) return m.get();
    return nullptr;
}

template <class F> void AcRxDynamicLinker::notify(F&& f) {
    // A reactor may remove itself (or another) while being told; work on a copy and
    // skip the ones that are gone by the time their turn comes.
    const std::vector<AcRxDLinkerReactor*> copy = m_reactors;
    for (AcRxDLinkerReactor* r : copy)
        if (std::find(m_reactors.begin(), m_reactors.end(), r) != m_reactors.end()) f(r);
}

AcRx::AppRetCode AcRxDynamicLinker::send(host::LoadedModule& m, AcRx::AppMsgCode msg, void* pkt) {
    m_running.push_back(&m);
    m_context.push_back(m.name);
    AcRx::AppRetCode ret = AcRx::kRetError;
    try {
        ret = m.entry(msg, pkt);
    } catch (...) {
        // A module must not take the host down; its message simply failed.
        host::transcriptWrite(host::FormatW(L"\nModule %s failed on message %d.", m.name.c_str(), int(msg)));
        ret = AcRx::kRetError;
    }
    m_context.pop_back();
    m_running.pop_back();
    return ret;
}

void AcRxDynamicLinker::removeModule(host::LoadedModule* m) {
    auto it = std::find_if(m_modules.begin(), m_modules.end(), [m](const auto& p) { return p.get() == m; });
    if (it == m_modules.end()) return;
    std::unique_ptr<host::LoadedModule> gone = std::move(*it);
    m_modules.erase(it);
    notify([&](AcRxDLinkerReactor* r) { r->rxAppUnloaded(gone->name.c_str()); });
    if (gone->moduleExit) gone->moduleExit();
}

bool AcRxDynamicLinker::loadModule(const wchar_t* fileName, AcRxEntryPointFn entry, bool printit,
                                   void (*moduleExit)()) {
    if (!fileName || !*fileName || !entry) return false;
    if (find(fileName)) return true;
    const std::wstring name = fileName;
    notify([&](AcRxDLinkerReactor* r) { r->rxAppWillBeLoaded(name.c_str()); });
    auto owned = std::make_unique<host::LoadedModule>();
    owned->name = name;
    owned->entry = entry;
    owned->moduleExit = moduleExit;
    host::LoadedModule* m = owned.get();
    m_modules.push_back(std::move(owned));
    if (send(*m, AcRx::kInitAppMsg, m) != AcRx::kRetOK) {
        auto it = std::find_if(m_modules.begin(), m_modules.end(), [m](const auto& p) { return p.get() == m; });
        std::unique_ptr<host::LoadedModule> gone = std::move(*it);
        m_modules.erase(it);
        notify([&](AcRxDLinkerReactor* r) { r->rxAppLoadAborted(name.c_str()); });
        if (gone->moduleExit) gone->moduleExit();
        if (printit) host::transcriptWrite(host::FormatW(L"\nUnable to load %s.", name.c_str()));
        return false;
    }
    if (m_openDrawings)
        for (void* drawing : m_openDrawings()) send(*m, AcRx::kLoadDwgMsg, drawing);
    notify([&](AcRxDLinkerReactor* r) { r->rxAppLoaded(name.c_str()); });
    if (printit) host::transcriptWrite(host::FormatW(L"\n%s successfully loaded.", name.c_str()));
    return true;
}

void AcRxDynamicLinker::registerModuleImage(const wchar_t* fileName, AcRxEntryPointFn entry,
                                            void (*moduleExit)()) {
    if (!fileName || !*fileName || !entry || findImage(fileName)) return;
    m_images.push_back({moduleFileName(fileName), entry, moduleExit});
}

const AcRxDynamicLinker::ModuleImage* AcRxDynamicLinker::findImage(const wchar_t* fileName) const {
    const std::wstring name = moduleFileName(fileName);
    for (const ModuleImage& image : m_images)
        if (sameName(image.name, name.c_str())) return &image;
    return nullptr;
}

bool AcRxDynamicLinker::hasModuleImage(const wchar_t* fileName) const {
    return findImage(fileName) != nullptr;
}

bool AcRxDynamicLinker::loadModule(const wchar_t* fileName, bool printit, bool asCmd) {
    const ModuleImage* image = findImage(fileName);
    if (!image) {
        if (printit || asCmd)
            host::transcriptWrite(
                host::FormatW(L"\nUnable to load %s: the file was not found.", fileName ? fileName : L""));
        return false;
    }
    const ModuleImage copy = *image;
    return loadModule(copy.name.c_str(), copy.entry, printit || asCmd, copy.moduleExit);
}

bool AcRxDynamicLinker::unloadModule(const wchar_t* fileName, bool asCmd) {
    host::LoadedModule* m = find(fileName);
    if (!m) return false;
    // A module that is busy answering a message cannot be pulled from under itself.
    const bool running = std::find(m_running.begin(), m_running.end(), m) != m_running.end();
    if (m->locked || running) {
        if (asCmd) host::transcriptWrite(host::FormatW(L"\nUnable to unload %s.", m->name.c_str()));
        return false;
    }
    const std::wstring name = m->name;
    notify([&](AcRxDLinkerReactor* r) { r->rxAppWillBeUnloaded(name.c_str()); });
    if (send(*m, AcRx::kUnloadAppMsg, nullptr) != AcRx::kRetOK) {
        notify([&](AcRxDLinkerReactor* r) { r->rxAppUnloadAborted(name.c_str()); });
        if (asCmd) host::transcriptWrite(host::FormatW(L"\nUnable to unload %s.", name.c_str()));
        return false;
    }
    removeModule(m);
    return true;
}

void AcRxDynamicLinker::unloadAllForQuit() {
    while (!m_modules.empty()) {
        host::LoadedModule* m = m_modules.back().get();
        const std::wstring name = m->name;
        if (m_openDrawings)
            for (void* drawing : m_openDrawings()) send(*m, AcRx::kUnloadDwgMsg, drawing);
        notify([&](AcRxDLinkerReactor* r) { r->rxAppWillBeUnloaded(name.c_str()); });
        send(*m, AcRx::kUnloadAppMsg, nullptr);
        send(*m, AcRx::kQuitMsg, nullptr);
        removeModule(m);
    }
}

bool AcRxDynamicLinker::unlockApplication(void* appId) const {
    host::LoadedModule* m = findById(appId);
    if (!m) return false;
    m->locked = false;
    return true;
}

bool AcRxDynamicLinker::lockApplication(void* appId) const {
    host::LoadedModule* m = findById(appId);
    if (!m) return false;
    m->locked = true;
    return true;
}

bool AcRxDynamicLinker::isApplicationLocked(const wchar_t* fileName) const {
    const host::LoadedModule* m = find(fileName);
    return m && m->locked;
}

bool AcRxDynamicLinker::registerAppMDIAware(void* appId) const {
    host::LoadedModule* m = findById(appId);
    if (!m) return false;
    m->mdiAware = true;
    return true;
}

bool AcRxDynamicLinker::registerAppNotMDIAware(void* appId) const {
    host::LoadedModule* m = findById(appId);
    if (!m) return false;
    m->mdiAware = false;
    return true;
}

bool AcRxDynamicLinker::isAppMDIAware(const wchar_t* fileName) const {
    const host::LoadedModule* m = find(fileName);
    return m && m->mdiAware;
}

void AcRxDynamicLinker::addReactor(AcRxDLinkerReactor* reactor) {
    if (reactor && std::find(m_reactors.begin(), m_reactors.end(), reactor) == m_reactors.end())
        m_reactors.push_back(reactor);
}

void AcRxDynamicLinker::removeReactor(AcRxDLinkerReactor* reactor) {
    m_reactors.erase(std::remove(m_reactors.begin(), m_reactors.end(), reactor), m_reactors.end());
}

bool AcRxDynamicLinker::isModuleLoaded(const wchar_t* fileName) const { return find(fileName) != nullptr; }

std::vector<std::wstring> AcRxDynamicLinker::loadedModules() const {
    std::vector<std::wstring> names;
    for (const auto& m : m_modules) names.push_back(m->name);
    return names;
}

AcRx::AppRetCode AcRxDynamicLinker::sendModuleMessage(const wchar_t* fileName, AcRx::AppMsgCode msg, void* pkt) {
    host::LoadedModule* m = find(fileName);
    return m ? send(*m, msg, pkt) : AcRx::kRetError;
}

void AcRxDynamicLinker::sendMessageToAll(AcRx::AppMsgCode msg, void* pkt) {
    // By name, so a module that goes away during the round is simply skipped.
    for (const std::wstring& name : loadedModules())
        if (host::LoadedModule* m = find(name.c_str())) send(*m, msg, pkt);
}

const wchar_t* AcRxDynamicLinker::currentModule() const {
    if (m_context.empty() || m_context.back().empty()) return nullptr;
    return m_context.back().c_str();
}

void AcRxDynamicLinker::pushModuleContext(const wchar_t* fileName) { m_context.emplace_back(fileName ? fileName : L""); }

void AcRxDynamicLinker::popModuleContext() {
    if (!m_context.empty()) m_context.pop_back();
}

void AcRxDynamicLinker::setOpenDrawingsProvider(std::function<std::vector<void*>()> provider) {
    m_openDrawings = std::move(provider);
}

AcRxDynamicLinker* acrxDynamicLinkerPtr() {
    static AcRxDynamicLinker* linker = [] {
        auto* l = new AcRxDynamicLinker;
        acrxSysRegistry()->atPut(ACRX_DYNAMIC_LINKER, l);
        return l;
    }();
    return linker;
}

int acrxGetApiVersion() { return kApiVersion; }

namespace host {
ModuleContextScope::ModuleContextScope(const wchar_t* moduleName) {
    acrxDynamicLinker->pushModuleContext(moduleName);
}
ModuleContextScope::~ModuleContextScope() { acrxDynamicLinker->popModuleContext(); }
} // namespace host
