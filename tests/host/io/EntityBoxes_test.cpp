// The boxes a drawing file keeps for its entities. A box that is wrong makes a pick
// miss, so these tests read drawings back and check every kept box against the
// entity as drawn, that picks and windows find the same entities with the same
// markers as before the save while drawing only what they hit, that older files
// and entities nobody vouches for are drawn to be found, and that a damaged box
// list refuses the file.
#include "host/db/database/AcDbDatabase.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/db/dimensions/AcDbAlignedDimension.h"
#include "host/db/dimensions/AcDbRotatedDimension.h"
#include "host/db/entities/AcDbBlockReference.h"
#include "host/db/entities/AcDbHatch.h"
#include "host/db/entities/AcDbLine.h"
#include "host/db/entities/AcDbXline.h"
#include "host/db/entities/DrawnGeometry.h"
#include "host/db/entities/EntityIndex.h"
#include "host/db/entities/EntityLooks.h"
#include "host/db/tables/AcDbBlockTable.h"
#include "host/db/tables/AcDbBlockTableRecord.h"
#include "host/ge/AcGeTol.h"
#include "host/gi/GiPick.h"
#include "host/io/DrawingFile.h"
#include "host/io/DrawingReader.h"
#include "host/io/DrawingSections.h"
#include "host/io/DrawingWriter.h"
#include "host/rx/AcRxClass.h"
#include "tests/host/io/IoTestHelpers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <map>
#include <optional>

using namespace iotest;

