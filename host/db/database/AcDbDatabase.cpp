#include "host/db/database/AcDbDatabase.h"

#include "host/db/entities/AcDbAnnotativeObjectPE.h"
#include "host/db/tables/AcDbBlockTable.h"
#include "host/db/database/AcDbDatabaseReactor.h"
#include "host/db/database/AcDbObjectReactor.h"
#include "host/db/tables/AcDbDimStyleTable.h"
#include "host/db/database/AcDbHostApplicationServices.h"
#include "host/db/tables/AcDbLayerTable.h"
#include "host/db/tables/AcDbLinetypeTable.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/db/tables/AcDbRegAppTable.h"
#include "host/db/tables/AcDbTextStyleTable.h"
#include "host/db/database/DatabaseHeader.h"
#include "host/db/entities/EntityIndex.h"
#include "host/db/database/ObjectAccess.h"
#include "host/db/database/UndoManager.h"

#include <algorithm>
#include <unordered_set>

ACRX_HOST_DEFINE_MEMBERS(AcDbDatabase, AcRxObject, L"", nullptr)
ACRX_HOST_DEFINE_MEMBERS(AcDbDatabaseReactor, AcRxObject, L"", nullptr)
ACRX_HOST_DEFINE_MEMBERS(AcDbObjectReactor, AcRxObject, L"", nullptr)

namespace {
std::unordered_set<const AcDbDatabase*>& liveDatabases() {
    static std::unordered_set<const AcDbDatabase*> set;
    return set;
}
host::ReadDwgHook& readHook() {
    static host::ReadDwgHook hook;
    return hook;
}
host::SaveDwgHook& saveHook() {
    static host::SaveDwgHook hook;
    return hook;
}
} // namespace

namespace host {
void setDrawingFileHooks(ReadDwgHook read, SaveDwgHook save) {
    readHook() = std::move(read);
    saveHook() = std::move(save);
}
bool isLiveDatabase(const AcDbDatabase* db) { return db && liveDatabases().count(db) > 0; }
} // namespace host

AcDbDatabase::AcDbDatabase(bool buildDefault, bool)
    : m_header(std::make_unique<host::DatabaseHeader>()), m_undo(std::make_unique<host::UndoManager>(this)),
      m_index(std::make_unique<host::EntityIndex>(this)) {
    liveDatabases().insert(this);
    host::registerAnnotativeProtocol();
    if (buildDefault) buildDefaultDrawing();
}

AcDbDatabase::~AcDbDatabase() {
    for (AcDbDatabaseReactor* r : std::vector<AcDbDatabaseReactor*>(m_reactors)) r->goodbye(this);
    if (acdbHostApplicationServices()->workingDatabase() == this)
        acdbHostApplicationServices()->setWorkingDatabase(nullptr);
    liveDatabases().erase(this);
    for (AcDbStub& stub : m_stubs) {
        delete stub.object;
        stub.object = nullptr;
    }
}

// ---- objects --------------------------------------------------------------------------

AcDbStub* AcDbDatabase::newStub(const AcDbHandle& handle) {
    m_stubs.emplace_back();
    AcDbStub* stub = &m_stubs.back();
    stub->database = this;
    stub->handle = handle;
    m_byHandle[handle.value()] = stub;
    if (handle >= m_handseed) m_handseed = AcDbHandle(handle.value() + 1);
    return stub;
}

Acad::ErrorStatus AcDbDatabase::addAcDbObject(AcDbObject* pObj) {
    AcDbObjectId id;
    return addAcDbObject(id, pObj);
}

