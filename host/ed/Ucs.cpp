#include "host/ed/Ucs.h"

#include "host/db/database/AcDbDatabase.h"
#include "host/db/entities/AcDbEntity.h"
#include "host/db/database/AcDbHostApplicationServices.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/db/database/acdbUcs.h"
#include "host/rx/adscodes.h"

#include <cmath>
#include <optional>
#include <vector>

namespace {

// The UCS command keeps this many earlier systems for "Previous".
constexpr size_t kPreviousUcsKept = 10;

struct SavedUcs {
    const AcDbDatabase* db;
    AcGePoint3d origin;
    AcGeVector3d x, y;
};

std::vector<SavedUcs>& previousUcs() {
    static std::vector<SavedUcs> saved;
    return saved;
}

AcDbDatabase* workingDb() {
    return acdbHostApplicationServices()->workingDatabase();
}

bool finite(const ads_point p) {
    return std::isfinite(p[0]) && std::isfinite(p[1]) && std::isfinite(p[2]);
}

AcGePoint3d applyTo(const AcGeMatrix3d& m, const ads_point p, bool vec) {
    if (vec) {
        AcGeVector3d v(p[0], p[1], p[2]);
        v.transformBy(m);
        return AcGePoint3d(v.x, v.y, v.z);
    }
    return AcGePoint3d(p[0], p[1], p[2]).transformBy(m);
}

void store(const AcGePoint3d& r, ads_point q) {
    q[0] = r.x;
    q[1] = r.y;
    q[2] = r.z;
}

// The matrix from a coordinate system named as acedTrans names it to the world.
std::optional<AcGeMatrix3d> systemToWorld(const resbuf* rb) {
    if (!rb) return std::nullopt;
    if (rb->restype == RTSHORT) {
        switch (rb->resval.rint) {
        case 0:
        case 2:
            return AcGeMatrix3d();
        case 1:
            return host::ucsToWorld();
        default:
            return std::nullopt;
        }
    }
    AcGeVector3d normal;
    if (rb->restype == RT3DPOINT) {
        normal.set(rb->resval.rpoint[0], rb->resval.rpoint[1], rb->resval.rpoint[2]);
    } else if (rb->restype == RTENAME) {
        AcDbObjectId id;
        AcDbEntity* ent = nullptr;
        if (acdbGetObjectId(id, rb->resval.rlname) != Acad::eOk ||
            acdbOpenAcDbEntity(ent, id, AcDb::kForRead) != Acad::eOk)
            return std::nullopt;
        AcGePlane plane;
        AcDb::Planarity planarity;
        normal = AcGeVector3d::kZAxis;
        if (ent->getPlane(plane, planarity) == Acad::eOk && planarity == AcDb::kPlanar)
            normal = plane.normal();
        ent->close();
    } else {
        return std::nullopt;
    }
    if (!(normal.length() > 0) || !std::isfinite(normal.length())) return std::nullopt;
    return AcGeMatrix3d::planeToWorld(normal.normal());
}

} // namespace

Acad::ErrorStatus acedGetCurrentUCS(AcGeMatrix3d& mat) {
    return acdbUcsMatrix(mat, workingDb()) ? Acad::eOk : Acad::eNoDatabase;
}

Acad::ErrorStatus acedSetCurrentUCS(const AcGeMatrix3d& mat) {
    AcDbDatabase* db = workingDb();
    if (!db) return Acad::eNoDatabase;
    AcGePoint3d origin;
    AcGeVector3d x, y, z;
    mat.getCoordSystem(origin, x, y, z);
    const double len = x.length();
    if (!std::isfinite(len) || !(len > 0) || !mat.isUniScaledOrtho() ||
        std::fabs(z.normal().dotProduct(x.crossProduct(y).normal()) - 1.0) > 1e-9)
        return Acad::eInvalidInput;
    return db->setUcs(origin, x / len, y / len);
}

bool acdbUcs2Wcs(const ads_point p, ads_point q, bool vec) {
    if (!p || !q) return false;
    const AcGePoint3d r = applyTo(host::ucsToWorld(), p, vec);
    store(r, q);
    return workingDb() != nullptr;
}

bool acdbWcs2Ucs(const ads_point p, ads_point q, bool vec) {
    if (!p || !q) return false;
    const AcGePoint3d r = applyTo(host::ucsToWorld().inverse(), p, vec);
    store(r, q);
    return workingDb() != nullptr;
}

int acedTrans(const ads_point pt, const struct resbuf* from, const struct resbuf* to, int disp,
              ads_point result) {
    if (!pt || !result || !finite(pt)) return RTERROR;
    std::optional<AcGeMatrix3d> f = systemToWorld(from), t = systemToWorld(to);
    if (!f || !t) return RTERROR;
    const AcGeMatrix3d m = t->inverse() * *f;
    store(applyTo(m, pt, disp != 0), result);
    return RTNORM;
}

namespace host {

AcGeMatrix3d ucsToWorld() {
    AcGeMatrix3d m;
    acdbUcsMatrix(m, workingDb());
    return m;
}

AcGePoint3d ucsToWorld(const AcGePoint3d& ucsPoint) {
    return AcGePoint3d(ucsPoint).transformBy(ucsToWorld());
}

AcGePoint3d worldToUcs(const AcGePoint3d& worldPoint) {
    return AcGePoint3d(worldPoint).transformBy(ucsToWorld().inverse());
}

void pushPreviousUcs() {
    AcDbDatabase* db = workingDb();
    if (!db) return;
    auto& saved = previousUcs();
    saved.push_back({db, db->ucsorg(), db->ucsxdir(), db->ucsydir()});
    if (saved.size() > kPreviousUcsKept) saved.erase(saved.begin());
}

bool popPreviousUcs() {
    AcDbDatabase* db = workingDb();
    auto& saved = previousUcs();
    // Systems remembered for another drawing do not apply to this one.
    while (!saved.empty() && saved.back().db != db)
        saved.pop_back();
    if (!db || saved.empty()) return false;
    const SavedUcs u = saved.back();
    saved.pop_back();
    return db->setUcs(u.origin, u.x, u.y) == Acad::eOk;
}

} // namespace host
