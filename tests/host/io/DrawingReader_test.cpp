// Damaged and foreign files: each is refused with a message that says where and
// why, nothing of it is loaded, and nothing crashes, whatever the bytes are.
#include "host/io/DrawingReader.h"

#include "host/db/database/AcDbDatabase.h"
#include "host/db/database/DrawingFileMessage.h"
#include "host/io/Crc32.h"
#include "host/io/DrawingFile.h"
#include "host/io/DrawingImage.h"
#include "host/io/DrawingSignature.h"
#include "host/io/DrawingWriter.h"
#include "tests/host/io/IoTestHelpers.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace iotest;

namespace {

// The plain layout, whose parts these tests change byte by byte; packed files
// unpack to the same layout and pass the same checks.
std::vector<uint8_t> bytesOf(AcDbDatabase* db) {
    std::vector<uint8_t> out;
    std::wstring error;
    EXPECT_TRUE(host::io::drawingToBytes(db, out, error, false)) << error;
    return out;
}

std::vector<uint8_t> sampleBytes() {
    AcDbDatabase db;
    buildSample(&db);
    return bytesOf(&db);
}

host::io::DrawingImage layoutOf(const std::vector<uint8_t>& bytes) {
    host::io::DrawingImage image;
    host::io::ImageError error;
    EXPECT_TRUE(host::io::parseDrawingImage(bytes.data(), bytes.size(), image, error)) << error.what;
    return image;
}

void putU32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + i] = uint8_t(v >> (8 * i));
}

// Damage made on purpose gets a valid checksum, so the deeper checks are reached.
void fixChecksum(std::vector<uint8_t>& b) {
    putU32(b, b.size() - 4, host::io::crc32(b.data(), b.size() - 4));
}

struct Refusal {
    bool refused = false;
    std::wstring error;
    size_t offset = 0;
    Acad::ErrorStatus status = Acad::eOk;
};

Refusal readBytes(const std::vector<uint8_t>& b, size_t size) {
    host::io::DrawingReadReport report;
    auto db = host::io::drawingFromBytes(b.data(), size, L"plan.dwg", report);
    Refusal r{db == nullptr, report.error, report.errorOffset, report.status};
    if (db) {
        EXPECT_TRUE(report.error.empty());
    }
    return r;
}
Refusal readBytes(const std::vector<uint8_t>& b) {
    return readBytes(b, b.size());
}

bool says(const Refusal& r, const std::wstring& text) {
    return r.error.find(text) != std::wstring::npos;
}

} // namespace

TEST(DrawingReader, TruncatedAtEveryLengthIsRefusedWithTheOffset) {
    AcDbDatabase db;
    const std::vector<uint8_t> bytes = bytesOf(&db);
    ASSERT_FALSE(readBytes(bytes).refused);
    for (size_t n = 0; n < bytes.size(); ++n) {
        Refusal r = readBytes(bytes, n);
        ASSERT_TRUE(r.refused) << "cut at " << n;
        ASSERT_FALSE(r.error.empty()) << "cut at " << n;
        if (n >= host::io::kDrawingMagicSize) {
            ASSERT_TRUE(says(r, L"damaged at byte")) << "cut at " << n;
            ASSERT_LE(r.offset, n) << "the offset points inside what is there";
            ASSERT_EQ(r.status, Acad::eDwgNotRecoverable);
        }
    }
}

