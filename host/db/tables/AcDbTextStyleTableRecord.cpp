#include "host/db/tables/AcDbTextStyleTableRecord.h"

#include "host/db/database/AcDbDatabase.h"
#include "host/db/filing/AcDbDwgFiler.h"
#include "host/db/database/AcDbHostApplicationServices.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/db/tables/AcDbTextStyleTable.h"
#include "host/gi/AcGiTextStyle.h"
#include "host/rx/acutString.h"

#include <cmath>

ACRX_HOST_DEFINE_MEMBERS(AcDbTextStyleTableRecord, AcDbSymbolTableRecord, L"STYLE",
                         &host::makeObject<AcDbTextStyleTableRecord>)
ACRX_HOST_DEFINE_MEMBERS(AcDbTextStyleTable, AcDbSymbolTable, L"TABLE", &host::makeObject<AcDbTextStyleTable>)

namespace {
constexpr Adesk::Int16 kStyleVersion = 1;
// The oblique angle the host allows: within 85 degrees either way.
constexpr double kMaxOblique = 85.0 * 3.14159265358979323846 / 180.0;

bool validOblique(double a) {
    if (!std::isfinite(a)) return false;
    double n = std::remainder(a, 2.0 * 3.14159265358979323846);
    return std::fabs(n) <= kMaxOblique + 1e-12;
}
} // namespace

