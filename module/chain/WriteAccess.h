#pragma once
// Write access to an object for the length of one change, whatever state the host holds
// it in: an object open for write is used as it is, one being notified is raised with
// upgradeFromNotify, one open for read with upgradeOpen. The state it had is put back
// when the scope ends. Reactor callbacks and commands run inside the host's own opens,
// and writing an object the host holds for reading would corrupt its notifications.
#include "host/db/database/adesk.h"
#include "host/rx/acadstrc.h"

class AcDbObject;

class WriteAccess {
public:
    // How write access was gained.
    enum Way { kNone, kAlready, kFromNotify, kUpgraded };

    explicit WriteAccess(AcDbObject* object);
    ~WriteAccess();
    WriteAccess(const WriteAccess&) = delete;
    WriteAccess& operator=(const WriteAccess&) = delete;

    bool ok() const { return m_way != kNone; }
    Way way() const { return m_way; }
    // The result of the last upgrade tried (eOk when none was needed).
    Acad::ErrorStatus status() const { return m_status; }

private:
    AcDbObject* m_object;
    Way m_way = kNone;
    Acad::ErrorStatus m_status = Acad::eOk;
    Adesk::Boolean m_wasWritable = false;
};
