#pragma once
// The host's fixed-size integer and boolean types, as the database interface and
// the module's filing code name them.
#include <cstdint>

namespace Adesk {

typedef int8_t Int8;
typedef int16_t Int16;
typedef int32_t Int32;
typedef int64_t Int64;
typedef uint8_t UInt8;
typedef uint16_t UInt16;
typedef uint32_t UInt32;
typedef uint64_t UInt64;
typedef intptr_t IntPtr;
typedef uintptr_t UIntPtr;
typedef intptr_t LongPtr;
typedef uintptr_t ULongPtr;
typedef int64_t GsMarker;
typedef bool Boolean;
typedef bool Bool;

inline constexpr Boolean kFalse = false;
inline constexpr Boolean kTrue = true;

} // namespace Adesk
