// Drawings with objects of an add-on that is not loaded: those objects are kept as
// proxies, shown from their proxy graphics and written back exactly as they were,
// so opening and saving such a drawing never loses the add-on's data.
#include "host/db/database/AcDbObjectOpen.h"
#include "host/db/entities/AcDbProxyEntity.h"
#include "host/gi/RecordingWorldDraw.h"
#include "host/io/Crc32.h"
#include "host/io/DrawingFile.h"
#include "host/io/DrawingImage.h"
#include "host/io/DrawingReader.h"
#include "host/io/DrawingWriter.h"
#include "tests/host/io/IoTestHelpers.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace iotest;

namespace {

// Handles, not ids: the database the drawing was made in is gone.
struct Saved {
    std::vector<uint8_t> bytes;
    AcDbHandle mark, line;
};

// `packed` false gives the plain layout, for tests that change its bytes.
Saved savedWithMarks(bool packed = true) {
    MarkClassScope marks;
    AcDbDatabase db;
    Saved s;
    const SampleIds ids = buildSample(&db);
    s.mark = ids.mark.handle();
    s.line = ids.line.handle();
    std::wstring error;
    EXPECT_TRUE(host::io::drawingToBytes(&db, s.bytes, error, packed));
    return s;
}

std::unique_ptr<AcDbDatabase> read(const std::vector<uint8_t>& bytes, host::io::DrawingReadReport& report) {
    return host::io::drawingFromBytes(bytes.data(), bytes.size(), L"marks.dwg", report);
}

AcDbObjectId idIn(AcDbDatabase* db, AcDbHandle handle) {
    AcDbObjectId id;
    db->getAcDbObjectId(id, false, handle);
    return id;
}

host::gi::GiRecording drawn(AcDbObjectId id) {
    host::gi::RecordingWorldDraw wd;
    wd.drawDrawable(static_cast<AcDbStub*>(id)->object);
    return wd.primitives();
}

} // namespace

TEST(Proxies, UnknownEntitiesAreKeptAndWrittenBackByteForByte) {
    const Saved original = savedWithMarks();
    host::io::DrawingReadReport report;
    std::unique_ptr<AcDbDatabase> db = read(original.bytes, report); // the marks' add-on is not loaded
    ASSERT_TRUE(db) << std::string(report.error.begin(), report.error.end());
    EXPECT_EQ(report.proxyCount, 2u);
    ASSERT_EQ(report.warnings.size(), 1u);
    EXPECT_NE(report.warnings[0].find(L"IoTestMark"), std::wstring::npos);
    EXPECT_NE(report.warnings[0].find(L"not loaded"), std::wstring::npos);

    AcDbProxyEntity* proxy = nullptr;
    ASSERT_EQ(acdbOpenObject(proxy, idIn(db.get(), original.mark)), Acad::eOk);
    EXPECT_STREQ(proxy->originalClassName(), L"IoTestMark");
    EXPECT_STREQ(proxy->originalDxfName(), L"LT_IO_MARK");
    EXPECT_EQ(proxy->proxyFlags(), 0xBFF);
    proxy->close();

    std::vector<uint8_t> again;
    std::wstring error;
    ASSERT_TRUE(host::io::drawingToBytes(db.get(), again, error));
    EXPECT_EQ(again, original.bytes) << "the drawing passes through unchanged";

    // With the add-on loaded again the marks are themselves, link and all.
    MarkClassScope marks;
    std::unique_ptr<AcDbDatabase> back = read(again, report);
    ASSERT_TRUE(back);
    EXPECT_EQ(report.proxyCount, 0u);
    IoTestMark* mark = nullptr;
    ASSERT_EQ(acdbOpenObject(mark, idIn(back.get(), original.mark)), Acad::eOk);
    EXPECT_EQ(mark->label(), L"Höhe +2,50");
    EXPECT_NEAR(mark->size(), 2.5, kGeomTol);
    EXPECT_EQ(mark->link(), idIn(back.get(), original.line));
    mark->close();
}

