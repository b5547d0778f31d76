#pragma once
// Dialog templates and menus as data. A module registers its own (compiled-in)
// templates and menus for its instance handle; a language module (".lng") carries
// translated menus in full and translated dialog texts by control id. Lookups go
// through a resource handle, as LoadMenu and CDialog do with AfxGetResourceHandle or
// AfxFindResourceHandle.
#include "host/win/WinUser.h"

#include <optional>
#include <string>
#include <vector>

namespace host::mfc {

enum class ControlKind { Static, Button, Edit, ComboBox, ListBox, Tab };

struct ControlTemplate {
    int id = IDC_STATIC;
    ControlKind kind = ControlKind::Static;
    std::wstring text;
    DWORD style = 0;                 // BS_, ES_, CBS_, LBS_ styles; WS_DISABLED, WS_GROUP
    std::vector<std::wstring> items; // the first entries of a combo or list box
    bool visible = true;             // as a resource script adds WS_VISIBLE
};

struct DialogTemplate {
    UINT id = 0;
    std::wstring caption;
    DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    RECT rect;
    std::vector<ControlTemplate> controls;
};

struct MenuTemplateItem {
    UINT id = 0;                         // 0 for separators and sub-menus
    std::wstring text;                   // empty for a separator
    UINT flags = 0;                      // MF_GRAYED, MF_CHECKED, MF_SEPARATOR, MF_POPUP
    std::vector<MenuTemplateItem> items; // a sub-menu's items (then MF_POPUP is implied)
};

struct MenuTemplate {
    UINT id = 0;
    std::vector<MenuTemplateItem> items;
};

// Replaces what the module had under the same id.
void registerDialogTemplate(HINSTANCE module, DialogTemplate dialog);
void registerMenuTemplate(HINSTANCE module, MenuTemplate menu);
// Forgets every template and menu of the module (a module that unloads).
void unregisterResources(HINSTANCE module);

// The dialog or menu `id` as the module `module` holds it; a language module's
// dialog is the add-on's compiled-in template with the translated texts. Nullopt when
// the module has none; `problem` then tells why when the block is damaged (also
// written to the transcript).
std::optional<DialogTemplate> findDialogTemplate(HINSTANCE module, UINT id, std::wstring* problem = nullptr);
std::optional<MenuTemplate> findMenuTemplate(HINSTANCE module, UINT id, std::wstring* problem = nullptr);
bool hasResource(HINSTANCE module, UINT id, bool menu);
// The ids of the dialogs (or menus) a module registered, in order.
std::vector<UINT> registeredResourceIds(HINSTANCE module, bool menus);

// The text form of menus in a language module, one entry a line:
//   POPUP "&Bearbeiten"  ... END         (BEGIN lines are allowed and skipped)
//   MENUITEM "Text", 32880 [, GRAYED] [, CHECKED]
//   MENUITEM SEPARATOR
// and of dialogs:  CAPTION "Text",  CONTROL <id> "Text"  and, for the labels that have
// no id of their own,  STATIC "their text" "Text";  ITEMS <id> "first" "second" ...
// for the first entries of a list (as many as the add-on's own).
bool parseMenuBlock(const std::vector<std::wstring>& lines, MenuTemplate& out, std::wstring& problem);
bool applyDialogBlock(const std::vector<std::wstring>& lines, DialogTemplate& dialog, std::wstring& problem);

} // namespace host::mfc

// The module that holds the resource (an id made with MAKEINTRESOURCE) of the type
// (RT_MENU, RT_DIALOG): the current resource handle when it has it, else the add-on's
// own; the current resource handle when neither has it.
HINSTANCE AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType);
