#include "host/db/database/UndoManager.h"

#include "host/db/database/AcDbDatabase.h"
#include "host/db/database/AcDbObject.h"
#include "host/db/filing/DwgBufferFiler.h"
#include "host/db/entities/EntityIndex.h"
#include "host/db/database/ObjectAccess.h"

namespace host {

void UndoManager::beginGroup(const std::wstring& name) {
    if (m_depth++ == 0) {
        m_open.clear();
        m_openName = name;
        ++m_serial;
    }
}

void UndoManager::endGroup() {
    if (m_depth == 0) return;
    if (--m_depth > 0) return;
    if (!m_open.empty()) {
        m_groups.push_back(Group{m_openName, std::move(m_open), false});
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

void UndoManager::closeOpenGroups() {
    while (m_depth > 0) endGroup();
}

Acad::ErrorStatus UndoManager::undoLastGroup(std::wstring* name) {
    if (m_undoing) return Acad::eNotApplicable;
    closeOpenGroups();
    while (!m_groups.empty() && m_groups.back().mark) m_groups.pop_back();
    if (m_groups.empty()) return Acad::eNotApplicable;
    Group group = std::move(m_groups.back());
    m_groups.pop_back();
    m_undoing = true;
    for (auto it = group.steps.rbegin(); it != group.steps.rend(); ++it) undoStep(*it);
    m_undoing = false;
    if (name) *name = group.name;
    return Acad::eOk;
}

void UndoManager::setMark() {
    closeOpenGroups();
    // Two marks in a row stop UNDO Back at the same place: one is enough.
    if (!m_groups.empty() && m_groups.back().mark) return;
    m_groups.push_back(Group{L"MARK", {}, true});
    if (int(m_groups.size()) > kMaxGroups) m_groups.erase(m_groups.begin());
}

bool UndoManager::hasMark() const {
    for (const Group& g : m_groups)
        if (g.mark) return true;
    return false;
}

std::vector<std::wstring> UndoManager::undoBack() {
    std::vector<std::wstring> names;
    if (m_undoing) return names;
    closeOpenGroups();
    while (!m_groups.empty()) {
        if (m_groups.back().mark) {
            m_groups.pop_back();
            break;
        }
        std::wstring name;
        if (undoLastGroup(&name) != Acad::eOk) break;
        names.push_back(name);
    }
    return names;
}

Acad::ErrorStatus undoLastGroup(AcDbDatabase* db, std::wstring* name) {
    return db ? db->undoManager().undoLastGroup(name) : Acad::eNoDatabase;
}

void beginUndoGroup(AcDbDatabase* db, const std::wstring& name) {
    if (db) db->undoManager().beginGroup(name);
}

void endUndoGroup(AcDbDatabase* db) {
    if (db) db->undoManager().endGroup();
}

} // namespace host
