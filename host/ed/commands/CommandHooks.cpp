#include "host/ed/commands/CommandHooks.h"

#include <algorithm>

namespace host {

int CommandHooks::addBegin(Begin f) {
    m_entries.push_back(Entry{m_next, std::move(f), nullptr});
    return m_next++;
}

int CommandHooks::addEnd(End f) {
    m_entries.push_back(Entry{m_next, nullptr, std::move(f)});
    return m_next++;
}

int CommandHooks::addOuterBegin(Begin f) {
    m_entries.insert(m_entries.begin(), Entry{m_next, std::move(f), nullptr});
    return m_next++;
}

int CommandHooks::addOuterEnd(End f) {
    m_entries.insert(m_entries.begin(), Entry{m_next, nullptr, std::move(f)});
    return m_next++;
}

void CommandHooks::remove(int id) {
    m_entries.erase(
        std::remove_if(m_entries.begin(), m_entries.end(), [id](const Entry& e) { return e.id == id; }),
        m_entries.end());
}

bool CommandHooks::has(int id) const {
    return std::any_of(m_entries.begin(), m_entries.end(), [id](const Entry& e) { return e.id == id; });
}

void CommandHooks::fireBegin(const std::wstring& globalName, int depth) {
    // A copy: a listener may add or remove listeners.
    const std::vector<Entry> copy = m_entries;
    for (const Entry& e : copy) {
        if (!e.begin || !has(e.id)) continue;
        try {
            e.begin(globalName, depth);
        } catch (...) {
        }
    }
}

void CommandHooks::fireEnd(const std::wstring& globalName, int depth, CommandOutcome outcome) {
    const std::vector<Entry> copy = m_entries;
    for (auto it = copy.rbegin(); it != copy.rend(); ++it) {
        if (!it->end || !has(it->id)) continue;
        try {
            it->end(globalName, depth, outcome);
        } catch (...) {
        }
    }
}

CommandHooks& commandHooks() {
    static CommandHooks hooks;
    return hooks;
}

} // namespace host
