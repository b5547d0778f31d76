#include "host/io/ProxyBridge.h"

#include "host/db/database/AcDbDatabase.h"
#include "host/db/database/AcDbDatabaseReactor.h"
#include "host/db/entities/AcDbProxyEntity.h"

#include <map>
#include <memory>

namespace host::io {

namespace {

// Forgets a database's records when the database goes.
class ClassMemory : public AcDbDatabaseReactor {
public:
    std::map<const AcDbDatabase*, std::vector<ClassRecord>> records;
    void goodbye(const AcDbDatabase* db) override { records.erase(db); }
};

ClassMemory& memory() {
    static ClassMemory* m = new ClassMemory(); // databases may outlive static destructors
    return *m;
}

} // namespace

bool proxyContents(const AcDbObject* obj, ProxyContents& out) {
    const auto* proxy = AcDbProxyEntity::cast(obj);
    if (!proxy) return false;
    if (!rememberedProxyClass(proxy->database(), proxy->originalClassName(), out.cls)) {
        out.cls = ClassRecord();
        out.cls.name = proxy->originalClassName();
        out.cls.dxfName = proxy->originalDxfName();
        out.cls.appName = proxy->applicationDescription();
        out.cls.proxyFlags = uint32_t(proxy->proxyFlags());
        out.cls.flags = kClassIsEntity | kClassIsCustom;
    }
    out.graphics = &proxy->proxyGraphics();
    return true;
}

AcDbObject* makeProxy(const ClassRecord& cls) {
    if (!(cls.flags & kClassIsEntity)) return nullptr;
    auto* proxy = new AcDbProxyEntity();
    proxy->setOriginalClass(cls.name, cls.dxfName, cls.appName, int(cls.proxyFlags));
    return proxy;
}

bool setProxyGraphics(AcDbObject* obj, const std::vector<uint8_t>& bytes, std::wstring& error) {
    auto* proxy = AcDbProxyEntity::cast(obj);
    if (!proxy) return false;
    return proxy->setProxyGraphics(bytes, error);
}

void rememberProxyClasses(AcDbDatabase* db, const std::vector<ClassRecord>& classes) {
    if (!db || classes.empty()) return;
    memory().records[db] = classes;
    db->addReactor(&memory());
}

bool rememberedProxyClass(const AcDbDatabase* db, const std::wstring& name, ClassRecord& out) {
    auto it = memory().records.find(db);
    if (it == memory().records.end()) return false;
    for (const ClassRecord& c : it->second)
        if (c.name == name) {
            out = c;
            return true;
        }
    return false;
}

} // namespace host::io
