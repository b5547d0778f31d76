// EXPLODE, and GRIPMOVE: the scripted form of dragging one grip.
#include "host/db/database/AcDbDatabase.h"
#include "host/db/entities/AcDbEntity.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/ed/DrawingView.h"
#include "host/ed/commands/EditGeometry.h"
#include "host/ed/input/EditorInput.h"
#include "host/ed/commands/HostDrawCommandsCommon.h"
#include "host/ed/commands/HostEditCommandsCommon.h"
#include "host/ed/input/InputParse.h"
#include "host/ed/Ucs.h"
#include "host/ed/selection/acedEntSel.h"
#include "host/ed/selection/acedSSGet.h"
#include "host/rx/adscodes.h"
#include "host/win/FormatW.h"
#include "host/win/Transcript.h"

#include <memory>

namespace host::edit {

namespace {

// A piece made without properties (no layer) takes all of the source's; a piece
// coloured ByBlock takes the source's colour, as it no longer has a block to follow.
void inherit(AcDbEntity* piece, const AcDbEntity* source) {
    if (piece->layerId().isNull()) {
        piece->setPropertiesFrom(source);
        return;
    }
    if (piece->color().isByBlock()) piece->setColor(source->color());
}

// Replaces one object by its pieces. eOk when done; eNotApplicable when it cannot be
// exploded (or gives nothing); another status when its pieces could not all be
// added (those added are erased again and the object stays).
Acad::ErrorStatus explodeOne(AcDbObjectId id) {
    AcDbEntity* ent = nullptr;
    Acad::ErrorStatus es = acdbOpenAcDbEntity(ent, id, AcDb::kForRead);
    if (es != Acad::eOk) return es;
    AcDbVoidPtrArray pieces;
    es = ent->explode(pieces);
    const AcDbObjectId space = ent->blockId();
    if (es == Acad::eOk)
        for (void* p : pieces) {
            auto* piece = AcDbEntity::cast(static_cast<AcRxObject*>(p));
            if (piece) inherit(piece, ent);
        }
    ent->close();
    if (es != Acad::eOk || pieces.isEmpty()) {
        deleteEntitySet(pieces);
        return es == Acad::eOk ? Acad::eNotApplicable : es;
    }
    std::vector<AcDbObjectId> made;
    bool complete = true;
    for (int i = 0; i < pieces.length(); ++i) {
        auto* obj = static_cast<AcRxObject*>(pieces[i]);
        auto* piece = AcDbEntity::cast(obj);
        if (!complete || !piece) {
            delete obj;
            complete = false;
            continue;
        }
        AcDbObjectId pieceId;
        // appendToSpace deletes a piece it cannot add.
        if (appendToSpace(space, piece, &pieceId))
            made.push_back(pieceId);
        else
            complete = false;
    }
    if (!complete) {
        for (AcDbObjectId madeId : made)
            eraseObject(madeId);
        return Acad::eInvalidInput;
    }
    eraseObject(id);
    return Acad::eOk;
}

// The grip to move: its number, or a point within the pick box of it. -1 when cancelled.
int askGrip(const AcGePoint3dArray& grips) {
    const std::wstring prompt =
        FormatW(L"\nSpecify grip number (0-%d) or a point near the grip: ", grips.length() - 1);
    for (;;) {
        AcGePoint3d ucs, world;
        const int rc = getUcsPoint(prompt.c_str(), nullptr, ucs, world, nullptr, RSG_NONULL | RSG_OTHER);
        if (rc == RTCAN) return -1;
        if (rc == RTKWORD) {
            std::optional<int> n = parseInt(draw::lastKeyword());
            if (n && *n >= 0 && *n < grips.length()) return *n;
            transcriptWrite(FormatW(L"\nThe grip number must be from 0 to %d.", grips.length() - 1));
            continue;
        }
        const int near = nearestGrip(grips, world, pickBoxHalfSize());
        if (near >= 0) return near;
        transcriptWrite(L"\nNo grip lies within the pick box of that point.");
    }
}

// The object to grip-edit, with its grips; false when cancelled or unusable (said).
bool pickGripped(AcDbObjectId& id, AcGePoint3dArray& grips) {
    for (;;) {
        ads_name name = {0, 0};
        ads_point at = {0, 0, 0};
        const int rc = acedEntSel(L"\nSelect object: ", name, at);
        if (rc == RTCAN) return false;
        if (rc != RTNORM || acdbGetObjectId(id, name) != Acad::eOk) {
            transcriptWrite(L"\nNothing found there.");
            continue;
        }
        std::vector<AcDbObjectId> ids{id};
        dropLocked(ids);
        if (ids.empty()) return false;
        AcDbEntity* ent = nullptr;
        if (acdbOpenAcDbEntity(ent, id, AcDb::kForRead) != Acad::eOk) return false;
        AcDbIntArray modes, geomIds;
        grips.removeAll();
        const Acad::ErrorStatus es = ent->getGripPoints(grips, modes, geomIds);
        ent->close();
        if (es == Acad::eOk && !grips.isEmpty()) return true;
        transcriptWrite(L"\nThat object has no grips.");
        return false;
    }
}

} // namespace

void explodeCommand() {
    AcDbDatabase* db = draw::drawingOrSay();
    std::vector<AcDbObjectId> ids;
    if (!db || selectEditable(db, ids) != RTNORM) return;
    int refused = 0, failed = 0;
    Acad::ErrorStatus why = Acad::eOk;
    for (AcDbObjectId id : ids) {
        const Acad::ErrorStatus es = explodeOne(id);
        if (es == Acad::eNotApplicable) {
            ++refused;
        } else if (es != Acad::eOk) {
            ++failed;
            why = es;
        }
    }
    if (refused > 0)
        transcriptWrite(FormatW(L"\n%d %s not explodable.", refused, refused == 1 ? L"was" : L"were"));
    sayRefused(failed, L"could not be exploded", why);
}

void gripMoveCommand() {
    AcDbDatabase* db = draw::drawingOrSay();
    if (!db) return;
    transcriptWrite(L"\nGRIPMOVE (host command for scripts): moves one grip as dragging it would.");
    AcDbObjectId id;
    AcGePoint3dArray grips;
    if (!pickGripped(id, grips)) return;
    const int index = askGrip(grips);
    if (index < 0) return;
    const AcGePoint3d gripUcs = worldToUcs(grips[index]);
    AcGePoint3d toUcs, toWorld;
    if (getUcsPoint(L"\nSpecify new point for the grip: ", &gripUcs, toUcs, toWorld, nullptr, RSG_NONULL) !=
        RTNORM)
        return;
    const AcGeVector3d offset = toWorld - grips[index];
    if (offset.isZeroLength()) return;
    AcDbEntity* ent = nullptr;
    Acad::ErrorStatus es = acdbOpenAcDbEntity(ent, id, AcDb::kForWrite);
    if (es == Acad::eOk) {
        AcDbIntArray indices;
        indices.append(index);
        es = ent->moveGripPointsAt(indices, offset);
        ent->close();
    }
    sayRefused(es == Acad::eOk ? 0 : 1, L"could not take the grip move", es);
}

} // namespace host::edit
