#pragma once
// A registered application: the name extended data is filed under.
#include "host/db/tables/AcDbSymbolTableRecord.h"

class AcDbRegAppTableRecord : public AcDbSymbolTableRecord {
public:
    ACRX_DECLARE_MEMBERS(AcDbRegAppTableRecord);
    AcDbRegAppTableRecord() = default;
    ~AcDbRegAppTableRecord() override = default;
};

// Registers an application name in the working database (RTNORM, also when it was
// registered already; RTERROR for a name the host does not allow or no database).
int acdbRegApp(const wchar_t* appname);

namespace host {
// True when `appName` is a registered application of the database.
bool isRegisteredApp(AcDbDatabase* db, const std::wstring& appName);
} // namespace host
