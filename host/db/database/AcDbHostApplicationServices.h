#pragma once
// What the host tells the database layer about itself: the working database
// (the one new objects and ads functions use) and the product's names.
#include "host/rx/AcRxObject.h"

class AcDbDatabase;

class AcDbHostApplicationServices : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbHostApplicationServices);

    AcDbDatabase* workingDatabase() const { return m_working; }
    // Null clears it; a database that is deleted stops being the working one.
    void setWorkingDatabase(AcDbDatabase* pDatabase) { m_working = pDatabase; }

    virtual const wchar_t* product() const { return L"lintaro host"; }
    virtual const wchar_t* program() const { return L"lintaro"; }
    virtual const wchar_t* companyName() const { return L"lintaro"; }
    virtual const wchar_t* releaseMarker() const { return L"R19.0"; }
    virtual const wchar_t* versionString() const { return L"19.0"; }
    virtual const wchar_t* getMachineRegistryProductRootKey() const { return L"Software\\lintaro\\R19.0\\host"; }
    virtual const wchar_t* getUserRegistryProductRootKey() const { return L"Software\\lintaro\\R19.0\\host"; }
    virtual bool readyToDisplayMessages() const { return true; }

private:
    AcDbDatabase* m_working = nullptr;
};

AcDbHostApplicationServices* acdbHostApplicationServices();
// Lets a host put its own services in place; the previous ones are returned.
AcDbHostApplicationServices* acdbSetHostApplicationServices(AcDbHostApplicationServices* services);
