#pragma once
// "Globale Einstellungen: <file>": the options of one mode of the options file in use,
// on six pages (geometry, texts, the scale and text-height tables, conversion, lists).
// The mode combo switches every page to the set of that mode, keeping what was typed
// for the other; "Save" writes all of it into the options file in use, "Save as..."
// copies that file first and goes on with the copy, "Cancel" writes nothing. The
// dialog opens on the page that was active when it was last saved.
#include "host/mfc/CDialog.h"
#include "host/mfc/CPropertySheet.h"
#include "module/ui/COptPages.h"
#include "module/ui/OptionDraft.h"

#include <memory>
#include <string>

class CGlobDimOptions;

// The sheet of the pages, shown inside the dialog's page area without a frame.
class CMyPropertySheet : public CPropertySheet {
public:
    CMyPropertySheet() = default;
};

// The dialog's end after "Save as...".
constexpr int IDR_OPTIONS_SAVED_AS = 500;

class CDlgOption : public CDialog {
public:
    // The options must exist while the dialog lives.
    CDlgOption(CGlobDimOptions& options, CWnd* pParent = nullptr);
    ~CDlgOption() override;

    BOOL OnInitDialog() override;
    void OnOK() override;

    // The dialog mode shown (OPT_DLG_LINEAR, OPT_DLG_HEIGHT, OPT_DLG_TEXT).
    int DialogMode() const { return m_mode; }
    int ActivePage() const { return m_sheet.GetActiveIndex(); }

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    // Every page into the draft; false (the failing page shown) when one refuses.
    bool takePages();
    void showPages();
    void onModeChange();
    void onSaveAs();
    bool mayEdit() const;
    // Stores the page and mode, writes the draft and tells the palette.
    void save();

    CGlobDimOptions& m_options;
    OptionDraft m_draft;
    int m_mode = OPT_DLG_LINEAR;
    CMyPropertySheet m_sheet;
    COptPage4 m_geometry;
    COptPage6 m_text;
    COptPage3 m_scale;
    COptPage2 m_height;
    COptPage5 m_convert;
    COptPage1 m_lists;
};

// The title's form of a path: as it is when short, else its beginning, "...", the
// separator and the file name ("%s...\%s"), about `maxLength` characters in all.
std::wstring ShortenTitlePath(const std::wstring& path, std::size_t maxLength = 60);

// XOTA_Doption: the dialog on the options file in use; true when it saved.
bool OpenDlgOption(CWnd* pParent = nullptr);
