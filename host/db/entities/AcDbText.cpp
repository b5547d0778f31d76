#include "host/db/entities/AcDbText.h"

#include "host/db/database/AcDbDatabase.h"
#include "host/db/tables/AcDbTextStyleTableRecord.h"
#include "host/db/filing/FilingChecks.h"
#include "host/ge/AcGePoint2d.h"
#include "host/gi/AcGiTextStyle.h"
#include "host/gi/AcGiWorldDraw.h"
#include "host/gi/AcGiWorldGeometry.h"
#include "host/rx/acutString.h"
#include "host/win/FormatW.h"
#include "host/win/Transcript.h"

#include <cmath>

ACRX_HOST_DEFINE_MEMBERS(AcDbText, AcDbEntity, L"TEXT", &host::makeObject<AcDbText>)

namespace {
constexpr Adesk::Int16 kTextVersion = 1;
constexpr double kMaxOblique = 85.0 * 3.14159265358979323846 / 180.0;
} // namespace

namespace host {

AcGeVector3d textDirection(const AcGeVector3d& normal, double rotation) {
    AcGeVector3d x = acgeArbitraryXAxis(normal);
    AcGeVector3d y = normal.normal().crossProduct(x);
    return x * std::cos(rotation) + y * std::sin(rotation);
}

double textRotation(const AcGeVector3d& normal, const AcGeVector3d& direction) {
    AcGeVector3d x = acgeArbitraryXAxis(normal);
    AcGeVector3d y = normal.normal().crossProduct(x);
    double a = std::atan2(direction.dotProduct(y), direction.dotProduct(x));
    return a < 0.0 ? a + 2.0 * 3.14159265358979323846 : a;
}

void transformTextFrame(const AcGeMatrix3d& xform, AcGeVector3d& normal, AcGeVector3d& direction,
                        double& heightScale, double& widthScale) {
    AcGeVector3d up = normal.crossProduct(direction);
    AcGeVector3d d = xform * direction, u = xform * up;
    widthScale = d.length();
    heightScale = u.length();
    AcGeVector3d n = d.crossProduct(u);
    if (n.isZeroLength()) return;
    AcGeVector3d tn = xform * normal;
    if (n.dotProduct(tn) < 0.0) {
        // Mirrored: keep the transformed normal and let the text run the readable way.
        n = -n;
        if (d.x < -1e-12 || (std::fabs(d.x) <= 1e-12 && d.y < 0.0)) d = -d;
    }
    normal = n.normal();
    direction = d.normal();
}

} // namespace host

AcDbText::AcDbText(const AcGePoint3d& position, const wchar_t* text, AcDbObjectId style, double height,
                   double rotation)
    : m_position(position), m_alignment(position), m_rotation(std::isfinite(rotation) ? rotation : 0.0),
      m_height(height > 0.0 && std::isfinite(height) ? height : 2.5), m_text(text ? text : L""), m_style(style) {}

#define LINTARO_TEXT_SET(CHECK, ASSIGN) \
    if (!(CHECK)) return Acad::eInvalidInput; \
    assertWriteEnabled();                 \
    ASSIGN;                               \
    return Acad::eOk;

Acad::ErrorStatus AcDbText::setPosition(const AcGePoint3d& p) { LINTARO_TEXT_SET(host::isFinite(p), m_position = p) }
Acad::ErrorStatus AcDbText::setAlignmentPoint(const AcGePoint3d& p) {
    LINTARO_TEXT_SET(host::isFinite(p), m_alignment = p)
}
Acad::ErrorStatus AcDbText::setNormal(const AcGeVector3d& n) {
    LINTARO_TEXT_SET(host::isDirection(n), m_normal = n.normal())
}
Acad::ErrorStatus AcDbText::setThickness(double t) { LINTARO_TEXT_SET(std::isfinite(t), m_thickness = t) }
Acad::ErrorStatus AcDbText::setOblique(double a) {
    LINTARO_TEXT_SET(std::isfinite(a) && std::fabs(std::remainder(a, 2 * 3.14159265358979323846)) <= kMaxOblique,
                     m_oblique = a)
}
Acad::ErrorStatus AcDbText::setRotation(double a) { LINTARO_TEXT_SET(std::isfinite(a), m_rotation = a) }
Acad::ErrorStatus AcDbText::setHeight(double h) { LINTARO_TEXT_SET(std::isfinite(h) && h > 0.0, m_height = h) }
Acad::ErrorStatus AcDbText::setWidthFactor(double f) {
    LINTARO_TEXT_SET(std::isfinite(f) && f > 0.0, m_widthFactor = f)
}
Acad::ErrorStatus AcDbText::mirrorInX(bool m) { LINTARO_TEXT_SET(true, m_mirrorX = m) }
Acad::ErrorStatus AcDbText::mirrorInY(bool m) { LINTARO_TEXT_SET(true, m_mirrorY = m) }
Acad::ErrorStatus AcDbText::setTextString(const wchar_t* text) { LINTARO_TEXT_SET(text != nullptr, m_text = text) }
Acad::ErrorStatus AcDbText::setTextStyle(AcDbObjectId style) {
    LINTARO_TEXT_SET(style.isNull() || AcDbTextStyleTableRecord::cast(style.isValid() ? static_cast<AcDbStub*>(style)->object : nullptr),
                     m_style = style)
}
Acad::ErrorStatus AcDbText::setHorizontalMode(AcDb::TextHorzMode mode) {
    LINTARO_TEXT_SET(mode >= AcDb::kTextLeft && mode <= AcDb::kTextFit, m_hMode = mode)
}
Acad::ErrorStatus AcDbText::setVerticalMode(AcDb::TextVertMode mode) {
    LINTARO_TEXT_SET(mode >= AcDb::kTextBase && mode <= AcDb::kTextTop, m_vMode = mode)
}
#undef LINTARO_TEXT_SET

