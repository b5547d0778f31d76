#pragma once
// What a drawable may ask about the drawing pass it is in: whether a plot is being
// made (a text mask is white on paper, the screen colour on screen) and which
// database is drawn.
#include "host/rx/AcRxObject.h"

class AcDbDatabase;

class AcGiContext : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcGiContext);

    virtual bool isPsOut() const { return false; }
    virtual bool isPlotGeneration() const { return false; }
    virtual AcDbDatabase* database() const { return nullptr; }
    virtual bool isBoundaryClipping() const { return false; }
};
