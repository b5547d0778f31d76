#include "host/db/database/ForeignObjectCopy.h"

#include "host/db/database/AcDbDatabase.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/db/database/acutResbuf.h"
#include "host/db/entities/AcDbBlockReference.h"
#include "host/db/entities/AcDbEntity.h"
#include "host/db/filing/DwgBufferFiler.h"
#include "host/db/tables/AcDbBlockTable.h"
#include "host/db/tables/AcDbBlockTableRecord.h"
#include "host/db/tables/AcDbDimStyleTable.h"
#include "host/db/tables/AcDbLayerTable.h"
#include "host/db/tables/AcDbLinetypeTable.h"
#include "host/db/tables/AcDbRegAppTable.h"
#include "host/db/tables/AcDbTextStyleTable.h"
#include "host/rx/AcRxClass.h"

#include <memory>
#include <unordered_map>
#include <vector>

namespace host {

namespace {

class ForeignCopier;

// Reads bytes filed in the source database; every id read is the target's.
class TranslatingFiler : public DwgBufferFiler {
public:
    TranslatingFiler(const std::vector<uint8_t>& bytes, AcDbDatabase* target, ForeignCopier& copier)
        : DwgBufferFiler(bytes, AcDb::kCopyFiler, target), m_copier(copier) {}

    Acad::ErrorStatus readHardPointerId(AcDbHardPointerId* id) override { return pointer(id); }
    Acad::ErrorStatus readSoftPointerId(AcDbSoftPointerId* id) override { return pointer(id); }
    Acad::ErrorStatus readHardOwnershipId(AcDbHardOwnershipId* id) override { return owned(id); }
    Acad::ErrorStatus readSoftOwnershipId(AcDbSoftOwnershipId* id) override { return owned(id); }
    bool ownsObjects() const { return m_ownsObjects; }

private:
    template <typename Id> Acad::ErrorStatus pointer(Id* id);
    template <typename Id> Acad::ErrorStatus owned(Id* id) {
        // Every id is filed alike; the kind matters only for what it is read into.
        AcDbHardPointerId raw;
        DwgBufferFiler::readHardPointerId(&raw);
        if (!raw.isNull()) m_ownsObjects = true;
        if (id) *id = Id();
        return filerStatus();
    }

    ForeignCopier& m_copier;
    bool m_ownsObjects = false;
};

class ForeignCopier {
public:
    ForeignCopier(AcDbDatabase* source, AcDbDatabase* target) : m_source(source), m_target(target) {}

    // The target's id for a symbol record or block of the source; null for others.
    AcDbObjectId translate(AcDbObjectId sourceId);
    // Copies the source block's entities into the target block.
    void copyEntities(const std::vector<AcDbObjectId>& sourceIds, AcDbObjectId targetBlock,
                      ForeignCopyReport& report);

private:
    AcDbObjectId translateRecord(const AcDbSymbolTableRecord* record);
    AcDbObjectId translateBlock(const AcDbBlockTableRecord* block);
    AcDbObjectId targetTableOf(const AcDbSymbolTableRecord* record) const;
    // A new object of the source object's class read from its filed state; null when
    // it cannot be read (or owns objects, which a copy cannot bring along).
    AcDbObject* readCopy(const AcDbObject* source);
    bool isOverlayReference(const AcDbEntity* entity) const;
    void registerApps(const AcDbObject* copy);

