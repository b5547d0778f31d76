#pragma once
// The entries of a combo box or list box: texts with their item data, kept sorted when
// the control sorts, searched without case as Windows does.
#include "host/win/WinUser.h"

#include <string>
#include <vector>

namespace host::mfc {

class ItemList {
public:
    struct Item {
        std::wstring text;
        DWORD_PTR data = 0;
        bool selected = false; // multiple-selection lists
    };

    explicit ItemList(bool sorted = false) : m_sorted(sorted) {}
    void setSorted(bool sorted) { m_sorted = sorted; }

    // Where the text went (sorted place or the end).
    int add(const std::wstring& text);
    // At `index` (-1: the end); -1 for an index past the end.
    int insert(int index, const std::wstring& text);
    // The count left, or -1 for a bad index.
    int remove(int index);
    void clear() { m_items.clear(); }
    int count() const { return static_cast<int>(m_items.size()); }
    bool valid(int index) const { return index >= 0 && index < count(); }
    Item* at(int index) { return valid(index) ? &m_items[static_cast<size_t>(index)] : nullptr; }
    const Item* at(int index) const { return valid(index) ? &m_items[static_cast<size_t>(index)] : nullptr; }
    std::vector<std::wstring> texts() const;

    // The first entry after `start` (-1: from the top), wrapping round, whose text
    // starts with (FindString) or equals (FindStringExact) `text`, without case; -1
    // when none does.
    int findPrefix(int start, const std::wstring& text) const;
    int findExact(int start, const std::wstring& text) const;
    // The entry a person means by a text: exactly as written, else without case and
    // surrounding blanks (tab captions such as "   A "); -1 for none.
    int findUserItem(const std::wstring& text) const;

private:
    int find(int start, const std::wstring& text, bool exact) const;

    std::vector<Item> m_items;
    bool m_sorted;
};

} // namespace host::mfc
