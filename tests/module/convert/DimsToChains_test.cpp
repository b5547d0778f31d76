// Joining the host's dimensions into chains: which dimensions join, which stay apart,
// and the chain made from the joined ones.
#include "module/convert/DimsToChains.h"

#include "host/db/dimensions/AcDbAlignedDimension.h"
#include "host/db/dimensions/AcDbArcDimension.h"
#include "host/db/dimensions/AcDbRotatedDimension.h"
#include "module/convert/ChainToDims.h"
#include "tests/module/chain/TRdimTestEnv.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

using chaintest::ChainTest;
using lintaro::tol::kDimPointSame;

DimRecord Linear(AcGePoint3d a, AcGePoint3d b, AcGePoint3d dimLine, double angle, double measurement = -1) {
    DimRecord r;
    r.first = a;
    r.second = b;
    r.dimLinePoint = dimLine;
    r.direction = AcGeVector3d(std::cos(angle), std::sin(angle), 0);
    r.measurement = measurement >= 0 ? measurement : std::fabs((b - a).dotProduct(r.direction));
    return r;
}

std::vector<int> Sorted(std::vector<int> v) {
    std::sort(v.begin(), v.end());
    return v;
}

TEST(DimsToChains, DimensionsOfOneLineSharingPointsJoinOthersStayApart) {
    const AcGePoint3d A(0, 0, 0), B(3, 0, 0), C(7, 0, 0), D(12, 0, 0);
    std::vector<DimRecord> records = {
        Linear(C, D, {9, 2, 0}, 0),                 // given out of order
        Linear(A, B, {1, 2, 0}, 0),                 //
        Linear({0, 5, 0}, {4, 5, 0}, {2, 8, 0}, 0), // a parallel line: its own chain
        Linear(B, C, {5, 2, 0}, 0),                 //
    };
    std::vector<JoinedRecords> chains = JoinRecords(records);
    ASSERT_EQ(chains.size(), 2u);
    EXPECT_EQ(Sorted(chains[0].records), (std::vector<int>{0, 1, 3}));
    EXPECT_TRUE(chains[0].zeroLength.empty());
    EXPECT_EQ(chains[1].records, (std::vector<int>{2}));

    // The same points on a dimension line elsewhere, or in another direction, never join.
    records.push_back(Linear(D, {15, 0, 0}, {13, -4, 0}, 0));
    records.push_back(Linear(D, {12, 4, 0}, {14, 2, 0}, 3.14159265358979 / 2));
    chains = JoinRecords(records);
    EXPECT_EQ(chains.size(), 4u);

    // A dimension line written the other way round (rotation pi) is the same line.
    records.push_back(Linear({15, 0, 0}, D, {13.5, 2, 0}, 3.14159265358979));
    chains = JoinRecords(records);
    ASSERT_EQ(chains.size(), 4u);
    EXPECT_EQ(Sorted(chains[0].records), (std::vector<int>{0, 1, 3, 6}));
}

TEST(DimsToChains, ZeroLengthDimensionIsSwallowedAndNearlyEqualPointsJoin) {
    const AcGePoint3d A(0, 0, 0), B(3, 0, 0), C(7, 0, 0);
    std::vector<DimRecord> records = {
        Linear(A, B, {1, 2, 0}, 0), Linear(B, B, {3, 2, 0}, 0), // zero length at B
        Linear({3.0004, 0, 0}, C, {5, 2.0004, 0}, 0),           // within the joining tolerance
    };
    const std::vector<JoinedRecords> chains = JoinRecords(records);
    ASSERT_EQ(chains.size(), 1u);
    EXPECT_EQ(Sorted(chains[0].records), (std::vector<int>{0, 2}));
    EXPECT_EQ(chains[0].zeroLength, (std::vector<int>{1}));
    // Beyond the tolerance the dimensions stay apart.
    records[2].first = AcGePoint3d(3.01, 0, 0);
    EXPECT_EQ(JoinRecords(records).size(), 2u);
}

