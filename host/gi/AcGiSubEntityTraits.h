#pragma once
// The properties the next primitives are drawn with: selection marker, colour,
// layer, linetype, line weight and fill. A primitive takes the traits that are set
// when it is drawn.
//
// Layer and linetype ids are the database's object ids seen as the host's
// AcDbStub pointers (an AcDbObjectId converts to and from AcDbStub*), so this layer
// needs nothing of the database. Line weights are the database's AcDb::LineWeight
// values (hundredths of a millimetre; -1 ByLayer, -2 ByBlock, -3 default).
#include "host/gi/AcGiColor.h"
#include "host/rx/AcRxObject.h"
#include "host/win/WinTypes.h"

#include <cstdint>

class AcDbStub;

enum AcGiFillType {
    kAcGiFillAlways = 1,
    kAcGiFillNever = 2,
};

class AcGiSubEntityTraits : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcGiSubEntityTraits);

    // An index colour 0..257 (0 ByBlock, 256 ByLayer); the true colour follows it.
    virtual void setColor(uint16_t color) = 0;
    // A true colour; an index colour given this way also sets the index.
    virtual void setTrueColor(const AcGiColor& color) = 0;
    virtual void setLayer(AcDbStub* layerId) = 0;
    virtual void setLineType(AcDbStub* linetypeId) = 0;
    virtual void setSelectionMarker(LONG_PTR markerId) = 0;
    virtual void setFillType(AcGiFillType fillType) = 0;
    virtual void setLineWeight(int lineWeight) = 0;
    virtual void setLineTypeScale(double scale = 1.0) = 0;
    virtual void setThickness(double thickness) = 0;

    virtual uint16_t color() const = 0;
    virtual AcGiColor trueColor() const = 0;
    virtual AcDbStub* layerId() const = 0;
    virtual AcDbStub* lineTypeId() const = 0;
    virtual AcGiFillType fillType() const = 0;
    virtual int lineWeight() const = 0;
    virtual double lineTypeScale() const = 0;
    virtual double thickness() const = 0;
};

// The traits a drawable gets in setAttributes(): the same properties, set once for
// the whole drawable.
class AcGiDrawableTraits : public AcGiSubEntityTraits {
public:
    ACRX_DECLARE_MEMBERS(AcGiDrawableTraits);
};
