#include "host/mfc/ItemList.h"

#include "host/win/WinCrt.h"

namespace host::mfc {

int ItemList::add(const std::wstring& text) {
    if (!m_sorted) {
        m_items.push_back({text});
        return count() - 1;
    }
    size_t at = 0;
    while (at < m_items.size() && host::compareNoCase(m_items[at].text, text) <= 0)
        ++at;
    m_items.insert(m_items.begin() + static_cast<std::ptrdiff_t>(at), Item{text});
    return static_cast<int>(at);
}

int ItemList::insert(int index, const std::wstring& text) {
    if (index < -1 || index > count()) return -1;
    const int at = index == -1 ? count() : index;
    m_items.insert(m_items.begin() + at, Item{text});
    return at;
}

int ItemList::remove(int index) {
    if (!valid(index)) return -1;
    m_items.erase(m_items.begin() + index);
    return count();
}

std::vector<std::wstring> ItemList::texts() const {
    std::vector<std::wstring> out;
    out.reserve(m_items.size());
    for (const Item& item : m_items)
        out.push_back(item.text);
    return out;
}

int ItemList::find(int start, const std::wstring& text, bool exact) const {
    const int n = count();
    if (n == 0) return -1;
    const int first = (start < -1 || start >= n) ? 0 : start + 1;
    for (int k = 0; k < n; ++k) {
        const int i = (first + k) % n;
        const std::wstring& t = m_items[static_cast<size_t>(i)].text;
        if (exact ? host::equalsNoCase(t, text)
                  : t.size() >= text.size() &&
                        host::equalsNoCase(std::wstring_view(t).substr(0, text.size()), text))
            return i;
    }
    return -1;
}

int ItemList::findPrefix(int start, const std::wstring& text) const {
    return find(start, text, false);
}

int ItemList::findExact(int start, const std::wstring& text) const {
    return find(start, text, true);
}

int ItemList::findUserItem(const std::wstring& text) const {
    for (int i = 0; i < count(); ++i)
        if (m_items[static_cast<size_t>(i)].text == text) return i;
    const std::wstring_view wanted = host::trimView(text);
    for (int i = 0; i < count(); ++i)
        if (host::equalsNoCase(host::trimView(m_items[static_cast<size_t>(i)].text), wanted)) return i;
    return -1;
}

} // namespace host::mfc
