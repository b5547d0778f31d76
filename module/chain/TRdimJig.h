#pragma once
// The drag jig that builds a new chain: first the dimension line is placed (freely,
// on the line of an existing chain under the click, or at the set distance from a
// reference point with "Lagepunkt"), then one extension point is added per pick until
// the user ends the input. The chain changes in the sampler, so update() has nothing
// left to do.
//
// Also here, shared with the cutting line: the mouse filter that remembers where the
// user clicked, and placing a new line by the chain under that click.
#include "host/db/database/AcDbObjectId.h"
#include "host/ed/input/AcEdJig.h"
#include "host/ge/AcGePoint3d.h"
#include "host/ge/AcGeVector3d.h"
#include "host/win/WinMsg.h"

#include <cstdint>
#include <optional>

class TRdim;

class TRdimJig : public AcEdJig {
public:
    // A chain of `type` through the two points (world), its line through their middle.
    TRdimJig(const AcGePoint3d& first, const AcGePoint3d& second, int type, AcDbObjectId curveId,
             int subIndex);
    ~TRdimJig() override;
    DragStatus sampler() override;
    bool update() override;
    AcDbEntity* entity() const override;

    // Runs the drag loop. Afterwards m_idResult holds the appended chain, or is null.
    // True when the last drag ended normally or with other input.
    bool dragAcquire();

    AcDbObjectId m_idResult;
    TRdim* m_pChain = nullptr;
    int32_t m_bPointPhase = 0;
    AcGePoint3d m_ptCurrent;
    int32_t m_iDragIndex = 0;

private:
    void SetPlacementPrompt();
    DragStatus SampleLagepunkt();
    void FinishInput(bool removeDragged);

    int m_type = 0;
    AcDbObjectId m_curveId;
    int m_subIndex = 0;
};

// A chain takes at most this many points through the jig.
inline constexpr int kJigMaxPoints = 100;

// ---- the mouse filter: while registered, every left button press stores its client
// coordinates.
void RegisterChainMouseFilter();
void RemoveChainMouseFilter();
// The client coordinates of the click stored last; nullopt when there was none.
std::optional<POINT> ChainClickPixel();

// ---- placing a new line by the chain under a click
// The point the new chain's line should pass through when a chain lies under the
// click; asks for the side ("Zu versetzende Seite angeben: "). A new arc chain takes
// the picked chain's dimension point nearest to its own first one. nullopt when no
// chain is there (the caller keeps its own point).
std::optional<AcGePoint3d> PlaceByExistingChain(TRdim& newChain, const POINT& click);

// The line point of "Lagepunkt": the reference point moved by the offset to the side
// the placement point lies on (the positive side when both are equally near).
AcGePoint3d LagepunktLinePoint(const AcGePoint3d& reference, const AcGePoint3d& placement,
                               const AcGeVector3d& offset);
// The line point beside an existing line (through `existingLinePoint`, direction
// `existingDir`, in the plane of `normal`): `distance` away, on the side of `sidePoint`
// when one is given, else on the side away from `objectPoint`.
AcGePoint3d ParallelLinePoint(const AcGePoint3d& existingLinePoint, const AcGeVector3d& existingDir,
                              const AcGeVector3d& normal, double distance, const AcGePoint3d& objectPoint,
                              const std::optional<AcGePoint3d>& sidePoint);

// The layer of a new chain at that scale: the one the palette's layer combo names, else
// the layer of the scale; empty for the drawing's current layer (the combo says
// " < AKTUELL >", or the scale table names none).
std::wstring NewChainLayerFor(const std::wstring& scaleText);
// Puts the new chain on that layer and gives it the colour of its text height (kept when
// the table gives none).
void SetNewChainLayer(TRdim& chain);
