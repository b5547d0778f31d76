// Packed drawing files: what is saved comes back object for object, drawings of
// the earlier plain layout still open, PROXYGRAPHICS decides what custom entities
// carry, a damaged packed part is refused with where it is, and damage inside an
// object list whose checksums hold is refused while it is read, leaving nothing.
#include "LintaroTestPaths.h"
#include "host/db/database/AcDbDatabase.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/db/entities/AcDbLine.h"
#include "host/db/entities/EntityIndex.h"
#include "host/db/entities/AcDbPolyline.h"
#include "host/db/entities/AcDbProxyEntity.h"
#include "host/db/tables/AcDbBlockTableRecord.h"
#include "host/io/DrawingFile.h"
#include "host/io/DrawingImage.h"
#include "host/io/DrawingReader.h"
#include "host/io/DrawingSections.h"
#include "host/io/DrawingWriter.h"
#include "tests/host/io/IoTestHelpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <functional>

using namespace iotest;

namespace {

std::vector<uint8_t> saved(AcDbDatabase* db, bool packed = true) {
    std::vector<uint8_t> out;
    std::wstring error;
    EXPECT_TRUE(host::io::drawingToBytes(db, out, error, packed)) << std::string(error.begin(), error.end());
    return out;
}

std::unique_ptr<AcDbDatabase> opened(const std::vector<uint8_t>& b, host::io::DrawingReadReport& report,
                                     bool verify = true) {
    host::io::DrawingReadOptions options;
    options.verifyChecksum = verify;
    return host::io::drawingFromBytes(b.data(), b.size(), L"plan.dwg", report, options);
}

// The parts of a packed file as the part table gives them: where each one's packed bytes start.
std::vector<size_t> partStarts(const std::vector<uint8_t>& b) {
    std::vector<size_t> starts;
    size_t at = 16;
    const size_t count = host::io::packedPartCount(host::io::drawingFormatVersion(b.data(), b.size()));
    for (size_t i = 0; i < count; ++i) {
        const uint32_t packed = b[at + 4] | b[at + 5] << 8 | b[at + 6] << 16 | uint32_t(b[at + 7]) << 24;
        starts.push_back(at + 12);
        at += 12 + packed;
    }
    EXPECT_EQ(at, b.size());
    return starts;
}

// A plain layout's part bounds, taken from a good file of the same shape.
host::io::PartBounds boundsOf(const std::vector<uint8_t>& plain) {
    host::io::DrawingImage image;
    host::io::ImageError error;
    EXPECT_TRUE(host::io::parseDrawingImage(plain.data(), plain.size(), image, error));
    return {image.headerOffset - 4, image.headerOffset + image.headerSize,
            image.objects.front().recordOffset - 4, plain.size() - 4};
}

void putU32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + i] = uint8_t(v >> (8 * i));
}

} // namespace

TEST(DrawingSections, PackedDrawingsReadBackObjectForObjectAndSmaller) {
    MarkClassScope marks;
    AcDbDatabase db;
    buildSample(&db);
    const std::vector<uint8_t> packed = saved(&db), plain = saved(&db, false);
    EXPECT_EQ(host::io::drawingFormatVersion(packed.data(), packed.size()), host::io::kBoxedFormatVersion);
    EXPECT_EQ(host::io::drawingFormatVersion(plain.data(), plain.size()), host::io::kPlainFormatVersion);
    EXPECT_LT(packed.size() * 2, plain.size()) << "packing at least halves the sample";

    for (const auto* bytes : {&packed, &plain}) {
        host::io::DrawingReadReport report;
        auto back = opened(*bytes, report);
        ASSERT_TRUE(back) << std::string(report.error.begin(), report.error.end());
        EXPECT_EQ(imageOf(back.get()), imageOf(&db)) << "every object as it was saved";
        EXPECT_EQ(saved(back.get()), packed) << "saving again gives the same file";
    }
}

