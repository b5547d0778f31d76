#pragma once
// The properties dialog ("Eigenschaften", template 102): the parameters of the selected
// chains, height marks and the host's marked dimensions and texts, kind by kind, in a
// grid of four groups, one row a parameter. A row shows the
// value all objects of the kind share, or "<var>" where they differ. Only rows the user
// edited are written, so a row left alone keeps every object's own value. An entry a
// row cannot hold is refused with a message and the row keeps its text.
#include "host/db/database/AcDbObjectId.h"
#include "host/mfc/CDialog.h"
#include "module/ui/PropertyRows.h"

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class CComboBox;

class CDlgProperties : public CDialog {
public:
    // The objects to show; `kind` picks the kind shown first (a kind of kPropKinds, or
    // all: the first kind that has objects).
    CDlgProperties(const AcDbObjectIdArray& ids, int kind);
    ~CDlgProperties() override;

    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    // The kind the grid shows (one of kPropKinds; 0 for none).
    int ShownKind() const { return m_kind; }
    // The objects OK wrote.
    int ChangedCount() const { return m_changed; }

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    struct Row {
        const PropertyRow* row;
        CWnd* label;
        CComboBox* box;
        std::wstring shown; // what the row showed before the user touched it
    };
    using RowKey = std::pair<int, int>; // (type, index)

    const AcDbObjectIdArray& objectsOf(int kind) const;
    void fillKindList();
    void buildGrid();
    void clearGrid();
    void showGrid();
    std::wstring commonText(const PropertyRow& row) const;
    void onRowEdited(Row& row);
    void onKindChosen();
    // A typed width of the rows' names; a wrong one is told and the width stays.
    void onSplitEdited();
    void onSelectObjects();
    // Writes the edited rows into the objects; the number of objects changed.
    int applyEdits();
    void restoreState();
    void saveState();

    std::map<int, AcDbObjectIdArray> m_objects; // by kind
    int m_kind = 0;
    bool m_expanded[kGroupCount] = {true, true, true, true};
    bool m_compact = false;
    int m_split = 120;
    int m_changed = 0;
    std::vector<std::unique_ptr<CWnd>> m_gridWindows;
    std::vector<Row> m_rows;
    // The edited rows' texts by kind, kept when the user switches the kind shown.
    std::map<int, std::map<RowKey, std::wstring>> m_edits;
};

// OpenDlgProperties (module/app/PropertiesPort.h) runs it with the palette hidden.
// The palette's mode (1 to 5) as the dialog's kind.
int PropertiesKindOfMode(int mode);
