// The arc of an arc chain: the curve it measures (or the arc it builds from its own
// points when the curve is gone), the parameter of every extension on it, the
// dimension arc, extension lines and measured lengths.
#include "module/chain/TRdim.h"

#include "host/db/entities/AcDbArc.h"
#include "host/db/entities/AcDbCircle.h"
#include "host/db/entities/AcDbCurve.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/db/entities/AcDbPolyline.h"
#include "host/ed/acutPrintf.h"
#include "host/ge/AcGeCircArc3d.h"
#include "host/ge/AcGeMatrix3d.h"
#include "host/ge/AcGeTol.h"
#include "host/rx/AcRxClass.h"
#include "host/rx/acestext.h"
#include "module/base/LintaroLog.h"
#include "module/chain/ArcGeometry.h"
#include "module/options/OptionIndices.h"

#include <cmath>
#include <memory>
#include <vector>

using namespace lintaro::tol;

namespace {

// An arc chain keeps at least this many definition points.
constexpr int kArcPointCount = 7;
// Slots of m_rec.geo.arcPoints: dimension and input point of the first and last extension, and
// the centre of the measured arc.
constexpr int kArcFirstDim = 0;
constexpr int kArcLastDim = 2;
constexpr int kArcCentre = 3;
constexpr int kArcFirstInput = 4;
constexpr int kArcLastInput = 6;
// GetArcDim tags: the whole circle, and the arc the point tests use.
constexpr int kWholeDimCircle = -100;

// The polyline arc segment through both points, when the stored segment is none.
AcGeCircArc3d* PolylineArcThrough(const AcDbPolyline* polyline, const AcGePoint3d& a, const AcGePoint3d& b) {
    AcGeTol onCurve;
    onCurve.setEqualPoint(kOnCurve);
    for (unsigned int s = 0; s < polyline->numSegments(); ++s) {
        if (polyline->segType(s) != AcDbPolyline::kArc) continue;
        std::unique_ptr<AcGeCircArc3d> arc(Polyline2GeArc(polyline, static_cast<int>(s)));
        if (arc && arc->isOn(a, onCurve) && arc->isOn(b, onCurve)) return arc.release();
    }
    return nullptr;
}

} // namespace

// ---------------------------------------------------------------- cached arc data

void TRdim::KeepArcPoint(int i, const AcGePoint3d& point) {
    if (i < 0) return;
    if (i < m_rec.geo.arcPoints.length() && m_rec.geo.arcPoints[i].isEqualTo(point)) return;
    // Derived from the curve and the points; drawing a chain open for read may refresh
    // it without a change of its own.
    if (isWriteEnabled()) assertWriteEnabled();
    if (m_rec.geo.arcPoints.length() <= i) m_rec.geo.arcPoints.setLogicalLength(i + 1);
    m_rec.geo.arcPoints[i] = point;
}

void TRdim::KeepArcFlag(int index, std::uint32_t value) {
    if (GetParamInt(index) == value) return;
    if (isWriteEnabled()) assertWriteEnabled();
    if (m_rec.params.arrayInt.size() <= static_cast<size_t>(index))
        m_rec.params.arrayInt.resize(static_cast<size_t>(index) + 1);
    m_rec.params.arrayInt[static_cast<size_t>(index)] = value;
}

// ---------------------------------------------------------------- the measured curve

AcDbCurve* TRdim::GetDbArcInput() const {
    // The curve that is notifying the chain is open already; ArcInput does not close it.
    if (m_curveInNotify && m_curveInNotify->objectId() == m_rec.arcObjectId)
        return const_cast<AcDbCurve*>(m_curveInNotify);
    if (m_rec.arcObjectId.isNull() || !m_rec.arcObjectId.isValid()) {
        LogMsg(L"\nGetDbArcInput !m_arcObjectId.isValid()");
        return nullptr;
    }
    AcDbEntity* entity = nullptr;
    const Acad::ErrorStatus es = acdbOpenAcDbEntity(entity, m_rec.arcObjectId, AcDb::kForRead);
    if (es != Acad::eOk || !entity) {
        LogFmt(L"\n**** GetDbArcInput es=%d: %s", static_cast<int>(es), acadErrorStatusText(es));
        return nullptr;
    }
    if (AcDbCurve* curve = AcDbCurve::cast(entity)) return curve;
    LogFmt(L"\n**** GetDbArcInput pEnt=%s ", entity->isA() ? entity->isA()->dxfName() : L"?");
    entity->close();
    return nullptr;
}

