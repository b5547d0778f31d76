// Leaders and hatches from other programs' files: read with their geometry, drawn,
// kept through our drawing file, and written so that ezdxf reads the same back.
#include "DxfTestHelpers.h"
#include "host/db/entities/AcDbHatch.h"
#include "host/db/entities/AcDbLeader.h"
#include "host/gi/RecordingWorldDraw.h"
#include "host/io/DrawingFile.h"
#include "host/io/dxf/DxfExport.h"
#include "host/io/dxf/DxfImport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <numbers>

namespace {

constexpr double kTol = 1e-9;

// A 10 x 6 area of lines and a half-circle edge (bulging out to x = 13), an
// island given as a polyline, hatched at 45 degrees every 1.5 units; a solid
// triangle; a leader with three points.
const std::string kFile =
    "0\nSECTION\n2\nENTITIES\n"
    "0\nHATCH\n8\nHatch\n10\n0\n20\n0\n30\n0\n2\nANSI31\n70\n0\n71\n0\n91\n2\n"
    "92\n1\n93\n4\n"
    "72\n1\n10\n0\n20\n0\n11\n10\n21\n0\n"
    "72\n2\n10\n10\n20\n3\n40\n3\n50\n270\n51\n90\n73\n1\n"
    "72\n1\n10\n10\n20\n6\n11\n0\n21\n6\n"
    "72\n1\n10\n0\n20\n6\n11\n0\n21\n0\n97\n0\n"
    "92\n2\n72\n0\n73\n1\n93\n4\n10\n4\n20\n2\n10\n6\n20\n2\n10\n6\n20\n4\n10\n4\n20\n4\n97\n0\n"
    "75\n0\n76\n1\n52\n0\n41\n1\n77\n0\n78\n1\n"
    "53\n45\n43\n0\n44\n0\n45\n-1.0606601717798212\n46\n1.0606601717798212\n79\n0\n98\n0\n"
    "0\nHATCH\n8\nHatch\n2\nSOLID\n70\n1\n91\n1\n92\n2\n72\n0\n73\n1\n93\n3\n10\n20\n20\n0\n10\n24\n20\n0\n10\n20\n20\n3\n"
    "97\n0\n75\n0\n76\n1\n98\n0\n"
    "0\nLEADER\n8\nNotes\n3\nStandard\n71\n1\n72\n0\n73\n3\n76\n3\n10\n0\n20\n10\n30\n0\n10\n5\n20\n15\n30\n0\n"
    "10\n9\n20\n15\n30\n0\n"
    "0\nENDSEC\n0\nEOF\n";

template <class T>
std::vector<const T*> all(AcDbDatabase* db) {
    std::vector<const T*> out;
    const auto* ms = AcDbBlockTableRecord::cast(static_cast<AcDbStub*>(db->modelSpaceId())->object);
    for (AcDbObjectId id : ms->entityIds())
        if (const T* e = T::cast(static_cast<AcDbStub*>(id)->object)) out.push_back(e);
    return out;
}

host::gi::GiRecording drawn(const AcDbEntity* ent) {
    host::gi::RecordingWorldDraw wd;
    wd.setDatabase(ent->database());
    wd.drawDrawable(const_cast<AcDbEntity*>(ent));
    return wd.takePrimitives();
}

// What a drawing's hatches and leaders are, checked the same way after each trip.
void expectTheAnnotations(AcDbDatabase* db, const char* trip) {
    const auto hatches = all<AcDbHatch>(db);
    ASSERT_EQ(hatches.size(), 2u) << trip;
    const AcDbHatch* h = hatches[0];
    EXPECT_STREQ(h->patternName(), L"ANSI31") << trip;
    ASSERT_EQ(h->numLoops(), 2) << trip;
    Adesk::Int32 type = 0;
    AcGePoint2dArray v;
    AcGeDoubleArray b;
    h->getLoopAt(0, type, v, b);
    ASSERT_EQ(v.length(), 4) << trip << ": line, arc, line, line";
    EXPECT_TRUE(v[1].isEqualTo(AcGePoint2d(10, 0))) << trip;
    EXPECT_NEAR(b[1], 1.0, kTol) << trip << ": the half circle as a bulge";
    EXPECT_TRUE(h->isSolidFill() == false && hatches[1]->isSolidFill()) << trip;
    double angle = 0, bx = 0, by = 0, ox = 0, oy = 0;
    AcGeDoubleArray dashes;
    ASSERT_EQ(h->getPatternDefinitionAt(0, angle, bx, by, ox, oy, dashes), Acad::eOk) << trip;
    EXPECT_NEAR(angle, std::numbers::pi / 4, kTol) << trip;
    EXPECT_NEAR(std::hypot(ox, oy), 1.5, kTol) << trip;

    // Drawn: 45-degree strokes inside the outline and out of the island.
    size_t strokes = 0;
    for (const auto& p : drawn(h)) {
        ASSERT_EQ(p.points.size(), 2u) << trip;
        const AcGeVector3d d = p.points[1] - p.points[0];
        EXPECT_NEAR(std::fabs(d.x), std::fabs(d.y), 1e-6) << trip;
        for (const AcGePoint3d& q : p.points) {
            const AcGeVector3d fromCentre = q - AcGePoint3d(10, 3, 0);
            EXPECT_TRUE(q.x <= 10 + 1e-6 || fromCentre.length() <= 3 + 1e-3) << trip << ": inside the half circle";
        }
        const AcGePoint3d mid = p.points[0] + d / 2;
        EXPECT_FALSE(mid.x > 4 + 1e-6 && mid.x < 6 - 1e-6 && mid.y > 2 + 1e-6 && mid.y < 4 - 1e-6) << trip;
        ++strokes;
    }
    EXPECT_GT(strokes, 8u) << trip;
    const auto solid = drawn(hatches[1]);
    ASSERT_EQ(solid.size(), 1u) << trip;
    EXPECT_TRUE(solid[0].isFilled()) << trip;

    const auto leaders = all<AcDbLeader>(db);
    ASSERT_EQ(leaders.size(), 1u) << trip;
    ASSERT_EQ(leaders[0]->numVertices(), 3) << trip;
    EXPECT_TRUE(leaders[0]->vertexAt(2).isEqualTo(AcGePoint3d(9, 15, 0))) << trip;
    EXPECT_TRUE(leaders[0]->hasArrowHead()) << trip;
}

} // namespace

