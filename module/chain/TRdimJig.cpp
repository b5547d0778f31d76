#include "module/chain/TRdimJig.h"

#include "host/db/database/AcDbDatabase.h"
#include "host/db/database/AcDbHostApplicationServices.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/ed/Ucs.h"
#include "host/ed/input/AcEdFilterWinMsg.h"
#include "host/ed/input/EditorInput.h"
#include "module/base/LintaroLog.h"
#include "module/base/UcsPoint.h"
#include "module/chain/TRdim.h"
#include "module/options/CGlobDimOptions.h"
#include "module/options/OptionIndices.h"
#include "module/options/ScaleMaps.h"
#include "module/resources/resource.h"
#include "module/services/DbServices.h"
#include "module/services/PalettePort.h"

#include <cmath>

namespace {

// The offset of "Lagepunkt" is the chain's direction turned by this, about its normal.
constexpr double kQuarterTurn = 1.57079632675;
// The temporary point of a point drag starts this far along the chain's direction.
constexpr double kDraggedPointStep = 0.01;
// AdjustTexts mode after the chain changed shape.
constexpr int kAdjustAll = 82;
// SetDimTextPos code: let the automatic placement choose.
constexpr int kAutoTextPosition = -8;
// Input controls of the jig: 3D points, LASTPOINT kept, Enter accepted; and the same
// with other input (for the keyword).
constexpr int kPointControls = 0x8A;
constexpr int kKeywordControls = 0x88A;
constexpr int kPlacementCursor = 11;

struct MouseClick {
    short x = 0;
    short y = 0;
    bool stored = false;
    bool registered = false;
};

MouseClick& click() {
    static MouseClick c;
    return c;
}

BOOL ChainMouseFilter(MSG* msg) {
    if (msg && msg->message == WM_LBUTTONDOWN) {
        click().x = static_cast<short>(GET_X_LPARAM(msg->lParam));
        click().y = static_cast<short>(GET_Y_LPARAM(msg->lParam));
        click().stored = true;
    }
    return FALSE; // the host goes on with the click
}

// The current UCS of the working database, as a matrix to world coordinates.
AcGeMatrix3d CurrentUcsMatrix() {
    AcGeMatrix3d ucs;
    AcDbHostApplicationServices* services = acdbHostApplicationServices();
    if (AcDbDatabase* db = services ? services->workingDatabase() : nullptr)
        ucs.setCoordSystem(db->ucsorg(), db->ucsxdir(), db->ucsydir(), db->ucsxdir().crossProduct(db->ucsydir()));
    return ucs;
}

} // namespace

// ---------------------------------------------------------------- the jig

TRdimJig::TRdimJig(const AcGePoint3d& first, const AcGePoint3d& second, int type, AcDbObjectId curveId,
                   int subIndex)
    : m_type(type), m_curveId(curveId), m_subIndex(subIndex) {
    const AcGePoint3d middle = first + (second - first) * 0.5;
    if (type == kDimArc)
        m_pChain = new TRdim(first, second, curveId, subIndex, middle, CurrentUcsMatrix());
    else
        m_pChain = new TRdim(first, second, type, middle);
    if (type != kDimArc && m_pChain->GetExtensions() >= 2) {
        m_pChain->ChangePointMainDim(middle);
        m_pChain->AdjustTexts(kAdjustAll);
    }
    SetNewChainLayer(*m_pChain);
    m_ptCurrent = middle;
}

TRdimJig::~TRdimJig() {
    delete m_pChain;
}

bool TRdimJig::update() {
    return true;
}

AcDbEntity* TRdimJig::entity() const {
    return m_pChain;
}

void TRdimJig::SetPlacementPrompt() {
    const int n = m_pChain->GetExtensions();
    const bool openCircle = m_type == kDimArc && m_pChain->GetParamInt(IND_I_ArcDimAsCircle) != 0 && n <= 2 &&
                            m_pChain->GetPointInput(0).isEqualTo(m_pChain->GetPointInput(n - 1));
    if (openCircle)
        setDispPrompt(L"%s", LoadStr(IDS_PROMPT_LEADER_END));
    else if (m_pChain->GetParamDouble(IND_D_DimLineDist) == 0.0 || m_type == kDimArc)
        setDispPrompt(L"%s", LoadStr(IDS_PROMPT_PLACE_CHAIN));
    else
        setDispPrompt(L"%s", LoadStr(IDS_PROMPT_PLACE_CHAIN_OR_REFERENCE));
}

