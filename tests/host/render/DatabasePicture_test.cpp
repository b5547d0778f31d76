// A drawing's picture: model space in draw order, layer colours, hidden layers.
#include "host/db/AcDbBlockTable.h"
#include "host/db/AcDbBlockTableRecord.h"
#include "host/db/AcDbCircle.h"
#include "host/db/AcDbDatabase.h"
#include "host/db/AcDbHostApplicationServices.h"
#include "host/db/AcDbLayerTable.h"
#include "host/db/AcDbLayerTableRecord.h"
#include "host/db/AcDbLine.h"
#include "host/db/AcDbObjectOpen.h"
#include "host/db/AcDbSortentsTable.h"
#include "host/render/DatabasePicture.h"
#include "host/win/Utf8.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

using namespace host::render;
using host::gi::GiPrimitive;

namespace {

constexpr double kPointTol = 1e-9;

struct Drawing {
    std::unique_ptr<AcDbDatabase> db = std::make_unique<AcDbDatabase>();
    AcDbDatabase* previous = acdbHostApplicationServices()->workingDatabase();
    Drawing() { acdbHostApplicationServices()->setWorkingDatabase(db.get()); }
    ~Drawing() { acdbHostApplicationServices()->setWorkingDatabase(previous); }

    AcDbObjectId layer(const wchar_t* name, int color, bool off) {
        AcDbLayerTable* layers = nullptr;
        if (db->getLayerTable(layers, AcDb::kForWrite) != Acad::eOk) return {};
        auto* rec = new AcDbLayerTableRecord();
        rec->setName(name);
        AcCmColor c;
        c.setColorIndex(int16_t(color));
        rec->setColor(c);
        rec->setIsOff(off);
        AcDbObjectId id;
        if (layers->add(id, rec) == Acad::eOk)
            rec->close();
        else
            delete rec;
        layers->close();
        return id;
    }
    AcDbObjectId append(AcDbEntity* ent, AcDbObjectId layer = {}) {
        AcDbBlockTableRecord* ms = nullptr;
        if (acdbOpenObject(ms, db->modelSpaceId(), AcDb::kForWrite) != Acad::eOk) {
            delete ent;
            return {};
        }
        AcDbObjectId id;
        if (ms->appendAcDbEntity(id, ent) == Acad::eOk) {
            if (!layer.isNull()) ent->setLayer(layer);
            ent->close();
        } else {
            delete ent;
        }
        ms->close();
        return id;
    }
};

uint32_t pixel(cairo_surface_t* s, int x, int y) {
    cairo_surface_flush(s);
    const unsigned char* row = cairo_image_surface_get_data(s) + y * cairo_image_surface_get_stride(s);
    return reinterpret_cast<const uint32_t*>(row)[x] & 0xFFFFFF;
}

} // namespace

TEST(DatabasePicture, ModelSpaceInDrawOrderWithLayerLooks) {
    Drawing d;
    AcDbObjectId red = d.layer(L"Maßlinien", 1, false);
    AcDbObjectId hidden = d.layer(L"Aus", 3, true);
    AcDbObjectId first = d.append(new AcDbLine(AcGePoint3d(10, 25, 0), AcGePoint3d(90, 25, 0)), red);
    d.append(new AcDbLine(AcGePoint3d(50, 5, 0), AcGePoint3d(50, 45, 0)), hidden);
    auto* invisible = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(100, 50, 0));
    invisible->setVisibility(AcDb::kInvisible);
    d.append(invisible);
    auto* circle = new AcDbCircle(AcGePoint3d(20, 40, 0), AcGeVector3d::kZAxis, 3.0);
    circle->setColorIndex(5);
    d.append(circle);

    // Move the first line to the top of the draw order.
    AcDbBlockTableRecord* ms = nullptr;
    ASSERT_EQ(acdbOpenObject(ms, d.db->modelSpaceId(), AcDb::kForWrite), Acad::eOk);
    AcDbSortentsTable* sortents = nullptr;
    ASSERT_EQ(ms->getSortentsTable(sortents, AcDb::kForWrite, true), Acad::eOk);
    ASSERT_EQ(sortents->moveToTop(AcDbObjectIdArray{first}), Acad::eOk);
    sortents->close();
    ms->close();

    host::gi::GiRecording rec;
    std::wstring error;
    ASSERT_TRUE(recordModelSpace(d.db.get(), rec, error)) << host::toUtf8(error);
    ASSERT_EQ(rec.size(), 3u) << "the invisible entity draws nothing";
    EXPECT_EQ(rec[0].traits.layer, static_cast<AcDbStub*>(hidden));
    EXPECT_EQ(rec[1].kind, GiPrimitive::Circle);
    EXPECT_EQ(rec[1].traits.colorIndex, 5);
    EXPECT_NEAR(rec[1].radius, 3.0, kPointTol);
    EXPECT_EQ(rec[2].traits.layer, static_cast<AcDbStub*>(red)) << "moved to the top: drawn last";
    EXPECT_EQ(rec[2].traits.colorIndex, 256);

    LayerLook look = layerLookOf(red);
    EXPECT_EQ(look.color.colorIndex(), 1);
    EXPECT_TRUE(look.visible);
    EXPECT_FALSE(layerLookOf(hidden).visible);
    EXPECT_TRUE(layerLookOf(nullptr).visible) << "no layer: the default look";

    const char* tmp = std::getenv("TMPDIR");
    std::string dir = std::string(tmp && *tmp ? tmp : "/tmp") + "/lintaro-dbpic-XXXXXX";
    ASSERT_NE(mkdtemp(dir.data()), nullptr);
    std::string png = dir + "/plan.png";
    RenderOptions o;
    o.hasWindow = true;
    o.x2 = 100;
    o.y2 = 50;
    o.widthPx = 200;
    ASSERT_TRUE(renderDatabaseToFile(d.db.get(), host::fromUtf8(png), o, error)) << host::toUtf8(error);
    cairo_surface_t* img = cairo_image_surface_create_from_png(png.c_str());
    ASSERT_EQ(cairo_surface_status(img), CAIRO_STATUS_SUCCESS);
    uint32_t onRedLine = pixel(img, 60, 50);
    EXPECT_EQ(onRedLine >> 16, 0xFFu) << "ByLayer red: " << std::hex << onRedLine;
    EXPECT_LT(onRedLine & 0xFF, 0x90u);
    EXPECT_EQ(pixel(img, 100, 20), 0xFFFFFFu) << "the line on the layer that is off";
    EXPECT_EQ(pixel(img, 50, 75), 0xFFFFFFu) << "the invisible line";
    cairo_surface_destroy(img);
    std::filesystem::remove_all(dir);

    EXPECT_FALSE(recordModelSpace(nullptr, rec, error));
    EXPECT_FALSE(error.empty());
}
