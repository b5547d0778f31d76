#pragma once
// The context the host hands a drawable's worldDraw(): viewport-independent drawing.
#include "host/gi/AcGiCommonDraw.h"

class AcGiWorldGeometry;

class AcGiWorldDraw : public AcGiCommonDraw {
public:
    ACRX_DECLARE_MEMBERS(AcGiWorldDraw);

    virtual AcGiWorldGeometry& geometry() const = 0;
};
