#include "host/mfc/AfxResources.h"

#include "host/mfc/AfxModuleState.h"
#include "host/win/FormatW.h"
#include "host/win/Transcript.h"
#include "host/win/WinModules.h"

#include <map>

namespace host::mfc {

namespace {

struct ModuleResources {
    std::map<UINT, DialogTemplate> dialogs;
    std::map<UINT, MenuTemplate> menus;
};

std::map<HINSTANCE, ModuleResources>& registry() {
    static std::map<HINSTANCE, ModuleResources> r;
    return r;
}

template <class T> const T* compiledIn(HINSTANCE module, UINT id, std::map<UINT, T> ModuleResources::*table) {
    const auto m = registry().find(module);
    if (m == registry().end()) return nullptr;
    const auto it = (m->second.*table).find(id);
    return it == (m->second.*table).end() ? nullptr : &it->second;
}

// Names the file and the line the block begins on, so a translator finds it.
void reportBlock(HINSTANCE module, const wchar_t* kind, UINT id, const std::wstring& problem,
                 std::wstring* out) {
    std::wstring path;
    const size_t line = host::languageModuleBlockLine(module, kind, id, &path);
    host::transcriptWrite(
        host::FormatW(L"\nLanguage module \"%s\", line %u: %s %u is damaged (%s); the untranslated "
                      L"one is used.",
                      path.c_str(), static_cast<unsigned>(line), kind, id, problem.c_str()));
    if (out) *out = problem;
}

} // namespace

void registerDialogTemplate(HINSTANCE module, DialogTemplate dialog) {
    const UINT id = dialog.id;
    registry()[module].dialogs[id] = std::move(dialog);
}

void registerMenuTemplate(HINSTANCE module, MenuTemplate menu) {
    const UINT id = menu.id;
    registry()[module].menus[id] = std::move(menu);
}

void unregisterResources(HINSTANCE module) {
    registry().erase(module);
}

std::optional<DialogTemplate> findDialogTemplate(HINSTANCE module, UINT id, std::wstring* problem) {
    if (problem) problem->clear();
    if (!host::isLanguageModule(module)) {
        const DialogTemplate* t = compiledIn(module, id, &ModuleResources::dialogs);
        return t ? std::optional<DialogTemplate>(*t) : std::nullopt;
    }
    // A language module translates the add-on: the layout stays the add-on's.
    const std::vector<std::wstring>* block = host::languageModuleBlock(module, L"DIALOG", id);
    const DialogTemplate* base = compiledIn(host::addOnModule(), id, &ModuleResources::dialogs);
    if (!block || !base) return std::nullopt;
    DialogTemplate dialog = *base;
    std::wstring why;
    if (!applyDialogBlock(*block, dialog, why)) {
        // Untranslated is better than no dialog at all.
        reportBlock(module, L"DIALOG", id, why, problem);
        return *base;
    }
    return dialog;
}

std::optional<MenuTemplate> findMenuTemplate(HINSTANCE module, UINT id, std::wstring* problem) {
    if (problem) problem->clear();
    if (!host::isLanguageModule(module)) {
        const MenuTemplate* t = compiledIn(module, id, &ModuleResources::menus);
        return t ? std::optional<MenuTemplate>(*t) : std::nullopt;
    }
    const std::vector<std::wstring>* block = host::languageModuleBlock(module, L"MENU", id);
    if (!block) return std::nullopt;
    MenuTemplate menu;
    menu.id = id;
    std::wstring why;
    if (!parseMenuBlock(*block, menu, why)) {
        reportBlock(module, L"MENU", id, why, problem);
        const MenuTemplate* base = compiledIn(host::addOnModule(), id, &ModuleResources::menus);
        return base ? std::optional<MenuTemplate>(*base) : std::nullopt;
    }
    return menu;
}

bool hasResource(HINSTANCE module, UINT id, bool menu) {
    if (host::isLanguageModule(module))
        return host::languageModuleBlock(module, menu ? L"MENU" : L"DIALOG", id) != nullptr &&
               (menu || compiledIn(host::addOnModule(), id, &ModuleResources::dialogs));
    return menu ? compiledIn(module, id, &ModuleResources::menus) != nullptr
                : compiledIn(module, id, &ModuleResources::dialogs) != nullptr;
}

std::vector<UINT> registeredResourceIds(HINSTANCE module, bool menus) {
    std::vector<UINT> ids;
    const auto m = registry().find(module);
    if (m == registry().end()) return ids;
    if (menus)
        for (const auto& entry : m->second.menus)
            ids.push_back(entry.first);
    else
        for (const auto& entry : m->second.dialogs)
            ids.push_back(entry.first);
    return ids;
}

} // namespace host::mfc

HINSTANCE AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType) {
    const HINSTANCE current = AfxGetResourceHandle();
    if (!IS_INTRESOURCE(lpszName)) return current;
    const UINT id = static_cast<UINT>(reinterpret_cast<UINT_PTR>(lpszName));
    const bool menu = lpszType == RT_MENU;
    if (host::mfc::hasResource(current, id, menu)) return current;
    if (host::mfc::hasResource(AfxGetInstanceHandle(), id, menu)) return AfxGetInstanceHandle();
    return current;
}
