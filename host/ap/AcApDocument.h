#pragma once
// A document: one open drawing with its database, its file name and the locks
// held on it. A database read from disk on its own (an external drawing) has no
// document. The host runs one execution context, so the document's lock mode and
// "my" lock mode are the same: the mode of the most recent lock still held.
#include "host/rx/AcRxObject.h"

#include <memory>
#include <string>
#include <vector>

class AcDbDatabase;

namespace AcAp {
enum DocLockMode {
    kNone = 0x00,
    kAutoWrite = 0x01,
    kNotLocked = 0x02,
    kWrite = 0x04,
    kProtectedAutoWrite = 0x14,
    kRead = 0x20,
    kXWrite = 0x40
};
} // namespace AcAp

class AcApDocument : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcApDocument);
    ~AcApDocument() override;

    // The full path of the drawing, or "DrawingN.dwg" for one never saved.
    const wchar_t* fileName() const { return m_fileName.c_str(); }
    // The file's name without its folder.
    const wchar_t* docTitle() const { return m_title.c_str(); }
    AcDbDatabase* database() const { return m_db.get(); }
    AcAp::DocLockMode lockMode(bool bIncludeMyLocks = false) const;
    AcAp::DocLockMode myLockMode() const;
    // No command is running.
    bool isQuiescent() const;
    bool isReadOnly() const { return false; }

    // ---- the host's side
    // True once the drawing has a file (opened from one or saved).
    bool isNamed() const { return m_named; }
    // How many locks are held (automatic command locks included).
    size_t lockCount() const { return m_locks.size(); }

private:
    friend class AcApDocManager;
    struct Lock {
        AcAp::DocLockMode mode;
        bool automatic; // taken by the host around a command, released by it
    };
    AcApDocument(std::unique_ptr<AcDbDatabase> db, std::wstring fileName, bool named);
    void setFileName(std::wstring fileName, bool named);

    std::unique_ptr<AcDbDatabase> m_db;
    std::wstring m_fileName;
    std::wstring m_title;
    bool m_named = false;
    std::vector<Lock> m_locks;
};
