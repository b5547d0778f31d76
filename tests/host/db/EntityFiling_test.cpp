#include "DbTestHelpers.h"
#include "host/db/entities/AcDbArc.h"
#include "host/db/entities/AcDbAttributeDefinition.h"
#include "host/db/entities/AcDbBlockReference.h"
#include "host/db/entities/AcDbCircle.h"
#include "host/db/entities/AcDbFace.h"
#include "host/db/tables/AcDbLayerTable.h"
#include "host/db/entities/AcDbLine.h"
#include "host/db/entities/AcDbMText.h"
#include "host/db/entities/AcDbPolyline.h"
#include "host/db/entities/AcDbProxyEntity.h"
#include "host/db/entities/AcDbSolid.h"
#include "host/db/entities/AcDbText.h"
#include "host/db/entities/AcDbXline.h"
#include "host/db/database/ObjectAccess.h"
#include "host/db/filing/ProxyGraphics.h"
#include "host/gi/RecordingWorldDraw.h"

#include <gtest/gtest.h>

#include <numbers>

using dbtest::Drawing;
using dbtest::kGeomTol;
using dbtest::roundTrip;

namespace {
// The drawn primitives of an entity: what a user sees, compared before and after filing.
host::gi::GiRecording drawn(AcDbEntity* ent) {
    host::gi::RecordingWorldDraw wd;
    wd.drawDrawable(ent);
    return wd.takePrimitives();
}

void expectSameDrawing(AcDbEntity* a, AcDbEntity* b, const char* what) {
    host::gi::GiRecording ra = drawn(a), rb = drawn(b);
    ASSERT_EQ(ra.size(), rb.size()) << what;
    ASSERT_FALSE(ra.empty()) << what;
    for (size_t i = 0; i < ra.size(); ++i) {
        EXPECT_EQ(ra[i].kind, rb[i].kind) << what;
        ASSERT_EQ(ra[i].points.size(), rb[i].points.size()) << what;
        for (size_t k = 0; k < ra[i].points.size(); ++k)
            EXPECT_TRUE(ra[i].points[k].isEqualTo(rb[i].points[k])) << what;
        EXPECT_NEAR(ra[i].radius, rb[i].radius, kGeomTol) << what;
        EXPECT_TRUE(ra[i].center.isEqualTo(rb[i].center)) << what;
        EXPECT_TRUE(ra[i].position.isEqualTo(rb[i].position)) << what;
        EXPECT_EQ(ra[i].text, rb[i].text) << what;
        EXPECT_NEAR(ra[i].height(), rb[i].height(), kGeomTol) << what;
        EXPECT_EQ(ra[i].traits, rb[i].traits) << what;
    }
}

} // namespace

// A class the module might define: entity data plus fields of its own.
class TestMark : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(TestMark);
    AcGePoint3d where;
    std::wstring label;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* f) const override {
        Acad::ErrorStatus es = AcDbEntity::dwgOutFields(f);
        if (es != Acad::eOk) return es;
        f->writeInt16(4);
        f->writePoint3d(where);
        f->writeString(label);
        return f->filerStatus();
    }
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* f) override {
        Acad::ErrorStatus es = AcDbEntity::dwgInFields(f);
        if (es != Acad::eOk) return es;
        Adesk::Int16 v = 0;
        f->readInt16(&v);
        f->readPoint3d(&where);
        f->readString(label);
        return f->filerStatus();
    }

protected:
    bool subWorldDraw(AcGiWorldDraw* wd) override {
        AcGePoint3d pts[2] = {where, where + AcGeVector3d(1, 1, 0)};
        wd->geometry().polyline(2, pts);
        return true;
    }
};
ACRX_HOST_DEFINE_MEMBERS(TestMark, AcDbEntity, L"XOTA_TESTMARK", &host::makeObject<TestMark>)

