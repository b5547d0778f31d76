#include "DbTestHelpers.h"
#include "host/db/entities/AcDbLine.h"
#include "host/db/tables/AcDbRegAppTableRecord.h"
#include "host/db/database/acutResbuf.h"
#include "host/rx/adscodes.h"

#include <gtest/gtest.h>

#include <string>

using dbtest::Drawing;

namespace {
// The texts of a chain, for comparing.
std::wstring describe(const resbuf* rb) {
    std::wstring out;
    for (; rb; rb = rb->rbnext) {
        out += std::to_wstring(rb->restype) + L":";
        if (rb->restype == 1000 || rb->restype == 1001) out += rb->resval.rstring ? rb->resval.rstring : L"(null)";
        if (rb->restype == 1070) out += std::to_wstring(rb->resval.rint);
        if (rb->restype == 1040) out += std::to_wstring(rb->resval.rreal);
        out += L" ";
    }
    return out;
}

AcDbLine* openLine(AcDbObjectId id) {
    AcDbLine* line = nullptr;
    acdbOpenObject(line, id, AcDb::kForWrite);
    return line;
}
} // namespace

TEST(XData, RecordsOfRegisteredApplicationsOnly) {
    Drawing d;
    AcDbObjectId id = d.append(new AcDbLine());
    AcDbLine* line = openLine(id);
    ASSERT_TRUE(line);

    resbuf* rec = acutBuildList(1001, L"LINTARO_OBJECT", 1000, L"2F", 1070, 7, 0);
    EXPECT_EQ(line->setXData(rec), Acad::eRegappIdNotFound) << "an unregistered name is refused";
    EXPECT_EQ(line->xData(L"LINTARO_OBJECT"), nullptr) << "and nothing was stored";

    ASSERT_EQ(acdbRegApp(L"LINTARO_OBJECT"), RTNORM);
    EXPECT_EQ(acdbRegApp(L"LINTARO_OBJECT"), RTNORM) << "registering twice is fine";
    EXPECT_EQ(acdbRegApp(L"BAD*NAME"), RTERROR);
    ASSERT_EQ(line->setXData(rec), Acad::eOk);
    acutRelRb(rec);

    resbuf* back = line->xData(L"lintaro_object");
    EXPECT_EQ(describe(back), L"1001:LINTARO_OBJECT 1000:2F 1070:7 ") << "names are found without regard to case";
    acutRelRb(back);
    EXPECT_EQ(line->xData(L"OTHER"), nullptr);

    // A second application keeps the first; a name alone removes just its own data.
    acdbRegApp(L"LINTARO_DATA");
    resbuf* second = acutBuildList(1001, L"LINTARO_DATA", 1040, 2.5, 0);
    ASSERT_EQ(line->setXData(second), Acad::eOk);
    acutRelRb(second);
    resbuf* all = line->xData();
    EXPECT_EQ(describe(all), L"1001:LINTARO_OBJECT 1000:2F 1070:7 1001:LINTARO_DATA 1040:2.500000 ");
    acutRelRb(all);
    resbuf* remove = acutBuildList(1001, L"LINTARO_OBJECT", 0);
    ASSERT_EQ(line->setXData(remove), Acad::eOk);
    acutRelRb(remove);
    EXPECT_EQ(line->xData(L"LINTARO_OBJECT"), nullptr);
    resbuf* kept = line->xData(L"LINTARO_DATA");
    EXPECT_NE(kept, nullptr);
    acutRelRb(kept);
    line->close();
}

