#pragma once
// The filer of the DXF form: group code and value pairs. The database's objects
// file their common groups through it; the drawing-exchange code provides the
// concrete filer.
#include "host/db/database/AcDb.h"
#include "host/db/database/AcDbHandle.h"
#include "host/db/database/AcDbObjectId.h"
#include "host/db/database/adesk.h"
#include "host/ge/AcGePoint3d.h"
#include "host/ge/AcGeVector3d.h"
#include "host/rx/AcRxObject.h"
#include "host/rx/adsdef.h"

class AcDbDatabase;

class AcDbDxfFiler : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbDxfFiler);
    ~AcDbDxfFiler() override = default;

    virtual Acad::ErrorStatus filerStatus() const = 0;
    virtual AcDb::FilerType filerType() const = 0;
    virtual void setFilerStatus(Acad::ErrorStatus status) = 0;
    virtual void resetFilerStatus() = 0;
    virtual AcDbDatabase* database() const = 0;

    // Reading: the next group into `pItem` (the caller's resbuf; a string value is
    // allocated and freed by the caller); pushBackItem makes it come again.
    virtual Acad::ErrorStatus readResBuf(resbuf* pItem) = 0;
    Acad::ErrorStatus readItem(resbuf* pItem) { return readResBuf(pItem); }
    virtual void pushBackItem() = 0;
    virtual bool atEOF() = 0;
    virtual bool atSubclassData(const wchar_t* subClassName) = 0;
    virtual bool atExtendedData() = 0;
    virtual bool atEndOfObject() = 0;

    virtual Acad::ErrorStatus writeResBuf(const resbuf& item) = 0;
    virtual Acad::ErrorStatus writeString(int code, const wchar_t* value) = 0;
    virtual Acad::ErrorStatus writeObjectId(int code, const AcDbObjectId& id) = 0;
    virtual Acad::ErrorStatus writeInt16(int code, Adesk::Int16 value) = 0;
    virtual Acad::ErrorStatus writeInt32(int code, Adesk::Int32 value) = 0;
    virtual Acad::ErrorStatus writeUInt8(int code, Adesk::UInt8 value) = 0;
    virtual Acad::ErrorStatus writeBool(int code, bool value) = 0;
    virtual Acad::ErrorStatus writeDouble(int code, double value, int precision = 16) = 0;
    virtual Acad::ErrorStatus writePoint3d(int code, const AcGePoint3d& value, int precision = 16) = 0;
    virtual Acad::ErrorStatus writeVector3d(int code, const AcGeVector3d& value, int precision = 16) = 0;
    virtual Acad::ErrorStatus writeAcDbHandle(int code, const AcDbHandle& handle) = 0;

    Acad::ErrorStatus writeItem(int code, const wchar_t* v) { return writeString(code, v); }
    Acad::ErrorStatus writeItem(int code, const AcDbObjectId& v) { return writeObjectId(code, v); }
    Acad::ErrorStatus writeItem(int code, Adesk::Int16 v) { return writeInt16(code, v); }
    Acad::ErrorStatus writeItem(int code, Adesk::Int32 v) { return writeInt32(code, v); }
    Acad::ErrorStatus writeItem(int code, Adesk::UInt8 v) { return writeUInt8(code, v); }
    Acad::ErrorStatus writeItem(int code, bool v) { return writeBool(code, v); }
    Acad::ErrorStatus writeItem(int code, double v, int precision = 16) { return writeDouble(code, v, precision); }
    Acad::ErrorStatus writeItem(int code, const AcGePoint3d& v, int precision = 16) {
        return writePoint3d(code, v, precision);
    }
    Acad::ErrorStatus writeItem(int code, const AcGeVector3d& v, int precision = 16) {
        return writeVector3d(code, v, precision);
    }
    Acad::ErrorStatus writeItem(int code, const AcDbHandle& v) { return writeAcDbHandle(code, v); }
};
