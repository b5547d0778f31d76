#include "module/convert/DimsToChains.h"

#include "host/db/dimensions/AcDbAlignedDimension.h"
#include "host/db/dimensions/AcDbArcDimension.h"
#include "host/db/dimensions/AcDbRotatedDimension.h"
#include "host/rx/acutString.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <unordered_map>

namespace {

constexpr double kPi = 3.14159265358979323846;

struct CellKey {
    std::int64_t a, b, c; // c: the line group for point cells, -1 (linear) or -2 (arc) for line cells
    bool operator==(const CellKey& o) const { return a == o.a && b == o.b && c == o.c; }
};
struct CellHash {
    size_t operator()(const CellKey& k) const {
        std::uint64_t h = static_cast<std::uint64_t>(k.a) * 0x9E3779B97F4A7C15ULL;
        h ^= static_cast<std::uint64_t>(k.b) + 0x7F4A7C159E3779B9ULL + (h << 6) + (h >> 2);
        h ^= static_cast<std::uint64_t>(k.c) + (h << 6) + (h >> 2);
        return static_cast<size_t>(h);
    }
};
using CellMap = std::unordered_map<CellKey, std::vector<int>, CellHash>;

std::int64_t Cell(double v) {
    return static_cast<std::int64_t>(std::llround(v / kDimJoinTolerance));
}

// A linear dimension line as an angle in [0, pi) and its signed distance from the
// origin; an arc as its centre.
void LineCoordinates(const DimRecord& r, double& u, double& v) {
    if (r.arc) {
        u = r.centre.x;
        v = r.centre.y;
        return;
    }
    double angle = std::atan2(r.direction.y, r.direction.x);
    if (angle < 0) angle += kPi;
    if (angle >= kPi) angle -= kPi;
    u = angle;
    v = -std::sin(angle) * r.dimLinePoint.x + std::cos(angle) * r.dimLinePoint.y;
}

bool SameLine(const DimRecord& a, const DimRecord& b) {
    if (a.arc != b.arc) return false;
    if (a.arc)
        return a.centre.distanceTo(b.centre) < kDimJoinTolerance && a.arcId == b.arcId &&
               std::fabs(a.centre.distanceTo(a.dimLinePoint) - b.centre.distanceTo(b.dimLinePoint)) <
                   kDimJoinTolerance;
    if (a.direction.crossProduct(b.direction).length() >= kDimJoinTolerance) return false;
    const AcGeVector3d offset = b.dimLinePoint - a.dimLinePoint;
    return offset.crossProduct(a.direction).length() < kDimJoinTolerance;
}

// The cells a record's line may have been filed under: its own and the neighbours,
// and for a line near the angle pi the same line written with an angle near 0.
std::vector<CellKey> LineCells(const DimRecord& r) {
    double u = 0, v = 0;
    LineCoordinates(r, u, v);
    const std::int64_t tag = r.arc ? -2 : -1;
    std::vector<std::pair<std::int64_t, std::int64_t>> centres{{Cell(u), Cell(v)}};
    if (!r.arc) {
        if (u > kPi - 2 * kDimJoinTolerance) centres.push_back({Cell(u - kPi), Cell(-v)});
        if (u < 2 * kDimJoinTolerance) centres.push_back({Cell(u + kPi), Cell(-v)});
    }
    std::vector<CellKey> cells;
    for (const auto& [a, b] : centres)
        for (std::int64_t da = -1; da <= 1; ++da)
            for (std::int64_t db = -1; db <= 1; ++db)
                cells.push_back({a + da, b + db, tag});
    return cells;
}

// Groups the records by dimension line; each group's records in index order.
std::vector<std::vector<int>> GroupByLine(const std::vector<DimRecord>& records) {
    std::vector<std::vector<int>> groups;
    CellMap cells; // cell -> groups filed there
    cells.reserve(records.size());
    for (int i = 0; i < static_cast<int>(records.size()); ++i) {
        int found = -1;
        const std::vector<CellKey> near = LineCells(records[i]);
        for (const CellKey& key : near) {
            auto it = cells.find(key);
            if (it == cells.end()) continue;
            for (int g : it->second)
                if (found < 0 && SameLine(records[groups[g].front()], records[i])) found = g;
            if (found >= 0) break;
        }
        if (found < 0) {
            found = static_cast<int>(groups.size());
            groups.emplace_back();
            cells[near[4]].push_back(found); // the record's own cell is the centre of the first 3x3
        }
        groups[found].push_back(i);
    }
    return groups;
}

CellKey PointCell(const AcGePoint3d& p, std::int64_t group) {
    return {Cell(p.x), Cell(p.y), group};
}

// The first unused record of the group with a measured point at `end`, or -1.
int RecordAt(const std::vector<DimRecord>& records, const CellMap& points, std::int64_t group,
             const AcGePoint3d& end, const std::vector<bool>& used) {
    int best = -1;
    const CellKey centre = PointCell(end, group);
    for (std::int64_t dx = -1; dx <= 1; ++dx)
        for (std::int64_t dy = -1; dy <= 1; ++dy) {
            auto it = points.find({centre.a + dx, centre.b + dy, group});
            if (it == points.end()) continue;
            for (int r : it->second) {
                if (used[r] || (best >= 0 && r >= best)) continue;
                if (records[r].first.distanceTo(end) < kDimJoinTolerance ||
                    records[r].second.distanceTo(end) < kDimJoinTolerance)
                    best = r;
            }
        }
    return best;
}

void JoinGroup(const std::vector<DimRecord>& records, const std::vector<int>& group, std::int64_t groupIndex,
               CellMap& points, std::vector<bool>& used, std::vector<JoinedRecords>& out) {
    for (int r : group) {
        points[PointCell(records[r].first, groupIndex)].push_back(r);
        points[PointCell(records[r].second, groupIndex)].push_back(r);
    }
    for (int start : group) {
        if (used[start]) continue;
        used[start] = true;
        JoinedRecords chain;
        chain.records.push_back(start);
        AcGePoint3d ends[2] = {records[start].first, records[start].second};
        for (bool joined = true; joined;) {
            joined = false;
            for (AcGePoint3d& end : ends) {
                const int next = RecordAt(records, points, groupIndex, end, used);
                if (next < 0) continue;
                used[next] = true;
                const DimRecord& r = records[next];
                end = r.first.distanceTo(end) < kDimJoinTolerance ? r.second : r.first;
                (std::fabs(r.measurement) > kDimZeroLength ? chain.records : chain.zeroLength)
                    .push_back(next);
                joined = true;
            }
        }
        out.push_back(std::move(chain));
    }
}

} // namespace

