#pragma once
// The value of one attribute of a block insertion: a line of text at its place in
// the drawing, named by its tag. The insertion owns its attributes and files them
// with itself; an invisible attribute keeps its value but draws nothing.
#include "host/db/entities/AcDbText.h"
#include "host/db/entities/AttributeFields.h"

class AcDbAttributeDefinition;

class AcDbAttribute : public AcDbText {
public:
    ACRX_DECLARE_MEMBERS(AcDbAttribute);
    AcDbAttribute() = default;
    // A tag that is empty or holds spaces is replaced by "TAG".
    AcDbAttribute(const AcGePoint3d& position, const wchar_t* text, const wchar_t* tag,
                  AcDbObjectId style = AcDbObjectId::kNull);
    ~AcDbAttribute() override = default;

    // A copy the caller frees with acutDelString.
    wchar_t* tag() const;
    const wchar_t* tagConst() const { return m_fields.tag.c_str(); }
    // eInvalidInput for a tag that is empty or holds spaces or line breaks.
    Acad::ErrorStatus setTag(const wchar_t* tag);
    bool isInvisible() const { return m_fields.has(host::AttributeFields::kInvisible); }
    Acad::ErrorStatus setInvisible(bool invisible);
    bool isConstant() const { return m_fields.has(host::AttributeFields::kConstant); }
    bool isVerifiable() const { return m_fields.has(host::AttributeFields::kVerifiable); }
    bool isPreset() const { return m_fields.has(host::AttributeFields::kPreset); }
    Adesk::UInt16 fieldLength() const { return m_fields.fieldLength; }
    Acad::ErrorStatus setFieldLength(Adesk::UInt16 length);
    // The definition's tag, flags, text properties and default value, placed by the
    // insertion's block transform.
    Acad::ErrorStatus setAttributeFromBlock(const AcDbAttributeDefinition* definition, const AcGeMatrix3d& blockTransform);

    // The flags as the exchange format numbers them (1 invisible, 2 constant, 4
    // verify, 8 preset); unknown bits are refused.
    Adesk::UInt16 attributeFlags() const { return m_fields.flags; }
    Acad::ErrorStatus setAttributeFlags(Adesk::UInt16 flags);

    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;

protected:
    bool subWorldDraw(AcGiWorldDraw* wd) override;

private:
    host::AttributeFields m_fields{L"TAG"};
};
