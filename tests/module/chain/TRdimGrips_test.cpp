// The chain under the host's editing: its grip list, grip and stretch moves, the
// transformations of MOVE, COPY, ROTATE, SCALE and MIRROR, and selection-marker paths.
#include "tests/module/chain/TRdimTestEnv.h"

#include "host/db/entities/AcDbFullSubentPath.h"
#include "host/ed/SysVars.h"
#include "module/chain/GripIndex.h"
#include "module/chain/TextSide.h"

#include <cmath>
#include <numbers>

using namespace chaintest;

namespace {

constexpr double kPi = std::numbers::pi;
// Values and directions after a transformation: rounding of a few matrix products.
constexpr double kTransformTol = 1e-9;

AcGePoint3d P(double x, double y) {
    return AcGePoint3d(x, y, 0);
}

// The command the host reports as running, for the length of a scope.
class RunningCommand {
public:
    explicit RunningCommand(const wchar_t* name) { set(name); }
    ~RunningCommand() { set(L""); }
    RunningCommand(const RunningCommand&) = delete;
    RunningCommand& operator=(const RunningCommand&) = delete;

private:
    static void set(const wchar_t* name) {
        host::sysVars().setStored(L"CMDNAMES", host::VarValue::ofString(name));
    }
};

class GripTest : public ChainTest {
protected:
    // Inputs at 0, 4 and 9 on the X axis, the dimension line at y = 2: values 4,00 and
    // 5,00. Extension lines of fixed length end at y = 1, the others a gap short of the
    // object, at y = 0.5.
    static std::unique_ptr<TRdim> chainOfThree(bool fixedExtLines = true) {
        return makeChain({P(0, 0), P(4, 0), P(9, 0)}, kDimHorizontal, P(0, 2), fixedExtLines);
    }
    static AcGePoint3dArray grips(const TRdim& chain) {
        AcGePoint3dArray points;
        AcDbIntArray modes, ids;
        EXPECT_EQ(chain.getGripPoints(points, modes, ids), Acad::eOk);
        return points;
    }
    static AcDbIntArray indices(std::initializer_list<int> list) {
        AcDbIntArray out;
        for (int i : list)
            out.append(i);
        return out;
    }
    // No text box of the chain straddles its dimension line.
    static bool textsClearOfDimLine(TRdim& chain) {
        const AcGeVector3d across = chain.GetUcsNormal().crossProduct(chain.GetVectorDim());
        for (int k = 1; k < chain.GetExtensions(); ++k)
            if (BoxCrossesLine(chain.TextBox(k, 0.0), chain.GetPointDim(0), across, 1e-6)) return false;
        return true;
    }
};

} // namespace

TEST(GripIndex, IndicesMapToExtensionsAppendedTextsAndTheCircleText) {
    EXPECT_EQ(GripCount(3, 2, true), 14);
    EXPECT_EQ(GripCount(0, 2, true), 0) << "a chain without extensions has no grips";
    // Extension 0 has no text grip; every other extension has four.
    const int expected[][2] = {{0, 0}, {0, 1}, {0, 2}, {1, 0}, {1, 1}, {1, 2}, {1, 3}, {2, 0}, {2, 3}};
    const int index[] = {0, 1, 2, 3, 4, 5, 6, 7, 10};
    for (int j = 0; j < 9; ++j) {
        const GripRef ref = GripOf(index[j], 3, 2, true);
        EXPECT_EQ(ref.kind, GripRef::kExtension) << index[j];
        EXPECT_EQ(ref.extension, expected[j][0]) << index[j];
        EXPECT_EQ(ref.component, expected[j][1]) << index[j];
        EXPECT_EQ(GripIndexOf(expected[j][0], expected[j][1], 3), index[j]);
    }
    EXPECT_EQ(GripOf(11, 3, 2, true).kind, GripRef::kAppendedText);
    EXPECT_EQ(GripOf(12, 3, 2, true).appended, 1);
    EXPECT_EQ(GripOf(13, 3, 2, true).kind, GripRef::kCircleText);
    EXPECT_EQ(GripOf(13, 3, 2, false).kind, GripRef::kNone);
    EXPECT_EQ(GripOf(-1, 3, 2, true).kind, GripRef::kNone);
    EXPECT_EQ(GripIndexOf(0, 3, 3), -1);
}

