// Registration of the drawing commands, the undo group around every command, the
// CLAYER variable, what the commands share, and ERASE and LIST.
#include "host/ed/commands/HostDrawCommands.h"

#include "host/db/tables/AcDbBlockTableRecord.h"
#include "host/db/database/AcDbDatabase.h"
#include "host/db/entities/AcDbEntity.h"
#include "host/db/database/AcDbHostApplicationServices.h"
#include "host/db/tables/AcDbLayerTable.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/db/database/UndoManager.h"
#include "host/ed/commands/AcEdCommandStack.h"
#include "host/ed/selection/AcEdSelectionSet.h"
#include "host/ed/commands/CommandHooks.h"
#include "host/ed/input/EditorInput.h"
#include "host/ed/commands/HostDrawCommandsCommon.h"
#include "host/ed/HostBlockCommands.h"
#include "host/ed/XrefCommands.h"
#include "host/ed/commands/HostEditCommands.h"
#include "host/ed/commands/UndoCommands.h"
#include "host/ed/HostVariableCommands.h"
#include "host/ed/SysVars.h"
#include "host/ed/selection/acedSSGet.h"
#include "host/win/FormatW.h"
#include "host/win/Transcript.h"

namespace host::draw {

namespace {

constexpr const wchar_t* kGroup = L"ACAD_DRAW";

// The database each running command opened its undo group in, innermost last.
std::vector<AcDbDatabase*>& groupDatabases() {
    static std::vector<AcDbDatabase*> dbs;
    return dbs;
}

AcDbDatabase* workingDb() {
    return acdbHostApplicationServices()->workingDatabase();
}

void eraseCommand() {
    AcDbDatabase* db = drawingOrSay();
    std::vector<AcDbObjectId> ids;
    if (!db || selectObjects(db, ids) != RTNORM) return;
    int locked = 0;
    std::vector<AcDbObjectId> erased;
    for (AcDbObjectId id : ids) {
        AcDbEntity* ent = nullptr;
        const Acad::ErrorStatus es = acdbOpenAcDbEntity(ent, id, AcDb::kForWrite);
        if (es == Acad::eOnLockedLayer) {
            ++locked;
            continue;
        }
        if (es != Acad::eOk) continue;
        if (ent->erase() == Acad::eOk) erased.push_back(id);
        ent->close();
    }
    rememberErased(db, std::move(erased));
    if (locked > 0)
        transcriptWrite(FormatW(L"\n%d %s on a locked layer.", locked, locked == 1 ? L"was" : L"were"));
}

void listCommand() {
    AcDbDatabase* db = drawingOrSay();
    std::vector<AcDbObjectId> ids;
    if (!db || selectObjects(db, ids) != RTNORM) return;
    for (AcDbObjectId id : ids) {
        AcDbEntity* ent = nullptr;
        if (acdbOpenAcDbEntity(ent, id, AcDb::kForRead) != Acad::eOk) continue;
        ent->list();
        ent->close();
    }
}

// CLAYER reads the working database; a name is taken when the drawing has that layer
// and it is not frozen.
void defineCurrentLayerVariable() {
    sysVars().define(
        L"CLAYER",
        [] {
            AcDbDatabase* db = workingDb();
            AcDbLayerTableRecord* layer = nullptr;
            std::wstring name = L"0";
            if (db && acdbOpenObject(layer, db->clayer(), AcDb::kForRead) == Acad::eOk) {
                name = layer->name();
                layer->close();
            }
            return VarValue::ofString(name);
        },
        [](const VarValue& value) {
            AcDbDatabase* db = workingDb();
            AcDbLayerTable* table = nullptr;
            if (!db || value.type != RTSTR || db->getLayerTable(table, AcDb::kForRead) != Acad::eOk)
                return false;
            AcDbObjectId id;
            const bool found = table->getAt(value.text.c_str(), id) == Acad::eOk;
            table->close();
            AcDbLayerTableRecord* layer = nullptr;
            if (!found || acdbOpenObject(layer, id, AcDb::kForRead) != Acad::eOk) return false;
            const bool frozen = layer->isFrozen();
            layer->close();
            return !frozen && db->setClayer(id) == Acad::eOk;
        });
}

void installUndoGroups() {
    commandHooks().addOuterBegin([](const std::wstring& name, int) {
        AcDbDatabase* db = workingDb();
        groupDatabases().push_back(db);
        beginUndoGroup(db, name);
    });
    commandHooks().addOuterEnd([](const std::wstring&, int, CommandOutcome) {
        if (groupDatabases().empty()) return;
        AcDbDatabase* db = groupDatabases().back();
        groupDatabases().pop_back();
        // The command may have closed its drawing.
        if (db && isLiveDatabase(db)) endUndoGroup(db);
    });
}

} // namespace

AcDbDatabase* drawingOrSay() {
    AcDbDatabase* db = workingDb();
    if (!db) transcriptWrite(L"\nNo drawing is open.");
    return db;
}

AcGeMatrix3d ucsMatrix(AcDbDatabase* db) {
    AcGeMatrix3d m;
    if (!db) return m;
    const AcGeVector3d x = db->ucsxdir();
    const AcGeVector3d y = db->ucsydir();
    m.setCoordSystem(db->ucsorg(), x, y, x.crossProduct(y));
    return m;
}

int getPoint(const wchar_t* prompt, const AcGePoint3d* base, AcGePoint3d& point, const wchar_t* keywords,
             int flags) {
    acedInitGet(flags, keywords);
    ads_point from = {0, 0, 0};
    if (base) {
        from[0] = base->x;
        from[1] = base->y;
        from[2] = base->z;
    }
    ads_point result = {0, 0, 0};
    const int rc = acedGetPoint(base ? from : nullptr, prompt, result);
    if (rc == RTNORM) point.set(result[0], result[1], result[2]);
    return rc;
}

std::wstring lastKeyword() {
    wchar_t buffer[64] = {};
    return acedGetInput(buffer, 64) == RTNORM ? std::wstring(buffer) : std::wstring();
}

bool appendEntity(AcDbDatabase* db, AcDbEntity* entity, AcDbObjectId* id) {
    entity->transformBy(ucsMatrix(db));
    AcDbBlockTableRecord* space = nullptr;
    Acad::ErrorStatus es = acdbOpenObject(space, db->modelSpaceId(), AcDb::kForWrite);
    if (es == Acad::eOk) {
        AcDbObjectId newId;
        es = space->appendAcDbEntity(newId, entity);
        space->close();
        if (es == Acad::eOk && id) *id = newId;
    }
    if (es != Acad::eOk) {
        transcriptWrite(FormatW(L"\nThe new object could not be added to the drawing (error %d).", int(es)));
        delete entity;
        return false;
    }
    entity->close();
    return true;
}

int selectObjects(AcDbDatabase* db, std::vector<AcDbObjectId>& ids) {
    ids.clear();
    ads_name ss = {0, 0};
    const int rc = acedSSGet(nullptr, nullptr, nullptr, nullptr, ss);
    if (rc == RTCAN) return RTCAN;
    // Nothing selected is no error: the command then has nothing to do.
    if (rc != RTNORM) return RTNORM;
    Adesk::Int32 length = 0;
    acedSSLength(ss, &length);
    for (Adesk::Int32 i = 0; i < length; ++i) {
        ads_name ent = {0, 0};
        AcDbObjectId id;
        if (acedSSName(ss, i, ent) == RTNORM && acdbGetObjectId(id, ent) == Acad::eOk && id.database() == db)
            ids.push_back(id);
    }
    acedSSFree(ss);
    return RTNORM;
}

} // namespace host::draw

