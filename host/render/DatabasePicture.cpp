#include "host/render/DatabasePicture.h"

#include "host/db/tables/AcDbBlockTable.h"
#include "host/db/tables/AcDbBlockTableRecord.h"
#include "host/db/database/AcDbDatabase.h"
#include "host/db/entities/AcDbEntity.h"
#include "host/db/tables/AcDbLayerTableRecord.h"
#include "host/db/tables/AcDbLinetypeTableRecord.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/db/tables/AcDbSortentsTable.h"
#include "host/gi/RecordingWorldDraw.h"
#include "host/render/PictureWriter.h"
#include "host/win/FormatW.h"

#include <cmath>
#include <map>
#include <memory>

namespace host::render {

namespace {

// The model space's entities in draw order: the draw-order table's, else the
// order they were appended in.
bool drawOrder(AcDbDatabase* db, std::vector<AcDbObjectId>& ids, std::wstring& error) {
    AcDbBlockTable* table = nullptr;
    if (db->getBlockTable(table, AcDb::kForRead) != Acad::eOk || !table) {
        error = L"The drawing has no block table";
        return false;
    }
    AcDbBlockTableRecord* space = nullptr;
    Acad::ErrorStatus es = table->getAt(ACDB_MODEL_SPACE, space, AcDb::kForRead);
    table->close();
    if (es != Acad::eOk || !space) {
        error = L"The drawing has no model space";
        return false;
    }
    AcDbSortentsTable* sortents = nullptr;
    if (space->getSortentsTable(sortents, AcDb::kForRead) == Acad::eOk && sortents) {
        AcDbObjectIdArray order;
        sortents->getFullDrawOrder(order);
        sortents->close();
        for (int i = 0; i < order.length(); ++i)
            ids.push_back(order[i]);
    } else {
        for (const AcDbObjectId& id : space->entityIds())
            if (!id.isErased()) ids.push_back(id);
    }
    space->close();
    return true;
}

bool near(const AcGePoint3d& p, double reach = 0.0) {
    return std::fabs(p.x) + reach <= kMaxDrawnCoordinate && std::fabs(p.y) + reach <= kMaxDrawnCoordinate &&
           std::fabs(p.z) + reach <= kMaxDrawnCoordinate;
}

// False when a primitive from `from` on reaches beyond the drawn range (or is not
// finite): such an entity cannot share a picture with the rest. Cheap on purpose:
// points, centres with their radius, a text's position with its height.
bool withinDrawnRange(const host::gi::GiRecording& recording, size_t from) {
    using host::gi::GiPrimitive;
    for (size_t i = from; i < recording.size(); ++i) {
        const GiPrimitive& p = recording[i];
        switch (p.kind) {
        case GiPrimitive::Circle:
        case GiPrimitive::Arc:
            if (!near(p.center, p.radius)) return false;
            break;
        case GiPrimitive::Text:
            if (!near(p.position, p.height())) return false;
            break;
        default:
            for (const AcGePoint3d& pt : p.points)
                if (!near(pt)) return false;
        }
    }
    return true;
}

// What the picture leaves out, in words.
void drawingNotes(const host::gi::RecordingWorldDraw& wd, size_t farAway, std::vector<std::wstring>& notes) {
    using host::gi::RecordingWorldDraw;
    if (farAway > 0)
        notes.push_back(host::FormatW(L"%zu object(s) lie beyond %g drawing units from the origin and are not drawn",
                                      farAway, kMaxDrawnCoordinate));
    if (wd.nestedTooDeep())
        notes.push_back(host::FormatW(L"blocks nested deeper than %d levels are not drawn",
                                      RecordingWorldDraw::kMaxNestingDepth));
    if (wd.nestedTooMany())
        notes.push_back(host::FormatW(L"the blocks expand to more than %zu objects; the rest is not drawn",
                                      RecordingWorldDraw::kMaxNestedDrawables));
    if (wd.textsCut() > 0)
        notes.push_back(host::FormatW(L"%zu text(s) longer than %zu characters are drawn only up to there",
                                      wd.textsCut(), RecordingWorldDraw::kMaxDrawnTextLength));
}

} // namespace

bool recordModelSpace(AcDbDatabase* db, host::gi::GiRecording& out, std::wstring& error, bool plotting,
                      std::vector<std::wstring>* notes) {
    if (!db) {
        error = L"No drawing to draw";
        return false;
    }
    std::vector<AcDbObjectId> ids;
    if (!drawOrder(db, ids, error)) return false;
    host::gi::RecordingWorldDraw wd(kAcGiStandardDisplay);
    wd.setPlotGeneration(plotting);
    wd.setDatabase(db);
    size_t farAway = 0;
    for (const AcDbObjectId& id : ids) {
        AcDbEntity* entity = nullptr;
        if (acdbOpenAcDbEntity(entity, id, AcDb::kForRead) != Acad::eOk || !entity) continue;
        if (entity->visibility() == AcDb::kVisible) {
            const size_t before = wd.primitives().size();
            wd.setStartTraits(host::gi::GiTraits{});
            wd.drawDrawable(entity);
            if (!withinDrawnRange(wd.primitives(), before)) {
                wd.truncate(before);
                ++farAway;
            }
        }
        entity->close();
    }
    if (notes) drawingNotes(wd, farAway, *notes);
    out = wd.takePrimitives();
    error.clear();
    return true;
}

LayerLook layerLookOf(AcDbStub* layerId) {
    LayerLook look;
    AcDbLayerTableRecord* layer = nullptr;
    if (!layerId || acdbOpenObject(layer, AcDbObjectId(layerId), AcDb::kForRead) != Acad::eOk || !layer)
        return look;
    look.color = layer->color();
    look.lineWeight = int(layer->lineWeight());
    look.visible = !layer->isOff() && !layer->isFrozen();
    look.linetype = layer->linetypeObjectId().isNull() ? nullptr : static_cast<AcDbStub*>(layer->linetypeObjectId());
    layer->close();
    return look;
}

LinetypeLook linetypeLookOf(AcDbStub* linetypeId) {
    LinetypeLook look;
    look.byLayer = true; // an entity without a linetype follows its layer
    AcDbLinetypeTableRecord* lt = nullptr;
    if (!linetypeId || acdbOpenObject(lt, AcDbObjectId(linetypeId), AcDb::kForRead) != Acad::eOk || !lt) return look;
    const AcDbDatabase* db = lt->database();
    look.byLayer = db && lt->objectId() == db->byLayerLinetype();
    // ByBlock lines of a block reference are drawn continuous: the reference's own
    // linetype does not reach them here.
    if (!look.byLayer && !(db && lt->objectId() == db->byBlockLinetype()))
        for (int i = 0; i < lt->numDashes(); ++i) look.dashes.push_back(lt->dashLengthAt(i));
    lt->close();
    return look;
}

bool renderDatabaseToFile(AcDbDatabase* db, const std::wstring& path, RenderOptions options,
                          std::wstring& error, std::vector<std::wstring>* notes, std::wstring* sizeNote) {
    host::gi::GiRecording primitives;
    if (!recordModelSpace(db, primitives, error, true, notes)) return false;
    if (!options.layerLook) {
        // A drawing has few layers and many primitives: open each layer once.
        auto looks = std::make_shared<std::map<AcDbStub*, LayerLook>>();
        options.layerLook = [looks](AcDbStub* layer) {
            auto it = looks->find(layer);
            if (it == looks->end()) it = looks->emplace(layer, layerLookOf(layer)).first;
            return it->second;
        };
    }
    if (!options.linetypeLook) {
        auto looks = std::make_shared<std::map<AcDbStub*, LinetypeLook>>();
        options.linetypeLook = [looks](AcDbStub* linetype) {
            auto it = looks->find(linetype);
            if (it == looks->end()) it = looks->emplace(linetype, linetypeLookOf(linetype)).first;
            return it->second;
        };
        options.ltscale = db->ltscale();
    }
    return renderToFile(primitives, path, options, error, sizeNote);
}

} // namespace host::render
