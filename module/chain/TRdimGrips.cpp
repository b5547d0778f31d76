// The chain under the host's editing: grips, stretch points, object snaps, the
// transformation of MOVE, COPY, ROTATE, SCALE, MIRROR and block insertion, and the
// subentity paths of selection markers.
#include "module/chain/TRdim.h"

#include "host/db/database/AcDbDatabase.h"
#include "host/db/entities/AcDbFullSubentPath.h"
#include "host/ed/acutPrintf.h"
#include "host/ge/AcGeTol.h"
#include "module/base/LintaroLog.h"
#include "module/chain/GripIndex.h"
#include "module/chain/WriteAccess.h"
#include "module/options/OptionIndices.h"
#include "module/resources/resource.h"
#include "module/services/ActiveCommand.h"
#include "module/services/CommandObjects.h"
#include "module/services/DocLocks.h"

#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

// The names of the running commands, innermost last ("STRETCH'ZOOM" while a transparent
// zoom runs inside STRETCH).
std::vector<std::wstring> CommandNames(const std::wstring& active) {
    std::vector<std::wstring> names;
    std::wstringstream in(active);
    std::wstring name;
    while (std::getline(in, name, L'\''))
        if (!name.empty()) names.push_back(name);
    return names;
}

// Commands that move or copy a chain without changing its size: its values stay as they
// were (a chain whose value the user typed in must keep it after a move).
bool KeepsValues(const std::wstring& active) {
    for (const std::wstring& name : CommandNames(active)) {
        if (name == L"DROPGEOM" || name == L"MOVE" || name == L"COPY" || name == L"PASTECLIP") return true;
        if (name.find(L"EXPLODE") != std::wstring::npos) return true;
    }
    return false;
}

// Whether a segment from `a` to `b` (either way round) is one of `segments`.
bool IsSegmentBetween(const std::vector<std::pair<AcGePoint3d, AcGePoint3d>>& segments, const AcGePoint3d& a,
                      const AcGePoint3d& b) {
    using lintaro::tol::kDimPointSame;
    for (const auto& [p, q] : segments) {
        if (p.distanceTo(a) < kDimPointSame && q.distanceTo(b) < kDimPointSame) return true;
        if (p.distanceTo(b) < kDimPointSame && q.distanceTo(a) < kDimPointSame) return true;
    }
    return false;
}

// A translation changes no length and no order: nothing to measure or sort again,
// whatever command (or none) moves the chain.
bool IsTranslation(const AcGeMatrix3d& xform) {
    return (xform * AcGeVector3d::kXAxis).isEqualTo(AcGeVector3d::kXAxis) &&
           (xform * AcGeVector3d::kYAxis).isEqualTo(AcGeVector3d::kYAxis) &&
           (xform * AcGeVector3d::kZAxis).isEqualTo(AcGeVector3d::kZAxis);
}

bool InsertsBlock(const std::wstring& active) {
    return active.find(L"INSERT") != std::wstring::npos || active.find(L"XATTACH") != std::wstring::npos;
}

} // namespace

// ---------------------------------------------------------------- the grip list

int TRdim::HandPlacedTextCount() const {
    int count = 0;
    for (const AppendingText& rec : m_rec.appTexts)
        if (rec.m_iAutoPos == 0) ++count;
    return count;
}

bool TRdim::HasCircleTextGrip() const {
    const int n = GetExtensions();
    if (!IsDimArc() || GetParamInt(IND_I_ArcDimAsCircle) == 0 || n < 1) return false;
    if (m_rec.texts.empty() || m_rec.texts[0].empty()) return false;
    return n != 2 || !m_rec.geo.points[0].isEqualTo(m_rec.geo.points[4]);
}