namespace {

// A kept box is the drawn box bit for bit; this allows for nothing but rounding.
constexpr double kBoxTol = lintaro::tol::kHostEqualPoint;

AcDbObjectId append(AcDbDatabase* db, AcDbEntity* ent, AcDbObjectId owner = {}) {
    AcDbBlockTableRecord* space = nullptr;
    EXPECT_EQ(acdbOpenObject(space, owner.isNull() ? db->modelSpaceId() : owner, AcDb::kForWrite), Acad::eOk);
    AcDbObjectId id;
    EXPECT_EQ(space->appendAcDbEntity(id, ent), Acad::eOk);
    ent->close();
    space->close();
    return id;
}

// The sample plus what it lacks: a block reference, dimensions, a hatch and an endless line.
void addTheOtherKinds(AcDbDatabase* db) {
    AcDbBlockTable* blocks = nullptr;
    ASSERT_EQ(db->getBlockTable(blocks, AcDb::kForWrite), Acad::eOk);
    auto* door = new AcDbBlockTableRecord();
    door->setName(L"Tür");
    AcDbObjectId doorId;
    ASSERT_EQ(blocks->add(doorId, door), Acad::eOk);
    door->close();
    blocks->close();
    append(db, new AcDbLine({0, 0, 0}, {0.9, 0.4, 0}), doorId);
    auto* ref = new AcDbBlockReference({20, 5, 0}, doorId);
    ref->setRotation(0.5);
    append(db, ref);
    append(db, new AcDbRotatedDimension(0.0, {0, 0, 0}, {12.5, 0, 0}, {6, -3, 0}, L"BMaß <>"));
    append(db, new AcDbAlignedDimension({30, 0, 0}, {34, 3, 0}, {31, 4, 0}));
    auto* hatch = new AcDbHatch();
    hatch->setPattern(AcDbHatch::kPreDefined, L"SOLID");
    AcGePoint2dArray corners;
    for (auto [x, y] : {std::pair{40.0, 0.0}, {44.0, 0.0}, {44.0, 3.0}, {40.0, 3.0}})
        corners.append(AcGePoint2d(x, y));
    AcGeDoubleArray bulges;
    for (int i = 0; i < 4; ++i)
        bulges.append(i == 1 ? 0.5 : 0.0);
    hatch->appendLoop(AcDbHatch::kExternal | AcDbHatch::kPolyline, corners, bulges);
    append(db, hatch);
    auto* endless = new AcDbXline();
    endless->setBasePoint({0, 50, 0});
    endless->setUnitDir({1, 1, 0});
    append(db, endless);
}

// Saved after every entity was drawn once, as a drawing on the screen has been: the
// file keeps the boxes its index knows.
std::vector<uint8_t> saved(AcDbDatabase* db, bool packed = true) {
    db->entityIndex().update();
    std::vector<uint8_t> out;
    std::wstring error;
    EXPECT_TRUE(host::io::drawingToBytes(db, out, error, packed)) << std::string(error.begin(), error.end());
    return out;
}

std::unique_ptr<AcDbDatabase> opened(const std::vector<uint8_t>& bytes, host::io::DrawingReadReport& report) {
    return host::io::drawingFromBytes(bytes.data(), bytes.size(), L"plan.dwg", report);
}

std::vector<AcDbObjectId> modelSpace(AcDbDatabase* db) {
    AcDbBlockTableRecord* space = nullptr;
    EXPECT_EQ(acdbOpenObject(space, db->modelSpaceId(), AcDb::kForRead), Acad::eOk);
    std::vector<AcDbObjectId> ids;
    for (const AcDbObjectId& id : space->entityIds())
        if (!id.isErased()) ids.push_back(id);
    space->close();
    return ids;
}

// The entity's box drawn afresh, outside the index.
std::optional<host::PlanBox> drawnBox(AcDbObjectId id) {
    AcDbEntity* ent = nullptr;
    if (acdbOpenAcDbEntity(ent, id, AcDb::kForRead) != Acad::eOk) return std::nullopt;
    const AcDbExtents e = host::extentsOf(host::drawEntity(ent));
    ent->close();
    if (e.minPoint().x > e.maxPoint().x) return std::nullopt;
    return host::PlanBox{e.minPoint().x, e.minPoint().y, e.maxPoint().x, e.maxPoint().y};
}

std::wstring className(AcDbObjectId id) {
    AcDbEntity* ent = nullptr;
    if (acdbOpenAcDbEntity(ent, id, AcDb::kForRead) != Acad::eOk) return L"?";
    std::wstring name = ent->isA()->name();
    ent->close();
    return name;
}

// What a pick at `p` finds: the entity on top under the pick box and its marker, as handles.
struct Pick {
    uint64_t handle = 0;
    LONG_PTR marker = 0;
    bool operator==(const Pick&) const = default;
};
Pick pickAt(AcDbDatabase* db, const AcGePoint3d& p, double half) {
    host::EntityIndex& index = db->entityIndex();
    Pick best;
    double bestDistance = std::numeric_limits<double>::infinity();
    for (const AcDbObjectId& id : index.overlapping({p.x - half, p.y - half, p.x + half, p.y + half})) {
        const auto hit = host::gi::pickNearest(*index.recording(id), p, half);
        if (hit && hit->distance <= bestDistance) {
            bestDistance = hit->distance;
            best = {id.handle().value(), hit->marker};
        }
    }
    return best;
}

std::vector<uint64_t> handlesIn(AcDbDatabase* db, const host::PlanBox& window) {
    std::vector<uint64_t> out;
    for (const AcDbObjectId& id : db->entityIndex().overlapping(window))
        out.push_back(id.handle().value());
    return out;
}

// The box list of a version 3 file, unpacked, and the file rebuilt around a changed one.
struct BoxPart {
    size_t entryAt = 0;
    host::io::PackedPart part;
};
BoxPart boxPartOf(const std::vector<uint8_t>& file) {
    host::io::PackedParts parts;
    host::io::ImageError error;
    EXPECT_TRUE(host::io::readPackedParts(file.data(), file.size(), parts, error));
    return {parts[host::io::kBoxPart].at - 12, parts[host::io::kBoxPart]};
}
std::vector<uint8_t> boxListOf(const std::vector<uint8_t>& file) {
    std::vector<uint8_t> list;
    host::io::ImageError error;
    EXPECT_TRUE(host::io::unpackPart(file.data(), boxPartOf(file).part, host::io::kBoxPart, list, error));
    return list;
}
std::vector<uint8_t> withBoxList(const std::vector<uint8_t>& file, const std::vector<uint8_t>& list) {
    std::vector<uint8_t> out(file.begin(), file.begin() + long(boxPartOf(file).entryAt));
    host::io::PartPacker packer(out);
    packer.add(list.data(), list.size());
    packer.finish();
    return out;
}
void put(std::vector<uint8_t>& b, size_t at, uint64_t v, size_t n = 8) {
    for (size_t i = 0; i < n; ++i)
        b[at + i] = uint8_t(v >> (8 * i));
}

AcDbObjectId idIn(AcDbDatabase* db, AcDbObjectId other) {
    AcDbObjectId id;
    EXPECT_EQ(db->getAcDbObjectId(id, false, other.handle()), Acad::eOk);
    return id;
}

// Gives the test marks' class a stamp for as long as it lives.
class MarkStamp {
public:
    explicit MarkStamp(host::LooksStampFn fn) { host::setClassLooksStamp(IoTestMark::desc(), std::move(fn)); }
    ~MarkStamp() { host::setClassLooksStamp(IoTestMark::desc(), nullptr); }
};

} // namespace

