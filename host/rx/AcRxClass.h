#pragma once
// A registered runtime class: its name, parent, DXF name, application name, drawing
// and maintenance versions, proxy flags, pseudo-constructor and protocol extensions.
#include "host/rx/AcRxObject.h"

#include <map>
#include <string>

class AcRxClass : public AcRxObject {
public:
    AcRxClass(const wchar_t* name, AcRxClass* parent, int dwgVer, int maintVer, int proxyFlags,
              AcRxPseudoConstructor make, const wchar_t* dxfName, const wchar_t* appName);
    ~AcRxClass() override = default;

    static AcRxClass* desc();
    static AcRxClass* cast(const AcRxObject* p) {
        return (p && p->isKindOf(AcRxClass::desc())) ? const_cast<AcRxClass*>(static_cast<const AcRxClass*>(p))
                                                     : nullptr;
    }
    AcRxClass* isA() const override;

    const wchar_t* name() const { return m_name.c_str(); }
    const wchar_t* dxfName() const { return m_dxfName.c_str(); }
    const wchar_t* appName() const { return m_appName.c_str(); }
    AcRxClass* myParent() const { return m_parent; }
    int proxyFlags() const { return m_proxyFlags; }
    int getClassVersion(int& maintVer) const {
        maintVer = m_maintVer;
        return m_dwgVer;
    }
    AcRxObject* create() const { return m_make ? m_make() : nullptr; }
    bool isDerivedFrom(const AcRxClass* other) const;

    // Protocol extensions: an object of `protocolClass`'s kind attached to this class.
    // addX returns the extension it replaced (the caller owns it), delX the one removed.
    AcRxObject* addX(AcRxClass* protocolClass, AcRxObject* protocolObject);
    AcRxObject* getX(const AcRxClass* protocolClass) const;
    AcRxObject* delX(AcRxClass* protocolClass);
    AcRxObject* queryX(const AcRxClass* protocolClass) const override;

    // Kept for the host's own bookkeeping: rxInit() re-parents when needed.
    void setParent(AcRxClass* parent) { m_parent = parent; }

private:
    std::wstring m_name;
    AcRxClass* m_parent;
    int m_dwgVer;
    int m_maintVer;
    int m_proxyFlags;
    AcRxPseudoConstructor m_make;
    std::wstring m_dxfName;
    std::wstring m_appName;
    std::map<const AcRxClass*, AcRxObject*> m_extensions;
};
