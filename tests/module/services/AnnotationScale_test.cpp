#include "module/services/AnnotationScale.h"

#include "tests/module/options/OptionsTestEnv.h"

#include "host/db/entities/AcDbAnnotationScale.h"
#include "host/db/database/AcDbDatabase.h"
#include "host/db/database/AcDbHostApplicationServices.h"
#include "host/db/entities/AcDbLine.h"
#include "host/db/entities/AcDbText.h"

#include <memory>

namespace {

constexpr double kScaleTol = 1e-12;

using Annotation = OptionsTestEnv;

TEST_F(Annotation, CurrentAnnotationScaleOfAGivenOrTheWorkingDrawing) {
    AcDbHostApplicationServices* services = acdbHostApplicationServices();
    AcDbDatabase* before = services->workingDatabase();
    services->setWorkingDatabase(nullptr);
    EXPECT_NEAR(GetCurAnnotationScale(nullptr), 1.0, kScaleTol) << "no drawing at all";

    auto db = std::make_unique<AcDbDatabase>();
    AcDbAnnotationScale fifty(L"1:50", 1.0, 50.0);
    ASSERT_EQ(db->setCannoscale(&fifty), Acad::eOk);
    EXPECT_NEAR(GetCurAnnotationScale(db.get()), 0.02, kScaleTol);

    services->setWorkingDatabase(db.get());
    EXPECT_NEAR(GetCurAnnotationScale(nullptr), 0.02, kScaleTol);
    services->setWorkingDatabase(before);
}

TEST_F(Annotation, SetAnnotativeReportsOnlyARealChange) {
    auto db = std::make_unique<AcDbDatabase>();
    AcDbText text(AcGePoint3d(0, 0, 0), L"Wand", AcDbObjectId::kNull, 2.5, 0.0);
    EXPECT_FALSE(SetAnnotative(&text, false)) << "already not annotative";
    EXPECT_TRUE(SetAnnotative(&text, true));
    EXPECT_TRUE(text.isAnnotative());
    EXPECT_FALSE(SetAnnotative(&text, true));
    EXPECT_TRUE(SetAnnotative(&text, false));
    EXPECT_FALSE(text.isAnnotative());

    // A line cannot be annotative: nothing changes.
    AcDbLine line(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0));
    EXPECT_FALSE(SetAnnotative(&line, true));
    EXPECT_FALSE(line.isAnnotative());
    EXPECT_FALSE(SetAnnotative(nullptr, true));
}

} // namespace
