// lintaro replace --search TEXT --replace TEXT [--whole-words] [--case] [--types T]
// FILES...: the replace over drawings for whole projects. Each drawing is read from
// disk (not opened as a document), its chain and height-mark texts are replaced, and
// it is saved through the host's atomic save, with the old file kept as .bak, only
// when something changed. A drawing that cannot be read is reported and skipped.
// Ctrl-C lets the drawing in hand finish (saved whole or not at all) and then stops.
#include "host/db/database/AcDbDatabase.h"
#include "host/io/DrawingFile.h"
#include "host/win/Utf8.h"
#include "module/replace/BatchReplace.h"
#include "shell/HostSession.h"
#include "shell/ReplaceReport.h"
#include "shell/Subcommands.h"

#include <CLI/CLI.hpp>

#include <csignal>
#include <cstdio>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace shell {

namespace {

struct ReplaceArgs {
    std::string search;
    std::string replacement;
    bool wholeWords = false;
    bool caseSensitive = false;
    std::string types = "all";
    std::vector<std::string> files;
};

volatile std::sig_atomic_t g_interrupted = 0;

extern "C" void onInterrupt(int) {
    g_interrupted = 1;
}

// SIGINT only raises the flag while drawings are replaced; the old handler comes back
// at the end.
class InterruptGuard {
public:
    InterruptGuard() {
        g_interrupted = 0;
        struct sigaction action {};
        action.sa_handler = &onInterrupt;
        sigemptyset(&action.sa_mask);
        sigaction(SIGINT, &action, &m_previous);
    }
    ~InterruptGuard() { sigaction(SIGINT, &m_previous, nullptr); }
    InterruptGuard(const InterruptGuard&) = delete;
    InterruptGuard& operator=(const InterruptGuard&) = delete;

private:
    struct sigaction m_previous {};
};

int typesCode(const std::string& types) {
    if (types == "hk" || types == "0") return 0;
    if (types == "lm" || types == "1") return 1;
    if (types == "all" || types == "2") return 2;
    return -1;
}

DrawingOutcome replaceOne(const std::string& file, const ReplaceArgs& a, int flags, int types) {
    DrawingOutcome out;
    out.file = file;
    host::io::DrawingReadReport report;
    const std::wstring path = host::fromUtf8(file);
    std::unique_ptr<AcDbDatabase> db = host::io::readDrawingFile(path, report);
    if (!db) {
        out.status = DrawingStatus::ReadFailed;
        out.message = report.error;
        return out;
    }
    out.texts = lintaroReplaceInDatabase(db.get(), host::fromUtf8(a.search).c_str(),
                                         host::fromUtf8(a.replacement).c_str(), flags, types, &out.objects);
    if (out.texts <= 0) {
        out.texts = 0;
        out.status = DrawingStatus::Unchanged;
        return out;
    }
    std::wstring error;
    if (!host::io::saveDrawingFile(db.get(), path, true, error)) {
        out.status = DrawingStatus::SaveFailed;
        out.message = error;
        return out;
    }
    out.status = DrawingStatus::Changed;
    return out;
}

int replaceDrawings(const ReplaceArgs& a) {
    const int types = typesCode(a.types);
    if (types < 0) {
        std::fprintf(stderr, "lintaro: --types takes hk, lm or all, not \"%s\".\n", a.types.c_str());
        return kExitUsage;
    }
    if (a.search.empty()) {
        std::fprintf(stderr, "lintaro: --search needs a text to search for.\n");
        return kExitUsage;
    }
    HostSession session(HostSession::Kind::Batch);
    if (!session.loadModule()) {
        std::fprintf(stderr, "lintaro: the add-on could not be loaded.\n");
        return kExitFailed;
    }
    const int flags = (a.wholeWords ? kBatchReplaceWholeText : 0) | (a.caseSensitive ? kBatchReplaceCaseSensitive : 0);
    ReplaceProgress progress(static_cast<int>(a.files.size()), ::isatty(STDOUT_FILENO) != 0);
    std::vector<DrawingOutcome> outcomes;
    InterruptGuard guard;
    for (const std::string& file : a.files) {
        if (g_interrupted) {
            outcomes.push_back(DrawingOutcome{file, DrawingStatus::NotReached, 0, 0, L""});
            continue;
        }
        progress.starting(file);
        outcomes.push_back(replaceOne(file, a, flags, types));
        progress.finished(outcomes.back());
    }
    progress.done();
    printReplaceSummary(outcomes, g_interrupted != 0);
    if (g_interrupted) return kExitInterrupted;
    for (const DrawingOutcome& o : outcomes)
        if (o.status == DrawingStatus::ReadFailed || o.status == DrawingStatus::SaveFailed) return kExitFailed;
    return kExitOk;
}

} // namespace

void addReplaceCommand(CLI::App& app, int& exitCode) {
    auto args = std::make_shared<ReplaceArgs>();
    CLI::App* cmd = app.add_subcommand("replace", "Replace texts of chains and height marks in many drawings");
    cmd->add_option("--search", args->search, "The text to search for")->required();
    cmd->add_option("--replace", args->replacement, "The text to put in its place (may be empty)")->required();
    cmd->add_flag("--whole-words", args->wholeWords, "Only texts that equal the search text as a whole");
    cmd->add_flag("--case", args->caseSensitive, "Compare with regard to case");
    cmd->add_option("--types", args->types,
                    "What is searched: hk (height marks' prefixes and suffixes), lm (chains' prefixes, suffixes "
                    "and appended texts) or all")
        ->capture_default_str();
    cmd->add_option("FILES", args->files, "The drawings (.dwg of this host)")->required();
    cmd->callback([args, &exitCode] { exitCode = replaceDrawings(*args); });
}

} // namespace shell
