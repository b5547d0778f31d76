#include "DbTestHelpers.h"
#include "host/db/entities/AcDbAnnotationScale.h"
#include "host/db/entities/AcDbAnnotativeObjectPE.h"
#include "host/db/entities/AcDbLine.h"
#include "host/db/entities/AcDbMText.h"
#include "host/db/entities/AcDbText.h"
#include "host/gi/RecordingWorldDraw.h"
#include "host/rx/acutString.h"

#include <gtest/gtest.h>

#include <numbers>

using dbtest::kGeomTol;

namespace {
const host::gi::GiPrimitive* firstText(const host::gi::GiRecording& rec) {
    for (const auto& p : rec)
        if (p.kind == host::gi::GiPrimitive::Text) return &p;
    return nullptr;
}
} // namespace

TEST(AcDbText, AlignmentPlacesTheTextAroundItsAlignmentPoint) {
    dbtest::Drawing d;
    AcDbText left(AcGePoint3d(0, 0, 0), L"Wand", d.db->textstyle(), 2.0);
    AcDbText right(AcGePoint3d(0, 0, 0), L"Wand", d.db->textstyle(), 2.0);
    right.setHorizontalMode(AcDb::kTextRight);
    right.setAlignmentPoint(AcGePoint3d(10, 0, 0));
    AcDbText middle(AcGePoint3d(0, 0, 0), L"Wand", d.db->textstyle(), 2.0);
    middle.setHorizontalMode(AcDb::kTextMid);
    middle.setAlignmentPoint(AcGePoint3d(5, 5, 0));

    AcDbExtents le, re, me;
    ASSERT_EQ(left.getGeomExtents(le), Acad::eOk);
    ASSERT_EQ(right.getGeomExtents(re), Acad::eOk);
    ASSERT_EQ(middle.getGeomExtents(me), Acad::eOk);
    double width = le.maxPoint().x - le.minPoint().x;
    EXPECT_GT(width, 2.0) << "four letters at height 2 are wider than one letter";
    EXPECT_NEAR(le.minPoint().x, 0.0, 0.5) << "left text starts at its position";
    EXPECT_NEAR(re.maxPoint().x, 10.0, 1e-6) << "right text ends at its alignment point";
    EXPECT_NEAR((me.minPoint().x + me.maxPoint().x) / 2, 5.0, 1e-6);
    EXPECT_NEAR((me.minPoint().y + me.maxPoint().y) / 2, 5.0, 1e-6);

    // Rotated a quarter turn the text runs up the Y axis.
    left.setRotation(std::numbers::pi / 2);
    host::gi::RecordingWorldDraw wd;
    wd.drawDrawable(&left);
    const auto* t = firstText(wd.primitives());
    ASSERT_NE(t, nullptr);
    EXPECT_NEAR(t->direction.y, 1.0, kGeomTol);
    EXPECT_NEAR(t->height(), 2.0, kGeomTol);
    EXPECT_EQ(left.setHeight(0.0), Acad::eInvalidInput);
    EXPECT_EQ(left.setTextString(nullptr), Acad::eInvalidInput);
    EXPECT_STREQ(left.textStringConst(), L"Wand");
}

TEST(AcDbText, ScalingAndMirroringKeepTextReadable) {
    AcDbText t(AcGePoint3d(1, 0, 0), L"1,25", AcDbObjectId(), 0.25, 0.0);
    ASSERT_EQ(t.transformBy(AcGeMatrix3d::scaling(4.0, AcGePoint3d(0, 0, 0))), Acad::eOk);
    EXPECT_NEAR(t.height(), 1.0, kGeomTol);
    EXPECT_TRUE(t.position().isEqualTo(AcGePoint3d(4, 0, 0)));
    ASSERT_EQ(t.transformBy(AcGeMatrix3d::mirroring(AcGePlane(AcGePoint3d(0, 0, 0), AcGeVector3d::kXAxis))), Acad::eOk);
    EXPECT_NEAR(t.normal().z, 1.0, kGeomTol) << "a mirrored text stays in the plane, face up";
    EXPECT_NEAR(t.rotation(), 0.0, kGeomTol) << "and still reads left to right";
    EXPECT_TRUE(t.position().isEqualTo(AcGePoint3d(-4, 0, 0)));
}

