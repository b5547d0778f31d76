// A drawing's picture: model space in draw order, layer colours, hidden layers, and
// what it leaves out of hostile drawings.
#include "host/db/entities/AcDbBlockReference.h"
#include "host/db/tables/AcDbBlockTable.h"
#include "host/db/tables/AcDbBlockTableRecord.h"
#include "host/db/entities/AcDbCircle.h"
#include "host/db/database/AcDbDatabase.h"
#include "host/db/entities/AcDbExtents.h"
#include "host/db/database/AcDbHostApplicationServices.h"
#include "host/db/tables/AcDbLayerTable.h"
#include "host/db/tables/AcDbLayerTableRecord.h"
#include "host/db/entities/AcDbLine.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/db/tables/AcDbSortentsTable.h"
#include "host/db/entities/AcDbText.h"
#include "host/gi/RecordingWorldDraw.h"
#include "host/render/DatabasePicture.h"
#include "host/win/Utf8.h"
#include "tests/host/db/DbTestHelpers.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cwchar>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

using namespace host::render;
using host::gi::GiPrimitive;
using host::gi::RecordingWorldDraw;

namespace {

constexpr double kPointTol = 1e-9;

struct Drawing {
    std::unique_ptr<AcDbDatabase> db = std::make_unique<AcDbDatabase>();
    AcDbDatabase* previous = acdbHostApplicationServices()->workingDatabase();
    Drawing() { acdbHostApplicationServices()->setWorkingDatabase(db.get()); }
    ~Drawing() { acdbHostApplicationServices()->setWorkingDatabase(previous); }

    AcDbObjectId layer(const wchar_t* name, int color, bool off) {
        return dbtest::addLayer(db.get(), name, color, off);
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
    AcDbObjectId appendTo(AcDbObjectId owner, AcDbEntity* ent) {
        AcDbBlockTableRecord* rec = nullptr;
        EXPECT_EQ(acdbOpenObject(rec, owner, AcDb::kForWrite), Acad::eOk);
        AcDbObjectId id;
        EXPECT_EQ(rec->appendAcDbEntity(id, ent), Acad::eOk);
        ent->close();
        rec->close();
        return id;
    }
    AcDbObjectId block(const std::wstring& name) {
        AcDbBlockTable* table = nullptr;
        EXPECT_EQ(db->getBlockTable(table, AcDb::kForWrite), Acad::eOk);
        auto* rec = new AcDbBlockTableRecord();
        rec->setName(name.c_str());
        AcDbObjectId id;
        EXPECT_EQ(table->add(id, rec), Acad::eOk);
        rec->close();
        table->close();
        return id;
    }
    // levels blocks, each inserting the next `fan` times one unit apart; the last
    // holds one line from 0,0 to 1,0. Returns the first.
    AcDbObjectId nest(int levels, int fan) {
        std::vector<AcDbObjectId> blocks;
        for (int i = 0; i < levels; ++i) blocks.push_back(block(L"B" + std::to_wstring(i)));
        appendTo(blocks.back(), new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 0, 0)));
        for (int i = 0; i + 1 < levels; ++i)
            for (int k = 0; k < fan; ++k)
                appendTo(blocks[i], new AcDbBlockReference(AcGePoint3d(0, k, 0), blocks[i + 1]));
        return blocks.front();
    }
};

uint32_t pixel(cairo_surface_t* s, int x, int y) {
    cairo_surface_flush(s);
    const unsigned char* row = cairo_image_surface_get_data(s) + y * cairo_image_surface_get_stride(s);
    return reinterpret_cast<const uint32_t*>(row)[x] & 0xFFFFFF;
}

