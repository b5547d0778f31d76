#include "SelectionTestDrawing.h"

#include "host/db/entities/AcDbLine.h"
#include "host/ed/input/AcEdFilterWinMsg.h"
#include "host/ed/input/AcEdJig.h"
#include "host/ed/input/EditorInput.h"
#include "host/ed/Ucs.h"

#include <cmath>
#include <numbers>

namespace {

// Angles typed in degrees come back in radians to this.
constexpr double kAngleTol = 1e-12;

// Drags the end of a line, as a module's jig drags its entity.
class LineJig : public AcEdJig {
public:
    LineJig() : m_line(new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0))) {}
    ~LineJig() override { delete m_line; }

    DragStatus sampler() override {
        ++samples;
        DragStatus s = acquirePoint(m_point);
        if (s == kNormal) m_line->setEndPoint(m_point);
        return s;
    }
    bool update() override {
        ++updates;
        return true;
    }
    AcDbEntity* entity() const override { return m_line; }
    AcDbObjectId appendLine() {
        AcDbObjectId id = append();
        if (!id.isNull()) m_line = nullptr; // the drawing owns it now
        return id;
    }
    AcGePoint3d end() const { return m_line ? m_line->endPoint() : AcGePoint3d(); }

    int samples = 0;
    int updates = 0;

private:
    AcDbLine* m_line;
    AcGePoint3d m_point;
};

class JigTest : public SelectionDrawing {};

} // namespace

TEST_F(JigTest, EachDragTakesOneAnswerAndSaysWhatItWas) {
    LineJig jig;
    jig.setDispPrompt(L"\n%d. Ma\u00DFpunkt: ", 3);
    EXPECT_STREQ(jig.dispPrompt(), L"\n3. Ma\u00DFpunkt: ");
    jig.setKeywordList(L"Close Undo");
    jig.setUserInputControls(AcEdJig::UserInputControls(AcEdJig::kNullResponseAccepted));
    script(L"5,6\n5,6\nC\n_Undo\n\nESC\n");
    EXPECT_EQ(jig.drag(), AcEdJig::kNormal);
    EXPECT_NEAR(jig.end().x, 5, kPointTol);
    EXPECT_NEAR(jig.end().y, 6, kPointTol);
    EXPECT_EQ(jig.updates, 1);
    EXPECT_EQ(jig.drag(), AcEdJig::kNormal) << "the same point again is still a click";
    EXPECT_EQ(jig.updates, 1) << "but there was nothing to update";
    EXPECT_EQ(jig.drag(), AcEdJig::kKW1);
    EXPECT_EQ(jig.drag(), AcEdJig::kKW2) << "by its global name";
    EXPECT_EQ(jig.drag(), AcEdJig::kNull) << "Enter, accepted";
    EXPECT_EQ(jig.drag(), AcEdJig::kCancel);
    EXPECT_EQ(jig.samples, 6) << "one answer per drag";
    EXPECT_TRUE(said(L"\n3. Ma\u00DFpunkt: 5,6"));
}

TEST_F(JigTest, WrongAnswersAreAskedAgainAndTheEndOfTheScriptEndsTheDrag) {
    LineJig jig;
    jig.setDispPrompt(L"\nPosition: ");
    jig.setKeywordList(L"Lagepunkt,L L");
    script(L"1,,2\nabc\nNaN,1\n\nL\n7,8\n");
    // Enter is not accepted here: it is explained and asked again, as are bad points.
    EXPECT_EQ(jig.drag(), AcEdJig::kKW1) << "the abbreviation of the first keyword";
    EXPECT_TRUE(said(L"Point or option keyword required."));
    EXPECT_EQ(jig.samples, 1);
    EXPECT_EQ(jig.drag(), AcEdJig::kNormal);
    EXPECT_NEAR(jig.end().x, 7, kPointTol);
    // The script has ended: first Enter, then cancel.
    jig.setUserInputControls(AcEdJig::UserInputControls(AcEdJig::kNullResponseAccepted));
    EXPECT_EQ(jig.drag(), AcEdJig::kNull);
    EXPECT_EQ(jig.drag(), AcEdJig::kCancel);

    // Another text is handed over when the jig accepts one.
    LineJig other;
    other.setUserInputControls(AcEdJig::UserInputControls(AcEdJig::kAcceptOtherInputString));
    script(L"hello\n");
    EXPECT_EQ(other.drag(), AcEdJig::kOther);
    wchar_t text[32] = {};
    ASSERT_EQ(acedGetInput(text, 32), RTNORM);
    EXPECT_STREQ(text, L"hello");
}

