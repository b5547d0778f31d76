#include "host/db/entities/AcDbMatchProperties.h"

#include "host/rx/AcRxClass.h"
#include "host/rx/AcRxService.h"

ACRX_HOST_DEFINE_MEMBERS(AcDbMatchProperties, AcRxObject, L"", nullptr)

namespace host {

void registerMatchPropertiesService() {
    AcDbMatchProperties::desc();
    if (!acrxServiceIsRegistered(L"MatchProperties")) acrxRegisterService(L"MatchProperties");
}

} // namespace host
