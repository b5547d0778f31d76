#include "host/io/DrawingWriter.h"

#include "host/db/database/AcDbDatabase.h"
#include "host/db/database/AcDbObject.h"
#include "host/db/database/DatabaseClasses.h"
#include "host/db/database/DatabaseHeader.h"
#include "host/db/entities/AcDbEntity.h"
#include "host/db/filing/DwgBufferFiler.h"
#include "host/db/filing/ProxyGraphics.h"
#include "host/io/DrawingImage.h"
#include "host/io/EntityBoxes.h"
#include "host/io/ProxyBridge.h"
#include "host/rx/AcRxClass.h"
#include "host/win/FormatW.h"

#include <limits>
#include <unordered_map>

namespace host::io {

namespace {

ClassRecord recordOfClass(const AcRxClass* cls) {
    ClassRecord c;
    c.name = cls->name();
    c.dxfName = cls->dxfName();
    c.appName = cls->appName();
    c.proxyFlags = uint32_t(cls->proxyFlags());
    int maint = 0;
    c.dwgVersion = cls->getClassVersion(maint);
    c.maintVersion = maint;
    if (cls->isDerivedFrom(AcDbEntity::desc())) c.flags |= kClassIsEntity;
    if (!isDatabaseClass(cls)) c.flags |= kClassIsCustom;
    return c;
}

// One object to write: where its class and bytes come from.
struct Item {
    AcDbObject* object = nullptr;
    uint16_t classIndex = 0;
    bool isProxy = false;
    ProxyContents proxy;
};

class Writer {
public:
    explicit Writer(AcDbDatabase* db)
        : m_db(db), m_filer(AcDb::kFileFiler, db), m_withGraphics(db->saveproxygraphics() != 0) {}
    bool run(std::vector<uint8_t>& out, std::wstring& error, bool packed);

private:
    bool collect(std::wstring& error);
    uint16_t classIndex(const ClassRecord& record, bool preferThis);
    void writeHeader();
    bool writeObject(const Item& item, std::wstring& error);
    bool objectBytes(const Item& item, std::wstring& error);

    AcDbDatabase* m_db;
    DwgBufferFiler m_filer;
    DrawingImageWriter m_image;
    std::vector<ClassRecord> m_classes;
    std::unordered_map<std::wstring, uint16_t> m_classByName;
    std::vector<Item> m_items;
    bool m_withGraphics;
};

uint16_t Writer::classIndex(const ClassRecord& record, bool preferThis) {
    auto it = m_classByName.find(record.name);
    if (it != m_classByName.end()) {
        // A class this process has registered describes itself better than a proxy's copy.
        if (preferThis) m_classes[it->second] = record;
        return it->second;
    }
    const auto index = uint16_t(m_classes.size());
    m_classes.push_back(record);
    m_classByName.emplace(record.name, index);
    return index;
}

bool Writer::collect(std::wstring& error) {
    std::vector<AcDbObjectId> ids = m_db->allObjectIds();
    m_items.reserve(ids.size());
    std::unordered_map<const AcRxClass*, uint16_t> byClass;
    for (AcDbObjectId id : ids) {
        Item item;
        item.object = static_cast<AcDbStub*>(id)->object;
        if (proxyContents(item.object, item.proxy)) {
            item.isProxy = true;
            item.classIndex = classIndex(item.proxy.cls, false);
        } else {
            const AcRxClass* cls = item.object->isA();
            auto it = byClass.find(cls);
            item.classIndex = it != byClass.end() ? it->second : classIndex(recordOfClass(cls), true);
            byClass.emplace(cls, item.classIndex);
        }
        if (m_classes.size() > std::numeric_limits<uint16_t>::max()) {
            error = L"the drawing uses more object classes than a drawing file can list";
            return false;
        }
        m_items.push_back(item);
    }
    return true;
}

void Writer::writeHeader() {
    m_image.beginHeader();
    m_filer.setBytes(std::move(m_image.bytes()));
    m_filer.seek(0, 2);
    m_filer.writeAcDbHandle(m_db->handseed());
    for (AcDbObjectId table : {m_db->blockTableId(), m_db->layerTableId(), m_db->textStyleTableId(),
                               m_db->linetypeTableId(), m_db->dimStyleTableId(), m_db->regAppTableId()})
        m_filer.writeHardOwnershipId(table);
    m_db->header().dwgOut(&m_filer);
    m_image.bytes() = m_filer.takeBytes();
    m_image.endHeader();
}

bool Writer::objectBytes(const Item& item, std::wstring& error) {
    // A proxy files what it was read with, like any object. The object's bytes go straight into the file's
    // buffer: no copy per object.
    m_filer.setBytes(std::move(m_image.bytes()));
    m_filer.seek(0, 2);
    Acad::ErrorStatus es = Acad::eOk;
    try {
        es = item.object->dwgOut(&m_filer);
    } catch (...) {
        es = Acad::eFilerError; // an add-on's fault must not take the host down with the drawing unsaved
    }
    m_image.bytes() = m_filer.takeBytes();
    if (es == Acad::eOk) return true;
    error = FormatW(L"object %s (%s) could not be written (error status %d)",
                    item.object->handle().text().c_str(), m_classes[item.classIndex].name.c_str(), int(es));
    return false;
}

bool Writer::writeObject(const Item& item, std::wstring& error) {
    std::vector<uint8_t> graphics;
    const bool custom = (m_classes[item.classIndex].flags & kClassIsCustom) != 0;
    bool hasGraphics = false;
    if (item.isProxy) {
        hasGraphics = item.proxy.graphics && !item.proxy.graphics->empty();
    } else if (custom && m_withGraphics && AcDbEntity::cast(item.object)) {
        try {
            graphics = proxyGraphicsOf(AcDbEntity::cast(item.object));
            hasGraphics = true;
        } catch (...) {
            hasGraphics = false; // shown as nothing where its class is missing, but saved
        }
    }
    uint8_t flags = hasGraphics ? kObjectHasGraphics : 0;
    if (item.object->isErased()) flags |= kObjectErased;
    m_image.beginObject(item.classIndex, item.object->handle().value(),
                        item.object->ownerId().handle().value(), flags);
    if (!objectBytes(item, error)) return false;
    m_image.endObjectData();
    if (hasGraphics) m_image.writeGraphics(item.isProxy ? *item.proxy.graphics : graphics);
    return true;
}

bool Writer::run(std::vector<uint8_t>& out, std::wstring& error, bool packed) {
    if (!collect(error)) return false;
    writeHeader();
    m_image.writeClasses(m_classes);
    if (packed)
        m_image.beginPackedObjects(uint32_t(m_items.size()), true);
    else
        m_image.beginObjects();
    for (const Item& item : m_items)
        if (!writeObject(item, error)) return false;
    if (packed) m_image.writeBoxes(entityBoxBytes(m_db));
    out = m_image.finish(packed);
    return true;
}

} // namespace

bool drawingToBytes(AcDbDatabase* db, std::vector<uint8_t>& out, std::wstring& error, bool packed) {
    if (!db) {
        error = L"there is no drawing to write";
        return false;
    }
    Writer writer(db);
    return writer.run(out, error, packed);
}

} // namespace host::io
