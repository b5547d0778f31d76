#pragma once
// The byte form of a recording, as proxy graphics are filed with a drawing: explicit
// little-endian numbers, length-prefixed UTF-8 strings, a magic and a version.
// Reading trusts no count or length: damaged bytes give a message with the byte
// offset and leave the output untouched.
#include "host/gi/GiPrimitive.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace host::gi {

// Layer and linetype ids are filed as handles; without a mapping they are filed as
// 0 and read back as null.
using StubToHandle = std::function<uint64_t(AcDbStub*)>;
using HandleToStub = std::function<AcDbStub*(uint64_t)>;

std::vector<uint8_t> recordingToBytes(const GiRecording& recording, const StubToHandle& toHandle = {});

bool recordingFromBytes(const uint8_t* data, size_t size, GiRecording& out, std::wstring& error,
                        const HandleToStub& fromHandle = {});
inline bool recordingFromBytes(const std::vector<uint8_t>& bytes, GiRecording& out, std::wstring& error,
                               const HandleToStub& fromHandle = {}) {
    return recordingFromBytes(bytes.data(), bytes.size(), out, error, fromHandle);
}

} // namespace host::gi
