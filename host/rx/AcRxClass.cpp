#include "host/rx/AcRxClass.h"

#include "host/rx/AcRxDictionary.h"
#include "host/rx/RxClassTree.h"
#include "host/win/FormatW.h"

// ---- AcRxObject ---------------------------------------------------------------

AcRxClass* AcRxObject::desc() {
    static AcRxClass* s = [] {
        auto* c = new AcRxClass(L"AcRxObject", nullptr, 0, 0, 0, nullptr, L"", L"");
        acrxClassDictionary->atPut(L"AcRxObject", c);
        host::adoptWaitingChildren(c);
        return c;
    }();
    return s;
}

// The root classes are written out by hand; they are known by name like the others.
[[maybe_unused]] static const bool rootClassesKnown =
    host::knowHostClass(L"AcRxObject", &AcRxObject::desc) && host::knowHostClass(L"AcRxClass", &AcRxClass::desc);

AcRxClass* AcRxObject::isA() const { return AcRxObject::desc(); }

bool AcRxObject::isKindOf(const AcRxClass* aClass) const {
    const AcRxClass* mine = isA();
    return mine && aClass && mine->isDerivedFrom(aClass);
}

AcRxObject* AcRxObject::x(const AcRxClass* protocolClass) const { return queryX(protocolClass); }

AcRxObject* AcRxObject::queryX(const AcRxClass* protocolClass) const {
    const AcRxClass* c = isA();
    return c ? c->queryX(protocolClass) : nullptr;
}

// ---- AcRxClass ----------------------------------------------------------------

AcRxClass::AcRxClass(const wchar_t* name, AcRxClass* parent, int dwgVer, int maintVer, int proxyFlags,
                     AcRxPseudoConstructor make, const wchar_t* dxfName, const wchar_t* appName)
    : m_name(name ? name : L""), m_parent(parent), m_dwgVer(dwgVer), m_maintVer(maintVer),
      m_proxyFlags(proxyFlags), m_make(make), m_dxfName(dxfName ? dxfName : L""),
      m_appName(appName ? appName : L"") {}

AcRxClass* AcRxClass::desc() {
    static AcRxClass* s = host::registerHostClass(L"AcRxClass", AcRxObject::desc(), L"", nullptr);
    return s;
}

AcRxClass* AcRxClass::isA() const { return AcRxClass::desc(); }

bool AcRxClass::isDerivedFrom(const AcRxClass* other) const {
    for (const AcRxClass* c = this; c; c = c->m_parent)
        if (c == other) return true;
    return false;
}

AcRxObject* AcRxClass::addX(AcRxClass* protocolClass, AcRxObject* protocolObject) {
    AcRxObject*& slot = m_extensions[protocolClass];
    AcRxObject* old = slot;
    slot = protocolObject;
    return old;
}

AcRxObject* AcRxClass::getX(const AcRxClass* protocolClass) const {
    auto it = m_extensions.find(protocolClass);
    return it == m_extensions.end() ? nullptr : it->second;
}

AcRxObject* AcRxClass::delX(AcRxClass* protocolClass) {
    auto it = m_extensions.find(protocolClass);
    if (it == m_extensions.end()) return nullptr;
    AcRxObject* old = it->second;
    m_extensions.erase(it);
    return old;
}

AcRxObject* AcRxClass::queryX(const AcRxClass* protocolClass) const {
    // Inherited: the nearest class up the tree that carries the protocol answers.
    for (const AcRxClass* c = this; c; c = c->m_parent)
        if (AcRxObject* x = c->getX(protocolClass)) return x;
    return nullptr;
}

// ---- registration -------------------------------------------------------------

namespace {
// The class dictionary holds classes only, so no runtime check (which would need
// AcRxClass::desc() while it is being made).
AcRxClass* classAt(const wchar_t* name) { return static_cast<AcRxClass*>(acrxClassDictionary->at(name)); }
} // namespace

AcRxClass* newAcRxClass(const wchar_t* className, const wchar_t* parentClassName, int dwgVer, int maintVer,
                        int proxyFlags, AcRxPseudoConstructor make, const wchar_t* dxfName,
                        const wchar_t* appName, AppNameChangeFuncPtr) {
    auto* cls = new AcRxClass(className, nullptr, dwgVer, maintVer, proxyFlags, make, dxfName, appName);
    // The parent may come later (a module registered before the host used its
    // parent, or a module's own classes in any order): then the class waits for it.
    host::linkParent(cls, parentClassName);
    AcRxClass* replaced = static_cast<AcRxClass*>(acrxClassDictionary->atPut(className, cls));
    if (replaced) {
        host::forgetClass(replaced);
        delete replaced;
    }
    host::adoptWaitingChildren(cls);
    return cls;
}

AcRxClass* newAcRxClass(const wchar_t* className, const wchar_t* parentClassName, int proxyFlags,
                        AcRxPseudoConstructor make, const wchar_t* dxfName, const wchar_t* appName) {
    return newAcRxClass(className, parentClassName, 0, 0, proxyFlags, make, dxfName, appName, nullptr);
}

namespace host {

bool rxInitExisting(AcRxClass* held, const wchar_t* className) {
    if (!held) return false;
    AcRxObject* registered = acrxClassDictionary->at(className);
    if (!registered) return false;
    if (registered == held) return true;
    acrx_abort(L"Class mismatch");
}

AcRxClass* registerHostClass(const wchar_t* name, AcRxClass* parent, const wchar_t* dxfName,
                             AcRxPseudoConstructor make) {
    if (AcRxClass* existing = classAt(name)) return existing;
    auto* cls = new AcRxClass(name, parent, 0, 0, 0, make, dxfName, L"");
    acrxClassDictionary->atPut(name, cls);
    adoptWaitingChildren(cls);
    return cls;
}

} // namespace host
