#include "host/io/ProxyBridge.h"

#include "host/db/AcDbObject.h"

namespace host::io {

// Until the database layer has its proxy entity, objects of classes that are not
// loaded cannot be kept, and such drawings are refused with a message.
bool proxyContents(const AcDbObject*, ProxyContents&) { return false; }

AcDbObject* makeProxy(const ClassRecord&, std::vector<uint8_t>, std::vector<uint8_t>) { return nullptr; }

} // namespace host::io
