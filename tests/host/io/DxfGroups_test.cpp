// Reading DXF bytes: line ends, blanks, text encodings, and every way a file can be
// broken, refused with the line and without touching the drawing.
#include "DxfTestHelpers.h"
#include "host/db/tables/AcDbLayerTable.h"
#include "host/io/dxf/DxfGroups.h"
#include "host/io/dxf/DxfImport.h"
#include "host/io/dxf/DxfText.h"

#include <gtest/gtest.h>

namespace {

// A small but complete file: a layer, a line and a text.
const std::string kSmall = "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1015\n  0\nENDSEC\n"
                           "  0\nSECTION\n  2\nTABLES\n  0\nTABLE\n  2\nLAYER\n 70\n1\n"
                           "  0\nLAYER\n  2\nWalls\n 70\n0\n 62\n1\n  6\nContinuous\n  0\nENDTAB\n  0\nENDSEC\n"
                           "  0\nSECTION\n  2\nENTITIES\n"
                           "  0\nLINE\n  8\nWalls\n 10\n0.0\n 20\n0.0\n 30\n0.0\n 11\n100.5\n 21\n0.0\n 31\n0.0\n"
                           "  0\nTEXT\n  8\nWalls\n 10\n1.0\n 20\n2.0\n 30\n0.0\n 40\n2.5\n  1\nK\xFC\x63he\n"
                           "  0\nENDSEC\n  0\nEOF\n";

std::string withCrLf(const std::string& s) {
    std::string out;
    for (char c : s) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

size_t layerCount(AcDbDatabase* db) {
    auto* table = AcDbLayerTable::cast(static_cast<AcDbStub*>(db->layerTableId())->object);
    size_t n = 0;
    for (AcDbObjectId id : table->recordIds()) n += !id.isErased();
    return n;
}

} // namespace

TEST(DxfGroups, LineEndsAndBlanksDoNotMatter) {
    std::vector<host::dxf::DxfGroup> lf, crlf, blanks;
    std::wstring error;
    // The groups point into the bytes, which therefore stay alive here.
    const std::string crlfBytes = withCrLf(kSmall);
    ASSERT_TRUE(host::dxf::readDxfGroups(kSmall, lf, error)) << dxftest::narrow(error);
    ASSERT_TRUE(host::dxf::readDxfGroups(crlfBytes, crlf, error)) << dxftest::narrow(error);
    // Codes written without their leading blanks, or with trailing ones.
    std::string loose = kSmall;
    for (size_t at = 0; (at = loose.find("\n 10\n", at)) != std::string::npos;) loose.replace(at, 5, "\n10  \n");
    ASSERT_TRUE(host::dxf::readDxfGroups(loose, blanks, error)) << dxftest::narrow(error);
    ASSERT_EQ(lf.size(), crlf.size());
    ASSERT_EQ(lf.size(), blanks.size());
    for (size_t i = 0; i < lf.size(); ++i) {
        EXPECT_EQ(lf[i].code, crlf[i].code);
        EXPECT_EQ(lf[i].text, crlf[i].text) << "no CR may stay in a value";
        EXPECT_EQ(lf[i].code, blanks[i].code);
        EXPECT_DOUBLE_EQ(lf[i].number, blanks[i].number);
    }
    EXPECT_EQ(host::dxf::dxfTypeOf(10), host::dxf::DxfType::Real);
    EXPECT_EQ(host::dxf::dxfTypeOf(70), host::dxf::DxfType::Int);
    EXPECT_EQ(host::dxf::dxfTypeOf(1071), host::dxf::DxfType::Int);
    EXPECT_EQ(host::dxf::dxfTypeOf(5000), host::dxf::DxfType::Unknown);
}

TEST(DxfGroups, TextIsDecodedByVersionAndEscapes) {
    using host::dxf::DxfEncoding;
    EXPECT_EQ(host::dxf::dxfEncodingFor(L"AC1015", L"ANSI_1252"), DxfEncoding::Latin1);
    EXPECT_EQ(host::dxf::dxfEncodingFor(L"AC1027", L"ANSI_1252"), DxfEncoding::Utf8);
    EXPECT_EQ(host::dxf::dxfEncodingFor(L"AC1009", L"UTF-8"), DxfEncoding::Utf8);
    EXPECT_EQ(host::dxf::decodeDxfText("BMa\xDF", DxfEncoding::Latin1), L"BMaß");
    EXPECT_EQ(host::dxf::decodeDxfText("\x80 5", DxfEncoding::Latin1), L"\u20AC 5") << "code page 1252, not bare Latin-1";
    EXPECT_EQ(host::dxf::decodeDxfText("BMa\xC3\x9F", DxfEncoding::Utf8), L"BMaß");
    EXPECT_EQ(host::dxf::decodeDxfText("m\\U+00B2 \\U+00B1", DxfEncoding::Latin1), L"m² ±");
    EXPECT_EQ(host::dxf::decodeDxfText("\\U+00", DxfEncoding::Latin1), L"\\U+00") << "a cut escape stays as written";
    // Writing: Latin-1 as bytes, the rest escaped, so that reading gives the same text.
    const std::wstring text = L"BMaß ± m² \u03A9 \u20AC";
    const std::string written = host::dxf::encodeDxfText(text);
    EXPECT_EQ(written.find('\n'), std::string::npos);
    EXPECT_NE(written.find("\\U+03A9"), std::string::npos);
    EXPECT_EQ(host::dxf::decodeDxfText(written, DxfEncoding::Latin1), text);
    EXPECT_EQ(host::dxf::encodeDxfText(L"a\nb"), "a b") << "a line break would end the value";
}

TEST(DxfImport, RefusesBrokenFilesWithTheLineAndChangesNothing) {
    dxftest::Drawing dwg;
    const size_t layersBefore = layerCount(dwg.db.get());
    auto refused = [&](const std::string& bytes, const char* expect) {
        host::dxf::DxfImportReport report;
        std::wstring error;
        const bool ok = host::dxf::importDxf(bytes, dwg.db.get(), report, error);
        EXPECT_FALSE(ok) << expect;
        EXPECT_NE(dxftest::narrow(error).find(expect), std::string::npos) << dxftest::narrow(error);
        EXPECT_TRUE(dxftest::countByType(dwg.db.get()).empty()) << "nothing may come in from a broken file";
        EXPECT_EQ(layerCount(dwg.db.get()), layersBefore);
    };
    refused("AutoCAD Binary DXF\r\n\x1a\0" + std::string(40, '\0'), "binary DXF");
    refused("AC1015\x01\x02\x03 and more bytes of a drawing", "DWG");
    refused("hello\nworld\n", "no DXF");
    refused("", "no DXF");
    std::string badNumber = kSmall;
    badNumber.replace(badNumber.find("100.5"), 5, "1o0.5");
    refused(badNumber, "line 50");
    std::string badCode = kSmall;
    badCode.replace(badCode.find(" 62\n"), 4, "x62\n");
    refused(badCode, "is no group code");
    std::string unknownCode = kSmall;
    unknownCode.replace(unknownCode.find(" 62\n"), 4, "5000\n");
    refused(unknownCode, "group code 5000");
    std::string infinite = kSmall;
    infinite.replace(infinite.find("100.5"), 5, "1e999");
    refused(infinite, "no number");
    std::string noEndsec = kSmall;
    noEndsec.erase(noEndsec.rfind("  0\nENDSEC\n"), 11);
    refused(noEndsec, "does not end");
    std::string orphan = kSmall;
    orphan.replace(orphan.find("  0\nTEXT\n"), 9, "  0\nVERTEX\n");
    refused(orphan, "stands alone");
    // Cut anywhere: refused, never half imported.
    for (size_t cut = 1; cut + 8 < kSmall.size(); cut += 13) refused(kSmall.substr(0, cut), "line");
}

TEST(DxfImport, ReadsTheSmallFileWhateverItsLineEnds) {
    for (const std::string& bytes : {kSmall, withCrLf(kSmall), "\xEF\xBB\xBF" + kSmall}) {
        dxftest::Drawing dwg;
        host::dxf::DxfImportReport report;
        std::wstring error;
        ASSERT_TRUE(host::dxf::importDxf(bytes, dwg.db.get(), report, error)) << dxftest::narrow(error);
        const auto counts = dxftest::countByType(dwg.db.get());
        EXPECT_EQ(counts.at("LINE"), 1u);
        EXPECT_EQ(counts.at("TEXT"), 1u);
        EXPECT_EQ(report.version, L"AC1015");
        EXPECT_TRUE(report.notImportedLine().empty());
        AcDbLayerTable* table = nullptr;
        ASSERT_EQ(dwg.db->getLayerTable(table), Acad::eOk);
        EXPECT_TRUE(table->has(L"Walls"));
        table->close();
    }
}
