// Chains as the host's dimensions: one per segment with the segment's points and
// value, stacked raised millimetres, and the style records they are formatted with.
#include "module/convert/ChainToDims.h"

#include "host/db/entities/AcDbArc.h"
#include "host/db/dimensions/AcDbArcDimension.h"
#include "host/db/tables/AcDbDimStyleTable.h"
#include "host/db/dimensions/AcDbRotatedDimension.h"
#include "module/convert/DimStyleRecord.h"
#include "tests/module/chain/TRdimTestEnv.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using chaintest::ChainTest;
using lintaro::tol::kDimPointSame;

constexpr double kPi = 3.14159265358979323846;

TEST(ChainToDims, RaisedMillimetresAreStackedAndReadBack) {
    EXPECT_EQ(StackedDimText(L"12^5"), L"\\A1;12{\\H0.7x;\\S5^;}");
    EXPECT_EQ(UnstackDimText(L"\\A1;12{\\H0.7x;\\S5^;}"), L"12^5");
    EXPECT_EQ(StackedDimText(L"1,25"), L"1,25");
    EXPECT_EQ(UnstackDimText(StackedDimText(L"3,41^5")), L"3,41^5");
    // Texts that only look alike stay as they are.
    EXPECT_EQ(UnstackDimText(L"\\A1;12"), L"\\A1;12");
    EXPECT_EQ(UnstackDimText(L"{\\H0.7x;\\S5^;}"), L"{\\H0.7x;\\S5^;}");
    EXPECT_EQ(UnstackDimText(L""), L"");
}

TEST(ChainToDims, StyleNamesAndLinearFactors) {
    EXPECT_EQ(DimStyleName(L"1:50"), L"lintaro 1-50");
    EXPECT_EQ(DimStyleName(L"1:100"), L"lintaro 1-100");
    EXPECT_EQ(DimStyleName(L""), L"lintaro");
    const double tol = 1e-9;
    EXPECT_NEAR(LinearFactor(L"cm", 0.001), 100.0, tol);
    EXPECT_NEAR(LinearFactor(L"mm", 0.001), 1000.0, tol);
    EXPECT_NEAR(LinearFactor(L"mm", 1.0), 1.0, tol);
    EXPECT_NEAR(LinearFactor(L"m", 0.001), 1.0, tol);
    EXPECT_NEAR(LinearFactor(L"ft", 1.0), 1.0 / 304.8, tol);
    EXPECT_NEAR(LinearFactor(L"0'-0\"", 1.0), 1.0 / 25.4, tol);
    EXPECT_NEAR(LinearFactor(L"cm", 0.0), 1.0, tol);
}

TEST_F(ChainTest, LinearChainGivesOneRotatedDimensionPerSegment) {
    auto chain = makeChain({{0, 0, 0}, {3, 1, 0}, {7, -1, 0}}, kDimHorizontal, {2, 4, 0});
    std::vector<std::unique_ptr<AcDbDimension>> dims = MakeAcadDims(*chain);
    ASSERT_EQ(dims.size(), 2u);
    const double lengths[] = {3, 4};
    for (int k = 1; k <= 2; ++k) {
        auto* dim = AcDbRotatedDimension::cast(dims[k - 1].get());
        ASSERT_NE(dim, nullptr);
        EXPECT_POINT_NEAR(dim->xLine1Point(), chain->GetPointInput(k - 1), kDimPointSame);
        EXPECT_POINT_NEAR(dim->xLine2Point(), chain->GetPointInput(k), kDimPointSame);
        EXPECT_NEAR(dim->dimLinePoint().y, 4.0, kDimPointSame);
        EXPECT_NEAR(dim->rotation(), 0.0, kDimPointSame);
        double measured = 0;
        ASSERT_EQ(dim->measurement(measured), Acad::eOk);
        EXPECT_NEAR(measured, lengths[k - 1], kDimPointSame);
        EXPECT_TRUE(dim->isUsingDefaultTextPosition());
    }
    // A vertical chain measures along Y.
    auto vertical = makeChain({{0, 0, 0}, {1, 5, 0}}, kDimVertical, {-3, 2, 0});
    dims = MakeAcadDims(*vertical);
    ASSERT_EQ(dims.size(), 1u);
    EXPECT_NEAR(AcDbRotatedDimension::cast(dims[0].get())->rotation(), kPi / 2, kDimPointSame);
    double measured = 0;
    dims[0]->measurement(measured);
    EXPECT_NEAR(measured, 5.0, kDimPointSame);
}

