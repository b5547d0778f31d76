#include "host/io/DrawingReader.h"

#include "host/db/tables/AcDbBlockTable.h"
#include "host/db/database/AcDbDatabase.h"
#include "host/db/tables/AcDbDimStyleTable.h"
#include "host/db/entities/AcDbEntity.h"
#include "host/db/tables/AcDbLayerTable.h"
#include "host/db/tables/AcDbLinetypeTable.h"
#include "host/db/tables/AcDbRegAppTable.h"
#include "host/db/tables/AcDbTextStyleTable.h"
#include "host/db/database/DatabaseClasses.h"
#include "host/db/database/DatabaseHeader.h"
#include "host/db/filing/DwgBufferFiler.h"
#include "host/db/database/ObjectAccess.h"
#include "host/gi/GiRecordingBytes.h"
#include "host/io/DrawingImage.h"
#include "host/io/DrawingSections.h"
#include "host/io/DrawingSignature.h"
#include "host/io/ProxyBridge.h"
#include "host/rx/AcRxClass.h"
#include "host/rx/AcRxDictionary.h"
#include "host/rx/DemandLoad.h"
#include "host/win/FormatW.h"

#include <map>
#include <optional>

namespace host::io {

namespace {

// What a failed read of an object's own bytes means, for the message.
std::wstring statusMeaning(Acad::ErrorStatus es) {
    switch (es) {
    case Acad::eEndOfFile:
        return L"its data ends too early";
    case Acad::eInvalidDwgVersion:
        return L"it was written in a version of its class this program does not know";
    case Acad::eInvalidInput:
        return L"it holds values out of range";
    case Acad::eDwgObjectImproperlyRead:
        return L"it left some of its data unread";
    default:
        return FormatW(L"error status %d", int(es));
    }
}

struct Failure {
    size_t offset;
    std::wstring what;
};

class Loader {
public:
    Loader(const uint8_t* data, const DrawingImage& image, AcDbDatabase* db, DrawingReadReport& report)
        : m_data(data), m_image(image), m_db(db), m_report(report) {}

    bool run();
    const Failure& failure() const { return m_failure; }

private:
    bool fail(size_t offset, std::wstring what);
    void resolveClasses();
    bool readHeader();
    bool readObject(const ObjectRecord& rec);
    // The object's bytes alone: a read past them fails instead of reading the next object.
    Acad::ErrorStatus readFields(const ObjectRecord& rec, AcDbObject* obj);
    AcDbObject* readOwnClass(const ObjectRecord& rec, AcRxClass* cls, bool& refused);
    bool checkGraphics(const ObjectRecord& rec);
    AcDbObject* proxyFor(const ObjectRecord& rec);
    bool giveProxiesGraphics();
    bool checkTables();

