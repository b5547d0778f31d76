#pragma once
// Base of the 3D geometry entities, under the host's name.
#include "host/ge/AcGe.h"
#include "host/ge/AcGePoint3d.h"
#include "host/ge/AcGeTol.h"

class AcGeMatrix3d;

class AcGeEntity3d {
public:
    virtual ~AcGeEntity3d() = default;

    virtual AcGe::EntityId type() const = 0;
    virtual bool isKindOf(AcGe::EntityId entType) const { return entType == AcGe::kEntity3d; }
    // A new copy owned by the caller.
    virtual AcGeEntity3d* copy() const = 0;
    virtual AcGeEntity3d& transformBy(const AcGeMatrix3d& xfm) = 0;
    virtual bool isOn(const AcGePoint3d& pnt, const AcGeTol& tol = AcGeContext::gTol) const = 0;

protected:
    AcGeEntity3d() = default;
    AcGeEntity3d(const AcGeEntity3d&) = default;
    AcGeEntity3d& operator=(const AcGeEntity3d&) = default;
};
