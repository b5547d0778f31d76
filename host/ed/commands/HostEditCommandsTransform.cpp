// MOVE, COPY, ROTATE, SCALE and MIRROR: each asks for everything first and only then
// changes the drawing, so a cancel at any prompt leaves it as it was.
#include "host/db/database/AcDbDatabase.h"
#include "host/ed/commands/EditGeometry.h"
#include "host/ed/input/EditorInput.h"
#include "host/ed/commands/HostDrawCommandsCommon.h"
#include "host/ed/commands/HostEditCommandsCommon.h"
#include "host/ed/input/InputParse.h"
#include "host/ed/Ucs.h"
#include "host/rx/adscodes.h"
#include "host/win/Transcript.h"

#include <cmath>
#include <numbers>

namespace host::edit {

namespace {

AcGeVector3d worldVector(const AcGePoint3d& ucsVector) {
    return ucsToWorld() * (ucsVector - AcGePoint3d::kOrigin);
}

// The base point, or with Enter (or Displacement) a displacement typed as a point.
// RTNORM with `base` set, RTKWORD when a displacement was given instead, else RTCAN.
int askBaseOrDisplacement(AcGePoint3d& baseUcs, AcGePoint3d& baseWorld, AcGeVector3d& displacement) {
    const int rc = getUcsPoint(L"\nSpecify base point or [Displacement] <Displacement>: ", nullptr, baseUcs,
                               baseWorld, L"Displacement");
    if (rc == RTNORM || rc == RTCAN) return rc;
    AcGePoint3d d, unused;
    const int rd = getUcsPoint(L"\nSpecify displacement <0.0000,0.0000,0.0000>: ", nullptr, d, unused);
    if (rd == RTCAN) return RTCAN;
    displacement = rd == RTNORM ? worldVector(d) : AcGeVector3d();
    return RTKWORD;
}

// Base point and second point as one displacement (world). Enter at the second point
// takes the base point itself as the displacement. False when cancelled.
bool askDisplacement(AcGeVector3d& displacement, AcGePoint3d& baseUcs) {
    AcGePoint3d baseWorld;
    const int rc = askBaseOrDisplacement(baseUcs, baseWorld, displacement);
    if (rc == RTKWORD) return true;
    if (rc != RTNORM) return false;
    AcGePoint3d toUcs, toWorld;
    const int r2 = getUcsPoint(L"\nSpecify second point or <use first point as displacement>: ", &baseUcs,
                               toUcs, toWorld);
    if (r2 == RTCAN) return false;
    displacement = r2 == RTNORM ? toWorld - baseWorld : worldVector(baseUcs);
    return true;
}

// An angle answer: degrees, or a point whose direction from `fromUcs` gives it; with
// no `fromUcs` a point asks for a second point and the angle runs from one to the
// other. RTNORM, RTNONE, RTCAN or RTKWORD (a keyword of `keywords`).
int askAngle(const wchar_t* prompt, const AcGePoint3d* fromUcs, const wchar_t* keywords, double& radians) {
    for (;;) {
        AcGePoint3d p, world;
        const int rc = getUcsPoint(prompt, fromUcs, p, world, keywords, RSG_OTHER);
        if (rc == RTNONE || rc == RTCAN) return rc;
        if (rc == RTKWORD) {
            const std::wstring word = draw::lastKeyword();
            if (std::optional<double> degrees = parseReal(word)) {
                radians = *degrees * std::numbers::pi / 180.0;
                return RTNORM;
            }
            if (keywords)
                for (const Keyword& k : parseKeywordList(keywords))
                    if (k.global == word) return RTKWORD;
            transcriptWrite(L"\nRequires valid numeric angle or second point.");
            continue;
        }
        AcGePoint3d from = fromUcs ? *fromUcs : p, to = p;
        if (!fromUcs && getUcsPoint(L"\nSpecify second point: ", &p, to, world) != RTNORM) return RTCAN;
        if (planAngle(from, to, radians)) return RTNORM;
        transcriptWrite(L"\nThe two points must differ to give an angle.");
    }
}

// The rotation angle: directly, or as a new angle less a reference angle.
bool askRotation(const AcGePoint3d& baseUcs, double& radians) {
    int rc = askAngle(L"\nSpecify rotation angle or [Reference] <0>: ", &baseUcs, L"Reference", radians);
    if (rc == RTNONE) radians = 0.0;
    if (rc == RTNORM || rc == RTNONE) return true;
    if (rc != RTKWORD) return false;
    double reference = 0.0, target = 0.0;
    rc = askAngle(L"\nSpecify the reference angle <0>: ", nullptr, nullptr, reference);
    if (rc == RTCAN) return false;
    rc = askAngle(L"\nSpecify the new angle <0>: ", &baseUcs, nullptr, target);
    if (rc == RTCAN) return false;
    radians = target - reference;
    return true;
}

bool askScale(const AcGePoint3d& baseUcs, double& factor) {
    const ads_point from = {baseUcs.x, baseUcs.y, baseUcs.z};
    for (;;) {
        acedInitGet(RSG_NONULL | RSG_NOZERO | RSG_NONEG, nullptr);
        const int rc = acedGetDist(from, L"\nSpecify scale factor: ", &factor);
        if (rc != RTNORM) return false;
        if (std::isfinite(factor) && factor >= kSmallestScale) return true;
        transcriptWrite(L"\nValue must be positive and nonzero.");
    }
}

// Yes or No; Enter is No. False when cancelled.
bool askEraseSources(bool& erase) {
    acedInitGet(0, L"Yes No Ja Nein _ Yes No Yes No");
    wchar_t answer[16] = {};
    const int rc = acedGetKword(L"\nErase source objects? [Yes/No] <No>: ", answer, 16);
    if (rc == RTCAN) return false;
    erase = rc == RTNORM && std::wstring(answer) == L"Yes";
    return true;
}

} // namespace

void moveCommand() {
    AcDbDatabase* db = draw::drawingOrSay();
    std::vector<AcDbObjectId> ids;
    if (!db || selectEditable(db, ids) != RTNORM) return;
    AcGeVector3d displacement;
    AcGePoint3d base;
    if (!askDisplacement(displacement, base)) return;
    if (displacement.isZeroLength()) return;
    transformAll(ids, AcGeMatrix3d::translation(displacement));
}

void copyCommand() {
    AcDbDatabase* db = draw::drawingOrSay();
    std::vector<AcDbObjectId> ids;
    if (!db || selectEditable(db, ids) != RTNORM) return;
    AcGePoint3d baseUcs, baseWorld;
    AcGeVector3d displacement;
    const int rc = askBaseOrDisplacement(baseUcs, baseWorld, displacement);
    if (rc == RTKWORD) {
        if (!displacement.isZeroLength())
            copyAll(ids, AcGeMatrix3d::translation(displacement), nullptr, nullptr);
        return;
    }
    if (rc != RTNORM) return;
    // One set of copies per second point; Undo takes back the set made last. The
    // copies made stay when the command ends, by Enter or by a cancel.
    std::vector<std::vector<AcDbObjectId>> sets;
    for (;;) {
        const bool first = sets.empty();
        AcGePoint3d toUcs, toWorld;
        const int r2 = getUcsPoint(first ? L"\nSpecify second point or <use first point as displacement>: "
                                         : L"\nSpecify second point or [Exit/Undo] <Exit>: ",
                                   &baseUcs, toUcs, toWorld, first ? nullptr : L"Exit Undo");
        if (r2 == RTCAN) return;
        if (r2 == RTKWORD && draw::lastKeyword() == L"Undo") {
            for (AcDbObjectId id : sets.back())
                eraseObject(id);
            sets.pop_back();
            continue;
        }
        if (r2 != RTNORM && !first) return;
        displacement = r2 == RTNORM ? toWorld - baseWorld : worldVector(baseUcs);
        std::vector<AcDbObjectId> made;
        if (!displacement.isZeroLength())
            copyAll(ids, AcGeMatrix3d::translation(displacement), &made, nullptr);
        if (r2 != RTNORM) return;
        sets.push_back(made);
    }
}

void rotateCommand() {
    AcDbDatabase* db = draw::drawingOrSay();
    std::vector<AcDbObjectId> ids;
    if (!db || selectEditable(db, ids) != RTNORM) return;
    AcGePoint3d baseUcs, baseWorld;
    double radians = 0.0;
    if (getBasePoint(baseUcs, baseWorld) != RTNORM || !askRotation(baseUcs, radians)) return;
    if (radians == 0.0) return;
    transformAll(ids, rotationAboutUcsZ(ucsToWorld(), baseWorld, radians));
}

void scaleCommand() {
    AcDbDatabase* db = draw::drawingOrSay();
    std::vector<AcDbObjectId> ids;
    if (!db || selectEditable(db, ids) != RTNORM) return;
    AcGePoint3d baseUcs, baseWorld;
    double factor = 1.0;
    if (getBasePoint(baseUcs, baseWorld) != RTNORM || !askScale(baseUcs, factor)) return;
    if (factor == 1.0) return;
    transformAll(ids, AcGeMatrix3d::scaling(factor, baseWorld));
}

void mirrorCommand() {
    AcDbDatabase* db = draw::drawingOrSay();
    std::vector<AcDbObjectId> ids;
    if (!db || selectEditable(db, ids) != RTNORM) return;
    AcGePoint3d aUcs, aWorld, bUcs, bWorld;
    if (getUcsPoint(L"\nSpecify first point of mirror line: ", nullptr, aUcs, aWorld, nullptr, RSG_NONULL) !=
        RTNORM)
        return;
    AcGeMatrix3d mirror;
    for (;;) {
        if (getUcsPoint(L"\nSpecify second point of mirror line: ", &aUcs, bUcs, bWorld, nullptr,
                        RSG_NONULL) != RTNORM)
            return;
        if (mirrorAcrossUcsLine(ucsToWorld(), aWorld, bWorld, mirror)) break;
        transcriptWrite(L"\nThe mirror line needs two different points.");
    }
    bool erase = false;
    if (!askEraseSources(erase)) return;
    std::vector<AcDbObjectId> copied;
    copyAll(ids, mirror, nullptr, &copied);
    // Only a source whose mirror image is in the drawing may go.
    if (erase)
        for (AcDbObjectId id : copied)
            eraseObject(id);
}

} // namespace host::edit
