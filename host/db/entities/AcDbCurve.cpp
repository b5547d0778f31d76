#include "host/db/entities/AcDbCurve.h"

#include "host/ge/AcGeTol.h"

#include <cmath>

ACRX_HOST_DEFINE_MEMBERS(AcDbCurve, AcDbEntity, L"", nullptr)

double AcDbCurve::onCurveTolerance() { return std::max(AcGeContext::gTol.equalPoint() * 1e4, 1e-6); }

Acad::ErrorStatus AcDbCurve::getStartParam(double&) const { return Acad::eNotApplicable; }
Acad::ErrorStatus AcDbCurve::getEndParam(double&) const { return Acad::eNotApplicable; }

Acad::ErrorStatus AcDbCurve::getStartPoint(AcGePoint3d& point) const {
    double p = 0;
    Acad::ErrorStatus es = getStartParam(p);
    return es == Acad::eOk ? getPointAtParam(p, point) : es;
}

Acad::ErrorStatus AcDbCurve::getEndPoint(AcGePoint3d& point) const {
    double p = 0;
    Acad::ErrorStatus es = getEndParam(p);
    return es == Acad::eOk ? getPointAtParam(p, point) : es;
}

Acad::ErrorStatus AcDbCurve::getPointAtParam(double, AcGePoint3d&) const { return Acad::eNotApplicable; }
Acad::ErrorStatus AcDbCurve::getParamAtPoint(const AcGePoint3d&, double&) const { return Acad::eNotApplicable; }
Acad::ErrorStatus AcDbCurve::getDistAtParam(double, double&) const { return Acad::eNotApplicable; }
Acad::ErrorStatus AcDbCurve::getParamAtDist(double, double&) const { return Acad::eNotApplicable; }

Acad::ErrorStatus AcDbCurve::getDistAtPoint(const AcGePoint3d& point, double& dist) const {
    double p = 0;
    Acad::ErrorStatus es = getParamAtPoint(point, p);
    return es == Acad::eOk ? getDistAtParam(p, dist) : es;
}

Acad::ErrorStatus AcDbCurve::getPointAtDist(double dist, AcGePoint3d& point) const {
    double p = 0;
    Acad::ErrorStatus es = getParamAtDist(dist, p);
    return es == Acad::eOk ? getPointAtParam(p, point) : es;
}

Acad::ErrorStatus AcDbCurve::getFirstDeriv(double, AcGeVector3d&) const { return Acad::eNotApplicable; }

Acad::ErrorStatus AcDbCurve::getFirstDeriv(const AcGePoint3d& point, AcGeVector3d& firstDeriv) const {
    double p = 0;
    Acad::ErrorStatus es = getParamAtPoint(point, p);
    return es == Acad::eOk ? getFirstDeriv(p, firstDeriv) : es;
}

Acad::ErrorStatus AcDbCurve::getClosestPointTo(const AcGePoint3d&, AcGePoint3d&, Adesk::Boolean) const {
    return Acad::eNotApplicable;
}

Acad::ErrorStatus AcDbCurve::getClosestPointTo(const AcGePoint3d& givenPnt, const AcGeVector3d& direction,
                                               AcGePoint3d& pointOnCurve, Adesk::Boolean extend) const {
    if (direction.isZeroLength()) return Acad::eInvalidInput;
    // Sampled along the curve: the point whose projection is nearest the given
    // point's, refined from the closest sample by bisection on the parameter.
    double s = 0, e = 0;
    if (getStartParam(s) != Acad::eOk || getEndParam(e) != Acad::eOk) return getClosestPointTo(givenPnt, pointOnCurve, extend);
    AcGeVector3d n = direction.normal();
    auto projected = [&](double t) {
        AcGePoint3d p;
        getPointAtParam(t, p);
        AcGeVector3d d = p - givenPnt;
        return (d - n * d.dotProduct(n)).length();
    };
    const int samples = 256;
    double best = s, bestD = projected(s);
    for (int i = 1; i <= samples; ++i) {
        double t = s + (e - s) * i / samples;
        double d = projected(t);
        if (d < bestD) bestD = d, best = t;
    }
    double step = (e - s) / samples;
    for (int it = 0; it < 60 && step > 1e-14; ++it) {
        step *= 0.5;
        double lo = std::max(s, best - step), hi = std::min(e, best + step);
        double dl = projected(lo), dh = projected(hi);
        if (dl < bestD) bestD = dl, best = lo;
        if (dh < bestD) bestD = dh, best = hi;
    }
    return getPointAtParam(best, pointOnCurve);
}

Acad::ErrorStatus AcDbCurve::getArea(double& area) const {
    area = 0.0;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbCurve::reverseCurve() { return Acad::eNotApplicable; }