void TRdim::GetGripPointList(AcGePoint3dArray& points) const {
    const int n = GetExtensions();
    for (int i = 0; i < n; ++i)
        for (int c = 0; c < 4; ++c)
            if (c < kGripText || i >= 1) points.append(m_rec.geo.points[4 * i + c]);
    for (const AppendingText& rec : m_rec.appTexts)
        if (rec.m_iAutoPos == 0) points.append(rec.m_position);
    if (HasCircleTextGrip()) points.append(m_rec.geo.points[3]);
}

Acad::ErrorStatus TRdim::subGetGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray& /*osnapModes*/,
                                          AcDbIntArray& /*geomIds*/) const {
    GetGripPointList(gripPoints);
    return Acad::eOk;
}

Acad::ErrorStatus TRdim::subGetStretchPoints(AcGePoint3dArray& stretchPoints) const {
    GetGripPointList(stretchPoints);
    return Acad::eOk;
}

Acad::ErrorStatus TRdim::subGetOsnapPoints(AcDb::OsnapMode osnapMode, Adesk::GsMarker gsSelectionMark,
                                           const AcGePoint3d& /*pickPoint*/, const AcGePoint3d& /*lastPoint*/,
                                           const AcGeMatrix3d& /*viewXform*/, AcGePoint3dArray& snapPoints,
                                           AcDbIntArray& /*geomIds*/) const {
    LogFmt(L"\nTRdim::getOsnapPoints osnapMode=%d gsSelectionMark=%d ", static_cast<int>(osnapMode),
           static_cast<int>(gsSelectionMark));
    GetGripPointList(snapPoints);
    return Acad::eOk;
}

Acad::ErrorStatus TRdim::subGetOsnapPoints(AcDb::OsnapMode osnapMode, Adesk::GsMarker gsSelectionMark,
                                           const AcGePoint3d& pickPoint, const AcGePoint3d& lastPoint,
                                           const AcGeMatrix3d& viewXform, AcGePoint3dArray& snapPoints,
                                           AcDbIntArray& geomIds,
                                           const AcGeMatrix3d& /*insertionMat*/) const {
    return subGetOsnapPoints(osnapMode, gsSelectionMark, pickPoint, lastPoint, viewXform, snapPoints,
                             geomIds);
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

// ---------------------------------------------------------------- moving grips

void TRdim::RefitExtension(int i) {
    if (i < 0 || i >= GetExtensions()) return;
    // The extension line is placed for the new object point as for a new point.
    const AcGePoint3d dim = m_rec.geo.points[4 * i + 2];
    const AcGePoint3d start =
        GetParamInt(IND_I_ExtLine) == 1 ? FixedLengthStart(i, dim) : m_rec.geo.points[4 * i];
    SetPointExt(i, start, false);
}

void TRdim::MoveGrip(const GripRef& ref, const AcGePoint3d& point, bool bStretch) {
    const int i = ref.extension;
    if (ref.kind == GripRef::kExtension && ref.component == kGripInput) {
        const AcGePoint3d onPlane = ProjectToChainPlane(point);
        // How many extensions would have this input point after the move.
        int count = GetInputPointCount(onPlane);
        if (!m_rec.geo.points[4 * i].isEqualTo(onPlane)) ++count;
        if (count >= 2) {
            LogFmt(L"INPUT %d-EXIST POINT! ", count);
            acutPrintf(L"%s", LoadStr(IDS_GRIP_POINT_TAKEN));
            return;
        }
        const int r = SetPointInput(i, onPlane, bStretch ? kPointStretch : kPointMoved);
        if (!bStretch && r >= 0) RefitExtension(r);
        return;
    }
    if (bStretch) return; // stretching moves input points only
    switch (ref.kind) {
    case GripRef::kExtension:
        if (ref.component == kGripExtStart) {
            LogFmt(L"\nPosun Ext %d ", i);
            SetPointExt(i, point, true);
        } else if (ref.component == kGripDim) {
            LogFmt(L"\nPosun DIM Ext %d ", i);
            SetPointDim(i, point, true);
        } else if (ref.component == kGripText) {
            SetPointText(i, point, false);
        }
        break;
    case GripRef::kAppendedText: {
        int seen = 0;
        for (AppendingText& rec : m_rec.appTexts) {
            if (rec.m_iAutoPos != 0) continue;
            if (seen++ == ref.appended) {
                rec.m_position = ProjectToChainPlane(point);
                break;
            }
        }
        break;
    }
    case GripRef::kCircleText:
        LogMsg(L"TEXT0!!! ");
        SetPointText(0, point, false);
        break;
    case GripRef::kNone:
        break;
    }
}

Acad::ErrorStatus TRdim::subMoveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) {
    if (indices.isEmpty()) return Acad::eOk;
    WriteAccess access(this);
    if (!access.ok()) {
        LogFmt(L"\nTRdim::moveGripPointsAt - not writable es=%d ", static_cast<int>(access.status()));
        return Acad::eNotOpenForWrite;
    }
    assertWriteEnabled();
    AcGePoint3dArray grips;
    GetGripPointList(grips);
    const int n = GetExtensions();
    LogFmt(L"\n  numGripPoints = %d (%d) indices=%d\n", grips.length(), n, indices.length());
    const bool stretch = indices[0] < 0;
    if (stretch) LogFmt(L" STRETCH=%d ", indices[0]);
    const int handPlaced = HandPlacedTextCount();
    const bool circleText = HasCircleTextGrip();
    for (int j = stretch ? 1 : 0; j < indices.length(); ++j) {
        const int g = indices[j];
        const GripRef ref = GripOf(g, n, handPlaced, circleText);
        if (ref.kind == GripRef::kNone || g >= grips.length()) {
            LogFmt(L"\n grip %d outside the list of %d ", g, grips.length());
            continue;
        }
        LogFmt(L"\n i=%d iComp=%d Ext:%d. ", g, ref.component, ref.extension);
        MoveGrip(ref, grips[g] + offset, stretch);
    }
    LogMsg(L"\nTRdim::moveGripPointsAt - STOP");
    return Acad::eOk;
}