TEST(DrawingSections, DrawingsOfThePlainLayoutStillOpen) {
    // Written before files were packed: plain layout, header without PROXYGRAPHICS.
    const auto corpus = std::filesystem::path(LINTARO_SOURCE_DIR) / "tests/fuzz/corpus/drawing_reader";
    for (const char* name : {"sample.dwg", "custom_entities.dwg", "new_drawing.dwg"}) {
        SCOPED_TRACE(name);
        const std::vector<uint8_t> old = readAll((corpus / name).wstring());
        ASSERT_EQ(host::io::drawingFormatVersion(old.data(), old.size()), host::io::kPlainFormatVersion);
        host::io::DrawingReadReport report;
        auto db = opened(old, report);
        ASSERT_TRUE(db) << std::string(report.error.begin(), report.error.end());
        EXPECT_EQ(db->saveproxygraphics(), 1) << "an old drawing keeps saving its graphics";
        const std::vector<uint8_t> now = saved(db.get());
        auto again = opened(now, report);
        ASSERT_TRUE(again);
        EXPECT_EQ(imageOf(again.get()), imageOf(db.get())) << "saved packed, nothing is lost";
    }
}

TEST(DrawingSections, ProxyGraphicsFollowTheDrawingsSetting) {
    std::vector<uint8_t> with, without;
    {
        MarkClassScope marks;
        AcDbDatabase db;
        buildSample(&db);
        EXPECT_EQ(db.saveproxygraphics(), 1);
        with = saved(&db);
        EXPECT_EQ(db.setSaveproxygraphics(2), Acad::eInvalidInput);
        EXPECT_EQ(db.setSaveproxygraphics(0), Acad::eOk);
        without = saved(&db);
    }
    EXPECT_LT(without.size(), with.size());
    // Read where the marks' add-on is not loaded: only the graphics can show them.
    host::io::DrawingReadReport report;
    auto shown = opened(with, report), blank = opened(without, report);
    ASSERT_TRUE(shown && blank);
    EXPECT_EQ(shown->saveproxygraphics(), 1);
    EXPECT_EQ(blank->saveproxygraphics(), 0) << "the setting is saved with the drawing";
    size_t withGraphics = 0, proxies = 0;
    for (AcDbDatabase* db : {shown.get(), blank.get()})
        for (AcDbObjectId id : db->allObjectIds()) {
            AcDbProxyEntity* proxy = nullptr;
            if (acdbOpenObject(proxy, id, AcDb::kForRead, true) != Acad::eOk) continue;
            ++proxies;
            const bool drawn = proxy->graphicsMetafileType() == AcDbProxyEntity::kFullGraphics;
            if (db == shown.get() && drawn) ++withGraphics;
            if (db == blank.get()) {
                EXPECT_FALSE(drawn);
            }
            proxy->close();
        }
    EXPECT_EQ(proxies, 4u);
    EXPECT_EQ(withGraphics, 2u);
}

TEST(DrawingSections, DamagedPartsAreRefusedWithTheirOffset) {
    std::vector<uint8_t> good;
    {
        MarkClassScope marks;
        AcDbDatabase db;
        buildSample(&db);
        good = saved(&db);
    }
    const std::vector<size_t> parts = partStarts(good);

    // A changed byte in the object list: its checksum names it and where it starts.
    std::vector<uint8_t> b = good;
    b[parts[2] + 5] ^= 0x40;
    host::io::DrawingReadReport report;
    EXPECT_FALSE(opened(b, report));
    EXPECT_EQ(report.errorOffset, parts[2]);
    EXPECT_NE(report.error.find(L"object list"), std::wstring::npos);
    EXPECT_EQ(report.status, Acad::eDwgNotRecoverable);
    // Without the checksum (the fuzzer) the broken stream is still refused, inside the part.
    EXPECT_FALSE(opened(b, report, false));
    EXPECT_GE(report.errorOffset, parts[2]);
    EXPECT_LT(report.errorOffset, good.size());
    EXPECT_NE(report.error.find(L"damaged at byte"), std::wstring::npos);

    // A part that claims far more than it can unpack to is refused before it is unpacked.
    b = good;
    b[parts[1] - 12 + 3] = 0x3F;
    EXPECT_FALSE(opened(b, report, false));
    EXPECT_EQ(report.errorOffset, parts[1] - 12);
    EXPECT_NE(report.error.find(L"more than packing can give"), std::wstring::npos);

    // Cut anywhere: refused with an offset inside what is there, never a crash.
    for (size_t n = 0; n < good.size(); n += 7) {
        ASSERT_FALSE(host::io::drawingFromBytes(good.data(), n, L"plan.dwg", report)) << "cut at " << n;
        ASSERT_LE(report.errorOffset, n) << "cut at " << n;
    }
}

