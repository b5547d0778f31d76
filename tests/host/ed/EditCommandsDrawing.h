#pragma once
// A drawing for the editing command tests: the selection tests' drawing and view, the
// host's drawing and editing commands, helpers to add entities and read them back,
// and a snapshot of every entity's filed state to tell whether anything changed.
#include "SelectionTestDrawing.h"

#include "host/db/tables/AcDbBlockTableRecord.h"
#include "host/db/database/AcDbDatabaseReactor.h"
#include "host/db/filing/DwgBufferFiler.h"
#include "host/ed/commands/HostDrawCommands.h"
#include "host/ge/AcGeTol.h"

#include <map>
#include <string>
#include <vector>

namespace edittest {

// Geometry from typed coordinates after one or two transformations.
inline constexpr double kTol = 1e-9;
inline constexpr double kAngleTol = 1e-9;

// Counts the database's notifications and remembers the command running at each.
struct Notifications : AcDbDatabaseReactor {
    int appended = 0, modified = 0, erased = 0;
    std::vector<std::wstring> commandsSeen;
    void objectAppended(const AcDbDatabase*, const AcDbObject*) override { ++appended; }
    void objectModified(const AcDbDatabase*, const AcDbObject*) override {
        ++modified;
        std::optional<host::VarValue> v = host::sysVars().get(L"CMDNAMES");
        commandsSeen.push_back(v ? v->text : L"");
    }
    void objectErased(const AcDbDatabase*, const AcDbObject*, Adesk::Boolean erasing) override {
        if (erasing) ++erased;
    }
};

} // namespace edittest

class EditDrawing : public SelectionDrawing {
protected:
    void SetUp() override {
        SelectionDrawing::SetUp();
        host::registerDrawCommands();
        host::sysVars().set(L"LASTPOINT", host::VarValue::ofPoint(0, 0, 0));
    }
    void TearDown() override {
        if (m_watching) m_db->removeReactor(&notes);
        SelectionDrawing::TearDown();
    }

    // Runs the command with the answers, one a line; what is left of them is dropped.
    void command(const wchar_t* name, const std::wstring& answers = L"") {
        script(answers);
        host::commandLine().execute(name);
        host::hostInput().clearSources();
    }

    void watch() {
        m_db->addReactor(&notes);
        m_watching = true;
    }

    // Model-space entities that are not erased, oldest first.
    std::vector<AcDbObjectId> entities() const {
        std::vector<AcDbObjectId> ids;
        AcDbBlockTableRecord* space = nullptr;
        EXPECT_EQ(acdbOpenObject(space, m_db->modelSpaceId(), AcDb::kForRead), Acad::eOk);
        for (AcDbObjectId id : space->entityIds())
            if (!id.isErased()) ids.push_back(id);
        space->close();
        return ids;
    }

    // Every entity that is not erased with the bytes it files: equal snapshots are
    // equal drawings.
    std::map<AcDbObjectId, std::vector<uint8_t>> snapshot() const {
        std::map<AcDbObjectId, std::vector<uint8_t>> state;
        for (AcDbObjectId id : entities()) {
            AcDbEntity* ent = nullptr;
            if (acdbOpenAcDbEntity(ent, id, AcDb::kForRead) != Acad::eOk) continue;
            host::DwgBufferFiler filer(AcDb::kCopyFiler, m_db.get());
            ent->dwgOut(&filer);
            state[id] = filer.bytes();
            ent->close();
        }
        return state;
    }

    // The entity as a T, open for read: the caller closes it (null when it is no T).
    template <class T> T* open(AcDbObjectId id) const {
        T* obj = nullptr;
        if (acdbOpenObject(obj, id, AcDb::kForRead) != Acad::eOk) return nullptr;
        return obj;
    }

    static void expectPoint(const AcGePoint3d& p, double x, double y, const char* what) {
        EXPECT_NEAR(p.x, x, edittest::kTol) << what << ": x of (" << p.x << ", " << p.y << ")";
        EXPECT_NEAR(p.y, y, edittest::kTol) << what << ": y of (" << p.x << ", " << p.y << ")";
    }

    edittest::Notifications notes;

private:
    bool m_watching = false;
};