TEST(EntityBoxes, AKeptBoxIsTheDrawnBoxOfEveryKindOfEntity) {
    MarkClassScope marks;
    AcDbDatabase db;
    buildSample(&db);
    addTheOtherKinds(&db);
    const std::vector<uint8_t> file = saved(&db);
    EXPECT_EQ(host::io::drawingFormatVersion(file.data(), file.size()), host::io::kBoxedFormatVersion);
    host::io::DrawingReadReport report;
    auto back = opened(file, report);
    ASSERT_TRUE(back) << std::string(report.error.begin(), report.error.end());

    host::EntityIndex& index = back->entityIndex();
    index.update();
    EXPECT_EQ(index.drawCount(), 3u) << "only the marks (their class gives no stamp) and the endless line";
    size_t kept = 0;
    for (const AcDbObjectId& id : modelSpace(back.get())) {
        const std::wstring name = className(id);
        SCOPED_TRACE(std::string(name.begin(), name.end()));
        host::PlanBox hinted, drawn;
        const uint64_t before = index.drawCount();
        const bool hasBox = index.boxOf(id, hinted);
        if (name == L"AcDbXline") {
            EXPECT_FALSE(hasBox) << "an endless line has no box";
            continue;
        }
        ASSERT_TRUE(hasBox);
        ASSERT_TRUE(index.recording(id)); // drawn now: the drawn box replaces the kept one
        ASSERT_TRUE(index.boxOf(id, drawn));
        if (name == L"IoTestMark") continue; // its class gives no stamp: drawn at the first question
        ++kept;
        EXPECT_EQ(index.drawCount(), before + 1) << "the box was the kept one, drawn only when asked to";
        EXPECT_NEAR(hinted.x0, drawn.x0, kBoxTol);
        EXPECT_NEAR(hinted.y0, drawn.y0, kBoxTol);
        EXPECT_NEAR(hinted.x1, drawn.x1, kBoxTol);
        EXPECT_NEAR(hinted.y1, drawn.y1, kBoxTol);
    }
    EXPECT_EQ(kept, 10u) << "a line, an arc, a circle, a polyline, texts, a reference, dimensions, a hatch";
}