// Damage inside a part whose checksum holds (a writer's fault, not the disk's): the
// check before loading passes the file, the read refuses it at the part that holds
// the damage, and a database it was read into is as empty as before.
TEST(DrawingSections, DamageInsideAPartIsFoundWhileReadingAndLeavesNothing) {
    std::vector<uint8_t> plain;
    {
        MarkClassScope marks;
        AcDbDatabase db;
        buildSample(&db);
        plain = saved(&db, false);
    }
    const host::io::PartBounds bounds = boundsOf(plain);
    host::io::DrawingImage image;
    host::io::ImageError parseError;
    ASSERT_TRUE(host::io::parseDrawingImage(plain.data(), plain.size(), image, parseError));
    const host::io::ObjectRecord& first = image.objects.front();
    const host::io::ObjectRecord& last = image.objects.back();
    const host::io::ObjectRecord* mark = nullptr;
    for (const host::io::ObjectRecord& o : image.objects)
        if (o.hasGraphics && image.classes[o.classIndex].name == L"IoTestMark") mark = &o;
    ASSERT_TRUE(mark) << "the sample's marks carry graphics";
    const size_t countAt = bounds[2];

    struct Case {
        const char* name;
        std::function<void(std::vector<uint8_t>&)> damage;
        size_t part;
        const wchar_t* expect;
    } cases[] = {
        {"unknown object flags", [&](auto& b) { b[last.recordOffset + 18] = 0x80; }, 2, L"unknown flags"},
        {"class index past the table",
         [&](auto& b) { b[first.recordOffset] = uint8_t(image.classes.size()); }, 2, L"names class"},
        {"handles out of order",
         [&](auto& b) { std::memcpy(&b[last.recordOffset + 2], &plain[first.recordOffset + 2], 8); }, 2,
         L"not after the previous"},
        {"huge object data", [&](auto& b) { putU32(b, last.dataOffset - 4, 0xFFFFFFF0u); }, 2, L"claims"},
        {"object count one short", [&](auto& b) { putU32(b, countAt, uint32_t(image.objects.size() - 1)); },
         2, L"follow the end"},
        {"huge object count", [&](auto& b) { putU32(b, countAt, 0x7FFFFFFFu); }, 2, L"entries"},
        {"unreadable object", [&](auto& b) { b[last.dataOffset] = 0x7F; }, 2, L"cannot be read"},
        {"graphics of a proxy", [&](auto& b) { b[mark->graphicsOffset] ^= 0xFF; }, 2, L"proxy graphics"},
        {"header length", [&](auto& b) { putU32(b, bounds[0], uint32_t(image.headerSize - 1)); }, 0,
         L"length of the header"},
    };
    TempFolder dir;
    host::io::installDrawingFileHooks();
    for (const Case& c : cases) {
        std::vector<uint8_t> layout = plain;
        c.damage(layout);
        const std::vector<uint8_t> packed = host::io::packDrawing(layout, bounds);
        const std::vector<size_t> parts = partStarts(packed);
        host::io::DrawingReadReport report;
        EXPECT_TRUE(host::io::checkDrawingBytes(packed.data(), packed.size(), L"plan.dwg", report))
            << c.name << ": the checksums hold";
        EXPECT_FALSE(opened(packed, report)) << c.name;
        EXPECT_EQ(report.errorOffset, parts[c.part]) << c.name;
        EXPECT_NE(report.error.find(c.expect), std::wstring::npos)
            << c.name << ": " << std::string(report.error.begin(), report.error.end());
        EXPECT_EQ(report.status, Acad::eDwgNotRecoverable) << c.name;

        writeAll(dir.file("bad.dwg"), packed);
        AcDbDatabase target(false, true);
        EXPECT_EQ(target.readDwgFile(dir.file("bad.dwg").c_str()), Acad::eDwgNotRecoverable) << c.name;
        EXPECT_EQ(target.approxNumObjects(), 0) << c.name << ": nothing of the file stays";
        EXPECT_TRUE(target.modelSpaceId().isNull()) << c.name;
    }

    // Graphics are read only where they are shown: with the marks' class loaded the
    // marks draw themselves, and the file with their damaged graphics opens.
    {
        std::vector<uint8_t> layout = plain;
        layout[mark->graphicsOffset] ^= 0xFF;
        MarkClassScope marks;
        host::io::DrawingReadReport report;
        auto db = opened(host::io::packDrawing(layout, bounds), report);
        ASSERT_TRUE(db) << std::string(report.error.begin(), report.error.end());
        EXPECT_EQ(report.proxyCount, 0u);
    }

    // The object list's stream holding more than its part claims is refused too.
    std::vector<uint8_t> packed = host::io::packDrawing(plain, bounds);
    const std::vector<size_t> parts = partStarts(packed);
    const size_t claimAt = parts[2] - 12;
    putU32(packed, claimAt, uint32_t(bounds[3] - bounds[2] - 8));
    host::io::DrawingReadReport report;
    EXPECT_FALSE(opened(packed, report));
    EXPECT_GE(report.errorOffset, parts[2]);
    EXPECT_LT(report.errorOffset, packed.size());
}

