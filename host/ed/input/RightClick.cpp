#include "host/ed/input/RightClick.h"

#include "host/ed/input/AcEdFilterWinMsg.h"
#include "host/ed/DrawingView.h"
#include "host/ed/DrawingWindow.h"
#include "host/ed/input/InputParse.h"
#include "host/ed/Ucs.h"
#include "host/win/FormatW.h"
#include "host/win/Transcript.h"

#include <cmath>
#include <cwctype>

namespace host {

namespace {

// "rclick" (any case) followed by a blank or nothing; the rest in `args`.
bool isRightClickEvent(const std::wstring& event, std::wstring& args) {
    const std::wstring t = trimmed(event);
    static const std::wstring kWord = L"rclick";
    if (t.size() < kWord.size()) return false;
    for (size_t i = 0; i < kWord.size(); ++i)
        if (static_cast<wchar_t>(std::towlower(t[i])) != kWord[i]) return false;
    if (t.size() > kWord.size() && !std::iswspace(t[kWord.size()])) return false;
    args = trimmed(t.substr(kWord.size()));
    return true;
}

} // namespace

const wchar_t* hostContextMenuLine() {
    return L"\n[Context menu of the host: Repeat, Recent Input, Clipboard, Undo, Pan, Zoom - nothing chosen]";
}

bool sendRightClick(const AcGePoint3d& world) {
    const POINT client = clientPointOf(world);
    MSG down = buttonMessage(WM_RBUTTONDOWN, client, MK_RBUTTON);
    filterWinMsg(&down);
    MSG up = buttonMessage(WM_RBUTTONUP, client, 0);
    if (filterWinMsg(&up)) return true;
    // Windows shows a context menu on the button-up that nobody took.
    transcriptWrite(hostContextMenuLine());
    return false;
}

bool handleRightClickEvent(const std::wstring& event) {
    std::wstring args;
    if (!isRightClickEvent(event, args)) return false;
    // Relative points make no sense for a click: the last point is the origin here.
    const std::optional<Point3> p = args.empty() || args[0] == L'@' ? std::nullopt : parsePoint(args, Point3{});
    if (!p || !std::isfinite((*p)[0]) || !std::isfinite((*p)[1])) {
        transcriptWrite(FormatW(L"\nlintaro: \"@rclick %s\" needs a point x,y in drawing units - ignored.",
                                args.c_str()));
        return true;
    }
    sendRightClick(ucsToWorld(AcGePoint3d((*p)[0], (*p)[1], (*p)[2])));
    return true;
}

} // namespace host
