#pragma once
// Result-buffer chains: building, allocating and releasing them. Strings and
// binary chunks inside a chain are allocated with malloc and freed by acutRelRb.
#include "host/rx/adsdef.h"

// A chain from (type, value) pairs ended by 0 (RTNONE ends it too). Values by
// type: strings const wchar_t*, points a double[3], reals double, shorts and
// longs int, entity names an ads_name; RTLB, RTLE, RTDOTE, RTNIL, RTT, RTVOID and
// -3 take no value. Null when a type is not one the host knows.
struct resbuf* acutBuildList(int rtype, ...);
// One zeroed resbuf of the type; null when out of memory.
struct resbuf* acutNewRb(int v);
// Frees a whole chain with its strings and chunks; null is fine. Returns RTNORM.
int acutRelRb(struct resbuf* rb);

namespace host {
enum class RbKind { None, String, Point, Real, Short, Long, Int64, Name, Binary };
// What a resbuf of this type carries (DXF group codes and RT types alike).
RbKind resbufKind(int restype);
// A deep copy of a chain (null for null).
struct resbuf* copyResbufChain(const struct resbuf* rb);
} // namespace host
