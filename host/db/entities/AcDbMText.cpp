#include "host/db/entities/AcDbMText.h"

#include "host/db/database/AcDbDatabase.h"
#include "host/db/entities/AcDbText.h"
#include "host/db/tables/AcDbTextStyleTableRecord.h"
#include "host/db/filing/FilingChecks.h"
#include "host/ge/AcGePoint2d.h"
#include "host/gi/AcGiSubEntityTraits.h"
#include "host/gi/AcGiTextStyle.h"
#include "host/gi/AcGiWorldDraw.h"
#include "host/gi/AcGiWorldGeometry.h"
#include "host/rx/acutString.h"

#include <algorithm>
#include <cmath>

ACRX_HOST_DEFINE_MEMBERS(AcDbMText, AcDbEntity, L"MTEXT", &host::makeObject<AcDbMText>)

namespace {
constexpr Adesk::Int16 kMTextVersion = 1;
// The host's line pitch: 5/3 of the text height at spacing factor 1.
constexpr double kLinePitch = 5.0 / 3.0;
} // namespace

#define LINTARO_MTEXT_SET(CHECK, ASSIGN) \
    if (!(CHECK)) return Acad::eInvalidInput; \
    assertWriteEnabled();                  \
    ASSIGN;                                \
    return Acad::eOk;

Acad::ErrorStatus AcDbMText::setLocation(const AcGePoint3d& p) { LINTARO_MTEXT_SET(host::isFinite(p), m_location = p) }
Acad::ErrorStatus AcDbMText::setNormal(const AcGeVector3d& n) {
    if (!host::isDirection(n)) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_normal = n.normal();
    // The direction stays in the plane.
    AcGeVector3d d = m_direction - m_normal * m_direction.dotProduct(m_normal);
    m_direction = d.isZeroLength() ? acgeArbitraryXAxis(m_normal) : d.normal();
    return Acad::eOk;
}
Acad::ErrorStatus AcDbMText::setDirection(const AcGeVector3d& dir) {
    AcGeVector3d d = host::isFinite(dir) ? dir - m_normal * dir.dotProduct(m_normal) : AcGeVector3d();
    LINTARO_MTEXT_SET(!d.isZeroLength(), m_direction = d.normal())
}
double AcDbMText::rotation() const { return host::textRotation(m_normal, m_direction); }
Acad::ErrorStatus AcDbMText::setRotation(double a) {
    LINTARO_MTEXT_SET(std::isfinite(a), m_direction = host::textDirection(m_normal, a))
}
Acad::ErrorStatus AcDbMText::setWidth(double w) { LINTARO_MTEXT_SET(std::isfinite(w) && w >= 0.0, m_width = w) }
Acad::ErrorStatus AcDbMText::setTextHeight(double h) {
    LINTARO_MTEXT_SET(std::isfinite(h) && h > 0.0, m_textHeight = h)
}
Acad::ErrorStatus AcDbMText::setAttachment(AttachmentPoint a) {
    LINTARO_MTEXT_SET(a >= kTopLeft && a <= kBottomRight, m_attachment = a)
}
Acad::ErrorStatus AcDbMText::setTextStyle(AcDbObjectId style) {
    LINTARO_MTEXT_SET(style.isNull() || (style.isValid() && AcDbTextStyleTableRecord::cast(static_cast<AcDbStub*>(style)->object)),
                      m_style = style)
}
Acad::ErrorStatus AcDbMText::setLineSpacingFactor(double f) {
    LINTARO_MTEXT_SET(std::isfinite(f) && f >= 0.25 && f <= 4.0, m_lineSpacing = f)
}
Acad::ErrorStatus AcDbMText::setContents(const wchar_t* text) { LINTARO_MTEXT_SET(text != nullptr, m_contents = text) }
Acad::ErrorStatus AcDbMText::setBackgroundFill(bool enable) { LINTARO_MTEXT_SET(true, m_bgFill = enable) }
Acad::ErrorStatus AcDbMText::setBackgroundFillColor(const AcCmColor& c) { LINTARO_MTEXT_SET(true, m_bgColor = c) }
Acad::ErrorStatus AcDbMText::setBackgroundScaleFactor(double f) {
    LINTARO_MTEXT_SET(std::isfinite(f) && f >= 1.0 && f <= 5.0, m_bgScale = f)
}
Acad::ErrorStatus AcDbMText::setUseBackgroundColor(bool enable) {
    LINTARO_MTEXT_SET(true, m_bgUseDrawingColor = enable)
}
#undef LINTARO_MTEXT_SET

