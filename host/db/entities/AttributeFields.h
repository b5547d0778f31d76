#pragma once
// What an attribute and its definition in a block share: the tag that names the
// value, the flags (invisible, constant, verify, preset) and the field length.
#include "host/db/filing/AcDbDwgFiler.h"

#include <string>

namespace host {

struct AttributeFields {
    enum Flag : Adesk::UInt16 { kInvisible = 1, kConstant = 2, kVerifiable = 4, kPreset = 8 };
    static constexpr Adesk::UInt16 kAllFlags = kInvisible | kConstant | kVerifiable | kPreset;

    std::wstring tag;
    Adesk::UInt16 flags = 0;
    Adesk::UInt16 fieldLength = 0;

    bool has(Flag f) const { return (flags & f) != 0; }
    void set(Flag f, bool on) { flags = Adesk::UInt16(on ? flags | f : flags & ~f); }
};

// A tag names a value on one line: not empty, no spaces or line breaks.
bool isValidAttributeTag(const std::wstring& tag);

void writeAttributeFields(AcDbDwgFiler* filer, const AttributeFields& fields);
// False (with the filer's status set) when the record is damaged.
bool readAttributeFields(AcDbDwgFiler* filer, AttributeFields& fields);

} // namespace host
