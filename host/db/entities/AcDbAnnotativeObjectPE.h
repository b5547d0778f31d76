#pragma once
// The protocol extension through which an object is made annotative (scaled
// with the drawing's annotation scale). The host attaches it to texts, multiline
// texts and block references; classes without it cannot be annotative.
#include "host/rx/AcRxObject.h"

class AcDbObject;
class AcRxClass;

class AcDbAnnotativeObjectPE : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbAnnotativeObjectPE);
    ~AcDbAnnotativeObjectPE() override = default;

    virtual bool annotative(AcDbObject* pObject) const;
    // The object must be an entity open for write.
    virtual Acad::ErrorStatus setAnnotative(AcDbObject* pObject, const bool bAnnotative);
    virtual Acad::ErrorStatus resetScaleDependentProperties(AcDbObject* pObject) { return Acad::eOk; }
};

namespace host {
// Attaches the host's annotative protocol to its annotative classes (once; later
// calls do nothing).
void registerAnnotativeProtocol();
// Attaches it to one more class (dimensions come from elsewhere).
void attachAnnotativeProtocol(AcRxClass* cls);
} // namespace host
