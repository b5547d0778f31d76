// External references when a drawing opens: each is read again from its file, a
// missing or damaged file leaves the block as it was saved and says so; DXF files can
// be attached too; LIST names the file a reference comes from.
#include "host/ap/AcApDocManager.h"

#include "host/db/database/AcDbDatabase.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/db/database/DrawingFileMessage.h"
#include "host/db/entities/AcDbBlockReference.h"
#include "host/db/entities/AcDbLine.h"
#include "host/db/tables/AcDbBlockTable.h"
#include "host/db/tables/AcDbBlockTableRecord.h"
#include "host/db/tables/acdbXref.h"
#include "host/ge/AcGeTol.h"
#include "host/win/Utf8.h"
#include "tests/host/ap/DocSession.h"

#include <fstream>

using namespace aptest;

namespace {

constexpr double kTol = lintaro::tol::kHostEqualPoint;

void append(AcDbDatabase* db, AcDbEntity* entity) {
    AcDbBlockTableRecord* model = nullptr;
    ASSERT_EQ(acdbOpenObject(model, db->modelSpaceId(), AcDb::kForWrite), Acad::eOk);
    ASSERT_EQ(model->appendAcDbEntity(entity), Acad::eOk);
    entity->close();
    model->close();
}

// A drawing file whose model space holds lines from the origin to each end point.
void saveLines(const std::wstring& path, const std::vector<AcGePoint3d>& ends) {
    AcDbDatabase db;
    for (const AcGePoint3d& end : ends) append(&db, new AcDbLine(AcGePoint3d::kOrigin, end));
    std::wstring error;
    ASSERT_TRUE(host::io::saveDrawingFile(&db, path, false, error)) << host::toUtf8(error);
}

AcDbObjectId blockNamed(AcDbDatabase* db, const wchar_t* name) {
    AcDbBlockTable* table = nullptr;
    AcDbObjectId id;
    if (db->getBlockTable(table, AcDb::kForRead) != Acad::eOk) return id;
    table->getAt(name, id);
    table->close();
    return id;
}

// The end points of the block's lines that are not erased, in order.
std::vector<AcGePoint3d> lineEnds(AcDbDatabase* db, const wchar_t* blockName) {
    std::vector<AcGePoint3d> ends;
    AcDbBlockTableRecord* block = nullptr;
    if (acdbOpenObject(block, blockNamed(db, blockName), AcDb::kForRead) != Acad::eOk) return ends;
    const std::vector<AcDbObjectId> ids = block->entityIds();
    block->close();
    for (AcDbObjectId id : ids) {
        AcDbLine* line = nullptr;
        if (acdbOpenObject(line, id, AcDb::kForRead) != Acad::eOk) continue;
        ends.push_back(line->endPoint());
        line->close();
    }
    return ends;
}

void expectEnds(const std::vector<AcGePoint3d>& actual, const std::vector<AcGePoint3d>& expected,
                const char* what) {
    ASSERT_EQ(actual.size(), expected.size()) << what;
    for (size_t i = 0; i < actual.size(); ++i)
        EXPECT_NEAR(actual[i].distanceTo(expected[i]), 0.0, kTol)
            << what << ": line " << i << " ends at " << actual[i].x << "," << actual[i].y << ", expected "
            << expected[i].x << "," << expected[i].y << " (tolerance " << kTol << ")";
}

// A drawing that attaches `other` as block OTHER, inserted once, saved at `path`.
void saveHost(const std::wstring& path, const std::wstring& other) {
    AcDbDatabase db;
    AcDbObjectId block;
    ASSERT_EQ(acdbAttachXref(&db, other.c_str(), L"OTHER", block), Acad::eOk);
    append(&db, new AcDbBlockReference(AcGePoint3d(10, 0, 0), block));
    std::wstring error;
    ASSERT_TRUE(host::io::saveDrawingFile(&db, path, false, error)) << host::toUtf8(error);
}

std::string dxfWithLineTo(double x, double y) {
    return "0\nSECTION\n2\nENTITIES\n0\nLINE\n8\n0\n10\n0.0\n20\n0.0\n30\n0.0\n11\n" + std::to_string(x) +
           "\n21\n" + std::to_string(y) + "\n31\n0.0\n0\nENDSEC\n0\nEOF\n";
}

} // namespace

