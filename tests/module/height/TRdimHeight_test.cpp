#include "tests/module/height/HeightTestEnv.h"

#include "host/db/entities/AcDbLine.h"
#include "host/ed/HostVariableCommands.h"
#include "host/ed/SysVars.h"
#include "module/ui/CDlgMain.h"

#include <cmath>

using namespace heighttest;

namespace {

AcGePoint3d P(double x, double y, double z = 0) {
    return AcGePoint3d(x, y, z);
}

// The rotation is computed from the UCS with constants of ten digits.
constexpr double kAngleTol = 1e-8;

} // namespace

TEST_F(HeightTest, ANewMarkTakesThePalettesHeightSetAndTheCurrentUcs) {
    TRdimHeight empty;
    EXPECT_EQ(empty.Points().length(), kHeightPointCount);
    EXPECT_EQ(empty.Texts().size(), static_cast<size_t>(kHeightTextCount));
    EXPECT_TRUE(empty.GetParams().arrayInt.empty());
    EXPECT_TRUE(empty.GetBaseId().isNull());

    COptionSet& height = pGlobDimOptions->GetOptionSet(OPT_MODE_HEIGHT);
    height.arrayOptDouble[IND_D_TextHeight] = 35.0;
    height.arrayOptInt[IND_I_HUserText] = 1;
    ASSERT_NE(dlgMyApp, nullptr);
    dlgMyApp->AdjustMode(OPT_MODE_CHAIN);
    m_db->setUcs(P(1, 2, 0), AcGeVector3d::kYAxis, -AcGeVector3d::kXAxis);
    for (bool plan : {false, true}) {
        SCOPED_TRACE(plan);
        TRdimHeight mark;
        mark.SetPlan(plan);
        mark.Initialize(false);
        EXPECT_EQ(mark.GetParamDouble(IND_D_TextHeight), 35.0);
        EXPECT_EQ(mark.GetParamInt(IND_I_HUserText), 1u);
        EXPECT_GE(mark.GetParams().arrayString.size(), static_cast<size_t>(OPT_STRING_COUNT));
        EXPECT_TRUE(mark.GetStoredNormal().isEqualTo(AcGeVector3d::kZAxis));
        EXPECT_POINT_NEAR(mark.GetOrigin(), P(1, 2, 0), kGeomTol);
        EXPECT_TRUE(mark.GetAxis(0).isEqualTo(AcGeVector3d::kYAxis));
        // A UCS turned by a quarter turn: the mark's direction follows it.
        EXPECT_NEAR(mark.GetRotation(), M_PI / 2, kAngleTol);
        EXPECT_LT((mark.GetVectorDim() - AcGeVector3d::kYAxis).length(), kAngleTol);
        EXPECT_POINT_NEAR(mark.WorldToMark(P(1, 3, 0)), P(1, 0, 0), kAngleTol);
    }
    // The palette keeps its own mode.
    EXPECT_EQ(pGlobDimOptions->m_iMode, OPT_MODE_CHAIN);
}

TEST_F(HeightTest, ThePaletteGivesMarksSettingsOnlyInTheHeightModes) {
    auto mark = makeMark(false, 1, P(0, 0), 1.0);
    mark->SetParamDouble(IND_D_TextHeight, 99.0);
    ASSERT_NE(dlgMyApp, nullptr);
    dlgMyApp->AdjustMode(OPT_MODE_CHAIN);
    EXPECT_FALSE(dlgMyApp->InitParameters(mark.get()));
    EXPECT_EQ(mark->GetParamDouble(IND_D_TextHeight), 99.0);
    pGlobDimOptions->GetOptionSet(OPT_MODE_HEIGHT).arrayOptDouble[IND_D_TextHeight] = 25.0;
    for (int mode : {OPT_MODE_ALL, OPT_MODE_HEIGHT, OPT_MODE_HEIGHT_PLAN}) {
        SCOPED_TRACE(mode);
        mark->SetParamDouble(IND_D_TextHeight, 99.0);
        dlgMyApp->AdjustMode(mode);
        EXPECT_TRUE(dlgMyApp->InitParameters(mark.get()));
        EXPECT_NE(mark->GetParamDouble(IND_D_TextHeight), 99.0);
    }
    dlgMyApp->AdjustMode(OPT_MODE_TEXT);
    mark->SetParamDouble(IND_D_TextHeight, 99.0);
    EXPECT_FALSE(dlgMyApp->InitParameters(mark.get()));
    EXPECT_FALSE(dlgMyApp->InitParametersInMode(OPT_MODE_CHAIN, mark.get()));
    EXPECT_TRUE(dlgMyApp->InitParametersInMode(OPT_MODE_HEIGHT, mark.get()));
    EXPECT_EQ(mark->GetParamDouble(IND_D_TextHeight), 25.0);
}