TEST(EntityFiling, EveryEntityKindReadsBackAsItWasWritten) {
    Drawing d;
    AcDbDatabase* db = d.db.get();
    AcDbObjectId red;
    {
        AcDbLayerTable* layers = nullptr;
        db->getLayerTable(layers, AcDb::kForWrite);
        auto* rec = new AcDbLayerTableRecord();
        rec->setName(L"Ma\u00dfe");
        layers->add(red, rec);
        rec->close();
        layers->close();
    }
    auto withProps = [&](AcDbEntity* e) {
        e->setLayer(red);
        e->setColorIndex(5);
        e->setLinetypeScale(2.5);
        e->setLineWeight(AcDb::kLnWt035);
        return e;
    };
    AcDbPolyline* pl = new AcDbPolyline();
    pl->addVertexAt(0, AcGePoint2d(0, 0), 0.5, 0.1, 0.2);
    pl->addVertexAt(1, AcGePoint2d(4, 0));
    pl->addVertexAt(2, AcGePoint2d(4, 3), -0.25);
    pl->setClosed(true);
    auto* mt = new AcDbMText();
    mt->setContents(L"{\\H1.5x;H\u00f6he}\\P\u00b12,50");
    mt->setLocation(AcGePoint3d(1, 2, 0));
    mt->setAttachment(AcDbMText::kMiddleCenter);
    mt->setBackgroundFill(true);
    auto* text = new AcDbText(AcGePoint3d(3, 4, 0), L"BMa\u00df", db->textstyle(), 0.35, 0.3);
    text->setHorizontalMode(AcDb::kTextCenter);
    text->setAlignmentPoint(AcGePoint3d(5, 4, 0));
    auto* xl = new AcDbXline();
    xl->setUnitDir(AcGeVector3d(1, 1, 0));
    auto* attdef = new AcDbAttributeDefinition(AcGePoint3d(2, 2, 0), L"0", L"NUMBER", L"Nummer", db->textstyle());
    attdef->setPreset(true);

    std::vector<AcDbEntity*> all = {
        withProps(new AcDbLine(AcGePoint3d(1, 2, 3), AcGePoint3d(4, 5, 6))),
        withProps(new AcDbCircle(AcGePoint3d(1, 1, 0), AcGeVector3d::kZAxis, 2.0)),
        withProps(new AcDbArc(AcGePoint3d(0, 0, 0), 3.0, 0.5, 2.5)),
        withProps(pl),
        withProps(text),
        withProps(mt),
        withProps(new AcDbSolid(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0), AcGePoint3d(0, 1, 0), AcGePoint3d(1, 1, 0))),
        withProps(new AcDbFace(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0), AcGePoint3d(1, 1, 1), false)),
        withProps(xl),
        withProps(attdef),
        withProps(new AcDbAttribute(AcGePoint3d(1, 2, 0), L"T-01", L"NUMBER", db->textstyle())),
    };
    for (AcDbEntity* e : all) {
        const wchar_t* name = e->isA()->name();
        std::string what(name, name + wcslen(name));
        for (AcDb::FilerType type : {AcDb::kFileFiler, AcDb::kCopyFiler, AcDb::kUndoFiler}) {
            std::unique_ptr<AcDbEntity> copy = roundTrip(e, db, type);
            ASSERT_TRUE(copy) << what;
            EXPECT_EQ(copy->layerId(), red) << what;
            EXPECT_EQ(copy->colorIndex(), 5) << what;
            EXPECT_DOUBLE_EQ(copy->linetypeScale(), 2.5) << what;
            EXPECT_EQ(copy->lineWeight(), AcDb::kLnWt035) << what;
            if (e != xl) expectSameDrawing(e, copy.get(), what.c_str());
        }
        delete e;
    }
}

TEST(EntityFiling, ObjectsMoveBetweenDatabasesAsClassHandleOwnerAndBytes) {
    // What a drawing file holds: every object as its class, handle, owner and the
    // bytes its fields filed. Read into a new database, the drawing is the same.
    Drawing d;
    auto* line = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(3, 4, 0));
    AcDbObjectId lineId = d.append(line);
    struct Record {
        const AcRxClass* cls;
        AcDbHandle handle, owner;
        std::vector<uint8_t> bytes;
    };
    std::vector<Record> file;
    for (AcDbObjectId id : d.db->allObjectIds()) {
        AcDbObject* obj = nullptr;
        ASSERT_EQ(acdbOpenAcDbObject(obj, id, AcDb::kForRead), Acad::eOk);
        host::DwgBufferFiler f(AcDb::kFileFiler, d.db.get());
        ASSERT_EQ(obj->dwgOut(&f), Acad::eOk);
        file.push_back({obj->isA(), id.handle(), obj->ownerId().handle(), f.takeBytes()});
        obj->close();
    }

    AcDbDatabase target(false, true);
    for (const Record& r : file) {
        AcDbObject* obj = AcDbObject::cast(r.cls->create());
        ASSERT_NE(obj, nullptr) << "every host class can be made from its class";
        host::DwgBufferFiler f(r.bytes, AcDb::kFileFiler, &target);
        ASSERT_EQ(obj->dwgIn(&f), Acad::eOk);
        AcDbObjectId id, owner;
        if (!r.owner.isNull()) target.getAcDbObjectId(owner, true, r.owner);
        ASSERT_EQ(target.addAcDbObjectWithHandle(id, obj, r.handle), Acad::eOk);
        host::ObjectAccess::setOwner(obj, owner);
    }
    AcDbObjectId copyId;
    ASSERT_EQ(target.getAcDbObjectId(copyId, false, lineId.handle()), Acad::eOk);
    AcDbLine* copy = nullptr;
    ASSERT_EQ(acdbOpenObject(copy, copyId, AcDb::kForRead), Acad::eOk);
    EXPECT_NEAR(copy->length(), 5.0, kGeomTol);
    EXPECT_EQ(copy->layerId().database(), &target) << "ids point into the database they were read into";
    EXPECT_EQ(copy->ownerId().handle(), d.db->modelSpaceId().handle());
    copy->close();
    EXPECT_EQ(target.approxNumObjects(), d.db->approxNumObjects());
}