TEST(DxfAnnotations, LeadersAndHatchesComeInGoThroughOurFileAndOut) {
    dxftest::Drawing dwg;
    host::dxf::DxfImportReport report;
    std::wstring error;
    ASSERT_TRUE(host::dxf::importDxf(kFile, dwg.db.get(), report, error)) << dxftest::narrow(error);
    EXPECT_TRUE(report.notImportedLine().empty()) << dxftest::narrow(report.notImportedLine());
    expectTheAnnotations(dwg.db.get(), "imported");
    // The arrowhead: a filled triangle at the first point, as long as the style's arrows.
    const auto leader = drawn(all<AcDbLeader>(dwg.db.get())[0]);
    ASSERT_EQ(leader.size(), 2u);
    EXPECT_TRUE(leader[1].isFilled());
    EXPECT_TRUE(leader[1].points[0].isEqualTo(AcGePoint3d(0, 10, 0)));
    const double arrow = all<AcDbLeader>(dwg.db.get())[0]->arrowSize();
    EXPECT_NEAR((leader[1].points[1] - leader[1].points[0]).length(), arrow * std::sqrt(1.0 + 1.0 / 36.0), 1e-9);

    const std::filesystem::path path = std::filesystem::temp_directory_path() / "lintaro_annotations.dwg";
    ASSERT_TRUE(host::io::saveDrawingFile(dwg.db.get(), path.wstring(), false, error)) << dxftest::narrow(error);
    host::io::DrawingReadReport read;
    std::unique_ptr<AcDbDatabase> back = host::io::readDrawingFile(path.wstring(), read);
    std::filesystem::remove(path);
    ASSERT_TRUE(back) << dxftest::narrow(read.error);
    expectTheAnnotations(back.get(), "through the drawing file");

    std::string out;
    host::dxf::DxfExportReport exported;
    ASSERT_TRUE(host::dxf::exportDxf(back.get(), out, exported, error)) << dxftest::narrow(error);
    dxftest::Drawing again;
    ASSERT_TRUE(host::dxf::importDxf(out, again.db.get(), report, error)) << dxftest::narrow(error);
    expectTheAnnotations(again.db.get(), "exported and read again");

    if (!dxftest::ezdxfAvailable()) GTEST_SKIP() << "/usr/bin/python3 with ezdxf is missing: the audit was skipped";
    const std::string file = (std::filesystem::temp_directory_path() / "lintaro_annotations.dxf").string();
    ASSERT_TRUE(host::dxf::exportDxfFile(back.get(), file, exported, error));
    int status = 0;
    const std::string seen = dxftest::ezdxfScript(
        "doc = ezdxf.readfile(sys.argv[1])\n"
        "for h in doc.modelspace().query('HATCH'):\n"
        "    print('hatch', h.dxf.pattern_name, len(h.paths), len(h.pattern.lines) if h.pattern else 0)\n"
        "for l in doc.modelspace().query('LEADER'): print('leader', len(l.vertices))\n",
        file, status);
    EXPECT_NE(seen.find("hatch ANSI31 2 1"), std::string::npos) << seen;
    EXPECT_NE(seen.find("hatch SOLID 1 0"), std::string::npos) << seen;
    EXPECT_NE(seen.find("leader 3"), std::string::npos) << seen;
    int errors = -1, fixes = -1;
    const std::string audit = dxftest::ezdxfAudit(file, errors, fixes);
    EXPECT_EQ(errors, 0) << audit;
    EXPECT_EQ(fixes, 0) << audit;
    std::filesystem::remove(file);
}