Acad::ErrorStatus AcDbMText::getBackgroundFillColor(AcCmColor& color) const {
    color = m_bgColor;
    return m_bgFill ? Acad::eOk : Acad::eNotApplicable;
}

Acad::ErrorStatus AcDbMText::getBackgroundScaleFactor(double& factor) const {
    factor = m_bgScale;
    return Acad::eOk;
}

wchar_t* AcDbMText::contents() const {
    wchar_t* out = nullptr;
    acutNewString(m_contents.c_str(), out);
    return out;
}

wchar_t* AcDbMText::text() const {
    std::wstring joined;
    for (const std::wstring& l : host::mtextPlainLines(m_contents)) joined += (joined.empty() ? L"" : L"\r\n") + l;
    wchar_t* out = nullptr;
    acutNewString(joined.c_str(), out);
    return out;
}

void AcDbMText::subSetDatabaseDefaults(AcDbDatabase* pDb) {
    if (m_style.isNull()) m_style = pDb->textstyle();
}

// ---- layout and drawing ---------------------------------------------------------------------

std::vector<AcDbMText::Line> AcDbMText::layout() const {
    AcGiTextStyle style;
    fromAcDbTextStyle(style, m_style);
    style.setTextSize(m_textHeight);
    std::vector<Line> lines;
    for (const std::wstring& t : host::mtextPlainLines(m_contents)) {
        AcGePoint2d lo, hi;
        style.extentsBox(t.c_str(), false, -1, true, lo, hi);
        lines.push_back({t, AcGePoint3d(), t.empty() ? 0.0 : hi.x});
    }
    const double pitch = m_textHeight * kLinePitch * m_lineSpacing;
    const double blockHeight = m_textHeight + pitch * double(lines.size() - 1);
    int col = (m_attachment - 1) % 3, row = (m_attachment - 1) / 3;
    // The first baseline's height below the top of the block.
    double top = row == 0 ? 0.0 : row == 1 ? blockHeight / 2.0 : blockHeight;
    AcGeVector3d up = m_normal.crossProduct(m_direction);
    for (size_t i = 0; i < lines.size(); ++i) {
        double y = top - m_textHeight - pitch * double(i);
        double x = col == 0 ? 0.0 : col == 1 ? -lines[i].width / 2.0 : -lines[i].width;
        lines[i].start = m_location + m_direction * x + up * y;
    }
    return lines;
}

double AcDbMText::actualHeight() const {
    size_t n = host::mtextPlainLines(m_contents).size();
    return m_textHeight + m_textHeight * kLinePitch * m_lineSpacing * double(n - 1);
}

double AcDbMText::actualWidth() const {
    double w = 0.0;
    for (const Line& l : layout()) w = std::max(w, l.width);
    return w;
}

bool AcDbMText::subWorldDraw(AcGiWorldDraw* wd) {
    AcGiTextStyle style;
    fromAcDbTextStyle(style, m_style);
    style.setTextSize(m_textHeight);
    std::vector<Line> lines = layout();
    if (m_bgFill && !lines.empty()) {
        // The mask: the text's box grown by (factor - 1) times the height all round.
        double margin = (m_bgScale - 1.0) * m_textHeight;
        AcGeVector3d up = m_normal.crossProduct(m_direction);
        double left = 0, right = 0, bottom = 0, topY = 0;
        bool first = true;
        for (const Line& l : lines) {
            double x = (l.start - m_location).dotProduct(m_direction);
            double y = (l.start - m_location).dotProduct(up);
            left = first ? x : std::min(left, x);
            right = first ? x + l.width : std::max(right, x + l.width);
            bottom = first ? y : std::min(bottom, y);
            topY = first ? y + m_textHeight : std::max(topY, y + m_textHeight);
            first = false;
        }
        AcGePoint3d box[4] = {m_location + m_direction * (left - margin) + up * (bottom - margin),
                              m_location + m_direction * (right + margin) + up * (bottom - margin),
                              m_location + m_direction * (right + margin) + up * (topY + margin),
                              m_location + m_direction * (left - margin) + up * (topY + margin)};
        AcGiSubEntityTraits& traits = wd->subEntityTraits();
        AcGiColor old = traits.trueColor();
        AcGiFillType oldFill = traits.fillType();
        if (!m_bgUseDrawingColor) traits.setTrueColor(m_bgColor);
        traits.setFillType(kAcGiFillAlways);
        wd->geometry().polygon(4, box);
        traits.setFillType(oldFill);
        traits.setTrueColor(old);
    }
    for (const Line& l : lines)
        if (!l.text.empty()) wd->geometry().text(l.start, m_normal, m_direction, l.text.c_str(), -1, true, style);
    return true;
}

