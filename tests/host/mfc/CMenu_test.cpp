#include "MfcTestSupport.h"

#include "host/mfc/AfxModuleState.h"
#include "host/mfc/CMenu.h"
#include "host/win/UiMenuView.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

using namespace mfctest;

namespace {

constexpr UINT kChainMenu = 9130;

void registerChainMenu() {
    host::mfc::MenuTemplate m;
    m.id = kChainMenu;
    m.items = {{0,
                L"Kette",
                MF_POPUP,
                {{32880, L"Summe der Maße", 0, {}},
                 {0, L"", MF_SEPARATOR, {}},
                 {32886, L"Maßtext-Hintergrund", MF_CHECKED, {}},
                 {0,
                  L"Führungslinien",
                  MF_POPUP,
                  {{32854, L"zeichnen", 0, {}}, {32852, L"löschen", MF_GRAYED, {}}}}}}};
    host::mfc::registerMenuTemplate(host::addOnModule(), m);
}

// Receives the command a menu sends when it is not asked to return it.
class CommandSink : public CWnd {
public:
    std::vector<int> ids;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM) override {
        ids.push_back(LOWORD(wParam));
        return TRUE;
    }
};

std::string tempLanguageFile(const std::string& body) {
    char dir[] = "/tmp/lintaro_mfc_XXXXXX";
    const char* made = ::mkdtemp(dir);
    std::string path = std::string(made ? made : "/tmp") + "/lintaroEN.lng";
    std::ofstream(path) << body;
    return path;
}

} // namespace

TEST(CMenu, LoadedMenusChangeAndReportTheirItems) {
    registerChainMenu();
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(kChainMenu));
    CMenu* popup = menu.GetSubMenu(0);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->GetMenuItemCount(), 4u);
    EXPECT_EQ(popup->GetMenuItemID(0), 32880u);
    EXPECT_EQ(popup->GetMenuItemID(1), 0u);                    // separator
    EXPECT_EQ(popup->GetMenuItemID(3), static_cast<UINT>(-1)); // sub-menu
    EXPECT_EQ(popup->GetSubMenu(0), nullptr);
    EXPECT_EQ(popup->GetMenuState(32886, MF_BYCOMMAND) & MF_CHECKED, static_cast<UINT>(MF_CHECKED));

    // By command reaches into sub-menus; the previous state comes back.
    EXPECT_EQ(menu.EnableMenuItem(32852, MF_BYCOMMAND | MF_ENABLED), static_cast<UINT>(MF_GRAYED));
    EXPECT_EQ(menu.CheckMenuItem(32880, MF_BYCOMMAND | MF_CHECKED), static_cast<UINT>(MF_UNCHECKED));
    EXPECT_EQ(menu.EnableMenuItem(4711, MF_BYCOMMAND | MF_GRAYED), static_cast<UINT>(-1));
    EXPECT_TRUE(popup->ModifyMenu(32880, MF_BYCOMMAND | MF_STRING, 32889, L"Summe darstellen"));
    std::wstring text;
    EXPECT_EQ(menu.GetMenuString(32889, text, MF_BYCOMMAND), 16);
    EXPECT_EQ(text, L"Summe darstellen");
    EXPECT_TRUE(popup->InsertMenu(0, MF_BYPOSITION | MF_STRING, 32792, L"Maßzahlen zentrieren"));
    EXPECT_EQ(popup->GetMenuItemID(0), 32792u);
    EXPECT_TRUE(popup->DeleteMenu(3, MF_BYPOSITION)); // the checked item
    EXPECT_EQ(popup->GetMenuItemCount(), 4u);

    // Destroying the menu kills its sub-menus; their stale handles are refused.
    const HMENU sub = popup->GetSafeHmenu();
    EXPECT_TRUE(menu.DestroyMenu());
    EXPECT_FALSE(IsMenu(sub));
    EXPECT_EQ(GetMenuItemCount(sub), -1);
    EXPECT_FALSE(AppendMenuW(sub, MF_STRING, 1, L"x"));
    EXPECT_FALSE(menu.LoadMenu(9199)); // no such menu
    EXPECT_EQ(menu.GetSafeHmenu(), nullptr);
}

