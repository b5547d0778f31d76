#include "host/db/entities/AcDbEntity.h"

#include "host/db/tables/AcDbBlockTableRecord.h"
#include "host/db/database/AcDbDatabase.h"
#include "host/db/filing/AcDbDwgFiler.h"
#include "host/db/filing/AcDbDxfFiler.h"
#include "host/db/tables/AcDbLayerTable.h"
#include "host/db/tables/AcDbLinetypeTable.h"
#include "host/db/database/DatabaseHeader.h"
#include "host/db/database/LineWeights.h"
#include "host/db/database/acutResbuf.h"
#include "host/gi/AcGiSubEntityTraits.h"
#include "host/rx/AcRxClass.h"
#include "host/rx/acutString.h"
#include "host/win/FormatW.h"
#include "host/win/Transcript.h"

#include <cmath>
#include <cstdlib>

ACRX_HOST_DEFINE_MEMBERS(AcDbEntity, AcDbObject, L"", nullptr)

namespace {
constexpr Adesk::Int16 kEntityVersion = 1;

template <class T>
T* recordOf(AcDbObjectId id) {
    return id.isValid() ? T::cast(static_cast<AcDbStub*>(id)->object) : nullptr;
}

// The id of a named record in one of a database's tables; null when there is none.
template <class Table>
AcDbObjectId findRecord(AcDbObjectId tableId, const wchar_t* name) {
    auto* table = recordOf<Table>(tableId);
    AcDbObjectId id;
    if (table && name) table->getAt(name, id);
    return id;
}

} // namespace

namespace host {
bool isOnLockedLayer(const AcDbEntity* ent) {
    const auto* layer = recordOf<AcDbLayerTableRecord>(ent->layerId());
    return layer && layer->isLocked();
}
} // namespace host

AcDbEntity::AcDbEntity() = default;

// ---- properties -------------------------------------------------------------------

