#include "host/rx/AcRxService.h"

#include "host/rx/AcRxClass.h"
#include "host/rx/AcRxDictionary.h"

ACRX_HOST_DEFINE_MEMBERS(AcRxService, AcRxObject, L"", [] { return static_cast<AcRxObject*>(new AcRxService); })

AcRxObject* acrxRegisterService(const wchar_t* serviceName) {
    if (!serviceName || !*serviceName || acrxServiceDictionary->has(serviceName)) return nullptr;
    auto* service = new AcRxService;
    acrxServiceDictionary->atPut(serviceName, service);
    return service;
}

bool acrxServiceIsRegistered(const wchar_t* serviceName) {
    return serviceName && *serviceName && acrxServiceDictionary->has(serviceName);
}

bool acrxUnregisterService(const wchar_t* serviceName) {
    if (!acrxServiceIsRegistered(serviceName)) return false;
    delete acrxServiceDictionary->remove(serviceName);
    return true;
}
