#include "host/db/tables/AcDbLayerTableRecord.h"

#include "host/db/database/AcDbDatabase.h"
#include "host/db/filing/AcDbDwgFiler.h"
#include "host/db/tables/AcDbLayerTable.h"
#include "host/db/database/LineWeights.h"

ACRX_HOST_DEFINE_MEMBERS(AcDbLayerTableRecord, AcDbSymbolTableRecord, L"LAYER",
                         &host::makeObject<AcDbLayerTableRecord>)
ACRX_HOST_DEFINE_MEMBERS(AcDbLayerTable, AcDbSymbolTable, L"TABLE", &host::makeObject<AcDbLayerTable>)

namespace {
constexpr Adesk::Int16 kLayerVersion = 1;
}

AcDbLayerTableRecord::AcDbLayerTableRecord() { m_color.setColorIndex(7); }

void AcDbLayerTableRecord::setColor(const AcCmColor& color) {
    // A layer has a colour of its own: ByLayer and ByBlock mean nothing here.
    if (color.isByLayer() || color.isByBlock()) return;
    assertWriteEnabled();
    m_color = color;
}

Acad::ErrorStatus AcDbLayerTableRecord::setIsFrozen(bool frozen) {
    if (frozen && database() && database()->clayer() == objectId()) return Acad::eNotApplicable;
    assertWriteEnabled();
    m_frozen = frozen;
    return Acad::eOk;
}

void AcDbLayerTableRecord::setIsOff(bool off) {
    assertWriteEnabled();
    m_off = off;
}

void AcDbLayerTableRecord::setIsLocked(bool locked) {
    assertWriteEnabled();
    m_locked = locked;
}

void AcDbLayerTableRecord::setVPDFLT(bool frozen) {
    assertWriteEnabled();
    m_vpdflt = frozen;
}

Acad::ErrorStatus AcDbLayerTableRecord::setIsPlottable(bool plot) {
    assertWriteEnabled();
    m_plottable = plot;
    return Acad::eOk;
}

void AcDbLayerTableRecord::setLinetypeObjectId(AcDbObjectId id) {
    assertWriteEnabled();
    m_linetype = id;
}

Acad::ErrorStatus AcDbLayerTableRecord::setLineWeight(AcDb::LineWeight weight) {
    if (weight == AcDb::kLnWtByLayer || weight == AcDb::kLnWtByBlock) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_lineWeight = weight;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLayerTableRecord::setDescription(const wchar_t* description) {
    assertWriteEnabled();
    m_description = description ? description : L"";
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLayerTableRecord::subErase(Adesk::Boolean erasing) {
    if (!erasing) return Acad::eOk;
    if (name() == L"0") return Acad::eCannotBeErasedByCaller;
    if (database() && database()->clayer() == objectId()) return Acad::eCannotBeErasedByCaller;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbLayerTableRecord::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeInt16(kLayerVersion);
    m_color.dwgOut(filer);
    filer->writeHardPointerId(m_linetype);
    filer->writeInt16(Adesk::Int16(m_lineWeight));
    filer->writeString(m_description);
    Adesk::UInt8 flags = (m_frozen ? 1 : 0) | (m_off ? 2 : 0) | (m_locked ? 4 : 0) | (m_vpdflt ? 8 : 0) |
                         (m_plottable ? 16 : 0);
    filer->writeUInt8(flags);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbLayerTableRecord::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbSymbolTableRecord::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    Adesk::Int16 version = 0, lw = 0;
    AcCmColor color;
    AcDbHardPointerId ltype;
    std::wstring description;
    Adesk::UInt8 flags = 0;
    filer->readInt16(&version);
    if (filer->filerStatus() == Acad::eOk && version != kLayerVersion) filer->setFilerStatus(Acad::eInvalidDwgVersion);
    color.dwgIn(filer);
    filer->readHardPointerId(&ltype);
    filer->readInt16(&lw);
    filer->readString(description);
    filer->readUInt8(&flags);
    if (filer->filerStatus() != Acad::eOk) return filer->filerStatus();
    if (!host::isLineWeight(lw)) {
        filer->setFilerStatus(Acad::eInvalidInput);
        return Acad::eInvalidInput;
    }
    m_color = color;
    m_linetype = ltype;
    m_lineWeight = AcDb::LineWeight(lw);
    m_description = description;
    m_frozen = flags & 1;
    m_off = flags & 2;
    m_locked = flags & 4;
    m_vpdflt = flags & 8;
    m_plottable = flags & 16;
    return Acad::eOk;
}