bool hasNote(const std::vector<std::wstring>& notes, const wchar_t* part) {
    for (const std::wstring& n : notes)
        if (n.find(part) != std::wstring::npos) return true;
    return false;
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

// Drawings no plan looks like but a hostile file does: blocks that nest and multiply
// without end, an entity at 1e308, a text of a million letters. The picture is still
// made, bounded, and says what it left out; the drawing keeps everything.
TEST(DatabasePictureLimits, FarAwayEntitiesAndOverlongTextsAreLeftOutAndNamed) {
    Drawing d;
    d.append(new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(100, 50, 0)));
    d.append(new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1e308, 0, 0)));
    d.append(new AcDbLine(AcGePoint3d(-1e308, -1e308, 0), AcGePoint3d(5, 5, 0)));
    const std::wstring longText(1000000, L'W');
    AcDbObjectId text = d.append(
                                   new AcDbText(AcGePoint3d(10, 10, 0), longText.c_str(), AcDbObjectId(), 2.5, 0));

    host::gi::GiRecording rec;
    std::wstring error;
    std::vector<std::wstring> notes;
    ASSERT_TRUE(recordModelSpace(d.db.get(), rec, error, true, &notes)) << host::toUtf8(error);
    ASSERT_EQ(rec.size(), 2u) << "the near line and the text";
    EXPECT_NEAR(rec[0].points.back().x, 100.0, kPointTol);
    EXPECT_EQ(rec[1].text.size(), RecordingWorldDraw::kMaxDrawnTextLength);
    EXPECT_TRUE(hasNote(notes, L"2 object(s) lie beyond 1e+12")) << host::toUtf8(notes.empty() ? L"" : notes[0]);
    EXPECT_TRUE(hasNote(notes, L"1 text(s) longer than 10000 characters"));

    // The picture is made, and the drawing keeps the text whole.
    const std::filesystem::path png = std::filesystem::temp_directory_path() / "lintaro-far-away.png";
    notes.clear();
    EXPECT_TRUE(renderDatabaseToFile(d.db.get(), png.wstring(), RenderOptions(), error, &notes))
        << host::toUtf8(error);
    EXPECT_TRUE(std::filesystem::exists(png));
    std::filesystem::remove(png);
    EXPECT_EQ(notes.size(), 2u);
    AcDbText* t = nullptr;
    ASSERT_EQ(acdbOpenObject(t, text, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(std::wcslen(t->textStringConst()), longText.size());
    t->close();
}

TEST(DatabasePictureLimits, BlocksNestedTooDeepOrTooManyAreCutShort) {
    // A chain of 40 blocks, each inserting the next once: the innermost line lies
    // beyond the nesting limit, so nothing is drawn, and the notes say why.
    Drawing deep;
    deep.append(new AcDbBlockReference(AcGePoint3d(0, 0, 0), deep.nest(40, 1)));
    host::gi::GiRecording rec;
    std::wstring error;
    std::vector<std::wstring> notes;
    ASSERT_TRUE(recordModelSpace(deep.db.get(), rec, error, true, &notes));
    EXPECT_TRUE(rec.empty());
    EXPECT_TRUE(hasNote(notes, L"nested deeper than 32 levels"));

    // 30 levels stay inside the limit: the line is drawn, shifted by nothing.
    Drawing fine;
    fine.append(new AcDbBlockReference(AcGePoint3d(3, 4, 0), fine.nest(30, 1)));
    notes.clear();
    ASSERT_TRUE(recordModelSpace(fine.db.get(), rec, error, true, &notes));
    ASSERT_EQ(rec.size(), 1u);
    EXPECT_NEAR(rec[0].points.front().x, 3.0, kPointTol);
    EXPECT_NEAR(rec[0].points.back().y, 4.0, kPointTol);
    EXPECT_TRUE(notes.empty());

    // Ten to the power of eight lines from nine levels of ten: the recording stops
    // at the limit of nested drawables (each level's inserts count too).
    Drawing wide;
    wide.append(new AcDbBlockReference(AcGePoint3d(0, 0, 0), wide.nest(9, 10)));
    RecordingWorldDraw wd;
    wd.setNestedDrawableLimit(5000);
    AcDbBlockTableRecord* ms = nullptr;
    ASSERT_EQ(acdbOpenObject(ms, wide.db->modelSpaceId(), AcDb::kForRead), Acad::eOk);
    AcDbEntity* insert = nullptr;
    ASSERT_EQ(acdbOpenObject(insert, ms->entityIds().front(), AcDb::kForRead), Acad::eOk);
    ms->close();
    wd.drawDrawable(insert);
    EXPECT_TRUE(wd.nestedTooMany());
    EXPECT_FALSE(wd.nestedTooDeep());
    EXPECT_GT(wd.primitives().size(), 0u);
    EXPECT_LT(wd.primitives().size(), 5000u);
    // Its extents come from each block once, not from 10^8 lines: x 0..1, y 0..9*8.
    AcDbExtents ext;
    ASSERT_EQ(insert->getGeomExtents(ext), Acad::eOk);
    EXPECT_NEAR(ext.minPoint().x, 0.0, kPointTol);
    EXPECT_NEAR(ext.maxPoint().x, 1.0, kPointTol);
    EXPECT_NEAR(ext.maxPoint().y, 72.0, kPointTol);
    insert->close();
}
