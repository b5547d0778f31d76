#pragma once
// The root of the host's runtime class system. Every class the host or a module
// registers answers desc(), isA(), isKindOf() and cast() through it.
#include "host/rx/acadstrc.h"

#include <cwchar>

class AcRxClass;

class AcRxObject {
public:
    virtual ~AcRxObject() = default;

    static AcRxClass* desc();
    static AcRxObject* cast(const AcRxObject* p) { return const_cast<AcRxObject*>(p); }
    virtual AcRxClass* isA() const;

    bool isKindOf(const AcRxClass* aClass) const;
    // Protocol extension attached to this object's class (or a parent's), or null.
    AcRxObject* x(const AcRxClass* protocolClass) const;
    virtual AcRxObject* queryX(const AcRxClass* protocolClass) const;

    virtual AcRxObject* clone() const { return nullptr; }
    virtual Acad::ErrorStatus copyFrom(const AcRxObject* other) { return Acad::eNotImplementedYet; }
    virtual bool isEqualTo(const AcRxObject* other) const { return this == other; }
};

typedef void (*AppNameChangeFuncPtr)(const AcRxClass* classObj, wchar_t*& newAppName, int saveVer);
typedef AcRxObject* (*AcRxPseudoConstructor)();

// Declares the class members every runtime class has. Use in the class body.
#define ACRX_DECLARE_MEMBERS(CLASS_NAME)                                                                 \
    AcRxClass* isA() const override;                                                                     \
    static AcRxClass* gpDesc;                                                                            \
    static AcRxClass* desc();                                                                            \
    static CLASS_NAME* cast(const AcRxObject* inPtr) {                                                   \
        return (inPtr == nullptr || !inPtr->isKindOf(CLASS_NAME::desc())) ? nullptr                      \
                                                                          : (CLASS_NAME*)inPtr;          \
    }                                                                                                    \
    static void rxInit();                                                                                \
    static void rxInit(AppNameChangeFuncPtr)

// Defines the members of a class that is registered explicitly with rxInit(), as a
// module does: desc() is null until rxInit() ran and after deleteAcRxClass().
#define ACRX_DXF_DEFINE_MEMBERS(CLASS_NAME, PARENT_CLASS, DWG_VERSION, MAINTENANCE_VERSION, PROXY_FLAGS, \
                                DXF_NAME, APP)                                                           \
    AcRxClass* CLASS_NAME::gpDesc = nullptr;                                                             \
    AcRxClass* CLASS_NAME::desc() { return gpDesc; }                                                     \
    AcRxClass* CLASS_NAME::isA() const { return desc(); }                                                \
    static AcRxObject* make##CLASS_NAME() { return new CLASS_NAME(); }                                   \
    void CLASS_NAME::rxInit() { rxInit(nullptr); }                                                       \
    void CLASS_NAME::rxInit(AppNameChangeFuncPtr fn) {                                                   \
        if (host::rxInitExisting(CLASS_NAME::gpDesc, L## #CLASS_NAME))                                   \
            return;                                                                                      \
        CLASS_NAME::gpDesc =                                                                             \
            newAcRxClass(L## #CLASS_NAME, L## #PARENT_CLASS, DWG_VERSION, MAINTENANCE_VERSION,           \
                         PROXY_FLAGS, &make##CLASS_NAME, L## #DXF_NAME, APP, fn);                       \
    }

// Defines the members of one of the host's own classes: registered on first use,
// parents first, so host classes work without an explicit start-up order. The class
// is known by name from start-up, so a module class that names it as its parent
// registers it too.
#define ACRX_HOST_DEFINE_MEMBERS(CLASS_NAME, PARENT_CLASS, DXF_NAME, MAKE)                                \
    AcRxClass* CLASS_NAME::gpDesc = nullptr;                                                             \
    [[maybe_unused]] static const bool CLASS_NAME##_isKnownHostClass =                                   \
        host::knowHostClass(L## #CLASS_NAME, &CLASS_NAME::desc);                                         \
    AcRxClass* CLASS_NAME::desc() {                                                                      \
        if (!gpDesc) gpDesc = host::registerHostClass(L## #CLASS_NAME, PARENT_CLASS::desc(), DXF_NAME, MAKE); \
        return gpDesc;                                                                                   \
    }                                                                                                    \
    AcRxClass* CLASS_NAME::isA() const { return desc(); }                                                \
    void CLASS_NAME::rxInit() { desc(); }                                                                \
    void CLASS_NAME::rxInit(AppNameChangeFuncPtr) { desc(); }

AcRxClass* newAcRxClass(const wchar_t* className, const wchar_t* parentClassName, int dwgVer, int maintVer,
                        int proxyFlags = 0, AcRxPseudoConstructor pseudoConstructor = nullptr,
                        const wchar_t* dxfName = nullptr, const wchar_t* appName = nullptr,
                        AppNameChangeFuncPtr func = nullptr);
AcRxClass* newAcRxClass(const wchar_t* className, const wchar_t* parentClassName, int proxyFlags = 0,
                        AcRxPseudoConstructor pseudoConstructor = nullptr, const wchar_t* dxfName = nullptr,
                        const wchar_t* appName = nullptr);

namespace host {
// For rxInit(): true when the class is already registered as `held`; aborts with
// "Class mismatch" when the dictionary holds another class object of that name.
bool rxInitExisting(AcRxClass* held, const wchar_t* className);
AcRxClass* registerHostClass(const wchar_t* name, AcRxClass* parent, const wchar_t* dxfName,
                             AcRxPseudoConstructor make);
// Makes a host class's desc() findable by the class name; returns true.
bool knowHostClass(const wchar_t* name, AcRxClass* (*desc)());
} // namespace host