TEST(DimsToChains, RecordsOfTheHostsDimensionKinds) {
    AcDbRotatedDimension rotated(0.5, {0, 0, 0}, {4, 1, 0}, {2, 5, 0}, L"abc");
    DimRecord r;
    ASSERT_TRUE(RecordOfDimension(&rotated, r));
    EXPECT_NEAR(r.direction.x, std::cos(0.5), kDimPointSame);
    EXPECT_NEAR(r.direction.y, std::sin(0.5), kDimPointSame);
    EXPECT_EQ(r.text, L"abc");
    EXPECT_NEAR(r.measurement, 4 * std::cos(0.5) + std::sin(0.5), kDimPointSame);
    AcDbAlignedDimension aligned({0, 0, 0}, {3, 4, 0}, {0, 5, 0});
    ASSERT_TRUE(RecordOfDimension(&aligned, r));
    EXPECT_NEAR(r.direction.x, 0.6, kDimPointSame);
    EXPECT_NEAR(r.direction.y, 0.8, kDimPointSame);
    EXPECT_FALSE(r.arc);
    AcDbArcDimension arc({0, 0, 0}, {5, 0, 0}, {0, 5, 0}, {4, 4, 0});
    ASSERT_TRUE(RecordOfDimension(&arc, r));
    EXPECT_TRUE(r.arc);
    EXPECT_NEAR(r.measurement, 5 * 3.14159265358979 / 2, kDimPointSame);
    EXPECT_FALSE(RecordOfDimension(nullptr, r));
}

TEST_F(ChainTest, JoinedDimensionsBecomeOneChainWithTheirTexts) {
    const AcGePoint3d A(0, 0, 0), B(3, 0, 0), C(7, 0, 0), D(12, 0, 0);
    std::vector<DimRecord> records = {Linear(A, B, {1, 2, 0}, 0), Linear(B, C, {5, 2, 0}, 0),
                                      Linear(C, D, {9, 2, 0}, 0)};
    records[1].text = StackedDimText(L"4^5");
    records[2].text = L"<>";
    records[0].textPosition = AcGePoint3d(1, 3, 0);
    records[0].defaultTextPosition = false;
    std::unique_ptr<TRdim> chain = MakeLintaroDim(records, {0, 1, 2}, true, true);
    ASSERT_NE(chain, nullptr);
    ASSERT_EQ(chain->GetExtensions(), 4);
    const AcGePoint3d expected[] = {A, B, C, D};
    for (int i = 0; i < 4; ++i)
        EXPECT_POINT_NEAR(chain->GetPointInput(i), expected[i], kDimPointSame);
    EXPECT_EQ(chain->GetDimType(), kDimHorizontal);
    EXPECT_NEAR(chain->GetPointDim(0).y, 2.0, kDimPointSame);
    EXPECT_EQ(chain->GetDimTextUser(2), L"4^5");
    EXPECT_EQ(chain->GetDimTextUser(3), L""); // "<>" is the measurement itself
    EXPECT_POINT_NEAR(chain->GetPointTextPos(1), AcGePoint3d(1, 3, 0), kDimPointSame);

    // Without keepText and keepPos the dimensions' texts and places are not taken.
    chain = MakeLintaroDim(records, {0, 1, 2}, false, false);
    ASSERT_NE(chain, nullptr);
    EXPECT_EQ(chain->GetDimTextUser(2), L"");

    // One point only (a zero-length dimension alone) makes no chain.
    std::vector<DimRecord> lone = {Linear(B, B, {3, 2, 0}, 0)};
    EXPECT_EQ(MakeLintaroDim(lone, {0}, true, true), nullptr);
}

TEST_F(ChainTest, ChainsAlongAnyDirectionMeasureLikeTheirDimensions) {
    const double angle = 0.3;
    const AcGeVector3d along(std::cos(angle), std::sin(angle), 0);
    // Measured points off the dimension line's direction: the chain measures along the
    // dimensions' direction, not from point to point.
    const AcGePoint3d A(0, 0, 0);
    const AcGePoint3d B = A + along * 4 + AcGeVector3d(-along.y, along.x, 0) * 1.5;
    std::vector<DimRecord> records = {Linear(A, B, A + AcGeVector3d(-along.y, along.x, 0) * 3, angle)};
    std::unique_ptr<TRdim> chain = MakeLintaroDim(records, {0}, false, false);
    ASSERT_NE(chain, nullptr);
    EXPECT_NEAR(chain->GetDistance(1), 4.0, kDimPointSame);
    EXPECT_NEAR(chain->GetVectorDim().dotProduct(along), 1.0, kDimPointSame);
}

} // namespace