TEST(EntityFiling, UnknownClassesPassThroughAsProxies) {
    Drawing d;
    auto* mark = new TestMark();
    mark->where = AcGePoint3d(2, 3, 0);
    mark->label = L"+12,50 \u00b1";
    mark->setColorIndex(4);
    host::DwgBufferFiler out(AcDb::kFileFiler, d.db.get());
    ASSERT_EQ(mark->dwgOut(&out), Acad::eOk);
    std::vector<uint8_t> graphics = host::proxyGraphicsOf(mark);
    ASSERT_FALSE(graphics.empty());

    // Read where the class is not known: a proxy with the original bytes.
    auto* proxy = new AcDbProxyEntity();
    proxy->setOriginalClass(L"TestMark", L"XOTA_TESTMARK", L"test", AcDbProxyEntity::kAllButCloningAllowed);
    host::DwgBufferFiler in(out.bytes(), AcDb::kFileFiler, d.db.get());
    ASSERT_EQ(proxy->dwgIn(&in), Acad::eOk);
    std::wstring error;
    ASSERT_TRUE(proxy->setProxyGraphics(graphics, error)) << std::string(error.begin(), error.end());
    EXPECT_EQ(proxy->colorIndex(), 4) << "the common entity data is the proxy's own";
    expectSameDrawing(mark, proxy, "proxy graphics");

    std::wstring damagedError;
    std::vector<uint8_t> damaged(graphics.begin(), graphics.begin() + long(graphics.size() / 2));
    EXPECT_FALSE(proxy->setProxyGraphics(damaged, damagedError));
    EXPECT_FALSE(damagedError.empty());
    EXPECT_EQ(proxy->proxyGraphics(), graphics) << "damaged graphics leave the old ones";

    // Written back unchanged, then read by the real class: nothing was lost.
    host::DwgBufferFiler again(AcDb::kFileFiler, d.db.get());
    ASSERT_EQ(proxy->dwgOut(&again), Acad::eOk);
    EXPECT_EQ(again.bytes(), out.bytes());
    TestMark back;
    host::DwgBufferFiler backIn(again.bytes(), AcDb::kFileFiler, d.db.get());
    ASSERT_EQ(back.dwgIn(&backIn), Acad::eOk);
    EXPECT_EQ(back.label, L"+12,50 \u00b1");
    EXPECT_TRUE(back.where.isEqualTo(AcGePoint3d(2, 3, 0)));

    // What the flags do not allow is refused.
    EXPECT_EQ(proxy->transformBy(AcGeMatrix3d::translation(AcGeVector3d(1, 0, 0))), Acad::eNotApplicable);
    auto* locked = new AcDbProxyEntity();
    locked->setOriginalClass(L"TestMark", L"XOTA_TESTMARK", L"test", AcDbProxyEntity::kNoOperation);
    EXPECT_EQ(locked->setColorIndex(1), Acad::eNotApplicable);
    AcDbObjectId lockedId = d.append(locked);
    AcDbEntity* ent = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(ent, lockedId, AcDb::kForWrite), Acad::eOk);
    EXPECT_EQ(ent->erase(), Acad::eNotApplicable);
    EXPECT_TRUE(ent->isAProxy());
    ent->close();
    EXPECT_FALSE(lockedId.isErased());
    delete proxy;
    delete mark;
}

