// The dimensioning commands as a script drives them: which dimension each answer
// makes, and what a wrong pick does.
#include "host/ed/commands/DimensionCommands.h"

#include "EdSession.h"

#include "host/db/dimensions/AcDb2LineAngularDimension.h"
#include "host/db/dimensions/AcDb3PointAngularDimension.h"
#include "host/db/dimensions/AcDbAlignedDimension.h"
#include "host/db/dimensions/AcDbArcDimension.h"
#include "host/db/tables/AcDbBlockTableRecord.h"
#include "host/db/database/AcDbDatabase.h"
#include "host/db/dimensions/AcDbDiametricDimension.h"
#include "host/db/database/AcDbHostApplicationServices.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/db/dimensions/AcDbRadialDimension.h"
#include "host/db/dimensions/AcDbRotatedDimension.h"
#include "host/ed/commands/HostDrawCommands.h"
#include "host/ed/SysVars.h"

#include <cmath>
#include <memory>
#include <numbers>

namespace {

constexpr double kTol = 1e-9;

class DimensionCommands : public EdSession {
protected:
    void SetUp() override {
        EdSession::SetUp();
        host::registerDrawCommands();
        host::registerDimensionCommands();
        m_db = std::make_unique<AcDbDatabase>();
        acdbHostApplicationServices()->setWorkingDatabase(m_db.get());
    }
    void TearDown() override {
        acdbHostApplicationServices()->setWorkingDatabase(nullptr);
        m_db.reset();
        EdSession::TearDown();
    }
    void command(const wchar_t* name, const std::wstring& answers) {
        script(answers);
        host::commandLine().execute(name);
        host::hostInput().clearSources();
    }
    // The newest entity of model space as a T (null when it is something else).
    template <class T>
    T* last() {
        AcDbBlockTableRecord* space = nullptr;
        acdbOpenObject(space, m_db->modelSpaceId(), AcDb::kForRead);
        const AcDbObjectId id = space->entityIds().empty() ? AcDbObjectId() : space->entityIds().back();
        space->close();
        if (id.isNull()) return nullptr;
        return T::cast(static_cast<AcDbStub*>(id)->object);
    }
    size_t count() {
        AcDbBlockTableRecord* space = nullptr;
        acdbOpenObject(space, m_db->modelSpaceId(), AcDb::kForRead);
        const size_t n = space->entityIds().size();
        space->close();
        return n;
    }
    std::unique_ptr<AcDbDatabase> m_db;
};

} // namespace

TEST_F(DimensionCommands, LinearFollowsWhereTheLineIsPut) {
    command(L"DIMLINEAR", L"0,0\n1000,500\n500,-200\n");
    auto* horizontal = last<AcDbRotatedDimension>();
    ASSERT_NE(horizontal, nullptr);
    EXPECT_NEAR(horizontal->rotation(), 0.0, kTol) << "below the points: horizontal";
    double m = 0.0;
    horizontal->measurement(m);
    EXPECT_NEAR(m, 1000.0, kTol);
    command(L"DIMLINEAR", L"0,0\n1000,500\n1300,250\n");
    auto* vertical = last<AcDbRotatedDimension>();
    EXPECT_NEAR(vertical->rotation(), std::numbers::pi / 2.0, kTol) << "beside the points: vertical";
    vertical->measurement(m);
    EXPECT_NEAR(m, 500.0, kTol);
    command(L"DIMLINEAR", L"0,0\n1000,500\nR\n30\n0,800\n");
    last<AcDbRotatedDimension>()->measurement(m);
    const double a = std::numbers::pi / 6.0;
    EXPECT_NEAR(m, 1000.0 * std::cos(a) + 500.0 * std::sin(a), 1e-6) << "rotated by the angle typed";
    command(L"DIMALIGNED", L"0,0\n300,400\n0,100\n");
    last<AcDbAlignedDimension>()->measurement(m);
    EXPECT_NEAR(m, 500.0, kTol);
    // The same point twice is refused and asked again; a cancel makes nothing.
    const size_t before = count();
    command(L"DIMALIGNED", L"5,5\n5,5\nESC\n");
    EXPECT_TRUE(said(L"The second point is the first one."));
    EXPECT_EQ(count(), before);
}

TEST_F(DimensionCommands, CurvesAreMeasuredFromWhatIsPicked) {
    command(L"CIRCLE", L"0,0\n300\n");
    command(L"DIMRADIUS", L"300,0\n500,0\n");
    auto* radius = last<AcDbRadialDimension>();
    ASSERT_NE(radius, nullptr);
    double m = 0.0;
    radius->measurement(m);
    EXPECT_NEAR(m, 300.0, kTol);
    EXPECT_TRUE(radius->textPosition().isEqualTo({500, 0, 0})) << "the text where it was put";
    command(L"DIMDIAMETER", L"-300,0\n0,600\n");
    last<AcDbDiametricDimension>()->measurement(m);
    EXPECT_NEAR(m, 600.0, kTol);
    command(L"ARC", L"1000,0\n1300,300\n1600,0\n");
    command(L"DIMARC", L"1300,300\n1300,500\n");
    last<AcDbArcDimension>()->measurement(m);
    EXPECT_NEAR(m, 300.0 * std::numbers::pi, 1e-6);
    command(L"DIMANGULAR", L"1300,300\n1300,600\n");
    last<AcDb3PointAngularDimension>()->measurement(m);
    EXPECT_NEAR(m, std::numbers::pi, 1e-6) << "an arc's angle";
    command(L"LINE", L"0,1000\n1000,1000\n\n");
    command(L"LINE", L"0,1000\n0,2000\n\n");
    command(L"DIMANGULAR", L"500,1000\n0,1500\n200,1200\n");
    last<AcDb2LineAngularDimension>()->measurement(m);
    EXPECT_NEAR(m, std::numbers::pi / 2.0, kTol);
    command(L"DIMANGULAR", L"\n0,0\n100,0\n0,100\n-50,-50\n");
    last<AcDb3PointAngularDimension>()->measurement(m);
    EXPECT_NEAR(m, 1.5 * std::numbers::pi, kTol) << "three points on the far side";
    // A line is no circle: asked again, then cancelled, nothing made.
    const size_t before = count();
    command(L"DIMRADIUS", L"500,1000\nESC\n");
    EXPECT_TRUE(said(L"That is no arc or circle."));
    EXPECT_EQ(count(), before);
}
