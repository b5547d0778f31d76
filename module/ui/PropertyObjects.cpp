#include "module/ui/PropertyObjects.h"

#include "host/db/database/AcDbObjectOpen.h"
#include "host/db/dimensions/AcDbDimension.h"
#include "host/db/entities/AcDbEntity.h"
#include "module/app/FormatCommands.h"
#include "module/app/FormatMarks.h"
#include "module/chain/TRdim.h"
#include "module/convert/DimStyleRecord.h"
#include "module/height/TRdimHeight.h"
#include "module/ui/PropertyRows.h"

namespace {

// The kind of an entity open for read.
int kindOf(const AcDbEntity* entity) {
    if (TRdim::cast(entity)) return kPropKindChains;
    if (TRdimHeight::cast(entity)) return kPropKindHeights;
    if (!IsLintaroObject(entity)) return 0;
    const int host = GetObjectKind(entity);
    return host == 10 ? kPropKindHostDims : host == 1 || host == 2 ? kPropKindHostTexts : 0;
}

bool paramsOf(const AcDbEntity* entity, TRdimParams& params) {
    if (const TRdim* chain = TRdim::cast(entity)) {
        params = chain->GetParams();
        return true;
    }
    if (const TRdimHeight* mark = TRdimHeight::cast(entity)) {
        params = mark->GetParams();
        return true;
    }
    if (kindOf(entity) == 0) return false;
    std::optional<TRdimParams> data = GetLintaroData(entity);
    if (!data) return false;
    params = std::move(*data);
    return true;
}

// The changed set onto the entity (open for write), each kind with its own update.
void store(AcDbEntity* entity, TRdimParams params) {
    if (TRdim* chain = TRdim::cast(entity)) {
        chain->SetParams(std::move(params));
        chain->DimRefresh(0);
    } else if (TRdimHeight* mark = TRdimHeight::cast(entity)) {
        mark->SetParams(std::move(params));
        mark->SetCurHeight();
        mark->SetPointDim(mark->GetPoint(kHPointDim));
    } else if (SetLintaroData(entity, params)) {
        if (AcDbDimension* dimension = AcDbDimension::cast(entity))
            SetDimStyleDD(entity->database(), dimension, ParamArraysView(params));
        else
            ApplyTextParameters(entity, ParamArraysView(params));
    }
}

} // namespace

int PropertyKindOf(const AcDbObjectId& id) {
    AcDbEntity* entity = nullptr;
    if (id.isNull() || acdbOpenAcDbEntity(entity, id, AcDb::kForRead) != Acad::eOk || !entity) return 0;
    const int kind = kindOf(entity);
    entity->close();
    return kind;
}

bool ReadPropertyParams(const AcDbObjectId& id, TRdimParams& params) {
    AcDbEntity* entity = nullptr;
    if (acdbOpenAcDbEntity(entity, id, AcDb::kForRead) != Acad::eOk || !entity) return false;
    const bool ok = paramsOf(entity, params);
    entity->close();
    return ok;
}

bool WritePropertyEdits(const AcDbObjectId& id, int kind, const PropertyEdits& edits) {
    AcDbEntity* entity = nullptr;
    if (acdbOpenAcDbEntity(entity, id, AcDb::kForWrite) != Acad::eOk || !entity) return false;
    TRdimParams params;
    bool changed = false;
    if (kindOf(entity) == kind && paramsOf(entity, params)) {
        for (const auto& [key, text] : edits)
            if (ParamChanged(kind, key.first, key.second, text, params.arrayString, params.arrayInt,
                             params.arrayDouble) > 0)
                changed = true;
        if (changed) {
            store(entity, std::move(params));
            entity->recordGraphicsModified(true);
        }
    }
    entity->close();
    return changed;
}
