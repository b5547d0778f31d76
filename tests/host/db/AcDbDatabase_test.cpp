#include "DbTestHelpers.h"
#include "host/db/database/AcDbDatabaseReactor.h"
#include "host/db/tables/AcDbLayerTable.h"
#include "host/db/entities/AcDbLine.h"
#include "host/db/database/AcDbObjectPointer.h"
#include "host/db/tables/AcDbTextStyleTable.h"
#include "host/db/database/DatabaseHeader.h"
#include "host/db/database/acdbUcs.h"

#include <gtest/gtest.h>

#include <map>

using dbtest::Drawing;
using dbtest::kGeomTol;

TEST(AcDbDatabase, HeaderVariablesTakeOnlySensibleValuesAndTellTheReactors) {
    struct Watch : AcDbDatabaseReactor {
        std::vector<std::wstring> names;
        void headerSysVarChanged(const AcDbDatabase*, const wchar_t* name, Adesk::Boolean) override {
            names.push_back(name);
        }
    } watch;
    Drawing d;
    AcDbDatabase* db = d.db.get();
    db->addReactor(&watch);
    EXPECT_EQ(db->setLtscale(0.0), Acad::eInvalidInput);
    EXPECT_EQ(db->setLtscale(-2.0), Acad::eInvalidInput);
    EXPECT_DOUBLE_EQ(db->ltscale(), 1.0);
    ASSERT_EQ(db->setLtscale(50.0), Acad::eOk);
    EXPECT_EQ(db->setInsunits(AcDb::UnitsValue(99)), Acad::eInvalidInput);
    ASSERT_EQ(db->setInsunits(AcDb::kUnitsMillimeters), Acad::eOk);
    EXPECT_EQ(db->setClayer(db->textstyle()), Acad::eInvalidInput) << "a text style is no layer";
    EXPECT_EQ(db->setClayer(AcDbObjectId()), Acad::eInvalidInput);
    EXPECT_EQ(db->clayer(), db->layerZero());
    EXPECT_EQ(db->setLuprec(9), Acad::eInvalidInput);
    db->removeReactor(&watch);
    ASSERT_EQ(watch.names.size(), 2u);
    EXPECT_EQ(watch.names[0], L"LTSCALE");
    EXPECT_EQ(watch.names[1], L"INSUNITS");

    // A second database's layer is refused as current layer of this one.
    AcDbDatabase other;
    EXPECT_EQ(db->setClayer(other.layerZero()), Acad::eInvalidInput);
}

TEST(AcDbDatabase, TheHeaderFilesAndADamagedHeaderIsRefused) {
    Drawing d;
    d.db->setLtscale(20.0);
    d.db->setUcs(AcGePoint3d(1, 2, 3), AcGeVector3d(0, 1, 0), AcGeVector3d(-1, 0, 0));
    host::DwgBufferFiler out(AcDb::kFileFiler, d.db.get());
    ASSERT_EQ(d.db->header().dwgOut(&out), Acad::eOk);

    host::DatabaseHeader back;
    host::DwgBufferFiler in(out.bytes(), AcDb::kFileFiler, d.db.get());
    ASSERT_EQ(back.dwgIn(&in), Acad::eOk);
    EXPECT_DOUBLE_EQ(back.ltscale, 20.0);
    EXPECT_EQ(back.clayer, d.db->layerZero());
    EXPECT_TRUE(back.ucsorg.isEqualTo(AcGePoint3d(1, 2, 3)));

    // Cut short: refused, and the header keeps what it had.
    host::DatabaseHeader kept;
    kept.ltscale = 7.0;
    std::vector<uint8_t> cut(out.bytes().begin(), out.bytes().end() - 5);
    host::DwgBufferFiler shortIn(cut, AcDb::kFileFiler, d.db.get());
    EXPECT_EQ(kept.dwgIn(&shortIn), Acad::eEndOfFile);
    EXPECT_DOUBLE_EQ(kept.ltscale, 7.0);
    // A zero scale in the bytes: refused as nonsense.
    host::DatabaseHeader zero = d.db->header();
    zero.ltscale = 0.0;
    host::DwgBufferFiler zeroOut(AcDb::kFileFiler, d.db.get());
    zero.dwgOut(&zeroOut);
    host::DwgBufferFiler zeroIn(zeroOut.bytes(), AcDb::kFileFiler, d.db.get());
    EXPECT_EQ(kept.dwgIn(&zeroIn), Acad::eInvalidInput);
    EXPECT_DOUBLE_EQ(kept.ltscale, 7.0);
}

TEST(AcDbDatabase, UcsMatrixFollowsTheCurrentUcs) {
    Drawing d;
    AcGeMatrix3d m;
    ASSERT_TRUE(acdbUcsMatrix(m, d.db.get()));
    EXPECT_TRUE(m.isEqualTo(AcGeMatrix3d::kIdentity)) << "a new drawing's UCS is the world";
    EXPECT_EQ(d.db->setUcs(AcGePoint3d(), AcGeVector3d(1, 0, 0), AcGeVector3d(2, 0, 0)), Acad::eInvalidInput)
        << "parallel axes are no system";
    ASSERT_EQ(d.db->setUcs(AcGePoint3d(10, 0, 0), AcGeVector3d(0, 1, 0), AcGeVector3d(-1, 0.1, 0)), Acad::eOk);
    EXPECT_NEAR(d.db->ucsxdir().dotProduct(d.db->ucsydir()), 0.0, kGeomTol) << "Y is squared to X";
    ASSERT_TRUE(acdbUcsMatrix(m));
    AcGePoint3d p = m * AcGePoint3d(1, 0, 0);
    EXPECT_NEAR(p.x, 10.0, kGeomTol);
    EXPECT_NEAR(p.y, 1.0, kGeomTol) << "UCS X runs along world Y";
}

