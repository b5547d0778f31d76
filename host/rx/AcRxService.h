#pragma once
// A named service in the host's service dictionary. Modules register one to say
// "I am here"; others add a dependency so the service's module stays loaded.
#include "host/rx/AcRxObject.h"

class AcRxService : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcRxService);

    AcRxService() = default;
    ~AcRxService() override = default;

    // Information the service's module attaches; not owned by the service.
    AcRxObject* getSysInfo() const { return m_sysInfo; }
    void setSysInfo(AcRxObject* sysInfo) { m_sysInfo = sysInfo; }

    void addDependency() { ++m_dependencies; }
    // Never goes below zero: an extra remove is a caller's slip, not a reason to
    // make the service look unloadable forever.
    void removeDependency() {
        if (m_dependencies > 0) --m_dependencies;
    }
    int dependencyCount() const { return m_dependencies; }
    bool unloadable() const { return m_dependencies == 0; }

private:
    AcRxObject* m_sysInfo = nullptr;
    int m_dependencies = 0;
};

// Creates a service and adds it to the service dictionary. Returns the new service,
// or null when the name is empty or already taken (nothing is changed then).
AcRxObject* acrxRegisterService(const wchar_t* serviceName);
bool acrxServiceIsRegistered(const wchar_t* serviceName);
// Removes the service from the dictionary and deletes it; false when there is none.
bool acrxUnregisterService(const wchar_t* serviceName);
