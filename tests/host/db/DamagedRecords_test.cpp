// Records damaged in every way a file can be damaged are refused without a
// crash, and the object they were read into keeps what it had.
#include "DbTestHelpers.h"
#include "host/db/entities/AcDb2dPolyline.h"
#include "host/db/entities/AcDbArc.h"
#include "host/db/entities/AcDbAttributeDefinition.h"
#include "host/db/entities/AcDbBlockReference.h"
#include "host/db/entities/AcDbCircle.h"
#include "host/db/tables/AcDbDimStyleTable.h"
#include "host/db/entities/AcDbFace.h"
#include "host/db/tables/AcDbLayerTable.h"
#include "host/db/entities/AcDbLeader.h"
#include "host/db/entities/AcDbLine.h"
#include "host/db/tables/AcDbLinetypeTable.h"
#include "host/db/entities/AcDbMText.h"
#include "host/db/entities/AcDbPolyline.h"
#include "host/db/entities/AcDbProxyEntity.h"
#include "host/db/tables/AcDbRegAppTableRecord.h"
#include "host/db/entities/AcDbSolid.h"
#include "host/db/tables/AcDbSortentsTable.h"
#include "host/db/entities/AcDbText.h"
#include "host/db/tables/AcDbTextStyleTable.h"
#include "host/db/entities/AcDbXline.h"
#include "host/db/database/acutResbuf.h"

#include <gtest/gtest.h>

#include <random>

using dbtest::Drawing;

namespace {
// One object of every class, with something in every field worth damaging.
std::vector<std::unique_ptr<AcDbObject>> samples(AcDbDatabase* db) {
    std::vector<std::unique_ptr<AcDbObject>> out;
    auto* pl = new AcDbPolyline();
    for (unsigned i = 0; i < 5; ++i) pl->addVertexAt(i, AcGePoint2d(i, i * i), i % 2 ? 0.5 : 0.0);
    out.emplace_back(pl);
    out.emplace_back(new AcDbLine(AcGePoint3d(1, 2, 3), AcGePoint3d(4, 5, 6)));
    out.emplace_back(new AcDbCircle(AcGePoint3d(1, 1, 1), AcGeVector3d::kZAxis, 2.0));
    out.emplace_back(new AcDbArc(AcGePoint3d(0, 0, 0), 1.0, 0.1, 1.2));
    out.emplace_back(new AcDbText(AcGePoint3d(1, 1, 0), L"H\u00f6he +2,50", db->textstyle(), 0.25));
    auto* mt = new AcDbMText();
    mt->setContents(L"a\\Pb");
    out.emplace_back(mt);
    out.emplace_back(new AcDbSolid(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0), AcGePoint3d(0, 1, 0)));
    out.emplace_back(new AcDbFace(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0), AcGePoint3d(0, 1, 0)));
    out.emplace_back(new AcDbXline());
    out.emplace_back(new AcDbBlockReference(AcGePoint3d(1, 1, 0), db->modelSpaceId()));
    auto* withAttributes = new AcDbBlockReference(AcGePoint3d(1, 1, 0), db->modelSpaceId());
    withAttributes->appendAttribute(new AcDbAttribute(AcGePoint3d(2, 1, 0), L"T-01", L"NUMBER"));
    withAttributes->appendAttribute(new AcDbAttribute(AcGePoint3d(2, 2, 0), L"Eiche", L"MATERIAL"));
    out.emplace_back(withAttributes);
    auto* attdef = new AcDbAttributeDefinition(AcGePoint3d(1, 1, 0), L"0", L"NUMBER", L"Nummer");
    attdef->setConstant(true);
    out.emplace_back(attdef);
    auto* leader = new AcDbLeader();
    leader->appendVertex(AcGePoint3d(0, 0, 0));
    leader->appendVertex(AcGePoint3d(2, 1, 0));
    leader->setHasHookLine(true);
    leader->attachAnnotation(db->modelSpaceId());
    out.emplace_back(leader);
    AcGePoint3dArray pts{AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0)};
    out.emplace_back(new AcDb2dPolyline(AcDb::k2dSimplePoly, pts));
    auto* layer = new AcDbLayerTableRecord();
    layer->setName(L"Ebene");
    out.emplace_back(layer);
    auto* style = new AcDbTextStyleTableRecord();
    style->setName(L"Stil");
    out.emplace_back(style);
    auto* dim = new AcDbDimStyleTableRecord();
    dim->setName(L"Bema\u00dfung");
    out.emplace_back(dim);
    auto* lt = new AcDbLinetypeTableRecord();
    lt->setName(L"Strich");
    lt->setNumDashes(2);
    out.emplace_back(lt);
    out.emplace_back(new AcDbBlockTableRecord());
    out.emplace_back(new AcDbLayerTable());
    out.emplace_back(new AcDbSortentsTable());
    // Extended data on the first one, so its records are damaged too.
    acdbRegApp(L"LINTARO_DATA");
    resbuf* rb = acutBuildList(1001, L"LINTARO_DATA", 1000, L"x", 1070, 3, 1040, 2.5, 0);
    out.front()->setXData(rb);
    acutRelRb(rb);
    return out;
}

std::vector<uint8_t> filed(const AcDbObject* obj, AcDbDatabase* db) {
    host::DwgBufferFiler out(AcDb::kFileFiler, db);
    obj->dwgOut(&out);
    return out.takeBytes();
}
} // namespace

TEST(DamagedRecords, CutFlippedAndRandomBytesNeverCrashAndChangeNothing) {
    Drawing d;
    std::mt19937 rng(20231205);
    for (auto& sample : samples(d.db.get())) {
        const std::vector<uint8_t> good = filed(sample.get(), d.db.get());
        const wchar_t* cls = sample->isA()->name();
        std::string what(cls, cls + wcslen(cls));
        ASSERT_FALSE(good.empty()) << what;

        for (size_t cut = 0; cut < good.size(); ++cut) {
            std::unique_ptr<AcDbObject> target(AcDbObject::cast(sample->isA()->create()));
            const std::vector<uint8_t> before = filed(target.get(), d.db.get());
            host::DwgBufferFiler in(std::vector<uint8_t>(good.begin(), good.begin() + long(cut)), AcDb::kFileFiler,
                                    d.db.get());
            EXPECT_NE(target->dwgIn(&in), Acad::eOk) << what << " cut at " << cut;
            EXPECT_EQ(filed(target.get(), d.db.get()), before) << what << " changed by a record cut at " << cut;
        }
        // Single flipped bytes and random noise: any answer but a crash, and an
        // object that still files itself.
        for (int round = 0; round < 200; ++round) {
            std::vector<uint8_t> bad = good;
            if (round < 100) {
                bad[rng() % bad.size()] ^= uint8_t(1u << (rng() % 8));
            } else {
                for (auto& b : bad) b = uint8_t(rng());
            }
            std::unique_ptr<AcDbObject> target(AcDbObject::cast(sample->isA()->create()));
            host::DwgBufferFiler in(bad, AcDb::kFileFiler, d.db.get());
            target->dwgIn(&in);
            host::DwgBufferFiler out(AcDb::kFileFiler, d.db.get());
            target->dwgOut(&out);
        }
    }
}
