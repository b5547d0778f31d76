// The geometric operations every entity has, and their defaults for classes that
// do not override them.
#include "host/db/entities/AcDbEntity.h"
#include "host/db/entities/DrawnGeometry.h"
#include "host/db/database/HighlightedParts.h"
#include "host/gi/RecordingWorldDraw.h"

namespace host {

Acad::ErrorStatus intersectDrawn(const AcDbEntity* a, const AcDbEntity* b, AcDb::Intersect intType,
                                 AcGePoint3dArray& points) {
    if (!a || !b) return Acad::eNullEntityPointer;
    std::vector<DrawnPiece> pa = piecesOf(drawEntity(a)), pb = piecesOf(drawEntity(b));
    // Extending turns an entity's segments into lines and its arcs into circles;
    // the curve classes that mean something else override intersectWith.
    auto extend = [](std::vector<DrawnPiece>& pieces) {
        for (auto& p : pieces) {
            if (p.kind == DrawnPiece::Segment) p.kind = DrawnPiece::Line;
            if (p.kind == DrawnPiece::Arc) p.sweep = 2.0 * 3.14159265358979323846;
        }
    };
    if (intType == AcDb::kExtendThis || intType == AcDb::kExtendBoth) extend(pa);
    if (intType == AcDb::kExtendArg || intType == AcDb::kExtendBoth) extend(pb);
    intersectPieces(pa, pb, points, AcGeContext::gTol.equalPoint() * 1e4);
    return Acad::eOk;
}

void deleteEntitySet(AcDbVoidPtrArray& entitySet) {
    for (void* p : entitySet) delete static_cast<AcRxObject*>(p);
    entitySet.removeAll();
}

} // namespace host

Acad::ErrorStatus AcDbEntity::getGeomExtents(AcDbExtents& extents) const { return subGetGeomExtents(extents); }

Acad::ErrorStatus AcDbEntity::subGetGeomExtents(AcDbExtents& extents) const {
    host::gi::RecordingWorldDraw wd(kAcGiForExtents);
    wd.setDatabase(database());
    wd.drawDrawable(const_cast<AcDbEntity*>(this));
    AcDbExtents ext = wd.hasExtents() ? AcDbExtents(wd.extentsMin(), wd.extentsMax()) : host::extentsOf(wd.primitives());
    if (ext.isEmpty()) return Acad::eInvalidExtents;
    extents = ext;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::transformBy(const AcGeMatrix3d& xform) { return subTransformBy(xform); }

Acad::ErrorStatus AcDbEntity::subTransformBy(const AcGeMatrix3d&) { return Acad::eNotApplicable; }

Acad::ErrorStatus AcDbEntity::getTransformedCopy(const AcGeMatrix3d& xform, AcDbEntity*& pEnt) const {
    return subGetTransformedCopy(xform, pEnt);
}

Acad::ErrorStatus AcDbEntity::subGetTransformedCopy(const AcGeMatrix3d& xform, AcDbEntity*& pEnt) const {
    pEnt = nullptr;
    AcDbEntity* copy = AcDbEntity::cast(clone());
    if (!copy) return Acad::eNotApplicable;
    Acad::ErrorStatus es = copy->transformBy(xform);
    if (es != Acad::eOk) {
        delete copy;
        return es;
    }
    pEnt = copy;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::explode(AcDbVoidPtrArray& entitySet) const { return subExplode(entitySet); }

Acad::ErrorStatus AcDbEntity::subExplode(AcDbVoidPtrArray&) const { return Acad::eNotApplicable; }

Acad::ErrorStatus AcDbEntity::getGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray& osnapModes,
                                            AcDbIntArray& geomIds) const {
    return subGetGripPoints(gripPoints, osnapModes, geomIds);
}

Acad::ErrorStatus AcDbEntity::subGetGripPoints(AcGePoint3dArray&, AcDbIntArray&, AcDbIntArray&) const {
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::moveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) {
    return subMoveGripPointsAt(indices, offset);
}

Acad::ErrorStatus AcDbEntity::subMoveGripPointsAt(const AcDbIntArray&, const AcGeVector3d&) {
    return Acad::eNotApplicable;
}

Acad::ErrorStatus AcDbEntity::getStretchPoints(AcGePoint3dArray& stretchPoints) const {
    return subGetStretchPoints(stretchPoints);
}

Acad::ErrorStatus AcDbEntity::subGetStretchPoints(AcGePoint3dArray& stretchPoints) const {
    AcDbIntArray modes, ids;
    return subGetGripPoints(stretchPoints, modes, ids);
}

Acad::ErrorStatus AcDbEntity::moveStretchPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) {
    return subMoveStretchPointsAt(indices, offset);
}

Acad::ErrorStatus AcDbEntity::subMoveStretchPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) {
    return subMoveGripPointsAt(indices, offset);
}

Acad::ErrorStatus AcDbEntity::getOsnapPoints(AcDb::OsnapMode osnapMode, Adesk::GsMarker gsSelectionMark,
                                             const AcGePoint3d& pickPoint, const AcGePoint3d& lastPoint,
                                             const AcGeMatrix3d& viewXform, AcGePoint3dArray& snapPoints,
                                             AcDbIntArray& geomIds) const {
    return subGetOsnapPoints(osnapMode, gsSelectionMark, pickPoint, lastPoint, viewXform, snapPoints, geomIds);
}

Acad::ErrorStatus AcDbEntity::getOsnapPoints(AcDb::OsnapMode osnapMode, Adesk::GsMarker gsSelectionMark,
                                             const AcGePoint3d& pickPoint, const AcGePoint3d& lastPoint,
                                             const AcGeMatrix3d& viewXform, AcGePoint3dArray& snapPoints,
                                             AcDbIntArray& geomIds, const AcGeMatrix3d& insertionMat) const {
    return subGetOsnapPoints(osnapMode, gsSelectionMark, pickPoint, lastPoint, viewXform, snapPoints, geomIds,
                             insertionMat);
}