TEST(Proxies, AProxyShowsWhatTheEntityDrew) {
    const Saved original = savedWithMarks();
    host::gi::GiRecording expected;
    std::vector<uint64_t> expectedLayers; // handles: the first database is gone below
    {
        MarkClassScope marks;
        host::io::DrawingReadReport report;
        std::unique_ptr<AcDbDatabase> withClass = read(original.bytes, report);
        ASSERT_TRUE(withClass);
        expected = drawn(idIn(withClass.get(), original.mark));
        for (const auto& p : expected)
            expectedLayers.push_back(AcDbObjectId(p.traits.layer).handle().value());
    }
    host::io::DrawingReadReport report;
    std::unique_ptr<AcDbDatabase> db = read(original.bytes, report);
    ASSERT_TRUE(db);
    const host::gi::GiRecording shown = drawn(idIn(db.get(), original.mark));
    ASSERT_EQ(shown.size(), 3u); // circle, cross, label
    ASSERT_EQ(shown.size(), expected.size());
    for (size_t i = 0; i < shown.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(shown[i].kind, expected[i].kind);
        EXPECT_NEAR(shown[i].center.distanceTo(expected[i].center), 0.0, kGeomTol);
        EXPECT_NEAR(shown[i].radius, expected[i].radius, kGeomTol);
        EXPECT_EQ(shown[i].text, expected[i].text);
        EXPECT_EQ(shown[i].traits.colorIndex, 3);
        ASSERT_TRUE(shown[i].traits.layer);
        EXPECT_EQ(AcDbObjectId(shown[i].traits.layer).database(), db.get())
            << "the layer is the drawing's own";
        EXPECT_EQ(AcDbObjectId(shown[i].traits.layer).handle().value(), expectedLayers[i]);
    }
    EXPECT_NEAR(shown[0].radius, 2.5, kGeomTol);
    EXPECT_EQ(shown[2].text, L"Höhe +2,50");
}

TEST(Proxies, AnAddOnThatCannotReadItsObjectsLeavesThemAsProxies) {
    const Saved original = savedWithMarks();
    MarkClassScope marks;
    IoTestMark::refuseReading = true;
    host::io::DrawingReadReport report;
    std::unique_ptr<AcDbDatabase> db = read(original.bytes, report);
    IoTestMark::refuseReading = false;
    ASSERT_TRUE(db);
    EXPECT_EQ(report.proxyCount, 2u);
    ASSERT_EQ(report.warnings.size(), 1u);
    EXPECT_NE(report.warnings[0].find(L"could not read"), std::wstring::npos);
    std::vector<uint8_t> again;
    std::wstring error;
    ASSERT_TRUE(host::io::drawingToBytes(db.get(), again, error));
    EXPECT_EQ(again, original.bytes);

    // A class that throws on its bytes is treated the same way.
    IoTestMark::throwOnReading = true;
    db = read(original.bytes, report);
    IoTestMark::throwOnReading = false;
    ASSERT_TRUE(db);
    EXPECT_EQ(report.proxyCount, 2u);
}

TEST(Proxies, AnAddOnThatThrowsWhileSavingFailsTheSaveCleanly) {
    TempFolder dir;
    MarkClassScope marks;
    AcDbDatabase db;
    buildSample(&db);
    const std::wstring path = dir.file("plan.dwg");
    std::wstring error;
    ASSERT_TRUE(host::io::saveDrawingFile(&db, path, true, error));
    const std::vector<uint8_t> saved = readAll(path);
    IoTestMark::throwOnWriting = true;
    EXPECT_FALSE(host::io::saveDrawingFile(&db, path, true, error));
    IoTestMark::throwOnWriting = false;
    EXPECT_NE(error.find(L"IoTestMark"), std::wstring::npos);
    EXPECT_EQ(readAll(path), saved);
    EXPECT_FALSE(std::filesystem::exists(dir.file("plan.bak")));
}

TEST(Proxies, AnUnknownObjectThatIsNoEntityRefusesTheFile) {
    std::vector<uint8_t> bytes = savedWithMarks(false).bytes;
    host::io::DrawingImage layout;
    host::io::ImageError err;
    ASSERT_TRUE(host::io::parseDrawingImage(bytes.data(), bytes.size(), layout, err));
    // Find the mark's class record and clear its entity flag (its last byte).
    size_t at = layout.headerOffset + layout.headerSize + 4;
    size_t markFlags = 0;
    for (const host::io::ClassRecord& c : layout.classes) {
        for (int i = 0; i < 3; ++i) {
            uint32_t n = uint32_t(bytes[at]) | uint32_t(bytes[at + 1]) << 8 | uint32_t(bytes[at + 2]) << 16 |
                         uint32_t(bytes[at + 3]) << 24;
            at += 4 + n;
        }
        at += 12;
        if (c.name == L"IoTestMark") markFlags = at;
        at += 1;
    }
    ASSERT_NE(markFlags, 0u);
    bytes[markFlags] &= uint8_t(~host::io::kClassIsEntity);
    const uint32_t crc = host::io::crc32(bytes.data(), bytes.size() - 4);
    for (int i = 0; i < 4; ++i)
        bytes[bytes.size() - 4 + i] = uint8_t(crc >> (8 * i));
    host::io::DrawingReadReport report;
    EXPECT_FALSE(read(bytes, report));
    EXPECT_NE(report.error.find(L"cannot be kept"), std::wstring::npos);
}