TEST_F(DocSession, OpeningADrawingReadsItsExternalReferencesAgain) {
    const std::wstring other = file("other.dwg");
    const std::wstring host = file("host.dwg");
    saveLines(other, {AcGePoint3d(1, 0, 0)});
    saveHost(host, other);

    // The other drawing changes after the host was saved: opening shows the change.
    saveLines(other, {AcGePoint3d(5, 0, 0), AcGePoint3d(0, 5, 0)});
    ASSERT_EQ(acDocManager->appContextOpenDocument(host.c_str()), Acad::eOk);
    AcDbDatabase* db = acDocManager->curDocument()->database();
    expectEnds(lineEnds(db, L"OTHER"), {AcGePoint3d(5, 0, 0), AcGePoint3d(0, 5, 0)}, "changed file");
    EXPECT_NE(host::drawingFileMessage().find(L"Xref \"OTHER\" loaded: " + other), std::wstring::npos)
        << host::toUtf8(host::drawingFileMessage());
    EXPECT_FALSE(db->isModifiedSinceSave()) << "reading the references again is no change of the drawing";
    // Opened once more (a second reload) the block holds the file's lines, not twice as many.
    acDocManager->closeAllDocuments();
    ASSERT_EQ(acDocManager->appContextOpenDocument(host.c_str()), Acad::eOk);
    expectEnds(lineEnds(acDocManager->curDocument()->database(), L"OTHER"),
               {AcGePoint3d(5, 0, 0), AcGePoint3d(0, 5, 0)}, "second open");
    acDocManager->closeAllDocuments();

    // A missing file: the block as it was saved, and the user is told.
    std::filesystem::remove(std::filesystem::path(host::toUtf8(other)));
    ASSERT_EQ(acDocManager->appContextOpenDocument(host.c_str()), Acad::eOk);
    expectEnds(lineEnds(acDocManager->curDocument()->database(), L"OTHER"), {AcGePoint3d(1, 0, 0)}, "missing file");
    EXPECT_NE(host::drawingFileMessage().find(L"not found - shown as it was saved"), std::wstring::npos)
        << host::toUtf8(host::drawingFileMessage());
    acDocManager->closeAllDocuments();

    // A damaged file: the same.
    std::ofstream(std::filesystem::path(host::toUtf8(other)), std::ios::binary) << "no drawing at all";
    ASSERT_EQ(acDocManager->appContextOpenDocument(host.c_str()), Acad::eOk);
    expectEnds(lineEnds(acDocManager->curDocument()->database(), L"OTHER"), {AcGePoint3d(1, 0, 0)}, "damaged file");
    EXPECT_NE(host::drawingFileMessage().find(L"could not be read"), std::wstring::npos)
        << host::toUtf8(host::drawingFileMessage());
    acDocManager->closeAllDocuments();
}

TEST_F(DocSession, ADrawingMovedWithItsReferencesFindsThemBesideIt) {
    std::filesystem::create_directories(folder / "a");
    const std::wstring other = file("a/other.dwg");
    saveLines(other, {AcGePoint3d(1, 0, 0)});
    saveHost(file("a/host.dwg"), other);
    std::filesystem::rename(folder / "a", folder / "b");
    saveLines(file("b/other.dwg"), {AcGePoint3d(0, 7, 0)});

    ASSERT_EQ(acDocManager->appContextOpenDocument(file("b/host.dwg").c_str()), Acad::eOk);
    expectEnds(lineEnds(acDocManager->curDocument()->database(), L"OTHER"), {AcGePoint3d(0, 7, 0)},
               "moved together");
}

TEST_F(DocSession, ADxfFileAttachesAndABadOneChangesNothing) {
    const std::wstring dxf = file("plan.DXF");
    std::ofstream(std::filesystem::path(host::toUtf8(dxf)), std::ios::binary) << dxfWithLineTo(3, 4);
    AcDbDatabase db;
    AcDbObjectId block;
    ASSERT_EQ(acdbAttachXref(&db, dxf.c_str(), L"PLAN", block), Acad::eOk) << host::toUtf8(host::drawingFileMessage());
    expectEnds(lineEnds(&db, L"PLAN"), {AcGePoint3d(3, 4, 0)}, "attached DXF");

    // LIST of a reference names the file it comes from.
    auto* ref = new AcDbBlockReference(AcGePoint3d(2, 1, 0), block);
    append(&db, ref);
    ASSERT_EQ(acdbOpenObject(ref, ref->objectId(), AcDb::kForRead), Acad::eOk);
    ref->list();
    ref->close();
    EXPECT_TRUE(said(L"Block Name: \"PLAN\"")) << host::toUtf8(transcript.text());
    EXPECT_TRUE(said(L"External reference: " + dxf)) << host::toUtf8(transcript.text());
    EXPECT_TRUE(said(L"at point, X=2.0000  Y=1.0000  Z=0.0000")) << host::toUtf8(transcript.text());

    // A DXF file cut short is refused; the drawing has no block of that name then.
    const std::string whole = dxfWithLineTo(1, 1);
    std::ofstream(folder / "cut.dxf", std::ios::binary) << whole.substr(0, whole.size() / 2);
    EXPECT_NE(acdbAttachXref(&db, file("cut.dxf").c_str(), L"CUT", block), Acad::eOk);
    EXPECT_TRUE(blockNamed(&db, L"CUT").isNull());
    EXPECT_FALSE(host::drawingFileMessage().empty()) << "the reason is kept for the user";

    // Reloaded after the file changed, the block follows the file.
    std::ofstream(std::filesystem::path(host::toUtf8(dxf)), std::ios::binary | std::ios::trunc)
        << dxfWithLineTo(-2, 6);
    ASSERT_EQ(acdbReloadXrefs(&db, AcDbObjectIdArray{blockNamed(&db, L"PLAN")}), Acad::eOk);
    expectEnds(lineEnds(&db, L"PLAN"), {AcGePoint3d(-2, 6, 0)}, "reloaded DXF");
    EXPECT_EQ(acdbReloadXrefs(&db, AcDbObjectIdArray{db.modelSpaceId()}), Acad::eInvalidInput)
        << "model space is no external reference";
}