bool TRdimJig::dragAcquire() {
    if (!m_pChain || m_pChain->GetExtensions() < 2) {
        delete m_pChain;
        m_pChain = nullptr;
        return false;
    }
    bool done = false, appended = false, dragged = false;
    int count = 0;
    DragStatus status = kNormal;
    while (!done && count < kJigMaxPoints) {
        if (!m_bPointPhase) {
            SetPlacementPrompt();
            RegisterChainMouseFilter();
        } else {
            m_iDragIndex =
                m_pChain->AddPointInput(m_ptCurrent + m_pChain->GetVectorDim() * kDraggedPointStep, true);
            dragged = true;
            count = m_pChain->GetExtensions();
            setDispPrompt(std::wstring(LoadStr(IDS_PROMPT_NTH_POINT)).c_str(), count);
        }
        status = drag();
        if (!m_bPointPhase) {
            RemoveChainMouseFilter();
            if (status != kNormal) {
                done = true;
                continue;
            }
            if (std::optional<POINT> at = ChainClickPixel()) {
                if (std::optional<AcGePoint3d> placed = PlaceByExistingChain(*m_pChain, *at)) {
                    m_ptCurrent = *placed;
                    m_pChain->ChangePointMainDim(*placed);
                }
            }
            m_bPointPhase = 1;
            appended = true;
            if (m_type == kDimArc) done = true; // an arc chain gets no further points here
        } else if (status == kNormal) {
            dragged = false;
        } else {
            done = true;
        }
    }
    if (m_bPointPhase) FinishInput(dragged);
    if (appended) {
        m_idResult = append();
        if (m_idResult.isNull()) delete m_pChain; // refused: still ours
    } else {
        delete m_pChain;
    }
    m_pChain = nullptr;
    return status == kNormal || status == kOther;
}

void TRdimJig::FinishInput(bool removeDragged) {
    if (removeDragged) m_pChain->RemoveDimExt(m_iDragIndex);
    m_pChain->RemoveDoubleExtensions();
    m_pChain->RemoveDoubleExtensions();
    m_pChain->Regenerate(-1);
    const int n = m_pChain->GetExtensions();
    if (m_type == kDimArc) {
        // Both ends snap onto the arc.
        m_pChain->ChangePoint(0, m_pChain->GetPointInput(0), kPointNew);
        m_pChain->ChangePoint(1, m_pChain->GetPointInput(1), kPointNew);
    } else if (pGlobDimOptions && pGlobDimOptions->GetOptFlag(IND_OPT_B_AutoPosition)) {
        for (int k = 1; k < n; ++k)
            m_pChain->SetDimTextPos(k, kAutoTextPosition);
    }
    m_pChain->AdjustTexts(kAdjustAll);
    m_pChain->ShrinkToFit();
}

AcEdJig::DragStatus TRdimJig::SampleLagepunkt() {
    ads_point r, p;
    if (acedGetPoint(nullptr, std::wstring(LoadStr(IDS_PROMPT_REFERENCE_POINT)).c_str(), r) != RTNORM)
        return kCancel;
    if (acedGetPoint(r, std::wstring(LoadStr(IDS_PROMPT_PLACE_AT_REFERENCE)).c_str(), p) != RTNORM)
        return kCancel;
    AcGeVector3d offset = m_pChain->GetVectorDim();
    offset.rotateBy(kQuarterTurn, m_pChain->GetUcsNormal());
    offset *= m_pChain->PaperToModel(m_pChain->GetParamDouble(IND_D_DimLineDist));
    const AcGePoint3d reference = m_pChain->ProjectToChainPlane(WorldOf(r));
    const AcGePoint3d placement = m_pChain->ProjectToChainPlane(WorldOf(p));
    m_ptCurrent = LagepunktLinePoint(reference, placement, offset);
    return kNormal;
}

AcEdJig::DragStatus TRdimJig::sampler() {
    if (!m_pChain) return kCancel;
    if (m_bPointPhase) {
        setSpecialCursorType(kCrosshair);
        setKeywordList(L"");
        setUserInputControls(UserInputControls(kPointControls));
    } else if (m_type != kDimArc) {
        setSpecialCursorType(CursorType(kPlacementCursor));
        const bool keyword = m_pChain->GetParamDouble(IND_D_DimLineDist) != 0.0;
        setKeywordList(keyword ? LoadStr(IDS_KEYWORDS_REFERENCE_POINT) : L"");
        setUserInputControls(UserInputControls(keyword ? kKeywordControls : kPointControls));
    } else {
        setKeywordList(L"");
        setUserInputControls(UserInputControls(kPointControls));
    }
    const AcGePoint3d before = m_ptCurrent;
    DragStatus status = kNormal;
    try {
        status = acquirePoint(m_ptCurrent);
    } catch (...) {
        MsgBox(L"Any problem on 'acquirePoint'...");
        return kCancel;
    }
    if (status >= kKW2 && status <= kKW9) status = kKW1;
    // The same point picked again in the point phase still lands the dragged point
    // there, so the clean-up at the end drops it rather than leaving it beside.
    if (m_bPointPhase && status == kNoChange) status = kNormal;
    if (status != kNormal && status != kKW1) return status;
    if (status == kNormal && !m_bPointPhase && m_ptCurrent.isEqualTo(before)) return kNoChange;
    if (m_bPointPhase) {
        const int moved = m_pChain->ChangePoint(m_iDragIndex, m_ptCurrent, kPointNew);
        if (moved >= 0) m_iDragIndex = moved;
        return kNormal;
    }
    if (status == kKW1 && (status = SampleLagepunkt()) != kNormal) return status;
    m_pChain->ChangePointMainDim(m_ptCurrent);
    if (m_type == kDimArc) {
        m_pChain->ChangePoint(1, m_pChain->GetPointInput(1), kPointMoved);
        m_pChain->ChangePoint(0, m_pChain->GetPointInput(0), kPointMoved);
    }
    return status;
}

