#include "tests/module/chain/TRdimTestEnv.h"

#include "host/rx/AcRxClass.h"
#include "host/win/FormatW.h"
#include "module/base/ModuleInfo.h"

#include <cmath>

using namespace chaintest;

namespace {

AcGePoint3d P(double x, double y, double z = 0) {
    return AcGePoint3d(x, y, z);
}

std::vector<std::wstring> split(const std::wstring& text, wchar_t sep) {
    std::vector<std::wstring> parts(1);
    for (wchar_t c : text) {
        if (c == sep)
            parts.emplace_back();
        else
            parts.back() += c;
    }
    return parts;
}

} // namespace

// The host finds the chain class under the names, versions and proxy rights that
// drawings made by earlier versions carry.
TEST_F(ChainTest, TheClassIsRegisteredAsDrawingsExpectIt) {
    AcRxClass* cls = TRdim::desc();
    ASSERT_NE(cls, nullptr);
    EXPECT_STREQ(cls->name(), L"TRdim");
    EXPECT_STREQ(cls->dxfName(), L"XOTA_LINTARO");
    EXPECT_EQ(cls->myParent(), AcDbEntity::desc());
    int maintenance = 0;
    EXPECT_EQ(cls->getClassVersion(maintenance), 31);
    EXPECT_EQ(maintenance, 8);
    EXPECT_EQ(cls->proxyFlags(), 3071);
    const std::vector<std::wstring> fields = split(cls->appName(), L'|');
    ASSERT_EQ(fields.size(), 4u);
    EXPECT_NE(fields[0].find(L" - "), std::wstring::npos);
    EXPECT_EQ(fields[1], L"Product Desc: " + fields[0]);
    EXPECT_EQ(fields[2].rfind(L"Company: ", 0), 0u);
    EXPECT_EQ(fields[3].rfind(L"WEB Address: ", 0), 0u);

    // The factory makes an empty chain, as reading a drawing expects.
    std::unique_ptr<AcRxObject> made(cls->create());
    TRdim* chain = TRdim::cast(made.get());
    ASSERT_NE(chain, nullptr);
    EXPECT_EQ(chain->GetExtensions(), 0);
    EXPECT_TRUE(chain->Texts().empty());
    EXPECT_TRUE(chain->GetZAxis().isZeroLength());
    // A type no chain has is refused and says so.
    clearTranscript();
    TRdim unknown(P(0, 0), P(5, 0), 7, P(2, 2), AcGeMatrix3d());
    EXPECT_EQ(unknown.GetExtensions(), 0);
    EXPECT_NE(transcript().find(L"Unbekannter Ma\u00DFkettentyp 7."), std::wstring::npos);
}

// Index errors give neutral values and change nothing.
TEST_F(ChainTest, PointAccessorsAnswerBadIndicesWithNeutralValues) {
    auto chain = makeChain({P(0, 0), P(4, 0), P(10, 0)}, kDimHorizontal, P(0, 3));
    EXPECT_POINT_NEAR(chain->GetPointDim(3), P(10, 3), kGeomTol);
    EXPECT_POINT_NEAR(chain->GetPointDim(-99), P(0, 3), kGeomTol);
    EXPECT_POINT_NEAR(chain->GetPointDim(-100), P(4, 3), kGeomTol);
    EXPECT_POINT_NEAR(chain->GetPointDim(-2), P(10, 3), kGeomTol);
    EXPECT_POINT_NEAR(chain->GetPointDim(4), AcGePoint3d::kOrigin, 0.0);
    EXPECT_POINT_NEAR(chain->GetPointInput(-1), P(4, 0), kGeomTol);
    EXPECT_POINT_NEAR(chain->GetPointInput(3), AcGePoint3d::kOrigin, 0.0);
    EXPECT_POINT_NEAR(chain->GetPointExt(7), AcGePoint3d::kOrigin, 0.0);
    EXPECT_EQ(chain->SetPointText(9, P(1, 1), false), 0);
    EXPECT_EQ(chain->GetInputPointCount(P(4, 0)), 1);
    EXPECT_EQ(chain->GetInputPointCount(P(4, 0.001)), 0);
    // A text point is kept in the chain's plane.
    EXPECT_EQ(chain->SetPointText(1, P(2, 5, 7), false), 1);
    EXPECT_POINT_NEAR(chain->GetPointTextPos(1), P(2, 5, 0), kGeomTol);

    TRdim empty;
    EXPECT_POINT_NEAR(empty.GetPointInput(0), AcGePoint3d::kOrigin, 0.0);
    EXPECT_POINT_NEAR(empty.GetPointDim(0), AcGePoint3d::kOrigin, 0.0);
    EXPECT_EQ(empty.SetPointInput(0, P(1, 1), kPointNew), -1);
    EXPECT_EQ(empty.RemoveDimExt(0), 0);
    EXPECT_EQ(empty.GetDistance(1), 0.0);
    EXPECT_EQ(empty.UpdateDimText(1), 0);
}

