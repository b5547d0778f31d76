// Segment marks: a polyline framing a segment's text or outlining the segment, added to
// the chain's drawing. Temporary marks show what a command works on; permanent ones
// mark manual values and carry a record that lets them be found and removed again.
#include "module/chain/TRdim.h"

#include "host/db/tables/AcDbBlockTableRecord.h"
#include "host/db/database/AcDbDatabase.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/db/entities/AcDbPolyline.h"
#include "host/db/tables/AcDbRegAppTableRecord.h"
#include "host/db/database/acutResbuf.h"
#include "host/ge/AcGePoint2d.h"
#include "host/rx/adscodes.h"
#include "module/base/LintaroLog.h"
#include "module/options/OptionIndices.h"

#include <algorithm>
#include <vector>

namespace {

// A segment mark frames its text this many paper millimetres away.
constexpr double kSegmentMarkMargin = 0.6;

AcGeVector3d UnitOr(const AcGeVector3d& v, const AcGeVector3d& fallback) {
    return v.isZeroLength() ? fallback : v.normal();
}

// The outline of a segment mark: 1 and 4 frame the text, 2 is the dimension line of the
// segment, 3 the area between the object and the dimension line.
std::vector<AcGePoint3d> MarkOutline(TRdim& chain, int k, int mode, bool& closed) {
    closed = mode != 2;
    if (mode == 1 || mode == 4) {
        const std::array<AcGePoint3d, 4> box = chain.TextBox(k, chain.PaperToModel(kSegmentMarkMargin));
        return {box.begin(), box.end()};
    }
    if (mode == 2) return {chain.GetPointDim(k - 1), chain.GetPointDim(k)};
    return {chain.GetPointExt(k - 1), chain.GetPointDim(k - 1), chain.GetPointDim(k), chain.GetPointExt(k)};
}

// A lightweight polyline through `points`, in the plane with the given normal.
AcDbPolyline* MakeMarkPolyline(const std::vector<AcGePoint3d>& points, const AcGeVector3d& normal,
                               bool closed) {
    // The polyline's vertices are in the system of its normal (the arbitrary axis rule).
    const AcGeVector3d n = UnitOr(normal, AcGeVector3d::kZAxis);
    const AcGeVector3d ocsX = n.perpVector().normal();
    const AcGeVector3d ocsY = n.crossProduct(ocsX);
    auto* poly = new AcDbPolyline(static_cast<unsigned int>(points.size()));
    poly->setNormal(n);
    poly->setElevation(points.front().asVector().dotProduct(n));
    for (size_t i = 0; i < points.size(); ++i) {
        const AcGeVector3d v = points[i].asVector();
        poly->addVertexAt(static_cast<unsigned int>(i), AcGePoint2d(v.dotProduct(ocsX), v.dotProduct(ocsY)));
    }
    poly->setClosed(closed);
    return poly;
}

// The record that lets "remove all marks" find a permanent mark again.
void TagPermanentMark(AcDbPolyline* poly) {
    static const wchar_t* kApp = L"LINTARO_UT_MARK";
    acdbRegApp(kApp);
    resbuf* xdata = acutBuildList(1001, kApp, 1000, L"DIM_MARK", 1070, 0, RTNONE);
    if (!xdata) return;
    if (poly->setXData(xdata) != Acad::eOk) LogMsg(L"\n MarkSegment: no LINTARO_UT_MARK ");
    acutRelRb(xdata);
}

} // namespace

int TRdim::MarkSegment(int k, int mode) {
    const int n = GetExtensions();
    AcDbDatabase* db = database();
    if (k < 0 || k >= n || n < 2 || mode < 1 || mode > 4 || !db) {
        LogFmt(L"\n MarkSegment !!! %d / %d mode=%d ", k, n, mode);
        return 0;
    }
    const int segment = std::max(k, 1);
    bool closed = true;
    const std::vector<AcGePoint3d> outline = MarkOutline(*this, segment, mode, closed);
    AcDbPolyline* poly = MakeMarkPolyline(outline, GetUcsNormal(), closed);
    poly->setPropertiesFrom(this);
    if (mode == 4) {
        const std::wstring layer = GetParamString(IND_S_UTextMarkLayer);
        if (layer.empty() || poly->setLayer(layer.c_str()) != Acad::eOk) poly->setLayer(db->clayer());
        TagPermanentMark(poly);
    }
    AcDbBlockTableRecord* owner = nullptr;
    const AcDbObjectId ownerId = blockId().isNull() ? db->modelSpaceId() : blockId();
    if (acdbOpenObject(owner, ownerId, AcDb::kForWrite) != Acad::eOk) {
        delete poly;
        LogMsg(L"\n MarkSegment: owner not open ");
        return 0;
    }
    const Acad::ErrorStatus es = owner->appendAcDbEntity(poly);
    owner->close();
    if (es != Acad::eOk) {
        delete poly;
        return 0;
    }
    poly->close();
    return 1;
}
