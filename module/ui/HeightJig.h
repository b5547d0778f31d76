#pragma once
// The drag preview of height-mark creation: while the symbol's position of a section
// mark is asked, the new mark follows the cursor, its symbol sliding along the level of
// its measured point.
#include "host/ed/input/AcEdJig.h"
#include "host/ge/AcGePoint3d.h"

class TRdimHeight;

class TRdimHeightJig : public AcEdJig {
public:
    // `mark` is the preview (not in a database), owned by the caller; `base` is where
    // the rubber band starts (world).
    TRdimHeightJig(TRdimHeight* mark, const AcGePoint3d& base);

    // Asks for the symbol's position with `prompt` until a point is given (a cancelled
    // answer asks again). True with the point (world); false when the input ended.
    bool AskSymbolPoint(const wchar_t* prompt, AcGePoint3d& point);

    DragStatus sampler() override;
    bool update() override;
    AcDbEntity* entity() const override;

private:
    TRdimHeight* m_mark;
    AcGePoint3d m_base;
    AcGePoint3d m_point;
};
