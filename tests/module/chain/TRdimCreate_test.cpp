// Drawing chains the way a user does: the commands run at the host's command line with
// their answers from a script, in the loaded module, on a fresh drawing and settings.
#include "module/chain/TRdimCreate.h"

#include "LintaroTestPaths.h"

#include "tests/module/chain/ScriptTestEnv.h"

#include "host/db/database/AcDbDatabase.h"
#include "host/db/database/AcDbHostApplicationServices.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/db/entities/AcDbLine.h"
#include "host/db/tables/AcDbBlockTableRecord.h"
#include "host/ed/DrawingView.h"
#include "host/ed/Ucs.h"
#include "host/ed/commands/CommandLine.h"
#include "host/ed/input/HostInput.h"
#include "host/ed/input/InputSource.h"
#include "host/ed/lisp/LispFunctions.h"
#include "host/ed/selection/AcEdSelectionSet.h"
#include "host/rx/AcRxDynamicLinker.h"
#include "host/rx/acutString.h"
#include "host/win/Transcript.h"
#include "host/win/Utf8.h"
#include "host/win/WinProfile.h"
#include "module/app/LintaroApp.h"
#include "module/chain/TRdim.h"
#include "module/chain/TRdimJig.h"
#include "module/options/CGlobDimOptions.h"
#include "module/options/IniStorage.h"
#include "module/options/LanguageChoice.h"
#include "module/options/OptionIndices.h"
#include "module/options/ScaleMaps.h"
#include "module/resources/resource.h"
#include "module/ui/CDlgMain.h"
#include "module/ui/PaletteApp.h"
#include "module/ui/PaletteValues.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

// Points typed in a script land exactly; geometry derived from them carries rounding.
constexpr double kTol = 1e-6;

class CreateTest : public scripttest::ScriptTest {
protected:
    struct ChainFacts {
        int type = -1;
        std::vector<AcGePoint3d> inputs, dims;
        std::wstring layer;
        int color = 0;
        AcGeVector3d direction;
        double dimLineOffset = 0; // PaperToModel(DimLineDist)
        double linesDistance = 0; // PaperToModel(global DimLinesDistance)
    };
    static ChainFacts factsOf(AcDbObjectId id) {
        ChainFacts f;
        TRdim* c = nullptr;
        if (acdbOpenObject(c, id, AcDb::kForRead) != Acad::eOk) return f;
        f.type = c->GetDimType();
        for (int i = 0; i < c->GetExtensions(); ++i) {
            f.inputs.push_back(c->GetPointInput(i));
            f.dims.push_back(c->GetPointDim(i));
        }
        wchar_t* layer = c->layer();
        f.layer = layer ? layer : L"";
        acutDelString(layer);
        f.color = c->colorIndex();
        f.direction = c->GetVectorDim();
        f.dimLineOffset = c->PaperToModel(c->GetParamDouble(IND_D_DimLineDist));
        f.linesDistance = c->PaperToModel(
            pGlobDimOptions->GetOptionSet(OPT_MODE_CHAIN).arrayOptDouble[IND_D_DimLinesDistance]);
        c->close();
        return f;
    }

    AcDbObjectId addLine(const AcGePoint3d& a, const AcGePoint3d& b) const { return add(new AcDbLine(a, b)); }
};

// A point in the plan compared with its expected coordinates, printed when it differs.
::testing::AssertionResult PlanPointAt(const AcGePoint3d& p, double x, double y) {
    if (std::fabs(p.x - x) <= kTol && std::fabs(p.y - y) <= kTol) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "actual (" << p.x << ", " << p.y << ") expected (" << x << ", " << y << ") tolerance " << kTol;
}
#define EXPECT_POINT(point, px, py) EXPECT_TRUE(PlanPointAt((point), (px), (py)))

} // namespace

