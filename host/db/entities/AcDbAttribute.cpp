#include "host/db/entities/AcDbAttribute.h"

#include "host/db/entities/AcDbAttributeDefinition.h"
#include "host/db/filing/FilingChecks.h"
#include "host/rx/acutString.h"

ACRX_HOST_DEFINE_MEMBERS(AcDbAttribute, AcDbText, L"ATTRIB", &host::makeObject<AcDbAttribute>)

namespace {
constexpr Adesk::Int16 kAttributeVersion = 1;
} // namespace

AcDbAttribute::AcDbAttribute(const AcGePoint3d& position, const wchar_t* text, const wchar_t* tag, AcDbObjectId style)
    : AcDbText(position, text, style) {
    if (tag && host::isValidAttributeTag(tag)) m_fields.tag = tag;
}

wchar_t* AcDbAttribute::tag() const {
    wchar_t* out = nullptr;
    acutNewString(m_fields.tag.c_str(), out);
    return out;
}

Acad::ErrorStatus AcDbAttribute::setTag(const wchar_t* tag) {
    if (!tag || !host::isValidAttributeTag(tag)) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_fields.tag = tag;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbAttribute::setInvisible(bool invisible) {
    assertWriteEnabled();
    m_fields.set(host::AttributeFields::kInvisible, invisible);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbAttribute::setFieldLength(Adesk::UInt16 length) {
    assertWriteEnabled();
    m_fields.fieldLength = length;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbAttribute::setAttributeFlags(Adesk::UInt16 flags) {
    if (flags & ~host::AttributeFields::kAllFlags) return Acad::eInvalidInput;
    assertWriteEnabled();
    m_fields.flags = flags;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbAttribute::setAttributeFromBlock(const AcDbAttributeDefinition* def, const AcGeMatrix3d& xform) {
    if (!def) return Acad::eNullObjectPointer;
    assertWriteEnabled();
    setPosition(def->position());
    setAlignmentPoint(def->alignmentPoint());
    setNormal(def->normal());
    setThickness(def->thickness());
    setOblique(def->oblique());
    setRotation(def->rotation());
    setHeight(def->height());
    setWidthFactor(def->widthFactor());
    mirrorInX(def->isMirroredInX());
    mirrorInY(def->isMirroredInY());
    setTextString(def->textStringConst());
    setTextStyle(def->textStyle());
    setHorizontalMode(def->horizontalMode());
    setVerticalMode(def->verticalMode());
    setPropertiesFrom(def);
    m_fields = def->attributeFields();
    return transformBy(xform);
}

bool AcDbAttribute::subWorldDraw(AcGiWorldDraw* wd) {
    if (isInvisible()) return true;
    return AcDbText::subWorldDraw(wd);
}

Acad::ErrorStatus AcDbAttribute::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbText::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeInt16(kAttributeVersion);
    host::writeAttributeFields(filer, m_fields);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbAttribute::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbText::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    host::readVersion(filer, kAttributeVersion);
    if (filer->filerStatus() != Acad::eOk) return filer->filerStatus();
    if (!host::readAttributeFields(filer, m_fields)) return filer->filerStatus();
    return Acad::eOk;
}
