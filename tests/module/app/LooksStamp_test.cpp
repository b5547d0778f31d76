// Chains and height marks keep their boxes in a drawing file only for as long as the
// options they are drawn with stay the same: read back with the same options, every
// kept box is the box the entity draws, and a pick draws only what it hits; read
// back with other options, or with the options changed afterwards, they are drawn.
#include "tests/module/height/HeightTestEnv.h"

#include "host/db/database/DatabaseClasses.h"
#include "host/db/entities/EntityIndex.h"
#include "host/gi/GiPick.h"
#include "host/io/DrawingReader.h"
#include "host/io/DrawingWriter.h"
#include "module/app/LooksStamp.h"

#include <optional>

using heighttest::HeightTest;

namespace {

// A kept box is the drawn box bit for bit; this allows for nothing but rounding.
constexpr double kBoxTol = lintaro::tol::kHostEqualPoint;

class LooksStampTest : public HeightTest {
protected:
    // Three chains of different kinds and two height marks, far enough apart that a
    // pick touches one of them.
    void drawSome() {
        host::registerDatabaseClasses();
        m_ids.push_back(append(
            makeChain({{0, 0, 0}, {4, 0, 0}, {7, 0, 0}, {12, 0, 0}}, kDimHorizontal, {0, 2, 0}).release()));
        m_ids.push_back(append(makeChain({{30, 0, 0}, {30, 5, 0}, {30, 9, 0}}, kDimVertical, {33, 0, 0}).release()));
        m_ids.push_back(
            append(makeChain({{50, 0, 0}, {54, 3, 0}, {58, 6, 0}}, kDimAligned, {50, 2, 0}).release()));
        m_ids.push_back(append(makeMark(true, 1, {80, 0, 0}, 1.25).release()));
        m_ids.push_back(append(makeMark(false, 4, {90, 0, 0}, -0.5).release()));
    }

    // After the chains were drawn once, as on the screen: the file keeps the boxes its index knows.
    std::vector<uint8_t> save() {
        m_db->entityIndex().update();
        std::vector<uint8_t> out;
        std::wstring error;
        EXPECT_TRUE(host::io::drawingToBytes(m_db.get(), out, error)) << std::string(error.begin(), error.end());
        return out;
    }

    static std::unique_ptr<AcDbDatabase> read(const std::vector<uint8_t>& file) {
        host::io::DrawingReadReport report;
        auto db = host::io::drawingFromBytes(file.data(), file.size(), L"plan.dwg", report);
        EXPECT_TRUE(db) << std::string(report.error.begin(), report.error.end());
        EXPECT_EQ(report.proxyCount, 0u);
        return db;
    }

    static AcDbObjectId idIn(AcDbDatabase* db, AcDbObjectId other) {
        AcDbObjectId id;
        EXPECT_EQ(db->getAcDbObjectId(id, false, other.handle()), Acad::eOk);
        return id;
    }

    // The box the index holds once the entity is drawn (the drawn box replaces a kept one).
    static std::optional<host::PlanBox> drawnBox(AcDbDatabase* db, AcDbObjectId id) {
        host::PlanBox box;
        if (!db->entityIndex().recording(id) || !db->entityIndex().boxOf(id, box)) return std::nullopt;
        return box;
    }

    std::vector<AcDbObjectId> m_ids;
};

} // namespace