TEST(CMenu, TrackPopupMenuReturnsOnlyWhatTheMenuOffers) {
    registerChainMenu();
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(kChainMenu));
    CMenu* popup = menu.GetSubMenu(0);
    ScriptedUi ui{L"menu 32886", L"menu 4711", L"menu 32852", L"menu abc", L"yes", L"menu 32854"};
    EXPECT_EQ(popup->TrackPopupMenu(TPM_RETURNCMD, 10, 10, nullptr), 32886);
    EXPECT_EQ(popup->TrackPopupMenu(TPM_RETURNCMD, 10, 10, nullptr), 0); // not in the menu
    EXPECT_EQ(popup->TrackPopupMenu(TPM_RETURNCMD, 10, 10, nullptr), 0); // greyed
    EXPECT_EQ(popup->TrackPopupMenu(TPM_RETURNCMD, 10, 10, nullptr), 0); // not an id
    const std::wstring& t = ui.transcript.text();
    EXPECT_TRUE(contains(t, L"<Maßtext-Hintergrund>")) << narrow(t);
    EXPECT_TRUE(contains(t, L"Menu: \"4711\" is not in this menu - nothing chosen.")) << narrow(t);
    EXPECT_TRUE(contains(t, L"Menu: \"32852\" is greyed - nothing chosen.")) << narrow(t);
    EXPECT_TRUE(contains(t, L"is not a menu item id")) << narrow(t);
    // An event for something else is left where it is: nothing is chosen.
    EXPECT_EQ(popup->TrackPopupMenu(TPM_RETURNCMD, 10, 10, nullptr), 0);
    EXPECT_EQ(ui.events.size(), 2u);
    ui.events.popEvent();
    // Without TPM_RETURNCMD the window gets the command.
    CommandSink sink;
    ASSERT_TRUE(sink.Create(nullptr, L"view", WS_VISIBLE, RECT{}, nullptr, 0));
    EXPECT_TRUE(popup->TrackPopupMenu(TPM_LEFTALIGN, 10, 10, &sink));
    EXPECT_EQ(sink.ids, std::vector<int>{32854});
}

TEST(CMenu, LanguageModulesTranslateMenusAndDialogTextsAndDamageFallsBack) {
    registerChainMenu();
    registerOptionsDialog();
    const std::string path = tempLanguageFile("LANGUAGE EN\n"
                                              "MENU 9130\n"
                                              "POPUP \"Chain\"\n"
                                              "BEGIN\n"
                                              "  MENUITEM \"Sum of dimensions\", 32880, CHECKED\n"
                                              "  MENUITEM SEPARATOR\n"
                                              "  MENUITEM \"Text background\", 32886, GRAYED\n"
                                              "END\n"
                                              "END MENU\n"
                                              "MENU 9131\n"
                                              "POPUP \"Broken\"\n"
                                              "  MENUITEM \"No id\"\n"
                                              "END\n"
                                              "END MENU\n"
                                              "DIALOG 9100\n"
                                              "CAPTION \"Global settings\"\n"
                                              "CONTROL 1040 \"Reduced size\"\n"
                                              "END DIALOG\n");
    const HMODULE lng = LoadLibraryW(std::wstring(path.begin(), path.end()).c_str());
    ASSERT_NE(lng, nullptr);
    const HINSTANCE previous = AfxGetResourceHandle();
    AfxSetResourceHandle(lng);
    {
        CMenu menu;
        ASSERT_TRUE(menu.LoadMenu(kChainMenu));
        const host::UiMenuView view = host::mfc::menuView(menu.GetSubMenu(0)->GetSafeHmenu());
        ASSERT_EQ(view.size(), 3u);
        EXPECT_EQ(view[0].text, L"Sum of dimensions");
        EXPECT_TRUE(view[0].checked);
        EXPECT_TRUE(view[1].separator);
        EXPECT_FALSE(view[2].enabled);

        ScriptedUi ui{L"dialog check 1040 1"};
        struct Probe : RecordingDialog {
            std::wstring caption, label;
            BOOL OnInitDialog() override {
                GetWindowText(caption);
                GetDlgItem(kReduced)->GetWindowText(label);
                return RecordingDialog::OnInitDialog();
            }
        } dlg;
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
        EXPECT_EQ(dlg.caption, L"Global settings");
        EXPECT_EQ(dlg.label, L"Reduced size");
        EXPECT_TRUE(contains(ui.transcript.text(), L"Global settings: no scripted answer"))
            << narrow(ui.transcript.text());

        // A damaged block says what is wrong and is not used; a menu the add-on has
        // no own version of is then not there at all.
        ui.transcript.clear();
        CMenu broken;
        EXPECT_FALSE(broken.LoadMenu(9131));
        EXPECT_TRUE(
            contains(ui.transcript.text(), L"MENU 9131 is damaged (line 2: a comma and the item's id"))
            << narrow(ui.transcript.text());
        // The file's own line of the block, for the one who mends it.
        EXPECT_TRUE(contains(ui.transcript.text(), L".lng\", line 10: MENU 9131"))
            << narrow(ui.transcript.text());
    }
    AfxSetResourceHandle(previous);
    EXPECT_TRUE(FreeLibrary(lng));
    std::remove(path.c_str());
}

