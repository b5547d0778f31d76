// The host's own entities as DXF entities. Planar entities give their points in
// their object coordinate system (the arbitrary axes of their normal).
#include "host/db/dimensions/AcDb2LineAngularDimension.h"
#include "host/db/entities/AcDb2dPolyline.h"
#include "host/db/dimensions/AcDb3PointAngularDimension.h"
#include "host/db/dimensions/AcDbAlignedDimension.h"
#include "host/db/entities/AcDbArc.h"
#include "host/db/dimensions/AcDbArcDimension.h"
#include "host/db/entities/AcDbBlockReference.h"
#include "host/db/entities/AcDbCircle.h"
#include "host/db/dimensions/AcDbDiametricDimension.h"
#include "host/db/entities/AcDbFace.h"
#include "host/db/entities/AcDbLeader.h"
#include "host/db/entities/AcDbLine.h"
#include "host/db/tables/AcDbLinetypeTableRecord.h"
#include "host/db/entities/AcDbMText.h"
#include "host/db/entities/AcDbPolyline.h"
#include "host/db/dimensions/AcDbRadialDimension.h"
#include "host/db/dimensions/AcDbRotatedDimension.h"
#include "host/db/entities/AcDbSolid.h"
#include "host/db/entities/AcDbText.h"
#include "host/db/entities/AcDbXline.h"
#include "host/db/database/acutResbuf.h"
#include "host/io/dxf/DxfExporter.h"

#include <cmath>
#include <numbers>

