#include "MfcTestSupport.h"

#include "host/mfc/CEdit.h"
#include "host/mfc/CPropertySheet.h"

#include <gtest/gtest.h>

using namespace mfctest;

namespace {

constexpr UINT kGeometryPage = 9139;
constexpr UINT kTextPage = 9150;
constexpr int kSymbolSize = 1201;
constexpr int kSeparator = 1301;

void registerPages() {
    using host::mfc::ControlKind;
    host::mfc::DialogTemplate geometry;
    geometry.id = kGeometryPage;
    geometry.caption = L"Geometrie";
    geometry.controls = {{kSymbolSize, ControlKind::Edit, L"3", 0, {}, true}};
    host::mfc::registerDialogTemplate(host::addOnModule(), geometry);
    host::mfc::DialogTemplate text;
    text.id = kTextPage;
    text.caption = L"Text";
    text.controls = {{kSeparator, ControlKind::Edit, L".", 0, {}, true}};
    host::mfc::registerDialogTemplate(host::addOnModule(), text);
}

class Page : public CPropertyPage {
public:
    Page(UINT id, int field) : CPropertyPage(id), m_field(field) {}
    int setActive = 0, okCalls = 0, cancelCalls = 0;
    bool refuseLeaving = false;
    std::wstring value;

    BOOL OnSetActive() override {
        ++setActive;
        return TRUE;
    }
    BOOL OnKillActive() override { return refuseLeaving ? FALSE : TRUE; }
    void OnOK() override {
        ++okCalls;
        GetDlgItem(m_field)->GetWindowText(value);
    }
    void OnCancel() override { ++cancelCalls; }

private:
    int m_field;
};

} // namespace

TEST(CPropertySheet, PagesAreCreatedWhenShownAndOkAppliesTheCreatedOnes) {
    registerPages();
    Page geometry(kGeometryPage, kSymbolSize), text(kTextPage, kSeparator);
    CPropertySheet sheet(L"Globale Einstellungen", nullptr, 1);
    sheet.AddPage(&geometry);
    sheet.AddPage(&text);
    {
        // The start page is the second; the first is never shown, so never created.
        ScriptedUi ui{L"dialog 1301 = ,", L"dialog 1201 = 5", L"dialog click 1"};
        EXPECT_EQ(sheet.DoModal(), IDOK);
        EXPECT_TRUE(contains(ui.transcript.text(), L"there is no control 1201"))
            << narrow(ui.transcript.text());
        EXPECT_EQ(text.value, L",");
        EXPECT_EQ(text.okCalls, 1);
        EXPECT_EQ(geometry.okCalls, 0);
        EXPECT_EQ(geometry.setActive, 0);
        EXPECT_EQ(geometry.m_hWnd, nullptr);
        EXPECT_EQ(text.m_hWnd, nullptr); // the pages' windows close with the sheet
    }
    {
        // Switching by the tab's caption; the pages are made anew for the new run.
        sheet.SetActivePage(0);
        ScriptedUi ui{L"dialog select 12320 Text", L"dialog 1301 = ;", L"dialog select 12320 geometrie",
                      L"dialog 1201 = 7", L"dialog click 1"};
        EXPECT_EQ(sheet.DoModal(), IDOK);
        EXPECT_EQ(geometry.value, L"7");
        EXPECT_EQ(text.value, L";");
        EXPECT_EQ(sheet.GetActiveIndex(), -1);
    }
}

TEST(CPropertySheet, APageThatRefusesToBeLeftKeepsTheSheetOnItAndCancelTellsThePages) {
    registerPages();
    Page geometry(kGeometryPage, kSymbolSize), text(kTextPage, kSeparator);
    geometry.refuseLeaving = true;
    CPropertySheet sheet(L"Globale Einstellungen");
    sheet.AddPage(&geometry);
    sheet.AddPage(&text);
    ScriptedUi ui{L"dialog select 12320 Text", L"dialog 1301 = x", L"dialog click 1", L"dialog click 2"};
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    const std::wstring& t = ui.transcript.text();
    EXPECT_TRUE(contains(t, L"the dialog keeps its tab")) << narrow(t);
    EXPECT_TRUE(contains(t, L"there is no control 1301")) << narrow(t);
    // OK could not leave the page either; Cancel then reaches every created page.
    EXPECT_EQ(geometry.okCalls, 0);
    EXPECT_EQ(geometry.cancelCalls, 1);
    EXPECT_EQ(text.cancelCalls, 0);
    EXPECT_EQ(text.setActive, 0);
}

TEST(CPropertySheet, ASheetInsideADialogShowsItsPagesAsChildren) {
    registerOptionsDialog();
    registerPages();
    Page geometry(kGeometryPage, kSymbolSize), text(kTextPage, kSeparator);
    struct Host : RecordingDialog {
        CPropertySheet sheet;
        Page* pages[2] = {};
        BOOL OnInitDialog() override {
            sheet.AddPage(pages[0]);
            sheet.AddPage(pages[1]);
            sheet.Create(this, WS_CHILD | WS_VISIBLE);
            return RecordingDialog::OnInitDialog();
        }
        void OnOK() override {
            for (int i = 0; i < sheet.GetPageCount(); ++i)
                if (sheet.GetPage(i)->m_hWnd) sheet.GetPage(i)->OnOK();
            RecordingDialog::OnOK();
        }
    } dlg;
    dlg.pages[0] = &geometry;
    dlg.pages[1] = &text;
    ScriptedUi ui{L"dialog 1201 = 9", L"dialog select 12320 Text", L"dialog 1301 = -", L"dialog 1001 = x",
                  L"dialog click 1"};
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_FALSE(contains(ui.transcript.text(), L"ignored")) << narrow(ui.transcript.text());
    EXPECT_EQ(geometry.value, L"9");
    EXPECT_EQ(text.value, L"-");
    EXPECT_EQ(dlg.savedName, L"x");
}