TEST_F(GripTest, GripStretchAndSnapPointsAreOneListWithHandPlacedTexts) {
    auto chain = chainOfThree();
    AppendingText placed;
    placed.m_strText = L"OKFF";
    chain->SetAppendingText(2, &placed);
    AppendingText* rec = nullptr;
    ASSERT_GE(chain->GetAppendingText(2, &rec), 0);
    rec->m_iAutoPos = 0;
    rec->m_position = P(7, 5);

    const AcGePoint3dArray list = grips(*chain);
    ASSERT_EQ(list.length(), 12);
    EXPECT_POINT_NEAR(list[0], P(0, 0), kGeomTol);
    EXPECT_POINT_NEAR(list[1], P(0, 1), kGeomTol);
    EXPECT_POINT_NEAR(list[2], P(0, 2), kGeomTol);
    EXPECT_POINT_NEAR(list[5], P(4, 2), kGeomTol);
    EXPECT_POINT_NEAR(list[6], chain->GetPointTextPos(1), kGeomTol);
    EXPECT_POINT_NEAR(list[11], P(7, 5), kGeomTol);

    AcGePoint3dArray stretch, snaps;
    AcDbIntArray ids;
    ASSERT_EQ(chain->getStretchPoints(stretch), Acad::eOk);
    ASSERT_EQ(chain->getOsnapPoints(AcDb::kOsModeEnd, 0, P(0, 0), P(0, 0), AcGeMatrix3d(), snaps, ids),
              Acad::eOk);
    ASSERT_EQ(stretch.length(), list.length());
    ASSERT_EQ(snaps.length(), list.length());
    for (int g = 0; g < list.length(); ++g) {
        EXPECT_POINT_NEAR(stretch[g], list[g], 0.0) << g;
        EXPECT_POINT_NEAR(snaps[g], list[g], 0.0) << g;
    }

    // The hand-placed text's grip moves it; nothing else changes.
    const AcGePoint3dArray before = chain->Points();
    ASSERT_EQ(chain->moveGripPointsAt(indices({11}), AcGeVector3d(1, 1, 0)), Acad::eOk);
    EXPECT_POINT_NEAR(chain->AppTexts()[0].m_position, P(8, 6), kGeomTol);
    EXPECT_TRUE(chain->Points() == before);
}

TEST_F(GripTest, DimensionAndInputGripsMoveTheLineOrOnePoint) {
    auto chain = chainOfThree(false);
    // A dimension point grip moves the whole dimension line; the extension lines keep
    // their starts and the values stay.
    ASSERT_EQ(chain->moveGripPointsAt(indices({5}), AcGeVector3d(0.3, 1.5, 0)), Acad::eOk);
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(chain->GetPointDim(i).y, 3.5, kGeomTol) << i;
        EXPECT_NEAR(chain->GetPointExt(i).y, kGap, kGeomTol) << i;
    }
    EXPECT_EQ(valueOf(*chain, 1), L"4,00");
    EXPECT_EQ(valueOf(*chain, 2), L"5,00");

    // An input point grip moves that point only; both of its segments are measured again
    // and its extension line is fitted to the new point: a gap short of it.
    ASSERT_EQ(chain->moveGripPointsAt(indices({3}), AcGeVector3d(0.5, -1.0, 0)), Acad::eOk);
    EXPECT_POINT_NEAR(chain->GetPointInput(1), P(4.5, -1), kGeomTol);
    EXPECT_POINT_NEAR(chain->GetPointDim(1), P(4.5, 3.5), kGeomTol);
    EXPECT_POINT_NEAR(chain->GetPointExt(1), P(4.5, -1 + kGap), kGeomTol);
    EXPECT_POINT_NEAR(chain->GetPointExt(0), P(0, kGap), kGeomTol) << "the others keep theirs";
    EXPECT_EQ(valueOf(*chain, 1), L"4,50");
    EXPECT_EQ(valueOf(*chain, 2), L"4,50");

    // Onto another extension's input point: refused with a message, nothing changes.
    const AcGePoint3dArray before = chain->Points();
    const std::vector<std::wstring> texts = chain->Texts();
    clearTranscript();
    ASSERT_EQ(chain->moveGripPointsAt(indices({3}), P(9, 0) - P(4.5, -1)), Acad::eOk);
    EXPECT_TRUE(chain->Points() == before);
    EXPECT_EQ(chain->Texts(), texts);
    EXPECT_NE(transcript().find(L"Hilfslinie"), std::wstring::npos) << transcript();

    // Indices outside the list, and an empty list, change nothing.
    ASSERT_EQ(chain->moveGripPointsAt(indices({-1, 99, 12}), AcGeVector3d(1, 1, 0)), Acad::eOk);
    ASSERT_EQ(chain->moveGripPointsAt(AcDbIntArray(), AcGeVector3d(1, 1, 0)), Acad::eOk);
    EXPECT_TRUE(chain->Points() == before);
}