// Segment texts: value and position code, manual value, prefix and suffix, each kept
// when another part changes.
TEST_F(ChainTest, SegmentTextEntriesKeepTheirParts) {
    auto chain = makeChain({P(0, 0), P(2.5, 0)}, kDimHorizontal, P(0, 3));
    ASSERT_EQ(chain->Texts().size(), 2u);
    EXPECT_EQ(chain->GetTextEntry(0), L"");
    EXPECT_EQ(valueOf(*chain, 1), L"2,50");
    std::vector<std::wstring> parts;
    EXPECT_EQ(chain->GetDimTextArray(1, parts), 1);
    EXPECT_EQ(chain->GetDimTextArray(0, parts), 0);
    EXPECT_EQ(chain->GetDimTextArray(2, parts), 0);

    EXPECT_EQ(chain->SetDimTextPos(1, 5), 1);
    EXPECT_EQ(chain->SetDimTextSuffix(1, L"m\u00B2"), 1);
    EXPECT_EQ(chain->GetTextEntry(1), L"2,50#5@@@m\u00B2");
    EXPECT_EQ(chain->SetDimTextPrefix(1, L"ca."), 1);
    EXPECT_EQ(chain->SetDimTextUser(1, L"2,5"), 1);
    EXPECT_EQ(chain->GetTextEntry(1), L"2,50#5@2,5@ca.@m\u00B2");
    EXPECT_EQ(chain->GetDimTextArray(1, parts), 4);
    EXPECT_EQ(chain->SetDimTextPrefix(1, nullptr), 1);
    EXPECT_EQ(chain->GetDimTextPrefix(1), L"");
    EXPECT_EQ(chain->GetDimTextSuffix(1), L"m\u00B2");
    EXPECT_EQ(chain->GetDimTextPos(1, false), 5);

    // A value of nothing is refused; an empty value is "0"; the code stays.
    EXPECT_EQ(chain->SetDimTextDim(1, nullptr), 0);
    EXPECT_EQ(valueOf(*chain, 1), L"2,50");
    EXPECT_EQ(chain->SetDimTextDim(1, L""), 1);
    EXPECT_EQ(valueOf(*chain, 1), L"0");
    EXPECT_EQ(chain->GetDimTextPos(1, false), 5);
    // "@" would split the entry: refused with a message, nothing changed.
    const std::wstring before = chain->GetTextEntry(1);
    clearTranscript();
    EXPECT_EQ(chain->SetDimTextPrefix(1, L"a@b"), 0);
    EXPECT_EQ(chain->SetDimTextDim(1, L"1#2"), 0);
    EXPECT_EQ(chain->GetTextEntry(1), before);
    EXPECT_NE(transcript().find(L"@"), std::wstring::npos);
    EXPECT_EQ(chain->SetDimTextPrefix(5, L"x"), 0);
    EXPECT_EQ(chain->Texts().size(), 2u);

    // Negative (automatic) codes keep their sign unless asked for the absolute value.
    chain->SetDimTextPos(1, -14);
    EXPECT_EQ(chain->GetDimTextPos(1, false), -14);
    EXPECT_EQ(chain->GetDimTextPos(1, true), 14);
    // The sum sits at 4 after a last text at 14, at 6 when the label comes first.
    EXPECT_EQ(chain->GetDimTextPos(2, false), 4);
    chain->SetParamString(IND_S_DimDescription, L"2Summe");
    EXPECT_EQ(chain->GetDimTextPos(2, false), 6);
}

// One appended text per segment; segment 0 is segment 1.
TEST_F(ChainTest, AppendedTextsOnePerSegment) {
    auto chain = makeChain({P(0, 0), P(4, 0), P(10, 0)}, kDimHorizontal, P(0, 3));
    AppendingText rec;
    rec.m_strText = L"Br\u00FCstung";
    rec.m_strText3 = L"temporary";
    EXPECT_GE(chain->SetAppendingText(0, &rec), 0);
    AppendingText* found = nullptr;
    ASSERT_GE(chain->GetAppendingText(1, &found), 0);
    EXPECT_EQ(found->m_iSegment, 1);
    EXPECT_EQ(found->m_strText, L"Br\u00FCstung");
    EXPECT_EQ(found->m_strText3, L"");
    rec.m_strText = L"neu";
    chain->SetAppendingText(1, &rec);
    ASSERT_EQ(chain->AppTexts().size(), 1u);
    EXPECT_EQ(chain->AppTexts()[0].m_strText, L"neu");
    chain->SetAppendingText(2, &rec);
    EXPECT_EQ(chain->AppTexts().size(), 2u);
    chain->SetAppendingText(1, nullptr);
    ASSERT_EQ(chain->AppTexts().size(), 1u);
    EXPECT_EQ(chain->AppTexts()[0].m_iSegment, 2);
    EXPECT_EQ(chain->GetAppendingText(1, &found), -1);
    EXPECT_EQ(found, nullptr);
}