TEST(EntityFiling, BlockReferencesDrawAndExplodeTheirBlock) {
    Drawing d;
    AcDbBlockTable* blocks = nullptr;
    ASSERT_EQ(d.db->getBlockTable(blocks, AcDb::kForWrite), Acad::eOk);
    auto* def = new AcDbBlockTableRecord();
    def->setName(L"Fenster");
    def->setOrigin(AcGePoint3d(1, 0, 0));
    AcDbObjectId defId;
    ASSERT_EQ(blocks->add(defId, def), Acad::eOk);
    blocks->close();
    auto* inBlock = new AcDbLine(AcGePoint3d(1, 0, 0), AcGePoint3d(2, 0, 0));
    ASSERT_EQ(def->appendAcDbEntity(inBlock), Acad::eOk);
    inBlock->close();
    def->close();

    auto* ref = new AcDbBlockReference(AcGePoint3d(10, 10, 0), defId);
    ref->setRotation(std::numbers::pi / 2);
    ref->setScaleFactors(AcGeScale3d(2.0));
    AcDbVoidPtrArray parts;
    ASSERT_EQ(ref->explode(parts), Acad::eOk);
    ASSERT_EQ(parts.length(), 1);
    auto* part = AcDbLine::cast(static_cast<AcRxObject*>(parts[0]));
    ASSERT_NE(part, nullptr);
    EXPECT_TRUE(part->startPoint().isEqualTo(AcGePoint3d(10, 10, 0))) << "the block's origin lands on the position";
    EXPECT_TRUE(part->endPoint().isEqualTo(AcGePoint3d(10, 12, 0))) << "scaled by 2 and turned a quarter";
    host::deleteEntitySet(parts);

    AcDbExtents ext;
    ASSERT_EQ(ref->getGeomExtents(ext), Acad::eOk);
    EXPECT_NEAR(ext.maxPoint().y, 12.0, kGeomTol);
    auto copy = roundTrip(ref, d.db.get());
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->blockTableRecord(), defId);
    EXPECT_NEAR(copy->rotation(), std::numbers::pi / 2, kGeomTol);
    EXPECT_EQ(copy->attributeCount(), 0);

    // Attributes: filed with the insertion, drawn after its block, in the
    // extents, an invisible one kept but not drawn.
    auto* number = new AcDbAttribute(AcGePoint3d(20, 5, 0), L"F-12", L"NUMBER", d.db->textstyle());
    number->setHeight(0.5);
    ASSERT_EQ(ref->appendAttribute(number), Acad::eOk);
    auto* hidden = new AcDbAttribute(AcGePoint3d(10, 10, 0), L"Lieferant", L"NOTE", d.db->textstyle());
    hidden->setInvisible(true);
    ASSERT_EQ(ref->appendAttribute(hidden), Acad::eOk);
    EXPECT_EQ(hidden->setTag(L"two words"), Acad::eInvalidInput);
    ASSERT_EQ(ref->getGeomExtents(ext), Acad::eOk);
    EXPECT_GE(ext.maxPoint().x, 20.0) << "the attribute is part of the insertion's extents";
    for (AcDb::FilerType type : {AcDb::kFileFiler, AcDb::kCopyFiler, AcDb::kUndoFiler}) {
        auto withAttributes = roundTrip(ref, d.db.get(), type);
        ASSERT_TRUE(withAttributes);
        ASSERT_EQ(withAttributes->attributeCount(), 2);
        EXPECT_STREQ(withAttributes->attributeAt(0)->tagConst(), L"NUMBER");
        EXPECT_STREQ(withAttributes->attributeAt(0)->textStringConst(), L"F-12");
        EXPECT_TRUE(withAttributes->attributeAt(0)->position().isEqualTo(AcGePoint3d(20, 5, 0)));
        EXPECT_NEAR(withAttributes->attributeAt(0)->height(), 0.5, kGeomTol);
        EXPECT_TRUE(withAttributes->attributeAt(1)->isInvisible());
        EXPECT_STREQ(withAttributes->attributeAt(1)->textStringConst(), L"Lieferant");
        expectSameDrawing(ref, withAttributes.get(), "insertion with attributes");
    }
    std::vector<std::wstring> texts;
    for (const auto& p : drawn(ref))
        if (p.kind == host::gi::GiPrimitive::Text) texts.push_back(p.text);
    EXPECT_EQ(texts, std::vector<std::wstring>{L"F-12"});
    // Exploded, the block's geometry comes out; the attributes stay with the insertion.
    AcDbVoidPtrArray again;
    ASSERT_EQ(ref->explode(again), Acad::eOk);
    EXPECT_EQ(again.length(), 1);
    host::deleteEntitySet(again);
    delete ref;
}
