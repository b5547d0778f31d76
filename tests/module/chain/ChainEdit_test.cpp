#include "tests/module/chain/TRdimTestEnv.h"

#include "host/ge/AcGeTol.h"
#include "module/chain/ChainEdit.h"

#include <cmath>

using namespace chaintest;

namespace {

AcGePoint3d P(double x, double y) { return AcGePoint3d(x, y, 0); }

class ChainEditTest : public ChainTest {
protected:
    static std::unique_ptr<TRdim> fivePointChain() {
        return makeChain({P(0, 0), P(2, 0), P(5, 0), P(9, 0), P(14, 0)}, kDimHorizontal, P(0, 3));
    }
};

} // namespace

// Markers 3k+1, 3i+2 and 3i+3 come back as the text of segment k, the extension line of
// point i and the dimension line ending at point i; the circle text and unknown markers
// have their fixed meanings, and marker 0 is no part.
TEST(ChainPartOfMarker, MapsMarkersToPartKindAndIndex) {
    ChainPart part;
    ASSERT_TRUE(ChainPartOfMarker(7, part));
    EXPECT_EQ(part.kind, 1);
    EXPECT_EQ(part.index, 2);
    ASSERT_TRUE(ChainPartOfMarker(8, part));
    EXPECT_EQ(part.kind, 2);
    EXPECT_EQ(part.index, 2);
    ASSERT_TRUE(ChainPartOfMarker(9, part));
    EXPECT_EQ(part.kind, 3);
    EXPECT_EQ(part.index, 2);
    ASSERT_TRUE(ChainPartOfMarker(1001, part));
    EXPECT_EQ(part.kind, 1);
    EXPECT_EQ(part.index, 0);
    ASSERT_TRUE(ChainPartOfMarker(1500, part));
    EXPECT_EQ(part.kind, 3);
    EXPECT_FALSE(ChainPartOfMarker(0, part));
    EXPECT_FALSE(ChainPartOfMarker(-4, part));
}

// The middle segment of a five-point chain splits it: the chain keeps the points before
// the segment, the new chain the points after it, each with the manual values and
// ticks of its own segments; both keep the dimension line where it was.
TEST_F(ChainEditTest, RemovingAMiddleSegmentSplitsTheChainKeepingValuesAndFlags) {
    auto chain = fivePointChain();
    chain->SetDimTextUser(1, L"ca. 2");
    chain->SetDimTextUser(3, L"ca. 4");
    chain->SetTickSymbol(3, 4);
    bool changed = false;
    std::unique_ptr<TRdim> rest = RemoveChainSegment(chain.get(), 2, changed);
    EXPECT_TRUE(changed);
    ASSERT_NE(rest, nullptr);
    ASSERT_EQ(chain->GetExtensions(), 2);
    ASSERT_EQ(rest->GetExtensions(), 3);
    EXPECT_POINT_NEAR(chain->GetPointInput(0), P(0, 0), kGeomTol);
    EXPECT_POINT_NEAR(chain->GetPointInput(1), P(2, 0), kGeomTol);
    EXPECT_POINT_NEAR(rest->GetPointInput(0), P(5, 0), kGeomTol);
    EXPECT_POINT_NEAR(rest->GetPointInput(2), P(14, 0), kGeomTol);
    EXPECT_EQ(chain->GetDimTextUser(1), L"ca. 2");
    EXPECT_EQ(rest->GetDimTextUser(1), L"ca. 4");
    EXPECT_EQ(rest->GetTickSymbol(1), 4);
    EXPECT_NEAR(rest->GetPointDim(0).y, 3.0, kGeomTol);
    EXPECT_NEAR(chain->GetPointDim(1).y, 3.0, kGeomTol);
    EXPECT_NEAR(rest->GetDistance(2), 5.0, kGeomTol);
}

// The first segment only drops the first point, the last one the last point; a chain of
// two points and a segment outside the chain are left alone.
TEST_F(ChainEditTest, RemovingAnEndSegmentDropsOnePointAndTwoPointChainsStay) {
    auto chain = fivePointChain();
    bool changed = false;
    EXPECT_EQ(RemoveChainSegment(chain.get(), 1, changed), nullptr);
    EXPECT_TRUE(changed);
    ASSERT_EQ(chain->GetExtensions(), 4);
    EXPECT_POINT_NEAR(chain->GetPointInput(0), P(2, 0), kGeomTol);
    EXPECT_EQ(RemoveChainSegment(chain.get(), 3, changed), nullptr);
    EXPECT_TRUE(changed);
    ASSERT_EQ(chain->GetExtensions(), 3);
    EXPECT_POINT_NEAR(chain->GetPointInput(2), P(9, 0), kGeomTol);
    EXPECT_EQ(RemoveChainSegment(chain.get(), 7, changed), nullptr);
    EXPECT_FALSE(changed);
    EXPECT_EQ(RemoveChainSegment(chain.get(), 0, changed), nullptr);
    EXPECT_FALSE(changed);
    auto two = makeChain({P(0, 0), P(4, 0)}, kDimHorizontal, P(0, 3));
    EXPECT_EQ(RemoveChainSegment(two.get(), 1, changed), nullptr);
    EXPECT_FALSE(changed);
    EXPECT_EQ(two->GetExtensions(), 2);
}

