#pragma once
// What the drawing file needs from proxies. An entity whose class this process
// cannot make is kept as the database's proxy entity: it reads the common entity
// data, keeps the rest of the object's bytes and its proxy graphics, and files
// both back unchanged. The class record the file gave is remembered with the
// database, so the class table is written back as it was read too.
#include "host/io/DrawingImage.h"

#include <cstdint>
#include <string>
#include <vector>

class AcDbDatabase;
class AcDbObject;

namespace host::io {

struct ProxyContents {
    ClassRecord cls;
    const std::vector<uint8_t>* graphics = nullptr; // empty when the file had none
};

// True for a proxy; `out.graphics` then points into the proxy.
bool proxyContents(const AcDbObject* obj, ProxyContents& out);

// A new proxy (in no database, owned by the caller) for an object of class `cls`;
// null when the host has no proxy for such objects (only entities have one).
AcDbObject* makeProxy(const ClassRecord& cls);
// Gives a proxy in its database its graphics; false with a message for damaged bytes.
bool setProxyGraphics(AcDbObject* proxy, const std::vector<uint8_t>& bytes, std::wstring& error);

// The class records of a drawing's proxies, kept while the database lives.
void rememberProxyClasses(AcDbDatabase* db, const std::vector<ClassRecord>& classes);
bool rememberedProxyClass(const AcDbDatabase* db, const std::wstring& name, ClassRecord& out);

} // namespace host::io