namespace host::dxf {

namespace {

constexpr double kDegree = 180.0 / std::numbers::pi;
// Long texts go out in pieces; other programs read lines of this length at most.
constexpr size_t kTextChunk = 250;
// Group 70 of a DIMENSION: the block is this dimension's alone; the text was placed by hand.
constexpr int kOwnBlock = 32;
constexpr int kUserText = 128;

AcGePoint3d toOcs(const AcGePoint3d& p, const AcGeVector3d& n) {
    if (n.isEqualTo(AcGeVector3d::kZAxis)) return p;
    AcGePoint3d q = p;
    return q.transformBy(AcGeMatrix3d::worldToPlane(n));
}

template <class T>
const T* as(const AcDbEntity* ent) {
    return T::cast(ent);
}

std::wstring appName(const resbuf* rb) { return rb && rb->resval.rstring ? rb->resval.rstring : L""; }

} // namespace

void DxfExporter::common(DxfOutput& o, const AcDbEntity* ent, const char* type, uint64_t owner, bool paper) {
    entityHead(o, ent, type, handleOf(ent->objectId()), owner, paper);
}

void DxfExporter::entityHead(DxfOutput& o, const AcDbEntity* ent, const char* type, uint64_t handle, uint64_t owner,
                             bool paper) {
    o.raw(0, type);
    o.handle(5, handle);
    o.handle(330, owner);
    o.raw(100, "AcDbEntity");
    if (paper) o.integer(67, 1);
    o.text(8, layerName(ent->layerId()));
    const auto* lt = ent->linetypeId().isValid()
                         ? AcDbLinetypeTableRecord::cast(static_cast<AcDbStub*>(ent->linetypeId())->object)
                         : nullptr;
    if (lt && symbolKey(lt->name()) != L"BYLAYER") o.text(6, lt->name());
    const AcCmColor c = ent->color();
    if (c.isByColor()) o.integer(420, (long long)(c.red()) << 16 | c.green() << 8 | c.blue());
    else if (!c.isByLayer()) o.integer(62, c.colorIndex());
    if (ent->lineWeight() != AcDb::kLnWtByLayer) o.integer(370, int(ent->lineWeight()));
    if (ent->linetypeScale() != 1.0) o.real(48, ent->linetypeScale());
    if (ent->visibility() == AcDb::kInvisible) o.integer(60, 1);
}

void DxfExporter::xdata(DxfOutput& o, const AcDbEntity* ent, bool skipAcad) {
    resbuf* chain = ent->xData(nullptr);
    bool skipping = false;
    for (const resbuf* rb = chain; rb; rb = rb->rbnext) {
        const int code = rb->restype;
        if (code == 1001) {
            skipping = skipAcad && symbolKey(appName(rb)) == L"ACAD";
            if (!skipping) o.text(1001, appName(rb));
            continue;
        }
        if (skipping) continue;
        switch (resbufKind(code)) {
        case RbKind::String: o.text(code, appName(rb)); break;
        case RbKind::Real: o.real(code, rb->resval.rreal); break;
        case RbKind::Short: o.integer(code, rb->resval.rint); break;
        case RbKind::Long: o.integer(code, rb->resval.rlong); break;
        case RbKind::Point:
            o.point(code, AcGePoint3d(rb->resval.rpoint[0], rb->resval.rpoint[1], rb->resval.rpoint[2]));
            break;
        case RbKind::Binary: {
            static const char* hex = "0123456789ABCDEF";
            std::string text;
            for (short i = 0; i < rb->resval.rbinary.clen; ++i) {
                const unsigned char b = static_cast<unsigned char>(rb->resval.rbinary.buf[i]);
                text += hex[b >> 4];
                text += hex[b & 15];
            }
            o.raw(code, text);
            break;
        }
        default: break;
        }
    }
    acutRelRb(chain);
}

bool DxfExporter::writeCurve(DxfOutput& o, const AcDbEntity* ent, uint64_t owner, bool paper) {
    if (const auto* e = as<AcDbLine>(ent)) {
        common(o, ent, "LINE", owner, paper);
        o.raw(100, "AcDbLine");
        if (e->thickness() != 0.0) o.real(39, e->thickness());
        o.point(10, e->startPoint());
        o.point(11, e->endPoint());
        o.normal(e->normal());
    } else if (const auto* e = as<AcDbArc>(ent)) {
        common(o, ent, "ARC", owner, paper);
        o.raw(100, "AcDbCircle");
        if (e->thickness() != 0.0) o.real(39, e->thickness());
        o.point(10, toOcs(e->center(), e->normal()));
        o.real(40, e->radius());
        o.normal(e->normal());
        o.raw(100, "AcDbArc");
        o.real(50, e->startAngle() * kDegree);
        o.real(51, e->endAngle() * kDegree);
    } else if (const auto* e = as<AcDbCircle>(ent)) {
        common(o, ent, "CIRCLE", owner, paper);
        o.raw(100, "AcDbCircle");
        if (e->thickness() != 0.0) o.real(39, e->thickness());
        o.point(10, toOcs(e->center(), e->normal()));
        o.real(40, e->radius());
        o.normal(e->normal());
    } else if (const auto* e = as<AcDbPolyline>(ent)) {
        common(o, ent, "LWPOLYLINE", owner, paper);
        o.raw(100, "AcDbPolyline");
        o.integer(90, e->numVerts());
        o.integer(70, (e->isClosed() ? 1 : 0) | (e->isPlinegen() ? 128 : 0));
        double constant = 0.0;
        const bool isConstant = e->getConstantWidth(constant) == Acad::eOk;
        if (isConstant) o.real(43, constant);
        if (e->elevation() != 0.0) o.real(38, e->elevation());
        if (e->thickness() != 0.0) o.real(39, e->thickness());
        for (unsigned i = 0; i < e->numVerts(); ++i) {
            AcGePoint2d p;
            double bulge = 0.0, s = 0.0, w = 0.0;
            e->getPointAt(i, p);
            e->getBulgeAt(i, bulge);
            e->getWidthsAt(i, s, w);
            o.point2d(10, p.x, p.y);
            if (!isConstant && (s != 0.0 || w != 0.0)) {
                o.real(40, s);
                o.real(41, w);
            }
            if (bulge != 0.0) o.real(42, bulge);
        }
        o.normal(e->normal());
    } else {
        return false;
    }
    return true;
}

bool DxfExporter::writeOldPolyline(DxfOutput& o, const AcDbEntity* ent, uint64_t owner, bool paper) {
    if (const auto* e = as<AcDb2dPolyline>(ent)) {
        common(o, ent, "POLYLINE", owner, paper);
        const uint64_t self = handleOf(ent->objectId());
        o.raw(100, "AcDb2dPolyline");
        o.integer(66, 1);
        o.point(10, AcGePoint3d(0, 0, e->elevation()));
        if (e->thickness() != 0.0) o.real(39, e->thickness());
        const int type = e->polyType() == AcDb::k2dFitCurvePoly ? 2 : e->polyType() == AcDb::k2dSimplePoly ? 0 : 4;
        o.integer(70, (e->isClosed() ? 1 : 0) | type);
        if (type == 4) o.integer(75, e->polyType() == AcDb::k2dQuadSplinePoly ? 5 : 6);
        o.real(40, e->defaultStartWidth());
        o.real(41, e->defaultEndWidth());
        o.normal(e->normal());
        for (unsigned i = 0; i < e->numVerts(); ++i) {
            AcDb2dVertex v;
            e->getVertexAt(i, v);
            o.raw(0, "VERTEX");
            o.handle(5, newHandle());
            o.handle(330, self);
            o.raw(100, "AcDbEntity");
            if (paper) o.integer(67, 1);
            o.text(8, layerName(ent->layerId()));
            o.raw(100, "AcDbVertex");
            o.raw(100, "AcDb2dVertex");
            o.point(10, AcGePoint3d(v.position().x, v.position().y, e->elevation()));
            if (v.startWidth() != 0.0 || v.endWidth() != 0.0) {
                o.real(40, v.startWidth());
                o.real(41, v.endWidth());
            }
            if (v.bulge() != 0.0) o.real(42, v.bulge());
            o.integer(70, 0);
        }
        o.raw(0, "SEQEND");
        o.handle(5, newHandle());
        o.handle(330, self);
        o.raw(100, "AcDbEntity");
        if (paper) o.integer(67, 1);
        o.text(8, layerName(ent->layerId()));
    } else {
        return false;
    }
    return true;
}

void DxfExporter::textGroups(DxfOutput& o, const AcDbText* e) {
    o.raw(100, "AcDbText");
    if (e->thickness() != 0.0) o.real(39, e->thickness());
    o.point(10, toOcs(e->position(), e->normal()));
    o.real(40, e->height());
    o.text(1, e->textStringConst());
    if (e->rotation() != 0.0) o.real(50, e->rotation() * kDegree);
    if (e->widthFactor() != 1.0) o.real(41, e->widthFactor());
    if (e->oblique() != 0.0) o.real(51, e->oblique() * kDegree);
    o.text(7, textStyleName(e->textStyle()));
    const int mirror = (e->isMirroredInX() ? 2 : 0) | (e->isMirroredInY() ? 4 : 0);
    if (mirror) o.integer(71, mirror);
    if (e->horizontalMode() != AcDb::kTextLeft) o.integer(72, int(e->horizontalMode()));
    if (!e->isDefaultAlignment()) o.point(11, toOcs(e->alignmentPoint(), e->normal()));
    o.normal(e->normal());
}

bool DxfExporter::writeTexts(DxfOutput& o, const AcDbEntity* ent, uint64_t owner, bool paper) {
    if (const auto* e = as<AcDbText>(ent)) {
        common(o, ent, "TEXT", owner, paper);
        textGroups(o, e);
        o.raw(100, "AcDbText");
        if (e->verticalMode() != AcDb::kTextBase) o.integer(73, int(e->verticalMode()));
    } else if (const auto* e = as<AcDbMText>(ent)) {
        common(o, ent, "MTEXT", owner, paper);
        o.raw(100, "AcDbMText");
        o.point(10, e->location());
        o.real(40, e->textHeight());
        o.real(41, e->width());
        o.integer(71, int(e->attachment()));
        o.integer(72, 1);
        const std::wstring& contents = e->contentsString();
        size_t at = 0;
        for (; contents.size() - at > kTextChunk; at += kTextChunk) o.text(3, contents.substr(at, kTextChunk));
        o.text(1, contents.substr(at));
        o.text(7, textStyleName(e->textStyle()));
        o.normal(e->normal());
        o.vector(11, e->direction());
        if (e->lineSpacingFactor() != 1.0) o.real(44, e->lineSpacingFactor());
        if (e->backgroundFill()) {
            o.integer(90, e->useBackgroundColorOn() ? 3 : 1);
            AcCmColor bg;
            e->getBackgroundFillColor(bg);
            o.integer(63, bg.isByACI() ? bg.colorIndex() : 7);
            double scale = 1.5;
            e->getBackgroundScaleFactor(scale);
            o.real(45, scale);
        }
    } else {
        return false;
    }
    return true;
}

bool DxfExporter::writePlanar(DxfOutput& o, const AcDbEntity* ent, uint64_t owner, bool paper) {
    if (const auto* e = as<AcDbSolid>(ent)) {
        common(o, ent, "SOLID", owner, paper);
        o.raw(100, "AcDbTrace");
        for (Adesk::UInt16 i = 0; i < 4; ++i) {
            AcGePoint3d p;
            e->getPointAt(i, p);
            o.point(10 + i, toOcs(p, e->normal()));
        }
        if (e->thickness() != 0.0) o.real(39, e->thickness());
        o.normal(e->normal());
    } else if (const auto* e = as<AcDbFace>(ent)) {
        common(o, ent, "3DFACE", owner, paper);
        o.raw(100, "AcDbFace");
        int hidden = 0;
        for (Adesk::UInt16 i = 0; i < 4; ++i) {
            AcGePoint3d p;
            e->getVertexAt(i, p);
            o.point(10 + i, p);
            Adesk::Boolean visible = true;
            e->isEdgeVisibleAt(i, visible);
            if (!visible) hidden |= 1 << i;
        }
        o.integer(70, hidden);
    } else if (const auto* e = as<AcDbXline>(ent)) {
        common(o, ent, "XLINE", owner, paper);
        o.raw(100, "AcDbXline");
        o.point(10, e->basePoint());
        o.vector(11, e->unitDir());
    } else if (const auto* e = as<AcDbLeader>(ent)) {
        writeLeader(o, e, owner, paper);
    } else if (const auto* e = as<AcDbBlockReference>(ent)) {
        const std::wstring name = blockNameOf(e->blockTableRecord());
        if (name.empty()) return false; // its block is not in the file: its geometry goes instead
        common(o, ent, "INSERT", owner, paper);
        o.raw(100, "AcDbBlockReference");
        if (e->attributeCount() > 0) o.integer(66, 1);
        o.text(2, name);
        o.point(10, toOcs(e->position(), e->normal()));
        const AcGeScale3d s = e->scaleFactors();
        if (s.sx != 1.0) o.real(41, s.sx);
        if (s.sy != 1.0) o.real(42, s.sy);
        if (s.sz != 1.0) o.real(43, s.sz);
        if (e->rotation() != 0.0) o.real(50, e->rotation() * kDegree);
        o.normal(e->normal());
    } else {
        return false;
    }
    return true;
}

bool DxfExporter::writeNative(DxfOutput& o, const AcDbEntity* ent, uint64_t owner, bool paper) {
    // Attribute definitions before texts: they are texts too.
    if (writeCurve(o, ent, owner, paper) || writeOldPolyline(o, ent, owner, paper)
        || writeAttributeDefinition(o, ent, owner, paper) || writeTexts(o, ent, owner, paper)
        || writePlanar(o, ent, owner, paper) || writeHatch(o, ent, owner, paper)) {
        xdata(o, ent, false);
        // An insertion's attributes follow it (and its extended data), closed by a SEQEND.
        if (const auto* ref = as<AcDbBlockReference>(ent)) writeAttributes(o, ref, paper);
        return true;
    }
    const auto* dim = as<AcDbDimension>(ent);
    if (!dim || as<AcDbArcDimension>(ent)) return false;
    writeDimension(o, dim, owner, paper);
    return true;
}

void DxfExporter::writeDimension(DxfOutput& o, const AcDbDimension* dim, uint64_t owner, bool paper) {
    common(o, dim, "DIMENSION", owner, paper);
    o.raw(100, "AcDbDimension");
    auto block = m_dimensionBlock.find(dim->objectId());
    if (block != m_dimensionBlock.end()) o.text(2, m_blocks[block->second].name);
    const AcGeVector3d n = dim->normal();
    int kind = 0;
    AcGePoint3d defPoint;
    if (const auto* d = as<AcDbRotatedDimension>(dim)) {
        // The dimension line's point where the second extension line meets it.
        const AcGeVector3d dir = AcGeVector3d(std::cos(d->rotation()), std::sin(d->rotation()), 0.0)
                                     .transformBy(AcGeMatrix3d::planeToWorld(n));
        defPoint = d->dimLinePoint() + dir * (d->xLine2Point() - d->dimLinePoint()).dotProduct(dir);
    } else if (const auto* d = as<AcDbAlignedDimension>(dim)) {
        kind = 1;
        const AcGeVector3d along = d->xLine2Point() - d->xLine1Point();
        const AcGeVector3d dir = along.isZeroLength() ? AcGeVector3d::kXAxis : along.normal();
        defPoint = d->dimLinePoint() + dir * (d->xLine2Point() - d->dimLinePoint()).dotProduct(dir);
    } else if (const auto* d = as<AcDb2LineAngularDimension>(dim)) {
        kind = 2;
        defPoint = d->xLine2End();
    } else if (const auto* d = as<AcDbDiametricDimension>(dim)) {
        kind = 3;
        defPoint = d->farChordPoint();
    } else if (const auto* d = as<AcDbRadialDimension>(dim)) {
        kind = 4;
        defPoint = d->center();
    } else if (const auto* d = as<AcDb3PointAngularDimension>(dim)) {
        kind = 5;
        defPoint = d->arcPoint();
    }
    o.point(10, defPoint);
    o.point(11, toOcs(dim->textPosition(), n));
    // A kept block was placed by the file that brought it; ours sit at the origin.
    if (block != m_dimensionBlock.end() && m_blocks[block->second].kept
        && !dim->dimBlockPosition().isEqualTo(AcGePoint3d::kOrigin))
        o.point(12, dim->dimBlockPosition());
    o.integer(70, kind | kOwnBlock | (dim->isUsingDefaultTextPosition() ? 0 : kUserText));
    if (!dim->dimensionTextString().empty()) o.text(1, dim->dimensionTextString());
    double measured = 0.0;
    if (dim->measurement(measured) == Acad::eOk) o.real(42, measured);
    if (dim->textRotation() != 0.0) o.real(53, dim->textRotation() * kDegree);
    if (dim->horizontalRotation() != 0.0) o.real(51, dim->horizontalRotation() * kDegree);
    o.normal(n);
    o.text(3, dimStyleName(dim->dimensionStyle()));
    if (const auto* d = as<AcDbRotatedDimension>(dim)) {
        o.raw(100, "AcDbAlignedDimension");
        o.point(13, d->xLine1Point());
        o.point(14, d->xLine2Point());
        o.real(50, d->rotation() * kDegree);
        if (d->oblique() != 0.0) o.real(52, d->oblique() * kDegree);
        o.raw(100, "AcDbRotatedDimension");
    } else if (const auto* d = as<AcDbAlignedDimension>(dim)) {
        o.raw(100, "AcDbAlignedDimension");
        o.point(13, d->xLine1Point());
        o.point(14, d->xLine2Point());
        if (d->oblique() != 0.0) o.real(52, d->oblique() * kDegree);
    } else if (const auto* d = as<AcDb2LineAngularDimension>(dim)) {
        o.raw(100, "AcDb2LineAngularDimension");
        o.point(13, d->xLine1Start());
        o.point(14, d->xLine1End());
        o.point(15, d->xLine2Start());
        o.point(16, toOcs(d->arcPoint(), n));
    } else if (const auto* d = as<AcDbDiametricDimension>(dim)) {
        o.raw(100, "AcDbDiametricDimension");
        o.point(15, d->chordPoint());
        o.real(40, d->leaderLength());
    } else if (const auto* d = as<AcDbRadialDimension>(dim)) {
        o.raw(100, "AcDbRadialDimension");
        o.point(15, d->chordPoint());
        o.real(40, d->leaderLength());
    } else if (const auto* d = as<AcDb3PointAngularDimension>(dim)) {
        o.raw(100, "AcDb3PointAngularDimension");
        o.point(13, d->xLine1Point());
        o.point(14, d->xLine2Point());
        o.point(15, d->centerPoint());
    }
    // ACAD's data carries the overrides; the dimension's other applications follow.
    dimOverrides(o, dim);
    xdata(o, dim, true);
}

} // namespace host::dxf