TEST(XData, TooMuchOrMalformedDataLeavesTheOldDataAlone) {
    Drawing d;
    acdbRegApp(L"LINTARO_TEMP");
    AcDbObjectId id = d.append(new AcDbLine());
    AcDbLine* line = openLine(id);
    resbuf* small = acutBuildList(1001, L"LINTARO_TEMP", 1000, L"keep me", 0);
    ASSERT_EQ(line->setXData(small), Acad::eOk);
    acutRelRb(small);

    // 100 texts of 200 characters: about 20 KB, more than the host allows.
    std::wstring text(200, L'x');
    resbuf* big = acutBuildList(1001, L"LINTARO_TEMP", 0);
    resbuf* tail = big;
    for (int i = 0; i < 100; ++i) {
        tail->rbnext = acutBuildList(1000, text.c_str(), 0);
        tail = tail->rbnext;
    }
    EXPECT_EQ(line->setXData(big), Acad::eXdataSizeExceeded);
    acutRelRb(big);

    resbuf* unbalanced = acutBuildList(1001, L"LINTARO_TEMP", 1002, L"{", 1000, L"x", 0);
    EXPECT_EQ(line->setXData(unbalanced), Acad::eInvalidResBuf);
    acutRelRb(unbalanced);
    resbuf* notXData = acutBuildList(1001, L"LINTARO_TEMP", 8, L"layer", 0);
    EXPECT_EQ(line->setXData(notXData), Acad::eInvalidResBuf);
    acutRelRb(notXData);
    resbuf* noName = acutBuildList(1000, L"orphan", 0);
    EXPECT_EQ(line->setXData(noName), Acad::eInvalidResBuf);
    acutRelRb(noName);

    resbuf* back = line->xData(L"LINTARO_TEMP");
    EXPECT_EQ(describe(back), L"1001:LINTARO_TEMP 1000:keep me ");
    acutRelRb(back);
    line->close();

    // Read-only objects refuse new data.
    AcDbObject* reader = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(reader, id, AcDb::kForRead), Acad::eOk);
    resbuf* more = acutBuildList(1001, L"LINTARO_TEMP", 1000, L"no", 0);
    EXPECT_EQ(reader->setXData(more), Acad::eNotOpenForWrite);
    acutRelRb(more);
    reader->close();
}

TEST(XData, ChainsBuildCopyAndReleaseSafely) {
    ads_point pt = {1.0, 2.0, 3.0};
    resbuf* rb = acutBuildList(RTSTR, L"text", RTSHORT, 12, RTREAL, 1.5, RT3DPOINT, pt, RTLB, RTLE, 0);
    ASSERT_NE(rb, nullptr);
    EXPECT_STREQ(rb->resval.rstring, L"text");
    EXPECT_EQ(rb->rbnext->resval.rint, 12);
    EXPECT_DOUBLE_EQ(rb->rbnext->rbnext->resval.rreal, 1.5);
    EXPECT_DOUBLE_EQ(rb->rbnext->rbnext->rbnext->resval.rpoint[2], 3.0);
    resbuf* copy = host::copyResbufChain(rb);
    acutRelRb(rb);
    EXPECT_STREQ(copy->resval.rstring, L"text") << "the copy owns its own strings";
    EXPECT_EQ(acutRelRb(copy), RTNORM);
    EXPECT_EQ(acutRelRb(nullptr), RTNORM);
    EXPECT_EQ(acutBuildList(12345, 1, 0), nullptr) << "an unknown type gives no chain";
}

TEST(XData, SurvivesFilingAndTransforms) {
    Drawing d;
    acdbRegApp(L"LINTARO_UT_MARK");
    auto* line = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0));
    ads_point where = {1.0, 0.0, 0.0};
    resbuf* rb = acutBuildList(1001, L"LINTARO_UT_MARK", 1000, L"BMa\u00df \u00b1", 1011, where, 1041, 2.0, 0);
    ASSERT_EQ(line->setXData(rb), Acad::eOk);
    acutRelRb(rb);

    auto copy = dbtest::roundTrip(line, d.db.get());
    ASSERT_TRUE(copy);
    resbuf* back = copy->xData(L"LINTARO_UT_MARK");
    ASSERT_NE(back, nullptr);
    EXPECT_STREQ(back->rbnext->resval.rstring, L"BMa\u00df \u00b1") << "non-ASCII text survives the filer";
    acutRelRb(back);

    // World positions move with the entity, distances scale.
    copy->transformBy(AcGeMatrix3d::scaling(2.0, AcGePoint3d(0, 0, 0)));
    back = copy->xData(L"LINTARO_UT_MARK");
    const resbuf* pos = back->rbnext->rbnext;
    EXPECT_NEAR(pos->resval.rpoint[0], 2.0, dbtest::kGeomTol);
    EXPECT_NEAR(pos->rbnext->resval.rreal, 4.0, dbtest::kGeomTol);
    acutRelRb(back);
    delete line;
}
