#include "host/ed/commands/CommandHelp.h"

#include "host/ed/commands/AcEdCommandStack.h"
#include "host/ed/commands/CommandAliases.h"
#include "host/ed/input/EditorInput.h"
#include "host/ed/input/InputParse.h"
#include "host/rx/adscodes.h"
#include "host/win/FormatW.h"
#include "host/win/Transcript.h"
#include "host/win/WinCrt.h"

#include <algorithm>
#include <map>
#include <memory>
#include <tuple>

namespace host {

namespace {

// The host's own commands, one line each.
const std::map<std::wstring, std::wstring>& hostLines() {
    static const std::map<std::wstring, std::wstring> lines = {
        {L"?", L"The same as HELP"},
        {L"ARC", L"Draws an arc through a start, a second and an end point"},
        {L"BLOCK", L"Makes a block definition from selected objects"},
        {L"CIRCLE", L"Draws a circle from its centre and radius or diameter"},
        {L"CLOSE", L"Closes the current drawing"},
        {L"COPY", L"Copies objects by a base point and second points"},
        {L"DIMALIGNED", L"Makes a dimension parallel to two points"},
        {L"DIMANGULAR", L"Makes an angle dimension between two lines"},
        {L"DIMARC", L"Makes an arc length dimension"},
        {L"DIMDIAMETER", L"Makes a diameter dimension of a circle or arc"},
        {L"DIMLINEAR", L"Makes a horizontal or vertical dimension"},
        {L"DIMRADIUS", L"Makes a radius dimension of a circle or arc"},
        {L"DTEXT", L"Writes one line of text (the older name of TEXT)"},
        {L"DXFIN", L"Reads the objects of a DXF file into the drawing"},
        {L"DXFOUT", L"Writes the drawing as a DXF file"},
        {L"ERASE", L"Erases selected objects (OOPS brings them back)"},
        {L"EXIT", L"Ends lintaro (as QUIT)"},
        {L"EXPLODE", L"Breaks blocks, dimensions and polylines into their parts"},
        {L"GRIPMOVE", L"Moves a grip of an object, as dragging it does"},
        {L"HELP", L"Lists the commands, or explains one: HELP name"},
        {L"INSERT", L"Inserts a block at a point, scaled and rotated"},
        {L"LAYER", L"Makes, sets and switches layers: Make, Set, New, ON, OFF, Color, Freeze, Thaw, LOck, Unlock, ?"},
        {L"-LAYER", L"The script form of LAYER (the same prompts)"},
        {L"LINE", L"Draws straight segments from point to point"},
        {L"LIST", L"Lists the data of selected objects"},
        {L"MIRROR", L"Mirrors objects about a line"},
        {L"MOVE", L"Moves objects by a base point and a second point"},
        {L"MTEXT", L"Writes a paragraph of text between two corners"},
        {L"NEW", L"Starts a new drawing"},
        {L"OOPS", L"Brings back what the last ERASE erased"},
        {L"OPEN", L"Opens a drawing file"},
        {L"PLINE", L"Draws a polyline of straight and arc segments"},
        {L"PLOT", L"Writes the drawing as a picture (PNG, SVG or PDF)"},
        {L"QSAVE", L"Saves the drawing under its name"},
        {L"QUIT", L"Ends lintaro"},
        {L"REDRAW", L"Refreshes the view"},
        {L"REGEN", L"Draws every object again from its data"},
        {L"ROTATE", L"Rotates objects about a base point"},
        {L"SAVE", L"Saves the drawing under a name"},
        {L"SAVEAS", L"Saves the drawing under a new name"},
        {L"SCALE", L"Scales objects about a base point"},
        {L"SETVAR", L"Shows or sets a system variable"},
        {L"STRETCH", L"Moves the points of objects inside a crossing window"},
        {L"TEXT", L"Writes one line of text"},
        {L"U", L"Undoes the last command and names it"},
        {L"UCS", L"Sets the user coordinate system points are typed in"},
        {L"UNDO", L"Undoes a number of commands, or sets a Mark and goes Back to it"},
        {L"ZOOM", L"Sets the view (also transparently, as 'ZOOM)"},
    };
    return lines;
}

// Lines modules gave with acedSetFunHelp, by upper-case name ("C:" taken off).
std::map<std::wstring, std::wstring>& moduleLines() {
    static std::map<std::wstring, std::wstring> lines;
    return lines;
}

std::wstring helpKey(const std::wstring& name) {
    std::wstring key = toUpperCase(trimmed(name));
    if (key.rfind(L"C:", 0) == 0) key = key.substr(2);
    return key;
}

void collect(AcEdCommandStack& stack, bool host, std::map<std::wstring, CommandHelpEntry>& out) {
    std::unique_ptr<AcEdCommandIterator> it(stack.iterator());
    for (; !it->done(); it->next()) {
        const std::wstring name = toUpperCase(it->command()->globalName());
        if (out.count(name)) continue; // a module's command of the same name wins
        out[name] = CommandHelpEntry{name, commandHelpLine(name), host};
    }
}

// Edits between two names, a swap of neighbours counting as one: "LIEN" is one slip
// from "LINE".
size_t editDistance(const std::wstring& a, const std::wstring& b) {
    std::vector<std::vector<size_t>> d(a.size() + 1, std::vector<size_t>(b.size() + 1));
    for (size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
    for (size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        for (size_t j = 1; j <= b.size(); ++j) {
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1)});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
        }
    }
    return d[a.size()][b.size()];
}

