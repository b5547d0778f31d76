#include "DbTestHelpers.h"
#include "host/db/entities/AcDbLine.h"
#include "host/rx/acutString.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

using host::DwgBufferFiler;

TEST(DwgBufferFiler, EveryPrimitiveReadsBackAsWritten) {
    dbtest::Drawing d;
    DwgBufferFiler out(AcDb::kFileFiler, d.db.get());
    out.writeInt8(-5);
    out.writeInt16(-1234);
    out.writeUInt16(65535);
    out.writeInt32(-123456789);
    out.writeUInt32(4000000000u);
    out.writeInt64(-1234567890123LL);
    out.writeBoolean(true);
    out.writeDouble(-0.1);
    out.writePoint3d(AcGePoint3d(1e6, -2.5, 3.25));
    out.writeVector3d(AcGeVector3d(0, 0, 1));
    out.writePoint2d(AcGePoint2d(7, 8));
    out.writeString(L"H\u00f6henkote \u00b1\u00b2");
    out.writeString(static_cast<const wchar_t*>(nullptr));
    out.writeString(L"");
    out.writeHardPointerId(d.db->layerZero());
    out.writeSoftPointerId(AcDbObjectId());
    out.writeAcDbHandle(AcDbHandle(0xABC));
    const char raw[3] = {1, 2, 3};
    out.writeBytes(raw, 3);
    ASSERT_EQ(out.filerStatus(), Acad::eOk);
    // Little-endian on every machine: -1234 as int16 after the int8.
    ASSERT_GE(out.bytes().size(), 3u);
    EXPECT_EQ(out.bytes()[1], 0x2E);
    EXPECT_EQ(out.bytes()[2], 0xFB);

    DwgBufferFiler in(out.bytes(), AcDb::kFileFiler, d.db.get());
    Adesk::Int8 i8 = 0;
    Adesk::Int16 i16 = 0;
    Adesk::UInt16 u16 = 0;
    Adesk::Int32 i32 = 0;
    Adesk::UInt32 u32 = 0;
    Adesk::Int64 i64 = 0;
    bool b = false;
    double dbl = 0;
    AcGePoint3d p;
    AcGeVector3d v;
    AcGePoint2d p2;
    std::wstring s;
    wchar_t* nul = reinterpret_cast<wchar_t*>(1);
    wchar_t* empty = nullptr;
    AcDbHardPointerId hard;
    AcDbSoftPointerId soft;
    AcDbHandle h;
    char rawIn[3] = {};
    in.readItem(&i8);
    in.readItem(&i16);
    in.readItem(&u16);
    in.readItem(&i32);
    in.readItem(&u32);
    in.readItem(&i64);
    in.readItem(&b);
    in.readItem(&dbl);
    in.readItem(&p);
    in.readItem(&v);
    in.readItem(&p2);
    in.readString(s);
    in.readString(&nul);
    in.readString(&empty);
    in.readItem(&hard);
    in.readItem(&soft);
    in.readItem(&h);
    in.readBytes(rawIn, 3);
    ASSERT_EQ(in.filerStatus(), Acad::eOk);
    EXPECT_EQ(in.bytesRemaining(), 0u);
    EXPECT_EQ(i8, -5);
    EXPECT_EQ(i16, -1234);
    EXPECT_EQ(u16, 65535);
    EXPECT_EQ(i32, -123456789);
    EXPECT_EQ(u32, 4000000000u);
    EXPECT_EQ(i64, -1234567890123LL);
    EXPECT_TRUE(b);
    EXPECT_EQ(dbl, -0.1) << "doubles are filed bit for bit";
    EXPECT_EQ(p.x, 1e6);
    EXPECT_EQ(p.z, 3.25);
    EXPECT_EQ(v.z, 1.0);
    EXPECT_EQ(p2.y, 8.0);
    EXPECT_EQ(s, L"H\u00f6henkote \u00b1\u00b2");
    EXPECT_EQ(nul, nullptr) << "a null string reads back as null";
    ASSERT_NE(empty, nullptr);
    EXPECT_STREQ(empty, L"");
    acutDelString(empty);
    EXPECT_EQ(AcDbObjectId(hard), d.db->layerZero()) << "ids travel as handles";
    EXPECT_TRUE(soft.isNull());
    EXPECT_EQ(h, AcDbHandle(0xABC));
    EXPECT_EQ(std::memcmp(raw, rawIn, 3), 0);
}

