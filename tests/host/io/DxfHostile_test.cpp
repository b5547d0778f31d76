// DXF files no CAD program writes but a hostile one can: blocks that multiply,
// thousands of blocks, values outside their enumerations, numbers too small for a
// double. They come in, go out and save without running away or misbehaving.
#include "DxfTestHelpers.h"
#include "host/db/entities/AcDbBlockReference.h"
#include "host/db/entities/AcDbLine.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/io/DrawingReader.h"
#include "host/io/DrawingWriter.h"
#include "host/io/dxf/DxfExport.h"
#include "host/io/dxf/DxfImport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string group(int code, const std::string& value) { return std::to_string(code) + "\n" + value + "\n"; }

std::string insert(const std::string& block, double y) {
    return group(0, "INSERT") + group(8, "0") + group(2, block) + group(10, "0") + group(20, std::to_string(y)) +
           group(30, "0");
}

// levels blocks, each inserting the next `fan` times; the last holds one line. The
// model space holds `inserts` inserts of the first.
std::string nestedBlocks(int levels, int fan, int inserts) {
    std::string dxf = group(0, "SECTION") + group(2, "BLOCKS");
    for (int i = 0; i < levels; ++i) {
        const std::string name = "B" + std::to_string(i);
        dxf += group(0, "BLOCK") + group(8, "0") + group(2, name) + group(70, "0") + group(10, "0") +
               group(20, "0") + group(30, "0") + group(3, name);
        if (i + 1 == levels)
            dxf += group(0, "LINE") + group(8, "0") + group(10, "0") + group(20, "0") + group(30, "0") +
                   group(11, "1") + group(21, "0") + group(31, "0");
        else
            for (int k = 0; k < fan; ++k) dxf += insert("B" + std::to_string(i + 1), k);
        dxf += group(0, "ENDBLK") + group(8, "0");
    }
    dxf += group(0, "ENDSEC") + group(0, "SECTION") + group(2, "ENTITIES");
    for (int k = 0; k < inserts; ++k) dxf += insert("B0", 10.0 * k);
    return dxf + group(0, "ENDSEC") + group(0, "EOF");
}

size_t occurrences(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

} // namespace

TEST(DxfHostile, BlocksThatMultiplyExportAsTheyAreAndSaveUnchanged) {
    // Ten levels of ten: 10^9 lines if expanded. The file holds 61 inserts of the
    // first block, as in the report that ran out of memory.
    dxftest::Drawing dwg;
    host::dxf::DxfImportReport report;
    std::wstring error;
    ASSERT_TRUE(host::dxf::importDxf(nestedBlocks(10, 10, 61), dwg.db.get(), report, error))
        << dxftest::narrow(error);
    EXPECT_EQ(dxftest::countByType(dwg.db.get())["INSERT"], 61u);

    std::string out;
    host::dxf::DxfExportReport exported;
    ASSERT_TRUE(host::dxf::exportDxf(dwg.db.get(), out, exported, error)) << dxftest::narrow(error);
    // Each block once with its ten inserts, the model space's 61: nothing expanded.
    EXPECT_EQ(occurrences(out, "\nINSERT\n"), 9u * 10u + 61u);
    EXPECT_EQ(occurrences(out, "\nLINE\n"), 1u);
    // The extents come from the blocks' own: 61 rows 10 apart, each 9 levels of 0..9.
    const size_t extmax = out.find("$EXTMAX");
    ASSERT_NE(extmax, std::string::npos);
    EXPECT_NE(out.substr(extmax, 60).find("\n681"), std::string::npos) << out.substr(extmax, 60);

    // The drawing saves and reads back object for object.
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(host::io::drawingToBytes(dwg.db.get(), bytes, error)) << dxftest::narrow(error);
    host::io::DrawingReadReport read;
    auto back = host::io::drawingFromBytes(bytes.data(), bytes.size(), L"nested.dwg", read);
    ASSERT_TRUE(back) << dxftest::narrow(read.error);
    std::vector<uint8_t> again;
    ASSERT_TRUE(host::io::drawingToBytes(back.get(), again, error));
    EXPECT_EQ(again, bytes);
}

TEST(DxfHostile, ManyBlocksExportEachOnce) {
    // 3000 blocks in one chain: each holds the next. The export names every block
    // once and keeps their order (it used to gather all names again for each block).
    dxftest::Drawing dwg;
    host::dxf::DxfImportReport report;
    std::wstring error;
    ASSERT_TRUE(host::dxf::importDxf(nestedBlocks(3000, 1, 1), dwg.db.get(), report, error))
        << dxftest::narrow(error);
    std::string out;
    host::dxf::DxfExportReport exported;
    ASSERT_TRUE(host::dxf::exportDxf(dwg.db.get(), out, exported, error)) << dxftest::narrow(error);
    EXPECT_EQ(occurrences(out, "\nBLOCK\n"), 3000u + 2u) << "the blocks and the two spaces";
    EXPECT_EQ(occurrences(out, "\nINSERT\n"), 3000u);
    EXPECT_LT(out.find("\nB1\n"), out.find("\nB2999\n"));
}

TEST(DxfHostile, ValuesOutsideTheirRangeAreLeftAtTheDefault) {
    dxftest::Drawing dwg;
    const std::string dxf = group(0, "SECTION") + group(2, "ENTITIES") + group(0, "LINE") + group(8, "0") +
                            group(370, "-99999") + group(10, "1e-400") + group(20, "-2.5e-999") + group(30, "0") +
                            group(11, "0.000000000000000000000000000000000000000000000000000000000000000000000000"
                                      "00000000000000000000000000000000000000000000000000000000000000000000000000"
                                      "00000000000000000000000000000000000000000000000000000000000000000000000000"
                                      "00000000000000000000000000000000000000000000000000000000000000000000000000"
                                      "00000000000000000000000000000000000000000000000000000000000000000000000000"
                                      "000000000000000000000000000001") +
                            group(21, "5") + group(31, "0") + group(0, "LINE") + group(8, "0") + group(370, "35") +
                            group(10, "0") + group(20, "0") + group(30, "0") + group(11, "1") + group(21, "1") +
                            group(31, "0") + group(0, "ENDSEC") + group(0, "EOF");
    host::dxf::DxfImportReport report;
    std::wstring error;
    ASSERT_TRUE(host::dxf::importDxf(dxf, dwg.db.get(), report, error)) << dxftest::narrow(error);
    const auto* ms = AcDbBlockTableRecord::cast(static_cast<AcDbStub*>(dwg.db->modelSpaceId())->object);
    ASSERT_EQ(ms->entityIds().size(), 2u);
    AcDbLine* line = nullptr;
    ASSERT_EQ(acdbOpenObject(line, ms->entityIds()[0], AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(line->lineWeight(), AcDb::kLnWtByLayer) << "-99999 is no line weight";
    EXPECT_EQ(line->startPoint().x, 0.0) << "1e-400 is zero in a double";
    EXPECT_EQ(line->startPoint().y, 0.0);
    EXPECT_EQ(line->endPoint().x, 0.0);
    EXPECT_EQ(line->endPoint().y, 5.0);
    line->close();
    ASSERT_EQ(acdbOpenObject(line, ms->entityIds()[1], AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(line->lineWeight(), AcDb::kLnWt035);
    line->close();

    // Too large stays refused: that is no number a drawing can hold.
    dxftest::Drawing other;
    std::string huge = dxf;
    huge.replace(huge.find("1e-400"), 6, "1e400");
    EXPECT_FALSE(host::dxf::importDxf(huge, other.db.get(), report, error));
}
