// Provisional bodies of the chain operations whose own files (TRdimLayout.cpp,
// TRdimDraw.cpp, TRdimArc.cpp, TRdimGrips.cpp, TRdimRefresh.cpp) are not written yet.
// They keep the entity whole meanwhile: linear texts sit at the middle of their segment,
// nothing is drawn, arc chains behave as if they had no curve. Whoever writes one of those
// files deletes the matching bodies here in the same commit.
#include "module/chain/TRdim.h"

#include "host/ge/AcGeCircArc3d.h"
#include "host/ge/AcGeTol.h"
#include "module/chain/TRdimTextEntry.h"
#include "module/options/CGlobDimOptions.h"
#include "module/options/OptionIndices.h"

#include <cmath>

// ---------------------------------------------------------------- text layout

int TRdim::GetTextAngle(int k, double& angle, int& side) {
    const int n = GetExtensions();
    if (k < 0) k = -k;
    if (n > 0 && k > n - 1) k = n - 1;
    AcGeVector3d dir(std::cos(m_dRotation), std::sin(m_dRotation), 0.0);
    dir.transformBy(GetUcsMatrix());
    double a = std::atan2(dir.y, dir.x);
    if (a < 0) a += lintaro::tol::kArcTwoPi;
    if (a >= lintaro::tol::kArcPi) a -= lintaro::tol::kArcPi;
    if (a < 0) a = 0;
    angle = a;
    const long degrees = std::lround(a * 180.0 / lintaro::tol::kArcPi);
    side = n >= 1 ? SideOfDimLine(k, angle) : 1;
    return (degrees > 90 && degrees < 180) ? -1 : 1;
}

AcGePoint3d TRdim::DefaultTextPoint(int k, int /*code*/) {
    const int n = GetExtensions();
    if (k < 1 || n < 2) return GetPointTextPos(0);
    if (k >= n) return GetPointDim(n - 1);
    const AcGePoint3d a = GetPointDim(k - 1);
    const AcGePoint3d b = GetPointDim(k);
    return a + (b - a) * 0.5;
}

int TRdim::CenterText(int k) {
    if (k < 0) return 0;
    const int code = GetDimTextPos(k, false);
    if (code < 0) SetDimTextPos(k, -AutoTextPosition(k));
    SetPointText(k, DefaultTextPoint(k), true);
    return 1;
}

int TRdim::AutoTextPosition(int /*k*/) { return 8; }

int TRdim::SetAppendingTextPos(int k, AppendingText* record) {
    const int n = GetExtensions();
    if (!record || k < 0 || k >= n || n < 2) return 0;
    record->m_position = GetPointTextPos(k < 1 ? 1 : k);
    return 1;
}

int TRdim::AdjustTexts(int mode) {
    if (!pGlobDimOptions) return 0;
    if (mode == 0) mode = (pGlobDimOptions->GetOptFlag(IND_OPT_B_AutoPosition) && !IsDimArc()) ? 'A' : 'C';
    const int n = GetExtensions();
    for (int k = 1; k < n; ++k) {
        if (mode == 'A') SetDimTextPos(k, -8);
        if (mode == 'C') SetDimTextPos(k, 8);
        if (mode == 'G' && GetPointTextPos(k).distanceTo(DefaultTextPoint(k)) >= lintaro::tol::kTextAtDefault)
            continue;
        CenterText(k);
    }
    return 1;
}

double TRdim::AdaptByTextHeight(int index) {
    double percent = 10.0;
    const COptionSet* set = pGlobDimOptions ? &pGlobDimOptions->GetOptionSet(OPT_MODE_CHAIN) : nullptr;
    if (set && index >= 0 && index < static_cast<int>(set->arrayOptDouble.size()))
        percent = set->arrayOptDouble[static_cast<size_t>(index)];
    else if (index >= 0 && index < static_cast<int>(arrayDouble.size()))
        percent = arrayDouble[static_cast<size_t>(index)];
    if (percent == 0) percent = 10.0;
    return PaperToModel(GetParamDouble(IND_D_TextHeight) / 10.0 * percent / 100.0);
}

double TRdim::GetTextHeight() { return PaperToModel(GetParamDouble(IND_D_TextHeight) / 10.0); }

bool TRdim::GetPointText(int k, AcGePoint3dArray& points, std::vector<std::wstring>& parts,
                         const AppendingText* appendingText, int /*code*/) {
    const bool superscript = BuildDisplayText(k, &parts, appendingText);
    points.removeAll();
    const AcGePoint3d at = appendingText ? appendingText->m_position : GetPointTextPos(k < 1 ? 0 : k);
    for (size_t i = 0; i < parts.size(); ++i) points.append(at);
    return superscript;
}

std::array<AcGePoint3d, 4> TRdim::TextBox(int k, double /*margin*/) {
    const AcGePoint3d at = GetPointTextPos(k < 1 ? 1 : k);
    return {at, at, at, at};
}

// ---------------------------------------------------------------- drawing

bool TRdim::subWorldDraw(AcGiWorldDraw* /*worldDraw*/) { return true; }
void TRdim::subViewportDraw(AcGiViewportDraw* /*viewportDraw*/) {}
Acad::ErrorStatus TRdim::drawDimension(AcGiWorldDraw* /*worldDraw*/, AcDbVoidPtrArray* /*entityList*/) {
    return Acad::eOk;
}
int TRdim::DrawDimTexts(AcGiWorldDraw* /*worldDraw*/, AcDbVoidPtrArray* /*entityList*/, bool /*bDraw*/) {
    return 0;
}
void TRdim::drawFacets(AcGiWorldDraw* /*worldDraw*/) {}
int TRdim::GetTextColor() const { return colorIndex(); }
int TRdim::MarkSegment(int /*k*/, int /*mode*/) { return 0; }

// ---------------------------------------------------------------- arc chains

AcDbCurve* TRdim::GetDbArcInput() const { return nullptr; }
AcGeCircArc3d* TRdim::GetArcInput(bool /*bFullCircle*/) { return nullptr; }
void TRdim::MakeParamArray() { m_arcParams.setLogicalLength(GetExtensions()); }
AcGeCircArc3d* TRdim::GetArcDim(int /*tag*/, double /*extend*/) { return nullptr; }
void TRdim::ChangePointMainDimArc(const AcGePoint3d& /*point*/, bool /*bKeepExt*/) {}
int TRdim::SetPointInputArc(int i, const AcGePoint3d& /*point*/, int /*iMode*/) { return i; }
double TRdim::GetDistanceArc(int /*k*/) { return 0.0; }
AcGeLine3d TRdim::GetLineExtArc(int i) const {
    return AcGeLine3d(GetPointInput(i), m_vectorDim.crossProduct(m_xyzAxis[2]));
}
bool TRdim::IsFullCircle() const { return false; }
void TRdim::UpdateArcAfterSort() {}
AcGeCircArc3d* TRdim::Curve2GeArc(const AcDbCurve* /*curve*/, int /*segment*/) { return nullptr; }

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

Acad::ErrorStatus TRdim::subExplode(AcDbVoidPtrArray& /*entitySet*/) const { return Acad::eOk; }

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
