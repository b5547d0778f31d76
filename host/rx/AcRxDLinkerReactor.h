#pragma once
// Notified by the dynamic linker as modules come and go. Every callback does
// nothing by default, so a reactor overrides only what it cares about.
#include "host/rx/AcRxObject.h"

class AcRxDLinkerReactor : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcRxDLinkerReactor);
    ~AcRxDLinkerReactor() override = default;

    virtual void rxAppWillBeLoaded(const wchar_t* moduleName) {}
    virtual void rxAppLoaded(const wchar_t* moduleName) {}
    virtual void rxAppLoadAborted(const wchar_t* moduleName) {}
    virtual void rxAppWillBeUnloaded(const wchar_t* moduleName) {}
    virtual void rxAppUnloaded(const wchar_t* moduleName) {}
    virtual void rxAppUnloadAborted(const wchar_t* moduleName) {}
};
