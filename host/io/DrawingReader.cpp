#include "host/io/DrawingReader.h"

#include "host/db/AcDbBlockTable.h"
#include "host/db/AcDbDatabase.h"
#include "host/db/AcDbDimStyleTable.h"
#include "host/db/AcDbEntity.h"
#include "host/db/AcDbLayerTable.h"
#include "host/db/AcDbLinetypeTable.h"
#include "host/db/AcDbRegAppTable.h"
#include "host/db/AcDbTextStyleTable.h"
#include "host/db/DatabaseClasses.h"
#include "host/db/DatabaseHeader.h"
#include "host/db/DwgBufferFiler.h"
#include "host/db/ObjectAccess.h"
#include "host/gi/GiRecordingBytes.h"
#include "host/io/DrawingImage.h"
#include "host/io/DrawingSignature.h"
#include "host/io/ProxyBridge.h"
#include "host/rx/AcRxClass.h"
#include "host/rx/AcRxDictionary.h"
#include "host/win/FormatW.h"

#include <map>

namespace host::io {

namespace {

// What a failed read of an object's own bytes means, for the message.
std::wstring statusMeaning(Acad::ErrorStatus es) {
    switch (es) {
    case Acad::eEndOfFile: return L"its data ends too early";
    case Acad::eInvalidDwgVersion: return L"it was written in a version of its class this program does not know";
    case Acad::eInvalidInput: return L"it holds values out of range";
    case Acad::eOk: return L"it left some of its data unread";
    default: return FormatW(L"error status %d", int(es));
    }
}

struct Failure {
    size_t offset;
    std::wstring what;
};

class Loader {
public:
    Loader(const uint8_t* data, size_t size, const DrawingImage& image, AcDbDatabase* db, DrawingReadReport& report)
        : m_image(image), m_db(db), m_report(report),
          m_filer(std::vector<uint8_t>(data, data + size), AcDb::kFileFiler, db) {}

    bool run();
    const Failure& failure() const { return m_failure; }

private:
    bool fail(size_t offset, std::wstring what);
    void resolveClasses();
    bool readHeader();
    bool readObject(const ObjectRecord& rec);
    AcDbObject* readOwnClass(const ObjectRecord& rec, AcRxClass* cls, bool& refused);
    bool checkGraphics(const ObjectRecord& rec);
    AcDbObject* proxyFor(const ObjectRecord& rec);
    bool checkTables();

    const DrawingImage& m_image;
    AcDbDatabase* m_db;
    DrawingReadReport& m_report;
    DwgBufferFiler m_filer;
    std::vector<AcRxClass*> m_classes; // null: kept as a proxy
    AcDbHandle m_handseed;
    AcDbObjectId m_tables[6];
    std::map<std::wstring, size_t> m_proxiesByClass;
    std::map<std::wstring, size_t> m_refusedByClass;
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
        const bool isObject = cls && cls->isDerivedFrom(AcDbObject::desc());
        // A class of that name that is not what the file says it is cannot read its bytes.
        if (!isObject || cls->isDerivedFrom(AcDbEntity::desc()) != ((c.flags & kClassIsEntity) != 0))
            cls = nullptr;
        m_classes.push_back(cls);
    }
}

bool Loader::readHeader() {
    m_filer.seek(Adesk::Int64(m_image.headerOffset), 0);
    m_filer.readAcDbHandle(&m_handseed);
    for (AcDbObjectId& table : m_tables) {
        AcDbHardOwnershipId id;
        m_filer.readHardOwnershipId(&id);
        table = id;
    }
    Acad::ErrorStatus es = m_filer.filerStatus();
    if (es == Acad::eOk) es = m_db->header().dwgIn(&m_filer);
    const size_t end = m_image.headerOffset + m_image.headerSize;
    if (es != Acad::eOk || size_t(m_filer.tell()) != end)
        return fail(m_image.headerOffset, L"the header variables cannot be read: " + statusMeaning(es));
    return true;
}

AcDbObject* Loader::readOwnClass(const ObjectRecord& rec, AcRxClass* cls, bool& refused) {
    refused = false;
    AcRxObject* made = cls->create();
    AcDbObject* obj = AcDbObject::cast(made);
    if (!obj) {
        delete made;
        return nullptr;
    }
    m_filer.resetFilerStatus();
    m_filer.seek(Adesk::Int64(rec.dataOffset), 0);
    Acad::ErrorStatus es = obj->dwgIn(&m_filer);
    if (es == Acad::eOk && size_t(m_filer.tell()) == rec.dataOffset + rec.dataSize) return obj;
    delete obj;
    refused = true;
    const ClassRecord& c = m_image.classes[rec.classIndex];
    if (!(c.flags & kClassIsCustom))
        fail(rec.dataOffset, FormatW(L"object %s (%s) cannot be read: %s", AcDbHandle(rec.handle).text().c_str(),
                                     c.name.c_str(), statusMeaning(es).c_str()));
    return nullptr;
}

bool Loader::checkGraphics(const ObjectRecord& rec) {
    if (!rec.hasGraphics) return true;
    gi::GiRecording recording;
    std::wstring error;
    if (gi::recordingFromBytes(m_filer.bytes().data() + rec.graphicsOffset, rec.graphicsSize, recording, error))
        return true;
    return fail(rec.graphicsOffset, FormatW(L"the proxy graphics of object %s are damaged (%s)",
                                            AcDbHandle(rec.handle).text().c_str(), error.c_str()));
}

AcDbObject* Loader::proxyFor(const ObjectRecord& rec) {
    const auto& bytes = m_filer.bytes();
    std::vector<uint8_t> data(bytes.begin() + rec.dataOffset, bytes.begin() + rec.dataOffset + rec.dataSize);
    std::vector<uint8_t> graphics;
    if (rec.hasGraphics)
        graphics.assign(bytes.begin() + rec.graphicsOffset, bytes.begin() + rec.graphicsOffset + rec.graphicsSize);
    const ClassRecord& c = m_image.classes[rec.classIndex];
    AcDbObject* proxy = makeProxy(c, std::move(data), std::move(graphics));
    if (!proxy)
        fail(rec.recordOffset, FormatW(L"object %s of class %s cannot be kept: the class is not loaded and the "
                                       L"host has no proxy for such objects",
                                       AcDbHandle(rec.handle).text().c_str(), c.name.c_str()));
    return proxy;
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
    if (!obj) {
        obj = proxyFor(rec);
        if (!obj) return false;
        ++m_proxiesByClass[c.name];
        ++m_report.proxyCount;
    }
    AcDbObjectId id;
    if (m_db->addAcDbObjectWithHandle(id, obj, AcDbHandle(rec.handle)) != Acad::eOk) {
        delete obj;
        return fail(rec.recordOffset, FormatW(L"object %s cannot take its handle", AcDbHandle(rec.handle).text().c_str()));
    }
    if (rec.owner != 0) {
        AcDbObjectId owner;
        m_db->getAcDbObjectId(owner, true, AcDbHandle(rec.owner));
        ObjectAccess::setOwner(obj, owner);
    }
    // Set on the slot directly: reading a drawing tells no one that anything was erased.
    if (rec.erased) static_cast<AcDbStub*>(id)->erased = true;
    ++m_report.objectCount;
    return true;
}

template <class Table>
bool isTable(AcDbObjectId id) {
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
    if (!checkTables()) return false;
    for (const auto& [name, count] : m_proxiesByClass) {
        std::wstring why = m_refusedByClass.count(name)
                               ? L"the loaded application could not read them"
                               : L"the application that defines the class is not loaded";
        m_report.warnings.push_back(FormatW(L"%zu object(s) of class %s are kept as proxies: %s.", count,
                                            name.c_str(), why.c_str()));
    }
    return true;
}

} // namespace