Acad::ErrorStatus AcDbMText::subTransformBy(const AcGeMatrix3d& xform) {
    AcGeVector3d n = m_normal, d = m_direction;
    double hs = 1.0, ws = 1.0;
    host::transformTextFrame(xform, n, d, hs, ws);
    if (!(hs > 0.0)) return Acad::eCannotScaleNonUniformly;
    assertWriteEnabled();
    m_location.transformBy(xform);
    m_normal = n;
    m_direction = d;
    m_textHeight *= hs;
    m_width *= ws;
    xDataTransformBy(xform);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbMText::subExplode(AcDbVoidPtrArray& entitySet) const {
    // One text per line, at the line's baseline start.
    for (const Line& l : layout()) {
        if (l.text.empty()) continue;
        auto* t = new AcDbText(l.start, l.text.c_str(), m_style, m_textHeight, 0.0);
        t->setNormal(m_normal);
        t->setRotation(rotation());
        t->setPropertiesFrom(this);
        entitySet.append(t);
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbMText::subGetGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray&, AcDbIntArray&) const {
    gripPoints.append(m_location);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbMText::subMoveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) {
    if (indices.isEmpty()) return Acad::eOk;
    return setLocation(m_location + offset);
}

Acad::ErrorStatus AcDbMText::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbEntity::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeInt16(kMTextVersion);
    filer->writePoint3d(m_location);
    filer->writeVector3d(m_normal);
    filer->writeVector3d(m_direction);
    filer->writeDouble(m_width);
    filer->writeDouble(m_textHeight);
    filer->writeDouble(m_lineSpacing);
    filer->writeInt16(Adesk::Int16(m_attachment));
    filer->writeHardPointerId(m_style);
    filer->writeString(m_contents);
    filer->writeBoolean(m_bgFill);
    filer->writeBoolean(m_bgUseDrawingColor);
    m_bgColor.dwgOut(filer);
    filer->writeDouble(m_bgScale);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbMText::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbEntity::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    host::readVersion(filer, kMTextVersion);
    AcDbMText t;
    Adesk::Int16 attach = 0;
    AcDbHardPointerId style;
    filer->readPoint3d(&t.m_location);
    filer->readVector3d(&t.m_normal);
    filer->readVector3d(&t.m_direction);
    filer->readDouble(&t.m_width);
    filer->readDouble(&t.m_textHeight);
    filer->readDouble(&t.m_lineSpacing);
    filer->readInt16(&attach);
    filer->readHardPointerId(&style);
    filer->readString(t.m_contents);
    filer->readBoolean(&t.m_bgFill);
    filer->readBoolean(&t.m_bgUseDrawingColor);
    t.m_bgColor.dwgIn(filer);
    filer->readDouble(&t.m_bgScale);
    if (filer->filerStatus() != Acad::eOk) return filer->filerStatus();
    if (!host::isFinite(t.m_location) || !host::isDirection(t.m_normal) || !host::isDirection(t.m_direction) ||
        !std::isfinite(t.m_width) || t.m_width < 0 || !(t.m_textHeight > 0) || !std::isfinite(t.m_textHeight) ||
        !(t.m_lineSpacing > 0) || !std::isfinite(t.m_lineSpacing) || attach < kTopLeft || attach > kBottomRight ||
        !std::isfinite(t.m_bgScale))
        return host::refuseRecord(filer);
    m_location = t.m_location;
    m_normal = t.m_normal.normal();
    m_direction = t.m_direction.normal();
    m_width = t.m_width;
    m_textHeight = t.m_textHeight;
    m_lineSpacing = t.m_lineSpacing;
    m_attachment = AttachmentPoint(attach);
    m_style = style;
    m_contents = std::move(t.m_contents);
    m_bgFill = t.m_bgFill;
    m_bgUseDrawingColor = t.m_bgUseDrawingColor;
    m_bgColor = t.m_bgColor;
    m_bgScale = t.m_bgScale;
    return Acad::eOk;
}