TEST_F(LooksStampTest, ChainsAndMarksReadBackWithTheirDrawnBoxesAndArePickedWithoutDrawingTheRest) {
    drawSome();
    ASSERT_EQ(m_ids.size(), 5u);
    const std::vector<uint8_t> file = save();
    auto back = read(file);
    ASSERT_TRUE(back);
    host::EntityIndex& index = back->entityIndex();
    for (const AcDbObjectId& original : m_ids) {
        SCOPED_TRACE(original.handle().value());
        host::PlanBox box;
        ASSERT_TRUE(index.boxOf(idIn(back.get(), original), box));
        EXPECT_EQ(index.drawCount(), 0u) << "the box is the kept one";
    }
    // Drawn now, one after the other: each drawn box is the kept one.
    for (const AcDbObjectId& original : m_ids) {
        SCOPED_TRACE(original.handle().value());
        host::PlanBox box;
        ASSERT_TRUE(index.boxOf(idIn(back.get(), original), box));
        const std::optional<host::PlanBox> drawn = drawnBox(back.get(), idIn(back.get(), original));
        ASSERT_TRUE(drawn && !drawn->isEmpty());
        EXPECT_NEAR(box.x0, drawn->x0, kBoxTol);
        EXPECT_NEAR(box.y0, drawn->y0, kBoxTol);
        EXPECT_NEAR(box.x1, drawn->x1, kBoxTol);
        EXPECT_NEAR(box.y1, drawn->y1, kBoxTol);
        EXPECT_LT(drawn->x1 - drawn->x0, 15.0) << "each lies apart from the others";
    }

    EXPECT_EQ(index.drawCount(), m_ids.size());

    // In a new reading, a pick on the vertical chain's dimension line draws that chain
    // and nothing else, and finds it with the marker of the segment it hit, as before
    // the save.
    back = read(file);
    ASSERT_TRUE(back);
    const AcGePoint3d p(33, 7, 0);
    const auto pickIn = [&p](AcDbDatabase* db) {
        std::optional<std::pair<uint64_t, LONG_PTR>> found;
        for (const AcDbObjectId& id : db->entityIndex().overlapping({p.x - 0.05, p.y - 0.05, p.x + 0.05, p.y + 0.05}))
            if (const auto hit = host::gi::pickNearest(*db->entityIndex().recording(id), p, 0.05))
                found.emplace(id.handle().value(), hit->marker);
        return found;
    };
    const auto after = pickIn(back.get());
    ASSERT_TRUE(after);
    EXPECT_EQ(after->first, m_ids[1].handle().value());
    EXPECT_EQ(back->entityIndex().drawCount(), 1u);
    EXPECT_EQ(after, pickIn(m_db.get()));
}

TEST_F(LooksStampTest, OtherOptionsMakeTheKeptBoxesWorthNothing) {
    drawSome();
    const unsigned long long stamp = OptionsLooksStamp();
    const std::vector<uint8_t> file = save();

    // What the palette remembers between chains is no look: the boxes still hold.
    pGlobDimOptions->GetOptionSet(OPT_MODE_CHAIN).arrayOptInt[IND_I_LastType] += 1;
    EXPECT_EQ(OptionsLooksStamp(), stamp);

    // A sum under every chain: they look different from what was saved.
    pGlobDimOptions->SetOptFlag(IND_OPT_B_ShowSumOfDim, 1);
    EXPECT_NE(OptionsLooksStamp(), stamp);
    auto other = read(file);
    ASSERT_TRUE(other);
    host::PlanBox box;
    ASSERT_TRUE(other->entityIndex().boxOf(idIn(other.get(), m_ids[0]), box));
    EXPECT_EQ(other->entityIndex().drawCount(), m_ids.size()) << "every chain and mark is drawn";

    // Read with the options it was saved with, then the options change: the index
    // notices at its next question and draws everything again.
    pGlobDimOptions->SetOptFlag(IND_OPT_B_ShowSumOfDim, 0);
    EXPECT_EQ(OptionsLooksStamp(), stamp) << "the same options give the same stamp";
    auto same = read(file);
    ASSERT_TRUE(same);
    host::EntityIndex& index = same->entityIndex();
    index.overlapping({-1, -1, 1, 1});
    const uint64_t before = index.drawCount();
    EXPECT_LE(before, 1u);
    pGlobDimOptions->GetOptionSet(OPT_MODE_CHAIN).arrayOptDouble[IND_D_TickSize] += 1.0;
    index.overlapping({-1, -1, 1, 1});
    EXPECT_EQ(index.drawCount(), before + m_ids.size());
}