TEST(DrawingReader, CountsAndLengthsAreNeverTrusted) {
    const std::vector<uint8_t> good = sampleBytes();
    const host::io::DrawingImage layout = layoutOf(good);
    const size_t classCountAt = layout.headerOffset + layout.headerSize;
    const size_t objectCountAt = layout.objects.front().recordOffset - 4;
    const host::io::ObjectRecord& first = layout.objects.front();

    struct Case {
        const char* name;
        size_t at;
        uint32_t value;
        const wchar_t* expect;
    } cases[] = {
        {"huge header", layout.headerOffset - 4, 0xFFFFFFF0u, L"claims"},
        {"huge class count", classCountAt, 0xFFFFFFFFu, L"entries"},
        {"huge object count", objectCountAt, 0x7FFFFFFFu, L"entries"},
        {"object count one short", objectCountAt, uint32_t(layout.objects.size() - 1), L"checksum"},
        {"huge object data", first.dataOffset - 4, 0xFFFFFFFEu, L"claims"},
        {"object data a byte short", first.dataOffset - 4, uint32_t(first.dataSize - 1), L"byte"},
        {"class index past the table", first.recordOffset, uint32_t(layout.classes.size()) | 0xAB0000u,
         L"class"},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> b = good;
        if (std::strcmp(c.name, "class index past the table") == 0) {
            b[c.at] = uint8_t(layout.classes.size());
            b[c.at + 1] = 0;
        } else {
            putU32(b, c.at, c.value);
        }
        fixChecksum(b);
        Refusal r = readBytes(b);
        EXPECT_TRUE(r.refused) << c.name;
        EXPECT_TRUE(says(r, c.expect)) << c.name << ": " << std::string(r.error.begin(), r.error.end());
        EXPECT_TRUE(says(r, L"damaged at byte")) << c.name;
    }

    // Handles out of order (two records' handles swapped) are refused at the second.
    std::vector<uint8_t> b = good;
    const host::io::ObjectRecord& second = layout.objects[1];
    std::memcpy(&b[second.recordOffset + 2], &good[first.recordOffset + 2], 8);
    fixChecksum(b);
    Refusal r = readBytes(b);
    EXPECT_TRUE(r.refused);
    EXPECT_TRUE(says(r, L"not after the previous")) << std::string(r.error.begin(), r.error.end());
    EXPECT_EQ(r.offset, second.recordOffset + 2);
}

TEST(DrawingReader, ChangedBytesAndUnreadableObjectsRefuseTheWholeFile) {
    const std::vector<uint8_t> good = sampleBytes();
    const host::io::DrawingImage layout = layoutOf(good);
    // One bit of a coordinate changed on the disk: the checksum catches it.
    std::vector<uint8_t> flipped = good;
    const host::io::ObjectRecord& last = layout.objects.back();
    flipped[last.dataOffset + last.dataSize / 2] ^= 0x10;
    Refusal r = readBytes(flipped);
    EXPECT_TRUE(r.refused);
    EXPECT_TRUE(says(r, L"checksum"));

    // An object of the host's own class that cannot read its bytes: named, with its offset.
    for (const host::io::ObjectRecord& o : layout.objects) {
        if (layout.classes[o.classIndex].name != L"AcDbLine") continue;
        std::vector<uint8_t> b = good;
        b[o.dataOffset] = 0x7F; // the record's version
        fixChecksum(b);
        r = readBytes(b);
        EXPECT_TRUE(r.refused);
        EXPECT_TRUE(says(r, L"AcDbLine")) << std::string(r.error.begin(), r.error.end());
        EXPECT_EQ(r.offset, o.dataOffset);
        break;
    }

    // Bytes after the end, and a file of a newer format.
    std::vector<uint8_t> longer = good;
    longer.insert(longer.end(), {1, 2, 3});
    EXPECT_TRUE(says(readBytes(longer), L"follow the end"));
    std::vector<uint8_t> newer = good;
    newer[host::io::kDrawingMagicSize] = uint8_t(host::io::kDrawingFormatVersion + 1);
    fixChecksum(newer);
    EXPECT_TRUE(says(readBytes(newer), L"newer program"));
}

