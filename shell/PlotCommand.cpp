// The host command PLOT: draws the current drawing to a PDF or PNG file, the same
// picture `lintaro render` makes. The add-on watches "PLOT" to hide what must not be
// plotted, so it runs as a real command.
#include "shell/PlotCommand.h"

#include "host/db/database/AcDbHostApplicationServices.h"
#include "host/ed/commands/AcEdCommandStack.h"
#include "host/ed/input/EditorInput.h"
#include "host/ed/acutPrintf.h"
#include "host/render/DatabasePicture.h"
#include "host/rx/adscodes.h"

#include <algorithm>
#include <vector>
#include <cwctype>
#include <string>

namespace shell {

namespace {

bool endsWith(std::wstring text, const std::wstring& tail) {
    std::transform(text.begin(), text.end(), text.begin(), [](wchar_t c) { return std::towlower(c); });
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

void plotCommand() {
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    if (!db) {
        acutPrintf(L"\nThere is no drawing to plot.");
        return;
    }
    wchar_t name[1024] = {};
    for (;;) {
        const int rc = acedGetString(1, L"\nEnter plot file name (.pdf or .png): ", name, 1024);
        if (rc != RTNORM || name[0] == 0) {
            acutPrintf(L"\nPlot cancelled.");
            return;
        }
        if (endsWith(name, L".pdf") || endsWith(name, L".png")) break;
        acutPrintf(L"\nA plot file ends in .pdf or .png.");
    }
    host::render::RenderOptions options;
    std::wstring problem;
    std::vector<std::wstring> notes;
    if (!host::render::renderDatabaseToFile(db, name, options, problem, &notes)) {
        acutPrintf(L"\nPlot failed: %s", problem.c_str());
        return;
    }
    for (const std::wstring& note : notes) acutPrintf(L"\nPlot: %s.", note.c_str());
    acutPrintf(L"\nPlot written to %s.", name);
}

} // namespace

void registerPlotCommand() {
    if (!host::hostCommands().lookupGlobalCmd(L"PLOT"))
        host::hostCommands().addCommand(L"ACAD_PLOT", L"PLOT", L"PLOT", ACRX_CMD_MODAL, &plotCommand);
}

} // namespace shell
