#include "host/ed/commands/DimensionCommands.h"

#include "host/db/dimensions/AcDb2LineAngularDimension.h"
#include "host/db/dimensions/AcDb3PointAngularDimension.h"
#include "host/db/dimensions/AcDbAlignedDimension.h"
#include "host/db/entities/AcDbArc.h"
#include "host/db/dimensions/AcDbArcDimension.h"
#include "host/db/entities/AcDbCircle.h"
#include "host/db/database/AcDbDatabase.h"
#include "host/db/dimensions/AcDbDiametricDimension.h"
#include "host/db/entities/AcDbLine.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/db/dimensions/AcDbRadialDimension.h"
#include "host/db/dimensions/AcDbRotatedDimension.h"
#include "host/ed/commands/AcEdCommandStack.h"
#include "host/ed/input/EditorInput.h"
#include "host/ed/commands/HostDrawCommandsCommon.h"
#include "host/ed/selection/acedEntSel.h"
#include "host/rx/adscodes.h"
#include "host/win/Transcript.h"

#include <cmath>
#include <numbers>

namespace host {

namespace {

constexpr const wchar_t* kGroup = L"ACAD_DIMENSION";
constexpr double kSamePoint = 1e-10; // two picks this close are one point

// A curve picked for a dimension, in UCS coordinates.
struct Picked {
    enum Kind { None, Line, Arc, Circle } kind = None;
    AcGePoint3d a, b;      // a line's ends; an arc's start and end points
    AcGePoint3d center;    // arc and circle
    double radius = 0.0;
};

AcGePoint3d toUcs(AcDbDatabase* db, const AcGePoint3d& p) {
    AcGePoint3d q = p;
    return q.transformBy(draw::ucsMatrix(db).inverse());
}

// Asks for an entity; RTNORM with a line, arc or circle, RTNONE for Enter, RTCAN.
int pickCurve(AcDbDatabase* db, const wchar_t* prompt, Picked& out, bool allowEnter) {
    for (;;) {
        ads_name name = {0, 0};
        ads_point at = {0, 0, 0};
        const int rc = acedEntSel(prompt, name, at);
        if (rc == RTCAN) return RTCAN;
        if (rc != RTNORM) {
            if (allowEnter) return RTNONE;
            transcriptWrite(L"\nNothing found there.");
            continue;
        }
        AcDbObjectId id;
        AcDbEntity* ent = nullptr;
        if (acdbGetObjectId(id, name) != Acad::eOk || acdbOpenAcDbEntity(ent, id, AcDb::kForRead) != Acad::eOk) continue;
        if (const auto* line = AcDbLine::cast(ent)) {
            out = {Picked::Line, toUcs(db, line->startPoint()), toUcs(db, line->endPoint()), {}, 0.0};
        } else if (const auto* arc = AcDbArc::cast(ent)) {
            AcGePoint3d s, e;
            arc->getStartPoint(s);
            arc->getEndPoint(e);
            out = {Picked::Arc, toUcs(db, s), toUcs(db, e), toUcs(db, arc->center()), arc->radius()};
        } else if (const auto* circle = AcDbCircle::cast(ent)) {
            out = {Picked::Circle, {}, {}, toUcs(db, circle->center()), circle->radius()};
        } else {
            out.kind = Picked::None;
        }
        ent->close();
        if (out.kind != Picked::None) return RTNORM;
        transcriptWrite(L"\nThat object cannot be dimensioned this way.");
    }
}

// Two distinct points; false when the command ends.
bool twoOrigins(AcGePoint3d& p1, AcGePoint3d& p2) {
    if (draw::getPoint(L"\nSpecify first extension line origin: ", nullptr, p1) != RTNORM) return false;
    for (;;) {
        if (draw::getPoint(L"\nSpecify second extension line origin: ", &p1, p2) != RTNORM) return false;
        if (p1.distanceTo(p2) > kSamePoint) return true;
        transcriptWrite(L"\nThe second point is the first one.");
    }
}

void dimLinear() {
    AcDbDatabase* db = draw::drawingOrSay();
    AcGePoint3d p1, p2, at;
    if (!db || !twoOrigins(p1, p2)) return;
    double rotation = std::nan("");
    for (;;) {
        const int rc = draw::getPoint(L"\nSpecify dimension line location or [Horizontal/Vertical/Rotated]: ", nullptr,
                                      at, L"Horizontal Vertical Rotated");
        if (rc == RTNORM) break;
        if (rc != RTKWORD) return;
        const std::wstring kw = draw::lastKeyword();
        if (kw == L"Horizontal") rotation = 0.0;
        if (kw == L"Vertical") rotation = std::numbers::pi / 2.0;
        if (kw == L"Rotated") {
            double degrees = 0.0;
            if (acedGetReal(L"\nSpecify angle of dimension line <0>: ", &degrees) == RTCAN) return;
            rotation = degrees * std::numbers::pi / 180.0;
        }
    }
    if (std::isnan(rotation)) {
        // Beside the points (and not above or below them) the dimension measures vertically.
        const bool beside = (at.x < std::min(p1.x, p2.x) || at.x > std::max(p1.x, p2.x))
                            && at.y >= std::min(p1.y, p2.y) && at.y <= std::max(p1.y, p2.y);
        rotation = beside ? std::numbers::pi / 2.0 : 0.0;
    }
    draw::appendEntity(db, new AcDbRotatedDimension(rotation, p1, p2, at));
}

void dimAligned() {
    AcDbDatabase* db = draw::drawingOrSay();
    AcGePoint3d p1, p2, at;
    if (!db || !twoOrigins(p1, p2)) return;
    if (draw::getPoint(L"\nSpecify dimension line location: ", nullptr, at) != RTNORM) return;
    draw::appendEntity(db, new AcDbAlignedDimension(p1, p2, at));
}

void dimAngular() {
    AcDbDatabase* db = draw::drawingOrSay();
    if (!db) return;
    Picked first, second;
    const int rc = pickCurve(db, L"\nSelect arc, line, or <specify vertex>: ", first, true);
    if (rc == RTCAN) return;
    AcGePoint3d at;
    AcDbDimension* dim = nullptr;
    if (rc == RTNONE) {
        AcGePoint3d vertex, e1, e2;
        if (draw::getPoint(L"\nSpecify angle vertex: ", nullptr, vertex) != RTNORM) return;
        if (draw::getPoint(L"\nSpecify first angle endpoint: ", &vertex, e1) != RTNORM) return;
        if (draw::getPoint(L"\nSpecify second angle endpoint: ", &vertex, e2) != RTNORM) return;
        if (draw::getPoint(L"\nSpecify dimension arc line location: ", &vertex, at) != RTNORM) return;
        dim = new AcDb3PointAngularDimension(vertex, e1, e2, at);
    } else if (first.kind == Picked::Line) {
        for (;;) {
            if (pickCurve(db, L"\nSelect second line: ", second, false) != RTNORM) return;
            if (second.kind == Picked::Line) break;
            transcriptWrite(L"\nThat is no line.");
        }
        if (draw::getPoint(L"\nSpecify dimension arc line location: ", nullptr, at) != RTNORM) return;
        dim = new AcDb2LineAngularDimension(first.a, first.b, second.a, second.b, at);
    } else if (first.kind == Picked::Arc) {
        if (draw::getPoint(L"\nSpecify dimension arc line location: ", &first.center, at) != RTNORM) return;
        dim = new AcDb3PointAngularDimension(first.center, first.a, first.b, at);
    } else {
        transcriptWrite(L"\nA circle has no angle to dimension.");
        return;
    }
    draw::appendEntity(db, dim);
}

// Radius and diameter: the curve, then where the text goes (which also turns the line).
void dimRound(bool diameter) {
    AcDbDatabase* db = draw::drawingOrSay();
    if (!db) return;
    Picked curve;
    for (;;) {
        if (pickCurve(db, L"\nSelect arc or circle: ", curve, false) != RTNORM) return;
        if (curve.kind != Picked::Line) break;
        transcriptWrite(L"\nThat is no arc or circle.");
    }
    AcGePoint3d at;
    if (draw::getPoint(L"\nSpecify dimension line location: ", &curve.center, at) != RTNORM) return;
    AcGeVector3d dir = at - curve.center;
    dir = dir.isZeroLength() ? AcGeVector3d::kXAxis : dir.normal();
    const AcGePoint3d chord = curve.center + dir * curve.radius;
    AcDbDimension* dim = diameter
                             ? static_cast<AcDbDimension*>(
                                   new AcDbDiametricDimension(chord, curve.center - dir * curve.radius, 0.0))
                             : new AcDbRadialDimension(curve.center, chord, 0.0);
    dim->setTextPosition(at);
    draw::appendEntity(db, dim);
}

void dimRadius() { dimRound(false); }
void dimDiameter() { dimRound(true); }

void dimArc() {
    AcDbDatabase* db = draw::drawingOrSay();
    if (!db) return;
    Picked arc;
    for (;;) {
        if (pickCurve(db, L"\nSelect arc: ", arc, false) != RTNORM) return;
        if (arc.kind == Picked::Arc) break;
        transcriptWrite(L"\nThat is no arc.");
    }
    AcGePoint3d at;
    if (draw::getPoint(L"\nSpecify arc length dimension location: ", &arc.center, at) != RTNORM) return;
    draw::appendEntity(db, new AcDbArcDimension(arc.center, arc.a, arc.b, at));
}

} // namespace

void registerDimensionCommands() {
    static bool done = false;
    if (done) return;
    done = true;
    AcEdCommandStack& stack = hostCommands();
    stack.addCommand(kGroup, L"DIMLINEAR", L"DIMLINEAR", ACRX_CMD_MODAL, &dimLinear);
    stack.addCommand(kGroup, L"DIMALIGNED", L"DIMALIGNED", ACRX_CMD_MODAL, &dimAligned);
    stack.addCommand(kGroup, L"DIMANGULAR", L"DIMANGULAR", ACRX_CMD_MODAL, &dimAngular);
    stack.addCommand(kGroup, L"DIMRADIUS", L"DIMRADIUS", ACRX_CMD_MODAL, &dimRadius);
    stack.addCommand(kGroup, L"DIMDIAMETER", L"DIMDIAMETER", ACRX_CMD_MODAL, &dimDiameter);
    stack.addCommand(kGroup, L"DIMARC", L"DIMARC", ACRX_CMD_MODAL, &dimArc);
}

} // namespace host
