#include "host/db/database/UndoManager.h"

#include "host/db/database/AcDbDatabase.h"
#include "host/db/database/AcDbObject.h"
#include "host/db/filing/DwgBufferFiler.h"
#include "host/db/entities/EntityIndex.h"
#include "host/db/database/ObjectAccess.h"

namespace host {

void UndoManager::beginGroup() {
    if (m_depth++ == 0) {
        m_open.clear();
        ++m_serial;
    }
}

void UndoManager::endGroup() {
    if (m_depth == 0) return;
    if (--m_depth > 0) return;
    if (!m_open.empty()) {
        m_groups.push_back(std::move(m_open));
        if (int(m_groups.size()) > kMaxGroups) m_groups.erase(m_groups.begin());
    }
    m_open.clear();
    // A new serial, so that changes outside any group are never taken as recorded.
    ++m_serial;
}

void UndoManager::recordState(const AcDbObject* obj) {
    if (!isRecording() || !obj) return;
    DwgBufferFiler filer(AcDb::kUndoFiler, m_db);
    // An object that cannot file itself now cannot be restored: nothing is recorded.
    if (obj->dwgOut(&filer) != Acad::eOk) return;
    m_open.push_back({Step::State, obj->objectId(), false, filer.takeBytes()});
}

void UndoManager::recordAppend(AcDbObjectId id) {
    if (isRecording()) m_open.push_back({Step::Append, id, false, {}});
}

void UndoManager::recordErase(AcDbObjectId id, bool erasing) {
    if (isRecording()) m_open.push_back({Step::Erase, id, erasing, {}});
}

void UndoManager::restoreState(AcDbObject* obj, const std::vector<uint8_t>& bytes) {
    DwgBufferFiler filer(bytes, AcDb::kUndoFiler, m_db);
    bool opened = !ObjectAccess::isOpen(obj) && ObjectAccess::open(obj, AcDb::kForWrite) == Acad::eOk;
    obj->dwgIn(&filer);
    // An object that was open already is closed later by its opener; its graphics
    // changed now.
    m_db->entityIndex().changed(obj);
    // The reactors hear of it while isUndoing() is still true.
    if (opened) obj->close();
}

void UndoManager::undoStep(const Step& step) {
    if (!step.id.isValid()) return;
    AcDbObject* obj = static_cast<AcDbStub*>(step.id)->object;
    ObjectAccess::setUndoing(obj, true);
    switch (step.kind) {
    case Step::State:
        restoreState(obj, step.bytes);
        break;
    case Step::Append:
        ObjectAccess::setErased(obj, true);
        break;
    case Step::Erase:
        ObjectAccess::setErased(obj, !step.erasing);
        break;
    }
    ObjectAccess::setUndoing(obj, false);
}

Acad::ErrorStatus UndoManager::undoLastGroup() {
    if (m_undoing) return Acad::eNotApplicable;
    while (m_depth > 0) endGroup();
    if (m_groups.empty()) return Acad::eNotApplicable;
    std::vector<Step> steps = std::move(m_groups.back());
    m_groups.pop_back();
    m_undoing = true;
    for (auto it = steps.rbegin(); it != steps.rend(); ++it) undoStep(*it);
    m_undoing = false;
    return Acad::eOk;
}

Acad::ErrorStatus undoLastGroup(AcDbDatabase* db) {
    return db ? db->undoManager().undoLastGroup() : Acad::eNoDatabase;
}

void beginUndoGroup(AcDbDatabase* db) {
    if (db) db->undoManager().beginGroup();
}

void endUndoGroup(AcDbDatabase* db) {
    if (db) db->undoManager().endGroup();
}

} // namespace host