namespace {
// Checks the signature and the layout; false with the report filled.
bool parseChecked(const uint8_t* data, size_t size, const std::wstring& name, DrawingImage& image,
                  DrawingReadReport& report, bool verifyChecksum) {
    const DrawingSignature signature = sniffDrawingFile(data, size);
    if (signature.kind != DrawingFileKind::Ours) {
        report.error = foreignFileMessage(name, signature);
        report.status = signature.kind == DrawingFileKind::OtherDwg ? Acad::eInvalidDwgVersion : Acad::eInvalidInput;
        return false;
    }
    ImageError imageError;
    if (parseDrawingImage(data, size, image, imageError, verifyChecksum)) return true;
    report.errorOffset = imageError.offset;
    report.error =
        FormatW(L"\"%s\" is damaged at byte %zu: %s.", name.c_str(), imageError.offset, imageError.what.c_str());
    report.status = Acad::eDwgNotRecoverable;
    return false;
}

bool load(const uint8_t* data, size_t size, const std::wstring& name, const DrawingImage& image, AcDbDatabase* db,
          DrawingReadReport& report) {
    Loader loader(data, size, image, db, report);
    if (loader.run()) {
        db->setModifiedSinceSave(false);
        return true;
    }
    report.errorOffset = loader.failure().offset;
    report.error = FormatW(L"\"%s\" is damaged at byte %zu: %s.", name.c_str(), loader.failure().offset,
                           loader.failure().what.c_str());
    report.status = Acad::eDwgNotRecoverable;
    report.warnings.clear();
    report.objectCount = report.proxyCount = 0;
    return false;
}
} // namespace

std::unique_ptr<AcDbDatabase> drawingFromBytes(const uint8_t* data, size_t size, const std::wstring& name,
                                               DrawingReadReport& report, const DrawingReadOptions& options) {
    report = DrawingReadReport();
    DrawingImage image;
    if (!parseChecked(data, size, name, image, report, options.verifyChecksum)) return nullptr;
    auto db = std::make_unique<AcDbDatabase>(false, true);
    if (!load(data, size, name, image, db.get(), report)) return nullptr;
    return db;
}

bool drawingIntoDatabase(const uint8_t* data, size_t size, const std::wstring& name, AcDbDatabase* target,
                         DrawingReadReport& report) {
    report = DrawingReadReport();
    if (!target || target->approxNumObjects() != 0) {
        report.error = L"A drawing can only be read into an empty database (one made without a default drawing).";
        report.status = Acad::eInvalidInput;
        return false;
    }
    DrawingImage image;
    if (!parseChecked(data, size, name, image, report, true)) return false;
    {
        AcDbDatabase scratch(false, true);
        if (!load(data, size, name, image, &scratch, report)) return false;
    }
    report = DrawingReadReport();
    return load(data, size, name, image, target, report);
}

} // namespace host::io
