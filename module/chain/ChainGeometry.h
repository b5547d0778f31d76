#pragma once
// The shape of a chain as a value: its type, the UCS it was made in, its direction, the
// four points of every extension (input, extension start, dimension point, text point),
// the arc data of an arc chain and one flag word per extension. Plain data and the
// operations that need nothing else, so a chain's shape can be built, moved and checked
// without a drawing; the entity (TRdim) holds one and adds the rules that read options.
#include "host/db/database/AcArray.h"
#include "host/ge/AcGeMatrix3d.h"
#include "host/ge/AcGePlane.h"
#include "host/ge/AcGePoint3d.h"
#include "host/ge/AcGeVector3d.h"
#include "module/chain/TRdimExtFlags.h"

// Chain types (dimType).
enum TRdimType { kDimHorizontal = 0, kDimVertical = 1, kDimAligned = 2, kDimArc = 3 };

// What each of the four points of an extension is.
enum ChainPointSlot { kSlotInput = 0, kSlotStart = 1, kSlotDim = 2, kSlotText = 3 };

struct ChainGeometry {
    int dimType = kDimHorizontal;
    AcGePoint3d origin;
    AcGeVector3d axis[3] = {AcGeVector3d(1, 0, 0), AcGeVector3d(0, 1, 0), AcGeVector3d(0, 0, 1)};
    double rotation = 0.0;
    AcGeVector3d vectorDim{1.0, 0.0, 0.0};
    // Four points per extension, in ChainPointSlot order; extensions sorted along the line.
    AcGePoint3dArray points;
    AcGePoint3dArray arcPoints;
    AcGeDoubleArray arcParams;
    TRdimExtFlagArray extFlags;
    // Zero until the chain is initialised.
    AcGeVector3d zAxis{0.0, 0.0, 0.0};

    int Extensions() const { return points.length() / 4; }
    bool IsArc() const { return dimType == kDimArc; }
    // Index into `points` of extension i, component c; -1 outside.
    int Slot(int i, int c) const;

    // The UCS as a matrix from it to world coordinates, its normal (X x Y), and whether
    // that normal points down (a mirrored chain).
    AcGeMatrix3d UcsMatrix() const;
    AcGeVector3d UcsNormal() const;
    bool IsUcsMirrored() const;
    // Origin and axes from `ucsToWorld`; a degenerate matrix gives the world's axes.
    void SetCoordSystem(const AcGeMatrix3d& ucsToWorld);

    // The plane the chain lies in: through the first dimension point (the origin while
    // there is none), normal to the UCS.
    AcGePlane Plane() const;
    AcGePoint3d ProjectToPlane(const AcGePoint3d& point) const;
    // Extensions whose input point is `point` (host tolerance).
    int InputPointCount(const AcGePoint3d& point) const;
    // Straight distance between the dimension points of segment k (k < 1 means 1);
    // 0 beyond the last segment.
    double StraightLength(int k) const;
    // Every point (arc points of an arc chain included) and the normal through `xform`;
    // the UCS axes stay as they were made.
    void Transform(const AcGeMatrix3d& xform);
};

// A normal turns with its plane: the cross product of two transformed axes of the plane,
// so a mirror turns it over (a plain vector transform would leave it).
AcGeVector3d TransformNormal(const AcGeVector3d& normal, const AcGeMatrix3d& xform);