Acad::ErrorStatus TRdim::subMoveStretchPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) {
    const int n = GetExtensions();
    LogFmt(L"\nTRdim::moveStretchPointsAt - START indices.length()=%d Extensions=%d ", indices.length(), n);
    if (indices.isEmpty() || offset.isZeroLength()) return Acad::eOk;
    Acad::ErrorStatus es = Acad::eOk;
    if (indices.length() + 1 >= 4 * n) {
        // The window holds the whole chain: it moves as one.
        es = transformBy(AcGeMatrix3d::translation(offset));
    } else {
        AcDbIntArray marked;
        marked.append(-1);
        for (int g : indices)
            marked.append(g);
        es = subMoveGripPointsAt(marked, offset);
    }
    LogMsg(L"\nTRdim::moveStretchPointsAt - STOP");
    return es;
}

// ---------------------------------------------------------------- transformation

void TRdim::TransformPoints(const AcGeMatrix3d& xform) {
    m_rec.geo.Transform(xform);
    for (AppendingText& rec : m_rec.appTexts) {
        rec.m_position.transformBy(xform);
        rec.m_refPoint.transformBy(xform);
    }
}

Acad::ErrorStatus TRdim::subTransformBy(const AcGeMatrix3d& xform) {
    LogMsg(L"\n### TRdim::subTransformBy - START");
    AcDbDatabase* db = databaseToUse();
    if (!IsLocked(db))
        LogFmt(L"\n ****!!! IN transformBy !IsLocked( %d ) !!!****  database()=%d ", 0, database() ? 1 : 0);
    CDbLockScope lock(db, L"TRdim::subTransformBy");
    const int n = GetExtensions();
    if (n == 0) {
        LogMsg(L" !nExtensions!!  ");
        return Acad::eOk;
    }
    WriteAccess access(this);
    if (!access.ok()) {
        LogFmt(L"\nTRdim::subTransformBy - not writable es=%d ", static_cast<int>(access.status()));
        return Acad::eNotOpenForWrite;
    }
    assertWriteEnabled();
    // Texts at their default place before the change are placed anew afterwards, so that
    // they keep their distance from the line (a scaled or turned text would not).
    // Known by their dimension points, since a re-sort may renumber the segments.
    std::vector<int> atDefault;
    if (!IsDimArc())
        for (int k = 1; k < n; ++k)
            if (TextAtDefault(k)) atDefault.push_back(k);

    TransformPoints(xform);
    const std::wstring command = GetActiveCommand(true);
    LogFmt(L" CMD-<%s> ", command.c_str());
    // The chain is part of what the running command changes; its curve's notification
    // must not move it a second time.
    if (!objectId().isNull() && !command.empty()) AddToAppendedList(objectId());

    if (IsDimArc()) {
        LogMsg(L" IsDimArc ");
        if (objectId().isNull() || !m_rec.arcObjectId.isNull()) {
            LogMsg(L"\nTRdim::subTransformBy - END1");
            return Acad::eOk;
        }
        if (InsertsBlock(command)) {
            LogMsg(L"\nTRdim::subTransformBy - END2");
            return Acad::eOk;
        }
    } else {
        const AcGeVector3d along = GetPointDim(n - 1) - GetPointDim(0);
        if (!along.isZeroLength()) m_rec.geo.vectorDim = along.normal();
        TakeRotationFromVector();
    }
    if (!KeepsValues(command) && !IsTranslation(xform)) {
        std::vector<std::pair<AcGePoint3d, AcGePoint3d>> defaultSegments;
        for (int k : atDefault)
            defaultSegments.emplace_back(m_rec.geo.points[4 * (k - 1) + 2], m_rec.geo.points[4 * k + 2]);
        for (int k = 1; k < n; ++k)
            UpdateDimText(k);
        DimRefresh(0);
        for (int k = 1; k < GetExtensions(); ++k)
            if (IsSegmentBetween(defaultSegments, GetPointDim(k - 1), GetPointDim(k))) CenterText(k);
    }
    LogMsg(L"\nTRdim::subTransformBy - STOP");
    return Acad::eOk;
}