TEST_F(HeightTest, CopyTransformListAndLookUp) {
    auto source = makeMark(false, 4, P(3, 3), 2.0);
    source->SetText(0, L"OKFF");
    source->SetPoint(kHPointExt1, P(3, 0));
    source->SetRotation(0.25);
    TRdimHeight copy;
    copy.CopyFrom(source.get());
    EXPECT_EQ(copy.Texts(), source->Texts());
    for (int i = 0; i < kHeightPointCount; ++i)
        EXPECT_POINT_NEAR(copy.GetPoint(i), source->GetPoint(i), kGeomTol);
    EXPECT_EQ(copy.GetRotation(), 0.25);
    EXPECT_FALSE(copy.GetParams().arrayDouble.empty());

    // Moved and turned: the points follow; a section mark stays upright in the current
    // UCS, and its extension line runs again from its measured point to its symbol.
    AcGeMatrix3d turn = AcGeMatrix3d::rotation(M_PI / 2, AcGeVector3d::kZAxis, P(0, 0));
    ASSERT_EQ(source->transformBy(AcGeMatrix3d::translation(AcGeVector3d(1, 0, 0))), Acad::eOk);
    EXPECT_POINT_NEAR(source->GetPoint(kHPointDim), P(4, 3), kGeomTol);
    AcDbEntity* turned = nullptr;
    ASSERT_EQ(source->getTransformedCopy(turn, turned), Acad::eOk);
    std::unique_ptr<TRdimHeight> t(TRdimHeight::cast(turned));
    ASSERT_NE(t, nullptr);
    EXPECT_POINT_NEAR(t->GetPoint(kHPointDim), P(-3, 4), kGeomTol);
    EXPECT_POINT_NEAR(t->GetPoint(kHPointInput), P(-3, 4), kGeomTol);
    EXPECT_POINT_NEAR(t->GetPoint(kHPointExt1), P(-3, 4), kGeomTol);
    EXPECT_NEAR(t->GetRotation(), 0.0, kGeomTol);
    EXPECT_TRUE(t->GetAxis(1).isEqualTo(AcGeVector3d::kYAxis));
    EXPECT_EQ(t->Texts(), source->Texts());
    EXPECT_POINT_NEAR(source->GetPoint(kHPointDim), P(4, 3), kGeomTol);

    clearTranscript();
    source->SetHeight(2, -1.5);
    source->list();
    EXPECT_NE(transcript().find(L"\n 1: 2.000000 "), std::wstring::npos) << std::wstring(transcript());
    EXPECT_NE(transcript().find(L"\n 2: -1.500000 "), std::wstring::npos);

    const AcDbObjectId markId = append(source.release());
    const AcDbObjectId lineId = append(new AcDbLine(P(0, 0), P(1, 1)));
    TRdimHeight* open = ObjectId2TRdimHeight(markId);
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(open->GetText(0), L"OKFF");
    open->close();
    EXPECT_EQ(ObjectId2TRdimHeight(lineId), nullptr);
    EXPECT_EQ(ObjectId2TRdimHeight(AcDbObjectId()), nullptr);
    // The line was closed again: it opens for write.
    AcDbEntity* line = nullptr;
    ASSERT_EQ(acdbOpenObject(line, lineId, AcDb::kForWrite), Acad::eOk);
    line->close();
}

// A mark drawn in the annotation scale ("BMaß") places its texts for the drawing's
// current scale: a new CANNOSCALE moves them out in proportion; a mark with a fixed
// scale stays where it was.
TEST_F(HeightTest, AnnotationScaleChangesMoveTheTextsOfAnnotativeMarksOnly) {
    host::registerVariableCommands();
    auto annotative = makeMark(false, 1, AcGePoint3d(0, 0, 0), 1.0);
    annotative->SetParamString(IND_S_Scale, L"BMa\u00DF");
    annotative->InitPointText();
    auto fixed = makeMark(false, 1, AcGePoint3d(10, 0, 0), 1.0);
    const AcDbObjectId a = append(annotative.release());
    const AcDbObjectId f = append(fixed.release());
    auto offset = [](AcDbObjectId id) {
        TRdimHeight* mark = ObjectId2TRdimHeight(id);
        if (!mark) return AcGeVector3d();
        const AcGeVector3d v = mark->GetPoint(kHPointText1) - mark->GetPoint(kHPointDim);
        mark->close();
        return v;
    };
    const AcGeVector3d before = offset(a), fixedBefore = offset(f);
    ASSERT_GT(before.length(), 0.0);
    resbuf value{};
    value.restype = RTSTR;
    value.resval.rstring = const_cast<wchar_t*>(L"1:50");
    ASSERT_EQ(acedSetVar(L"CANNOSCALE", &value), RTNORM);
    const AcGeVector3d after = offset(a);
    EXPECT_NEAR(after.x, 50.0 * before.x, 1e-9 * 50.0 * before.length());
    EXPECT_NEAR(after.y, 50.0 * before.y, 1e-9 * 50.0 * before.length());
    EXPECT_TRUE(offset(f).isEqualTo(fixedBefore));
}
