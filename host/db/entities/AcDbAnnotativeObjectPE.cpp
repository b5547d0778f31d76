#include "host/db/entities/AcDbAnnotativeObjectPE.h"

#include "host/db/entities/AcDbBlockReference.h"
#include "host/db/entities/AcDbMText.h"
#include "host/db/entities/AcDbText.h"
#include "host/rx/AcRxClass.h"

ACRX_HOST_DEFINE_MEMBERS(AcDbAnnotativeObjectPE, AcRxObject, L"", nullptr)

bool AcDbAnnotativeObjectPE::annotative(AcDbObject* pObject) const {
    const AcDbEntity* ent = AcDbEntity::cast(pObject);
    return ent && ent->isAnnotative();
}

Acad::ErrorStatus AcDbAnnotativeObjectPE::setAnnotative(AcDbObject* pObject, const bool bAnnotative) {
    AcDbEntity* ent = AcDbEntity::cast(pObject);
    if (!ent) return Acad::eNotAnEntity;
    if (!ent->isWriteEnabled()) return Acad::eNotOpenForWrite;
    return ent->setAnnotative(bAnnotative);
}

namespace host {

namespace {
AcDbAnnotativeObjectPE* sharedProtocol() {
    static AcDbAnnotativeObjectPE pe;
    return &pe;
}
} // namespace

void attachAnnotativeProtocol(AcRxClass* cls) {
    if (cls && !cls->getX(AcDbAnnotativeObjectPE::desc()))
        cls->addX(AcDbAnnotativeObjectPE::desc(), sharedProtocol());
}

void registerAnnotativeProtocol() {
    static bool done = false;
    if (done) return;
    done = true;
    attachAnnotativeProtocol(AcDbText::desc());
    attachAnnotativeProtocol(AcDbMText::desc());
    attachAnnotativeProtocol(AcDbBlockReference::desc());
}

} // namespace host
