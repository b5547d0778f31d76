// The cursor's point tried on a waiting jig: the dragged entity follows it, no input is
// read, and the drag ends exactly as it would without the trials.
#include "SelectionTestDrawing.h"

#include "host/db/entities/AcDbLine.h"
#include "host/ed/input/AcEdJig.h"
#include "host/ed/input/EditorInput.h"
#include "host/ed/input/JigTrial.h"

#include <cmath>
#include <functional>
#include <numbers>
#include <vector>

namespace {

// Angles from a base point come back in radians to this.
constexpr double kAngleTol = 1e-12;

// Drags the end of a line; with a base point it asks for a distance along x instead.
class EndJig : public AcEdJig {
public:
    EndJig() : m_line(new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0))) {}
    ~EndJig() override { delete m_line; }

    DragStatus sampler() override {
        ++samples;
        if (askLength) {
            double d = 0;
            const DragStatus s = acquireDist(d, AcGePoint3d(0, 0, 0));
            if (s == kNormal) m_point = AcGePoint3d(d, 0, 0);
            return s;
        }
        if (askAngle) {
            const DragStatus s = acquireAngle(angle, AcGePoint3d(1, 1, 0));
            if (s == kNormal) m_point = AcGePoint3d(1 + std::cos(angle), 1 + std::sin(angle), 0);
            return s;
        }
        if (askDirectly) {
            ads_point p;
            directAnswers.push_back(acedGetPoint(nullptr, L"", p));
        }
        return acquirePoint(m_point);
    }
    bool update() override {
        m_line->setEndPoint(m_point);
        return true;
    }
    AcDbEntity* entity() const override { return m_line; }
    AcGePoint3d end() const { return m_line->endPoint(); }

    int samples = 0;
    bool askLength = false, askAngle = false, askDirectly = false;
    std::vector<int> directAnswers;
    double angle = 0;

private:
    AcDbLine* m_line;
    AcGePoint3d m_point;
};

// Script lines; before each one is read, the points of its turn are tried on the
// waiting jig, as the page's mouse moves come in between two answers.
class TryingSource : public host::InputSource {
public:
    TryingSource(std::vector<std::wstring> lines, std::vector<std::vector<AcGePoint3d>> tries)
        : m_lines(std::move(lines)), m_tries(std::move(tries)) {}
    std::optional<std::wstring> readLine() override {
        if (m_next >= m_lines.size()) return std::nullopt;
        for (const AcGePoint3d& p : m_tries[m_next])
            results.push_back(host::tryJigPoint(p, [&](AcDbEntity* e) {
                const auto* line = AcDbLine::cast(e);
                shown.push_back(line ? line->endPoint() : AcGePoint3d(-1, -1, -1));
                lastPointX.push_back(host::sysVars().get(L"LASTPOINT")->point[0]);
            }));
        return m_lines[m_next++];
    }
    std::vector<bool> results;
    std::vector<AcGePoint3d> shown;
    std::vector<double> lastPointX; // LASTPOINT's x when each preview was shown

private:
    std::vector<std::wstring> m_lines;
    std::vector<std::vector<AcGePoint3d>> m_tries;
    size_t m_next = 0;
};

class JigTrialTest : public SelectionDrawing {};

} // namespace

TEST_F(JigTrialTest, TheEntityFollowsTheTriedPointsAndTheAnswerEndsTheDragAsWithoutThem) {
    // Without trials first: what the drag must end with.
    EndJig plain;
    plain.setDispPrompt(L"\nEndpunkt: ");
    script(L"7,3\n");
    ASSERT_EQ(plain.drag(), AcEdJig::kNormal);
    const std::wstring plainSaid = transcript.text();

    host::hostInput().reset();
    host::sysVars().set(L"LASTPOINT", host::VarValue::ofPoint(-5, 0, 0));
    EndJig jig;
    jig.setDispPrompt(L"\nEndpunkt: ");
    auto source = std::make_unique<TryingSource>(
        std::vector<std::wstring>{L"7,3"},
        std::vector<std::vector<AcGePoint3d>>{{AcGePoint3d(2, 2, 0), AcGePoint3d(4.5, -1.25, 0), AcGePoint3d(7, 3, 0)}});
    TryingSource& trying = *source;
    const size_t saidBefore = transcript.text().size();
    host::hostInput().pushSource(std::move(source));
    ASSERT_EQ(jig.drag(), AcEdJig::kNormal);
    ASSERT_EQ(trying.shown.size(), 3u);
    EXPECT_EQ(trying.results, (std::vector<bool>{true, true, true}));
    const double want[3][2] = {{2, 2}, {4.5, -1.25}, {7, 3}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(trying.shown[i].x, want[i][0], kPointTol) << "preview " << i;
        EXPECT_NEAR(trying.shown[i].y, want[i][1], kPointTol) << "preview " << i;
    }
    EXPECT_EQ(jig.samples, 4) << "three trials and the answer";
    EXPECT_NEAR(jig.end().distanceTo(plain.end()), 0.0, kPointTol) << "as the drag without trials ended";
    EXPECT_NEAR(jig.end().x, 7, kPointTol);
    EXPECT_EQ(transcript.text().substr(saidBefore), plainSaid) << "the trials wrote nothing";
    EXPECT_EQ(trying.lastPointX, (std::vector<double>{-5, -5, -5})) << "a trial is no answer: LASTPOINT stays";
    EXPECT_NEAR(host::sysVars().get(L"LASTPOINT")->point[0], 7, kPointTol) << "the answer sets it";
}

