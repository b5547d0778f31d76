// Attributes: the ATTRIB records after an INSERT become the insertion's
// attributes, ATTDEF records in blocks their definitions; and leaders find the
// annotation they point at.
#include "host/db/entities/AcDbAttribute.h"
#include "host/db/entities/AcDbAttributeDefinition.h"
#include "host/db/entities/AcDbBlockReference.h"
#include "host/db/entities/AcDbLeader.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/io/dxf/DxfImporter.h"
#include "host/win/FormatW.h"

#include <memory>

namespace host::dxf {

namespace {
// ATTRIB and ATTDEF keep the vertical alignment of their text here, not in 73
// (which holds the field length).
constexpr int kAttributeVerticalCode = 74;
} // namespace

void DxfImporter::attachAttributes(AcDbBlockReference* ref, const DxfEntity& e) {
    for (const DxfRecord& r : e.children) {
        if (r.type != L"ATTRIB") continue;
        std::unique_ptr<AcDbAttribute> a(new AcDbAttribute());
        fillText(a.get(), r, kAttributeVerticalCode);
        if (a->setTag(m_doc.text(r.find(2)).c_str()) != Acad::eOk) {
            notImported(L"ATTRIB (tag empty or with spaces)");
            continue;
        }
        a->setAttributeFlags(Adesk::UInt16(r.integer(70) & host::AttributeFields::kAllFlags));
        const int length = r.integer(73);
        if (length > 0 && length <= 0xFFFF) a->setFieldLength(Adesk::UInt16(length));
        applyCommon(a.get(), r);
        applyXData(a.get(), r);
        if (ref->appendAttribute(a.get()) == Acad::eOk) a.release();
    }
}

AcDbEntity* DxfImporter::makeAttributeDefinition(const DxfRecord& r, std::wstring& skipped) {
    std::unique_ptr<AcDbAttributeDefinition> d(new AcDbAttributeDefinition());
    fillText(d.get(), r, kAttributeVerticalCode);
    if (d->setTag(m_doc.text(r.find(2)).c_str()) != Acad::eOk) {
        skipped = FormatW(L"%s (tag empty or with spaces)", r.type.c_str());
        return nullptr;
    }
    // A prompt over several lines keeps its first.
    std::wstring prompt = m_doc.text(r.find(3));
    prompt = prompt.substr(0, prompt.find_first_of(L"\r\n"));
    d->setPrompt(prompt.c_str());
    d->setAttributeFlags(Adesk::UInt16(r.integer(70) & host::AttributeFields::kAllFlags));
    const int length = r.integer(73);
    if (length > 0 && length <= 0xFFFF) d->setFieldLength(Adesk::UInt16(length));
    return d.release();
}

void DxfImporter::linkAnnotations() {
    for (const auto& [leaderId, handle] : m_annotationLinks) {
        auto target = m_entityHandles.find(handle);
        if (target == m_entityHandles.end()) {
            notImported(L"LEADER link (annotation not in the file)");
            continue;
        }
        AcDbLeader* leader = nullptr;
        if (acdbOpenObject(leader, leaderId, AcDb::kForWrite) != Acad::eOk) continue;
        leader->attachAnnotation(target->second);
        leader->close();
    }
    m_annotationLinks.clear();
}

} // namespace host::dxf