TEST(DrawingReader, OtherFilesAreRecognisedAndRefusedWithAdvice) {
    auto text = [](const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); };
    Refusal dwg = readBytes(text(std::string("AC1027\0\0\0\0\0\x1f\x01", 13) + std::string(200, '\x55')));
    EXPECT_TRUE(dwg.refused);
    EXPECT_EQ(dwg.status, Acad::eInvalidDwgVersion);
    EXPECT_TRUE(says(dwg, L"another CAD program"));
    EXPECT_TRUE(says(dwg, L"AC1027, release 2013"));
    EXPECT_TRUE(says(dwg, L"DXF"));
    EXPECT_TRUE(says(readBytes(text("AC1032xxxxxxxxxxxx")), L"release 2018"));
    EXPECT_TRUE(says(readBytes(text("AC1.50")), L"another CAD program"));

    Refusal dxf = readBytes(text("  0\r\nSECTION\r\n  2\r\nHEADER\r\n"));
    EXPECT_TRUE(dxf.refused);
    EXPECT_TRUE(says(dxf, L"DXF file"));
    EXPECT_TRUE(says(dxf, L"DXFIN"));

    // Plans written by other programs often open with a comment naming the program.
    EXPECT_TRUE(says(readBytes(text("999\r\ndxfrw 0.6.3\r\n  0\r\nSECTION\r\n")), L"DXF file"));
    EXPECT_TRUE(says(readBytes(text("999\n\n999\nsecond\n0\nSECTION\n")), L"DXF file"));
    Refusal commentOnly = readBytes(text("999\ncomment only\n"));
    EXPECT_TRUE(says(commentOnly, L"signature"));
    EXPECT_FALSE(says(commentOnly, L"DXF file"));

    Refusal png = readBytes(text("\x89PNG\r\n\x1a\n....."));
    EXPECT_TRUE(png.refused);
    EXPECT_TRUE(says(png, L"not a drawing file"));
    EXPECT_EQ(png.status, Acad::eInvalidInput);
    EXPECT_TRUE(says(readBytes(std::vector<uint8_t>()), L"empty"));
}

TEST(DrawingReader, ReadingIntoADatabaseChangesItOnlyWhenTheFileIsGood) {
    TempFolder dir;
    host::io::installDrawingFileHooks();
    std::vector<uint8_t> good = sampleBytes();
    const host::io::DrawingImage layout = layoutOf(good);
    std::vector<uint8_t> bad = good;
    const host::io::ObjectRecord& last = layout.objects.back();
    bad[last.dataOffset] = 0x7F;
    fixChecksum(bad);
    writeAll(dir.file("good.dwg"), good);
    writeAll(dir.file("bad.dwg"), bad);

    // The damage sits in the last object: everything before it would have loaded.
    // The file is read once, straight into the target: what the objects before the
    // damage brought in must go again, and the target's own header stay.
    AcDbDatabase target(false, true);
    ASSERT_EQ(target.setLtscale(7.5), Acad::eOk);
    const AcDbHandle seed = target.handseed();
    EXPECT_EQ(target.readDwgFile(dir.file("bad.dwg").c_str()), Acad::eDwgNotRecoverable);
    EXPECT_EQ(target.approxNumObjects(), 0);
    EXPECT_TRUE(target.allObjectIds().empty());
    EXPECT_TRUE(target.modelSpaceId().isNull());
    EXPECT_TRUE(target.layerZero().isNull());
    EXPECT_EQ(target.handseed(), seed);
    EXPECT_DOUBLE_EQ(target.ltscale(), 7.5);
    AcDbObjectId lastId;
    EXPECT_EQ(target.getAcDbObjectId(lastId, false, AcDbHandle(last.handle)), Acad::eUnknownHandle);
    EXPECT_NE(host::drawingFileMessage().find(L"bad.dwg"), std::wstring::npos);
    EXPECT_EQ(target.readDwgFile(dir.file("missing.dwg").c_str()), Acad::eFileNotFound);
    EXPECT_NE(host::drawingFileMessage().find(L"does not exist"), std::wstring::npos);
    EXPECT_EQ(target.approxNumObjects(), 0);

    ASSERT_EQ(target.readDwgFile(dir.file("good.dwg").c_str()), Acad::eOk)
        << std::string(host::drawingFileMessage().begin(), host::drawingFileMessage().end());
    EXPECT_EQ(size_t(target.approxNumObjects()), layout.objects.size());
    const wchar_t* name = nullptr;
    target.getFilename(name);
    EXPECT_EQ(std::wstring(name), dir.file("good.dwg"));

    // A database that already holds a drawing is not mixed with another.
    AcDbDatabase full;
    EXPECT_EQ(full.readDwgFile(dir.file("good.dwg").c_str()), Acad::eInvalidInput);
    EXPECT_FALSE(host::drawingFileMessage().empty());
}
