#pragma once
// The undo recorder of one database. The command runner opens a group around
// each command; inside a group the first open for write of an object records its
// filed state (through the undo filer, the same filing code that saves it), and
// appends and erasures are recorded. Undoing the last group reads those states
// back with isUndoing() true, un-erases what was erased and erases what was
// appended. Outside a group nothing is recorded.
#include "host/db/database/AcDbObjectId.h"
#include "host/rx/acadstrc.h"

#include <cstdint>
#include <vector>

class AcDbDatabase;
class AcDbObject;

namespace host {

class UndoManager {
public:
    explicit UndoManager(AcDbDatabase* db) : m_db(db) {}

    // Groups nest; only the outermost pair makes a group. A group with no steps
    // is not kept.
    void beginGroup();
    void endGroup();
    bool isGroupOpen() const { return m_depth > 0; }
    // True while a group is open and no undo is running: then changes are recorded.
    bool isRecording() const { return m_depth > 0 && !m_undoing && !m_disabled; }
    // While disabled nothing is recorded (temporary helper objects, for one).
    void setDisabled(bool disabled) { m_disabled = disabled; }
    bool isDisabled() const { return m_disabled; }
    bool isUndoing() const { return m_undoing; }
    // Changes every time a group opens, so an object records its state once per group.
    uint32_t groupSerial() const { return m_serial; }
    int groupCount() const { return int(m_groups.size()); }

    void recordState(const AcDbObject* obj);
    void recordAppend(AcDbObjectId id);
    void recordErase(AcDbObjectId id, bool erasing);

    // Undoes the last complete group (an open group is closed first).
    // eNotApplicable when there is nothing to undo.
    Acad::ErrorStatus undoLastGroup();
    void clear() { m_groups.clear(); }

    // The oldest groups are dropped beyond this many.
    static constexpr int kMaxGroups = 500;

private:
    struct Step {
        enum Kind { State, Append, Erase } kind;
        AcDbObjectId id;
        bool erasing = false;
        std::vector<uint8_t> bytes;
    };
    void undoStep(const Step& step);
    void restoreState(AcDbObject* obj, const std::vector<uint8_t>& bytes);

    AcDbDatabase* m_db;
    std::vector<std::vector<Step>> m_groups;
    std::vector<Step> m_open;
    int m_depth = 0;
    uint32_t m_serial = 0;
    bool m_undoing = false;
    bool m_disabled = false;
};

// For the host command "U": undoes the database's last group.
Acad::ErrorStatus undoLastGroup(AcDbDatabase* db);
// For the command runner: the group around one command.
void beginUndoGroup(AcDbDatabase* db);
void endUndoGroup(AcDbDatabase* db);

} // namespace host
