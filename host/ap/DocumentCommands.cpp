#include "host/ap/DocumentCommands.h"

#include "host/ap/AcApDocManager.h"
#include "host/db/database/AcDbDatabase.h"
#include "host/db/database/DrawingFileMessage.h"
#include "host/ed/commands/AcEdCommandStack.h"
#include "host/ed/input/EditorInput.h"
#include "host/ed/acutPrintf.h"
#include "host/win/FormatW.h"
#include "host/win/WinFiles.h"
#include "host/win/WinMessageBox.h"

#include <cwctype>

namespace host::ap {

namespace {

constexpr size_t kNameBuffer = 4096;

void tell(const std::wstring& message) {
    if (!message.empty()) acutPrintf(L"\n%s", message.c_str());
}

// The reason the drawing-file code gave, or the status when it gave none.
void tellFailure(const wchar_t* what, Acad::ErrorStatus es) {
    const std::wstring& why = host::drawingFileMessage();
    if (!why.empty())
        tell(why);
    else
        tell(FormatW(L"%s failed (error status %d).", what, int(es)));
}

// Asks for a drawing name; false when the user cancelled or gave none and there
// is no default.
bool askName(const std::wstring& prompt, const std::wstring& fallback, bool forOpening, std::wstring& path) {
    wchar_t buffer[kNameBuffer] = {};
    const int rc = acedGetString(1, prompt.c_str(), buffer, kNameBuffer);
    if (rc == RTINPUTTRUNCATED) {
        tell(L"That name is too long.");
        return false;
    }
    if (rc != RTNORM) return false;
    std::wstring typed = drawingPathFromInput(buffer, forOpening);
    if (typed.empty()) typed = fallback;
    path = typed;
    return !path.empty();
}

bool sameFile(const std::wstring& a, const std::wstring& b) {
    return host::nativePath(a) == host::nativePath(b);
}

// SAVEAS: the name, a confirmation before another existing drawing is replaced,
// then the save. False when nothing was saved.
bool saveAsAsked(AcApDocument* doc) {
    const std::wstring current = doc->fileName();
    std::wstring path;
    if (!askName(FormatW(L"\nSave drawing as <%s>: ", current.c_str()), current, false, path)) return false;
    if (!(doc->isNamed() && sameFile(path, current)) && host::fileExists(path)) {
        const std::wstring text = FormatW(L"%s already exists.\nDo you want to replace it?", path.c_str());
        if (MessageBoxW(nullptr, text.c_str(), L"Save Drawing As", MB_YESNO | MB_ICONWARNING) != IDYES)
            return false;
    }
    const Acad::ErrorStatus es = acDocManager->saveDocument(doc, path.c_str());
    if (es != Acad::eOk) tellFailure(L"Saving", es);
    return es == Acad::eOk;
}

bool quickSave(AcApDocument* doc) {
    if (!doc->isNamed()) return saveAsAsked(doc);
    const Acad::ErrorStatus es = acDocManager->saveDocument(doc, doc->fileName());
    if (es != Acad::eOk) tellFailure(L"Saving", es);
    return es == Acad::eOk;
}

AcApDocument* currentOrSay() {
    AcApDocument* doc = acDocManager->curDocument();
    if (!doc) tell(L"No drawing is open.");
    return doc;
}

void newCommand() {
    const Acad::ErrorStatus es = acDocManager->appContextNewDocument(nullptr);
    if (es != Acad::eOk) tellFailure(L"A new drawing", es);
}

void openCommand() {
    std::wstring path;
    if (!askName(L"\nEnter name of drawing to open: ", L"", true, path)) return;
    const Acad::ErrorStatus es = acDocManager->appContextOpenDocument(path.c_str());
    if (es != Acad::eOk) {
        tellFailure(L"Opening", es);
        return;
    }
    // Notices about a drawing that did open (objects kept as proxies).
    tell(host::drawingFileMessage());
}

void qsaveCommand() {
    if (AcApDocument* doc = currentOrSay()) quickSave(doc);
}

void saveasCommand() {
    if (AcApDocument* doc = currentOrSay()) saveAsAsked(doc);
}

void closeCommand() {
    AcApDocument* doc = currentOrSay();
    if (!doc) return;
    if (doc->database()->isModifiedSinceSave()) {
        const std::wstring text = FormatW(L"Save changes to %s?", doc->fileName());
        const int answer = MessageBoxW(nullptr, text.c_str(), L"lintaro", MB_YESNOCANCEL | MB_ICONQUESTION);
        if (answer == IDCANCEL) return;
        if (answer == IDYES && !quickSave(doc)) return; // a failed save keeps the drawing open
    }
    acDocManager->closeDocument(doc);
}

} // namespace

std::wstring drawingPathFromInput(const std::wstring& typed, bool forOpening) {
    size_t b = 0, e = typed.size();
    while (b < e && std::iswspace(typed[b]))
        ++b;
    while (e > b && std::iswspace(typed[e - 1]))
        --e;
    if (e - b >= 2 && typed[b] == L'"' && typed[e - 1] == L'"') ++b, --e;
    std::wstring path = typed.substr(b, e - b);
    if (path.empty()) return path;
    const size_t slash = path.find_last_of(L"/\\");
    const size_t dot = path.rfind(L'.');
    const bool hasExtension = dot != std::wstring::npos && (slash == std::wstring::npos || dot > slash + 1);
    if (hasExtension || (forOpening && host::fileExists(path))) return path;
    return path + L".dwg";
}

void registerDocumentCommands() {
    static const bool done = [] {
        AcEdCommandStack& cmds = host::hostCommands();
        cmds.addCommand(L"ACAD_DOCS", L"NEW", L"NEW", ACRX_CMD_MODAL | ACRX_CMD_SESSION, &newCommand);
        cmds.addCommand(L"ACAD_DOCS", L"OPEN", L"OPEN", ACRX_CMD_MODAL | ACRX_CMD_SESSION, &openCommand);
        cmds.addCommand(L"ACAD_DOCS", L"QSAVE", L"QSAVE", ACRX_CMD_MODAL, &qsaveCommand);
        cmds.addCommand(L"ACAD_DOCS", L"SAVE", L"SAVE", ACRX_CMD_MODAL, &saveasCommand);
        cmds.addCommand(L"ACAD_DOCS", L"SAVEAS", L"SAVEAS", ACRX_CMD_MODAL, &saveasCommand);
        cmds.addCommand(L"ACAD_DOCS", L"CLOSE", L"CLOSE", ACRX_CMD_MODAL | ACRX_CMD_SESSION, &closeCommand);
        return true;
    }();
    (void)done;
}

} // namespace host::ap