// Hidden lines, leaders and tick overrides live in the flag word of each extension.
TEST_F(ChainTest, ExtensionFlagsAndTickSymbols) {
    auto chain = makeChain({P(0, 0), P(4, 0), P(10, 0)}, kDimHorizontal, P(0, 3));
    chain->SetTickSymbol(-1, kTickOblique);
    EXPECT_EQ(chain->SetExtHidden(1, true), 0);
    EXPECT_EQ(chain->SetExtHidden(1, true), 1);
    EXPECT_FALSE(chain->IsExtVisible(1));
    EXPECT_TRUE(chain->IsExtVisible(7));
    EXPECT_EQ(chain->SetExtHidden(7, true), 0);
    EXPECT_EQ(chain->ExtFlags().size(), 3u);
    EXPECT_EQ(chain->SetExtLeader(2, true), 0);
    EXPECT_TRUE(chain->IsExtLeader(2));
    EXPECT_EQ(chain->SetExtHidden(1, false), 1);
    EXPECT_TRUE(chain->IsExtVisible(1));

    // The chain's own code on one extension leaves it without override.
    EXPECT_EQ(chain->SetTickSymbol(1, kTickOblique), kTickOblique);
    EXPECT_EQ(chain->ExtFlags()[1] & kExtTickMask, 0u);
    EXPECT_EQ(chain->GetTickSymbol(-1), kTickOblique);
    chain->SetTickSymbol(1, kTickCross);
    EXPECT_EQ(chain->GetTickSymbol(1), kTickCross);
    EXPECT_EQ(chain->GetTickSymbol(0), kTickOblique);
    EXPECT_EQ(chain->GetTickSymbol(-1), -1);
    // A new code for the chain clears every override and keeps the other bits.
    chain->SetTickSymbol(-1, kTickArrow);
    EXPECT_EQ(chain->GetTickSymbol(-1), kTickArrow);
    EXPECT_EQ(chain->GetTickSymbol(1), kTickArrow);
    EXPECT_TRUE(chain->IsExtLeader(2));
}

// Sum, background and alternate units follow the global flag at status 0.
TEST_F(ChainTest, StatusValuesFollowTheGlobalFlagsAtZero) {
    auto chain = makeChain({P(0, 0), P(4, 0)}, kDimHorizontal, P(0, 3));
    for (int flag : {0, 1}) {
        pGlobDimOptions->SetOptFlag(IND_OPT_B_ShowSumOfDim, flag);
        pGlobDimOptions->SetOptFlag(IND_OPT_B_WipeOut, flag);
        pGlobDimOptions->SetOptFlag(IND_OPT_B_AltUnits, flag);
        chain->SetParamInt(IND_I_SumStatus, 0);
        chain->SetParamInt(IND_I_WipeOutStatus, 1);
        chain->SetParamInt(IND_I_AltUnitsStatus, 2);
        EXPECT_EQ(chain->IsSumShown(), flag == 1);
        EXPECT_TRUE(chain->IsWipeOutOn());
        EXPECT_FALSE(chain->IsAltUnitsOn());
    }
}

