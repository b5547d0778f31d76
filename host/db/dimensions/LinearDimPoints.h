#pragma once
// What the rotated and the aligned dimension share: two extension-line origins and a
// point of the dimension line. They stay sibling classes, as in the host, so the
// shared handling of those three points is written once here for both.
#include "host/db/database/AcArray.h"
#include "host/rx/acadstrc.h"
#include "host/win/FormatW.h"
#include "host/win/Transcript.h"

namespace host {

template <class Dim> void listLinearDimPoints(const Dim& d) {
    const AcGePoint3d points[] = {d.xLine1Point(), d.xLine2Point(), d.dimLinePoint()};
    const wchar_t* labels[] = {L"extension line 1: ", L"extension line 2: ", L"dimension line:   "};
    for (int i = 0; i < 3; ++i)
        transcriptWrite(FormatW(L"%20s%sX=%.4f  Y=%.4f  Z=%.4f\n", L"", labels[i], points[i].x, points[i].y,
                                points[i].z));
}

// Grips 0 and 1 are the extension-line origins, 2 the dimension line, 3 the text.
template <class Dim> Acad::ErrorStatus appendLinearDimGrips(const Dim& d, AcGePoint3dArray& gripPoints) {
    gripPoints.append(d.xLine1Point());
    gripPoints.append(d.xLine2Point());
    gripPoints.append(d.dimLinePoint());
    gripPoints.append(d.textPosition());
    return Acad::eOk;
}

template <class Dim>
Acad::ErrorStatus moveLinearDimGrips(Dim& d, const AcDbIntArray& indices, const AcGeVector3d& offset) {
    for (int i : indices) {
        if (i == 0) d.setXLine1Point(d.xLine1Point() + offset);
        if (i == 1) d.setXLine2Point(d.xLine2Point() + offset);
        if (i == 2) d.setDimLinePoint(d.dimLinePoint() + offset);
        if (i == 3) d.setTextPosition(d.textPosition() + offset);
    }
    return Acad::eOk;
}

} // namespace host