namespace host {

void registerDrawCommands() {
    static bool done = false;
    if (done) return;
    done = true;
    using namespace draw;
    AcEdCommandStack& stack = hostCommands();
    stack.addCommand(kGroup, L"LINE", L"LINE", ACRX_CMD_MODAL, &lineCommand);
    stack.addCommand(kGroup, L"CIRCLE", L"CIRCLE", ACRX_CMD_MODAL, &circleCommand);
    stack.addCommand(kGroup, L"ARC", L"ARC", ACRX_CMD_MODAL, &arcCommand);
    stack.addCommand(kGroup, L"PLINE", L"PLINE", ACRX_CMD_MODAL, &plineCommand);
    stack.addCommand(kGroup, L"TEXT", L"TEXT", ACRX_CMD_MODAL, &textCommand);
    // DTEXT is the older name of the same command.
    stack.addCommand(kGroup, L"DTEXT", L"DTEXT", ACRX_CMD_MODAL, &textCommand);
    stack.addCommand(kGroup, L"MTEXT", L"MTEXT", ACRX_CMD_MODAL, &mtextCommand);
    stack.addCommand(kGroup, L"LAYER", L"LAYER", ACRX_CMD_MODAL, &layerCommand);
    // The script form of LAYER: here both ask at the command line.
    stack.addCommand(kGroup, L"-LAYER", L"-LAYER", ACRX_CMD_MODAL, &layerCommand);
    stack.addCommand(kGroup, L"ERASE", L"ERASE", ACRX_CMD_MODAL, &eraseCommand);
    stack.addCommand(kGroup, L"LIST", L"LIST", ACRX_CMD_MODAL, &listCommand);
    registerUndoCommands(stack, kGroup);
    registerEditCommands();
    registerVariableCommands();
    registerBlockCommands();
    registerXrefCommands();
    installUndoGroups();
    defineCurrentLayerVariable();
}

} // namespace host
