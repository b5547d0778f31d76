#pragma once
// Smart pointers that open an object by id and close it when they go out of
// scope, so an early return never leaves an object open.
#include "host/db/database/AcDbObjectOpen.h"

template <class T>
class AcDbObjectPointer {
public:
    AcDbObjectPointer() = default;
    AcDbObjectPointer(AcDbObjectId id, AcDb::OpenMode mode = AcDb::kForRead, bool openErased = false) {
        open(id, mode, openErased);
    }
    ~AcDbObjectPointer() { close(); }
    AcDbObjectPointer(const AcDbObjectPointer&) = delete;
    AcDbObjectPointer& operator=(const AcDbObjectPointer&) = delete;

    Acad::ErrorStatus open(AcDbObjectId id, AcDb::OpenMode mode = AcDb::kForRead, bool openErased = false) {
        close();
        m_status = acdbOpenObject(m_ptr, id, mode, openErased);
        return m_status;
    }
    Acad::ErrorStatus openStatus() const { return m_status; }
    Acad::ErrorStatus close() {
        if (!m_ptr) return Acad::eNullObjectPointer;
        Acad::ErrorStatus es = m_ptr->close();
        m_ptr = nullptr;
        m_status = Acad::eNullObjectPointer;
        return es;
    }
    // Gives up the pointer without closing it; the caller closes it.
    T* release() {
        T* p = m_ptr;
        m_ptr = nullptr;
        m_status = Acad::eNullObjectPointer;
        return p;
    }
    T* object() const { return m_ptr; }
    T* operator->() const { return m_ptr; }
    operator T*() const { return m_ptr; }

private:
    T* m_ptr = nullptr;
    Acad::ErrorStatus m_status = Acad::eNullObjectPointer;
};

class AcDbEntity;
typedef AcDbObjectPointer<AcDbObject> AcDbObjectPointerBase;
typedef AcDbObjectPointer<AcDbEntity> AcDbEntityPointer;
