#pragma once
// The undo recorder of one database. The command runner opens a group around
// each command; inside a group the first open for write of an object records its
// filed state (through the undo filer, the same filing code that saves it), and
// appends and erasures are recorded. Undoing the last group reads those states
// back with isUndoing() true, un-erases what was erased and erases what was
// appended. Outside a group nothing is recorded. A group carries the name of the
// command that made it, so that undoing can say what it undid; a mark (UNDO Mark)
// is a group without steps that UNDO Back stops at.
#include "host/db/database/AcDbObjectId.h"
#include "host/rx/acadstrc.h"

#include <cstdint>
#include <string>
#include <vector>

class AcDbDatabase;
class AcDbObject;

namespace host {

class UndoManager {
public:
    explicit UndoManager(AcDbDatabase* db) : m_db(db) {}

    // Groups nest; only the outermost pair makes a group. A group with no steps
    // is not kept.
    // `name` (the command's) is taken from the outermost begin.
    void beginGroup(const std::wstring& name = std::wstring());
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

    // Undoes the last complete group (an open group is closed first); marks on top
    // are dropped on the way. eNotApplicable when there is nothing to undo. `name`,
    // when given, receives the undone group's name.
    Acad::ErrorStatus undoLastGroup(std::wstring* name = nullptr);
    // Sets a mark for undoBack (an open group is closed first).
    void setMark();
    bool hasMark() const;
    // Undoes every group back to the newest mark, which goes too (all groups when
    // there is none); the names of the undone groups, newest first.
    std::vector<std::wstring> undoBack();
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
    struct Group {
        std::wstring name;
        std::vector<Step> steps;
        bool mark = false;
    };
    void closeOpenGroups();
    void undoStep(const Step& step);
    void restoreState(AcDbObject* obj, const std::vector<uint8_t>& bytes);

    AcDbDatabase* m_db;
    std::vector<Group> m_groups;
    std::vector<Step> m_open;
    std::wstring m_openName;
    int m_depth = 0;
    uint32_t m_serial = 0;
    bool m_undoing = false;
    bool m_disabled = false;
};

// For the host command "U": undoes the database's last group.
Acad::ErrorStatus undoLastGroup(AcDbDatabase* db, std::wstring* name = nullptr);
// For the command runner: the group around one command, named after it.
void beginUndoGroup(AcDbDatabase* db, const std::wstring& name = std::wstring());
void endUndoGroup(AcDbDatabase* db);

} // namespace host