bool RecordOfDimension(const AcDbDimension* dimension, DimRecord& record) {
    if (!dimension) return false;
    record = DimRecord();
    if (const auto* rotated = AcDbRotatedDimension::cast(dimension)) {
        record.first = rotated->xLine1Point();
        record.second = rotated->xLine2Point();
        record.dimLinePoint = rotated->dimLinePoint();
        record.direction = AcGeVector3d(std::cos(rotated->rotation()), std::sin(rotated->rotation()), 0);
    } else if (const auto* aligned = AcDbAlignedDimension::cast(dimension)) {
        record.first = aligned->xLine1Point();
        record.second = aligned->xLine2Point();
        record.dimLinePoint = aligned->dimLinePoint();
        AcGeVector3d along = record.second - record.first;
        along.z = 0;
        if (along.length() < kDimZeroLength) return false;
        record.direction = along.normal();
    } else if (const auto* arc = AcDbArcDimension::cast(dimension)) {
        record.arc = true;
        record.first = arc->xLine1Point();
        record.second = arc->xLine2Point();
        record.dimLinePoint = arc->arcPoint();
        record.centre = arc->centerPoint();
    } else {
        return false;
    }
    record.id = dimension->objectId();
    record.textPosition = dimension->textPosition();
    record.defaultTextPosition = dimension->isUsingDefaultTextPosition();
    if (wchar_t* text = dimension->dimensionText()) {
        record.text = text;
        acutDelString(text);
    }
    dimension->measurement(record.measurement);
    return true;
}

std::vector<JoinedRecords> JoinRecords(const std::vector<DimRecord>& records) {
    std::vector<JoinedRecords> out;
    std::vector<bool> used(records.size(), false);
    CellMap points;
    points.reserve(2 * records.size());
    const std::vector<std::vector<int>> groups = GroupByLine(records);
    for (size_t g = 0; g < groups.size(); ++g)
        JoinGroup(records, groups[g], static_cast<std::int64_t>(g), points, used, out);
    // Chains in the order of the records that started them, as a user reads the drawing.
    std::sort(out.begin(), out.end(), [](const JoinedRecords& a, const JoinedRecords& b) {
        return a.records.front() < b.records.front();
    });
    return out;
}
