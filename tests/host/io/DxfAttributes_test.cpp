// Attributes of block insertions and the links of leaders: read from a file, drawn,
// kept through our drawing file and a move, and written so that ezdxf reads the
// same values back.
#include "DxfTestHelpers.h"
#include "host/db/entities/AcDbAttributeDefinition.h"
#include "host/db/entities/AcDbBlockReference.h"
#include "host/db/tables/AcDbBlockTable.h"
#include "host/db/entities/AcDbLeader.h"
#include "host/db/entities/AcDbMText.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/gi/RecordingWorldDraw.h"
#include "host/io/DrawingFile.h"
#include "host/io/dxf/DxfExport.h"
#include "host/io/dxf/DxfImport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <numbers>

namespace {

constexpr double kTol = 1e-9;

// A door block with a line and three attribute definitions (a number, a constant
// maker, an invisible note), inserted turned by 90 degrees with two attributes; a
// leader with a hook line linked to an MTEXT that follows it; a leader without
// vertices, as real plans have them.
const std::string kFile =
    "0\nSECTION\n2\nBLOCKS\n"
    "0\nBLOCK\n8\n0\n2\nDOOR\n70\n2\n10\n0\n20\n0\n30\n0\n3\nDOOR\n"
    "0\nLINE\n8\n0\n10\n0\n20\n0\n30\n0\n11\n0\n21\n2\n31\n0\n"
    "0\nATTDEF\n8\n0\n10\n2\n20\n1\n30\n0\n40\n0.5\n1\n0\n3\nNummer\n2\nNUMBER\n70\n0\n"
    "0\nATTDEF\n8\n0\n10\n0\n20\n-1\n30\n0\n40\n0.5\n1\nACME\n3\nHersteller\n2\nMAKER\n70\n2\n"
    "0\nATTDEF\n8\n0\n10\n0\n20\n2\n30\n0\n40\n0.5\n1\n-\n3\nNotiz\n2\nNOTE\n70\n1\n"
    "0\nENDBLK\n8\n0\n0\nENDSEC\n"
    "0\nSECTION\n2\nENTITIES\n"
    "0\nINSERT\n5\n20\n8\nDoors\n66\n1\n2\nDOOR\n10\n100\n20\n50\n30\n0\n50\n90\n"
    "0\nATTRIB\n5\n21\n8\nDoors\n10\n99\n20\n52\n30\n0\n40\n0.5\n1\nT-01\n50\n90\n72\n1\n11\n99\n21\n52\n31\n0\n"
    "2\nNUMBER\n70\n0\n73\n8\n74\n2\n"
    "0\nATTRIB\n5\n22\n8\nDoors\n10\n100\n20\n50\n30\n0\n40\n0.5\n1\nsecret\n50\n90\n2\nNOTE\n70\n1\n"
    "0\nSEQEND\n5\n23\n8\nDoors\n"
    "0\nLEADER\n5\n30\n8\nNotes\n3\nStandard\n71\n1\n72\n0\n73\n0\n74\n1\n75\n1\n76\n2\n"
    "10\n0\n20\n10\n30\n0\n10\n5\n20\n15\n30\n0\n340\n2A\n210\n0\n220\n0\n230\n1\n211\n0\n221\n1\n231\n0\n"
    "0\nLEADER\n5\n31\n8\nNotes\n3\nStandard\n71\n1\n72\n0\n73\n3\n74\n0\n75\n0\n76\n0\n"
    "0\nMTEXT\n5\n2A\n8\nNotes\n10\n6\n20\n15\n30\n0\n40\n1\n1\nFenster\n"
    "0\nENDSEC\n0\nEOF\n";

template <class T>
std::vector<const T*> all(AcDbDatabase* db, AcDbObjectId blockId = AcDbObjectId()) {
    std::vector<const T*> out;
    const auto* block = AcDbBlockTableRecord::cast(
        static_cast<AcDbStub*>(blockId.isNull() ? db->modelSpaceId() : blockId)->object);
    for (AcDbObjectId id : block->entityIds())
        if (const T* e = T::cast(static_cast<AcDbStub*>(id)->object)) out.push_back(e);
    return out;
}

host::gi::GiRecording drawn(const AcDbEntity* ent) {
    host::gi::RecordingWorldDraw wd;
    wd.setDatabase(ent->database());
    wd.drawDrawable(const_cast<AcDbEntity*>(ent));
    return wd.takePrimitives();
}

// The door's insertion, checked the same way after each trip; `offset` is where a
// move has taken it.
void expectTheDoor(AcDbDatabase* db, const char* trip, const AcGeVector3d& offset = AcGeVector3d()) {
    const auto doors = all<AcDbBlockReference>(db);
    ASSERT_EQ(doors.size(), 1u) << trip;
    const AcDbBlockReference* door = doors[0];
    EXPECT_TRUE(door->position().isEqualTo(AcGePoint3d(100, 50, 0) + offset)) << trip;
    ASSERT_EQ(door->attributeCount(), 2) << trip;
    const AcDbAttribute* number = door->attributeAt(0);
    EXPECT_STREQ(number->tagConst(), L"NUMBER") << trip;
    EXPECT_STREQ(number->textStringConst(), L"T-01") << trip;
    EXPECT_NEAR(number->rotation(), std::numbers::pi / 2, kTol) << trip;
    EXPECT_TRUE(number->alignmentPoint().isEqualTo(AcGePoint3d(99, 52, 0) + offset)) << trip;
    EXPECT_EQ(number->horizontalMode(), AcDb::kTextCenter) << trip;
    EXPECT_EQ(number->verticalMode(), AcDb::kTextVertMid) << trip << ": from 74, not the field length in 73";
    EXPECT_EQ(number->fieldLength(), 8) << trip;
    EXPECT_FALSE(number->isInvisible()) << trip;
    const AcDbAttribute* note = door->attributeAt(1);
    EXPECT_STREQ(note->tagConst(), L"NOTE") << trip;
    EXPECT_STREQ(note->textStringConst(), L"secret") << trip;
    EXPECT_TRUE(note->isInvisible()) << trip;

    const auto* block = AcDbBlockTableRecord::cast(static_cast<AcDbStub*>(door->blockTableRecord())->object);
    ASSERT_TRUE(block) << trip;
    EXPECT_TRUE(block->hasAttributeDefinitions()) << trip;
    const auto defs = all<AcDbAttributeDefinition>(db, door->blockTableRecord());
    ASSERT_EQ(defs.size(), 3u) << trip;
    EXPECT_STREQ(defs[0]->promptConst(), L"Nummer") << trip;
    EXPECT_STREQ(defs[0]->textStringConst(), L"0") << trip;
    EXPECT_TRUE(defs[1]->isConstant()) << trip;
    EXPECT_TRUE(defs[2]->isInvisible()) << trip;

    // Drawn: the value of the number and the constant maker; no tags, defaults or
    // invisible values.
    std::map<std::wstring, AcGePoint3d> texts;
    for (const auto& p : drawn(door))
        if (p.kind == host::gi::GiPrimitive::Text) texts[p.text] = p.position;
    EXPECT_EQ(texts.size(), 2u) << trip;
    ASSERT_TRUE(texts.count(L"T-01")) << trip;
    ASSERT_TRUE(texts.count(L"ACME")) << trip;
    EXPECT_NEAR((texts[L"ACME"] - (AcGePoint3d(101, 50, 0) + offset)).length(), 0.0, kTol) << trip;
    // Centred on its point, turned upward: it starts below the point, on the same vertical.
    EXPECT_NEAR(texts[L"T-01"].x - offset.x, 99.0 + 0.25, 1e-6) << trip;
    EXPECT_LT(texts[L"T-01"].y - offset.y, 52.0) << trip;
}

void expectTheLeaders(AcDbDatabase* db, const char* trip) {
    const auto leaders = all<AcDbLeader>(db);
    ASSERT_EQ(leaders.size(), 2u) << trip << ": the one without vertices is kept too";
    const AcDbLeader* hooked = leaders[0];
    EXPECT_TRUE(hooked->hasHookLine()) << trip;
    EXPECT_FALSE(hooked->isHookLineOnXDir()) << trip;
    EXPECT_TRUE(hooked->horizontalDirection().isEqualTo(AcGeVector3d::kYAxis)) << trip;
    EXPECT_EQ(hooked->annoType(), AcDbLeader::kMText) << trip;
    const auto notes = all<AcDbMText>(db);
    ASSERT_EQ(notes.size(), 1u) << trip;
    EXPECT_EQ(hooked->annotationObjId(), notes[0]->objectId()) << trip;
    EXPECT_EQ(leaders[1]->numVertices(), 0) << trip;
    EXPECT_FALSE(leaders[1]->hasHookLine()) << trip;
    EXPECT_TRUE(drawn(leaders[1]).empty()) << trip;
}

} // namespace