TEST_F(CreateTest, ThreePointsAndEnterMakeAChainOfThreeExtensions) {
    run(L"XOTA_Hdim\n0,0\n10,0\n5,-5\n20,3\n\n");
    EXPECT_TRUE(said(L"Erster Ma\u00DFpunkt: ") && said(L"Zweiter Ma\u00DFpunkt: "));
    EXPECT_TRUE(said(L"Ma\u00DFkette w\u00E4hlen oder die Position der Ma\u00DFlinie bestimmen: "));
    EXPECT_TRUE(said(L"3. Ma\u00DFpunkt: 20,3") && said(L"4. Ma\u00DFpunkt: "));
    const auto ids = chains();
    ASSERT_EQ(ids.size(), 1u);
    const ChainFacts f = factsOf(ids[0]);
    EXPECT_EQ(f.type, kDimHorizontal);
    ASSERT_EQ(f.inputs.size(), 3u) << "the dragged point is gone";
    EXPECT_POINT(f.inputs[0], 0, 0);
    EXPECT_POINT(f.inputs[1], 10, 0);
    EXPECT_POINT(f.inputs[2], 20, 3);
    for (const AcGePoint3d& d : f.dims)
        EXPECT_NEAR(d.y, -5, kTol) << "the line through the placement point";
    // The layer of the chain's scale, the colour of its text height.
    EXPECT_EQ(f.layer,
              GetLayerForScale(pGlobDimOptions->GetOptionSet(OPT_MODE_CHAIN).arrayOptString[IND_S_Scale]));
    EXPECT_EQ(f.layer, L"DIM_1_100");
    EXPECT_EQ(f.color, GetColorForTextHeight(
                           pGlobDimOptions->GetOptionSet(OPT_MODE_CHAIN).arrayOptDouble[IND_D_TextHeight]));
    EXPECT_EQ(dlgMyApp, nullptr) << "a run without the palette leaves none";

    // The same with a vertical and an aligned chain, in a drawing at 1:50.
    pGlobDimOptions->SetOptValue(OPT_TYPE_STRING, IND_S_Scale, L"1:50");
    run(L"XOTA_Vdim\n0,0\n0,10\n-4,0\n\nXOTA_Adim\n0,0\n3,4\n0,2\n\n");
    const auto all = chains();
    ASSERT_EQ(all.size(), 3u);
    const ChainFacts v = factsOf(all[1]), a = factsOf(all[2]);
    EXPECT_EQ(v.type, kDimVertical);
    EXPECT_EQ(v.layer, L"DIM_1_50");
    EXPECT_NEAR(v.dims[0].x, -4, kTol);
    EXPECT_NEAR(v.direction.y, 1, kTol);
    EXPECT_EQ(a.type, kDimAligned);
    EXPECT_NEAR(a.direction.x, 0.6, kTol);
    EXPECT_NEAR(a.direction.y, 0.8, kTol);
    // The line of an aligned chain passes through the placement point.
    EXPECT_NEAR((AcGePoint3d(0, 2, 0) - a.dims[0]).dotProduct(AcGeVector3d(-0.8, 0.6, 0)), 0, kTol);
}

