#pragma once
// What a module hears of documents coming, going, becoming current and changing
// their locks. Every callback does nothing unless overridden.
#include "host/ap/AcApDocument.h"
#include "host/rx/AcRxObject.h"

class AcApDocManagerReactor : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcApDocManagerReactor);
    ~AcApDocManagerReactor() override = default;

    virtual void documentCreated(AcApDocument* pDocCreating) {}
    virtual void documentToBeDestroyed(AcApDocument* pDocToDestroy) {}
    virtual void documentDestroyed(const wchar_t* fileName) {}
    virtual void documentBecameCurrent(AcApDocument* pDoc) {}
    virtual void documentToBeActivated(AcApDocument* pActivatingDoc) {}
    virtual void documentActivated(AcApDocument* pActivatedDoc) {}
    virtual void documentLockModeChanged(AcApDocument* pDoc, AcAp::DocLockMode myPreviousMode,
                                         AcAp::DocLockMode myCurrentMode, AcAp::DocLockMode currentMode,
                                         const wchar_t* pGlobalCmdName) {}

protected:
    AcApDocManagerReactor() = default;
};