TEST(DxfAttributes, AttributesAndLeaderLinksComeInGoThroughOurFileAndOut) {
    dxftest::Drawing dwg;
    host::dxf::DxfImportReport report;
    std::wstring error;
    ASSERT_TRUE(host::dxf::importDxf(kFile, dwg.db.get(), report, error)) << dxftest::narrow(error);
    EXPECT_TRUE(report.notImportedLine().empty()) << dxftest::narrow(report.notImportedLine());
    EXPECT_EQ(report.imported[L"ATTRIB"], 2u);
    EXPECT_EQ(report.imported[L"LEADER"], 2u);
    expectTheDoor(dwg.db.get(), "imported");
    expectTheLeaders(dwg.db.get(), "imported");

    const std::filesystem::path path = std::filesystem::temp_directory_path() / "lintaro_attributes.dwg";
    ASSERT_TRUE(host::io::saveDrawingFile(dwg.db.get(), path.wstring(), false, error)) << dxftest::narrow(error);
    host::io::DrawingReadReport read;
    std::unique_ptr<AcDbDatabase> back = host::io::readDrawingFile(path.wstring(), read);
    std::filesystem::remove(path);
    ASSERT_TRUE(back) << dxftest::narrow(read.error);
    expectTheDoor(back.get(), "through the drawing file");
    expectTheLeaders(back.get(), "through the drawing file");

    std::string out;
    host::dxf::DxfExportReport exported;
    ASSERT_TRUE(host::dxf::exportDxf(back.get(), out, exported, error)) << dxftest::narrow(error);
    dxftest::Drawing again;
    ASSERT_TRUE(host::dxf::importDxf(out, again.db.get(), report, error)) << dxftest::narrow(error);
    EXPECT_TRUE(report.notImportedLine().empty()) << dxftest::narrow(report.notImportedLine());
    expectTheDoor(again.db.get(), "exported and read again");
    expectTheLeaders(again.db.get(), "exported and read again");

    if (!dxftest::ezdxfAvailable()) GTEST_SKIP() << "/usr/bin/python3 with ezdxf is missing: the audit was skipped";
    const std::string file = (std::filesystem::temp_directory_path() / "lintaro_attributes.dxf").string();
    ASSERT_TRUE(host::dxf::exportDxfFile(back.get(), file, exported, error));
    int status = 0;
    const std::string seen = dxftest::ezdxfScript(
        "doc = ezdxf.readfile(sys.argv[1])\n"
        "msp = doc.modelspace()\n"
        "for i in msp.query('INSERT'):\n"
        "    for a in i.attribs: print('attrib', a.dxf.tag, a.dxf.text, a.dxf.flags, a.dxf.valign)\n"
        "for d in doc.blocks.get('DOOR').query('ATTDEF'): print('attdef', d.dxf.tag, d.dxf.prompt, d.dxf.flags)\n"
        "mtext = msp.query('MTEXT')[0]\n"
        "for l in msp.query('LEADER'):\n"
        "    print('leader', len(l.vertices), l.dxf.has_hookline, l.dxf.hookline_direction,\n"
        "          l.dxf.get('annotation_handle', '0') == mtext.dxf.handle)\n",
        file, status);
    for (const char* line : {"attrib NUMBER T-01 0 2", "attrib NOTE secret 1 0", "attdef NUMBER Nummer 0",
                             "attdef MAKER Hersteller 2", "attdef NOTE Notiz 1", "leader 2 1 1 True",
                             "leader 0 0 0 False"})
        EXPECT_NE(seen.find(line), std::string::npos) << line << "\n" << seen;
    // ezdxf's own check deletes a leader without vertices, in the original too:
    // that is the only thing it may find.
    int errors = -1, fixes = -1;
    const std::string audit = dxftest::ezdxfAudit(file, errors, fixes);
    EXPECT_EQ(errors, 0) << audit;
    EXPECT_EQ(fixes, 1) << audit;
    EXPECT_NE(audit.find("invalid vertex count = 0"), std::string::npos) << audit;
    std::filesystem::remove(file);
}