TEST(AcDbDatabase, WorkingDatabaseAndObjectLifetime) {
    AcDbDatabase* previous = acdbHostApplicationServices()->workingDatabase();
    auto* db = new AcDbDatabase();
    acdbHostApplicationServices()->setWorkingDatabase(db);
    ads_name name;
    AcDbObjectId zero = db->layerZero();
    acdbGetAdsName(name, zero);
    delete db;
    EXPECT_EQ(acdbHostApplicationServices()->workingDatabase(), nullptr)
        << "a deleted database stops being the working one";
    EXPECT_FALSE(host::isLiveDatabase(db));
    AcDbObjectId back;
    EXPECT_EQ(acdbGetObjectId(back, name), Acad::eInvalidAdsName);
    acdbHostApplicationServices()->setWorkingDatabase(previous);
    EXPECT_NE(std::wstring(acdbHostApplicationServices()->product()), L"");

    // Objects come out in handle order, and every one has a distinct handle.
    Drawing d;
    for (int i = 0; i < 5; ++i) d.append(new AcDbLine());
    std::vector<AcDbObjectId> ids = d.db->allObjectIds();
    ASSERT_EQ(int(ids.size()), d.db->approxNumObjects());
    for (size_t i = 1; i < ids.size(); ++i) EXPECT_LT(ids[i - 1].handle(), ids[i].handle());
    std::map<AcDbObjectId, int> byId;
    for (AcDbObjectId id : ids) byId[id]++;
    EXPECT_EQ(byId.size(), ids.size());

    // A resident object deleted by mistake leaves an empty slot, not a dangling one.
    AcDbObjectId lineId = d.append(new AcDbLine());
    AcDbObject* obj = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(obj, lineId, AcDb::kForRead), Acad::eOk);
    delete obj;
    EXPECT_FALSE(lineId.isValid());
    EXPECT_EQ(acdbOpenAcDbObject(obj, lineId, AcDb::kForRead), Acad::eUnknownHandle);
}

TEST(AcDbDatabase, ObjectPointersCloseWhenTheyGoOutOfScope) {
    Drawing d;
    AcDbObjectId id = d.append(new AcDbLine());
    {
        AcDbObjectPointer<AcDbLine> line(id, AcDb::kForWrite);
        ASSERT_EQ(line.openStatus(), Acad::eOk);
        line->setEndPoint(AcGePoint3d(3, 0, 0));
        AcDbObject* other = nullptr;
        EXPECT_EQ(acdbOpenAcDbObject(other, id, AcDb::kForRead), Acad::eWasOpenForWrite);
    }
    AcDbObjectPointer<AcDbLine> again(id, AcDb::kForWrite);
    EXPECT_EQ(again.openStatus(), Acad::eOk) << "the first pointer closed the line";
    EXPECT_NEAR(again->length(), 3.0, kGeomTol);
    again.close();
    AcDbObjectPointer<AcDbLayerTableRecord> wrong(id);
    EXPECT_EQ(wrong.openStatus(), Acad::eNotThatKindOfClass);
    EXPECT_EQ(wrong.object(), nullptr);
}

TEST(AcDbDatabase, DrawingFilesGoThroughTheHooksAndBadNamesAreRefused) {
    Drawing d;
    EXPECT_EQ(d.db->saveAs(nullptr), Acad::eInvalidInput);
    EXPECT_EQ(d.db->saveAs(L""), Acad::eInvalidInput);
    EXPECT_EQ(d.db->saveAs(L"/tmp/x.dwg", true, AcDb::kDHL_1021), Acad::eInvalidDwgVersion)
        << "only the current format is written";
    std::wstring seen;
    host::setDrawingFileHooks(
        [&](AcDbDatabase*, const wchar_t* f) {
            seen = f;
            return Acad::eFileNotFound;
        },
        [&](AcDbDatabase*, const wchar_t* f, bool) {
            seen = f;
            return Acad::eOk;
        });
    AcDbDatabase fromDisk(false, true);
    EXPECT_EQ(fromDisk.readDwgFile(L"/nowhere/plan.dwg"), Acad::eFileNotFound);
    const wchar_t* name = nullptr;
    fromDisk.getFilename(name);
    EXPECT_STREQ(name, L"") << "a failed read names no file";
    d.db->setLtscale(3.0);
    EXPECT_TRUE(d.db->isModifiedSinceSave());
    ASSERT_EQ(d.db->saveAs(L"/tmp/plan.dwg"), Acad::eOk);
    EXPECT_EQ(seen, L"/tmp/plan.dwg");
    d.db->getFilename(name);
    EXPECT_STREQ(name, L"/tmp/plan.dwg");
    EXPECT_FALSE(d.db->isModifiedSinceSave());
    host::setDrawingFileHooks({}, {});
}
