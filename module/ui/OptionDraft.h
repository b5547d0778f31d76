#pragma once
// What the options dialog edits, kept apart from the options in use until the user
// saves: the three parameter sets, the general flags and strings, the conversion
// switches and the item lists of the options file in use (the scale and text-height
// tables, the lists of the "Listen" page). Cancel drops the draft and nothing changes;
// Save writes it into the options and their files at once.
#include "module/options/OptionSet.h"

#include <map>
#include <set>
#include <string>
#include <vector>

class CGlobDimOptions;

// The dialog's modes, in the order of its mode combo.
constexpr int OPT_DLG_LINEAR = 0;
constexpr int OPT_DLG_HEIGHT = 1;
constexpr int OPT_DLG_TEXT = 2;
constexpr int OPT_DLG_MODE_COUNT = 3;

// The option mode whose set a dialog mode edits (2, 3, 5), and back (3 and 4 are height
// marks, 5 texts, anything else chains).
int OptionModeOfDialogMode(int dlgMode);
int DialogModeOfOptionMode(int optMode);

// The switches of section "Convert" that the "Konvert" page shows, in its order.
const std::vector<std::wstring>& ConvertKeys();

class OptionDraft {
public:
    // A copy of the options in use; the lists are read from the options file in use
    // when first asked for.
    explicit OptionDraft(const CGlobDimOptions& options);

    COptionSet& Set(int dlgMode);
    const COptionSet& Set(int dlgMode) const;
    std::vector<int> flags;
    std::vector<std::wstring> general;
    std::map<std::wstring, int> convert;

    // The item list `base` ("Scale2Layer", "ExtLineLength" ...) of the dialog mode.
    const std::vector<std::wstring>& List(int dlgMode, const std::wstring& base);
    void SetList(int dlgMode, const std::wstring& base, std::vector<std::wstring> items);
    bool ListChanged(int dlgMode, const std::wstring& base) const;

    // Writes everything into the options, the main INI and the options file in use,
    // saves both files and reloads the options from them. The options must not be in
    // their no-write state.
    void Commit(CGlobDimOptions& options) const;

private:
    static std::wstring listKey(int dlgMode, const std::wstring& base);
    void commitLists(CGlobDimOptions& options) const;

    COptionSet m_sets[OPT_DLG_MODE_COUNT];
    std::wstring m_file;
    std::map<std::wstring, std::vector<std::wstring>> m_lists;
    std::set<std::wstring> m_changed;
};
