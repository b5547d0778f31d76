#pragma once
// MATCHPROP for the module's entities, and the reactor that attaches it when the
// host loads MATCHPROP's application after the module.
#include "host/db/entities/AcDbMatchProperties.h"
#include "host/rx/AcRxDLinkerReactor.h"

class TRdimMatchProp : public AcDbMatchProperties {
public:
    void copyProperties(AcDbEntity* pSrcEntity, AcDbEntity* pTrgEntity, unsigned int flag) const override;
};

class AppEventCatcher : public AcRxDLinkerReactor {
public:
    void rxAppLoaded(const wchar_t* moduleName) override;
    void rxAppUnloaded(const wchar_t* moduleName) override;
};

// Attaches the extension to the module's classes; false while MATCHPROP's service is
// not there.
bool addMatchTRdim();
void RemoveMatchTRdim();
bool IsMatchExtensionAdded();
