#include "host/render/DatabasePicture.h"

#include "host/db/AcDbBlockTable.h"
#include "host/db/AcDbBlockTableRecord.h"
#include "host/db/AcDbDatabase.h"
#include "host/db/AcDbEntity.h"
#include "host/db/AcDbLayerTableRecord.h"
#include "host/db/AcDbLinetypeTableRecord.h"
#include "host/db/AcDbObjectOpen.h"
#include "host/db/AcDbSortentsTable.h"
#include "host/gi/RecordingWorldDraw.h"
#include "host/render/PictureWriter.h"

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

} // namespace

bool recordModelSpace(AcDbDatabase* db, host::gi::GiRecording& out, std::wstring& error, bool plotting) {
    if (!db) {
        error = L"No drawing to draw";
        return false;
    }
    std::vector<AcDbObjectId> ids;
    if (!drawOrder(db, ids, error)) return false;
    host::gi::RecordingWorldDraw wd(kAcGiStandardDisplay);
    wd.setPlotGeneration(plotting);
    wd.setDatabase(db);
    for (const AcDbObjectId& id : ids) {
        AcDbEntity* entity = nullptr;
        if (acdbOpenAcDbEntity(entity, id, AcDb::kForRead) != Acad::eOk || !entity) continue;
        if (entity->visibility() == AcDb::kVisible) {
            wd.setStartTraits(host::gi::GiTraits{});
            wd.drawDrawable(entity);
        }
        entity->close();
    }
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
                          std::wstring& error) {
    host::gi::GiRecording primitives;
    if (!recordModelSpace(db, primitives, error)) return false;
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
    return renderToFile(primitives, path, options, error);
}

} // namespace host::render