TEST(CMenu, MenuBlocksRefuseWhatTheyCannotRead) {
    host::mfc::MenuTemplate menu;
    std::wstring problem;
    EXPECT_FALSE(host::mfc::parseMenuBlock({L"POPUP \"A\"", L"MENUITEM \"x\", 0", L"END"}, menu, problem));
    EXPECT_TRUE(contains(problem, L"line 2")) << narrow(problem);
    EXPECT_FALSE(host::mfc::parseMenuBlock({L"POPUP \"A\"", L"MENUITEM \"x\", 5"}, menu, problem));
    EXPECT_TRUE(contains(problem, L"no END"));
    EXPECT_FALSE(host::mfc::parseMenuBlock({L"END"}, menu, problem));
    EXPECT_FALSE(host::mfc::parseMenuBlock({L"MENUITEM \"x\", 5, BOLD"}, menu, problem));
    EXPECT_TRUE(contains(problem, L"unknown option \"bold\""));
    EXPECT_FALSE(host::mfc::parseMenuBlock({L"MENUITEM \"x, 5"}, menu, problem));
    EXPECT_TRUE(host::mfc::parseMenuBlock({L"MENUITEM \"a \\\"b\\\"\", 7", L"; note"}, menu, problem));
    ASSERT_EQ(menu.items.size(), 1u);
    EXPECT_EQ(menu.items[0].text, L"a \"b\"");

    host::mfc::DialogTemplate dialog;
    dialog.caption = L"Alt";
    dialog.controls = {{5, host::mfc::ControlKind::Static, L"alt", 0, {}, true}};
    EXPECT_FALSE(host::mfc::applyDialogBlock({L"CAPTION \"Neu\"", L"CONTROL 6 \"x\""}, dialog, problem));
    EXPECT_TRUE(contains(problem, L"no control 6"));
    EXPECT_EQ(dialog.caption, L"Alt"); // all or nothing
    EXPECT_TRUE(host::mfc::applyDialogBlock({L"CAPTION \"Neu\"", L"CONTROL 5 \"neu\""}, dialog, problem));
    EXPECT_EQ(dialog.caption, L"Neu");
    EXPECT_EQ(dialog.controls[0].text, L"neu");

    // Labels without an id are found by their text, every one of that text.
    dialog.controls.push_back({IDC_STATIC, host::mfc::ControlKind::Static, L"Wert", 0, {}, true});
    dialog.controls.push_back({IDC_STATIC, host::mfc::ControlKind::Static, L"Wert", 0, {}, true});
    EXPECT_FALSE(host::mfc::applyDialogBlock({L"STATIC \"Wert\" \"Value\"", L"STATIC \"Hoehe\" \"Height\""},
                                             dialog, problem));
    EXPECT_TRUE(contains(problem, L"line 2: the dialog has no label \"Hoehe\"")) << narrow(problem);
    EXPECT_EQ(dialog.controls[1].text, L"Wert"); // nothing taken from a refused block
    EXPECT_FALSE(host::mfc::applyDialogBlock({L"STATIC \"Wert\""}, dialog, problem));
    EXPECT_TRUE(host::mfc::applyDialogBlock({L"STATIC \"Wert\" \"Value\""}, dialog, problem));
    EXPECT_EQ(dialog.controls[1].text, L"Value");
    EXPECT_EQ(dialog.controls[2].text, L"Value");

    // A list's entries are translated in place, as many as it has.
    dialog.controls.push_back({7, host::mfc::ControlKind::ComboBox, L"", 0, {L"Alles", L"Nichts"}, true});
    EXPECT_FALSE(host::mfc::applyDialogBlock({L"ITEMS 7 \"All\""}, dialog, problem));
    EXPECT_TRUE(contains(problem, L"control 7 has 2 entries, not 1")) << narrow(problem);
    EXPECT_FALSE(host::mfc::applyDialogBlock({L"ITEMS 8 \"All\" \"None\""}, dialog, problem));
    EXPECT_TRUE(host::mfc::applyDialogBlock({L"ITEMS 7 \"All\" \"None\""}, dialog, problem));
    EXPECT_EQ(dialog.controls[3].items, (std::vector<std::wstring>{L"All", L"None"}));
}
