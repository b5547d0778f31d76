#pragma once
// The host's module loader. Modules are compiled into the program, so loading one
// means handing the linker its file name and its entry point; the linker then
// talks to it only through application messages, as the host does with a DLL.
#include "host/rx/AcRx.h"
#include "host/rx/AcRxObject.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

#define ACRX_DYNAMIC_LINKER L"DynamicLinker"

class AcRxDLinkerReactor;

namespace host {
struct LoadedModule;
}

class AcRxDynamicLinker : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcRxDynamicLinker);
    AcRxDynamicLinker();
    ~AcRxDynamicLinker() override;

    // Sends kInitAppMsg (the packet identifies the module for unlockApplication and
    // registerAppMDIAware), then kLoadDwgMsg for every open drawing. A module that
    // answers kRetError or throws is not loaded. Loading a loaded module is a no-op
    // that succeeds. `moduleExit` stands for the module's static destructors: it
    // runs after the module has been unloaded for good.
    bool loadModule(const wchar_t* fileName, AcRxEntryPointFn entry, bool printit = false,
                    void (*moduleExit)() = nullptr);
    // Loads a module file the host can find (see registerModuleImage) by its path
    // or file name; the module is known by its file name. False when there is no
    // such file or the module refused to load ("Unable to load ..." with printit).
    bool loadModule(const wchar_t* fileName, bool printit, bool asCmd = false);
    // Sends kUnloadAppMsg; a locked module, or one that answers kRetError, stays.
    bool unloadModule(const wchar_t* fileName, bool asCmd = false);

    // Modules are locked (not unloadable) until they unlock themselves.
    bool unlockApplication(void* appId) const;
    bool lockApplication(void* appId) const;
    bool isApplicationLocked(const wchar_t* fileName) const;
    bool registerAppMDIAware(void* appId) const;
    bool registerAppNotMDIAware(void* appId) const;
    bool isAppMDIAware(const wchar_t* fileName) const;

    void addReactor(AcRxDLinkerReactor* reactor);
    void removeReactor(AcRxDLinkerReactor* reactor);

    // ---- the host's side ----
    // The module files on the host's search path: modules are compiled into the
    // program, so "the file exists" means the program registered its entry point.
    void registerModuleImage(const wchar_t* fileName, AcRxEntryPointFn entry, void (*moduleExit)() = nullptr);
    bool hasModuleImage(const wchar_t* fileName) const;
    bool isModuleLoaded(const wchar_t* fileName) const;
    std::vector<std::wstring> loadedModules() const;
    // Sends one message to one module; kRetError when there is no such module.
    AcRx::AppRetCode sendModuleMessage(const wchar_t* fileName, AcRx::AppMsgCode msg, void* pkt);
    // Sends a message to every loaded module, in load order.
    void sendMessageToAll(AcRx::AppMsgCode msg, void* pkt);
    // The module the host is working for now (innermost): the one whose entry point
    // runs, or whose command or AutoLISP function runs; null when none. The editor
    // uses it to know which module defines an AutoLISP function or a command.
    const wchar_t* currentModule() const;
    // Marks the host as working for a module (empty name: for the host itself) until
    // the matching pop; see host::ModuleContextScope.
    void pushModuleContext(const wchar_t* fileName);
    void popModuleContext();
    // The open drawings a newly loaded module gets kLoadDwgMsg for (the packet of
    // each message). Set by whoever owns the documents.
    void setOpenDrawingsProvider(std::function<std::vector<void*>()> provider);
    // Leaving the program: every module, last loaded first, gets kUnloadDwgMsg for
    // every open drawing, kUnloadAppMsg and kQuitMsg, locked or not, and is gone.
    void unloadAllForQuit();

private:
    host::LoadedModule* find(const wchar_t* fileName) const;
    host::LoadedModule* findById(const void* appId) const;
    AcRx::AppRetCode send(host::LoadedModule& m, AcRx::AppMsgCode msg, void* pkt);
    void removeModule(host::LoadedModule* m);
    template <class F> void notify(F&& f);

    struct ModuleImage {
        std::wstring name;
        AcRxEntryPointFn entry;
        void (*moduleExit)();
    };
    const ModuleImage* findImage(const wchar_t* fileName) const;

    std::vector<std::unique_ptr<host::LoadedModule>> m_modules;
    std::vector<ModuleImage> m_images;
    std::vector<AcRxDLinkerReactor*> m_reactors;
    std::vector<host::LoadedModule*> m_running;
    std::vector<std::wstring> m_context;
    std::function<std::vector<void*>()> m_openDrawings;
};

AcRxDynamicLinker* acrxDynamicLinkerPtr();
#define acrxDynamicLinker acrxDynamicLinkerPtr()

// The version of the runtime interface modules are written against.
int acrxGetApiVersion();

namespace host {
// Runs a stretch of code on behalf of a module: a command it registered, an AutoLISP
// function it defined.
class ModuleContextScope {
public:
    explicit ModuleContextScope(const wchar_t* moduleName);
    ~ModuleContextScope();
    ModuleContextScope(const ModuleContextScope&) = delete;
    ModuleContextScope& operator=(const ModuleContextScope&) = delete;
};
} // namespace host