TEST_F(GripTest, StretchMovesTheWholeChainOrOnlyTheInputPointsInTheWindow) {
    auto chain = chainOfThree();
    const AcGePoint3dArray before = chain->Points();
    const AcGeVector3d offset(2, 3, 0);
    // Every point in the window: the chain moves as one and measures the same.
    ASSERT_EQ(chain->moveStretchPointsAt(indices({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}), offset), Acad::eOk);
    for (int s = 0; s < before.length(); ++s)
        EXPECT_POINT_NEAR(chain->Points()[s], before[s] + offset, kGeomTol) << s;
    EXPECT_EQ(valueOf(*chain, 2), L"5,00");

    // The last input point and its text in the window: only that point moves; its
    // dimension point goes with it and the text of its segment follows to the segment's
    // new middle.
    auto part = chainOfThree();
    ASSERT_EQ(part->moveStretchPointsAt(indices({7, 10}), AcGeVector3d(1, 0, 0)), Acad::eOk);
    EXPECT_POINT_NEAR(part->GetPointInput(2), P(10, 0), kGeomTol);
    EXPECT_POINT_NEAR(part->GetPointDim(2), P(10, 2), kGeomTol);
    EXPECT_POINT_NEAR(part->GetPointTextPos(2), part->DefaultTextPoint(2), kGeomTol);
    EXPECT_NEAR(part->GetPointTextPos(2).x, 7.0, kGeomTol);
    EXPECT_POINT_NEAR(part->GetPointInput(1), P(4, 0), kGeomTol);
    EXPECT_EQ(valueOf(*part, 1), L"4,00");
    EXPECT_EQ(valueOf(*part, 2), L"6,00");

    // A zero offset is nothing.
    const AcGePoint3dArray kept = part->Points();
    ASSERT_EQ(part->moveStretchPointsAt(indices({7}), AcGeVector3d(0, 0, 0)), Acad::eOk);
    EXPECT_TRUE(part->Points() == kept);
}

TEST_F(GripTest, RotateKeepsScaleDoublesMoveAndCopyNeverMeasure) {
    // ROTATE by 90 degrees: a vertical chain with the same values, texts readable.
    auto turned = chainOfThree();
    ASSERT_EQ(turned->transformBy(AcGeMatrix3d::rotation(kPi / 2, AcGeVector3d::kZAxis, P(1, 1))), Acad::eOk);
    EXPECT_NEAR(std::fabs(turned->GetVectorDim().y), 1.0, kTransformTol);
    EXPECT_EQ(valueOf(*turned, 1), L"4,00");
    EXPECT_EQ(valueOf(*turned, 2), L"5,00");
    EXPECT_TRUE(textsClearOfDimLine(*turned));

    // Turned half round, the chain is sorted again and its texts stay off the line.
    auto half = chainOfThree();
    ASSERT_EQ(half->transformBy(AcGeMatrix3d::rotation(kPi, AcGeVector3d::kZAxis, P(0, 0))), Acad::eOk);
    EXPECT_LT(half->GetPointDim(0).x, half->GetPointDim(2).x);
    EXPECT_EQ(valueOf(*half, 1), L"5,00");
    EXPECT_EQ(valueOf(*half, 2), L"4,00");
    EXPECT_TRUE(textsClearOfDimLine(*half));
    for (int k = 1; k < 3; ++k) {
        double angle = 0;
        int side = 0;
        half->GetTextAngle(k, angle, side);
        EXPECT_NEAR(angle, 0.0, kTransformTol) << "upright after half a turn, segment " << k;
    }

    // SCALE by 2 doubles every value.
    auto scaled = chainOfThree();
    ASSERT_EQ(scaled->transformBy(AcGeMatrix3d::scaling(2.0, P(0, 0))), Acad::eOk);
    EXPECT_EQ(valueOf(*scaled, 1), L"8,00");
    EXPECT_EQ(valueOf(*scaled, 2), L"10,00");

    // Under MOVE and COPY nothing is measured, whatever the matrix.
    auto moved = chainOfThree();
    {
        RunningCommand move(L"MOVE");
        ASSERT_EQ(moved->transformBy(AcGeMatrix3d::scaling(2.0, P(0, 0))), Acad::eOk);
    }
    EXPECT_EQ(valueOf(*moved, 2), L"5,00");
    auto source = chainOfThree();
    AcDbEntity* copy = nullptr;
    {
        RunningCommand copyCommand(L"COPY");
        ASSERT_EQ(source->getTransformedCopy(AcGeMatrix3d::scaling(3.0, P(0, 0)), copy), Acad::eOk);
    }
    std::unique_ptr<AcDbEntity> owned(copy);
    TRdim* copied = TRdim::cast(copy);
    ASSERT_NE(copied, nullptr);
    EXPECT_POINT_NEAR(copied->GetPointInput(2), P(27, 0), kGeomTol);
    EXPECT_EQ(valueOf(*copied, 2), L"5,00");
    EXPECT_POINT_NEAR(source->GetPointInput(2), P(9, 0), 0.0) << "the source stays";
}