    const uint8_t* m_data;
    const DrawingImage& m_image;
    AcDbDatabase* m_db;
    DrawingReadReport& m_report;
    std::vector<std::pair<AcDbObject*, const ObjectRecord*>> m_proxies;
    std::vector<AcRxClass*> m_classes; // null: kept as a proxy
    AcDbHandle m_handseed;
    AcDbObjectId m_tables[6];
    std::map<std::wstring, size_t> m_proxiesByClass;
    std::map<std::wstring, size_t> m_refusedByClass;
    std::map<std::wstring, DemandLoadResult> m_demandLoads;
    Failure m_failure{0, {}};
};

bool Loader::fail(size_t offset, std::wstring what) {
    m_failure = {offset, std::move(what)};
    return false;
}

void Loader::resolveClasses() {
    registerDatabaseClasses();
    for (const ClassRecord& c : m_image.classes) {
        AcRxClass* cls = AcRxClass::cast(acrxClassDictionary->at(c.name.c_str()));
        // An application installed for demand loading is loaded before its objects
        // are read, so they come in alive instead of as proxies.
        if (!cls && (c.flags & kClassIsCustom)) {
            m_demandLoads[c.name] = demandLoadForClass(c.appName);
            cls = AcRxClass::cast(acrxClassDictionary->at(c.name.c_str()));
        }
        const bool isObject = cls && cls->isDerivedFrom(AcDbObject::desc());
        // A class of that name that is not what the file says it is cannot read its bytes.
        if (!isObject || cls->isDerivedFrom(AcDbEntity::desc()) != ((c.flags & kClassIsEntity) != 0))
            cls = nullptr;
        m_classes.push_back(cls);
    }
}

bool Loader::readHeader() {
    const uint8_t* start = m_data + m_image.headerOffset;
    DwgBufferFiler filer(std::vector<uint8_t>(start, start + m_image.headerSize), AcDb::kFileFiler, m_db);
    filer.readAcDbHandle(&m_handseed);
    for (AcDbObjectId& table : m_tables) {
        AcDbHardOwnershipId id;
        filer.readHardOwnershipId(&id);
        table = id;
    }
    Acad::ErrorStatus es = filer.filerStatus();
    if (es == Acad::eOk) es = m_db->header().dwgIn(&filer);
    if (es == Acad::eOk && filer.bytesRemaining() != 0) es = Acad::eDwgObjectImproperlyRead;
    if (es != Acad::eOk)
        return fail(m_image.headerOffset, L"the header variables cannot be read: " + statusMeaning(es));
    return true;
}

Acad::ErrorStatus Loader::readFields(const ObjectRecord& rec, AcDbObject* obj) {
    const uint8_t* start = m_data + rec.dataOffset;
    DwgBufferFiler filer(std::vector<uint8_t>(start, start + rec.dataSize), AcDb::kFileFiler, m_db);
    Acad::ErrorStatus es = Acad::eOk;
    try {
        es = obj->dwgIn(&filer);
    } catch (...) {
        // An add-on's class that throws on bad bytes refuses them like any other.
        es = Acad::eDwgObjectImproperlyRead;
    }
    return es == Acad::eOk && filer.bytesRemaining() != 0 ? Acad::eDwgObjectImproperlyRead : es;
}

AcDbObject* Loader::readOwnClass(const ObjectRecord& rec, AcRxClass* cls, bool& refused) {
    refused = false;
    AcRxObject* made = cls->create();
    AcDbObject* obj = AcDbObject::cast(made);
    if (!obj) {
        delete made;
        return nullptr;
    }
    Acad::ErrorStatus es = readFields(rec, obj);
    if (es == Acad::eOk) return obj;
    delete obj;
    refused = true;
    const ClassRecord& c = m_image.classes[rec.classIndex];
    if (!(c.flags & kClassIsCustom))
        fail(rec.dataOffset,
             FormatW(L"object %s (%s) cannot be read: %s", AcDbHandle(rec.handle).text().c_str(),
                     c.name.c_str(), statusMeaning(es).c_str()));
    return nullptr;
}

bool Loader::checkGraphics(const ObjectRecord& rec) {
    if (!rec.hasGraphics) return true;
    gi::GiRecording recording;
    std::wstring error;
    if (gi::recordingFromBytes(m_data + rec.graphicsOffset, rec.graphicsSize, recording, error)) return true;
    return fail(rec.graphicsOffset, FormatW(L"the proxy graphics of object %s are damaged (%s)",
                                            AcDbHandle(rec.handle).text().c_str(), error.c_str()));
}

AcDbObject* Loader::proxyFor(const ObjectRecord& rec) {
    const ClassRecord& c = m_image.classes[rec.classIndex];
    AcDbObject* proxy = makeProxy(c);
    if (!proxy) {
        fail(rec.recordOffset,
             FormatW(L"object %s of class %s cannot be kept: the class is not loaded and the "
                     L"host keeps only entities of unknown classes",
                     AcDbHandle(rec.handle).text().c_str(), c.name.c_str()));
        return nullptr;
    }
    const Acad::ErrorStatus es = readFields(rec, proxy);
    if (es != Acad::eOk) {
        delete proxy;
        fail(rec.dataOffset,
             FormatW(L"object %s (%s) cannot be read even as a proxy: %s",
                     AcDbHandle(rec.handle).text().c_str(), c.name.c_str(), statusMeaning(es).c_str()));
        return nullptr;
    }
    return proxy;
}

// Once every object is in, the ids in the graphics (layers, linetypes) can be found.
bool Loader::giveProxiesGraphics() {
    for (const auto& [proxy, rec] : m_proxies) {
        if (!rec->hasGraphics) continue;
        std::vector<uint8_t> bytes(m_data + rec->graphicsOffset,
                                   m_data + rec->graphicsOffset + rec->graphicsSize);
        std::wstring error;
        if (!setProxyGraphics(proxy, bytes, error))
            return fail(rec->graphicsOffset, FormatW(L"the proxy graphics of object %s are damaged (%s)",
                                                     AcDbHandle(rec->handle).text().c_str(), error.c_str()));
    }
    return true;
}

bool Loader::readObject(const ObjectRecord& rec) {
    if (!checkGraphics(rec)) return false;
    const ClassRecord& c = m_image.classes[rec.classIndex];
    AcRxClass* cls = m_classes[rec.classIndex];
    AcDbObject* obj = nullptr;
    if (cls) {
        bool refused = false;
        obj = readOwnClass(rec, cls, refused);
        if (!m_failure.what.empty()) return false;
        if (refused) ++m_refusedByClass[c.name];
    }
    const bool isProxy = !obj;
    if (isProxy) {
        obj = proxyFor(rec);
        if (!obj) return false;
        ++m_proxiesByClass[c.name];
        ++m_report.proxyCount;
    }
    AcDbObjectId id;
    if (m_db->addAcDbObjectWithHandle(id, obj, AcDbHandle(rec.handle)) != Acad::eOk) {
        delete obj;
        return fail(rec.recordOffset,
                    FormatW(L"object %s cannot take its handle", AcDbHandle(rec.handle).text().c_str()));
    }
    if (rec.owner != 0) {
        AcDbObjectId owner;
        m_db->getAcDbObjectId(owner, true, AcDbHandle(rec.owner));
        ObjectAccess::setOwner(obj, owner);
    }
    // Set on the slot directly: reading a drawing tells no one that anything was erased.
    if (rec.erased) static_cast<AcDbStub*>(id)->erased = true;
    if (isProxy) m_proxies.emplace_back(obj, &rec);
    ++m_report.objectCount;
    return true;
}

template <class Table> bool isTable(AcDbObjectId id) {
    return id.isValid() && !id.isErased() && Table::cast(static_cast<AcDbStub*>(id)->object) != nullptr;
}

bool Loader::checkTables() {
    const bool tables = isTable<AcDbBlockTable>(m_tables[0]) && isTable<AcDbLayerTable>(m_tables[1]) &&
                        isTable<AcDbTextStyleTable>(m_tables[2]) && isTable<AcDbLinetypeTable>(m_tables[3]) &&
                        isTable<AcDbDimStyleTable>(m_tables[4]) && isTable<AcDbRegAppTable>(m_tables[5]);
    if (!tables) return fail(m_image.headerOffset, L"the header names symbol tables the file does not hold");
    m_db->setTableIds(m_tables[0], m_tables[1], m_tables[2], m_tables[3], m_tables[4], m_tables[5]);
    if (!m_db->modelSpaceId().isValid() || !m_db->layerZero().isValid())
        return fail(m_image.headerOffset, L"the drawing has no model space or no layer \"0\"");
    m_db->setHandseed(m_handseed);
    return true;
}

bool Loader::run() {
    resolveClasses();
    if (!readHeader()) return false;
    for (const ObjectRecord& rec : m_image.objects)
        if (!readObject(rec)) return false;
    if (!giveProxiesGraphics() || !checkTables()) return false;
    std::vector<ClassRecord> proxyClasses;
    for (const auto& [name, count] : m_proxiesByClass)
        for (const ClassRecord& c : m_image.classes)
            if (c.name == name) proxyClasses.push_back(c);
    rememberProxyClasses(m_db, proxyClasses);
    for (const auto& [name, count] : m_proxiesByClass) {
        const auto demand = m_demandLoads.find(name);
        std::wstring why = L"the application that defines the class is not loaded";
        if (m_refusedByClass.count(name))
            why = L"the loaded application could not read them";
        else if (demand != m_demandLoads.end() && demand->second == DemandLoadResult::Failed)
            why = L"the application that defines the class is installed but could not be loaded";
        m_report.warnings.push_back(
            FormatW(L"%zu object(s) of class %s are kept as proxies: %s.", count, name.c_str(), why.c_str()));
    }
    return true;
}

} // namespace

namespace {
// The bytes the objects are read from: the file's own, or its parts unpacked.
struct Layout {
    const uint8_t* data = nullptr;
    size_t size = 0;
    std::optional<UnpackedDrawing> unpacked;
    // Where byte `offset` of the layout came from in the file.
    size_t fileOffset(size_t offset) const { return unpacked ? unpacked->fileOffsetOf(offset) : offset; }
};

bool refuse(DrawingReadReport& report, const std::wstring& name, size_t offset, const std::wstring& what) {
    report.errorOffset = offset;
    report.error = FormatW(L"\"%s\" is damaged at byte %zu: %s.", name.c_str(), offset, what.c_str());
    report.status = Acad::eDwgNotRecoverable;
    return false;
}

// Checks the signature and the layout, unpacking a packed file first; false with
// the report filled.
bool parseChecked(const uint8_t* data, size_t size, const std::wstring& name, Layout& layout, DrawingImage& image,
                  DrawingReadReport& report, bool verifyChecksum) {
    const DrawingSignature signature = sniffDrawingFile(data, size);
    if (signature.kind != DrawingFileKind::Ours) {
        report.error = foreignFileMessage(name, signature);
        report.status =
            signature.kind == DrawingFileKind::OtherDwg ? Acad::eInvalidDwgVersion : Acad::eInvalidInput;
        return false;
    }
    layout.data = data;
    layout.size = size;
    ImageError imageError;
    if (drawingFormatVersion(data, size) == kPackedFormatVersion) {
        layout.unpacked.emplace();
        if (!unpackDrawing(data, size, *layout.unpacked, imageError, verifyChecksum))
            return refuse(report, name, imageError.offset, imageError.what);
        layout.data = layout.unpacked->layout.data();
        layout.size = layout.unpacked->layout.size();
        verifyChecksum = false; // each part had its own
    }
    if (parseDrawingImage(layout.data, layout.size, image, imageError, verifyChecksum)) return true;
    return refuse(report, name, layout.fileOffset(imageError.offset), imageError.what);
}

bool load(const Layout& layout, const std::wstring& name, const DrawingImage& image, AcDbDatabase* db,
          DrawingReadReport& report) {
    Loader loader(layout.data, image, db, report);
    if (loader.run()) {
        db->setModifiedSinceSave(false);
        return true;
    }
    refuse(report, name, layout.fileOffset(loader.failure().offset), loader.failure().what);
    report.warnings.clear();
    report.objectCount = report.proxyCount = 0;
    return false;
}
} // namespace

std::unique_ptr<AcDbDatabase> drawingFromBytes(const uint8_t* data, size_t size, const std::wstring& name,
                                               DrawingReadReport& report, const DrawingReadOptions& options) {
    report = DrawingReadReport();
    DrawingImage image;
    Layout layout;
    if (!parseChecked(data, size, name, layout, image, report, options.verifyChecksum)) return nullptr;
    auto db = std::make_unique<AcDbDatabase>(false, true);
    if (!load(layout, name, image, db.get(), report)) return nullptr;
    return db;
}

bool checkDrawingBytes(const uint8_t* data, size_t size, const std::wstring& name,
                       DrawingReadReport& report) {
    report = DrawingReadReport();
    DrawingImage image;
    Layout layout;
    return parseChecked(data, size, name, layout, image, report, true);
}

bool drawingIntoDatabase(const uint8_t* data, size_t size, const std::wstring& name, AcDbDatabase* target,
                         DrawingReadReport& report) {
    report = DrawingReadReport();
    if (!target || target->approxNumObjects() != 0) {
        report.error =
            L"A drawing can only be read into an empty database (one made without a default drawing).";
        report.status = Acad::eInvalidInput;
        return false;
    }
    DrawingImage image;
    Layout layout;
    if (!parseChecked(data, size, name, layout, image, report, true)) return false;
    // One read, straight into the target (AcDbDatabase::readDwgFile takes back what a
    // file damaged halfway brought in).
    return load(layout, name, image, target, report);
}

} // namespace host::io
