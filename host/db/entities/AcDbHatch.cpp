#include "host/db/entities/AcDbHatch.h"

#include "host/db/filing/FilingChecks.h"
#include "host/gi/AcGiSubEntityTraits.h"
#include "host/gi/AcGiWorldDraw.h"
#include "host/gi/AcGiWorldGeometry.h"
#include "host/win/WinCrt.h"

#include <cmath>

ACRX_HOST_DEFINE_MEMBERS(AcDbHatch, AcDbEntity, L"HATCH", &host::makeObject<AcDbHatch>)

namespace {

constexpr Adesk::Int16 kHatchVersion = 1;
// Counts no drawing needs; more is a damaged record.
constexpr Adesk::UInt32 kMaxItems = 1u << 20;
// A pattern denser than this many pieces draws as its outline only (a grey area
// on paper, and a picture that never ends to compute).
constexpr size_t kMaxPatternSegments = 200000;

bool finite(const AcGeDoubleArray& values) {
    for (int i = 0; i < values.length(); ++i)
        if (!std::isfinite(values[i])) return false;
    return true;
}

void writePoints(AcDbDwgFiler* f, const std::vector<AcGePoint2d>& points) {
    f->writeUInt32(Adesk::UInt32(points.size()));
    for (const AcGePoint2d& p : points) f->writePoint2d(p);
}

void writeReals(AcDbDwgFiler* f, const std::vector<double>& values) {
    f->writeUInt32(Adesk::UInt32(values.size()));
    for (double v : values) f->writeDouble(v);
}

// False (and the filer's status set) for a count past the limit or a value that
// is not finite.
bool readPoints(AcDbDwgFiler* f, std::vector<AcGePoint2d>& points) {
    Adesk::UInt32 n = 0;
    if (f->readUInt32(&n) != Acad::eOk || n > kMaxItems) return false;
    points.resize(n);
    for (AcGePoint2d& p : points) f->readPoint2d(&p);
    for (const AcGePoint2d& p : points)
        if (!host::isFinite(p)) return false;
    return f->filerStatus() == Acad::eOk;
}

bool readReals(AcDbDwgFiler* f, std::vector<double>& values) {
    Adesk::UInt32 n = 0;
    if (f->readUInt32(&n) != Acad::eOk || n > kMaxItems) return false;
    values.resize(n);
    for (double& v : values) f->readDouble(&v);
    for (double v : values)
        if (!std::isfinite(v)) return false;
    return f->filerStatus() == Acad::eOk;
}

} // namespace

// ---- pattern -------------------------------------------------------------------------------

Acad::ErrorStatus AcDbHatch::setPattern(HatchPatternType type, const wchar_t* name) {
    if (!name || !*name || type < kUserDefined || type > kCustomDefined) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_patternType = type;
    m_patternName = name;
    return Acad::eOk;
}

bool AcDbHatch::isSolidFill() const { return _wcsicmp(m_patternName.c_str(), L"SOLID") == 0; }

