#include "host/db/entities/AcDbAttributeDefinition.h"

#include "host/db/filing/FilingChecks.h"
#include "host/rx/acutString.h"

ACRX_HOST_DEFINE_MEMBERS(AcDbAttributeDefinition, AcDbText, L"ATTDEF", &host::makeObject<AcDbAttributeDefinition>)

namespace {
constexpr Adesk::Int16 kDefinitionVersion = 1;

bool isOneLine(const std::wstring& s) { return s.find_first_of(L"\r\n") == std::wstring::npos; }

wchar_t* copyOf(const std::wstring& s) {
    wchar_t* out = nullptr;
    acutNewString(s.c_str(), out);
    return out;
}
} // namespace

AcDbAttributeDefinition::AcDbAttributeDefinition(const AcGePoint3d& position, const wchar_t* text, const wchar_t* tag,
                                                 const wchar_t* prompt, AcDbObjectId style)
    : AcDbText(position, text, style) {
    if (tag && host::isValidAttributeTag(tag)) m_fields.tag = tag;
    if (prompt && isOneLine(prompt)) m_prompt = prompt;
}

wchar_t* AcDbAttributeDefinition::tag() const { return copyOf(m_fields.tag); }
wchar_t* AcDbAttributeDefinition::prompt() const { return copyOf(m_prompt); }

Acad::ErrorStatus AcDbAttributeDefinition::setTag(const wchar_t* tag) {
    if (!tag || !host::isValidAttributeTag(tag)) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_fields.tag = tag;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbAttributeDefinition::setPrompt(const wchar_t* prompt) {
    if (!prompt || !isOneLine(prompt)) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_prompt = prompt;
    return Acad::eOk;
}

#define LINTARO_ATTDEF_FLAG(SETTER, FLAG)                          \
    Acad::ErrorStatus AcDbAttributeDefinition::SETTER(bool on) {   \
        assertWriteEnabled();                                      \
        m_fields.set(host::AttributeFields::FLAG, on);             \
        return Acad::eOk;                                          \
    }
LINTARO_ATTDEF_FLAG(setInvisible, kInvisible)
LINTARO_ATTDEF_FLAG(setConstant, kConstant)
LINTARO_ATTDEF_FLAG(setVerifiable, kVerifiable)
LINTARO_ATTDEF_FLAG(setPreset, kPreset)
#undef LINTARO_ATTDEF_FLAG

Acad::ErrorStatus AcDbAttributeDefinition::setFieldLength(Adesk::UInt16 length) {
    assertWriteEnabled();
    m_fields.fieldLength = length;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbAttributeDefinition::setAttributeFlags(Adesk::UInt16 flags) {
    if (flags & ~host::AttributeFields::kAllFlags) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_fields.flags = flags;
    return Acad::eOk;
}

bool AcDbAttributeDefinition::subWorldDraw(AcGiWorldDraw* wd) { return drawString(wd, m_fields.tag); }

Acad::ErrorStatus AcDbAttributeDefinition::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbText::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeInt16(kDefinitionVersion);
    host::writeAttributeFields(filer, m_fields);
    filer->writeString(m_prompt);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbAttributeDefinition::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbText::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    host::readVersion(filer, kDefinitionVersion);
    host::AttributeFields fields;
    std::wstring prompt;
    if (filer->filerStatus() != Acad::eOk || !host::readAttributeFields(filer, fields)) return filer->filerStatus();
    filer->readString(prompt);
    if (filer->filerStatus() != Acad::eOk) return filer->filerStatus();
    if (!isOneLine(prompt)) return host::refuseRecord(filer);
    m_fields = std::move(fields);
    m_prompt = std::move(prompt);
    return Acad::eOk;
}