Acad::ErrorStatus AcDbTextStyleTableRecord::fileName(const wchar_t*& fileName) const {
    fileName = m_fileName.c_str();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbTextStyleTableRecord::setFileName(const wchar_t* fileName) {
    assertWriteEnabled();
    m_fileName = fileName ? fileName : L"";
    return Acad::eOk;
}

Acad::ErrorStatus AcDbTextStyleTableRecord::bigFontFileName(const wchar_t*& fileName) const {
    fileName = m_bigFontFileName.c_str();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbTextStyleTableRecord::setBigFontFileName(const wchar_t* fileName) {
    assertWriteEnabled();
    m_bigFontFileName = fileName ? fileName : L"";
    return Acad::eOk;
}

Acad::ErrorStatus AcDbTextStyleTableRecord::font(wchar_t*& pTypeface, bool& bold, bool& italic, int& charset,
                                                 int& pitchAndFamily) const {
    bold = m_bold;
    italic = m_italic;
    charset = m_charset;
    pitchAndFamily = m_pitchAndFamily;
    return acutNewString(m_typeface.c_str(), pTypeface);
}

Acad::ErrorStatus AcDbTextStyleTableRecord::setFont(const wchar_t* pTypeface, bool bold, bool italic, int charset,
                                                    int pitchAndFamily) {
    assertWriteEnabled();
    m_typeface = pTypeface ? pTypeface : L"";
    m_bold = bold;
    m_italic = italic;
    m_charset = charset;
    m_pitchAndFamily = pitchAndFamily;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbTextStyleTableRecord::setTextSize(double size) {
    if (!std::isfinite(size) || size < 0.0) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_textSize = size;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbTextStyleTableRecord::setPriorSize(double size) {
    if (!std::isfinite(size) || size <= 0.0) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_priorSize = size;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbTextStyleTableRecord::setXScale(double xScale) {
    if (!std::isfinite(xScale) || xScale <= 0.0) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_xScale = xScale;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbTextStyleTableRecord::setObliquingAngle(double obliquingAngle) {
    if (!validOblique(obliquingAngle)) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_oblique = obliquingAngle;
    return Acad::eOk;
}

void AcDbTextStyleTableRecord::setIsShapeFile(bool shape) {
    assertWriteEnabled();
    m_isShapeFile = shape;
}

void AcDbTextStyleTableRecord::setIsVertical(bool vertical) {
    assertWriteEnabled();
    m_isVertical = vertical;
}

void AcDbTextStyleTableRecord::setFlagBits(Adesk::UInt8 flagBits) {
    assertWriteEnabled();
    m_flagBits = flagBits;
}

Acad::ErrorStatus AcDbTextStyleTableRecord::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeInt16(kStyleVersion);
    filer->writeString(m_fileName);
    filer->writeString(m_bigFontFileName);
    filer->writeString(m_typeface);
    filer->writeBoolean(m_bold);
    filer->writeBoolean(m_italic);
    filer->writeInt32(m_charset);
    filer->writeInt32(m_pitchAndFamily);
    filer->writeDouble(m_textSize);
    filer->writeDouble(m_priorSize);
    filer->writeDouble(m_xScale);
    filer->writeDouble(m_oblique);
    filer->writeBoolean(m_isShapeFile);
    filer->writeBoolean(m_isVertical);
    filer->writeUInt8(m_flagBits);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbTextStyleTableRecord::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    AcDbTextStyleTableRecord r;
    Adesk::Int16 version = 0;
    filer->readInt16(&version);
    if (filer->filerStatus() == Acad::eOk && version != kStyleVersion) filer->setFilerStatus(Acad::eInvalidDwgVersion);
    filer->readString(r.m_fileName);
    filer->readString(r.m_bigFontFileName);
    filer->readString(r.m_typeface);
    filer->readBoolean(&r.m_bold);
    filer->readBoolean(&r.m_italic);
    filer->readInt32(&r.m_charset);
    filer->readInt32(&r.m_pitchAndFamily);
    filer->readDouble(&r.m_textSize);
    filer->readDouble(&r.m_priorSize);
    filer->readDouble(&r.m_xScale);
    filer->readDouble(&r.m_oblique);
    filer->readBoolean(&r.m_isShapeFile);
    filer->readBoolean(&r.m_isVertical);
    filer->readUInt8(&r.m_flagBits);
    if (filer->filerStatus() != Acad::eOk) return filer->filerStatus();
    if (!std::isfinite(r.m_textSize) || r.m_textSize < 0 || !std::isfinite(r.m_xScale) || r.m_xScale <= 0 ||
        !validOblique(r.m_oblique)) {
        filer->setFilerStatus(Acad::eInvalidInput);
        return Acad::eInvalidInput;
    }
    m_fileName = r.m_fileName;
    m_bigFontFileName = r.m_bigFontFileName;
    m_typeface = r.m_typeface;
    m_bold = r.m_bold;
    m_italic = r.m_italic;
    m_charset = r.m_charset;
    m_pitchAndFamily = r.m_pitchAndFamily;
    m_textSize = r.m_textSize;
    m_priorSize = r.m_priorSize;
    m_xScale = r.m_xScale;
    m_oblique = r.m_oblique;
    m_isShapeFile = r.m_isShapeFile;
    m_isVertical = r.m_isVertical;
    m_flagBits = r.m_flagBits;
    return Acad::eOk;
}

Acad::ErrorStatus fromAcDbTextStyle(AcGiTextStyle& textStyle, const AcDbObjectId& styleId) {
    AcDbTextStyleTableRecord* rec = nullptr;
    if (acdbOpenObject(rec, styleId, AcDb::kForRead) != Acad::eOk) return Acad::eKeyNotFound;
    const wchar_t* s = nullptr;
    rec->fileName(s);
    textStyle.setFileName(s);
    rec->bigFontFileName(s);
    textStyle.setBigFontFileName(s);
    wchar_t* face = nullptr;
    bool bold = false, italic = false;
    int charset = 0, pitch = 0;
    rec->font(face, bold, italic, charset, pitch);
    if (face && *face) textStyle.setFont(face, bold, italic, charset, pitch);
    acutDelString(face);
    textStyle.setTextSize(rec->textSize() > 0.0 ? rec->textSize() : rec->priorSize());
    textStyle.setXScale(rec->xScale());
    textStyle.setObliquingAngle(rec->obliquingAngle());
    textStyle.setVertical(rec->isVertical());
    textStyle.setBackward(rec->flagBits() & 2);
    textStyle.setUpsideDown(rec->flagBits() & 4);
    textStyle.setStyleName(rec->name().c_str());
    rec->close();
    return Acad::eOk;
}

Acad::ErrorStatus fromAcDbTextStyle(AcGiTextStyle& textStyle, const wchar_t* styleName) {
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    if (!db) return Acad::eNoDatabase;
    AcDbTextStyleTable* table = nullptr;
    if (db->getTextStyleTable(table, AcDb::kForRead) != Acad::eOk) return Acad::eKeyNotFound;
    AcDbObjectId id;
    Acad::ErrorStatus es = table->getAt(styleName, id);
    table->close();
    return es == Acad::eOk ? fromAcDbTextStyle(textStyle, id) : es;
}