void listAll() {
    const std::vector<CommandHelpEntry> entries = commandHelpEntries();
    size_t width = 0;
    for (const CommandHelpEntry& e : entries) width = std::max(width, e.name.size());
    for (int host = 1; host >= 0; --host) {
        transcriptWrite(host ? L"\nThe host's commands:" : L"\nThe add-on's commands:");
        for (const CommandHelpEntry& e : entries) {
            if (e.hostCommand != bool(host)) continue;
            transcriptWrite(FormatW(L"\n  %-*s  %s", int(width), e.name.c_str(), e.line.c_str()));
        }
    }
    transcriptWrite(FormatW(L"\n%d aliases (lintaro.pgp), such as L for LINE and Z for ZOOM. HELP name explains one.",
                            int(commandAliases().all().size())));
}

void explainOne(const std::wstring& typed) {
    std::wstring name = helpKey(typed);
    const std::wstring target = commandAliases().commandFor(name);
    if (!target.empty()) {
        transcriptWrite(FormatW(L"\n%s is an alias of %s.", name.c_str(), target.c_str()));
        name = target;
    }
    for (const CommandHelpEntry& e : commandHelpEntries()) {
        if (e.name != name) continue;
        transcriptWrite(FormatW(L"\n%s: %s", e.name.c_str(), e.line.empty() ? L"(no description)" : e.line.c_str()));
        std::wstring aliases;
        for (const auto& [alias, command] : commandAliases().all())
            if (command == name) aliases += (aliases.empty() ? L"" : L", ") + alias;
        if (!aliases.empty()) transcriptWrite(FormatW(L"\n  Aliases: %s", aliases.c_str()));
        return;
    }
    std::wstring text = FormatW(L"\nNo command is called \"%s\".", name.c_str());
    const std::vector<std::wstring> near = nearestCommands(name);
    for (size_t i = 0; i < near.size(); ++i)
        text += (i == 0 ? L" Did you mean " : i + 1 == near.size() ? L" or " : L", ") + near[i];
    if (!near.empty()) text += L"?";
    transcriptWrite(text);
}

void helpCommand() {
    wchar_t answer[256] = {};
    const int rc = acedGetString(0, L"\nCommand to explain <list all>: ", answer, 256);
    if (rc == RTCAN) return;
    if (rc != RTNORM || trimmed(answer).empty() || trimmed(answer) == L"*")
        listAll();
    else
        explainOne(answer);
}

} // namespace

std::vector<CommandHelpEntry> commandHelpEntries() {
    std::map<std::wstring, CommandHelpEntry> byName;
    collect(*acedRegCmds, false, byName);
    collect(hostCommands(), true, byName);
    std::vector<CommandHelpEntry> entries;
    for (auto& [name, entry] : byName) entries.push_back(std::move(entry));
    return entries;
}

std::wstring commandHelpLine(const std::wstring& name) {
    const std::wstring key = helpKey(name);
    if (auto it = moduleLines().find(key); it != moduleLines().end()) return it->second;
    if (auto it = hostLines().find(key); it != hostLines().end()) return it->second;
    return L"";
}

std::vector<std::wstring> nearestCommands(const std::wstring& typed, size_t most) {
    const std::wstring key = helpKey(typed);
    if (key.empty()) return {};
    // (distance, alias or not, name): on equal distance a command comes before an alias.
    std::vector<std::tuple<size_t, bool, std::wstring>> scored;
    auto consider = [&](const std::wstring& name, bool alias) {
        size_t d = editDistance(key, name);
        // A long name typed in part ("XOTA_HD") is as good as a slip.
        if (name.size() > key.size() && key.size() >= 3 && name.compare(0, key.size(), key) == 0) d = 1;
        // Slips only: a short word is not "near" everything of its length.
        const size_t allowed = key.size() <= 3 ? 1 : key.size() <= 6 ? 2 : 3;
        if (d <= allowed) scored.emplace_back(d, alias, name);
    };
    for (const CommandHelpEntry& e : commandHelpEntries()) consider(e.name, false);
    for (const auto& [alias, command] : commandAliases().all()) consider(alias, true);
    std::sort(scored.begin(), scored.end());
    std::vector<std::wstring> names;
    for (const auto& [d, alias, name] : scored) {
        if (names.size() >= most) break;
        if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
    }
    return names;
}

void registerHelpCommands() {
    static bool done = false;
    if (done) return;
    done = true;
    // Transparent, so that help can be asked in the middle of a command.
    hostCommands().addCommand(L"ACAD_HELP", L"HELP", L"HELP", ACRX_CMD_TRANSPARENT, &helpCommand);
    hostCommands().addCommand(L"ACAD_HELP", L"?", L"?", ACRX_CMD_TRANSPARENT, &helpCommand);
}

} // namespace host

int acedSetFunHelp(const wchar_t* pszFunctionName, const wchar_t* pszHelpfile, const wchar_t* pszTopic, int iCmd) {
    (void)pszHelpfile;
    (void)iCmd;
    if (!pszFunctionName || !*pszFunctionName) return RTERROR;
    host::moduleLines()[host::helpKey(pszFunctionName)] = pszTopic ? pszTopic : L"";
    return RTNORM;
}
