// Registration of the editing commands and what they share.
#include "host/ed/commands/HostEditCommands.h"

#include "host/db/tables/AcDbBlockTableRecord.h"
#include "host/db/entities/AcDbEntity.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/ed/commands/AcEdCommandStack.h"
#include "host/ed/commands/HostDrawCommandsCommon.h"
#include "host/ed/commands/HostEditCommandsCommon.h"
#include "host/ed/Ucs.h"
#include "host/rx/acestext.h"
#include "host/rx/adscodes.h"
#include "host/win/FormatW.h"
#include "host/win/Transcript.h"

namespace host::edit {

namespace {

constexpr const wchar_t* kGroup = L"ACAD_EDIT";

const wchar_t* plural(int n, const wchar_t* one, const wchar_t* more) {
    return n == 1 ? one : more;
}

} // namespace

void dropLocked(std::vector<AcDbObjectId>& ids) {
    std::vector<AcDbObjectId> kept;
    int locked = 0;
    for (AcDbObjectId id : ids) {
        AcDbEntity* ent = nullptr;
        if (acdbOpenAcDbEntity(ent, id, AcDb::kForRead) != Acad::eOk) continue;
        const bool onLocked = isOnLockedLayer(ent);
        ent->close();
        if (onLocked)
            ++locked;
        else
            kept.push_back(id);
    }
    if (locked > 0)
        transcriptWrite(FormatW(L"\n%d %s on a locked layer.", locked, plural(locked, L"was", L"were")));
    ids.swap(kept);
}

int selectEditable(AcDbDatabase* db, std::vector<AcDbObjectId>& ids) {
    const int rc = draw::selectObjects(db, ids);
    if (rc != RTNORM) return rc;
    dropLocked(ids);
    if (!ids.empty()) return RTNORM;
    transcriptWrite(L"\nNothing selected: the command changes nothing.");
    return RTNONE;
}

int getUcsPoint(const wchar_t* prompt, const AcGePoint3d* baseUcs, AcGePoint3d& ucs, AcGePoint3d& world,
                const wchar_t* keywords, int flags) {
    const int rc = draw::getPoint(prompt, baseUcs, ucs, keywords, flags);
    if (rc == RTNORM) world = ucsToWorld(ucs);
    return rc;
}

int getBasePoint(AcGePoint3d& ucs, AcGePoint3d& world) {
    for (;;) {
        const int rc = getUcsPoint(L"\nSpecify base point: ", nullptr, ucs, world);
        if (rc != RTNONE) return rc;
        transcriptWrite(L"\nA base point is required.");
    }
}

int transformAll(const std::vector<AcDbObjectId>& ids, const AcGeMatrix3d& xform) {
    int done = 0, refused = 0;
    Acad::ErrorStatus why = Acad::eOk;
    for (AcDbObjectId id : ids) {
        AcDbEntity* ent = nullptr;
        Acad::ErrorStatus es = acdbOpenAcDbEntity(ent, id, AcDb::kForWrite);
        if (es == Acad::eOk) {
            es = ent->transformBy(xform);
            ent->close();
        }
        if (es == Acad::eOk) {
            ++done;
        } else {
            ++refused;
            why = es;
        }
    }
    sayRefused(refused, L"could not be transformed", why);
    return done;
}

bool appendToSpace(AcDbObjectId space, AcDbEntity* entity, AcDbObjectId* id) {
    AcDbBlockTableRecord* block = nullptr;
    Acad::ErrorStatus es = acdbOpenObject(block, space, AcDb::kForWrite);
    AcDbObjectId newId;
    if (es == Acad::eOk) {
        es = block->appendAcDbEntity(newId, entity);
        block->close();
    }
    if (es != Acad::eOk) {
        delete entity;
        return false;
    }
    entity->close();
    if (id) *id = newId;
    return true;
}

int copyAll(const std::vector<AcDbObjectId>& ids, const AcGeMatrix3d& xform, std::vector<AcDbObjectId>* made,
            std::vector<AcDbObjectId>* copied) {
    int done = 0, refused = 0;
    Acad::ErrorStatus why = Acad::eOk;
    for (AcDbObjectId id : ids) {
        AcDbEntity* ent = nullptr;
        AcDbEntity* copy = nullptr;
        AcDbObjectId space;
        Acad::ErrorStatus es = acdbOpenAcDbEntity(ent, id, AcDb::kForRead);
        if (es == Acad::eOk) {
            space = ent->blockId();
            es = ent->getTransformedCopy(xform, copy);
            ent->close();
        }
        AcDbObjectId newId;
        if (es == Acad::eOk && !copy) es = Acad::eNotApplicable;
        if (es == Acad::eOk && !appendToSpace(space, copy, &newId)) es = Acad::eNotOpenForWrite;
        if (es != Acad::eOk) {
            ++refused;
            why = es;
            continue;
        }
        ++done;
        if (made) made->push_back(newId);
        if (copied) copied->push_back(id);
    }
    sayRefused(refused, L"could not be copied", why);
    return done;
}

void eraseObject(AcDbObjectId id) {
    AcDbEntity* ent = nullptr;
    if (acdbOpenAcDbEntity(ent, id, AcDb::kForWrite) != Acad::eOk) return;
    ent->erase();
    ent->close();
}

void sayRefused(int count, const wchar_t* what, Acad::ErrorStatus es) {
    if (count <= 0) return;
    transcriptWrite(FormatW(L"\n%d %s %s (%s).", count, plural(count, L"object", L"objects"), what,
                            acadErrorStatusText(es)));
}

} // namespace host::edit

namespace host {

void registerEditCommands() {
    static bool done = false;
    if (done) return;
    done = true;
    using namespace edit;
    AcEdCommandStack& stack = hostCommands();
    stack.addCommand(kGroup, L"MOVE", L"MOVE", ACRX_CMD_MODAL, &moveCommand);
    stack.addCommand(kGroup, L"COPY", L"COPY", ACRX_CMD_MODAL, &copyCommand);
    stack.addCommand(kGroup, L"ROTATE", L"ROTATE", ACRX_CMD_MODAL, &rotateCommand);
    stack.addCommand(kGroup, L"SCALE", L"SCALE", ACRX_CMD_MODAL, &scaleCommand);
    stack.addCommand(kGroup, L"MIRROR", L"MIRROR", ACRX_CMD_MODAL, &mirrorCommand);
    stack.addCommand(kGroup, L"STRETCH", L"STRETCH", ACRX_CMD_MODAL, &stretchCommand);
    stack.addCommand(kGroup, L"EXPLODE", L"EXPLODE", ACRX_CMD_MODAL, &explodeCommand);
    stack.addCommand(kGroup, L"GRIPMOVE", L"GRIPMOVE", ACRX_CMD_MODAL, &gripMoveCommand);
}

} // namespace host
