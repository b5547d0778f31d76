#pragma once
// The protocol MATCHPROP asks of an entity's class: copy the properties of a source
// entity onto a target. Classes without it are ignored by MATCHPROP.
#include "host/rx/AcRxObject.h"

class AcDbEntity;

class AcDbMatchProperties : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbMatchProperties);

    // Flags of copyProperties: which common properties to copy.
    enum Flags {
        kColorFlag = 0x1,
        kLayerFlag = 0x2,
        kLtypeFlag = 0x4,
        kThicknessFlag = 0x8,
        kLtscaleFlag = 0x10,
        kTextFlag = 0x20,
        kDimensionFlag = 0x40,
        kHatchFlag = 0x80,
        kLweightFlag = 0x100,
        kPlotstylenameFlag = 0x200,
        kPolylineFlag = 0x400,
        kViewportFlag = 0x800,
        kTableFlag = 0x1000,
        kMaterialFlag = 0x2000,
        kShadowDisplayFlag = 0x4000,
        kMultileaderFlag = 0x8000,
        kSetAllFlagsOn = 0xFFFF
    };

    virtual void copyProperties(AcDbEntity* pSrcEntity, AcDbEntity* pTrgEntity, unsigned int flag) const = 0;
};

namespace host {
// The service that MATCHPROP's application registers when it is loaded; the host
// loads it at start, so the service is there from then on.
void registerMatchPropertiesService();
} // namespace host