void TRdim::SetArcSource(AcDbObjectId curveId, int segment) {
    assertWriteEnabled();
    m_rec.arcObjectId = curveId;
    m_rec.arcSubent = segment < 0 ? 0 : segment;
}

AcGeCircArc3d* TRdim::Curve2GeArc(const AcDbCurve* curve, int segment) {
    AcGeCircArc3d* arc = nullptr;
    if (const AcDbArc* a = AcDbArc::cast(curve)) {
        const AcGeVector3d n = a->normal();
        arc = new AcGeCircArc3d(a->center(), n, acgeArbitraryXAxis(n), a->radius(), a->startAngle(),
                                a->startAngle() + a->totalAngle());
    } else if (const AcDbCircle* c = AcDbCircle::cast(curve)) {
        arc = new AcGeCircArc3d(c->center(), c->normal(), c->radius());
    } else if (const AcDbPolyline* p = AcDbPolyline::cast(curve)) {
        return Polyline2GeArc(p, segment);
    } else {
        LogMsg(L"\n Curve2GeArc - unsupported object ...");
        return nullptr;
    }
    if (!arc || arc->radius() <= 0.0) {
        LogMsg(L"\n***************** Curve2GeArc !pGeArc...");
        delete arc;
        return nullptr;
    }
    return arc;
}

AcGeCircArc3d* TRdim::GetArcInput(bool bFullCircle) {
    return ArcInput(bFullCircle, -1);
}

AcGeCircArc3d* TRdim::ArcInput(bool bFullCircle, int skip) {
    const int n = GetExtensions();
    bool isCircle = false;
    std::unique_ptr<AcGeCircArc3d> arc;
    if (AcDbCurve* curve = GetDbArcInput()) {
        isCircle = AcDbCircle::cast(curve) != nullptr;
        arc.reset(Curve2GeArc(curve, m_rec.arcSubent));
        const AcDbPolyline* polyline = AcDbPolyline::cast(curve);
        if (!arc && polyline && n >= 2) {
            LogMsg(L"\n*** GetArcInput 2.pokus ******  ");
            arc.reset(PolylineArcThrough(polyline, GetPointInput(0), GetPointInput(n - 1)));
            if (!arc) LogMsg(L"- neuspesny *  ");
        }
        if (curve != m_curveInNotify) curve->close();
    } else {
        LogMsg(L" !Arc ");
    }
    KeepArcFlag(IND_I_ArcDimInputArcIsCircle, isCircle ? 1 : 0);
    if (!arc) {
        SubstituteArcInput in;
        for (int i = 0; i < n; ++i)
            if (i != skip || n < 3) {
                in.inputs.push_back(GetPointInput(i));
                in.dims.push_back(GetPointDim(i));
            }
        if (in.inputs.size() < 2) return nullptr;
        LogMsg(L"\n***** FIKTIVNY ArcInput ");
        in.normal = GetUcsNormal();
        bool parallel = false;
        std::optional<AcGeCircArc3d> made = SubstituteArc(in, parallel);
        if (parallel) LogMsg(L"\n ******* lineExt1.isParallelTo( lineExt2) ***********");
        if (!made) return nullptr;
        arc = std::make_unique<AcGeCircArc3d>(*made);
    }
    // Parameters grow counter-clockwise seen from the chain's UCS, the way the
    // dimension arc is drawn.
    TurnCounterClockwise(*arc, GetUcsNormal());
    if (!isCircle && bFullCircle) {
        WidenToFullCircle(*arc);
    } else if (isCircle) {
        const int first = static_cast<int>(GetParamInt(IND_I_ArcDimMinPoint));
        if (first >= 0 && first < n) StartCircleAt(*arc, GetPointInput(first));
    }
    KeepArcPoint(kArcCentre, arc->center());
    return arc.release();
}

// ---------------------------------------------------------------- parameters

