#pragma once
// The extended data of one object: per registered application, in the order the
// applications were first given, its groups (1000 .. 1071). Checked as a whole
// before anything changes, so a refused chain leaves the old data.
#include "host/db/database/adesk.h"
#include "host/rx/acadstrc.h"
#include "host/rx/adsdef.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class AcDbDwgFiler;
class AcGeMatrix3d;

namespace host {

// The host's limit of extended data per object, in bytes.
inline constexpr size_t kMaxXDataBytes = 16383;

struct XDataItem {
    short code = 0;
    std::wstring text;               // 1000, 1002, 1003, 1005
    double v[3] = {0.0, 0.0, 0.0};   // 1010 .. 1013
    double real = 0.0;               // 1040 .. 1042
    int32_t integer = 0;             // 1070, 1071
    std::vector<uint8_t> bytes;      // 1004
    bool operator==(const XDataItem& o) const;
};

struct XDataApp {
    std::wstring name;
    std::vector<XDataItem> items;
};

class XDataStore {
public:
    bool empty() const { return m_apps.empty(); }
    const std::vector<XDataApp>& apps() const { return m_apps; }

    // Applies a chain of application sections (an optional leading -3 is
    // skipped). `isRegistered` tells whether an application name may be used.
    Acad::ErrorStatus set(const resbuf* chain, const std::function<bool(const std::wstring&)>& isRegistered);
    // The sections of one application (case-insensitive name) or of all (null).
    resbuf* get(const wchar_t* appName) const;
    // Bytes the data takes by the host's count.
    size_t byteSize() const { return byteSizeOf(m_apps); }
    static size_t byteSizeOf(const std::vector<XDataApp>& apps);

    void transformBy(const AcGeMatrix3d& xform);

    Acad::ErrorStatus dwgOut(AcDbDwgFiler* filer) const;
    Acad::ErrorStatus dwgIn(AcDbDwgFiler* filer);

    bool operator==(const XDataStore& o) const;

private:
    std::vector<XDataApp> m_apps;
};

} // namespace host
