#pragma once
// Makes the objects of a drawing file's checked layout in a database: the classes
// and the header first, then the objects one by one, each read from whatever
// buffer holds its record, then what needs all of them (proxies' graphics, the
// symbol tables). A class this process does not have gives a proxy that keeps the
// object's bytes and graphics. The first failure stops it with its offset; what
// was made before it stays in the database for the caller to take back.
#include "host/db/database/AcDbHandle.h"
#include "host/db/database/AcDbObjectId.h"
#include "host/io/DrawingImage.h"
#include "host/io/DrawingReader.h"
#include "host/rx/DemandLoad.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

class AcDbDatabase;
class AcDbObject;
class AcRxClass;

namespace host::io {

// Where the first failure was found (in the buffer it was found in) and what it was.
struct LoadFailure {
    size_t offset = 0;
    std::wstring what;
    bool inObjects = false; // in the object list (else in the header or its tables)
};

// Makes the objects of a checked layout: the classes and the header first, then the
// objects one by one (from wherever their bytes are), then what needs all of them.
class DrawingLoader {
public:
    DrawingLoader(const DrawingImage& image, AcDbDatabase* db, DrawingReadReport& report)
        : m_image(image), m_db(db), m_report(report) {}

    // `head` is the buffer the image's header offset counts in.
    bool begin(const uint8_t* head);
    // `bytes` is the buffer the record's offsets count in; it need not outlive the call.
    bool readObject(const ObjectRecord& rec, const uint8_t* bytes);
    bool end();
    const LoadFailure& failure() const { return m_failure; }

private:
    struct KeptProxy {
        AcDbObject* proxy;
        uint64_t handle;
        size_t graphicsOffset;
        std::vector<uint8_t> graphics;
    };
    bool fail(size_t offset, std::wstring what);
    void resolveClasses();
    bool readHeader(const uint8_t* head);
    bool readObject(const ObjectRecord& rec);
    // The object's bytes alone: a read past them fails instead of reading the next object.
    Acad::ErrorStatus readFields(const ObjectRecord& rec, AcDbObject* obj);
    AcDbObject* readOwnClass(const ObjectRecord& rec, AcRxClass* cls, bool& refused);
    bool checkGraphics(const ObjectRecord& rec);
    AcDbObject* proxyFor(const ObjectRecord& rec);
    bool giveProxiesGraphics();
    bool checkTables();

    const uint8_t* m_data = nullptr; // the buffer of the object being read
    const DrawingImage& m_image;
    AcDbDatabase* m_db;
    DrawingReadReport& m_report;
    std::vector<KeptProxy> m_proxies;
    std::vector<AcRxClass*> m_classes; // null: kept as a proxy
    AcDbHandle m_handseed;
    AcDbObjectId m_tables[6];
    std::map<std::wstring, size_t> m_proxiesByClass;
    std::map<std::wstring, size_t> m_refusedByClass;
    std::map<std::wstring, DemandLoadResult> m_demandLoads;
    LoadFailure m_failure;
};

} // namespace host::io
