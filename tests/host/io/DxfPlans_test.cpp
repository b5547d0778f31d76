// Real plans from other programs: what they hold comes in, counted as ezdxf counts it.
#include "DxfTestHelpers.h"
#include "host/io/dxf/DxfImport.h"

#include <gtest/gtest.h>

namespace {

const char* const kPlans[] = {
    "barcelona_pavilion_plan_R2013.dxf", "barcelona_pavilion_plan_R2000.dxf", "freecad_manual_cabin_R2013.dxf",
    "woodshed_plan_R2007.dxf",
};

} // namespace

TEST(DxfPlans, ImportKeepsTheCountsOfEveryPlan) {
    if (dxftest::planPath(kPlans[0]).empty()) GTEST_SKIP() << "the real plans are not in " << dxftest::plansDir();
    for (const char* plan : kPlans) {
        const std::string path = dxftest::planPath(plan);
        dxftest::Drawing dwg;
        host::dxf::DxfImportReport report;
        std::wstring error;
        ASSERT_TRUE(host::dxf::importDxfFile(path, dwg.db.get(), report, error)) << plan << ": " << dxftest::narrow(error);
        std::printf("%s\n  %s\n  %s\n", plan, dxftest::narrow(report.importedLine()).c_str(),
                    dxftest::narrow(report.notImportedLine()).c_str());
        const auto ours = dxftest::countByType(dwg.db.get());
        if (!dxftest::ezdxfAvailable()) continue;
        for (const auto& [type, n] : dxftest::ezdxfCounts(path)) {
            const size_t left = report.notImported.count(std::wstring(type.begin(), type.end()))
                                    ? report.notImported.at(std::wstring(type.begin(), type.end()))
                                    : 0;
            EXPECT_EQ(ours.count(type) ? ours.at(type) : 0, n - std::min(n, left))
                << plan << ": " << type << " (" << left << " counted as not imported)";
        }
    }
}
