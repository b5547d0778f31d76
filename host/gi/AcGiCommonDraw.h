#pragma once
// What every drawing context offers: why it draws (regeneration type), whether to
// stop, the traits of the next primitives, and the drawing pass's context.
#include "host/rx/AcRxObject.h"

#include <cstdint>

class AcGePoint3d;
class AcGiContext;
class AcGiGeometry;
class AcGiSubEntityTraits;

enum AcGiRegenType {
    eAcGiRegenTypeInvalid = 0,
    kAcGiStandardDisplay = 2,
    kAcGiHideOrShadeCommand = 3,
    kAcGiRenderCommand = 4,
    kAcGiShadedDisplay = kAcGiRenderCommand,
    kAcGiForExplode = 5,
    kAcGiSaveWorldDrawForProxy = 6,
    kAcGiForExtents = 7,
};

enum AcGiDeviationType {
    kAcGiMaxDevForCircle = 0,
    kAcGiMaxDevForCurve,
    kAcGiMaxDevForBoundary,
    kAcGiMaxDevForIsoline,
    kAcGiMaxDevForFacet,
};

class AcGiCommonDraw : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcGiCommonDraw);

    virtual AcGiRegenType regenType() const = 0;
    // True when the host wants the drawable to stop drawing as soon as it can.
    virtual bool regenAbort() const = 0;
    virtual AcGiSubEntityTraits& subEntityTraits() const = 0;
    virtual AcGiGeometry* rawGeometry() const = 0;
    virtual bool isDragging() const = 0;
    virtual AcGiContext* context() = 0;
    virtual uint32_t numberOfIsolines() const = 0;
    // Largest allowed distance between a curve and its tessellation, in drawing units.
    virtual double deviation(AcGiDeviationType type, const AcGePoint3d& pt) const = 0;
};