// A copy is complete and independent; copying parameters keeps the arc settings.
TEST_F(ChainTest, CopiesAreCompleteAndIndependent) {
    const double a = 0.4;
    AcGeMatrix3d ucs;
    ucs.setCoordSystem(P(3, 2), AcGeVector3d(std::cos(a), std::sin(a), 0),
                       AcGeVector3d(-std::sin(a), std::cos(a), 0), AcGeVector3d::kZAxis);
    auto source =
        makeChain({ucs * P(0, 0), ucs * P(4, 0), ucs * P(9, 0)}, kDimAligned, ucs * P(0, 2), true, ucs);
    source->SetDimTextPrefix(2, L"ca.");
    source->SetExtHidden(1, true);
    source->SetTickSymbol(2, kTickCross);
    AppendingText rec;
    rec.m_strText = L"OK FFB";
    source->SetAppendingText(1, &rec);
    source->SetParamDouble(IND_D_DimLineDist, 12.5);
    source->setColorIndex(3);

    TRdim copy;
    EXPECT_EQ(copy.CopyFrom(source.get()), 1);
    EXPECT_EQ(copy.GetDimType(), kDimAligned);
    EXPECT_TRUE(copy.Points() == source->Points());
    EXPECT_EQ(copy.Texts(), source->Texts());
    EXPECT_EQ(copy.ExtFlags(), source->ExtFlags());
    EXPECT_EQ(copy.ArrayDouble(), source->ArrayDouble());
    EXPECT_EQ(copy.ArrayString(), source->ArrayString());
    EXPECT_EQ(copy.ArrayInt(), source->ArrayInt());
    EXPECT_POINT_NEAR(copy.GetUcsOrigin(), source->GetUcsOrigin(), 0.0);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(copy.GetUcsAxis(i) == source->GetUcsAxis(i));
    EXPECT_EQ(copy.GetRotation(), source->GetRotation());
    EXPECT_TRUE(copy.GetVectorDim() == source->GetVectorDim());
    EXPECT_EQ(copy.colorIndex(), 3);
    ASSERT_EQ(copy.AppTexts().size(), 1u);
    copy.SetDimTextPrefix(2, L"x");
    AppendingText changed;
    changed.m_strText = L"anders";
    copy.SetAppendingText(1, &changed);
    EXPECT_EQ(source->GetDimTextPrefix(2), L"ca.");
    EXPECT_EQ(source->AppTexts()[0].m_strText, L"OK FFB");

    // Parameters from another chain, but its own arc settings.
    for (int index : {IND_I_ArcDimMinPoint, IND_I_ArcDimMaxPoint, IND_I_ArcDimAsCircle, IND_I_ArcDimCW,
                      IND_I_ArcDimInputArcIsCircle}) {
        copy.SetParamInt(index, 1);
        source->SetParamInt(index, 0);
    }
    source->SetParamInt(IND_I_Decimals, 3);
    copy.CopyParams(source.get());
    EXPECT_EQ(copy.GetParamInt(IND_I_Decimals), 3u);
    EXPECT_EQ(copy.GetParamInt(IND_I_ArcDimAsCircle), 1u);
    EXPECT_EQ(copy.GetParamInt(IND_I_ArcDimInputArcIsCircle), 1u);

    // A transformed copy moves, and measures the same.
    AcDbEntity* moved = nullptr;
    ASSERT_EQ(source->getTransformedCopy(AcGeMatrix3d::translation(AcGeVector3d(100, 0, 0)), moved),
              Acad::eOk);
    std::unique_ptr<AcDbEntity> owned(moved);
    TRdim* movedChain = TRdim::cast(moved);
    ASSERT_NE(movedChain, nullptr);
    EXPECT_POINT_NEAR(movedChain->GetPointDim(2), source->GetPointDim(2) + AcGeVector3d(100, 0, 0), kGeomTol);
    EXPECT_EQ(valueOf(*movedChain, 2), valueOf(*source, 2));
}

// The listing prints the chain's own lines after the host's, exactly.
TEST_F(ChainTest, ListingShowsTypeUcsPointsAndTexts) {
    auto chain = makeChain({P(0, 0), P(4, 0), P(10, 0.5)}, kDimHorizontal, P(0, 3));
    chain->SetDimTextUser(2, L"ca. 6");
    clearTranscript();
    chain->list();
    const std::wstring out = transcript();
    const size_t at = out.find(L" Ver=");
    ASSERT_NE(at, std::wstring::npos) << std::string(out.begin(), out.end());
    std::wstring expected =
        host::FormatW(L" Ver=%d ", static_cast<int>(chain->GetParamInt(IND_I_AppVersion)));
    expected += L"    Typ: 0 \n    Anzahl von Hilfslinien: 3 \n    Rotation: 0.0 (0.0)";
    expected += L" vecDim: 1.0,0.0,0.0 ";
    expected += L"\nOriginal-BKS: X(1.00,0.00,0.00) Y(0.00,1.00,0.00) Z(0.00,0.00,1.00) ";
    expected += L"\n-----------";
    expected += L"\n  E0=0.000000, 0.000000, 0.000000 \n  D0=0.000000, 3.000000, 0.000000 ";
    expected += L"\n  E1=4.000000, 0.000000, 0.000000 \n  D1=4.000000, 3.000000, 0.000000 ";
    expected += L"\n      Text1=4,00  (Dist=4.000000000000000) ";
    expected += L"\n  E2=10.000000, 0.500000, 0.000000 \n  D2=10.000000, 3.000000, 0.000000 ";
    expected += L"\n      Text2=ca. 6  (Dist=6.000000000000000) ";
    expected += L"\n------------\n";
    EXPECT_EQ(out.substr(at), expected);
    EXPECT_EQ(chain->GetParamInt(IND_I_AppVersion), static_cast<std::uint32_t>(GetProgramVersionNumber()));
}