// Parallel chains join into one sorted chain with the second's manual value; chains at
// right angles, even 0.01 degrees off, are refused and neither changes.
TEST_F(ChainEditTest, JoiningTakesTheSecondChainsPointsAndRefusesRightAngles) {
    auto first = makeChain({P(0, 0), P(4, 0)}, kDimHorizontal, P(0, 3));
    auto second = makeChain({P(6, 0), P(10, 0)}, kDimHorizontal, P(0, 5));
    second->SetDimTextUser(1, L"ca. 4");
    int added = 0;
    std::wstring problem;
    ASSERT_TRUE(JoinChains(first.get(), second.get(), added, problem)) << problem.c_str();
    EXPECT_EQ(added, 2);
    ASSERT_EQ(first->GetExtensions(), 4);
    EXPECT_POINT_NEAR(first->GetPointInput(3), P(10, 0), kGeomTol);
    EXPECT_NEAR(first->GetPointDim(3).y, 3.0, kGeomTol);
    EXPECT_EQ(first->GetDimTextUser(3), L"ca. 4");
    EXPECT_EQ(first->GetDimTextUser(2), L"");

    const double a = (90.0 - 0.01) * M_PI / 180.0;
    auto slanted = makeChain({P(0, 0), P(10 * std::cos(a), 10 * std::sin(a))}, kDimAligned, P(-3, 1));
    auto base = makeChain({P(0, 0), P(4, 0)}, kDimHorizontal, P(0, 3));
    EXPECT_FALSE(JoinChains(base.get(), slanted.get(), added, problem));
    EXPECT_NE(problem.find(L"senkrecht"), std::wstring::npos);
    EXPECT_EQ(added, 0);
    EXPECT_EQ(base->GetExtensions(), 2);
    EXPECT_EQ(slanted->GetExtensions(), 2);
    EXPECT_FALSE(JoinChains(base.get(), base.get(), added, problem));
}

// A point on one side of the dimension line gives direction 1, the other side 2.
TEST_F(ChainEditTest, ExtensionDirectionFollowsTheSideOfTheGivenPoint) {
    auto chain = makeChain({P(0, 0), P(4, 0)}, kDimHorizontal, P(0, 3));
    EXPECT_EQ(ExtensionDirectionFor(chain.get(), P(2, 6)), 1);
    EXPECT_EQ(ExtensionDirectionFor(chain.get(), P(2, -1)), 2);
}

// Appended texts go along with their segments: joined into the first chain onto the
// segment between the same two points (one placed by hand keeps its place, the other
// goes below its value), and split off with the segments after the cut.
TEST_F(ChainEditTest, AppendedTextsGoAlongWhenChainsAreJoinedOrSplit) {
    auto first = makeChain({P(0, 0), P(4, 0)}, kDimHorizontal, P(0, 3));
    auto second = makeChain({P(6, 0), P(10, 0), P(13, 0)}, kDimHorizontal, P(0, 5));
    AppendingText byHand;
    byHand.m_strText = L"OKFF";
    byHand.m_iAutoPos = 0;
    second->SetAppendingText(1, &byHand);
    AppendingText* stored = nullptr;
    ASSERT_GE(second->GetAppendingText(1, &stored), 0);
    stored->m_position = P(8, 7);
    AppendingText following;
    following.m_strText = L"BR";
    second->SetAppendingText(2, &following);
    int added = 0;
    std::wstring problem;
    ASSERT_TRUE(JoinChains(first.get(), second.get(), added, problem)) << problem.c_str();
    ASSERT_EQ(first->GetExtensions(), 5);
    AppendingText* joined = nullptr;
    ASSERT_GE(first->GetAppendingText(3, &joined), 0); // between 6 and 10
    EXPECT_EQ(joined->m_strText, L"OKFF");
    EXPECT_EQ(joined->m_iAutoPos, 0);
    EXPECT_POINT_NEAR(joined->m_position, P(8, 7), kGeomTol);
    ASSERT_GE(first->GetAppendingText(4, &joined), 0); // between 10 and 13
    EXPECT_EQ(joined->m_strText, L"BR");
    // Below its value, which stands on the first chain's dimension line now.
    EXPECT_LT(joined->m_position.y, first->GetPointTextPos(4).y);
    EXPECT_NEAR(joined->m_position.x, first->GetPointTextPos(4).x, 2.0);
    EXPECT_LT(first->GetAppendingText(1), 0);
    EXPECT_LT(first->GetAppendingText(2), 0);

    bool changed = false;
    std::unique_ptr<TRdim> rest = RemoveChainSegment(first.get(), 2, changed);
    ASSERT_NE(rest, nullptr);
    ASSERT_EQ(rest->GetExtensions(), 3);
    AppendingText* moved = nullptr;
    ASSERT_GE(rest->GetAppendingText(1, &moved), 0);
    EXPECT_EQ(moved->m_strText, L"OKFF");
    ASSERT_GE(rest->GetAppendingText(2, &moved), 0);
    EXPECT_EQ(moved->m_strText, L"BR");
    EXPECT_TRUE(first->AppTexts().empty());
}