TEST(DwgBufferFiler, DamagedBytesAreRefusedWithoutReadingPastTheEnd) {
    DwgBufferFiler out(AcDb::kFileFiler);
    out.writeString(L"abcdef");
    out.writeDouble(2.5);
    std::vector<uint8_t> bytes = out.bytes();

    // Every cut of the record: the reads fail with eEndOfFile, values come back zero.
    for (size_t cut = 0; cut < bytes.size(); ++cut) {
        DwgBufferFiler in(std::vector<uint8_t>(bytes.begin(), bytes.begin() + long(cut)), AcDb::kFileFiler, nullptr);
        std::wstring s = L"unchanged?";
        double v = 99.0;
        in.readString(s);
        in.readDouble(&v);
        EXPECT_EQ(in.filerStatus(), Acad::eEndOfFile) << "cut at " << cut;
        EXPECT_EQ(v, 0.0);
    }

    // A length that claims more than there is: refused before anything is allocated.
    std::vector<uint8_t> lying = {0xFF, 0xFF, 0xFF, 0x7F, 'a', 'b'};
    DwgBufferFiler in(lying, AcDb::kFileFiler, nullptr);
    wchar_t* str = nullptr;
    EXPECT_EQ(in.readString(&str), Acad::eEndOfFile);
    EXPECT_EQ(str, nullptr);
    ads_binary chunk{};
    EXPECT_EQ(in.readBChunk(&chunk), Acad::eEndOfFile) << "an error stays until it is reset";
    EXPECT_EQ(chunk.buf, nullptr);

    // Objects refuse a damaged record and keep what they had.
    AcDbLine line(AcGePoint3d(1, 1, 1), AcGePoint3d(2, 2, 2));
    DwgBufferFiler lineOut(AcDb::kFileFiler);
    ASSERT_EQ(line.dwgOut(&lineOut), Acad::eOk);
    std::vector<uint8_t> lineBytes = lineOut.bytes();
    for (size_t cut = 0; cut < lineBytes.size(); cut += 3) {
        AcDbLine target(AcGePoint3d(7, 7, 7), AcGePoint3d(8, 8, 8));
        DwgBufferFiler in2(std::vector<uint8_t>(lineBytes.begin(), lineBytes.begin() + long(cut)), AcDb::kFileFiler,
                           nullptr);
        EXPECT_NE(target.dwgIn(&in2), Acad::eOk) << "cut at " << cut;
        EXPECT_TRUE(target.startPoint().isEqualTo(AcGePoint3d(7, 7, 7))) << "cut at " << cut;
    }
    // A line whose coordinates are not numbers is refused too.
    std::vector<uint8_t> nanBytes = lineBytes;
    for (size_t i = nanBytes.size() - 8 * 8; i < nanBytes.size() - 8 * 7; ++i) nanBytes[i] = 0xFF;
    AcDbLine target;
    DwgBufferFiler nanIn(nanBytes, AcDb::kFileFiler, nullptr);
    EXPECT_EQ(target.dwgIn(&nanIn), Acad::eInvalidInput);
}

TEST(DwgBufferFiler, SeekAndOverwrite) {
    DwgBufferFiler f;
    f.writeInt32(1);
    f.writeInt32(2);
    EXPECT_EQ(f.tell(), 8);
    ASSERT_EQ(f.seek(0, 0), Acad::eOk);
    f.writeInt32(7);
    EXPECT_EQ(f.bytes().size(), 8u) << "writing after a seek back overwrites";
    EXPECT_EQ(f.seek(100, 0), Acad::eInvalidInput);
    EXPECT_EQ(f.seek(-1, 0), Acad::eInvalidInput);
    f.rewind();
    Adesk::Int32 a = 0, b = 0;
    f.readInt32(&a);
    f.readInt32(&b);
    EXPECT_EQ(a, 7);
    EXPECT_EQ(b, 2);
}
