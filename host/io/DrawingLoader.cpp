#include "host/io/DrawingLoader.h"

#include "host/db/database/AcDbDatabase.h"
#include "host/db/database/DatabaseClasses.h"
#include "host/db/database/DatabaseHeader.h"
#include "host/db/database/ObjectAccess.h"
#include "host/db/entities/AcDbEntity.h"
#include "host/db/filing/DwgBufferFiler.h"
#include "host/db/tables/AcDbBlockTable.h"
#include "host/db/tables/AcDbDimStyleTable.h"
#include "host/db/tables/AcDbLayerTable.h"
#include "host/db/tables/AcDbLinetypeTable.h"
#include "host/db/tables/AcDbRegAppTable.h"
#include "host/db/tables/AcDbTextStyleTable.h"
#include "host/gi/GiRecordingBytes.h"
#include "host/io/ProxyBridge.h"
#include "host/rx/AcRxClass.h"
#include "host/rx/AcRxDictionary.h"
#include "host/win/FormatW.h"

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

template <class Table> bool isTable(AcDbObjectId id) {
    return id.isValid() && !id.isErased() && Table::cast(static_cast<AcDbStub*>(id)->object) != nullptr;
}

} // namespace

bool DrawingLoader::fail(size_t offset, std::wstring what) {
    m_failure = {offset, std::move(what)};
    return false;
}

void DrawingLoader::resolveClasses() {
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

bool DrawingLoader::readHeader(const uint8_t* head) {
    const uint8_t* start = head + m_image.headerOffset;
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

Acad::ErrorStatus DrawingLoader::readFields(const ObjectRecord& rec, AcDbObject* obj) {
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

AcDbObject* DrawingLoader::readOwnClass(const ObjectRecord& rec, AcRxClass* cls, bool& refused) {
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

bool DrawingLoader::checkGraphics(const ObjectRecord& rec) {
    if (!rec.hasGraphics) return true;
    gi::GiRecording recording;
    std::wstring error;
    if (gi::recordingFromBytes(m_data + rec.graphicsOffset, rec.graphicsSize, recording, error)) return true;
    return fail(rec.graphicsOffset, FormatW(L"the proxy graphics of object %s are damaged (%s)",
                                            AcDbHandle(rec.handle).text().c_str(), error.c_str()));
}

AcDbObject* DrawingLoader::proxyFor(const ObjectRecord& rec) {
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
bool DrawingLoader::giveProxiesGraphics() {
    for (const KeptProxy& kept : m_proxies) {
        std::wstring error;
        if (!setProxyGraphics(kept.proxy, kept.graphics, error)) {
            fail(kept.graphicsOffset, FormatW(L"the proxy graphics of object %s are damaged (%s)",
                                              AcDbHandle(kept.handle).text().c_str(), error.c_str()));
            m_failure.inObjects = true;
            return false;
        }
    }
    return true;
}

bool DrawingLoader::readObject(const ObjectRecord& rec) {
    const ClassRecord& c = m_image.classes[rec.classIndex];
    AcRxClass* cls = m_classes[rec.classIndex];
    AcDbObject* obj = nullptr;
    if (cls) {
        bool refused = false;
        obj = readOwnClass(rec, cls, refused);
        if (!m_failure.what.empty()) return false;
        if (refused) ++m_refusedByClass[c.name];
    }
    // Only a proxy shows the graphics it was saved with; an object of a loaded class
    // draws itself, so its saved graphics are never read (and are made anew on save).
    const bool isProxy = !obj;
    if (isProxy) {
        if (!checkGraphics(rec)) return false;
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
    if (isProxy && rec.hasGraphics)
        m_proxies.push_back({obj, rec.handle, rec.graphicsOffset,
                             std::vector<uint8_t>(m_data + rec.graphicsOffset,
                                                  m_data + rec.graphicsOffset + rec.graphicsSize)});
    ++m_report.objectCount;
    return true;
}

bool DrawingLoader::checkTables() {
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

bool DrawingLoader::begin(const uint8_t* head) {
    resolveClasses();
    return readHeader(head);
}

bool DrawingLoader::readObject(const ObjectRecord& rec, const uint8_t* bytes) {
    m_data = bytes;
    return readObject(rec);
}

bool DrawingLoader::end() {
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

} // namespace host::io