TEST(DxfAttributes, AttributesFollowTheirInsertionWhenItMoves) {
    dxftest::Drawing dwg;
    host::dxf::DxfImportReport report;
    std::wstring error;
    ASSERT_TRUE(host::dxf::importDxf(kFile, dwg.db.get(), report, error)) << dxftest::narrow(error);
    AcDbObjectId doorId = all<AcDbBlockReference>(dwg.db.get())[0]->objectId();
    AcDbBlockReference* door = nullptr;
    ASSERT_EQ(acdbOpenObject(door, doorId, AcDb::kForWrite), Acad::eOk);
    const AcGeVector3d offset(-30, 12.5, 0);
    ASSERT_EQ(door->transformBy(AcGeMatrix3d::translation(offset)), Acad::eOk);
    door->close();
    expectTheDoor(dwg.db.get(), "moved", offset);

    // A copy (as undo and the clipboard make them) carries the attributes too.
    std::unique_ptr<AcDbBlockReference> copy(AcDbBlockReference::cast(all<AcDbBlockReference>(dwg.db.get())[0]->clone()));
    ASSERT_TRUE(copy);
    ASSERT_EQ(copy->attributeCount(), 2);
    EXPECT_STREQ(copy->attributeAt(0)->textStringConst(), L"T-01");
    EXPECT_EQ(copy->attributeAt(-1), nullptr);
    EXPECT_EQ(copy->attributeAt(2), nullptr);
    // An attribute that belongs to the drawing already cannot be taken over.
    EXPECT_EQ(copy->appendAttribute(nullptr), Acad::eInvalidInput);
}