void TRdim::MakeParamArray() {
    if (!IsDimArc()) {
        if (!m_rec.geo.arcParams.isEmpty()) {
            assertWriteEnabled();
            m_rec.geo.arcParams.removeAll();
        }
        return;
    }
    const int n = GetExtensions();
    if (m_rec.geo.arcPoints.length() < kArcPointCount) KeepArcPoint(kArcPointCount - 1, AcGePoint3d::kOrigin);
    const bool wasCircle = GetParamInt(IND_I_ArcDimInputArcIsCircle) != 0;
    if (!wasCircle) {
        KeepArcFlag(IND_I_ArcDimMinPoint, 0);
        KeepArcFlag(IND_I_ArcDimMaxPoint, 0);
    } else if (n >= 1) {
        if (static_cast<int>(GetParamInt(IND_I_ArcDimMaxPoint)) > n - 1)
            KeepArcFlag(IND_I_ArcDimMaxPoint, static_cast<std::uint32_t>(n - 1));
        KeepArcPoint(kArcLastDim, GetPointDim(n - 1));
        KeepArcPoint(kArcLastInput, GetPointInput(n - 1));
    }
    AcGeDoubleArray params;
    params.setLogicalLength(n);
    for (double& p : params)
        p = 0.0;
    std::unique_ptr<AcGeCircArc3d> arc(GetArcInput(false));
    if (arc && n >= 2) {
        const bool isCircle = GetParamInt(IND_I_ArcDimInputArcIsCircle) != 0;
        LogFmt(L"\nPARAM(S:%.1f E:%.1f) ", std::min(arc->startAng(), arc->endAng()),
               std::max(arc->startAng(), arc->endAng()));
        for (int i = 0; i < n; ++i) {
            const ArcParam at = ParamOnArc(*arc, GetPointInput(i), isCircle);
            if (at.tries > 1)
                LogFmt(L"\ni=%d iTol=%d Tol=%.2f bIsOn=%d ", i, at.tries, kOnCurve * std::ldexp(1.0, at.tries - 1),
                       at.on ? 1 : 0);
            LogFmt(L"%.2f, ", at.param);
            if (at.end < 0) {
                KeepArcFlag(IND_I_ArcDimMinPoint, 1);
                LogFmt(L"=>S%.2f ", at.param);
            } else if (at.end > 0) {
                KeepArcFlag(IND_I_ArcDimMaxPoint, 1);
                LogFmt(L"=>E%.2f ", at.param);
            }
            params[i] = at.param;
        }
        const AcGeVector3d ref = arc->refVec();
        LogFmt(L"\nANGLE(S:%.1f E:%.1f) REF=%.1f,%.1f ", arc->startAng(), arc->endAng(), ref.x, ref.y);
    }
    bool same = params.length() == m_rec.geo.arcParams.length();
    for (int i = 0; same && i < n; ++i)
        same = params[i] == m_rec.geo.arcParams[i];
    if (same) return;
    if (isWriteEnabled()) assertWriteEnabled();
    m_rec.geo.arcParams = params;
}

void TRdim::UpdateArcAfterSort() {
    const int n = GetExtensions();
    if (!IsDimArc() || n < 1) return;
    if (GetParamInt(IND_I_ArcDimInputArcIsCircle)) LogMsg(L" ArcDim-InputArcIsCircle ");
    KeepArcPoint(kArcFirstDim, GetPointDim(0));
    KeepArcPoint(kArcFirstInput, GetPointInput(0));
    KeepArcPoint(kArcLastDim, GetPointDim(n - 1));
    KeepArcPoint(kArcLastInput, GetPointInput(n - 1));
}

// ---------------------------------------------------------------- the dimension arc

