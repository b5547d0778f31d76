#pragma once
// Listeners the command line calls around every command it runs: undo groups, the
// editor reactor's commandWillStart/commandEnded, and anything else that must
// bracket a command. `depth` is 1 for a command typed at the command prompt and
// larger for commands run from inside another (nested or transparent).
#include <functional>
#include <string>
#include <vector>

namespace host {

enum class CommandOutcome { Ended, Cancelled, Failed };

class CommandHooks {
public:
    using Begin = std::function<void(const std::wstring& globalName, int depth)>;
    using End = std::function<void(const std::wstring& globalName, int depth, CommandOutcome outcome)>;

    // Each returns an id for remove().
    int addBegin(Begin f);
    int addEnd(End f);
    // Listeners that bracket all others, whenever they were added (the undo group of a
    // command): their begin runs before every other begin, their end after every other
    // end, so what a reactor does when a command ends belongs to the command.
    int addOuterBegin(Begin f);
    int addOuterEnd(End f);
    void remove(int id);

    // Listeners run in the order they were added; ends run in reverse, so a pair
    // added together nests properly. A listener that throws is skipped, not fatal.
    void fireBegin(const std::wstring& globalName, int depth);
    void fireEnd(const std::wstring& globalName, int depth, CommandOutcome outcome);

private:
    struct Entry {
        int id;
        Begin begin;
        End end;
    };
    bool has(int id) const;
    std::vector<Entry> m_entries;
    int m_next = 1;
};

CommandHooks& commandHooks();

} // namespace host