wchar_t* AcDbText::textString() const {
    wchar_t* out = nullptr;
    acutNewString(m_text.c_str(), out);
    return out;
}

void AcDbText::subSetDatabaseDefaults(AcDbDatabase* pDb) {
    if (m_style.isNull()) m_style = pDb->textstyle();
}

// ---- placement and drawing ---------------------------------------------------------------

AcGiTextStyle AcDbText::drawStyle() const {
    AcGiTextStyle style;
    fromAcDbTextStyle(style, m_style);
    style.setTextSize(m_height);
    style.setXScale(m_widthFactor);
    style.setObliquingAngle(m_oblique);
    style.setBackward(m_mirrorX);
    style.setUpsideDown(m_mirrorY);
    return style;
}

void AcDbText::placement(const std::wstring& text, AcGePoint3d& start, AcGeVector3d& direction,
                         AcGiTextStyle& style) const {
    style = drawStyle();
    direction = host::textDirection(m_normal, m_rotation);
    start = m_position;
    if (isDefaultAlignment()) return;
    AcGePoint2d lo, hi;
    style.extentsBox(text.c_str(), false, -1, false, lo, hi);
    double width = hi.x - lo.x;
    if (m_hMode == AcDb::kTextAlign || m_hMode == AcDb::kTextFit) {
        // Between the two points: fit stretches the width, align scales the whole text.
        AcGeVector3d span = m_alignment - m_position;
        span -= m_normal * span.dotProduct(m_normal);
        if (span.isZeroLength() || width <= 0.0) return;
        direction = span.normal();
        double scale = span.length() / width;
        if (m_hMode == AcDb::kTextFit)
            style.setXScale(m_widthFactor * scale);
        else
            style.setTextSize(m_height * scale);
        return;
    }
    double dx = 0.0, dy = 0.0;
    if (m_hMode == AcDb::kTextCenter || m_hMode == AcDb::kTextMid) dx = (lo.x + hi.x) / 2.0;
    if (m_hMode == AcDb::kTextRight) dx = hi.x;
    if (m_hMode == AcDb::kTextMid) dy = (lo.y + hi.y) / 2.0;
    else if (m_vMode == AcDb::kTextBottom) dy = lo.y;
    else if (m_vMode == AcDb::kTextVertMid) dy = m_height / 2.0;
    else if (m_vMode == AcDb::kTextTop) dy = m_height;
    AcGeVector3d up = m_normal.crossProduct(direction);
    start = m_alignment - direction * dx - up * dy;
}

Acad::ErrorStatus AcDbText::adjustAlignment(const AcDbDatabase*) {
    AcGePoint3d start;
    AcGeVector3d dir;
    AcGiTextStyle style;
    placement(m_text, start, dir, style);
    assertWriteEnabled();
    if (!isDefaultAlignment() && m_hMode != AcDb::kTextAlign && m_hMode != AcDb::kTextFit) m_position = start;
    return Acad::eOk;
}

bool AcDbText::subWorldDraw(AcGiWorldDraw* wd) { return drawString(wd, m_text); }

bool AcDbText::drawString(AcGiWorldDraw* wd, const std::wstring& text) const {
    AcGePoint3d start;
    AcGeVector3d dir;
    AcGiTextStyle style;
    placement(text, start, dir, style);
    wd->geometry().text(start, m_normal, dir, text.c_str(), -1, false, style);
    return true;
}