// ---------------------------------------------------------------- the mouse filter

void RegisterChainMouseFilter() {
    if (click().registered) return;
    click().stored = false; // a click from before does not count
    click().registered = acedRegisterFilterWinMsg(&ChainMouseFilter);
}

void RemoveChainMouseFilter() {
    if (!click().registered) return;
    acedRemoveFilterWinMsg(&ChainMouseFilter);
    click().registered = false;
}

std::optional<POINT> ChainClickPixel() {
    if (!click().stored) return std::nullopt;
    POINT pixel;
    pixel.x = click().x;
    pixel.y = click().y;
    return pixel;
}

// ---------------------------------------------------------------- placing by a chain

AcGePoint3d LagepunktLinePoint(const AcGePoint3d& reference, const AcGePoint3d& placement,
                               const AcGeVector3d& offset) {
    const AcGePoint3d plus = reference + offset, minus = reference - offset;
    return placement.distanceTo(plus) <= placement.distanceTo(minus) ? plus : minus;
}

AcGePoint3d ParallelLinePoint(const AcGePoint3d& existingLinePoint, const AcGeVector3d& existingDir,
                              const AcGeVector3d& normal, double distance, const AcGePoint3d& objectPoint,
                              const std::optional<AcGePoint3d>& sidePoint) {
    AcGeVector3d across = normal.crossProduct(existingDir);
    if (across.isZeroLength()) return existingLinePoint;
    across.normalize();
    double side = 1.0;
    if (sidePoint)
        side = (*sidePoint - existingLinePoint).dotProduct(across) >= 0.0 ? 1.0 : -1.0;
    else
        side =
            (objectPoint - existingLinePoint).dotProduct(across) > 0.0 ? -1.0 : 1.0; // away from the objects
    return existingLinePoint + across * (side * distance);
}

std::optional<AcGePoint3d> PlaceByExistingChain(TRdim& newChain, const POINT& click) {
    const AcDbObjectId id = GetEntityAtPoint(click);
    if (id.isNull()) return std::nullopt;
    TRdim* existing = nullptr;
    if (acdbOpenObject(existing, id, AcDb::kForRead) != Acad::eOk) return std::nullopt;
    if (newChain.IsDimArc()) {
        // An arc chain lays its line through the picked chain's dimension point nearest
        // to its own.
        std::optional<AcGePoint3d> nearest;
        const AcGePoint3d own = newChain.GetPointDim(0);
        for (int i = 0; i < existing->GetExtensions(); ++i) {
            const AcGePoint3d p = existing->GetPointDim(i);
            if (!nearest || p.distanceTo(own) < nearest->distanceTo(own)) nearest = p;
        }
        existing->close();
        return nearest;
    }
    const bool usable = existing->GetExtensions() >= 2 && !existing->IsDimArc() && !newChain.IsDimArc();
    const AcGePoint3d linePoint = existing->GetPointDim(0);
    const AcGeVector3d dir = existing->GetVectorDim();
    const AcGeVector3d normal = existing->GetUcsNormal();
    const AcGePoint3d object = existing->GetPointInput(0);
    existing->close();
    if (!usable) return std::nullopt;
    ads_point s;
    std::optional<AcGePoint3d> side;
    if (acedGetPoint(nullptr, std::wstring(LoadStr(IDS_PROMPT_OFFSET_SIDE)).c_str(), s) == RTNORM)
        side = WorldOf(s);
    double distance = 0.0;
    if (pGlobDimOptions)
        distance = pGlobDimOptions->GetOptionSet(OPT_MODE_CHAIN).arrayOptDouble[IND_D_DimLinesDistance];
    return ParallelLinePoint(linePoint, dir, normal, newChain.PaperToModel(distance), object, side);
}

std::wstring NewChainLayerFor(const std::wstring& scaleText) {
    const PaletteLayerChoice choice = Palette().LayerChoice();
    if (choice.current) return std::wstring();
    return choice.name.empty() ? GetLayerForScale(scaleText) : choice.name;
}

void SetNewChainLayer(TRdim& chain) {
    const std::wstring layer = NewChainLayerFor(chain.GetParamString(IND_S_Scale));
    if (AcDbDatabase* db = acdbCurDwg(); db && !layer.empty())
        SetEntityLayer(db, &chain, layer, GetColorForLayer(layer));
    const int colour = GetColorForTextHeight(chain.GetParamDouble(IND_D_TextHeight));
    if (colour > 0 && colour < 256) chain.setColorIndex(static_cast<Adesk::UInt16>(colour));
}
