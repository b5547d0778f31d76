// The option dialogs' templates share the module's one table of dialogs with every
// other dialog: an id taken twice would silently replace one dialog with another.
#include "module/resources/OptionResources.h"

#include "host/mfc/AfxModuleState.h"
#include "host/mfc/AfxResources.h"
#include "module/resources/ContextMenuResources.h"
#include "module/resources/HeightResources.h"
#include "module/resources/LintaroStrings.h"
#include "module/resources/ReplaceResources.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

bool hasControl(const host::mfc::DialogTemplate& d, int id) {
    return std::any_of(d.controls.begin(), d.controls.end(),
                       [id](const host::mfc::ControlTemplate& c) { return c.id == id; });
}

} // namespace

TEST(OptionResources, EveryDialogKeepsItsOwnTemplate) {
    RegisterLintaroResources();
    const HINSTANCE module = AfxGetInstanceHandle();
    const struct {
        UINT id;
        const wchar_t* caption;
        int control; // one control only that dialog has
    } dialogs[] = {
        {IDD_DLG_OPTION, L"Globale Einstellungen", IDC_OPT_SAVE_AS},
        {IDD_DLG_OPTIONS_LOAD, L"Globale Einstellungen", IDC_OPF_BROWSE},
        {IDD_OPT_PAGE_GEOMETRY, L"Geometrie", IDC_OPT_SYMBOL_SIZE},
        {IDD_OPT_PAGE_TEXT, L"Text", IDC_OPT_DELIMITER},
        {IDD_OPT_PAGE_SCALE, L"Ma\u00DFstab", IDC_OPT_SCALE_LIST},
        {IDD_OPT_PAGE_HEIGHT, L"Texth\u00F6he", IDC_OPT_HEIGHT_LIST},
        {IDD_OPT_PAGE_CONVERT, L"Konvert", IDC_OPT_CNV_READ_BLOCKS},
        {IDD_OPT_PAGE_LISTS, L"Listen", IDC_OPT_LIST_ENTRIES},
    };
    for (const auto& d : dialogs) {
        const auto t = host::mfc::findDialogTemplate(module, d.id);
        ASSERT_TRUE(t.has_value()) << d.id;
        EXPECT_EQ(t->caption, d.caption) << d.id;
        EXPECT_TRUE(hasControl(*t, d.control)) << d.id;
    }
    // The other dialogs are still themselves.
    for (UINT other : {static_cast<UINT>(IDD_DLG_CHAIN_TEXT), static_cast<UINT>(IDD_DLG_APPEND_TEXT),
                       static_cast<UINT>(IDD_DLG_AUTO_POS_ORDER), static_cast<UINT>(IDD_DLG_REPLACE),
                       static_cast<UINT>(IDD_DLG_HDBASE)})
        for (const auto& d : dialogs) EXPECT_NE(other, d.id);
    const auto chainText = host::mfc::findDialogTemplate(module, IDD_DLG_CHAIN_TEXT);
    ASSERT_TRUE(chainText.has_value());
    EXPECT_TRUE(hasControl(*chainText, IDC_CHAIN_TEXT_EDIT));
    EXPECT_FALSE(hasControl(*chainText, IDC_OPT_CNV_READ_BLOCKS));
}
