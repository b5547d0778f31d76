#pragma once
// Scale factors along X, Y and Z, under the host's name.
#include "host/ge/AcGeMatrix3d.h"
#include "host/ge/AcGeTol.h"

#include <cmath>

class AcGeScale3d {
public:
    constexpr AcGeScale3d() = default; // 1, 1, 1
    constexpr explicit AcGeScale3d(double factor) : sx(factor), sy(factor), sz(factor) {}
    constexpr AcGeScale3d(double xFactor, double yFactor, double zFactor)
        : sx(xFactor), sy(yFactor), sz(zFactor) {}

    static const AcGeScale3d kIdentity;

    AcGeScale3d operator*(const AcGeScale3d& s) const { return {sx * s.sx, sy * s.sy, sz * s.sz}; }
    AcGeScale3d& operator*=(const AcGeScale3d& s) { return *this = *this * s; }
    AcGeScale3d operator*(double f) const { return {sx * f, sy * f, sz * f}; }

    bool operator==(const AcGeScale3d& s) const { return isEqualTo(s); }
    bool operator!=(const AcGeScale3d& s) const { return !isEqualTo(s); }
    bool isEqualTo(const AcGeScale3d& s, const AcGeTol& tol = AcGeContext::gTol) const {
        return std::fabs(sx - s.sx) <= tol.equalVector() && std::fabs(sy - s.sy) <= tol.equalVector() &&
               std::fabs(sz - s.sz) <= tol.equalVector();
    }
    bool isProportional(const AcGeTol& tol = AcGeContext::gTol) const {
        return std::fabs(sx - sy) <= tol.equalVector() && std::fabs(sy - sz) <= tol.equalVector();
    }

    double operator[](unsigned int i) const { return i == 0 ? sx : (i == 1 ? sy : sz); }
    double& operator[](unsigned int i) { return i == 0 ? sx : (i == 1 ? sy : sz); }
    AcGeScale3d& set(double xFactor, double yFactor, double zFactor) {
        sx = xFactor;
        sy = yFactor;
        sz = zFactor;
        return *this;
    }

    // The scaling about the origin.
    void getMatrix(AcGeMatrix3d& mat) const {
        mat.setToIdentity();
        mat.entry[0][0] = sx;
        mat.entry[1][1] = sy;
        mat.entry[2][2] = sz;
    }
    operator AcGeMatrix3d() const {
        AcGeMatrix3d m;
        getMatrix(m);
        return m;
    }

    double sx = 1.0;
    double sy = 1.0;
    double sz = 1.0;
};

inline constexpr AcGeScale3d AcGeScale3d::kIdentity{};
