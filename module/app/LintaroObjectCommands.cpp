// XOTA_LintaroText, XOTA_LintaroMText, XOTA_dimAngular, XOTA_dimRadius and
// XOTA_dimDiameter: the host's own text and dimension commands, run with the module's
// text style and height or dimension style, and the object they make marked as the
// module's with its parameter set.
#include "module/app/FormatCommands.h"

#include "host/db/database/AcDbDatabase.h"
#include "host/db/tables/AcDbDimStyleTableRecord.h"
#include "host/db/dimensions/AcDbDimension.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/ed/selection/AcEdSelectionSet.h"
#include "host/ed/acedCommand.h"
#include "host/rx/AcRxClass.h"
#include "host/rx/adscodes.h"
#include "module/services/DbServices.h"
#include "module/app/FormatMarks.h"
#include "module/base/LintaroLog.h"
#include "module/chain/ChainScale.h"
#include "module/services/PalettePort.h"
#include "module/chain/RecordFiling.h"
#include "module/convert/DimStyleRecord.h"
#include "module/options/OptionIndices.h"

namespace {

AcDbObjectId LastEntity() {
    ads_name last = {0, 0};
    AcDbObjectId id;
    if (acdbEntLast(last) == RTNORM) acdbGetObjectId(id, last);
    return id;
}

// The drawing's current text style and height, or dimension style, made the ones of
// the parameters, so that the host's command draws with them.
void PrepareDrawing(AcDbDatabase* db, bool dimension, const TRdimParams& params) {
    if (dimension) {
        if (AcDbDimStyleTableRecord* record = GetDimStyleDD(db, params, nullptr)) {
            const AcDbObjectId id = record->objectId();
            record->close();
            db->setDimstyle(id);
        }
        return;
    }
    const ParamArraysView view(params);
    db->setTextstyle(TextStyleIdFor(db, view.String(IND_S_TextStyle)));
    const double height = PaperToModelSize(view.Double(IND_D_TextHeight) / 10.0, view.Double(IND_D_ScaleVal),
                                           view.Double(IND_D_AcadUnits));
    if (height > 0) db->setTextsize(height);
}

// Marks what the command made: the last entity, when it is new and of the kind.
void MarkMadeObject(AcDbObjectId before, int kind, const TRdimParams& params) {
    const AcDbObjectId made = LastEntity();
    if (made.isNull() || made == before) return;
    AcDbEntity* entity = nullptr;
    if (acdbOpenObject(entity, made, AcDb::kForWrite) != Acad::eOk) return;
    if (GetObjectKind(entity) == kind) {
        SetLintaroObject(entity, true);
        SetLintaroData(entity, params);
        if (kind == 10) SetDimStyleDD(entity->database(), AcDbDimension::cast(entity), params);
        LogFmt(L" postCommand=%s ", entity->isA()->name());
    }
    entity->close();
}

} // namespace

int MakeLintaroObject(const wchar_t* command, int mode, int kind) {
    AcDbDatabase* db = acdbCurDwg();
    if (!db) return RTERROR;
    PalettePort& palette = Palette();
    if (!palette.Exists()) palette.Start();
    if (palette.Exists()) palette.SelectMode(mode);
    const TRdimParams params = ParamsFromOptions(mode);
    PrepareDrawing(db, kind == 10, params);
    const AcDbObjectId before = LastEntity();
    const int rc = acedCommandS(RTSTR, command, RTNONE);
    if (rc != RTNORM) {
        LogFmt(L"\n!!!!!!! ERROR ads_command %s PROBLEM %d...", command, rc);
        return rc;
    }
    MarkMadeObject(before, kind, params);
    return rc;
}
