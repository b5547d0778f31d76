// The marks on the host's texts and dimensions: lenient reading of the parameter set,
// marking and unmarking, and the text parameters applied.
#include "module/app/FormatMarks.h"

#include "host/db/entities/AcDbMText.h"
#include "host/db/entities/AcDbText.h"
#include "host/db/database/acutResbuf.h"
#include "module/app/FormatCommands.h"
#include "module/services/XDataServices.h"
#include "tests/module/chain/TRdimTestEnv.h"

#include <gtest/gtest.h>

namespace {

using chaintest::ChainTest;

constexpr double kRealTol = 1e-12;

// Writes the "LINTARO_DATA" record as the items come, registering the application.
void writeRaw(AcDbEntity* entity, resbuf* items) {
    ASSERT_EQ(RegisterApp(entity->database(), L"LINTARO_DATA"), Acad::eOk);
    resbuf* head = acutBuildList(1001, L"LINTARO_DATA", 0);
    head->rbnext = items;
    ASSERT_EQ(entity->setXData(head), Acad::eOk);
    acutRelRb(head);
}

TEST_F(ChainTest, ShortAndInterleavedParameterSetsReadCompleted) {
    const AcDbObjectId id = append(new AcDbText(AcGePoint3d(0, 0, 0), L"2,50"));
    AcDbEntity* text = nullptr;
    ASSERT_EQ(acdbOpenObject(text, id, AcDb::kForWrite), Acad::eOk);
    const COptionSet& global = pGlobDimOptions->GetOptionSet(OPT_MODE_CHAIN);
    ASSERT_GT(global.arrayOptString.size(), 5u);
    ASSERT_GT(global.arrayOptInt.size(), 10u);
    ASSERT_GT(global.arrayOptDouble.size(), 3u);
    // 5 strings, 10 integers, 3 doubles, in order.
    resbuf* ordered = acutBuildList(1000, L"1:20", 1000, L"Arial", 1000, L"cm", 1000, L"x.ini", 1000, L"L",
                                    1070, 1, 1070, 2, 1070, 3, 1070, 4, 1070, 5, 1070, 6, 1070, 7, 1070, 8,
                                    1070, 9, 1070, 10, 1040, 0.05, 1040, 35.0, 1040, 7.5, 0);
    writeRaw(text, ordered);
    std::optional<TRdimParams> read = GetLintaroData(text);
    ASSERT_TRUE(read.has_value());
    ASSERT_EQ(read->arrayString.size(), global.arrayOptString.size());
    ASSERT_EQ(read->arrayInt.size(), global.arrayOptInt.size());
    ASSERT_EQ(read->arrayDouble.size(), global.arrayOptDouble.size());
    EXPECT_EQ(read->arrayString[2], L"cm");
    EXPECT_EQ(read->arrayString[5], global.arrayOptString[5]);
    EXPECT_EQ(read->arrayInt[9], 10u);
    EXPECT_EQ(read->arrayInt[10], static_cast<std::uint32_t>(global.arrayOptInt[10]));
    EXPECT_NEAR(read->arrayDouble[1], 35.0, kRealTol);
    EXPECT_NEAR(read->arrayDouble[3], global.arrayOptDouble[3], kRealTol);

    // The same items interleaved read into the same arrays.
    resbuf* mixed = acutBuildList(1070, 1, 1000, L"1:20", 1040, 0.05, 1000, L"Arial", 1070, 2, 1070, 3, 1000,
                                  L"cm", 1040, 35.0, 1070, 4, 1070, 5, 1000, L"x.ini", 1070, 6, 1070, 7, 1000,
                                  L"L", 1070, 8, 1070, 9, 1040, 7.5, 1070, 10, 0);
    writeRaw(text, mixed);
    std::optional<TRdimParams> again = GetLintaroData(text);
    ASSERT_TRUE(again.has_value());
    EXPECT_EQ(again->arrayString, read->arrayString);
    EXPECT_EQ(again->arrayInt, read->arrayInt);
    EXPECT_EQ(again->arrayDouble, read->arrayDouble);
    text->close();
}

TEST_F(ChainTest, MarkingAndUnmarkingKeepTheParameterSet) {
    const AcDbObjectId id = append(new AcDbText(AcGePoint3d(0, 0, 0), L"Wand"));
    AcDbEntity* text = nullptr;
    ASSERT_EQ(acdbOpenObject(text, id, AcDb::kForWrite), Acad::eOk);
    EXPECT_FALSE(IsLintaroObject(text));
    EXPECT_EQ(GetObjectKind(text), 1);
    EXPECT_EQ(GetObjectKind(nullptr), 100);
    ASSERT_TRUE(SetLintaroObject(text, true));
    EXPECT_TRUE(IsLintaroObject(text));
    TRdimParams params;
    params.arrayString = {L"1:50", L"", L"m"};
    params.arrayInt = {0, 65535, 3};
    params.arrayDouble = {0.02, 25.0};
    ASSERT_TRUE(SetLintaroData(text, params));
    ASSERT_TRUE(SetLintaroObject(text, false));
    EXPECT_FALSE(IsLintaroObject(text));
    std::optional<TRdimParams> kept = GetLintaroData(text);
    ASSERT_TRUE(kept.has_value());
    EXPECT_EQ(kept->arrayString[0], L"1:50");
    EXPECT_EQ(kept->arrayInt[1], 65535u) << "16-bit items keep their unsigned value";
    EXPECT_NEAR(kept->arrayDouble[1], 25.0, kRealTol);
    text->close();
}

TEST_F(ChainTest, TextParametersOnTextAndMultilineText) {
    TRdimParams params;
    params.arrayString = {L"1:50", L"Standard", L"m"};
    params.arrayInt = {0};
    params.arrayDouble.assign(10, 0.0);
    params.arrayDouble[IND_D_ScaleVal] = 0.02;
    params.arrayDouble[IND_D_TextHeight] = 25.0;
    params.arrayDouble[IND_D_AcadUnits] = 0.001;
    const AcDbObjectId textId = append(new AcDbText(AcGePoint3d(0, 0, 0), L"Wand"));
    auto* m = new AcDbMText;
    m->setContents(L"Raum");
    const AcDbObjectId mtextId = append(m);
    AcDbText* text = nullptr;
    ASSERT_EQ(acdbOpenObject(text, textId, AcDb::kForWrite), Acad::eOk);
    text->setWidthFactor(0.5);
    EXPECT_TRUE(ApplyTextParameters(text, params));
    // 2.5 mm at 1:50 in metres; the style's own width factor.
    EXPECT_NEAR(text->height(), 0.125, kRealTol);
    EXPECT_NEAR(text->widthFactor(), 1.0, kRealTol);
    text->close();
    AcDbMText* mtext = nullptr;
    ASSERT_EQ(acdbOpenObject(mtext, mtextId, AcDb::kForWrite), Acad::eOk);
    EXPECT_TRUE(ApplyTextParameters(mtext, params));
    EXPECT_NEAR(mtext->textHeight(), 0.125, kRealTol);
    mtext->close();
}

} // namespace