    AcDbDatabase* m_source;
    AcDbDatabase* m_target;
    std::unordered_map<AcDbStub*, AcDbObjectId> m_map;
};

template <typename Id> Acad::ErrorStatus TranslatingFiler::pointer(Id* id) {
    AcDbHardPointerId raw;
    DwgBufferFiler::readHardPointerId(&raw);
    if (id) *id = Id(filerStatus() == Acad::eOk ? m_copier.translate(raw) : AcDbObjectId());
    return filerStatus();
}

AcDbObjectId ForeignCopier::targetTableOf(const AcDbSymbolTableRecord* record) const {
    if (AcDbLayerTableRecord::cast(record)) return m_target->layerTableId();
    if (AcDbLinetypeTableRecord::cast(record)) return m_target->linetypeTableId();
    if (AcDbTextStyleTableRecord::cast(record)) return m_target->textStyleTableId();
    if (AcDbDimStyleTableRecord::cast(record)) return m_target->dimStyleTableId();
    if (AcDbRegAppTableRecord::cast(record)) return m_target->regAppTableId();
    return AcDbObjectId();
}

AcDbObjectId ForeignCopier::translate(AcDbObjectId sourceId) {
    if (sourceId.isNull() || sourceId.database() != m_source) return AcDbObjectId();
    auto known = m_map.find(static_cast<AcDbStub*>(sourceId));
    if (known != m_map.end()) return known->second;
    AcDbObject* obj = nullptr;
    if (acdbOpenAcDbObject(obj, sourceId, AcDb::kForRead) != Acad::eOk) return AcDbObjectId();
    AcDbObjectId result;
    if (auto* block = AcDbBlockTableRecord::cast(obj))
        result = translateBlock(block);
    else if (auto* record = AcDbSymbolTableRecord::cast(obj))
        result = translateRecord(record);
    obj->close();
    m_map[static_cast<AcDbStub*>(sourceId)] = result;
    return result;
}

AcDbObjectId ForeignCopier::translateRecord(const AcDbSymbolTableRecord* record) {
    AcDbSymbolTable* table = nullptr;
    AcDbObject* opened = nullptr;
    if (acdbOpenAcDbObject(opened, targetTableOf(record), AcDb::kForRead) != Acad::eOk) return AcDbObjectId();
    table = AcDbSymbolTable::cast(opened);
    AcDbObjectId id;
    const bool found = table && table->getAt(record->name().c_str(), id) == Acad::eOk;
    opened->close();
    if (found || !table) return id;
    // Read before the table opens for write: the copy's own ids (a layer's linetype)
    // may add records to other tables.
    std::unique_ptr<AcDbSymbolTableRecord> copy(AcDbSymbolTableRecord::cast(readCopy(record)));
    if (!copy || acdbOpenAcDbObject(opened, targetTableOf(record), AcDb::kForWrite) != Acad::eOk)
        return AcDbObjectId();
    if (AcDbSymbolTable::cast(opened)->add(id, copy.get()) == Acad::eOk) copy.release()->close();
    opened->close();
    return id;
}

AcDbObjectId ForeignCopier::translateBlock(const AcDbBlockTableRecord* block) {
    AcDbBlockTable* table = nullptr;
    if (m_target->getBlockTable(table, AcDb::kForWrite) != Acad::eOk) return AcDbObjectId();
    AcDbObjectId id;
    const std::wstring name = block->name();
    const bool anonymous = block->isAnonymous();
    if (!anonymous && table->getAt(name.c_str(), id) == Acad::eOk) {
        table->close(); // the target's own definition stays
        return id;
    }
    std::wstring newName = name;
    for (unsigned n = 1; anonymous && table->has(newName.c_str()); ++n)
        newName = name.substr(0, 2) + std::to_wstring(n);
    auto* copy = new AcDbBlockTableRecord();
    const wchar_t* path = L"";
    block->pathName(path);
    copy->setName(newName.c_str());
    copy->setOrigin(block->origin());
    copy->setPathName(path);
    copy->setIsFromOverlayReference(block->isFromOverlayReference());
    if (table->add(id, copy) != Acad::eOk) {
        delete copy;
        table->close();
        return AcDbObjectId();
    }
    copy->close();
    table->close();
    // Known before its entities are read, so a block that refers to itself ends.
    m_map[static_cast<AcDbStub*>(block->objectId())] = id;
    ForeignCopyReport nested;
    copyEntities(block->entityIds(), id, nested);
    return id;
}

AcDbObject* ForeignCopier::readCopy(const AcDbObject* source) {
    AcRxClass* cls = source->isA();
    std::unique_ptr<AcDbObject> copy(AcDbObject::cast(cls ? cls->create() : nullptr));
    if (!copy) return nullptr;
    DwgBufferFiler out(AcDb::kCopyFiler, m_source);
    if (source->dwgOut(&out) != Acad::eOk) return nullptr;
    TranslatingFiler in(out.bytes(), m_target, *this);
    if (copy->dwgIn(&in) != Acad::eOk || in.ownsObjects()) return nullptr;
    registerApps(copy.get());
    return copy.release();
}

void ForeignCopier::registerApps(const AcDbObject* copy) {
    resbuf* xdata = copy->xData(nullptr);
    if (!xdata) return;
    AcDbRegAppTable* table = nullptr;
    if (m_target->getRegAppTable(table, AcDb::kForWrite) == Acad::eOk) {
        for (resbuf* rb = xdata; rb; rb = rb->rbnext) {
            if (rb->restype != 1001 || !rb->resval.rstring || table->has(rb->resval.rstring)) continue;
            auto* app = new AcDbRegAppTableRecord();
            app->setName(rb->resval.rstring);
            if (table->add(app) == Acad::eOk)
                app->close();
            else
                delete app;
        }
        table->close();
    }
    acutRelRb(xdata);
}

bool ForeignCopier::isOverlayReference(const AcDbEntity* entity) const {
    const auto* ref = AcDbBlockReference::cast(entity);
    AcDbBlockTableRecord* block = nullptr;
    if (!ref || acdbOpenObject(block, ref->blockTableRecord(), AcDb::kForRead) != Acad::eOk) return false;
    const bool overlay = block->isFromOverlayReference();
    block->close();
    return overlay;
}

void ForeignCopier::copyEntities(const std::vector<AcDbObjectId>& sourceIds, AcDbObjectId targetBlock,
                                 ForeignCopyReport& report) {
    for (AcDbObjectId id : sourceIds) {
        AcDbEntity* source = nullptr;
        if (id.isNull() || acdbOpenAcDbEntity(source, id, AcDb::kForRead) != Acad::eOk) continue;
        // An overlay of the other drawing is its own business: it does not come along.
        const bool overlay = isOverlayReference(source);
        std::unique_ptr<AcDbEntity> copy(overlay ? nullptr : AcDbEntity::cast(readCopy(source)));
        source->close();
        if (overlay) continue;
        AcDbBlockTableRecord* block = nullptr;
        if (!copy || acdbOpenObject(block, targetBlock, AcDb::kForWrite) != Acad::eOk) {
            ++report.skipped;
            continue;
        }
        if (block->appendAcDbEntity(copy.get()) == Acad::eOk) {
            copy.release()->close();
            ++report.copied;
        } else {
            ++report.skipped;
        }
        block->close();
    }
}

} // namespace

Acad::ErrorStatus copyModelSpaceInto(AcDbDatabase* source, AcDbObjectId targetBlockId,
                                     ForeignCopyReport& report) {
    report = ForeignCopyReport();
    AcDbDatabase* target = targetBlockId.database();
    if (!source || !target || source == target) return Acad::eInvalidInput;
    AcDbBlockTableRecord* model = nullptr;
    Acad::ErrorStatus es = acdbOpenObject(model, source->modelSpaceId(), AcDb::kForRead);
    if (es != Acad::eOk) return es;
    const std::vector<AcDbObjectId> ids = model->entityIds();
    model->close();
    ForeignCopier copier(source, target);
    copier.copyEntities(ids, targetBlockId, report);
    return Acad::eOk;
}

} // namespace host
