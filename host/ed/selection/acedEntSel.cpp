#include "host/ed/selection/acedEntSel.h"

#include "host/db/entities/AcDbBlockReference.h"
#include "host/db/tables/AcDbBlockTableRecord.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/db/entities/DrawnGeometry.h"
#include "host/db/database/acutResbuf.h"
#include "host/ed/DrawingView.h"
#include "host/ed/input/EditorInput.h"
#include "host/ed/selection/SelectionScene.h"
#include "host/ed/Ucs.h"
#include "host/gi/GiPick.h"
#include "host/rx/adscodes.h"

#include <cmath>
#include <vector>

namespace {

// Deeper nesting than this is a block that holds itself.
constexpr int kMaxBlockDepth = 16;

// The picked point: asked for, or given. RTNORM, RTKWORD, RTCAN or RTERROR.
int pickedPoint(const wchar_t* str, bool given, ads_point ptres) {
    if (given)
        return std::isfinite(ptres[0]) && std::isfinite(ptres[1]) && std::isfinite(ptres[2]) ? RTNORM
                                                                                             : RTERROR;
    const int rc = acedGetPoint(nullptr, str ? str : L"\nSelect object: ", ptres);
    return rc == RTNONE ? RTERROR : rc;
}

// The entity of the block nearest to a point given in the block's coordinates.
AcDbObjectId pickInBlock(AcDbObjectId blockId, const AcGePoint3d& local, double halfSize) {
    AcDbBlockTableRecord* block = nullptr;
    if (acdbOpenObject(block, blockId, AcDb::kForRead) != Acad::eOk) return {};
    const std::vector<AcDbObjectId> ids = block->entityIds();
    block->close();
    std::vector<host::gi::GiRecording> recordings;
    std::vector<AcDbObjectId> drawn;
    for (const AcDbObjectId& id : ids) {
        AcDbEntity* ent = nullptr;
        if (acdbOpenAcDbEntity(ent, id, AcDb::kForRead) != Acad::eOk) continue;
        recordings.push_back(host::drawEntity(ent));
        drawn.push_back(id);
        ent->close();
    }
    std::vector<const host::gi::GiRecording*> refs;
    for (const auto& r : recordings)
        refs.push_back(&r);
    std::optional<host::gi::PickHit> hit = host::gi::pickNearest(refs, local, halfSize);
    return hit ? drawn[hit->recording] : AcDbObjectId();
}

} // namespace

int acedEntSel(const wchar_t* str, ads_name entres, ads_point ptres) {
    if (!entres || !ptres) return RTERROR;
    ads_name_clear(entres);
    const int rc = pickedPoint(str, false, ptres);
    if (rc != RTNORM) return rc;
    host::SelectionScene scene;
    const auto found = scene.pick(host::ucsToWorld(AcGePoint3d(ptres[0], ptres[1], ptres[2])),
                                  host::pickBoxHalfSize(), false, {});
    if (found.empty()) return RTERROR;
    entres[0] = found[0].name[0];
    entres[1] = found[0].name[1];
    return RTNORM;
}

int acedNEntSelP(const wchar_t* str, ads_name entres, ads_point ptres, int pickflag, ads_matrix xformres,
                 struct resbuf** refstkres) {
    if (!entres || !ptres) return RTERROR;
    ads_name_clear(entres);
    if (refstkres) *refstkres = nullptr;
    const int rc = pickedPoint(str, pickflag != 0, ptres);
    if (rc != RTNORM) return rc;
    const AcGePoint3d world = host::ucsToWorld(AcGePoint3d(ptres[0], ptres[1], ptres[2]));
    host::SelectionScene scene;
    const auto found = scene.pick(world, host::pickBoxHalfSize(), false, {});
    if (found.empty()) return RTERROR;
    AcDbObjectId id;
    if (acdbGetObjectId(id, found[0].name) != Acad::eOk) return RTERROR;
    AcGeMatrix3d toWorld;
    std::vector<AcDbObjectId> references;
    for (int depth = 0; depth < kMaxBlockDepth; ++depth) {
        AcDbBlockReference* ref = nullptr;
        if (acdbOpenObject(ref, id, AcDb::kForRead) != Acad::eOk) break;
        const AcGeMatrix3d xform = ref->blockTransform();
        const AcDbObjectId blockId = ref->blockTableRecord();
        ref->close();
        const AcGeMatrix3d next = toWorld * xform;
        const double scale = next.scale() > 0 ? next.scale() : 1.0;
        const AcDbObjectId inner = pickInBlock(blockId, AcGePoint3d(world).transformBy(next.inverse()),
                                               host::pickBoxHalfSize() / scale);
        if (inner.isNull()) break;
        references.insert(references.begin(), id);
        toWorld = next;
        id = inner;
    }
    ads_name name;
    if (acdbGetAdsName(name, id) != Acad::eOk) return RTERROR;
    ads_name_set(name, entres);
    if (xformres)
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c)
                xformres[r][c] = toWorld(r, c);
    if (refstkres) {
        resbuf* head = nullptr;
        resbuf** tail = &head;
        for (const AcDbObjectId& refId : references) {
            ads_name n;
            if (acdbGetAdsName(n, refId) != Acad::eOk) continue;
            *tail = acutBuildList(RTENAME, n, 0);
            if (*tail) tail = &(*tail)->rbnext;
        }
        *refstkres = head;
    }
    return RTNORM;
}