void AcDbText::subList() const {
    AcDbEntity::subList();
    host::transcriptWrite(host::FormatW(L"%20stext  %s\n%20sstart point, X=%.4f  Y=%.4f  Z=%.4f\n%20sheight %.4f\n",
                                        L"", m_text.c_str(), L"", m_position.x, m_position.y, m_position.z, L"",
                                        m_height));
}

Acad::ErrorStatus AcDbText::subTransformBy(const AcGeMatrix3d& xform) {
    AcGeVector3d n = m_normal, d = host::textDirection(m_normal, m_rotation);
    double hs = 1.0, ws = 1.0;
    host::transformTextFrame(xform, n, d, hs, ws);
    if (!(hs > 0.0) || !(ws > 0.0)) return Acad::eCannotScaleNonUniformly;
    assertWriteEnabled();
    m_position.transformBy(xform);
    m_alignment.transformBy(xform);
    m_normal = n;
    m_rotation = host::textRotation(n, d);
    m_height *= hs;
    m_widthFactor *= ws / hs;
    xDataTransformBy(xform);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbText::subGetGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray&, AcDbIntArray&) const {
    gripPoints.append(m_position);
    if (!isDefaultAlignment()) gripPoints.append(m_alignment);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbText::subMoveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) {
    if (indices.isEmpty()) return Acad::eOk;
    assertWriteEnabled();
    // Either grip moves the whole text, as the host does for one-line text.
    m_position += offset;
    m_alignment += offset;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbText::subGetOsnapPoints(AcDb::OsnapMode osnapMode, Adesk::GsMarker, const AcGePoint3d&,
                                              const AcGePoint3d&, const AcGeMatrix3d&, AcGePoint3dArray& snapPoints,
                                              AcDbIntArray&) const {
    if (osnapMode == AcDb::kOsModeIns) snapPoints.append(isDefaultAlignment() ? m_position : m_alignment);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbText::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbEntity::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeInt16(kTextVersion);
    filer->writePoint3d(m_position);
    filer->writePoint3d(m_alignment);
    filer->writeVector3d(m_normal);
    filer->writeDouble(m_thickness);
    filer->writeDouble(m_oblique);
    filer->writeDouble(m_rotation);
    filer->writeDouble(m_height);
    filer->writeDouble(m_widthFactor);
    filer->writeBoolean(m_mirrorX);
    filer->writeBoolean(m_mirrorY);
    filer->writeString(m_text);
    filer->writeHardPointerId(m_style);
    filer->writeInt16(Adesk::Int16(m_hMode));
    filer->writeInt16(Adesk::Int16(m_vMode));
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbText::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbEntity::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    host::readVersion(filer, kTextVersion);
    AcDbText t;
    AcDbHardPointerId style;
    Adesk::Int16 h = 0, v = 0;
    filer->readPoint3d(&t.m_position);
    filer->readPoint3d(&t.m_alignment);
    filer->readVector3d(&t.m_normal);
    filer->readDouble(&t.m_thickness);
    filer->readDouble(&t.m_oblique);
    filer->readDouble(&t.m_rotation);
    filer->readDouble(&t.m_height);
    filer->readDouble(&t.m_widthFactor);
    filer->readBoolean(&t.m_mirrorX);
    filer->readBoolean(&t.m_mirrorY);
    filer->readString(t.m_text);
    filer->readHardPointerId(&style);
    filer->readInt16(&h);
    filer->readInt16(&v);
    if (filer->filerStatus() != Acad::eOk) return filer->filerStatus();
    if (!host::isFinite(t.m_position) || !host::isFinite(t.m_alignment) || !host::isDirection(t.m_normal) ||
        !std::isfinite(t.m_thickness) || !std::isfinite(t.m_oblique) || !std::isfinite(t.m_rotation) ||
        !(t.m_height > 0.0) || !std::isfinite(t.m_height) || !(t.m_widthFactor > 0.0) ||
        !std::isfinite(t.m_widthFactor) || h < 0 || h > AcDb::kTextFit || v < 0 || v > AcDb::kTextTop)
        return host::refuseRecord(filer);
    m_position = t.m_position;
    m_alignment = t.m_alignment;
    m_normal = t.m_normal.normal();
    m_thickness = t.m_thickness;
    m_oblique = t.m_oblique;
    m_rotation = t.m_rotation;
    m_height = t.m_height;
    m_widthFactor = t.m_widthFactor;
    m_mirrorX = t.m_mirrorX;
    m_mirrorY = t.m_mirrorY;
    m_text = std::move(t.m_text);
    m_style = style;
    m_hMode = AcDb::TextHorzMode(h);
    m_vMode = AcDb::TextVertMode(v);
    return Acad::eOk;
}