TEST_F(GripTest, MirrorTurnsTheNormalDownAndKeepsTextsReadable) {
    auto chain = chainOfThree();
    const AcGePlane mirrorPlane(P(20, 0), AcGeVector3d::kXAxis);
    ASSERT_EQ(chain->transformBy(AcGeMatrix3d::mirroring(mirrorPlane)), Acad::eOk);
    EXPECT_LT(chain->GetZAxis().z, 0.0) << "the mirrored chain's normal points down";
    EXPECT_POINT_NEAR(chain->GetPointInput(0), P(31, 0), kGeomTol);
    EXPECT_POINT_NEAR(chain->GetPointInput(2), P(40, 0), kGeomTol);
    EXPECT_EQ(valueOf(*chain, 1), L"5,00");
    EXPECT_EQ(valueOf(*chain, 2), L"4,00");
    for (int k = 1; k < 3; ++k) {
        double angle = 0;
        int side = 0;
        EXPECT_EQ(chain->GetTextAngle(k, angle, side), 1) << k;
        EXPECT_NEAR(angle, 0.0, kTransformTol) << k;
        EXPECT_GT(chain->GetPointTextPos(k).y, 2.0) << "still above the line, away from the object";
    }
    EXPECT_TRUE(textsClearOfDimLine(*chain));

    // Mirrored across its dimension line the texts land on the far side and are moved
    // off the line again.
    auto flipped = chainOfThree();
    ASSERT_EQ(flipped->transformBy(AcGeMatrix3d::mirroring(AcGePlane(P(0, 0), AcGeVector3d::kYAxis))),
              Acad::eOk);
    EXPECT_LT(flipped->GetZAxis().z, 0.0);
    EXPECT_NEAR(flipped->GetPointDim(1).y, -2.0, kGeomTol);
    EXPECT_TRUE(textsClearOfDimLine(*flipped));
}

TEST_F(GripTest, SelectionMarkersGiveEdgeAndVertexPathsOfTheChain) {
    auto chain = chainOfThree();
    const AcDbObjectId id = append(chain.release());
    TRdim* opened = nullptr;
    ASSERT_EQ(acdbOpenObject(opened, id, AcDb::kForRead), Acad::eOk);
    int count = -1;
    AcDbFullSubentPath* paths = nullptr;
    EXPECT_EQ(
        opened->getSubentPathsAtGsMarker(AcDb::kEdgeSubentType, 0, P(0, 0), AcGeMatrix3d(), count, paths),
        Acad::eInvalidInput);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(paths, nullptr);

    ASSERT_EQ(
        opened->getSubentPathsAtGsMarker(AcDb::kEdgeSubentType, 5, P(0, 0), AcGeMatrix3d(), count, paths),
        Acad::eOk);
    ASSERT_EQ(count, 1);
    EXPECT_EQ(paths[0].subentId().index(), 4);
    ASSERT_EQ(paths[0].objectIds().length(), 1);
    EXPECT_EQ(paths[0].objectIds()[0], id);
    AcArray<Adesk::GsMarker> markers;
    EXPECT_EQ(opened->getGsMarkersAtSubentPath(paths[0], markers), Acad::eOk);
    ASSERT_EQ(markers.length(), 1);
    EXPECT_EQ(markers[0], 5) << "the path leads back to its marker";
    delete[] paths;

    ASSERT_EQ(
        opened->getSubentPathsAtGsMarker(AcDb::kVertexSubentType, 5, P(0, 0), AcGeMatrix3d(), count, paths),
        Acad::eOk);
    ASSERT_EQ(count, 2);
    EXPECT_EQ(paths[0].subentId().index(), 4);
    EXPECT_EQ(paths[1].subentId().index(), 5);
    delete[] paths;

    ASSERT_EQ(
        opened->getSubentPathsAtGsMarker(AcDb::kFaceSubentType, 5, P(0, 0), AcGeMatrix3d(), count, paths),
        Acad::eOk);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(paths, nullptr);
    opened->close();
}

TEST_F(GripTest, AnEmptyChainTakesEveryEditWithoutHarm) {
    TRdim empty;
    EXPECT_EQ(grips(empty).length(), 0);
    EXPECT_EQ(empty.transformBy(AcGeMatrix3d::scaling(2.0)), Acad::eOk);
    EXPECT_EQ(empty.moveGripPointsAt(indices({0, 1}), AcGeVector3d(1, 0, 0)), Acad::eOk);
    EXPECT_EQ(empty.moveStretchPointsAt(indices({0}), AcGeVector3d(1, 0, 0)), Acad::eOk);
    EXPECT_EQ(empty.GetExtensions(), 0);
}
