#include "host/db/tables/AcDbDimStyleTableRecord.h"

#include "host/db/tables/AcDbDimStyleTable.h"
#include "host/db/dimensions/AcDbDimension.h"
#include "host/db/filing/AcDbDwgFiler.h"
#include "host/db/database/LineWeights.h"

#include <cmath>

ACRX_HOST_DEFINE_MEMBERS(AcDbDimStyleTableRecord, AcDbSymbolTableRecord, L"DIMSTYLE",
                         &host::makeObject<AcDbDimStyleTableRecord>)
ACRX_HOST_DEFINE_MEMBERS(AcDbDimStyleTable, AcDbSymbolTable, L"TABLE", &host::makeObject<AcDbDimStyleTable>)

namespace {
constexpr Adesk::Int16 kDimStyleVersion = 1;

bool valid(double v) { return std::isfinite(v); }
bool valid(int) { return true; }
bool valid(bool) { return true; }
bool valid(wchar_t c) { return c != 0; }
bool valid(const AcDbObjectId&) { return true; }
bool valid(const AcCmColor&) { return true; }
bool valid(AcDb::LineWeight) { return true; }

void out(AcDbDwgFiler* f, double v) { f->writeDouble(v); }
void out(AcDbDwgFiler* f, int v) { f->writeInt32(v); }
void out(AcDbDwgFiler* f, bool v) { f->writeBoolean(v); }
void out(AcDbDwgFiler* f, wchar_t v) { f->writeUInt16(Adesk::UInt16(v)); }
void out(AcDbDwgFiler* f, const AcDbObjectId& v) { f->writeHardPointerId(v); }
void out(AcDbDwgFiler* f, const AcCmColor& v) { v.dwgOut(f); }
void out(AcDbDwgFiler* f, AcDb::LineWeight v) { f->writeInt16(Adesk::Int16(v)); }

void in(AcDbDwgFiler* f, double& v) { f->readDouble(&v); }
void in(AcDbDwgFiler* f, int& v) {
    Adesk::Int32 x = 0;
    f->readInt32(&x);
    v = x;
}
void in(AcDbDwgFiler* f, bool& v) { f->readBoolean(&v); }
void in(AcDbDwgFiler* f, wchar_t& v) {
    Adesk::UInt16 x = 0;
    f->readUInt16(&x);
    v = wchar_t(x);
}
void in(AcDbDwgFiler* f, AcDbObjectId& v) {
    AcDbHardPointerId id;
    f->readHardPointerId(&id);
    v = id;
}
void in(AcDbDwgFiler* f, AcCmColor& v) { v.dwgIn(f); }
void in(AcDbDwgFiler* f, AcDb::LineWeight& v) {
    Adesk::Int16 x = 0;
    f->readInt16(&x);
    if (host::isLineWeight(x))
        v = AcDb::LineWeight(x);
    else if (f->filerStatus() == Acad::eOk)
        f->setFilerStatus(Acad::eInvalidInput);
}
} // namespace

#define LINTARO_DIMVAR_SET(TYPE, GET, SET, DEFAULT)                    \
    Acad::ErrorStatus AcDbDimStyleTableRecord::SET(TYPE value) {       \
        if (!valid(value)) return Acad::eInvalidInput;                 \
        assertWriteEnabled();                                          \
        m_##GET = value;                                               \
        return Acad::eOk;                                              \
    }
LINTARO_DIMSTYLE_VARS(LINTARO_DIMVAR_SET)
#undef LINTARO_DIMVAR_SET

namespace {
Acad::ErrorStatus arrowBlock(const AcDbDimStyleTableRecord* record, const wchar_t* blockName, AcDbObjectId& id) {
    AcDbDatabase* db = record->database();
    if (!db) return Acad::eNoDatabase;
    return host::dimArrowBlockId(db, blockName, id);
}
} // namespace

#define LINTARO_DIMSTYLE_ARROW_BY_NAME(SET)                                  \
    Acad::ErrorStatus AcDbDimStyleTableRecord::SET(const wchar_t* blockName) { \
        AcDbObjectId id;                                                     \
        Acad::ErrorStatus es = arrowBlock(this, blockName, id);              \
        return es == Acad::eOk ? SET(id) : es;                               \
    }
LINTARO_DIMSTYLE_ARROW_BY_NAME(setDimblk)
LINTARO_DIMSTYLE_ARROW_BY_NAME(setDimblk1)
LINTARO_DIMSTYLE_ARROW_BY_NAME(setDimblk2)
LINTARO_DIMSTYLE_ARROW_BY_NAME(setDimldrblk)
#undef LINTARO_DIMSTYLE_ARROW_BY_NAME

Acad::ErrorStatus AcDbDimStyleTableRecord::setDimpost(const wchar_t* value) {
    assertWriteEnabled();
    m_dimpost = value ? value : L"";
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDimStyleTableRecord::setDimapost(const wchar_t* value) {
    assertWriteEnabled();
    m_dimapost = value ? value : L"";
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDimStyleTableRecord::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeInt16(kDimStyleVersion);
#define LINTARO_DIMVAR_OUT(TYPE, GET, SET, DEFAULT) out(filer, m_##GET);
    LINTARO_DIMSTYLE_VARS(LINTARO_DIMVAR_OUT)
#undef LINTARO_DIMVAR_OUT
    filer->writeString(m_dimpost);
    filer->writeString(m_dimapost);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbDimStyleTableRecord::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    Adesk::Int16 version = 0;
    filer->readInt16(&version);
    if (filer->filerStatus() == Acad::eOk && version != kDimStyleVersion) filer->setFilerStatus(Acad::eInvalidDwgVersion);
    // Read into a scratch record so that a damaged one changes nothing here.
    AcDbDimStyleTableRecord r;
#define LINTARO_DIMVAR_IN(TYPE, GET, SET, DEFAULT) in(filer, r.m_##GET);
    LINTARO_DIMSTYLE_VARS(LINTARO_DIMVAR_IN)
#undef LINTARO_DIMVAR_IN
    filer->readString(r.m_dimpost);
    filer->readString(r.m_dimapost);
    if (filer->filerStatus() != Acad::eOk) return filer->filerStatus();
#define LINTARO_DIMVAR_COPY(TYPE, GET, SET, DEFAULT) m_##GET = r.m_##GET;
    LINTARO_DIMSTYLE_VARS(LINTARO_DIMVAR_COPY)
#undef LINTARO_DIMVAR_COPY
    m_dimpost = r.m_dimpost;
    m_dimapost = r.m_dimapost;
    return Acad::eOk;
}
