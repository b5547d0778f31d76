#include "host/db/entities/AttributeFields.h"

#include "host/db/filing/FilingChecks.h"

namespace host {

namespace {
// Longer tags are no names but damage.
constexpr size_t kMaxTagLength = 2048;
} // namespace

bool isValidAttributeTag(const std::wstring& tag) {
    if (tag.empty() || tag.size() > kMaxTagLength) return false;
    for (wchar_t c : tag)
        if (c == L' ' || c == L'\t' || c == L'\r' || c == L'\n') return false;
    return true;
}

void writeAttributeFields(AcDbDwgFiler* filer, const AttributeFields& fields) {
    filer->writeString(fields.tag);
    filer->writeUInt16(fields.flags);
    filer->writeUInt16(fields.fieldLength);
}

bool readAttributeFields(AcDbDwgFiler* filer, AttributeFields& fields) {
    AttributeFields read;
    filer->readString(read.tag);
    filer->readUInt16(&read.flags);
    filer->readUInt16(&read.fieldLength);
    if (filer->filerStatus() != Acad::eOk) return false;
    if (!isValidAttributeTag(read.tag) || (read.flags & ~AttributeFields::kAllFlags) != 0) {
        refuseRecord(filer);
        return false;
    }
    fields = std::move(read);
    return true;
}

} // namespace host
