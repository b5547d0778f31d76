#pragma once
// A layer: its colour, linetype, line weight and the frozen, off and locked states.
#include "host/db/database/AcCmColor.h"
#include "host/db/tables/AcDbSymbolTableRecord.h"

class AcDbLayerTableRecord : public AcDbSymbolTableRecord {
public:
    ACRX_DECLARE_MEMBERS(AcDbLayerTableRecord);
    AcDbLayerTableRecord();
    ~AcDbLayerTableRecord() override = default;

    AcCmColor color() const { return m_color; }
    void setColor(const AcCmColor& color);
    bool isFrozen() const { return m_frozen; }
    Acad::ErrorStatus setIsFrozen(bool frozen);
    bool isOff() const { return m_off; }
    void setIsOff(bool off);
    bool isLocked() const { return m_locked; }
    void setIsLocked(bool locked);
    // Frozen in new viewports.
    bool VPDFLT() const { return m_vpdflt; }
    void setVPDFLT(bool frozen);
    bool isHidden() const { return false; }
    bool isPlottable() const { return m_plottable; }
    Acad::ErrorStatus setIsPlottable(bool plot);
    AcDbObjectId linetypeObjectId() const { return m_linetype; }
    void setLinetypeObjectId(AcDbObjectId id);
    AcDb::LineWeight lineWeight() const { return m_lineWeight; }
    Acad::ErrorStatus setLineWeight(AcDb::LineWeight weight);
    const wchar_t* description() const { return m_description.c_str(); }
    Acad::ErrorStatus setDescription(const wchar_t* description);

    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;

protected:
    bool isNameFixed() const override { return name() == L"0"; }
    // Layer "0" and the current layer cannot be erased.
    Acad::ErrorStatus subErase(Adesk::Boolean erasing) override;

private:
    AcCmColor m_color;
    AcDbObjectId m_linetype;
    AcDb::LineWeight m_lineWeight = AcDb::kLnWtByLwDefault;
    std::wstring m_description;
    bool m_frozen = false;
    bool m_off = false;
    bool m_locked = false;
    bool m_vpdflt = false;
    bool m_plottable = true;
};