TEST(DxfAttributes, AFileWrittenByEzdxfKeepsItsAttributes) {
    if (!dxftest::ezdxfAvailable()) GTEST_SKIP() << "/usr/bin/python3 with ezdxf is missing: nothing to write the file";
    // A 2013 file as another program writes it: a title block with four attribute
    // definitions, inserted twice with values (one of them invisible), and once
    // inside another block.
    const std::string original = (std::filesystem::temp_directory_path() / "lintaro_ezdxf_attribs.dxf").string();
    int status = 0;
    dxftest::ezdxfScript(
        "doc = ezdxf.new('R2013')\n"
        "title = doc.blocks.new('TITLE')\n"
        "title.add_line((0, 0), (40, 0))\n"
        "for i, tag in enumerate(['PROJECT', 'SCALE', 'DATE', 'DRAWN']):\n"
        "    title.add_attdef(tag, (1, 1 + 3 * i), dxfattribs={'height': 1.5, 'prompt': tag.title()})\n"
        "msp = doc.modelspace()\n"
        "a = msp.add_blockref('TITLE', (100, 0))\n"
        "a.add_auto_attribs({'PROJECT': 'Holzschuppen', 'SCALE': '1:50', 'DATE': '2026-12-06', 'DRAWN': 'lk'})\n"
        "b = msp.add_blockref('TITLE', (200, 0), dxfattribs={'rotation': 30})\n"
        "b.add_auto_attribs({'PROJECT': 'Pavillon', 'SCALE': '1:100', 'DATE': '1929-05-26', 'DRAWN': 'lmvdr'})\n"
        "b.get_attrib('DRAWN').is_invisible = True\n"
        "sheet = doc.blocks.new('SHEET')\n"
        "sheet.add_blockref('TITLE', (0, 0)).add_auto_attribs({'PROJECT': 'im Block'})\n"
        "msp.add_blockref('SHEET', (0, 100))\n"
        "doc.saveas(sys.argv[1])\n",
        original, status);
    ASSERT_EQ(status, 0);
    dxftest::Drawing dwg;
    host::dxf::DxfImportReport report;
    std::wstring error;
    ASSERT_TRUE(host::dxf::importDxfFile(original, dwg.db.get(), report, error)) << dxftest::narrow(error);
    EXPECT_TRUE(report.notImportedLine().empty()) << dxftest::narrow(report.notImportedLine());
    EXPECT_EQ(report.imported[L"ATTRIB"], 8u);
    // The turned insertion draws its three visible values.
    size_t values = 0;
    for (const AcDbBlockReference* ref : all<AcDbBlockReference>(dwg.db.get()))
        if (ref->position().isEqualTo(AcGePoint3d(200, 0, 0)))
            for (const auto& p : drawn(ref))
                values += p.kind == host::gi::GiPrimitive::Text ? 1 : 0;
    EXPECT_EQ(values, 3u);

    const std::string out = (std::filesystem::temp_directory_path() / "lintaro_ezdxf_attribs_out.dxf").string();
    host::dxf::DxfExportReport exported;
    ASSERT_TRUE(host::dxf::exportDxfFile(dwg.db.get(), out, exported, error)) << dxftest::narrow(error);
    const std::string before = dxftest::ezdxfAttributes(original), after = dxftest::ezdxfAttributes(out);
    EXPECT_EQ(after, before);
    EXPECT_EQ(before.rfind("12\n", 0), 0u) << before << ": eight values and four definitions";
    // The nested insertion's attribute is in the SHEET block of the export as well.
    const std::string nested = dxftest::ezdxfScript(
        "doc = ezdxf.readfile(sys.argv[1])\n"
        "print([a.dxf.text for i in doc.blocks.get('SHEET').query('INSERT') for a in i.attribs])\n",
        out, status);
    EXPECT_NE(nested.find("['im Block', '', '', '']"), std::string::npos) << nested;
    int errors = -1, fixes = -1;
    const std::string audit = dxftest::ezdxfAudit(out, errors, fixes);
    EXPECT_EQ(errors, 0) << audit;
    EXPECT_EQ(fixes, 0) << audit;
    std::filesystem::remove(original);
    std::filesystem::remove(out);
}