AcGeCircArc3d* TRdim::GetArcDim(int tag, double extend) {
    const int n = GetExtensions();
    if (!IsDimArc() || n < 1) return nullptr;
    bool whole = tag == kWholeDimCircle;
    if (m_rec.geo.arcPoints.length() < kArcPointCount) {
        LogFmt(L"\n!!!***GetArcDim(%d) m_arcPoints=%d ", tag, m_rec.geo.arcPoints.length());
        acutPrintf(L"\n!!!***GetArcDim(%d) m_arcPoints=%d ", tag, m_rec.geo.arcPoints.length());
        KeepArcPoint(kArcPointCount - 1, AcGePoint3d::kOrigin);
        whole = true;
    }
    const bool isCircle = GetParamInt(IND_I_ArcDimInputArcIsCircle) != 0;
    if (m_rec.geo.arcPoints[kArcCentre].distanceTo(AcGePoint3d::kOrigin) < kArcCentreNearOrigin ||
        m_rec.geo.arcPoints[kArcFirstDim].distanceTo(m_rec.geo.arcPoints[kArcCentre]) < kArcPointNearCentre) {
        LogMsg(L" <SET DEFAULT ARC_DIM> ");
        KeepArcPoint(kArcFirstInput, GetPointInput(0));
        KeepArcPoint(kArcLastInput, GetPointInput(n - 1));
        KeepArcPoint(kArcFirstDim, GetPointDim(0));
        KeepArcPoint(kArcLastDim, GetPointDim(n - 1));
        if (isCircle) {
            KeepArcFlag(IND_I_ArcDimMinPoint, 0);
            KeepArcFlag(IND_I_ArcDimMaxPoint, static_cast<std::uint32_t>(n - 1));
        }
    }
    if (m_rec.geo.arcParams.isEmpty() || (!isCircle && m_rec.geo.arcParams.length() != n)) MakeParamArray();

    const AcGePoint3d centre = m_rec.geo.arcPoints[kArcCentre];
    double radius = centre.distanceTo(GetPointDim(0));
    AcGeVector3d normal = GetUcsNormal();
    normal = normal.isZeroLength() ? AcGeVector3d::kZAxis : normal.normal();
    if (GetParamInt(IND_I_ArcDimAsCircle) || whole) {
        if (radius < kArcMinRadius) radius = kArcFallbackRadius;
        return new AcGeCircArc3d(centre, normal, acgeArbitraryXAxis(normal), radius);
    }
    if (!isCircle) {
        KeepArcPoint(kArcFirstDim, GetPointDim(0));
        KeepArcPoint(kArcLastDim, GetPointDim(n - 1));
    }
    auto* arc = new AcGeCircArc3d(ArcBetween(centre, normal, radius, m_rec.geo.arcPoints[kArcFirstDim],
                                             m_rec.geo.arcPoints[kArcLastDim]));
    if (extend > kArcExtendMin && !ExtendArc(*arc, extend)) LogMsg(L"\n******** !!Look at me... ");
    return arc;
}

bool TRdim::IsFullCircle() const {
    const int n = GetExtensions();
    return IsDimArc() && GetParamInt(IND_I_ArcDimAsCircle) != 0 && n >= 1 && n <= 2 &&
           m_rec.geo.points[0].isEqualTo(m_rec.geo.points[4 * (n - 1)]);
}

// ---------------------------------------------------------------- lines and lengths

AcGeLine3d TRdim::GetLineExtArc(int i) const {
    if (i < 0) i = -i;
    const int slot = Slot(i, 0);
    AcGePoint3d input = slot >= 0 ? m_rec.geo.points[slot] : AcGePoint3d::kOrigin;
    AcGePoint3d centre;
    const bool stored =
        m_rec.geo.arcPoints.length() > kArcCentre &&
        m_rec.geo.arcPoints[kArcCentre].distanceTo(AcGePoint3d::kOrigin) >= kArcCentreNearOrigin;
    if (stored) {
        centre = m_rec.geo.arcPoints[kArcCentre];
    } else {
        // Reading the curve refreshes what the chain caches of it.
        std::unique_ptr<AcGeCircArc3d> arc(const_cast<TRdim*>(this)->GetArcInput(false));
        if (!arc) {
            LogMsg(L" !!!GLE!!! ");
            return AcGeLine3d(input, m_rec.geo.axis[1]);
        }
        centre = arc->center();
        if (input.distanceTo(centre) < kArcPointNearCentre) input += m_rec.geo.axis[0] * arc->radius();
    }
    AcGeVector3d dir = input - centre;
    if (dir.isZeroLength()) dir = m_rec.geo.axis[0];
    return AcGeLine3d(centre, dir.normal());
}

double TRdim::GetDistanceArc(int k) {
    const int n = GetExtensions();
    if (k < 0) k = 0;
    if (n < 1 || k >= n) {
        if (n < 1) LogFmt(L"\n*** GetDistance IsDimArc iExtNumber %d >=GetExtensions() %d", k, n);
        return 0.0;
    }
    std::unique_ptr<AcGeCircArc3d> arc(GetArcInput(false));
    if (!arc) return 0.0;
    const int from = k == 0 ? 0 : k - 1;
    const int to = k == 0 ? n - 1 : k;
    const bool isCircle = GetParamInt(IND_I_ArcDimInputArcIsCircle) != 0;
    double p0 = ParamOnArc(*arc, GetPointInput(from), isCircle).param;
    double p1 = ParamOnArc(*arc, GetPointInput(to), isCircle).param;
    if (p0 == 0.0 && p1 == 0.0) {
        WidenToFullCircle(*arc);
        p0 = ParamOnArc(*arc, GetPointInput(from), true).param;
        p1 = ParamOnArc(*arc, GetPointInput(to), true).param;
    }
    if (IsFullCircle()) return 2.0 * kArcPi * arc->radius();
    return arc->length(std::min(p0, p1), std::max(p0, p1), kArcLengthTol);
}