Acad::ErrorStatus AcDbEntity::setColor(const AcCmColor& color, bool) {
    assertWriteEnabled();
    m_color = color;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::setColorIndex(Adesk::UInt16 color, bool) {
    if (color > 256) return Acad::eInvalidInput;
    AcCmColor c;
    c.setColorIndex(Adesk::Int16(color));
    assertWriteEnabled();
    m_color = c;
    return Acad::eOk;
}

wchar_t* AcDbEntity::layer() const {
    wchar_t* out = nullptr;
    const auto* rec = recordOf<AcDbLayerTableRecord>(m_layer);
    acutNewString(rec ? rec->name().c_str() : L"", out);
    return out;
}

Acad::ErrorStatus AcDbEntity::setLayer(const wchar_t* newVal, bool doSubents, bool allowHiddenLayer) {
    AcDbDatabase* db = databaseToUse();
    if (!db) return Acad::eNoDatabase;
    AcDbObjectId id = findRecord<AcDbLayerTable>(db->layerTableId(), newVal);
    if (id.isNull()) return Acad::eKeyNotFound;
    return setLayer(id, doSubents, allowHiddenLayer);
}

Acad::ErrorStatus AcDbEntity::setLayer(AcDbObjectId newVal, bool, bool) {
    if (!recordOf<AcDbLayerTableRecord>(newVal) || newVal.isErased()) return Acad::eInvalidInput;
    if (database() && newVal.database() != database()) return Acad::eWrongDatabase;
    assertWriteEnabled();
    m_layer = newVal;
    return Acad::eOk;
}

wchar_t* AcDbEntity::linetype() const {
    wchar_t* out = nullptr;
    const auto* rec = recordOf<AcDbLinetypeTableRecord>(m_linetype);
    acutNewString(rec ? rec->name().c_str() : L"ByLayer", out);
    return out;
}

Acad::ErrorStatus AcDbEntity::setLinetype(const wchar_t* newVal, bool doSubents) {
    AcDbDatabase* db = databaseToUse();
    if (!db) return Acad::eNoDatabase;
    AcDbObjectId id = findRecord<AcDbLinetypeTable>(db->linetypeTableId(), newVal);
    if (id.isNull()) return Acad::eKeyNotFound;
    return setLinetype(id, doSubents);
}

Acad::ErrorStatus AcDbEntity::setLinetype(AcDbObjectId newVal, bool) {
    if (!recordOf<AcDbLinetypeTableRecord>(newVal) || newVal.isErased()) return Acad::eInvalidInput;
    if (database() && newVal.database() != database()) return Acad::eWrongDatabase;
    assertWriteEnabled();
    m_linetype = newVal;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::setLinetypeScale(double newval, bool) {
    if (!std::isfinite(newval) || newval <= 0.0) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_linetypeScale = newval;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::setVisibility(AcDb::Visibility newVal, bool) {
    if (newVal != AcDb::kVisible && newVal != AcDb::kInvisible) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_visibility = newVal;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::setLineWeight(AcDb::LineWeight newVal, bool) {
    if (!host::isLineWeight(int(newVal))) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_lineWeight = newVal;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::setPropertiesFrom(const AcDbEntity* pEntity, bool) {
    if (!pEntity) return Acad::eNullEntityPointer;
    assertWriteEnabled();
    m_layer = pEntity->m_layer;
    m_linetype = pEntity->m_linetype;
    m_color = pEntity->m_color;
    m_linetypeScale = pEntity->m_linetypeScale;
    m_visibility = pEntity->m_visibility;
    m_lineWeight = pEntity->m_lineWeight;
    return Acad::eOk;
}

void AcDbEntity::setDatabaseDefaults() { setDatabaseDefaults(databaseToUse()); }

void AcDbEntity::setDatabaseDefaults(AcDbDatabase* pDb) {
    if (!pDb) return;
    assertWriteEnabled();
    const host::DatabaseHeader& h = pDb->header();
    m_layer = h.clayer.isValid() ? h.clayer : pDb->layerZero();
    m_linetype = h.celtype.isValid() ? h.celtype : pDb->byLayerLinetype();
    m_color = h.cecolor;
    m_linetypeScale = h.celtscale;
    m_lineWeight = h.celweight;
    subSetDatabaseDefaults(pDb);
}

Acad::ErrorStatus AcDbEntity::setAnnotative(bool on) {
    assertWriteEnabled();
    m_annotative = on;
    return Acad::eOk;
}

// ---- drawing and listing ---------------------------------------------------------------

uint32_t AcDbEntity::subSetAttributes(AcGiDrawableTraits* traits) {
    if (!traits) return kDrawableIsAnEntity;
    if (m_color.isByColor())
        traits->setTrueColor(m_color);
    else
        traits->setColor(uint16_t(m_color.colorIndex()));
    traits->setLayer(m_layer);
    traits->setLineType(m_linetype);
    traits->setLineWeight(int(m_lineWeight));
    traits->setLineTypeScale(m_linetypeScale);
    return kDrawableIsAnEntity;
}

void AcDbEntity::list() const { subList(); }

void AcDbEntity::subList() const {
    const AcRxClass* cls = isA();
    std::wstring dxf = cls && cls->dxfName()[0] ? cls->dxfName() : (cls ? cls->name() : L"");
    wchar_t* layerName = layer();
    const auto* block = recordOf<AcDbBlockTableRecord>(ownerId());
    std::wstring space = block && block->name() == ACDB_PAPER_SPACE ? L"Paper space" : L"Model space";
    host::transcriptWrite(host::FormatW(L"\n%20s    Layer: \"%s\"\n%28sSpace: %s\n", dxf.c_str(), layerName, L"",
                                        space.c_str()));
    host::transcriptWrite(host::FormatW(L"%20sHandle = %s\n", L"", handle().text().c_str()));
    acutDelString(layerName);
}

// ---- filing ----------------------------------------------------------------------------------

Acad::ErrorStatus AcDbEntity::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbObject::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeInt16(kEntityVersion);
    filer->writeHardPointerId(m_layer);
    filer->writeHardPointerId(m_linetype);
    m_color.dwgOut(filer);
    filer->writeDouble(m_linetypeScale);
    filer->writeInt16(Adesk::Int16(m_visibility));
    filer->writeInt16(Adesk::Int16(m_lineWeight));
    filer->writeBoolean(m_annotative);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbEntity::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbObject::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    Adesk::Int16 version = 0, vis = 0, lw = 0;
    AcDbHardPointerId layer, ltype;
    AcCmColor color;
    double ltscale = 1.0;
    bool annotative = false;
    filer->readInt16(&version);
    if (filer->filerStatus() == Acad::eOk && version != kEntityVersion) filer->setFilerStatus(Acad::eInvalidDwgVersion);
    filer->readHardPointerId(&layer);
    filer->readHardPointerId(&ltype);
    color.dwgIn(filer);
    filer->readDouble(&ltscale);
    filer->readInt16(&vis);
    filer->readInt16(&lw);
    filer->readBoolean(&annotative);
    if (filer->filerStatus() != Acad::eOk) return filer->filerStatus();
    if (!std::isfinite(ltscale) || ltscale <= 0.0 || (vis != 0 && vis != 1) || !host::isLineWeight(lw)) {
        filer->setFilerStatus(Acad::eInvalidInput);
        return Acad::eInvalidInput;
    }
    m_layer = layer;
    m_linetype = ltype;
    m_color = color;
    m_linetypeScale = ltscale;
    m_visibility = AcDb::Visibility(vis);
    m_lineWeight = AcDb::LineWeight(lw);
    m_annotative = annotative;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbEntity::dxfOutFields(AcDbDxfFiler* filer) const {
    Acad::ErrorStatus es = AcDbObject::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeString(100, L"AcDbEntity");
    wchar_t* name = layer();
    filer->writeString(8, name);
    acutDelString(name);
    const auto* lt = recordOf<AcDbLinetypeTableRecord>(m_linetype);
    if (lt && host::symbolKey(lt->name()) != L"BYLAYER") filer->writeString(6, lt->name().c_str());
    if (m_color.isByColor()) {
        filer->writeInt32(420, Adesk::Int32(m_color.red()) << 16 | Adesk::Int32(m_color.green()) << 8 | m_color.blue());
    } else if (!m_color.isByLayer()) {
        filer->writeInt16(62, Adesk::Int16(m_color.colorIndex()));
    }
    if (m_linetypeScale != 1.0) filer->writeDouble(48, m_linetypeScale);
    if (m_visibility == AcDb::kInvisible) filer->writeInt16(60, 1);
    if (m_lineWeight != AcDb::kLnWtByLayer) filer->writeInt16(370, Adesk::Int16(m_lineWeight));
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbEntity::dxfInFields(AcDbDxfFiler* filer) {
    Acad::ErrorStatus es = AcDbObject::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    if (!filer->atSubclassData(L"AcDbEntity")) return filer->filerStatus();
    resbuf rb{};
    while (filer->readResBuf(&rb) == Acad::eOk) {
        bool mine = true;
        switch (rb.restype) {
        case 8:
            if (rb.resval.rstring) setLayer(rb.resval.rstring);
            break;
        case 6:
            if (rb.resval.rstring) setLinetype(rb.resval.rstring);
            break;
        case 62:
            setColorIndex(Adesk::UInt16(rb.resval.rint));
            break;
        case 48:
            setLinetypeScale(rb.resval.rreal);
            break;
        case 60:
            setVisibility(rb.resval.rint ? AcDb::kInvisible : AcDb::kVisible);
            break;
        case 370:
            if (host::isLineWeight(rb.resval.rint)) setLineWeight(AcDb::LineWeight(rb.resval.rint));
            break;
        default:
            mine = false;
            break;
        }
        if (host::resbufKind(rb.restype) == host::RbKind::String) std::free(rb.resval.rstring);
        if (!mine) {
            filer->pushBackItem();
            break;
        }
    }
    return Acad::eOk;
}
