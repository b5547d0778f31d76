#pragma once
// An axis-aligned box in world coordinates. A new box is empty (min above max)
// until a point is added.
#include "host/ge/AcGeMatrix3d.h"
#include "host/ge/AcGePoint3d.h"
#include "host/rx/acadstrc.h"

#include <algorithm>
#include <limits>

class AcDbExtents {
public:
    AcDbExtents() = default;
    AcDbExtents(const AcGePoint3d& min, const AcGePoint3d& max) { set(min, max); }

    AcGePoint3d minPoint() const { return m_min; }
    AcGePoint3d maxPoint() const { return m_max; }
    bool isEmpty() const { return m_min.x > m_max.x; }
    Acad::ErrorStatus set(const AcGePoint3d& min, const AcGePoint3d& max) {
        if (min.x > max.x || min.y > max.y || min.z > max.z) return Acad::eInvalidExtents;
        m_min = min;
        m_max = max;
        return Acad::eOk;
    }
    void addPoint(const AcGePoint3d& p) {
        m_min.set(std::min(m_min.x, p.x), std::min(m_min.y, p.y), std::min(m_min.z, p.z));
        m_max.set(std::max(m_max.x, p.x), std::max(m_max.y, p.y), std::max(m_max.z, p.z));
    }
    void addExt(const AcDbExtents& other) {
        if (other.isEmpty()) return;
        addPoint(other.m_min);
        addPoint(other.m_max);
    }
    void expandBy(const AcGeVector3d& v) {
        if (isEmpty()) return;
        addPoint(m_min + v);
        addPoint(m_max + v);
    }
    // The box of the transformed corners.
    void transformBy(const AcGeMatrix3d& m) {
        if (isEmpty()) return;
        AcDbExtents out;
        for (int i = 0; i < 8; ++i)
            out.addPoint(m * AcGePoint3d(i & 1 ? m_max.x : m_min.x, i & 2 ? m_max.y : m_min.y,
                                         i & 4 ? m_max.z : m_min.z));
        *this = out;
    }

private:
    static constexpr double kBig = std::numeric_limits<double>::max();
    AcGePoint3d m_min{kBig, kBig, kBig};
    AcGePoint3d m_max{-kBig, -kBig, -kBig};
};
