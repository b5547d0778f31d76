#pragma once
// The four corners of a 3D face or a 2D solid: access by index, grips, moves,
// transforms and filing, with the checks both entities make before they change.
#include "host/db/database/AcArray.h"
#include "host/db/filing/AcDbDwgFiler.h"
#include "host/ge/AcGeMatrix3d.h"
#include "host/ge/AcGePoint3d.h"
#include "host/rx/acadstrc.h"

namespace host {

struct FourCorners {
    AcGePoint3d pts[4];

    // eInvalidIndex past corner 3.
    Acad::ErrorStatus get(Adesk::UInt16 idx, AcGePoint3d& pt) const;
    // Whether corner `idx` may become `pt`: eInvalidIndex past corner 3, eInvalidInput
    // for a point that is not finite.
    static Acad::ErrorStatus checkCorner(Adesk::UInt16 idx, const AcGePoint3d& pt);
    // Whether every grip index is a corner (eInvalidIndex otherwise).
    static Acad::ErrorStatus checkGrips(const AcDbIntArray& indices);

    void appendTo(AcGePoint3dArray& points) const;
    // Moves the corners named by checked grip indices.
    void move(const AcDbIntArray& indices, const AcGeVector3d& offset);
    void transformBy(const AcGeMatrix3d& xform);

    void writeTo(AcDbDwgFiler* filer) const;
    // Reads the four points; the filer's status says whether that worked.
    void readFrom(AcDbDwgFiler* filer);
    bool isFinite() const;
};

} // namespace host
