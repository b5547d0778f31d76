#pragma once
// What lintaro replace shows: progress while it works (a bar on a terminal, one plain
// line per drawing otherwise) and a table of every drawing at the end.
#include <string>
#include <vector>

namespace shell {

enum class DrawingStatus { Changed, Unchanged, ReadFailed, SaveFailed, NotReached };

struct DrawingOutcome {
    std::string file;
    DrawingStatus status = DrawingStatus::Unchanged;
    int texts = 0;
    int objects = 0;
    std::wstring message; // why a drawing failed
};

class ReplaceProgress {
public:
    ReplaceProgress(int total, bool terminal) : m_total(total), m_terminal(terminal) {}
    void starting(const std::string& file);
    void finished(const DrawingOutcome& outcome);
    // Ends the bar's line.
    void done();

private:
    void bar(const std::string& file);
    int m_total;
    bool m_terminal;
    int m_done = 0;
    int m_changes = 0;
};

// The table, the totals, and for a stopped run how many drawings were not reached.
void printReplaceSummary(const std::vector<DrawingOutcome>& outcomes, bool interrupted);

// "plan_011.dwg" of "/a/b/plan_011.dwg".
std::string baseName(const std::string& path);

} // namespace shell
