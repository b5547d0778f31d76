#include "MfcTestSupport.h"

#include "host/mfc/CButton.h"
#include "host/mfc/CMenu.h"
#include "host/mfc/PaletteWindow.h"
#include "host/win/UiPalette.h"

#include <gtest/gtest.h>

using namespace mfctest;

namespace {

// A palette that writes its combo's value on a selection change or when it loses
// the focus, as the add-on's palette does, and takes menu-bar commands.
class Palette : public RecordingDialog {
public:
    std::vector<std::wstring> scaleWrites;
    std::vector<int> menuCommands;
    CMenu menuBar;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        const int id = LOWORD(wParam), code = HIWORD(wParam);
        if (id == kScale && (code == CBN_SELCHANGE || code == CBN_KILLFOCUS)) {
            std::wstring text;
            GetDlgItem(kScale)->GetWindowText(text);
            scaleWrites.push_back(text);
        }
        if (id >= 32700 && id <= 32900) menuCommands.push_back(id);
        return RecordingDialog::OnCommand(wParam, lParam);
    }
};

} // namespace

TEST(PaletteWindow, PaletteEventsActLikeAPersonAndBadOnesChangeNothing) {
    registerOptionsDialog();
    host::TranscriptCapture transcript;
    EXPECT_FALSE(host::handlePaletteEvent(L"yes")); // not ours: others may take it
    EXPECT_TRUE(host::handlePaletteEvent(L"palette click 1"));
    EXPECT_TRUE(contains(transcript.text(), L"no palette is open - \"@palette click 1\" ignored."))
        << narrow(transcript.text());

    Palette palette;
    ASSERT_TRUE(palette.Create(kOptionsDialog));
    palette.ShowWindow(SW_SHOW);
    ASSERT_TRUE(palette.menuBar.CreateMenu());
    palette.menuBar.AppendMenu(MF_STRING, 32788, L"Globale Einstellungen...");
    palette.menuBar.AppendMenu(MF_STRING | MF_GRAYED, 32811, L"Maßzahländerungen zurück");
    palette.SetMenu(&palette.menuBar);
    host::mfc::setPaletteWindow(&palette);

    EXPECT_TRUE(host::handlePaletteEvent(L"palette select 1020 1:100"));
    EXPECT_TRUE(host::handlePaletteEvent(L"palette 1020 = 50"));
    EXPECT_TRUE(host::handlePaletteEvent(L"PALETTE menu 32788"));
    // A selection writes twice (selection change, focus loss); typing once (focus loss).
    EXPECT_EQ(palette.scaleWrites, (std::vector<std::wstring>{L"1:100", L"1:100", L"50"}));
    EXPECT_EQ(palette.menuCommands, std::vector<int>{32788});

    transcript.clear();
    palette.commands.clear();
    EXPECT_TRUE(host::handlePaletteEvent(L"palette menu 32811"));
    EXPECT_TRUE(host::handlePaletteEvent(L"palette menu 32000"));
    EXPECT_TRUE(host::handlePaletteEvent(L"palette click 1023"));
    EXPECT_TRUE(host::handlePaletteEvent(L"palette select 1019 2 mm"));
    EXPECT_TRUE(host::handlePaletteEvent(L"palette"));
    const std::wstring& t = transcript.text();
    EXPECT_TRUE(contains(t, L"menu item 32811 (\"Maßzahländerungen zurück\") is greyed")) << narrow(t);
    EXPECT_TRUE(contains(t, L"the menu has no item 32000")) << narrow(t);
    EXPECT_TRUE(contains(t, L"is disabled - \"@palette click 1023\" ignored.")) << narrow(t);
    EXPECT_TRUE(contains(t, L"nothing to do is given")) << narrow(t);
    EXPECT_EQ(palette.menuCommands.size(), 1u);
    EXPECT_EQ(static_cast<CComboBox*>(palette.GetDlgItem(kUnit))->GetCurSel(), -1);

    // While a command runs the palette is hidden: it takes nothing.
    palette.ShowWindow(SW_HIDE);
    transcript.clear();
    EXPECT_TRUE(host::handlePaletteEvent(L"palette check 1040 1"));
    EXPECT_TRUE(contains(transcript.text(), L"the window is hidden"));
    EXPECT_EQ(static_cast<CButton*>(palette.GetDlgItem(kReduced))->GetCheck(), BST_UNCHECKED);

    // Closing the palette unregisters it.
    palette.DestroyWindow();
    EXPECT_EQ(host::mfc::paletteWindow(), nullptr);
    EXPECT_EQ(host::paletteForm(), nullptr);
    transcript.clear();
    EXPECT_TRUE(host::handlePaletteEvent(L"palette click 1040"));
    EXPECT_TRUE(contains(transcript.text(), L"no palette is open"));
}