TEST(EntityBoxes, AReadDrawingPicksAsBeforeAndDrawsOnlyWhatIsHit) {
    MarkClassScope marks;
    MarkStamp stamp([] { return uint64_t(7); });
    AcDbDatabase db;
    buildSample(&db);
    addTheOtherKinds(&db);
    // A field of short lines and circles, so that most of the drawing is far from any pick.
    for (int i = 0; i < 400; ++i) {
        const double x = 100 + 3.0 * (i % 20), y = 3.0 * (i / 20);
        append(&db, i % 2 ? static_cast<AcDbEntity*>(new AcDbLine({x, y, 0}, {x + 1, y + 1, 0}))
                          : new IoTestMark({x, y, 0}, 0.5, L"Maß"));
    }
    const std::vector<uint8_t> file = saved(&db);
    host::io::DrawingReadReport report;
    auto back = opened(file, report);
    ASSERT_TRUE(back);

    std::vector<AcGePoint3d> probes;
    for (const AcDbObjectId& id : modelSpace(&db))
        if (std::optional<host::PlanBox> b = drawnBox(id)) {
            probes.push_back({b->x0, b->y0, 0});
            probes.push_back({(b->x0 + b->x1) / 2, (b->y0 + b->y1) / 2, 0});
        }
    probes.push_back({-1000, -1000, 0});
    size_t hits = 0;
    for (const AcGePoint3d& p : probes) {
        SCOPED_TRACE(::testing::Message() << p.x << "," << p.y);
        const Pick before = pickAt(&db, p, 0.05), after = pickAt(back.get(), p, 0.05);
        EXPECT_EQ(after, before) << "the same entity with the same marker";
        hits += before.handle != 0;
    }
    EXPECT_GT(hits, probes.size() / 3);
    for (const host::PlanBox& window : {host::PlanBox{-1, -1, 5, 5}, host::PlanBox{99, -1, 131, 20},
                                        host::PlanBox{-1e6, -1e6, 1e6, 1e6}, host::PlanBox{500, 500, 501, 501}})
        EXPECT_EQ(handlesIn(back.get(), window), handlesIn(&db, window)) << "a window finds the same entities";

    // A new reading: one pick draws only the few entities its box touches.
    auto fresh = opened(file, report);
    ASSERT_TRUE(fresh);
    const AcGePoint3d p(100 + 3.0 * 11, 3.0 * 4, 0); // the start of a line, beyond the sample's polyline
    const Pick one = pickAt(fresh.get(), p, 0.05);
    EXPECT_NE(one.handle, 0u);
    EXPECT_EQ(fresh->entityIndex().drawCount(), 2u) << "the endless line, and the one entity under the pick";
    EXPECT_EQ(pickAt(fresh.get(), p, 0.05), one);
    EXPECT_EQ(fresh->entityIndex().drawCount(), 2u) << "asked again, nothing is drawn again";
}

TEST(EntityBoxes, BoxesAreTrustedOnlyWhileWhatDecidesTheLooksIsTheSame) {
    MarkClassScope marks;
    uint64_t settings = 1;
    MarkStamp stamp([&settings] { return settings; });
    AcDbDatabase db;
    const SampleIds ids = buildSample(&db);
    const std::vector<uint8_t> file = saved(&db);
    host::io::DrawingReadReport report;

    // The application's settings differ when the drawing is read: its marks are drawn.
    settings = 2;
    auto other = opened(file, report);
    ASSERT_TRUE(other);
    host::PlanBox box;
    ASSERT_TRUE(other->entityIndex().boxOf(idIn(other.get(), ids.mark), box));
    EXPECT_EQ(other->entityIndex().drawCount(), 2u) << "both marks, and nothing of the host's own";

    // The same settings: nothing is drawn, until they change while the drawing is open.
    settings = 1;
    auto same = opened(file, report);
    ASSERT_TRUE(same);
    host::EntityIndex& index = same->entityIndex();
    ASSERT_TRUE(index.boxOf(idIn(same.get(), ids.mark), box));
    EXPECT_EQ(index.drawCount(), 0u);
    settings = 3;
    index.overlapping({-1, -1, 1, 1});
    EXPECT_EQ(index.drawCount(), modelSpace(same.get()).size()) << "every kept box is dropped";

    // A regenerate drops them too; what is drawn then replaces them.
    settings = 1;
    auto regen = opened(file, report);
    ASSERT_TRUE(regen);
    regen->entityIndex().dropAll();
    ASSERT_TRUE(regen->entityIndex().boxOf(idIn(regen.get(), ids.line), box));
    EXPECT_EQ(regen->entityIndex().drawCount(), modelSpace(regen.get()).size());
}