TEST_F(JigTest, PointsAreTakenInTheUcsAndGivenInTheWorld) {
    AcGeMatrix3d ucs;
    // Origin at (100,50), X along the world's Y.
    ucs.setCoordSystem(AcGePoint3d(100, 50, 0), AcGeVector3d::kYAxis, -AcGeVector3d::kXAxis,
                       AcGeVector3d::kZAxis);
    ASSERT_EQ(acedSetCurrentUCS(ucs), Acad::eOk);
    resbuf before{};
    acedGetVar(L"LASTPOINT", &before);
    LineJig jig;
    jig.setUserInputControls(AcEdJig::UserInputControls(AcEdJig::kDontUpdateLastPoint));
    script(L"2,3\n");
    ASSERT_EQ(jig.drag(), AcEdJig::kNormal);
    EXPECT_NEAR(jig.end().x, 97, kPointTol);
    EXPECT_NEAR(jig.end().y, 52, kPointTol);
    resbuf after{};
    acedGetVar(L"LASTPOINT", &after);
    EXPECT_EQ(after.resval.rpoint[0], before.resval.rpoint[0]) << "LASTPOINT kept as asked";
    EXPECT_EQ(after.resval.rpoint[1], before.resval.rpoint[1]);
}

TEST_F(JigTest, TheMouseFilterSeesTheClickOfEveryDrag) {
    static std::vector<POINT> downs;
    downs.clear();
    auto filter = [](MSG* msg) -> BOOL {
        if (msg->message == WM_LBUTTONDOWN)
            downs.push_back({GET_X_LPARAM(msg->lParam), GET_Y_LPARAM(msg->lParam)});
        return FALSE;
    };
    ASSERT_TRUE(acedRegisterFilterWinMsg(filter));
    LineJig jig;
    script(L"50,50\n60,40\n");
    jig.drag();
    jig.drag();
    acedRemoveFilterWinMsg(filter);
    ASSERT_EQ(downs.size(), 2u);
    EXPECT_EQ(downs[0].x, 500);
    EXPECT_EQ(downs[0].y, 500);
    EXPECT_EQ(downs[1].x, 600);
    EXPECT_EQ(downs[1].y, 600);
}

TEST_F(JigTest, AppendPutsTheEntityIntoTheDrawing) {
    LineJig jig;
    script(L"4,4\n");
    ASSERT_EQ(jig.drag(), AcEdJig::kNormal);
    const AcDbObjectId id = jig.appendLine();
    ASSERT_FALSE(id.isNull());
    AcDbLine* line = nullptr;
    ASSERT_EQ(acdbOpenObject(line, id, AcDb::kForRead), Acad::eOk) << "appended and closed";
    EXPECT_NEAR(line->endPoint().x, 4, kPointTol);
    EXPECT_EQ(line->ownerId(), m_db->modelSpaceId());
    line->close();

    AcEdJig empty;
    EXPECT_TRUE(empty.append().isNull()) << "no entity, nothing appended";
}

TEST_F(JigTest, DistancesAnglesAndTextsAreAcquiredToo) {
    AcEdJig jig;
    double d = 0, a = 0;
    script(L"2.5\n3,4\n45\n1,1\nabc\n-90\nsome text\n\n");
    EXPECT_EQ(jig.acquireDist(d), AcEdJig::kNormal);
    EXPECT_EQ(d, 2.5);
    EXPECT_EQ(jig.acquireDist(d, AcGePoint3d(0, 0, 0)), AcEdJig::kNormal);
    EXPECT_NEAR(d, 5, kPointTol) << "from the base point to the point given";
    EXPECT_EQ(jig.acquireAngle(a), AcEdJig::kNormal);
    EXPECT_NEAR(a, std::numbers::pi / 4, kAngleTol) << "typed in degrees";
    EXPECT_EQ(jig.acquireAngle(a, AcGePoint3d(0, 2, 0)), AcEdJig::kNormal);
    EXPECT_NEAR(a, -std::numbers::pi / 4, kAngleTol) << "from the base to the point";
    EXPECT_EQ(jig.acquireAngle(a), AcEdJig::kNormal) << "abc is asked again";
    EXPECT_NEAR(a, -std::numbers::pi / 2, kAngleTol);
    EXPECT_TRUE(said(L"Requires valid numeric angle or second point."));
    wchar_t text[2049];
    EXPECT_EQ(jig.acquireString(text), AcEdJig::kNormal);
    EXPECT_STREQ(text, L"some text");
    jig.setUserInputControls(AcEdJig::UserInputControls(AcEdJig::kNullResponseAccepted));
    EXPECT_EQ(jig.acquireString(text), AcEdJig::kNull);
}