Acad::ErrorStatus AcDbHatch::setPatternAngle(double angle) {
    if (!std::isfinite(angle)) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_patternAngle = angle;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbHatch::setPatternScale(double scale) {
    if (!std::isfinite(scale) || scale <= 0.0) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_patternScale = scale;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbHatch::setPatternDouble(bool isDouble) {
    assertWriteEnabled();
    m_patternDouble = isDouble;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbHatch::getPatternDefinitionAt(int index, double& angle, double& baseX, double& baseY,
                                                    double& offsetX, double& offsetY, AcGeDoubleArray& dashes) const {
    if (index < 0 || index >= numPatternDefinitions()) return Acad::eInvalidIndex;
    const host::HatchPatternLine& l = m_lines[size_t(index)];
    angle = l.angle;
    baseX = l.base.x;
    baseY = l.base.y;
    offsetX = l.offset.x;
    offsetY = l.offset.y;
    dashes.removeAll();
    for (double d : l.dashes) dashes.append(d);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbHatch::appendPatternDefinition(double angle, double baseX, double baseY, double offsetX,
                                                     double offsetY, const AcGeDoubleArray& dashes) {
    for (double v : {angle, baseX, baseY, offsetX, offsetY})
        if (!std::isfinite(v)) return Acad::eInvalidInput;
    if (!finite(dashes)) return Acad::eInvalidInput;
    assertWriteEnabled();
    host::HatchPatternLine l;
    l.angle = angle;
    l.base = AcGePoint2d(baseX, baseY);
    l.offset = AcGePoint2d(offsetX, offsetY);
    for (int i = 0; i < dashes.length(); ++i) l.dashes.push_back(dashes[i]);
    m_lines.push_back(std::move(l));
    return Acad::eOk;
}

Acad::ErrorStatus AcDbHatch::setHatchStyle(HatchStyle style) {
    if (style < kNormal || style > kIgnore) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_style = style;
    return Acad::eOk;
}

// ---- boundary ------------------------------------------------------------------------------

Acad::ErrorStatus AcDbHatch::appendLoop(Adesk::Int32 loopType, const AcGePoint2dArray& vertices,
                                        const AcGeDoubleArray& bulges) {
    if (vertices.length() < 2 || (bulges.length() != 0 && bulges.length() != vertices.length()) || !finite(bulges))
        return Acad::eInvalidInput;
    for (int i = 0; i < vertices.length(); ++i)
        if (!host::isFinite(vertices[i])) return Acad::eInvalidInput;
    assertWriteEnabled();
    Loop loop;
    loop.type = loopType | kPolyline;
    for (int i = 0; i < vertices.length(); ++i) loop.shape.vertices.push_back(vertices[i]);
    for (int i = 0; i < bulges.length(); ++i) loop.shape.bulges.push_back(bulges[i]);
    m_loops.push_back(std::move(loop));
    return Acad::eOk;
}

Acad::ErrorStatus AcDbHatch::getLoopAt(int index, Adesk::Int32& loopType, AcGePoint2dArray& vertices,
                                       AcGeDoubleArray& bulges) const {
    if (index < 0 || index >= numLoops()) return Acad::eInvalidIndex;
    const Loop& l = m_loops[size_t(index)];
    loopType = l.type;
    vertices.removeAll();
    bulges.removeAll();
    for (const AcGePoint2d& p : l.shape.vertices) vertices.append(p);
    for (double b : l.shape.bulges) bulges.append(b);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbHatch::setElevation(double elevation) {
    if (!std::isfinite(elevation)) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_elevation = elevation;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbHatch::setNormal(const AcGeVector3d& normal) {
    if (!host::isDirection(normal)) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_normal = normal.normal();
    return Acad::eOk;
}

// ---- drawing -------------------------------------------------------------------------------

AcGeMatrix3d AcDbHatch::planeToWorld() const {
    return AcGeMatrix3d::planeToWorld(m_normal) * AcGeMatrix3d::translation(AcGeVector3d(0.0, 0.0, m_elevation));
}

std::vector<std::vector<AcGePoint2d>> AcDbHatch::loopOutlines(double deviation) const {
    std::vector<std::vector<AcGePoint2d>> out;
    for (const Loop& l : m_loops) out.push_back(host::hatchLoopPoints(l.shape, deviation));
    return out;
}

bool AcDbHatch::subWorldDraw(AcGiWorldDraw* wd) {
    if (m_loops.empty()) return true;
    const AcGeMatrix3d toWorld = planeToWorld();
    auto world = [&toWorld](const AcGePoint2d& p) { return AcGePoint3d(p.x, p.y, 0.0).transformBy(toWorld); };
    const double deviation = wd->deviation(kAcGiMaxDevForBoundary, AcGePoint3d::kOrigin);
    const std::vector<std::vector<AcGePoint2d>> loops = loopOutlines(deviation);
    if (isSolidFill()) {
        std::vector<AcGePoint3d> pts;
        for (const AcGePoint2d& p : host::hatchJoinedOutline(loops)) pts.push_back(world(p));
        AcGiSubEntityTraits& traits = wd->subEntityTraits();
        const AcGiFillType fill = traits.fillType();
        traits.setFillType(kAcGiFillAlways);
        if (pts.size() >= 3) wd->geometry().polygon(uint32_t(pts.size()), pts.data());
        traits.setFillType(fill);
        return true;
    }
    for (const host::HatchPatternLine& line : m_lines) {
        const double spacing = 2.0 * deviation;
        for (const host::HatchSegment& s : host::hatchPatternSegments(loops, line, spacing, kMaxPatternSegments)) {
            const AcGePoint3d pts[2] = {world(s.first), world(s.second)};
            if (wd->geometry().polyline(2, pts, &m_normal)) return true;
        }
    }
    return true;
}

Acad::ErrorStatus AcDbHatch::subTransformBy(const AcGeMatrix3d& xform) {
    // The loops move in their plane: the plane's own axes carry the transform.
    const AcGeMatrix3d toWorld = planeToWorld();
    AcGeVector3d n = m_normal;
    n.transformBy(xform);
    if (n.isZeroLength()) return Acad::eCannotScaleNonUniformly;
    const AcGeVector3d normal = n.normal();
    const AcGeMatrix3d toPlane = AcGeMatrix3d::worldToPlane(normal);
    const AcGeMatrix3d m = toPlane * xform * toWorld;
    auto move = [&m](AcGePoint2d& p) {
        AcGePoint3d q(p.x, p.y, 0.0);
        q.transformBy(m);
        p = AcGePoint2d(q.x, q.y);
        return q.z;
    };
    assertWriteEnabled();
    double z = m_elevation;
    for (Loop& l : m_loops)
        for (AcGePoint2d& p : l.shape.vertices) z = move(p);
    // A mirror turns the loops round: arcs bend the other way.
    const AcGeVector3d x = AcGeVector3d::kXAxis, y = AcGeVector3d::kYAxis;
    const bool mirrored = (m * x).crossProduct(m * y).z < 0.0;
    if (mirrored)
        for (Loop& l : m_loops)
            for (double& b : l.shape.bulges) b = -b;
    const double scale = (m * x).length();
    for (host::HatchPatternLine& line : m_lines) {
        move(line.base);
        AcGeVector3d offset(line.offset.x, line.offset.y, 0.0), along(std::cos(line.angle), std::sin(line.angle), 0.0);
        offset.transformBy(m);
        along.transformBy(m);
        line.offset = AcGePoint2d(offset.x, offset.y);
        line.angle = std::atan2(along.y, along.x);
        for (double& dash : line.dashes) dash *= scale;
    }
    m_patternScale *= scale > 0.0 ? scale : 1.0;
    m_normal = normal;
    m_elevation = z;
    xDataTransformBy(xform);
    return Acad::eOk;
}

// ---- filing --------------------------------------------------------------------------------

Acad::ErrorStatus AcDbHatch::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbEntity::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeInt16(kHatchVersion);
    filer->writeString(m_patternName);
    filer->writeInt16(Adesk::Int16(m_patternType));
    filer->writeDouble(m_patternAngle);
    filer->writeDouble(m_patternScale);
    filer->writeBoolean(m_patternDouble);
    filer->writeInt16(Adesk::Int16(m_style));
    filer->writeDouble(m_elevation);
    filer->writeVector3d(m_normal);
    filer->writeUInt32(Adesk::UInt32(m_loops.size()));
    for (const Loop& l : m_loops) {
        filer->writeInt32(l.type);
        writePoints(filer, l.shape.vertices);
        writeReals(filer, l.shape.bulges);
    }
    filer->writeUInt32(Adesk::UInt32(m_lines.size()));
    for (const host::HatchPatternLine& l : m_lines) {
        filer->writeDouble(l.angle);
        filer->writePoint2d(l.base);
        filer->writePoint2d(l.offset);
        writeReals(filer, l.dashes);
    }
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbHatch::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbEntity::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    host::readVersion(filer, kHatchVersion);
    std::wstring name;
    Adesk::Int16 type = 0, style = 0;
    double angle = 0.0, scale = 1.0, elevation = 0.0;
    bool isDouble = false;
    AcGeVector3d normal;
    Adesk::UInt32 loopCount = 0, lineCount = 0;
    filer->readString(name);
    filer->readInt16(&type);
    filer->readDouble(&angle);
    filer->readDouble(&scale);
    filer->readBoolean(&isDouble);
    filer->readInt16(&style);
    filer->readDouble(&elevation);
    filer->readVector3d(&normal);
    filer->readUInt32(&loopCount);
    if (filer->filerStatus() != Acad::eOk) return filer->filerStatus();
    if (type < kUserDefined || type > kCustomDefined || style < kNormal || style > kIgnore || loopCount > kMaxItems
        || !std::isfinite(angle) || !std::isfinite(scale) || !(scale > 0.0) || !std::isfinite(elevation)
        || !host::isDirection(normal))
        return host::refuseRecord(filer);
    std::vector<Loop> loops(loopCount);
    for (Loop& l : loops) {
        filer->readInt32(&l.type);
        if (!readPoints(filer, l.shape.vertices) || !readReals(filer, l.shape.bulges)) return host::refuseRecord(filer);
    }
    if (filer->readUInt32(&lineCount) != Acad::eOk || lineCount > kMaxItems) return host::refuseRecord(filer);
    std::vector<host::HatchPatternLine> lines(lineCount);
    for (host::HatchPatternLine& l : lines) {
        filer->readDouble(&l.angle);
        filer->readPoint2d(&l.base);
        filer->readPoint2d(&l.offset);
        if (!readReals(filer, l.dashes) || !std::isfinite(l.angle) || !host::isFinite(l.base) || !host::isFinite(l.offset))
            return host::refuseRecord(filer);
    }
    m_patternName = std::move(name);
    m_patternType = HatchPatternType(type);
    m_patternAngle = angle;
    m_patternScale = scale;
    m_patternDouble = isDouble;
    m_style = HatchStyle(style);
    m_elevation = elevation;
    m_normal = normal.normal();
    m_loops = std::move(loops);
    m_lines = std::move(lines);
    return Acad::eOk;
}