// An object list many windows long, with one record longer than a window, reads
// back object for object, and saving it again gives the same file.
TEST(DrawingSections, BigObjectListsReadBackWindowByWindow) {
    AcDbDatabase db;
    AcDbBlockTableRecord* space = nullptr;
    ASSERT_EQ(acdbOpenObject(space, db.modelSpaceId(), AcDb::kForWrite), Acad::eOk);
    // Closed as a command closes what it made: the save then knows where each one lies.
    const auto add = [space](AcDbEntity* ent) {
        AcDbObjectId id;
        space->appendAcDbEntity(id, ent);
        ent->close();
    };
    for (int i = 0; i < 9000; ++i)
        add(new AcDbLine({double(i), 0, 0}, {double(i), 1.0 + i % 7, 0}));
    auto* outline = new AcDbPolyline;
    for (unsigned i = 0; i < 60000; ++i)
        outline->addVertexAt(i, {0.5 * i, double(i % 13)}, (i % 5) * 0.1);
    add(outline);
    for (int i = 0; i < 9000; ++i)
        add(new AcDbLine({0, double(i), 0}, {2.0 + i % 3, double(i), 0}));
    space->close();
    db.entityIndex().update(); // drawn once, as on the screen: the file keeps every box

    const std::vector<uint8_t> packed = saved(&db);
    host::io::DrawingImage image;
    host::io::ImageError error;
    ASSERT_TRUE(host::io::parseDrawingImage(packed.data(), packed.size(), image, error));
    size_t longest = 0, total = 0;
    for (const host::io::ObjectRecord& o : image.objects) {
        longest = std::max(longest, o.dataSize);
        total += o.dataSize;
    }
    ASSERT_GT(longest, size_t(1) << 20) << "one record is longer than a window";
    ASSERT_GT(total - longest, size_t(2) << 20) << "the other records fill more than two windows";

    host::io::DrawingReadReport report;
    auto back = opened(packed, report);
    ASSERT_TRUE(back) << std::string(report.error.begin(), report.error.end());
    EXPECT_EQ(report.objectCount, image.objects.size());
    EXPECT_EQ(imageOf(back.get()), imageOf(&db));
    EXPECT_EQ(saved(back.get()), packed);
}