Acad::ErrorStatus AcDbDatabase::addAcDbObject(AcDbObjectId& objId, AcDbObject* pObj) {
    objId.setNull();
    if (!pObj) return Acad::eNullObjectPointer;
    if (pObj->objectId().isValid()) return Acad::eAlreadyInDb;
    while (m_byHandle.count(m_handseed.value())) m_handseed.increment();
    AcDbStub* stub = newStub(m_handseed);
    host::ObjectAccess::attach(pObj, stub, true);
    ++m_objectCount;
    objId = stub;
    if (m_undo->isRecording()) m_undo->recordAppend(objId);
    m_modifiedSinceSave = true;
    notifyAppended(pObj);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDatabase::addAcDbObjectWithHandle(AcDbObjectId& objId, AcDbObject* pObj,
                                                        const AcDbHandle& handle) {
    objId.setNull();
    if (!pObj) return Acad::eNullObjectPointer;
    if (handle.isNull()) return Acad::eNullHandle;
    if (pObj->objectId().isValid()) return Acad::eAlreadyInDb;
    auto it = m_byHandle.find(handle.value());
    AcDbStub* stub = it != m_byHandle.end() ? it->second : newStub(handle);
    if (stub->object) return Acad::eHandleInUse;
    host::ObjectAccess::attach(pObj, stub, false);
    ++m_objectCount;
    objId = stub;
    m_index->dropAll();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDatabase::getAcDbObjectId(AcDbObjectId& retId, bool createIfNotFound,
                                                const AcDbHandle& objHandle, Adesk::UInt32) {
    retId.setNull();
    if (objHandle.isNull()) return Acad::eNullHandle;
    auto it = m_byHandle.find(objHandle.value());
    if (it != m_byHandle.end()) {
        retId = it->second;
        return Acad::eOk;
    }
    if (!createIfNotFound) return Acad::eUnknownHandle;
    retId = newStub(objHandle);
    return Acad::eOk;
}

std::vector<AcDbObjectId> AcDbDatabase::allObjectIds() const {
    std::vector<AcDbObjectId> ids;
    ids.reserve(m_objectCount);
    for (const AcDbStub& stub : m_stubs)
        if (stub.object) ids.push_back(AcDbObjectId(const_cast<AcDbStub*>(&stub)));
    std::sort(ids.begin(), ids.end(), [](AcDbObjectId a, AcDbObjectId b) { return a.handle() < b.handle(); });
    return ids;
}

void AcDbDatabase::setHandseed(const AcDbHandle& seed) {
    // Never below a handle in use: new objects must not take an existing handle.
    if (seed > m_handseed) m_handseed = seed;
}

void AcDbDatabase::setTableIds(AcDbObjectId blocks, AcDbObjectId layers, AcDbObjectId textStyles,
                               AcDbObjectId linetypes, AcDbObjectId dimStyles, AcDbObjectId regApps) {
    m_blockTable = blocks;
    m_layerTable = layers;
    m_textStyleTable = textStyles;
    m_linetypeTable = linetypes;
    m_dimStyleTable = dimStyles;
    m_regAppTable = regApps;
}

// ---- tables ----------------------------------------------------------------------------

template <typename T>
Acad::ErrorStatus AcDbDatabase::openTable(AcDbObjectId id, T*& pTable, AcDb::OpenMode mode) {
    pTable = nullptr;
    if (id.isNull()) return Acad::eMissingSymbolTable;
    return acdbOpenObject(pTable, id, mode);
}

Acad::ErrorStatus AcDbDatabase::getBlockTable(AcDbBlockTable*& p, AcDb::OpenMode mode) {
    return openTable(m_blockTable, p, mode);
}
Acad::ErrorStatus AcDbDatabase::getLayerTable(AcDbLayerTable*& p, AcDb::OpenMode mode) {
    return openTable(m_layerTable, p, mode);
}
Acad::ErrorStatus AcDbDatabase::getTextStyleTable(AcDbTextStyleTable*& p, AcDb::OpenMode mode) {
    return openTable(m_textStyleTable, p, mode);
}
Acad::ErrorStatus AcDbDatabase::getLinetypeTable(AcDbLinetypeTable*& p, AcDb::OpenMode mode) {
    return openTable(m_linetypeTable, p, mode);
}
Acad::ErrorStatus AcDbDatabase::getDimStyleTable(AcDbDimStyleTable*& p, AcDb::OpenMode mode) {
    return openTable(m_dimStyleTable, p, mode);
}
Acad::ErrorStatus AcDbDatabase::getRegAppTable(AcDbRegAppTable*& p, AcDb::OpenMode mode) {
    return openTable(m_regAppTable, p, mode);
}

namespace {
// A record of a table by name, read without opening (for the database's own use).
template <typename Table>
AcDbObjectId recordIn(AcDbObjectId tableId, const wchar_t* name) {
    if (!tableId.isValid()) return AcDbObjectId::kNull;
    auto* table = Table::cast(static_cast<AcDbStub*>(tableId)->object);
    AcDbObjectId id;
    if (table) table->getAt(name, id);
    return id;
}
} // namespace

AcDbObjectId AcDbDatabase::modelSpaceId() const { return recordIn<AcDbBlockTable>(m_blockTable, ACDB_MODEL_SPACE); }
AcDbObjectId AcDbDatabase::paperSpaceId() const { return recordIn<AcDbBlockTable>(m_blockTable, ACDB_PAPER_SPACE); }
AcDbObjectId AcDbDatabase::layerZero() const { return recordIn<AcDbLayerTable>(m_layerTable, L"0"); }
AcDbObjectId AcDbDatabase::byLayerLinetype() const { return recordIn<AcDbLinetypeTable>(m_linetypeTable, L"ByLayer"); }
AcDbObjectId AcDbDatabase::byBlockLinetype() const { return recordIn<AcDbLinetypeTable>(m_linetypeTable, L"ByBlock"); }
AcDbObjectId AcDbDatabase::continuousLinetype() const {
    return recordIn<AcDbLinetypeTable>(m_linetypeTable, L"Continuous");
}

// ---- files -------------------------------------------------------------------------------

Acad::ErrorStatus AcDbDatabase::readDwgFile(const wchar_t* fileName, int, bool, const wchar_t*) {
    if (!fileName || !*fileName) return Acad::eInvalidInput;
    if (!readHook()) return Acad::eNotImplementedYet;
    // The file is read once, straight into this database. One found damaged halfway
    // leaves the objects read before the damage: an empty database (the only kind a
    // drawing is read into) goes back to what it was, slots, header and tables.
    const bool wasEmpty = m_objectCount == 0;
    const size_t slots = m_stubs.size();
    const AcDbHandle seed = m_handseed;
    const host::DatabaseHeader header = *m_header;
    const AcDbObjectId tables[6] = {m_blockTable,    m_layerTable,    m_textStyleTable,
                                    m_linetypeTable, m_dimStyleTable, m_regAppTable};
    // Dropped before the read: the read gives the index the boxes the file kept.
    m_index->dropAll();
    Acad::ErrorStatus es = readHook()(this, fileName);
    if (es != Acad::eOk) m_index->dropAll();
    if (es != Acad::eOk && wasEmpty) {
        for (AcDbStub& stub : m_stubs) {
            delete stub.object;
            stub.object = nullptr;
            stub.erased = false;
        }
        for (; m_stubs.size() > slots; m_stubs.pop_back()) m_byHandle.erase(m_stubs.back().handle.value());
        m_objectCount = 0;
        m_handseed = seed;
        *m_header = header;
        setTableIds(tables[0], tables[1], tables[2], tables[3], tables[4], tables[5]);
    }
    if (es == Acad::eOk) {
        m_fileName = fileName;
        m_modifiedSinceSave = false;
        m_undo->clear();
    }
    return es;
}

Acad::ErrorStatus AcDbDatabase::saveAs(const wchar_t* fileName, bool bBakAndRename, AcDb::AcDbDwgVersion dwgVer,
                                       const void*) {
    if (!fileName || !*fileName) return Acad::eInvalidInput;
    if (dwgVer != AcDb::kDHL_CURRENT && dwgVer != AcDb::kDHL_1027) return Acad::eInvalidDwgVersion;
    if (!saveHook()) return Acad::eNotImplementedYet;
    Acad::ErrorStatus es = saveHook()(this, fileName, bBakAndRename);
    if (es == Acad::eOk) {
        m_fileName = fileName;
        m_modifiedSinceSave = false;
    }
    return es;
}

Acad::ErrorStatus AcDbDatabase::getFilename(const wchar_t*& pOutput) const {
    pOutput = m_fileName.c_str();
    return Acad::eOk;
}

void AcDbDatabase::disableUndoRecording(bool disable) { m_undo->setDisabled(disable); }

bool AcDbDatabase::undoRecording() const { return !m_undo->isDisabled(); }

// ---- reactors ----------------------------------------------------------------------------

void AcDbDatabase::addReactor(AcDbDatabaseReactor* pReactor) const {
    if (pReactor && std::find(m_reactors.begin(), m_reactors.end(), pReactor) == m_reactors.end())
        m_reactors.push_back(pReactor);
}

void AcDbDatabase::removeReactor(AcDbDatabaseReactor* pReactor) const {
    m_reactors.erase(std::remove(m_reactors.begin(), m_reactors.end(), pReactor), m_reactors.end());
}

// Reactors may add or remove reactors while they are told: each pass works on a copy
// and skips the ones removed meanwhile.
#define LINTARO_TELL_REACTORS(CALL)                                                   \
    for (AcDbDatabaseReactor* r : std::vector<AcDbDatabaseReactor*>(m_reactors))      \
        if (std::find(m_reactors.begin(), m_reactors.end(), r) != m_reactors.end()) r->CALL;

// The entity index hears first, so a reactor that selects sees the change.
void AcDbDatabase::notifyAppended(const AcDbObject* obj) const {
    m_index->appended(obj);
    LINTARO_TELL_REACTORS(objectAppended(this, obj))
}
void AcDbDatabase::notifyModified(const AcDbObject* obj) const {
    m_index->changed(obj);
    LINTARO_TELL_REACTORS(objectModified(this, obj))
}
void AcDbDatabase::notifyErased(const AcDbObject* obj, bool erasing) const {
    m_index->changed(obj);
    LINTARO_TELL_REACTORS(objectErased(this, obj, erasing))
}
void AcDbDatabase::notifyOpenedForModify(const AcDbObject* obj) const {
    m_index->changed(obj);
    LINTARO_TELL_REACTORS(objectOpenedForModify(this, obj))
}
void AcDbDatabase::notifyHeaderChanged(const wchar_t* name) const {
    m_index->headerChanged(name);
    LINTARO_TELL_REACTORS(headerSysVarChanged(this, name, true))
}
#undef LINTARO_TELL_REACTORS