TEST_F(JigTrialTest, DistancesAndAnglesAreTriedFromTheBasePoint) {
    EndJig length;
    length.askLength = true;
    auto source = std::make_unique<TryingSource>(std::vector<std::wstring>{L"2.5"},
                                                 std::vector<std::vector<AcGePoint3d>>{{AcGePoint3d(3, 4, 0)}});
    TryingSource& trying = *source;
    host::hostInput().pushSource(std::move(source));
    ASSERT_EQ(length.drag(), AcEdJig::kNormal);
    ASSERT_EQ(trying.shown.size(), 1u);
    EXPECT_NEAR(trying.shown[0].x, 5.0, kPointTol) << "3,4 lies 5 from the base";
    EXPECT_NEAR(length.end().x, 2.5, kPointTol) << "the typed distance is the answer";

    EndJig turn;
    turn.askAngle = true;
    auto angles = std::make_unique<TryingSource>(std::vector<std::wstring>{L"90"},
                                                 std::vector<std::vector<AcGePoint3d>>{{AcGePoint3d(0, 0, 0)}});
    TryingSource& tried = *angles;
    host::hostInput().pushSource(std::move(angles));
    ASSERT_EQ(turn.drag(), AcEdJig::kNormal);
    ASSERT_EQ(tried.shown.size(), 1u);
    EXPECT_NEAR(tried.shown[0].x, 1 + std::cos(-0.75 * std::numbers::pi), kPointTol) << "towards 0,0 from 1,1";
    EXPECT_NEAR(turn.angle, std::numbers::pi / 2, kAngleTol) << "90 typed, in degrees";
}

TEST_F(JigTrialTest, NothingIsTriedWithoutAWaitingJigNorReadDuringATrial) {
    int shown = 0;
    EXPECT_FALSE(host::tryJigPoint(AcGePoint3d(1, 1, 0), [&](AcDbEntity*) { ++shown; }));
    EXPECT_EQ(shown, 0);
    EXPECT_EQ(host::waitingJig(), nullptr);

    // A sampler that asks the editor itself during a trial reads no line.
    EndJig jig;
    jig.askDirectly = true;
    auto source = std::make_unique<TryingSource>(std::vector<std::wstring>{L"1,2", L"8,9"},
                                                 std::vector<std::vector<AcGePoint3d>>{{}, {AcGePoint3d(5, 5, 0)}});
    TryingSource& trying = *source;
    host::hostInput().pushSource(std::move(source));
    ASSERT_EQ(jig.drag(), AcEdJig::kNormal);
    ASSERT_EQ(trying.shown.size(), 1u);
    EXPECT_EQ(jig.directAnswers, (std::vector<int>{RTNORM, RTCAN})) << "1,2 answered the sampler's own question; "
                                                                        "during the trial it got nothing";
    EXPECT_NEAR(trying.shown[0].x, 5, kPointTol);
    EXPECT_NEAR(jig.end().x, 8, kPointTol) << "8,9 answered the jig, not the trial's question";

    // A GUI event handled during the wait has its own questions: no jig waits then.
    EndJig outer;
    bool seenInHandler = true;
    host::hostInput().setEventHandler([&](const std::wstring&) {
        seenInHandler = host::waitingJig() != nullptr;
        return true;
    });
    script(L"@palette click 1\n3,3\n");
    ASSERT_EQ(outer.drag(), AcEdJig::kNormal);
    EXPECT_FALSE(seenInHandler);
    EXPECT_EQ(host::waitingJig(), nullptr) << "the wait has ended";
}
