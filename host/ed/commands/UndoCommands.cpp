#include "host/ed/commands/UndoCommands.h"

#include "host/db/database/AcDbDatabase.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/db/database/UndoManager.h"
#include "host/db/entities/AcDbEntity.h"
#include "host/db/entities/EntityIndex.h"
#include "host/ed/commands/AcEdCommandStack.h"
#include "host/ed/commands/HostDrawCommandsCommon.h"
#include "host/ed/input/EditorInput.h"
#include "host/rx/adscodes.h"
#include "host/win/FormatW.h"
#include "host/win/Transcript.h"

#include <string>
#include <utility>

namespace host::draw {

namespace {

struct Erased {
    AcDbDatabase* db = nullptr;
    std::vector<AcDbObjectId> ids;
};
// Only the last ERASE counts, as in every CAD host: OOPS is not a second undo.
Erased& lastErased() {
    static Erased erased;
    return erased;
}

void sayUndone(const std::wstring& name) {
    transcriptWrite(FormatW(L"\nUndone: %s", name.empty() ? L"(a change without a command)" : name.c_str()));
}

void undoCommand() {
    AcDbDatabase* db = drawingOrSay();
    if (!db) return;
    std::wstring name;
    if (undoLastGroup(db, &name) != Acad::eOk)
        transcriptWrite(L"\nEverything has been undone");
    else
        sayUndone(name);
}

// "Back" without a mark takes everything back: asked first, as that is rarely meant.
void undoBack(AcDbDatabase* db) {
    UndoManager& undo = db->undoManager();
    if (!undo.hasMark()) {
        acedInitGet(0, L"Yes No");
        wchar_t answer[32] = {};
        const int rc = acedGetKword(L"\nThis will undo everything. OK? [Yes/No] <Y>: ", answer, 32);
        if (rc == RTCAN || (rc == RTNORM && std::wstring(answer) == L"No")) return;
    }
    const bool hadMark = undo.hasMark();
    const std::vector<std::wstring> names = undo.undoBack();
    for (const std::wstring& n : names) sayUndone(n);
    if (hadMark) transcriptWrite(L"\nMark encountered");
    else if (names.empty()) transcriptWrite(L"\nEverything has been undone");
}

void undoNumber(AcDbDatabase* db, int count) {
    for (int i = 0; i < count; ++i) {
        std::wstring name;
        if (undoLastGroup(db, &name) != Acad::eOk) {
            transcriptWrite(L"\nEverything has been undone");
            return;
        }
        sayUndone(name);
    }
}

void undoManyCommand() {
    AcDbDatabase* db = drawingOrSay();
    if (!db) return;
    acedInitGet(RSG_NONEG | RSG_NOZERO, L"Mark Back");
    int count = 1;
    const int rc = acedGetInt(L"\nEnter the number of operations to undo or [Mark/Back] <1>: ", &count);
    if (rc == RTNONE) count = 1;
    else if (rc == RTKWORD) {
        wchar_t word[32] = {};
        acedGetInput(word, 32);
        if (std::wstring(word) == L"Mark")
            db->undoManager().setMark();
        else
            undoBack(db);
        return;
    } else if (rc != RTNORM) {
        return;
    }
    undoNumber(db, count);
}

void oopsCommand() {
    AcDbDatabase* db = drawingOrSay();
    if (!db) return;
    Erased& erased = lastErased();
    if (erased.db != db || erased.ids.empty()) {
        transcriptWrite(L"\nNothing was erased to bring back.");
        return;
    }
    int back = 0;
    for (AcDbObjectId id : erased.ids) {
        AcDbEntity* ent = nullptr;
        // Opened with erased ones allowed: that is what is wanted back.
        if (acdbOpenAcDbEntity(ent, id, AcDb::kForWrite, true) != Acad::eOk) continue;
        if (ent->isErased() && ent->erase(false) == Acad::eOk) ++back;
        ent->close();
    }
    erased.ids.clear();
    transcriptWrite(FormatW(L"\n%d %s back.", back, back == 1 ? L"object is" : L"objects are"));
}

void regenCommand() {
    AcDbDatabase* db = drawingOrSay();
    if (!db) return;
    db->entityIndex().dropAll();
    transcriptWrite(L"\nRegenerating model.");
}

// The picture is made anew for every render; there is no screen to refresh.
void redrawCommand() {}

} // namespace

void rememberErased(AcDbDatabase* db, std::vector<AcDbObjectId> ids) {
    lastErased() = Erased{db, std::move(ids)};
}

void registerUndoCommands(AcEdCommandStack& stack, const wchar_t* group) {
    stack.addCommand(group, L"U", L"U", ACRX_CMD_MODAL, &undoCommand);
    stack.addCommand(group, L"UNDO", L"UNDO", ACRX_CMD_MODAL, &undoManyCommand);
    stack.addCommand(group, L"OOPS", L"OOPS", ACRX_CMD_MODAL, &oopsCommand);
    stack.addCommand(group, L"REGEN", L"REGEN", ACRX_CMD_MODAL, &regenCommand);
    stack.addCommand(group, L"REDRAW", L"REDRAW", ACRX_CMD_TRANSPARENT, &redrawCommand);
}

} // namespace host::draw