// ---------------------------------------------------------------- selection markers

Acad::ErrorStatus TRdim::getSubentPathsAtGsMarker(AcDb::SubentType type, Adesk::GsMarker gsMark,
                                                  const AcGePoint3d& /*pickPoint*/,
                                                  const AcGeMatrix3d& /*viewXform*/, int& numPaths,
                                                  AcDbFullSubentPath*& subentPaths, int /*numInserts*/,
                                                  AcDbObjectId* /*entAndInsertStack*/) const {
    numPaths = 0;
    subentPaths = nullptr;
    if (gsMark == 0) return Acad::eInvalidInput;
    if (type == AcDb::kEdgeSubentType) {
        numPaths = 1;
        subentPaths = new AcDbFullSubentPath[1];
        subentPaths[0] = AcDbFullSubentPath(objectId(), AcDb::kEdgeSubentType, gsMark - 1);
    } else if (type == AcDb::kVertexSubentType) {
        numPaths = 2;
        subentPaths = new AcDbFullSubentPath[2];
        subentPaths[0] = AcDbFullSubentPath(objectId(), AcDb::kVertexSubentType, gsMark - 1);
        subentPaths[1] = AcDbFullSubentPath(objectId(), AcDb::kVertexSubentType, gsMark);
    }
    return Acad::eOk;
}

Acad::ErrorStatus TRdim::subGetGsMarkersAtSubentPath(const AcDbFullSubentPath& subPath,
                                                     AcArray<Adesk::GsMarker>& gsMarkers) const {
    // The way back from a path to its marker: edge (and first vertex) index + 1.
    const AcDb::SubentType type = subPath.subentId().type();
    if (type != AcDb::kEdgeSubentType && type != AcDb::kVertexSubentType) return Acad::eInvalidInput;
    gsMarkers.append(subPath.subentId().index() + 1);
    return Acad::eOk;
}
