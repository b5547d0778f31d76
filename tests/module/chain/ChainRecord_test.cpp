// The chain's record as a value: written to bytes and read back without a drawing, every
// field equal; cut or damaged bytes refused with the target left to the caller.
#include "module/chain/ChainRecord.h"

#include "host/db/filing/DwgBufferFiler.h"
#include "module/options/OptionIndices.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

AcGePoint3d P(double x, double y, double z = 0) {
    return AcGePoint3d(x, y, z);
}

// An arc chain of three extensions with everything a record carries: a turned UCS, text
// entries with umlauts and "@" parts, all three parameter arrays, appended texts and flags.
ChainRecord FullArcRecord() {
    ChainRecord r;
    ChainGeometry& g = r.geo;
    g.dimType = kDimArc;
    g.origin = P(1.5, -2.25, 0.125);
    g.axis[0] = AcGeVector3d(0, 1, 0);
    g.axis[1] = AcGeVector3d(-1, 0, 0);
    g.rotation = 1.25;
    g.vectorDim = AcGeVector3d(0.6, 0.8, 0);
    for (int i = 0; i < 12; ++i)
        g.points.append(P(i * 1.1, -i * 0.7, i % 3 == 0 ? 0.5 : 0.0));
    for (int i = 0; i < 7; ++i)
        g.arcPoints.append(P(100 + i, 200 - i));
    g.arcParams.append(0.0);
    g.arcParams.append(0.75);
    g.arcParams.append(3.1415926535);
    g.extFlags = {0, kExtFlagHidden | kExtTickDot, kExtFlagLeader};
    g.zAxis = AcGeVector3d::kZAxis;
    r.texts = {L"", L"2,50#-3@Stütze@ca. @ m²", L"1,25#8"};
    r.params.arrayDouble = {0.01, 2.5, -1e-7, 12345.678};
    r.params.arrayString = {L"1:100", L"", L"BMaß"};
    r.params.arrayInt.assign(IND_I_AppVersion + 3, 7);
    r.params.arrayInt[0] = 65535;
    r.params.arrayInt[IND_I_AppVersion] = 12;
    AppendingText text;
    text.m_iSegment = 2;
    text.m_position = P(4, 5, 6);
    text.m_iAutoPos = 0;
    text.m_strText = L"OKFF ±0,00";
    text.m_dValue = 2.75;
    text.m_iReserved = 3;
    text.m_strText2 = L"zweite";
    r.appTexts.push_back(text);
    r.arcSubent = 4;
    return r;
}

std::vector<std::uint8_t> Bytes(const ChainRecord& r, std::uint32_t appVersion) {
    host::DwgBufferFiler out(AcDb::kFileFiler, nullptr);
    WriteChainRecord(&out, r, appVersion);
    EXPECT_EQ(out.filerStatus(), Acad::eOk);
    return out.bytes();
}

Acad::ErrorStatus Read(const std::vector<std::uint8_t>& bytes, ChainRecord& r, Acad::ErrorStatus& result) {
    host::DwgBufferFiler in(bytes, AcDb::kFileFiler, nullptr);
    result = Acad::eOk;
    return ReadChainRecord(&in, r, result);
}

void ExpectEqualRecords(const ChainRecord& a, const ChainRecord& b) {
    EXPECT_EQ(a.geo.dimType, b.geo.dimType);
    EXPECT_EQ(a.geo.origin, b.geo.origin);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(a.geo.axis[i], b.geo.axis[i]) << "axis " << i;
    // Doubles are filed as their eight bytes: they come back exactly.
    EXPECT_EQ(a.geo.rotation, b.geo.rotation);
    EXPECT_EQ(a.geo.vectorDim, b.geo.vectorDim);
    EXPECT_TRUE(a.geo.points == b.geo.points);
    EXPECT_TRUE(a.geo.arcPoints == b.geo.arcPoints);
    EXPECT_TRUE(a.geo.arcParams == b.geo.arcParams);
    EXPECT_EQ(a.geo.extFlags, b.geo.extFlags);
    EXPECT_EQ(a.geo.zAxis, b.geo.zAxis);
    EXPECT_EQ(a.texts, b.texts);
    EXPECT_EQ(a.params.arrayDouble, b.params.arrayDouble);
    EXPECT_EQ(a.params.arrayString, b.params.arrayString);
    EXPECT_EQ(a.arcSubent, b.arcSubent);
    ASSERT_EQ(a.appTexts.size(), b.appTexts.size());
    for (size_t i = 0; i < a.appTexts.size(); ++i) {
        const AppendingText& x = a.appTexts[i];
        const AppendingText& y = b.appTexts[i];
        EXPECT_EQ(x.m_iSegment, y.m_iSegment);
        EXPECT_EQ(x.m_position, y.m_position);
        EXPECT_EQ(x.m_iAutoPos, y.m_iAutoPos);
        EXPECT_EQ(x.m_strText, y.m_strText);
        EXPECT_EQ(x.m_dValue, y.m_dValue);
        EXPECT_EQ(x.m_iReserved, y.m_iReserved);
        EXPECT_EQ(x.m_strText2, y.m_strText2);
    }
}

