#include "host/db/dimensions/AcDbDimension.h"

#include "host/db/dimensions/AcDb2LineAngularDimension.h"
#include "host/db/dimensions/AcDb3PointAngularDimension.h"
#include "host/db/dimensions/AcDbAlignedDimension.h"
#include "host/db/dimensions/AcDbArcDimension.h"
#include "host/db/dimensions/AcDbDiametricDimension.h"
#include "host/db/dimensions/AcDbRadialDimension.h"
#include "host/db/dimensions/AcDbRotatedDimension.h"
#include "host/db/tables/AcDbBlockTable.h"
#include "host/db/tables/AcDbBlockTableRecord.h"
#include "host/db/database/AcDbDatabase.h"
#include "host/db/tables/AcDbDimStyleTable.h"
#include "host/db/dimensions/AcDbDimensionFormat.h"
#include "host/db/filing/AcDbDwgFiler.h"
#include "host/db/database/AcDbHostApplicationServices.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/rx/acutString.h"
#include "host/win/FormatW.h"
#include "host/win/Transcript.h"

#include <cmath>
#include <vector>

ACRX_HOST_DEFINE_MEMBERS(AcDbDimension, AcDbEntity, L"DIMENSION", nullptr)

namespace {

// 2: the digest of the state in which the graphics block was kept.
constexpr Adesk::Int16 kDimensionVersion = 2;
constexpr Adesk::Int16 kDimensionVersionNoKeptBlock = 1;

// Drawing files find classes by name, and the host's classes otherwise register only
// when first used: a drawing read before any dimension was made would hold proxies.
const bool kDimensionClassesRegistered = [] {
    AcDbRotatedDimension::desc();
    AcDbAlignedDimension::desc();
    AcDb2LineAngularDimension::desc();
    AcDb3PointAngularDimension::desc();
    AcDbRadialDimension::desc();
    AcDbDiametricDimension::desc();
    AcDbArcDimension::desc();
    return true;
}();

bool finiteVector(const AcGeVector3d& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

// The style a dimension draws with: its own, else the database's current one.
// Looked at without opening, so that drawing never collides with an editor of the style.
const AcDbDimStyleTableRecord* peekStyle(AcDbObjectId styleId, const AcDbDatabase* db) {
    AcDbObjectId id = styleId;
    // A style of another drawing (a dimension made while that one was current) does not count.
    if ((!id.isValid() || id.isErased() || (db && id.database() != db)) && db) id = db->dimstyle();
    if (!id.isValid() || id.isErased()) return nullptr;
    return AcDbDimStyleTableRecord::cast(static_cast<AcDbStub*>(id)->object);
}

// An override's value as LIST shows it: numbers in the C locale, switches On/Off,
// blocks and styles by name.
std::wstring listedValue(const host::DimVarValue& value) {
    if (const double* d = std::get_if<double>(&value)) return host::FormatW(L"%.4f", *d);
    if (const int* i = std::get_if<int>(&value)) return host::FormatW(L"%d", *i);
    if (const bool* b = std::get_if<bool>(&value)) return *b ? L"On" : L"Off";
    if (const wchar_t* c = std::get_if<wchar_t>(&value)) return std::wstring(1, *c);
    if (const std::wstring* t = std::get_if<std::wstring>(&value)) return L"\"" + *t + L"\"";
    if (const AcDbObjectId* id = std::get_if<AcDbObjectId>(&value)) {
        if (id->isNull()) return L"\"\"";
        const AcDbObject* o = id->isValid() ? static_cast<AcDbStub*>(*id)->object : nullptr;
        const auto* record = AcDbSymbolTableRecord::cast(o);
        return record ? L"\"" + record->name() + L"\"" : L"?";
    }
    if (const AcCmColor* c = std::get_if<AcCmColor>(&value)) return host::FormatW(L"%d", c->colorIndex());
    if (const AcDb::LineWeight* w = std::get_if<AcDb::LineWeight>(&value)) return host::FormatW(L"%d", int(*w));
    return L"?";
}

} // namespace

AcDbDimension::AcDbDimension() {
    // A new dimension takes the current style of the drawing being worked on.
    if (AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase()) m_style = db->dimstyle();
}

bool AcDbDimension::finitePoint(const AcGePoint3d& p) {
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

Acad::ErrorStatus AcDbDimension::setDefPoint(AcGePoint3d& member, const AcGePoint3d& value) {
    if (!finitePoint(value)) return Acad::eInvalidInput;
    assertWriteEnabled();
    member = value;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDimension::filePoints(AcDbDwgFiler* filer, Adesk::Int16 version,
                                            std::initializer_list<const AcGePoint3d*> points,
                                            std::initializer_list<double> reals) {
    filer->writeInt16(version);
    for (const AcGePoint3d* p : points) filer->writePoint3d(*p);
    for (double r : reals) filer->writeDouble(r);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbDimension::readPoints(AcDbDwgFiler* filer, Adesk::Int16 version,
                                            std::initializer_list<AcGePoint3d*> points,
                                            std::initializer_list<double*> reals) {
    Adesk::Int16 filed = 0;
    filer->readInt16(&filed);
    if (filer->filerStatus() == Acad::eOk && filed != version) filer->setFilerStatus(Acad::eInvalidDwgVersion);
    std::vector<AcGePoint3d> p(points.size());
    std::vector<double> r(reals.size());
    for (AcGePoint3d& q : p) filer->readPoint3d(&q);
    for (double& x : r) filer->readDouble(&x);
    if (filer->filerStatus() != Acad::eOk) return filer->filerStatus();
    for (const AcGePoint3d& q : p) {
        if (!finitePoint(q)) {
            filer->setFilerStatus(Acad::eInvalidInput);
            return Acad::eInvalidInput;
        }
    }
    for (double x : r) {
        if (!std::isfinite(x)) {
            filer->setFilerStatus(Acad::eInvalidInput);
            return Acad::eInvalidInput;
        }
    }
    size_t i = 0;
    for (AcGePoint3d* q : points) *q = p[i++];
    i = 0;
    for (double* x : reals) *x = r[i++];
    return Acad::eOk;
}

void AcDbDimension::listPoint(const wchar_t* label, const AcGePoint3d& p) {
    host::transcriptWrite(host::FormatW(L"%20s%s: X=%.4f  Y=%.4f  Z=%.4f\n", L"", label, p.x, p.y, p.z));
}

// ---- text -----------------------------------------------------------------------------

AcGePoint3d AcDbDimension::textPosition() const {
    if (!m_defaultTextPosition) return m_textPosition;
    const host::DimGraphics g = graphics();
    if (g.texts.empty()) return m_textPosition;
    const AcGePoint2d c = g.texts.front().center;
    return AcGePoint3d(c.x, c.y, 0.0).transformBy(planeToWorld());
}

Acad::ErrorStatus AcDbDimension::setTextPosition(const AcGePoint3d& position) {
    if (!finitePoint(position)) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_textPosition = position;
    m_defaultTextPosition = false;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDimension::useSetTextPosition() {
    if (!m_defaultTextPosition) return Acad::eOk;
    // The text stays where it is drawn now; from here on the position is the user's.
    const AcGePoint3d here = textPosition();
    assertWriteEnabled();
    m_textPosition = here;
    m_defaultTextPosition = false;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDimension::useDefaultTextPosition() {
    assertWriteEnabled();
    m_defaultTextPosition = true;
    return Acad::eOk;
}

wchar_t* AcDbDimension::dimensionText() const {
    wchar_t* out = nullptr;
    acutNewString(m_text.c_str(), out);
    return out;
}

Acad::ErrorStatus AcDbDimension::setDimensionText(const wchar_t* text) {
    assertWriteEnabled();
    m_text = text ? text : L"";
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDimension::setTextRotation(double angle) {
    if (!std::isfinite(angle)) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_textRotation = angle;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDimension::setHorizontalRotation(double angle) {
    if (!std::isfinite(angle)) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_horizontalRotation = angle;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDimension::setNormal(const AcGeVector3d& normal) {
    if (!finiteVector(normal) || normal.isZeroLength()) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_normal = normal.normal();
    return Acad::eOk;
}

double AcDbDimension::elevation() const {
    AcGePoint3d p = planePoint();
    return p.transformBy(AcGeMatrix3d::worldToPlane(m_normal)).z;
}

AcGeMatrix3d AcDbDimension::planeToWorld() const {
    return AcGeMatrix3d::planeToWorld(m_normal) * AcGeMatrix3d::translation(AcGeVector3d(0.0, 0.0, elevation()));
}

AcGePoint2d AcDbDimension::toPlane(const AcGePoint3d& point) const {
    AcGePoint3d p = point;
    p.transformBy(AcGeMatrix3d::worldToPlane(m_normal));
    return {p.x, p.y};
}

// ---- measurement and text ----------------------------------------------------------------

Acad::ErrorStatus AcDbDimension::measurement(double& value) const {
    const double m = measureGeometry();
    if (!std::isfinite(m)) return Acad::eInvalidInput;
    value = m;
    return Acad::eOk;
}

std::wstring AcDbDimension::formatValue(double measurement, const host::DimVars& vars) const {
    return host::applyDimPost(host::formatDimLength(measurement, vars), vars.dimpost);
}

Acad::ErrorStatus AcDbDimension::formatMeasurement(std::wstring& formatted, double measurement,
                                                   const wchar_t* dimensionText) const {
    if (!std::isfinite(measurement)) return Acad::eInvalidInput;
    formatted = host::applyDimensionText(dimensionText ? dimensionText : L"",
                                         formatValue(measurement, effectiveDimVars()));
    return Acad::eOk;
}

std::wstring AcDbDimension::displayText() const {
    if (host::isSuppressedDimensionText(m_text)) return L"";
    double m = 0.0;
    if (measurement(m) != Acad::eOk) return L"";
    std::wstring text;
    formatMeasurement(text, m, m_text.c_str());
    return text;
}

// ---- style and overrides ----------------------------------------------------------------

Acad::ErrorStatus AcDbDimension::setDimensionStyle(AcDbObjectId styleId) {
    const auto* rec = styleId.isValid() ? AcDbDimStyleTableRecord::cast(static_cast<AcDbStub*>(styleId)->object)
                                        : nullptr;
    if (!rec || styleId.isErased()) return Acad::eInvalidInput;
    if (database() && styleId.database() != database()) return Acad::eWrongDatabase;
    assertWriteEnabled();
    m_style = styleId;
    return Acad::eOk;
}

host::DimVars AcDbDimension::effectiveDimVars() const {
    const AcDbDimStyleTableRecord* rec = peekStyle(m_style, databaseToUse());
    return m_overrides.applyTo(rec ? host::dimVarsOf(*rec) : host::DimVars());
}

Acad::ErrorStatus AcDbDimension::getDimstyleData(AcDbDimStyleTableRecord*& record) const {
    auto* made = new AcDbDimStyleTableRecord();
    host::applyDimVars(effectiveDimVars(), *made);
    if (const AcDbDimStyleTableRecord* style = peekStyle(m_style, databaseToUse())) made->setName(style->name().c_str());
    record = made;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDimension::setDimstyleData(const AcDbDimStyleTableRecord* record) {
    if (!record) return Acad::eNullObjectPointer;
    const AcDbDimStyleTableRecord* style = peekStyle(m_style, databaseToUse());
    const host::DimVars base = style ? host::dimVarsOf(*style) : host::DimVars();
    const host::DimVars wanted = host::dimVarsOf(*record);
    host::DimVarOverrides overrides;
    for (int i = 0; i < host::kDimVarCount; ++i)
        if (wanted.get(i) != base.get(i)) overrides.set(i, wanted.get(i));
    assertWriteEnabled();
    m_overrides = overrides;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDimension::setDimstyleData(AcDbObjectId recordId) {
    AcDbDimStyleTableRecord* rec = nullptr;
    Acad::ErrorStatus es = acdbOpenObject(rec, recordId, AcDb::kForRead);
    if (es != Acad::eOk) return es;
    es = setDimstyleData(rec);
    rec->close();
    return es;
}

Acad::ErrorStatus AcDbDimension::removeDimstyleOverrides() {
    assertWriteEnabled();
    m_overrides.clearAll();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDimension::setDimVarOverride(int index, const host::DimVarValue& value) {
    host::DimVarOverrides changed = m_overrides;
    if (!changed.set(index, value)) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_overrides = changed;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDimension::clearDimVarOverride(int index) {
    if (index < 0 || index >= host::kDimVarCount) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_overrides.clear(index);
    return Acad::eOk;
}

#define LINTARO_DIMENSION_VAR_DEF(TYPE, GET, SET, DEFAULT)                                        \
    TYPE AcDbDimension::GET() const {                                                             \
        if (m_overrides.has(host::kDimVar_##GET)) return m_overrides.values().GET;                \
        const AcDbDimStyleTableRecord* rec = peekStyle(m_style, databaseToUse());                 \
        return rec ? rec->GET() : host::DimVars().GET;                                            \
    }                                                                                             \
    Acad::ErrorStatus AcDbDimension::SET(TYPE value) { return setDimVarOverride(host::kDimVar_##GET, value); }
LINTARO_DIMSTYLE_VARS(LINTARO_DIMENSION_VAR_DEF)
#undef LINTARO_DIMENSION_VAR_DEF

const wchar_t* AcDbDimension::dimpost() const {
    if (m_overrides.has(host::kDimVar_dimpost)) return m_overrides.values().dimpost.c_str();
    const AcDbDimStyleTableRecord* rec = peekStyle(m_style, databaseToUse());
    return rec ? rec->dimpost() : L"";
}

Acad::ErrorStatus AcDbDimension::setDimpost(const wchar_t* value) {
    return setDimVarOverride(host::kDimVar_dimpost, std::wstring(value ? value : L""));
}

const wchar_t* AcDbDimension::dimapost() const {
    if (m_overrides.has(host::kDimVar_dimapost)) return m_overrides.values().dimapost.c_str();
    const AcDbDimStyleTableRecord* rec = peekStyle(m_style, databaseToUse());
    return rec ? rec->dimapost() : L"";
}

Acad::ErrorStatus AcDbDimension::setDimapost(const wchar_t* value) {
    return setDimVarOverride(host::kDimVar_dimapost, std::wstring(value ? value : L""));
}

Acad::ErrorStatus AcDbDimension::setArrowByName(int index, const wchar_t* blockName) {
    AcDbObjectId id;
    Acad::ErrorStatus es = host::dimArrowBlockId(databaseToUse(), blockName, id);
    if (es != Acad::eOk) return es;
    return setDimVarOverride(index, id);
}

Acad::ErrorStatus AcDbDimension::setDimblk(const wchar_t* name) { return setArrowByName(host::kDimVar_dimblk, name); }
Acad::ErrorStatus AcDbDimension::setDimblk1(const wchar_t* name) { return setArrowByName(host::kDimVar_dimblk1, name); }
Acad::ErrorStatus AcDbDimension::setDimblk2(const wchar_t* name) { return setArrowByName(host::kDimVar_dimblk2, name); }
Acad::ErrorStatus AcDbDimension::setDimldrblk(const wchar_t* name) {
    return setArrowByName(host::kDimVar_dimldrblk, name);
}

// ---- graphics block ---------------------------------------------------------------------

Acad::ErrorStatus AcDbDimension::setDimBlockId(const AcDbObjectId& blockId) {
    if (!blockId.isNull() && !AcDbBlockTableRecord::cast(blockId.isValid() ? static_cast<AcDbStub*>(blockId)->object
                                                                            : nullptr))
        return Acad::eInvalidInput;
    assertWriteEnabled();
    m_block = blockId;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDimension::setDimBlockPosition(const AcGePoint3d& position) {
    if (!finitePoint(position)) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_blockPosition = position;
    return Acad::eOk;
}

// ---- editing, listing, defaults ----------------------------------------------------------

Acad::ErrorStatus AcDbDimension::subTransformBy(const AcGeMatrix3d& xform) {
    AcGeVector3d n = m_normal;
    n.transformBy(xform);
    if (n.isZeroLength()) return Acad::eCannotScaleNonUniformly;
    assertWriteEnabled();
    Acad::ErrorStatus es = transformPoints(xform);
    if (es != Acad::eOk) return es;
    m_normal = n.normal();
    m_textPosition.transformBy(xform);
    m_blockPosition.transformBy(xform);
    xDataTransformBy(xform);
    return Acad::eOk;
}

void AcDbDimension::subList() const {
    AcDbEntity::subList();
    const AcDbDimStyleTableRecord* style = peekStyle(m_style, databaseToUse());
    host::transcriptWrite(host::FormatW(L"%20sdimension style: \"%s\"\n", L"", style ? style->name().c_str() : L""));
    listPoints();
    double m = 0.0;
    measurement(m);
    host::transcriptWrite(host::FormatW(L"%20sMeasurement: %s\n", L"", formatValue(m, effectiveDimVars()).c_str()));
    if (!m_text.empty()) host::transcriptWrite(host::FormatW(L"%20sText override: %s\n", L"", m_text.c_str()));
    if (m_overrides.empty()) return;
    host::transcriptWrite(host::FormatW(L"%20sdimension style overrides:\n", L""));
    for (int index : m_overrides.indices())
        host::transcriptWrite(host::FormatW(L"%22s%s %s\n", L"", host::dimVarInfo(index).dxfName,
                                            listedValue(m_overrides.values().get(index)).c_str()));
}

void AcDbDimension::subSetDatabaseDefaults(AcDbDatabase* pDb) {
    if (pDb && pDb->dimstyle().isValid()) m_style = pDb->dimstyle();
}

// ---- filing -------------------------------------------------------------------------------

Acad::ErrorStatus AcDbDimension::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbEntity::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeInt16(kDimensionVersion);
    filer->writeHardPointerId(m_style);
    filer->writeHardPointerId(m_block);
    filer->writePoint3d(m_blockPosition);
    filer->writePoint3d(m_textPosition);
    filer->writeBoolean(m_defaultTextPosition);
    filer->writeString(m_text);
    filer->writeDouble(m_textRotation);
    filer->writeDouble(m_horizontalRotation);
    filer->writeVector3d(m_normal);
    m_overrides.dwgOut(filer);
    if (!m_digesting) filer->writeUInt64(m_keptBlockState);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbDimension::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbEntity::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    Adesk::Int16 version = 0;
    AcDbHardPointerId style, block;
    AcGePoint3d blockPos, textPos;
    bool useDefault = true;
    std::wstring text;
    double textRot = 0.0, horizRot = 0.0;
    AcGeVector3d normal;
    host::DimVarOverrides overrides;
    filer->readInt16(&version);
    if (filer->filerStatus() == Acad::eOk && version != kDimensionVersion && version != kDimensionVersionNoKeptBlock)
        filer->setFilerStatus(Acad::eInvalidDwgVersion);
    filer->readHardPointerId(&style);
    filer->readHardPointerId(&block);
    filer->readPoint3d(&blockPos);
    filer->readPoint3d(&textPos);
    filer->readBoolean(&useDefault);
    filer->readString(text);
    filer->readDouble(&textRot);
    filer->readDouble(&horizRot);
    filer->readVector3d(&normal);
    if (filer->filerStatus() != Acad::eOk) return filer->filerStatus();
    if (overrides.dwgIn(filer) != Acad::eOk) return filer->filerStatus();
    Adesk::UInt64 kept = 0;
    if (version == kDimensionVersion && filer->readUInt64(&kept) != Acad::eOk) return filer->filerStatus();
    if (!finitePoint(blockPos) || !finitePoint(textPos) || !std::isfinite(textRot) || !std::isfinite(horizRot)
        || !finiteVector(normal) || normal.isZeroLength()) {
        filer->setFilerStatus(Acad::eInvalidInput);
        return Acad::eInvalidInput;
    }
    m_style = style;
    m_block = block;
    m_blockPosition = blockPos;
    m_textPosition = textPos;
    m_defaultTextPosition = useDefault;
    m_text = text;
    m_textRotation = textRot;
    m_horizontalRotation = horizRot;
    m_normal = normal.normal();
    m_overrides = overrides;
    m_keptBlockState = kept;
    return Acad::eOk;
}
