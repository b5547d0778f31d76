#pragma once
// Small checks the entities share when they read themselves or take a value:
// finite numbers, the record version, refusing a record.
#include "host/db/filing/AcDbDwgFiler.h"
#include "host/ge/AcGePoint2d.h"
#include "host/ge/AcGePoint3d.h"
#include "host/ge/AcGeVector3d.h"

#include <cmath>

namespace host {

inline bool isFinite(double v) { return std::isfinite(v); }
inline bool isFinite(const AcGePoint3d& p) { return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z); }
inline bool isFinite(const AcGePoint2d& p) { return std::isfinite(p.x) && std::isfinite(p.y); }
inline bool isFinite(const AcGeVector3d& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }
// A usable normal or direction: finite and not zero.
inline bool isDirection(const AcGeVector3d& v) { return isFinite(v) && !v.isZeroLength(); }

// Reads the record version; any other than `expected` stops the record.
inline void readVersion(AcDbDwgFiler* filer, Adesk::Int16 expected) {
    Adesk::Int16 version = 0;
    filer->readInt16(&version);
    if (filer->filerStatus() == Acad::eOk && version != expected) filer->setFilerStatus(Acad::eInvalidDwgVersion);
}

// Marks a record whose values make no sense as refused.
inline Acad::ErrorStatus refuseRecord(AcDbDwgFiler* filer) {
    filer->setFilerStatus(Acad::eInvalidInput);
    return Acad::eInvalidInput;
}

} // namespace host
