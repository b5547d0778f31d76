#include "host/db/database/AcDbHostApplicationServices.h"

ACRX_HOST_DEFINE_MEMBERS(AcDbHostApplicationServices, AcRxObject, L"", nullptr)

namespace {
AcDbHostApplicationServices*& current() {
    static AcDbHostApplicationServices defaults;
    static AcDbHostApplicationServices* services = &defaults;
    return services;
}
} // namespace

AcDbHostApplicationServices* acdbHostApplicationServices() { return current(); }

AcDbHostApplicationServices* acdbSetHostApplicationServices(AcDbHostApplicationServices* services) {
    AcDbHostApplicationServices* old = current();
    if (services) {
        services->setWorkingDatabase(old->workingDatabase());
        current() = services;
    }
    return old;
}
