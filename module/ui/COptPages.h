#pragma once
// The six pages of the options dialog. Each shows the draft's values for the dialog's
// mode and takes its controls back into the draft when the user leaves it, switches
// the mode or saves; a text a control cannot hold keeps the user on the page with a
// message and leaves the draft as it was.
#include "host/mfc/CPropertyPage.h"
#include "module/ui/OptionDraft.h"

#include <string>
#include <vector>

class COptPageBase : public CPropertyPage {
public:
    COptPageBase(UINT nIDTemplate, OptionDraft& draft, const int& dlgMode)
        : CPropertyPage(nIDTemplate), m_draft(draft), m_mode(dlgMode) {}

    // Draft to controls for the current mode; nothing before the page was first shown.
    void ShowMode() {
        if (m_hWnd) show();
    }
    // Controls to draft; true for a page not shown yet.
    bool TakeMode() { return !m_hWnd || take(); }

    BOOL OnInitDialog() override;
    BOOL OnKillActive() override { return TakeMode() ? TRUE : FALSE; }

protected:
    virtual void show() = 0;
    virtual bool take() = 0;

    OptionDraft& m_draft;
    const int& m_mode;
};

// "Geometrie": symbol sizes, line extensions and offsets, layer "0", reference line.
class COptPage4 : public COptPageBase {
public:
    COptPage4(OptionDraft& draft, const int& dlgMode);

protected:
    void show() override;
    bool take() override;
};

// "Text": text sizes and offsets, delimiter, automatic text position, zeros, m/cm,
// height-mark base lines, tolerance and marker layer, alternate units.
class COptPage6 : public COptPageBase {
public:
    COptPage6(OptionDraft& draft, const int& dlgMode);

protected:
    void show() override;
    bool take() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
};

// A table of the options file in use ("Maßstab", "Texthöhe"): a list of "key=value"
// items, edit fields for one row, "Hinzufügen" (adds, or replaces the row of the same
// key) and "Entfernen".
class COptTablePage : public COptPageBase {
public:
    COptTablePage(UINT nIDTemplate, OptionDraft& draft, const int& dlgMode, const wchar_t* base);

protected:
    void show() override;
    bool take() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    // The row the fields hold as an item, or false (and a message) for a wrong one.
    virtual bool rowFromFields(std::wstring& item) = 0;
    virtual void fieldsFromRow(const std::wstring& item) = 0;
    virtual int listId() const = 0;
    virtual int addId() const = 0;
    virtual int removeId() const = 0;

    std::wstring m_base;
    std::vector<std::wstring> m_items;

private:
    void fillList();
};

// "Maßstab": scale -> layer and colour, and the paper-space scale.
class COptPage3 : public COptTablePage {
public:
    COptPage3(OptionDraft& draft, const int& dlgMode);

protected:
    void show() override;
    bool take() override;
    bool rowFromFields(std::wstring& item) override;
    void fieldsFromRow(const std::wstring& item) override;
    int listId() const override;
    int addId() const override;
    int removeId() const override;
};

// "Texthöhe": text height -> colour.
class COptPage2 : public COptTablePage {
public:
    COptPage2(OptionDraft& draft, const int& dlgMode);

protected:
    bool rowFromFields(std::wstring& item) override;
    void fieldsFromRow(const std::wstring& item) override;
    int listId() const override;
    int addId() const override;
    int removeId() const override;
};

// "Konvert": the switches of section "Convert"; the same in every mode.
class COptPage5 : public COptPageBase {
public:
    COptPage5(OptionDraft& draft, const int& dlgMode);

protected:
    void show() override;
    bool take() override;
};

// "Listen": the option lists (the palette's dimension-line distances and extension
// lengths, the layers' default colours, the alternate units' formats): pick a list, add
// and remove entries; "Speichern" writes that list at once.
class COptPage1 : public COptPageBase {
public:
    COptPage1(OptionDraft& draft, const int& dlgMode);

protected:
    void show() override;
    bool take() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    std::wstring chosenList() const;
    void fillEntries();
    void addEntry();
    void saveList();

    std::vector<std::wstring> m_entries;
};

// Checks of one table row as the pages take it; pure, so they are tested alone.
// A scale row: "<Unbekannt>" or a scale ("1:50", "2:1", "BMaß"), a layer name the host
// takes, a colour 0 to 256 (empty: 7). A text-height row: "TrueType" or a height above 0,
// a colour 0 to 256. False for anything else.
bool MakeScaleRow(const std::wstring& scale, const std::wstring& layer, const std::wstring& color,
                  std::wstring& item);
bool MakeHeightRow(const std::wstring& height, const std::wstring& color, std::wstring& item);
// An entry of the "Listen" page's list `list`: for "Layer2DefaultColor" a layer the host
// takes and a colour 0 to 256 ("WAND=3"), for "AltFormatList" a format with a "#" and
// without a comma, else a length above 0 (a comma is taken as the point).
bool MakeListEntry(const std::wstring& list, const std::wstring& text, std::wstring& entry);
// The entries of a comma-separated list ("AltFormatList"), empty ones left out.
std::vector<std::wstring> SplitFormatList(const std::wstring& list);
// Puts the item in place of the one with the same key (compared without case) or at the
// end.
void PutRow(std::vector<std::wstring>& items, const std::wstring& item);
