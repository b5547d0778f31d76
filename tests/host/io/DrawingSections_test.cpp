// Packed drawing files: what is saved comes back object for object, drawings of
// the earlier plain layout still open, PROXYGRAPHICS decides what custom entities
// carry, and a damaged packed part is refused with where it is.
#include "LintaroTestPaths.h"
#include "host/db/database/AcDbDatabase.h"
#include "host/db/entities/AcDbProxyEntity.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/io/DrawingReader.h"
#include "host/io/DrawingSections.h"
#include "host/io/DrawingWriter.h"
#include "tests/host/io/IoTestHelpers.h"

#include <gtest/gtest.h>

#include <filesystem>

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
    for (size_t i = 0; i < host::io::kDrawingParts; ++i) {
        const uint32_t packed = b[at + 4] | b[at + 5] << 8 | b[at + 6] << 16 | uint32_t(b[at + 7]) << 24;
        starts.push_back(at + 12);
        at += 12 + packed;
    }
    EXPECT_EQ(at, b.size());
    return starts;
}

} // namespace

TEST(DrawingSections, PackedDrawingsReadBackObjectForObjectAndSmaller) {
    MarkClassScope marks;
    AcDbDatabase db;
    buildSample(&db);
    const std::vector<uint8_t> packed = saved(&db), plain = saved(&db, false);
    EXPECT_EQ(host::io::drawingFormatVersion(packed.data(), packed.size()), host::io::kPackedFormatVersion);
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
