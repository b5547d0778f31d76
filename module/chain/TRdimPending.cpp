// Provisional bodies of the chain operations whose own files (TRdimGrips.cpp,
// TRdimRefresh.cpp) are not written yet. They keep the entity whole meanwhile.
// Whoever writes one of those files deletes the matching bodies here in the same
// commit.
#include "module/chain/TRdim.h"

#include "host/ge/AcGeCircArc3d.h"
#include "host/ge/AcGeTol.h"
#include "module/chain/TRdimTextEntry.h"
#include "module/options/CGlobDimOptions.h"
#include "module/options/OptionIndices.h"

#include <cmath>

// ---------------------------------------------------------------- refresh

int TRdim::Refresh() {
    for (int i = 0; i < GetExtensions(); ++i)
        if (SetPointInput(i, GetPointInput(i), kPointNew) < 0) break;
    recordGraphicsModified();
    return 1;
}

int TRdim::DimRefresh(int /*iType*/) {
    RearrangeExtensions(0);
    return Refresh();
}

int TRdim::Regenerate(int iType) {
    if (!pGlobDimOptions) return 0;
    return DimRefresh(iType);
}

void TRdim::modified(const AcDbObject* /*dbObj*/) {}
void TRdim::erased(const AcDbObject* /*dbObj*/, Adesk::Boolean /*bErasing*/) {}

// ---------------------------------------------------------------- grips and transforms

void TRdim::GetGripPointList(AcGePoint3dArray& points) const {
    const int n = GetExtensions();
    for (int i = 0; i < n; ++i)
        for (int c = 0; c < 4; ++c)
            if (c < 3 || i >= 1) points.append(m_points[4 * i + c]);
    for (const AppendingText& rec : m_appTexts)
        if (rec.m_iAutoPos == 0) points.append(rec.m_position);
}

Acad::ErrorStatus TRdim::subGetGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray& /*osnapModes*/,
                                          AcDbIntArray& /*geomIds*/) const {
    GetGripPointList(gripPoints);
    return Acad::eOk;
}

Acad::ErrorStatus TRdim::subMoveGripPointsAt(const AcDbIntArray& /*indices*/, const AcGeVector3d& /*offset*/) {
    return Acad::eOk;
}

Acad::ErrorStatus TRdim::subGetStretchPoints(AcGePoint3dArray& stretchPoints) const {
    GetGripPointList(stretchPoints);
    return Acad::eOk;
}

Acad::ErrorStatus TRdim::subMoveStretchPointsAt(const AcDbIntArray& /*indices*/, const AcGeVector3d& /*offset*/) {
    return Acad::eOk;
}

Acad::ErrorStatus TRdim::subGetOsnapPoints(AcDb::OsnapMode, Adesk::GsMarker, const AcGePoint3d&, const AcGePoint3d&,
                                           const AcGeMatrix3d&, AcGePoint3dArray& snapPoints, AcDbIntArray&) const {
    GetGripPointList(snapPoints);
    return Acad::eOk;
}

Acad::ErrorStatus TRdim::subGetOsnapPoints(AcDb::OsnapMode osnapMode, Adesk::GsMarker gsSelectionMark,
                                           const AcGePoint3d& pickPoint, const AcGePoint3d& lastPoint,
                                           const AcGeMatrix3d& viewXform, AcGePoint3dArray& snapPoints,
                                           AcDbIntArray& geomIds, const AcGeMatrix3d& /*insertionMat*/) const {
    return subGetOsnapPoints(osnapMode, gsSelectionMark, pickPoint, lastPoint, viewXform, snapPoints, geomIds);
}

Acad::ErrorStatus TRdim::subTransformBy(const AcGeMatrix3d& xform) {
    const int n = GetExtensions();
    if (n == 0) return Acad::eOk;
    assertWriteEnabled();
    m_zAxis.transformBy(xform);
    if (!m_zAxis.isZeroLength()) m_zAxis.normalize();
    for (AcGePoint3d& p : m_points) p.transformBy(xform);
    for (AppendingText& rec : m_appTexts) {
        rec.m_position.transformBy(xform);
        rec.m_refPoint.transformBy(xform);
    }
    if (IsDimArc()) {
        for (AcGePoint3d& p : m_arcPoints) p.transformBy(xform);
        return Acad::eOk;
    }
    const AcGeVector3d along = GetPointDim(n - 1) - GetPointDim(0);
    if (!along.isZeroLength()) {
        m_vectorDim = along.normal();
        const AcGeMatrix3d toUcs = GetUcsMatrix().inverse();
        AcGeVector3d inUcs = m_vectorDim;
        inUcs.transformBy(toUcs);
        m_dRotation = std::atan2(inUcs.y, inUcs.x);
        if (m_dRotation < 0) m_dRotation += lintaro::tol::kArcTwoPi;
    }
    return Acad::eOk;
}

Acad::ErrorStatus TRdim::subGetGsMarkersAtSubentPath(const AcDbFullSubentPath& /*subPath*/,
                                                     AcArray<Adesk::GsMarker>& /*gsMarkers*/) const {
    return Acad::eOk;
}

Acad::ErrorStatus TRdim::getSubentPathsAtGsMarker(AcDb::SubentType, Adesk::GsMarker, const AcGePoint3d&,
                                                  const AcGeMatrix3d&, int& numPaths, AcDbFullSubentPath*& subentPaths,
                                                  int, AcDbObjectId*) const {
    numPaths = 0;
    subentPaths = nullptr;
    return Acad::eOk;
}

Acad::ErrorStatus TRdim::getGripPointsAtSubentPath(const AcDbFullSubentPath& /*path*/,
                                                   AcGePoint3dArray& gripPoints) const {
    GetGripPointList(gripPoints);
    return Acad::eOk;
}

Acad::ErrorStatus TRdim::getGripPointsList(AcGePoint3dArray& gripPoints) const {
    GetGripPointList(gripPoints);
    return Acad::eOk;
}
