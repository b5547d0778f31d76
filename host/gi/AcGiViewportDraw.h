#pragma once
// The context of viewportDraw(): drawing that depends on the viewport. The stand-in
// host has a single plan view and asks for it only when worldDraw() returns false.
#include "host/gi/AcGiCommonDraw.h"
#include "host/gi/AcGiGeometry.h"

class AcGiViewportGeometry : public AcGiGeometry {
public:
    ACRX_DECLARE_MEMBERS(AcGiViewportGeometry);
};

class AcGiViewportDraw : public AcGiCommonDraw {
public:
    ACRX_DECLARE_MEMBERS(AcGiViewportDraw);

    virtual AcGiViewportGeometry& geometry() const = 0;
    virtual uint32_t sequenceNumber() const { return 0; }
};