TEST_F(ChainTest, SegmentTextsOfTheDimensions) {
    auto chain = makeChain({{0, 0, 0}, {3, 0, 0}, {7, 0, 0}, {9, 0, 0}}, kDimHorizontal, {2, 4, 0});
    chain->SetDimTextUser(1, L"12^5");
    chain->SetDimTextUser(2, L"ca. gleich");
    SegmentDimText t = DimTextOfSegment(*chain, 1);
    EXPECT_EQ(t.dimText, L"\\A1;12{\\H0.7x;\\S5^;}");
    EXPECT_TRUE(t.replacedText.empty());
    t = DimTextOfSegment(*chain, 2);
    EXPECT_EQ(t.dimText, L" ");
    EXPECT_EQ(t.replacedText, L"ca. gleich");
    // A measured value is left to the host's own formatting.
    t = DimTextOfSegment(*chain, 3);
    EXPECT_EQ(t.dimText, L"");
    EXPECT_TRUE(t.replacedText.empty());
}

TEST_F(ChainTest, ArcChainGivesArcLengthDimensions) {
    AcDbArc* arc = new AcDbArc(AcGePoint3d(0, 0, 0), 10.0, 0.0, kPi);
    const AcDbObjectId arcId = append(arc);
    ASSERT_FALSE(arcId.isNull());
    auto chain = std::make_unique<TRdim>(AcGePoint3d(10, 0, 0), AcGePoint3d(0, 10, 0), arcId, 0,
                                         AcGePoint3d(0, 12, 0), AcGeMatrix3d());
    setChainParams(*chain, true);
    ASSERT_EQ(chain->GetExtensions(), 2);
    chain->AddPointInput(AcGePoint3d(-10, 0, 0));
    ASSERT_EQ(chain->GetExtensions(), 3);
    std::vector<std::unique_ptr<AcDbDimension>> dims = MakeAcadDims(*chain);
    ASSERT_EQ(dims.size(), 2u);
    for (int k = 1; k <= 2; ++k) {
        auto* dim = AcDbArcDimension::cast(dims[k - 1].get());
        ASSERT_NE(dim, nullptr);
        EXPECT_POINT_NEAR(dim->centerPoint(), AcGePoint3d(0, 0, 0), kDimPointSame);
        double measured = 0;
        dim->measurement(measured);
        EXPECT_NEAR(measured, chain->GetDistance(k), kDimPointSame);
        EXPECT_NEAR(measured, 10 * kPi / 2, 1e-3);
        EXPECT_NEAR(dim->arcPoint().distanceTo(dim->centerPoint()), 12.0, 1e-3);
    }
}

