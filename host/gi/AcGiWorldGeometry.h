#pragma once
// The geometry of a world-draw context: the common primitives, and the extents a
// drawable may hand the host instead of letting it compute them.
#include "host/gi/AcGiGeometry.h"

class AcGiWorldGeometry : public AcGiGeometry {
public:
    ACRX_DECLARE_MEMBERS(AcGiWorldGeometry);

    // Two points: the lower-left and upper-right corners of the drawable's box.
    virtual void setExtents(AcGePoint3d* newExtents) const = 0;
};
