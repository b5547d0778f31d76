#pragma once
// An attribute's definition in a block: its tag, the prompt that asks for its
// value, the default value (the text string) and the flags. Drawn on its own it
// shows its tag; an insertion of the block shows its own attributes instead, and
// the value of a constant definition.
#include "host/db/entities/AcDbText.h"
#include "host/db/entities/AttributeFields.h"

class AcDbAttributeDefinition : public AcDbText {
public:
    ACRX_DECLARE_MEMBERS(AcDbAttributeDefinition);
    AcDbAttributeDefinition() = default;
    // A tag that is empty or holds spaces is replaced by "TAG".
    AcDbAttributeDefinition(const AcGePoint3d& position, const wchar_t* text, const wchar_t* tag,
                            const wchar_t* prompt, AcDbObjectId style = AcDbObjectId::kNull);
    ~AcDbAttributeDefinition() override = default;

    // Copies the caller frees with acutDelString.
    wchar_t* tag() const;
    wchar_t* prompt() const;
    const wchar_t* tagConst() const { return m_fields.tag.c_str(); }
    const wchar_t* promptConst() const { return m_prompt.c_str(); }
    // eInvalidInput for a tag that is empty or holds spaces or line breaks.
    Acad::ErrorStatus setTag(const wchar_t* tag);
    // eInvalidInput for a prompt with a line break.
    Acad::ErrorStatus setPrompt(const wchar_t* prompt);
    bool isInvisible() const { return m_fields.has(host::AttributeFields::kInvisible); }
    Acad::ErrorStatus setInvisible(bool invisible);
    bool isConstant() const { return m_fields.has(host::AttributeFields::kConstant); }
    Acad::ErrorStatus setConstant(bool constant);
    bool isVerifiable() const { return m_fields.has(host::AttributeFields::kVerifiable); }
    Acad::ErrorStatus setVerifiable(bool verify);
    bool isPreset() const { return m_fields.has(host::AttributeFields::kPreset); }
    Acad::ErrorStatus setPreset(bool preset);
    Adesk::UInt16 fieldLength() const { return m_fields.fieldLength; }
    Acad::ErrorStatus setFieldLength(Adesk::UInt16 length);

    // The flags as the exchange format numbers them; unknown bits are refused.
    Adesk::UInt16 attributeFlags() const { return m_fields.flags; }
    Acad::ErrorStatus setAttributeFlags(Adesk::UInt16 flags);
    const host::AttributeFields& attributeFields() const { return m_fields; }

    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;

protected:
    bool subWorldDraw(AcGiWorldDraw* wd) override;

private:
    host::AttributeFields m_fields{L"TAG"};
    std::wstring m_prompt;
};