TEST_F(ChainTest, DimensionsOfOneScaleShareTheirStyleRecord) {
    auto chain = makeChain({{0, 0, 0}, {3, 0, 0}, {5, 0, 0}}, kDimHorizontal, {2, 4, 0});
    chain->SetParamString(IND_S_Scale, L"1:50");
    chain->SetParamDouble(IND_D_ScaleVal, 0.02);
    chain->SetParamString(IND_S_Measure, L"cm");
    chain->SetParamDouble(IND_D_AcadUnits, 0.001);
    chain->SetParamDouble(IND_D_TextHeight, 25.0);
    chain->SetParamInt(IND_I_TrimZero, 1);
    std::vector<std::unique_ptr<AcDbDimension>> dims = MakeAcadDims(*chain);
    ASSERT_EQ(dims.size(), 2u);
    std::vector<AcDbObjectId> ids;
    for (auto& dim : dims) {
        AcDbDimension* raw = dim.release();
        ids.push_back(append(raw));
        ASSERT_FALSE(ids.back().isNull());
        AcDbDimension* open = nullptr;
        ASSERT_EQ(acdbOpenObject(open, ids.back(), AcDb::kForWrite), Acad::eOk);
        EXPECT_TRUE(SetDimStyleDD(m_db.get(), open, chain->Params()));
        open->close();
    }
    AcDbDimension* first = nullptr;
    AcDbDimension* second = nullptr;
    ASSERT_EQ(acdbOpenObject(first, ids[0], AcDb::kForRead), Acad::eOk);
    ASSERT_EQ(acdbOpenObject(second, ids[1], AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(first->dimensionStyle(), second->dimensionStyle());
    AcDbDimStyleTableRecord* style = nullptr;
    ASSERT_EQ(acdbOpenObject(style, first->dimensionStyle(), AcDb::kForRead), Acad::eOk);
    const wchar_t* name = nullptr;
    style->getName(name);
    EXPECT_STREQ(name, L"lintaro 1-50");
    EXPECT_NEAR(style->dimlfac(), 100.0, 1e-9);
    // 2.5 mm of paper at 1:50 in a drawing in metres.
    EXPECT_NEAR(style->dimtxt(), 0.125, 1e-9);
    EXPECT_EQ(style->dimzin(), 8);
    EXPECT_EQ(style->dimdsep(), L'.');
    EXPECT_FALSE(style->dimblk().isNull());
    style->close();
    // The dimension draws with those settings: 3 m show as 300 cm.
    EXPECT_NEAR(first->dimlfac(), 100.0, 1e-9);
    EXPECT_EQ(first->displayText().find(L"300"), 0u) << std::wstring(first->displayText()).size();
    first->close();
    second->close();
}

TEST_F(ChainTest, StyleRecordWithoutStandardStartsEmpty) {
    // A drawing whose only dimension style is not called "Standard".
    AcDbDatabase bare;
    {
        AcDbDimStyleTable* table = nullptr;
        ASSERT_EQ(bare.getDimStyleTable(table, AcDb::kForRead), Acad::eOk);
        AcDbObjectId standard;
        ASSERT_EQ(table->getAt(L"Standard", standard), Acad::eOk);
        table->close();
        AcDbDimStyleTableRecord* record = nullptr;
        ASSERT_EQ(acdbOpenObject(record, standard, AcDb::kForWrite), Acad::eOk);
        ASSERT_EQ(record->setName(L"Eigener"), Acad::eOk);
        record->setDimtxt(7.0);
        record->close();
    }
    TRdimParams params;
    params.arrayString = {L"1:20", L"", L"mm"};
    params.arrayDouble.assign(12, 0.0);
    params.arrayDouble[IND_D_ScaleVal] = 0.05;
    params.arrayDouble[IND_D_AcadUnits] = 1.0;
    params.arrayDouble[IND_D_TextHeight] = 20.0;
    params.arrayInt.assign(17, 0);
    AcDbDimStyleTableRecord* record = GetDimStyleDD(&bare, params, nullptr);
    ASSERT_NE(record, nullptr);
    const wchar_t* name = nullptr;
    record->getName(name);
    EXPECT_STREQ(name, L"lintaro 1-20");
    EXPECT_NEAR(record->dimtxt(), 40.0, 1e-9);
    EXPECT_NEAR(record->dimlfac(), 1.0, 1e-9);
    EXPECT_EQ(record->dimzin(), 0);
    record->close();
    // Asked again, the same record is reused, not a second one made.
    record = GetDimStyleDD(&bare, params, nullptr);
    ASSERT_NE(record, nullptr);
    const AcDbObjectId again = record->objectId();
    record->close();
    AcDbDimStyleTable* table = nullptr;
    ASSERT_EQ(bare.getDimStyleTable(table, AcDb::kForRead), Acad::eOk);
    AcDbObjectId id;
    EXPECT_EQ(table->getAt(L"lintaro 1-20", id), Acad::eOk);
    EXPECT_EQ(id, again);
    table->close();
}

} // namespace
