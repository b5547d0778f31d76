#pragma once
// What the drawing file needs from proxies: the database's proxy entity keeps an
// object whose class this process cannot make, with its class record, the bytes
// its class wrote and its proxy graphics, and gives them back unchanged.
#include "host/io/DrawingImage.h"

#include <cstdint>
#include <vector>

class AcDbObject;

namespace host::io {

struct ProxyContents {
    ClassRecord cls;
    const std::vector<uint8_t>* data = nullptr;
    const std::vector<uint8_t>* graphics = nullptr; // empty when the file had none
};

// True for a proxy; `out` then points into the proxy, which must stay unchanged
// while `out` is used.
bool proxyContents(const AcDbObject* obj, ProxyContents& out);

// A new proxy (not in a database, owned by the caller) for an object of class
// `cls`; null when the host has no proxy for that kind of object.
AcDbObject* makeProxy(const ClassRecord& cls, std::vector<uint8_t> data, std::vector<uint8_t> graphics);

} // namespace host::io