TEST(ChainRecord, RoundTripsThroughBytesWithoutADrawing) {
    const ChainRecord original = FullArcRecord();
    const std::vector<std::uint8_t> bytes = Bytes(original, 4711);
    ChainRecord back;
    Acad::ErrorStatus result = Acad::eOk;
    ASSERT_EQ(Read(bytes, back, result), Acad::eOk);
    EXPECT_EQ(result, Acad::eOk);
    ExpectEqualRecords(back, original);
    // The writing module's version stands in its slot, whatever the record held.
    ASSERT_GT(back.params.arrayInt.size(), static_cast<size_t>(IND_I_AppVersion));
    for (size_t i = 0; i < original.params.arrayInt.size(); ++i)
        EXPECT_EQ(back.params.arrayInt[i], i == IND_I_AppVersion ? 4711u : original.params.arrayInt[i]) << i;
    // Written again, the same bytes: nothing drifts from one save to the next.
    EXPECT_EQ(Bytes(back, 4711), bytes);

    // A linear record carries no arc block: what the target held there stays.
    ChainRecord linear = original;
    linear.geo.dimType = kDimAligned;
    ChainRecord target;
    target.geo.arcPoints.append(P(9, 9));
    target.arcSubent = 2;
    ASSERT_EQ(Read(Bytes(linear, 1), target, result), Acad::eOk);
    EXPECT_EQ(target.geo.arcPoints.length(), 1);
    EXPECT_EQ(target.arcSubent, 2);
    EXPECT_EQ(target.geo.arcParams.length(), 0);
    EXPECT_TRUE(target.geo.points == original.geo.points);
}

TEST(ChainRecord, CutOrDamagedBytesAreRefused) {
    const std::vector<std::uint8_t> bytes = Bytes(FullArcRecord(), 1);
    // Cut anywhere: never taken as a whole record.
    for (size_t length = 0; length < bytes.size(); ++length) {
        const std::vector<std::uint8_t> cut(bytes.begin(),
                                            bytes.begin() + static_cast<std::ptrdiff_t>(length));
        ChainRecord r;
        Acad::ErrorStatus result = Acad::eOk;
        EXPECT_NE(Read(cut, r, result), Acad::eOk)
            << "cut to " << length << " of " << bytes.size() << " bytes";
    }
    // A newer version, version 0 and a negative point count.
    auto patched = [&](size_t at, std::uint8_t lo, std::uint8_t hi) {
        std::vector<std::uint8_t> b = bytes;
        b[at] = lo;
        b[at + 1] = hi;
        ChainRecord r;
        Acad::ErrorStatus result = Acad::eOk;
        return Read(b, r, result);
    };
    EXPECT_EQ(patched(0, 5, 0), kTRdimRecordRefused) << "version 5";
    EXPECT_EQ(patched(0, 0, 0), kTRdimRecordRefused) << "version 0";
    // The point count follows version, type, origin, three axes, rotation and direction.
    const size_t pointCount = 2 + 2 + 3 * 8 + 3 * 3 * 8 + 8 + 3 * 8;
    ASSERT_EQ(bytes[pointCount], 12);
    EXPECT_NE(patched(pointCount, 0xFF, 0xFF), Acad::eOk) << "a negative count";
    EXPECT_EQ(patched(pointCount, 0, 0), kTRdimRecordRefused) << "a chain without extensions";
    EXPECT_NE(patched(pointCount, 0xFF, 0x7F), Acad::eOk) << "more points than there are bytes";
}

TEST(ChainRecord, AVersionThreeArcChainWithoutItsCurveIsReadButReported) {
    std::vector<std::uint8_t> bytes = Bytes(FullArcRecord(), 1);
    bytes[0] = 3;
    ChainRecord r;
    Acad::ErrorStatus result = Acad::eOk;
    EXPECT_EQ(Read(bytes, r, result), Acad::eOk);
    EXPECT_EQ(result, kTRdimRecordRefused) << "it cannot be rebuilt without its curve";
    EXPECT_EQ(Read(Bytes(FullArcRecord(), 1), r, result), Acad::eOk);
    EXPECT_EQ(result, Acad::eOk) << "version 4 rebuilds from its own arc points";
}

TEST(ChainRecord, CountsBeyondSixteenBitsDoNotFit) {
    ChainRecord r = FullArcRecord();
    EXPECT_TRUE(RecordFits(r));
    r.texts.resize(40000);
    EXPECT_FALSE(RecordFits(r));
    r = FullArcRecord();
    r.params.arrayString.resize(32768);
    EXPECT_FALSE(RecordFits(r));
    r.params.arrayString.resize(32767);
    EXPECT_TRUE(RecordFits(r));
}

} // namespace
