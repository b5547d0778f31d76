// DIMENSION and ARC_DIMENSION records as the host's dimensions: their definition
// points by kind, the user's text and text position, the style by name, the
// graphics block, and the overrides in the ACAD "DSTYLE" extended data.
#include "host/db/dimensions/AcDb2LineAngularDimension.h"
#include "host/db/dimensions/AcDb3PointAngularDimension.h"
#include "host/db/dimensions/AcDbAlignedDimension.h"
#include "host/db/dimensions/AcDbArcDimension.h"
#include "host/db/dimensions/AcDbDiametricDimension.h"
#include "host/db/dimensions/AcDbRadialDimension.h"
#include "host/db/dimensions/AcDbRotatedDimension.h"
#include "host/db/tables/AcDbBlockTableRecord.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/io/dxf/DxfImporter.h"

#include <numbers>

namespace host::dxf {

namespace {

constexpr double kDegree = std::numbers::pi / 180.0;
// The kinds of group 70's low bits, and the flag of a text the user placed.
enum DimKind { kRotated = 0, kAligned = 1, kAngular = 2, kDiameter = 3, kRadius = 4, kAngular3Point = 5, kOrdinate = 6 };
constexpr int kUserTextPosition = 128;

AcGePoint3d toWorld(const AcGePoint3d& p, const AcGeVector3d& normal) {
    if (normal.isEqualTo(AcGeVector3d::kZAxis)) return p;
    AcGePoint3d w = p;
    return w.transformBy(AcGeMatrix3d::planeToWorld(normal));
}

} // namespace

AcDbEntity* DxfImporter::makeDimension(const DxfRecord& r, std::wstring& skipped) {
    const int kind = r.integer(70) & 7;
    const AcGeVector3d n = r.normal();
    AcDbDimension* dim = nullptr;
    switch (kind) {
    case kRotated:
        dim = new AcDbRotatedDimension(r.real(50) * kDegree, r.point(13), r.point(14), r.point(10));
        static_cast<AcDbRotatedDimension*>(dim)->setOblique(r.real(52) * kDegree);
        break;
    case kAligned:
        dim = new AcDbAlignedDimension(r.point(13), r.point(14), r.point(10));
        static_cast<AcDbAlignedDimension*>(dim)->setOblique(r.real(52) * kDegree);
        break;
    case kAngular:
        dim = new AcDb2LineAngularDimension(r.point(13), r.point(14), r.point(15), r.point(10),
                                            toWorld(r.point(16), n));
        break;
    case kDiameter:
        dim = new AcDbDiametricDimension(r.point(15), r.point(10), r.real(40));
        break;
    case kRadius:
        dim = new AcDbRadialDimension(r.point(10), r.point(15), r.real(40));
        break;
    case kAngular3Point:
        dim = new AcDb3PointAngularDimension(r.point(15), r.point(13), r.point(14), r.point(10));
        break;
    default:
        skipped = L"DIMENSION (ordinate)";
        return nullptr;
    }
    dim->setNormal(n);
    if (r.integer(70) & kUserTextPosition) dim->setTextPosition(toWorld(r.point(11), n));
    finishDimension(dim, r);
    return dim;
}

AcDbEntity* DxfImporter::makeArcDimension(const DxfRecord& r) {
    const AcGeVector3d n = r.normal();
    auto* dim = new AcDbArcDimension(r.point(15), r.point(13), r.point(14), r.point(10));
    dim->setNormal(n);
    if (r.integer(70) & kUserTextPosition) dim->setTextPosition(toWorld(r.point(11), n));
    finishDimension(dim, r);
    return dim;
}

void DxfImporter::finishDimension(AcDbDimension* dim, const DxfRecord& r) {
    dim->setDimensionText(m_doc.text(r.find(1)).c_str());
    if (r.real(53) != 0.0) dim->setTextRotation(r.real(53) * kDegree);
    dim->setHorizontalRotation(r.real(51) * kDegree);
    const AcDbObjectId style = dimStyleId(m_doc.text(r.find(3)));
    if (!style.isNull()) dim->setDimensionStyle(style);
    // The file's graphics block came in with the blocks; the dimension keeps it.
    const AcDbObjectId block = blockId(m_doc.text(r.find(2)));
    if (!block.isNull()) dim->setDimBlockId(block);
    dim->setDimBlockPosition(r.point(12));
    applyDimOverrides(dim, r);
}

void DxfImporter::keepDimensionBlock(AcDbEntity* ent) {
    auto* dim = AcDbDimension::cast(ent);
    if (!dim || dim->dimBlockId().isNull()) return;
    AcDbBlockTableRecord* block = nullptr;
    if (acdbOpenObject(block, dim->dimBlockId(), AcDb::kForRead) != Acad::eOk) return;
    const bool drawn = !block->entityIds().empty();
    block->close();
    // An empty block draws nothing: such a dimension is better shown as laid out.
    if (drawn) dim->keepDimBlock();
}

void DxfImporter::applyDimOverrides(AcDbDimension* dim, const DxfRecord& r) {
    const std::span<const DxfGroup> acad = r.after(1001, "ACAD");
    size_t i = 0;
    while (i < acad.size() && !(acad[i].code == 1000 && upperName(acad[i].text) == L"DSTYLE")) {
        if (acad[i].code == 1001) return; // another application's data: no overrides
        ++i;
    }
    if (i + 1 >= acad.size() || acad[i + 1].code != 1002) return;
    // Pairs of (1070 the variable's group code, its value) up to the closing brace.
    for (i += 2; i + 1 < acad.size() && acad[i].code == 1070; i += 2) {
        const int index = dimVarIndexByDxfCode(acad[i].integer());
        DimVarValue value;
        if (index >= 0 && dimVarValue(index, acad[i + 1], value)) dim->setDimVarOverride(index, value);
    }
}

} // namespace host::dxf