TEST_F(CreateTest, AnOpenPaletteGivesTheChainItsSettingsAndComesBackAsItWas) {
    // The palette is open on the chains, with a layer and circle ticks chosen.
    ASSERT_TRUE(StartApp(true));
    dlgMyApp->AdjustType(3);
    ASSERT_TRUE(dlgMyApp->SetControlText(IDC_COMBO_LAYER, L"A-BEM"));
    run(L"XOTA_Hdim\n0,0\n10,0\n5,-5\n\n");
    auto ids = chains();
    ASSERT_EQ(ids.size(), 1u);
    EXPECT_EQ(factsOf(ids[0]).layer, L"A-BEM");
    TRdim* chain = nullptr;
    ASSERT_EQ(acdbOpenObject(chain, ids[0], AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(chain->GetParamInt(IND_I_LastType), 3u);
    chain->close();
    ASSERT_NE(dlgMyApp, nullptr);
    EXPECT_TRUE(dlgMyApp->IsWindowVisible()) << "shown again after the command";
    EXPECT_TRUE(dlgMyApp->ActionsEnabled());

    // From the text mode, drawing a chain switches the palette to the chains; the switch
    // forgets the layer choice, so the scale gives the layer.
    dlgMyApp->AdjustMode(OPT_MODE_TEXT);
    run(L"XOTA_Hdim\n0,0\n10,0\n5,-9\n\n");
    ids = chains();
    ASSERT_EQ(ids.size(), 2u);
    EXPECT_EQ(factsOf(ids[1]).layer, L"DIM_1_100");
    EXPECT_EQ(dlgMyApp->m_iCurrentMode, OPT_MODE_CHAIN);

    // Layer "0" forbidden and the current layer chosen: nothing is drawn.
    ASSERT_TRUE(dlgMyApp->SetControlText(IDC_COMBO_LAYER, CurrentLayerEntry()));
    pGlobDimOptions->GetOptionSet(OPT_MODE_CHAIN).arrayOptInt[IND_I_ForbidLayer0] = 1;
    run(L"XOTA_Hdim\n0,0\n10,0\n5,-5\n\n");
    EXPECT_TRUE(said(L"Layer \"0\" ist verboten."));
    EXPECT_EQ(chains().size(), 2u);
    EXPECT_TRUE(dlgMyApp->ActionsEnabled());
}

TEST_F(CreateTest, EachChainTakesTheSettingsAsTheyAreNow) {
    // Without a palette each command opens its own and loads the options for it.
    auto textHeightOf = [](AcDbObjectId id) {
        TRdim* c = nullptr;
        if (acdbOpenObject(c, id, AcDb::kForRead) != Acad::eOk) return -1.0;
        const double h = c->GetParamDouble(IND_D_TextHeight);
        c->close();
        return h;
    };
    run(L"XOTA_Hdim\n0,0\n10,0\n5,-5\n\n");
    ASSERT_EQ(chains().size(), 1u);
    const double first = textHeightOf(chains()[0]);
    ASSERT_EQ(dlgMyApp, nullptr);

    // The settings file changed on disk between two commands (after the module wrote
    // what it held, which would otherwise win).
    SaveAllIniBuffers();
    const std::wstring ini = GetIniFile();
    const std::wstring changed = first == 35.0 ? L"45" : L"35";
    WritePrivateProfileStringW(L"MainOptions", L"TextHeight", changed.c_str(), ini.c_str());
    run(L"XOTA_Hdim\n0,20\n10,20\n5,25\n\n");
    ASSERT_EQ(chains().size(), 2u);
    EXPECT_NEAR(textHeightOf(chains()[1]), std::stod(changed), kTol);

    // A value stored through the options, as the options dialog stores it.
    ASSERT_TRUE(pGlobDimOptions->SetOptValue(OPT_TYPE_DOUBLE, IND_D_TextHeight, 27.5));
    run(L"XOTA_Hdim\n0,40\n10,40\n5,45\n\n");
    ASSERT_EQ(chains().size(), 3u);
    EXPECT_NEAR(textHeightOf(chains()[2]), 27.5, kTol);

    // Nothing changed: the next chain is like the one before.
    run(L"XOTA_Hdim\n0,60\n10,60\n5,65\n\n");
    ASSERT_EQ(chains().size(), 4u);
    EXPECT_NEAR(textHeightOf(chains()[3]), 27.5, kTol);
}

TEST_F(CreateTest, EnterOrCancelAtThePlacementLeaveNothingBehind) {
    run(L"XOTA_Hdim\n0,0\n10,0\n\nXOTA_Hdim\n0,0\n10,0\nESC\nXOTA_Hdim\n\n");
    EXPECT_TRUE(entities().empty());
    // Cancelled after the placement, the confirmed points stay.
    run(L"XOTA_Hdim\n0,0\n10,0\n5,-5\n15,0\nESC\n");
    const auto ids = chains();
    ASSERT_EQ(ids.size(), 1u);
    EXPECT_EQ(factsOf(ids[0]).inputs.size(), 3u);
}

TEST_F(CreateTest, EqualFirstAndSecondPointsAreRefusedAndAskedAgain) {
    run(L"XOTA_Hdim\n1,1\n1,1\n1,,2\n11,1\n6,-4\n\n");
    EXPECT_TRUE(
        said(L"\nDer erste und zweite Punkt d\u00FCrfen nicht identisch sein!\nZweiter Ma\u00DFpunkt: "));
    EXPECT_TRUE(said(L"Point or option keyword required.")) << "a malformed point is asked again";
    const auto ids = chains();
    ASSERT_EQ(ids.size(), 1u);
    const ChainFacts f = factsOf(ids[0]);
    ASSERT_EQ(f.inputs.size(), 2u);
    EXPECT_POINT(f.inputs[0], 1, 1);
    EXPECT_POINT(f.inputs[1], 11, 1);
    EXPECT_NEAR(f.dims[1].y, -4, kTol);
}

TEST_F(CreateTest, LagepunktPutsTheLineAtTheSetDistanceOnThePlacementSide) {
    pGlobDimOptions->SetOptValue(OPT_TYPE_DOUBLE, IND_D_DimLineDist, 8.0);
    run(L"XOTA_Hdim\n0,0\n10,0\nL\n3,-1\n3,9\n\nXOTA_Hdim\n0,0\n10,0\nLagepunkt\n3,-1\n2.5,-7\n\n");
    EXPECT_TRUE(said(L"bestimmen oder [Lagepunkt]:  L\n Lagepunkt:3,-1\n Ma\u00DFkette plazieren:3,9"));
    const auto ids = chains();
    ASSERT_EQ(ids.size(), 2u);
    const ChainFacts above = factsOf(ids[0]), below = factsOf(ids[1]);
    ASSERT_GT(above.dimLineOffset, 0);
    // Left of the chain's direction (+X) is +Y.
    EXPECT_NEAR(above.dims[0].y, -1 + above.dimLineOffset, kTol);
    EXPECT_NEAR(below.dims[0].y, -1 - below.dimLineOffset, kTol);
}

TEST_F(CreateTest, InEnglishTheLocationKeywordAndTheGermanOnesPlaceTheLineAlike) {
    // The add-on chooses its language module from the settings each time the palette
    // starts: the English one in the settings folder, as a user installs it.
    const std::wstring lng = GetSettingsFolder() + L"lintaroEN.lng";
    std::filesystem::copy_file(LINTARO_SOURCE_DIR "/module/resources/lintaroEN.lng", host::toUtf8(lng),
                               std::filesystem::copy_options::overwrite_existing);
    SetIniString(L"LastStatus", L"Language", L"EN");
    pGlobDimOptions->SetOptValue(OPT_TYPE_DOUBLE, IND_D_DimLineDist, 8.0);
    // Scripts written for the German prompts keep working: "L" and "Lagepunkt" too.
    run(L"XOTA_Hdim\n0,0\n10,0\nLocation\n3,-1\n3,9\n\nXOTA_Hdim\n0,0\n10,0\nLagepunkt\n3,-1\n2.5,-7\n\n"
        L"XOTA_Hdim\n0,20\n10,20\nL\n3,19\n3,29\n\n");
    SetIniString(L"LastStatus", L"Language", L"");
    LoadLanguageModule();
    EXPECT_TRUE(said(L"or [Location point]:  Location\n Location point:3,-1\n Place the chain:3,9"));
    EXPECT_FALSE(said(L"Ma\u00DF"));
    const auto ids = chains();
    ASSERT_EQ(ids.size(), 3u);
    const ChainFacts above = factsOf(ids[0]), below = factsOf(ids[1]), again = factsOf(ids[2]);
    ASSERT_GT(above.dimLineOffset, 0);
    EXPECT_NEAR(above.dims[0].y, -1 + above.dimLineOffset, kTol);
    EXPECT_NEAR(below.dims[0].y, -1 - below.dimLineOffset, kTol);
    EXPECT_NEAR(again.dims[0].y, 19 + again.dimLineOffset, kTol);
}

TEST_F(CreateTest, ANewLineClickedOnAnExistingChainLiesBesideIt) {
    run(L"XOTA_Hdim\n0,0\n10,0\n5,-5\n\n");
    // The click lands on the first chain's line; the side point says below it.
    run(L"XOTA_Hdim\n0,0\n20,0\n7,-5.05\n7,-20\n\n");
    // Clicked on the second one without a side point: away from the objects it measures.
    const ChainFacts second = factsOf(chains().at(1));
    ASSERT_GT(second.linesDistance, 0);
    run(L"XOTA_Hdim\n0,0\n30,0\n7," + std::to_wstring(second.dims[0].y) + L"\n\n\n");
    const auto ids = chains();
    ASSERT_EQ(ids.size(), 3u);
    const ChainFacts third = factsOf(ids[2]);
    EXPECT_TRUE(said(L"Zu versetzende Seite angeben: 7,-20"));
    EXPECT_NEAR(second.dims[0].y, -5 - second.linesDistance, kTol);
    EXPECT_NEAR(third.dims[0].y, second.dims[0].y - third.linesDistance, kTol);
    // A click beside every chain places the line where it was clicked.
    run(L"XOTA_Hdim\n0,0\n5,0\n2,3\n\n");
    EXPECT_NEAR(factsOf(chains().at(3)).dims[0].y, 3, kTol);
    EXPECT_FALSE(said(L"Zu versetzende Seite angeben: \nCommand"));
}

TEST_F(CreateTest, AChainTakesAtMostAHundredPointsThroughTheJig) {
    std::wstring script = L"XOTA_Hdim\n0,0\n1,0\n5,-5\n";
    for (int i = 2; i < 110; ++i)
        script += std::to_wstring(i) + L",0\n";
    run(script + L"\n");
    const auto ids = chains();
    ASSERT_EQ(ids.size(), 1u);
    const ChainFacts f = factsOf(ids[0]);
    ASSERT_EQ(f.inputs.size(), size_t(kJigMaxPoints));
    EXPECT_POINT(f.inputs.back(), 99, 0) << "the hundredth point was kept";
    EXPECT_FALSE(said(L"101. Ma\u00DFpunkt"));
}

TEST_F(CreateTest, PointsAreTakenInTheUcs) {
    AcGeMatrix3d ucs;
    ucs.setCoordSystem(AcGePoint3d(10, 10, 0), AcGeVector3d::kYAxis, -AcGeVector3d::kXAxis,
                       AcGeVector3d::kZAxis);
    ASSERT_EQ(acedSetCurrentUCS(ucs), Acad::eOk);
    run(L"XOTA_Hdim\n0,0\n5,0\n2.5,-1\n\n");
    const auto ids = chains();
    ASSERT_EQ(ids.size(), 1u);
    const ChainFacts f = factsOf(ids[0]);
    // Horizontal in the UCS: along its X axis, the world's Y.
    EXPECT_NEAR(f.direction.y, 1, kTol);
    EXPECT_POINT(f.inputs[0], 10, 10);
    EXPECT_POINT(f.inputs[1], 10, 15);
    EXPECT_NEAR(f.dims[0].x, 11, kTol);
}

TEST_F(CreateTest, ACuttingLineAcrossTwoWallsMakesATwoPointChain) {
    // Two parallel walls; the second is drawn in two pieces that meet where the line crosses.
    addLine(AcGePoint3d(0, 0, 0), AcGePoint3d(0, 10, 0));
    addLine(AcGePoint3d(3, 0, 0), AcGePoint3d(3, 5, 0));
    addLine(AcGePoint3d(3, 5, 0), AcGePoint3d(3, 10, 0));
    pGlobDimOptions->SetOptValue(OPT_TYPE_FLAG, IND_OPT_B_DimByLine, 1);
    run(L"XOTA_Hdim\n-1,5\n4,5\n\n1.5,9\n");
    EXPECT_TRUE(said(L"Schnittlinie:-1,5\nSchnittlinie:4,5\nSchnittlinie:"));
    const auto ids = chains();
    ASSERT_EQ(ids.size(), 1u);
    const ChainFacts f = factsOf(ids[0]);
    ASSERT_EQ(f.inputs.size(), 2u) << "the point where two lines meet counts once";
    EXPECT_POINT(f.inputs[0], 0, 5);
    EXPECT_POINT(f.inputs[1], 3, 5);
    EXPECT_NEAR(f.dims[0].y, 9, kTol);
    EXPECT_EQ(entities().size(), 4u) << "the cutting line itself is gone";

    // Across one wall only there is nothing to measure.
    run(L"XOTA_Hdim\n-1,2\n1,2\n\n");
    EXPECT_TRUE(said(L"Schnittpunkte nicht gefunden..."));
    EXPECT_EQ(chains().size(), 1u);
    // Cancelled, nothing is made either.
    run(L"XOTA_Hdim\n-1,2\nESC\n");
    EXPECT_EQ(entities().size(), 4u);
}

TEST_F(CreateTest, TheAutoLispFunctionBuildsFromACuttingLine) {
    addLine(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0));
    addLine(AcGePoint3d(0, 4, 0), AcGePoint3d(10, 4, 0));
    addLine(AcGePoint3d(0, 9, 0), AcGePoint3d(10, 9, 0));
    ASSERT_TRUE(host::lispFunctions().isDefined(L"XOTA_LintaroMakeDimByLine"));
    // A vertical chain from a line with a bend: it crosses the three floors.
    host::hostInput().pushSource(
        std::make_unique<host::ScriptSource>(L"5,-1\n5,4.5\n6,10\n\n-3,0\n", L"lisp.scr"));
    host::LispValue vertical;
    vertical.type = RTSHORT;
    vertical.integer = 1;
    EXPECT_EQ(host::lispFunctions().invoke(L"XOTA_LintaroMakeDimByLine", {vertical}).status, RTNORM);
    const auto ids = chains();
    ASSERT_EQ(ids.size(), 1u);
    const ChainFacts f = factsOf(ids[0]);
    EXPECT_EQ(f.type, kDimVertical);
    ASSERT_EQ(f.inputs.size(), 3u);
    EXPECT_NEAR(f.inputs[0].y, 0, kTol);
    EXPECT_NEAR(f.inputs[1].y, 4, kTol);
    EXPECT_NEAR(f.inputs[2].y, 9, kTol);
    EXPECT_NEAR(f.dims[0].x, -3, kTol);

    host::LispValue bad;
    bad.type = RTSHORT;
    bad.integer = 7;
    EXPECT_NE(host::lispFunctions().invoke(L"XOTA_LintaroMakeDimByLine", {bad}).status, RTNORM);
    EXPECT_EQ(chains().size(), 1u);
}

TEST(CreateRules, RepeatedPointsAreDroppedAndPlacementSidesFollowThePoints) {
    const std::vector<AcGePoint3d> pts = {{0, 0, 0}, {1, 0, 0}, {0, 0, 0}, {1, 0, 1e-12}, {2, 0, 0}};
    const std::vector<AcGePoint3d> kept = DropRepeatedPoints(pts);
    ASSERT_EQ(kept.size(), 3u);
    EXPECT_POINT(kept[2], 2, 0);

    const AcGeVector3d offset(0, 10, 0);
    EXPECT_POINT(LagepunktLinePoint({5, 5, 0}, {0, 100, 0}, offset), 5, 15);
    EXPECT_POINT(LagepunktLinePoint({5, 5, 0}, {0, -100, 0}, offset), 5, -5);
    EXPECT_POINT(LagepunktLinePoint({5, 5, 0}, {5, 5, 0}, offset), 5, 15)
        << "a tie goes to the positive side";

    const AcGeVector3d x(1, 0, 0), z(0, 0, 1);
    EXPECT_POINT(ParallelLinePoint({0, -5, 0}, x, z, 2, {0, 0, 0}, AcGePoint3d(3, -9, 0)), 0, -7);
    EXPECT_POINT(ParallelLinePoint({0, -5, 0}, x, z, 2, {0, 0, 0}, AcGePoint3d(3, 9, 0)), 0, -3);
    EXPECT_POINT(ParallelLinePoint({0, -5, 0}, x, z, 2, {0, 0, 0}, std::nullopt), 0, -7)
        << "away from the object";
    EXPECT_POINT(ParallelLinePoint({0, 5, 0}, -x, z, 2, {0, 0, 0}, std::nullopt), 0, 7);
}
