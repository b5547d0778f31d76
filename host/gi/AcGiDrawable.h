#pragma once
// Anything the host can draw. The database's objects derive from it; the host calls
// worldDraw() with a world-draw context (screen, picture, picking, proxy graphics,
// explode) and the object sends its primitives through that context.
#include "host/rx/AcRxObject.h"

#include <cstdint>

class AcGiWorldDraw;
class AcGiViewportDraw;
class AcGiDrawableTraits;

class AcGiDrawable : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcGiDrawable);

    // Flags setAttributes() may return.
    enum SetAttributesFlags : uint32_t {
        kDrawableNone = 0,
        kDrawableIsAnEntity = 1,
        kDrawableUsesNesting = 2,
        kDrawableIsCompoundObject = 4,
    };

    // The host's entry points; the drawable's own behaviour lives in the sub* methods.
    uint32_t setAttributes(AcGiDrawableTraits* traits) { return subSetAttributes(traits); }
    // True when the drawing is complete; false asks the host for viewportDraw().
    bool worldDraw(AcGiWorldDraw* wd) { return subWorldDraw(wd); }
    void viewportDraw(AcGiViewportDraw* vd) { subViewportDraw(vd); }

protected:
    virtual uint32_t subSetAttributes(AcGiDrawableTraits* traits) { return kDrawableNone; }
    virtual bool subWorldDraw(AcGiWorldDraw* wd) { return true; }
    virtual void subViewportDraw(AcGiViewportDraw* vd) {}
};