Acad::ErrorStatus AcDbEntity::subGetOsnapPoints(AcDb::OsnapMode, Adesk::GsMarker, const AcGePoint3d&,
                                                const AcGePoint3d&, const AcGeMatrix3d&, AcGePoint3dArray&,
                                                AcDbIntArray&) const {
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::subGetOsnapPoints(AcDb::OsnapMode osnapMode, Adesk::GsMarker gsSelectionMark,
                                                const AcGePoint3d& pickPoint, const AcGePoint3d& lastPoint,
                                                const AcGeMatrix3d& viewXform, AcGePoint3dArray& snapPoints,
                                                AcDbIntArray& geomIds, const AcGeMatrix3d&) const {
    return subGetOsnapPoints(osnapMode, gsSelectionMark, pickPoint, lastPoint, viewXform, snapPoints, geomIds);
}

Acad::ErrorStatus AcDbEntity::intersectWith(const AcDbEntity* pEnt, AcDb::Intersect intType,
                                            AcGePoint3dArray& points, Adesk::GsMarker thisGsMarker,
                                            Adesk::GsMarker otherGsMarker) const {
    return subIntersectWith(pEnt, intType, points, thisGsMarker, otherGsMarker);
}

Acad::ErrorStatus AcDbEntity::intersectWith(const AcDbEntity* pEnt, AcDb::Intersect intType,
                                            const AcGePlane& projPlane, AcGePoint3dArray& points,
                                            Adesk::GsMarker thisGsMarker, Adesk::GsMarker otherGsMarker) const {
    return subIntersectWith(pEnt, intType, projPlane, points, thisGsMarker, otherGsMarker);
}

Acad::ErrorStatus AcDbEntity::subIntersectWith(const AcDbEntity* pEnt, AcDb::Intersect intType,
                                               AcGePoint3dArray& points, Adesk::GsMarker, Adesk::GsMarker) const {
    return host::intersectDrawn(this, pEnt, intType, points);
}

Acad::ErrorStatus AcDbEntity::subIntersectWith(const AcDbEntity* pEnt, AcDb::Intersect intType, const AcGePlane&,
                                               AcGePoint3dArray& points, Adesk::GsMarker thisGsMarker,
                                               Adesk::GsMarker otherGsMarker) const {
    return subIntersectWith(pEnt, intType, points, thisGsMarker, otherGsMarker);
}

Acad::ErrorStatus AcDbEntity::highlight(const AcDbFullSubentPath& subId, const Adesk::Boolean highlightAll) const {
    return subHighlight(subId, highlightAll);
}

Acad::ErrorStatus AcDbEntity::unhighlight(const AcDbFullSubentPath& subId, const Adesk::Boolean highlightAll) const {
    return subUnhighlight(subId, highlightAll);
}

namespace {

// The marker of a part, or 0 for the whole entity.
Adesk::GsMarker PartMarker(const AcDbFullSubentPath& subId) {
    const AcDbSubentId& part = subId.subentId();
    return part.type() == AcDb::kNullSubentType ? 0 : part.index();
}

} // namespace

Acad::ErrorStatus AcDbEntity::subHighlight(const AcDbFullSubentPath& subId, const Adesk::Boolean) const {
    const Adesk::GsMarker marker = PartMarker(subId);
    if (marker > 0) host::setPartHighlighted(this, marker, true);
    else m_highlighted = true;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::subUnhighlight(const AcDbFullSubentPath& subId, const Adesk::Boolean) const {
    const Adesk::GsMarker marker = PartMarker(subId);
    if (marker > 0) {
        host::setPartHighlighted(this, marker, false);
        return Acad::eOk;
    }
    m_highlighted = false;
    host::clearHighlightedParts(this);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::getSubentPathsAtGsMarker(AcDb::SubentType type, Adesk::GsMarker gsMark,
                                                       const AcGePoint3d& pickPoint, const AcGeMatrix3d& viewXform,
                                                       int& numPaths, AcDbFullSubentPath*& subentPaths,
                                                       int numInserts, AcDbObjectId* entAndInsertStack) const {
    return subGetSubentPathsAtGsMarker(type, gsMark, pickPoint, viewXform, numPaths, subentPaths, numInserts,
                                       entAndInsertStack);
}

Acad::ErrorStatus AcDbEntity::subGetSubentPathsAtGsMarker(AcDb::SubentType, Adesk::GsMarker, const AcGePoint3d&,
                                                          const AcGeMatrix3d&, int& numPaths,
                                                          AcDbFullSubentPath*& subentPaths, int,
                                                          AcDbObjectId*) const {
    numPaths = 0;
    subentPaths = nullptr;
    return Acad::eNotApplicable;
}

Acad::ErrorStatus AcDbEntity::getGsMarkersAtSubentPath(const AcDbFullSubentPath& subPath,
                                                       AcArray<Adesk::GsMarker>& gsMarkers) const {
    return subGetGsMarkersAtSubentPath(subPath, gsMarkers);
}

Acad::ErrorStatus AcDbEntity::subGetGsMarkersAtSubentPath(const AcDbFullSubentPath&,
                                                          AcArray<Adesk::GsMarker>&) const {
    return Acad::eNotApplicable;
}

AcDbEntity* AcDbEntity::subentPtr(const AcDbFullSubentPath& id) const { return subSubentPtr(id); }

Acad::ErrorStatus AcDbEntity::getPlane(AcGePlane&, AcDb::Planarity& planarity) const {
    planarity = AcDb::kNonPlanar;
    return Acad::eNotApplicable;
}