TEST(AcDbText, MultilineTextCodesAndPlacement) {
    auto lines = host::mtextPlainLines(L"{\\fArial|b1;\\H1.5x;Decke}\\P\\S+5^-3;\\Pa\\\\b\\~c\\{d\\}");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], L"Decke");
    EXPECT_EQ(lines[1], L"+5/-3");
    EXPECT_EQ(lines[2], L"a\\b c{d}");
    EXPECT_EQ(host::mtextPlainLines(L"\\").front(), L"\\") << "a lone backslash at the end stays";

    dbtest::Drawing d;
    AcDbMText mt;
    mt.setContents(L"eins\\Pzwei");
    mt.setTextHeight(2.0);
    mt.setLocation(AcGePoint3d(0, 10, 0));
    mt.setAttachment(AcDbMText::kTopLeft);
    EXPECT_NEAR(mt.actualHeight(), 2.0 + 2.0 * 5.0 / 3.0, kGeomTol);
    host::gi::RecordingWorldDraw wd;
    wd.drawDrawable(&mt);
    std::vector<const host::gi::GiPrimitive*> texts;
    for (const auto& p : wd.primitives())
        if (p.kind == host::gi::GiPrimitive::Text) texts.push_back(&p);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_NEAR(texts[0]->position.y, 8.0, kGeomTol) << "the first baseline one height below the top";
    EXPECT_NEAR(texts[1]->position.y, 8.0 - 2.0 * 5.0 / 3.0, kGeomTol);
    wchar_t* plain = mt.text();
    EXPECT_STREQ(plain, L"eins\r\nzwei");
    acutDelString(plain);

    // A background mask is drawn first, filled, behind the text.
    mt.setBackgroundFill(true);
    host::gi::RecordingWorldDraw masked;
    masked.drawDrawable(&mt);
    ASSERT_FALSE(masked.primitives().empty());
    EXPECT_TRUE(masked.primitives().front().isFilled());
    EXPECT_EQ(mt.setAttachment(AcDbMText::AttachmentPoint(12)), Acad::eInvalidInput);
    EXPECT_EQ(mt.setDirection(AcGeVector3d(0, 0, 1)), Acad::eInvalidInput) << "a direction across the plane";
}

TEST(AcDbText, AnnotativeProtocolAndAnnotationScale) {
    dbtest::Drawing d;
    AcDbObjectId id = d.append(new AcDbText(AcGePoint3d(0, 0, 0), L"x"));
    AcDbObjectId lineId = d.append(new AcDbLine());
    AcDbEntity* ent = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(ent, id, AcDb::kForWrite), Acad::eOk);
    auto* pe = AcDbAnnotativeObjectPE::cast(ent->queryX(AcDbAnnotativeObjectPE::desc()));
    ASSERT_NE(pe, nullptr) << "texts carry the protocol";
    EXPECT_FALSE(pe->annotative(ent));
    ASSERT_EQ(pe->setAnnotative(ent, true), Acad::eOk);
    EXPECT_TRUE(pe->annotative(ent));
    ent->close();
    ASSERT_EQ(acdbOpenAcDbEntity(ent, lineId, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(ent->queryX(AcDbAnnotativeObjectPE::desc()), nullptr) << "lines do not";
    ent->close();

    std::unique_ptr<AcDbAnnotationScale> current(d.db->cannoscale());
    double scale = 0;
    current->getScale(scale);
    EXPECT_DOUBLE_EQ(scale, 1.0);
    AcDbAnnotationScale s50(L"1:50", 1.0, 50.0);
    ASSERT_EQ(d.db->setCannoscale(&s50), Acad::eOk);
    current.reset(d.db->cannoscale());
    current->getScale(scale);
    EXPECT_DOUBLE_EQ(scale, 0.02);
    std::wstring name;
    current->getName(name);
    EXPECT_EQ(name, L"1:50");
    AcDbAnnotationScale bad(L"0", 1.0, 1.0);
    EXPECT_EQ(bad.setDrawingUnits(0.0), Acad::eInvalidInput);
}

TEST(AcDbText, EntityNamesAndIdsRoundTripAndStaleNamesAreRefused) {
    ads_name name;
    AcDbObjectId id, back;
    {
        dbtest::Drawing d;
        id = d.append(new AcDbLine());
        ASSERT_EQ(acdbGetAdsName(name, id), Acad::eOk);
        ASSERT_EQ(acdbGetObjectId(back, name), Acad::eOk);
        EXPECT_EQ(back, id);
    }
    // The database is gone: the name stands for nothing and is refused, not followed.
    EXPECT_EQ(acdbGetObjectId(back, name), Acad::eInvalidAdsName);
    EXPECT_TRUE(back.isNull());
}