TEST(EntityBoxes, OlderFilesOpenAndTheirEntitiesAreDrawnToBeFound) {
    MarkClassScope marks;
    AcDbDatabase db;
    const SampleIds ids = buildSample(&db);
    const std::vector<uint8_t> plain = saved(&db, false);
    host::io::DrawingImage image;
    host::io::ImageError error;
    ASSERT_TRUE(host::io::parseDrawingImage(plain.data(), plain.size(), image, error));
    const std::vector<uint8_t> packed = host::io::packDrawing(
        plain, {image.headerOffset - 4, image.headerOffset + image.headerSize,
                image.objects.front().recordOffset - 4, plain.size() - 4});
    ASSERT_EQ(host::io::drawingFormatVersion(packed.data(), packed.size()), host::io::kPackedFormatVersion);
    for (const std::vector<uint8_t>* file : {&plain, &packed}) {
        host::io::DrawingReadReport report;
        auto back = opened(*file, report);
        ASSERT_TRUE(back) << std::string(report.error.begin(), report.error.end());
        const std::optional<host::PlanBox> b = drawnBox(idIn(back.get(), ids.line));
        ASSERT_TRUE(b);
        const AcGePoint3d p((b->x0 + b->x1) / 2, (b->y0 + b->y1) / 2, 0);
        EXPECT_EQ(pickAt(back.get(), p, 0.05), pickAt(&db, p, 0.05));
        EXPECT_GE(back->entityIndex().drawCount(), modelSpace(back.get()).size()) << "everything is drawn";
    }
}

TEST(EntityBoxes, ADamagedBoxListIsRefusedWithItsOffsetAndNothingChanges) {
    MarkClassScope marks;
    AcDbDatabase db;
    const SampleIds ids = buildSample(&db);
    const std::vector<uint8_t> good = saved(&db);
    const std::vector<uint8_t> list = boxListOf(good);
    ASSERT_GE(list.size(), 4u + 12u + 40u);
    const size_t firstBox = 4 + 12; // after the group count, the first group's stamp and count

    std::vector<uint8_t> notANumber = list;
    put(notANumber, firstBox + 8, 0x7FF8000000000000ull);
    std::vector<uint8_t> inverted = list;
    double x1 = 0;
    std::memcpy(&x1, &list[firstBox + 24], 8);
    const double beyond = x1 + 1; // x0 past x1
    std::memcpy(&inverted[firstBox + 8], &beyond, 8);
    std::vector<uint8_t> notAnEntity = list;
    put(notAnEntity, firstBox, ids.wallLayer.handle().value());
    std::vector<uint8_t> tooMany = list;
    put(tooMany, 4 + 8, 0xFFFFFFu, 4);
    std::vector<uint8_t> trailing = list;
    trailing.push_back(0);
    std::vector<uint8_t> cut(list.begin(), list.end() - 3);

    TempFolder dir;
    host::io::installDrawingFileHooks();
    int n = 0;
    for (const std::vector<uint8_t>* bad : {&notANumber, &notAnEntity, &tooMany, &trailing, &cut}) {
        SCOPED_TRACE(n);
        const std::vector<uint8_t> file = withBoxList(good, *bad);
        host::io::DrawingReadReport report;
        EXPECT_FALSE(opened(file, report));
        EXPECT_EQ(report.errorOffset, boxPartOf(file).part.at) << "the offset of the box list";
        EXPECT_NE(report.error.find(L"box"), std::wstring::npos);

        const std::wstring path = dir.file("bad" + std::to_string(n++) + ".dwg");
        writeAll(path, file);
        AcDbDatabase target(false, true);
        EXPECT_EQ(target.readDwgFile(path.c_str()), Acad::eDwgNotRecoverable);
        EXPECT_EQ(target.approxNumObjects(), 0) << "nothing of the file stays";
        EXPECT_TRUE(target.modelSpaceId().isNull());
    }
    // A box with its corners swapped is no box either.
    host::io::DrawingReadReport report;
    EXPECT_FALSE(opened(withBoxList(good, inverted), report));
    EXPECT_NE(report.error.find(L"no box"), std::wstring::npos);
    // And the good list, put back the same way, reads.
    EXPECT_TRUE(opened(withBoxList(good, list), report));
}
