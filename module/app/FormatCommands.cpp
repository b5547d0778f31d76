// XOTA_SetLintaroTexts, XOTA_SetLintaroDims and XOTA_UnsetLintaroTexts: the host's own
// texts and dimensions made the module's (formatted with its parameters and marked so
// that they can be formatted again when the options change), or unmarked.
#include "module/app/FormatCommands.h"

#include "host/db/database/AcDbDatabase.h"
#include "host/db/dimensions/AcDbDimension.h"
#include "host/db/entities/AcDbMText.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/db/entities/AcDbText.h"
#include "host/db/tables/AcDbTextStyleTableRecord.h"
#include "host/ed/acutPrintf.h"
#include "module/services/DbServices.h"
#include "module/services/DocLocks.h"
#include "module/app/FormatMarks.h"
#include "module/services/ReactorSuspension.h"
#include "module/services/XDataServices.h"
#include "module/base/LintaroLog.h"
#include "module/chain/ChainScale.h"
#include "module/chain/RecordFiling.h"
#include "module/convert/DimStyleRecord.h"
#include "module/options/OptionIndices.h"
#include "module/options/ScaleMaps.h"
#include "module/resources/resource.h"

namespace {

constexpr const wchar_t* kTexts = L"*TEXT";
constexpr const wchar_t* kDimensions = L"*DIMENSION*";

double ScaledTextHeight(ParamArraysView params) {
    if (params.Double(IND_D_ScaleVal) == 0) LogMsg(L"\n!!! Scale=0 !!!");
    if (params.Double(IND_D_AcadUnits) == 0) LogMsg(L"\n!!! AcadUnits=0 !!!");
    return PaperToModelSize(params.Double(IND_D_TextHeight) / 10.0, params.Double(IND_D_ScaleVal),
                            params.Double(IND_D_AcadUnits));
}

double StyleWidthFactor(AcDbObjectId styleId) {
    AcDbTextStyleTableRecord* style = nullptr;
    if (styleId.isNull() || acdbOpenObject(style, styleId, AcDb::kForRead) != Acad::eOk) return 1.0;
    const double factor = style->xScale();
    style->close();
    return factor > 0 ? factor : 1.0;
}

// Runs `apply` on every entity of the user's selection, each opened for write, under
// the document lock and with the module's database reactor quiet. Returns the count
// `apply` reports.
template <typename Apply> int ForSelected(const wchar_t* filter, const wchar_t* what, Apply apply) {
    AcDbObjectIdArray ids;
    const std::wstring prompt = std::wstring(L"\n") + LoadStr(IDS_SELECT_TEXTS_TO_UPDATE);
    if (SelectEntities(ids, prompt.c_str(), filter) == 0) return 0;
    AcDbDatabase* db = acdbCurDwg();
    CDbLockScope lock(db, what);
    CReactorSuspension suspended;
    int count = 0;
    for (int i = 0; i < ids.length(); ++i) {
        AcDbEntity* entity = nullptr;
        const Acad::ErrorStatus es = acdbOpenObject(entity, ids[i], AcDb::kForWrite);
        if (es != Acad::eOk) {
            LogFmt(L"\n!!!%s %d./%d openEnt=%d ", what, i + 1, ids.length(), static_cast<int>(es));
            continue;
        }
        if (apply(entity)) ++count;
        entity->close();
    }
    return count;
}

} // namespace

bool ApplyTextParameters(AcDbEntity* entity, ParamArraysView params) {
    AcDbDatabase* db = entity->database() ? entity->database() : acdbCurDwg();
    const AcDbObjectId styleId = TextStyleIdFor(db, params.String(IND_S_TextStyle));
    const int colour = GetColorForTextHeight(params.Double(IND_D_TextHeight));
    const double height = ScaledTextHeight(params);
    if (auto* text = AcDbText::cast(entity)) {
        if (height != 0) text->setHeight(height);
        text->setTextStyle(styleId);
        text->setWidthFactor(StyleWidthFactor(styleId));
    } else if (auto* mtext = AcDbMText::cast(entity)) {
        mtext->setTextStyle(styleId);
        if (height != 0) mtext->setTextHeight(height);
    } else {
        LogMsg(L"\n UNKNOWN TEXT ENTITY !!!");
        return false;
    }
    if (colour > 0) entity->setColorIndex(static_cast<Adesk::UInt16>(colour), true);
    return true;
}

bool ActualizeLintaroText(AcDbEntity* entity) {
    if (!IsLintaroObject(entity) || GetObjectKind(entity) > 2) return false;
    TRdimParams params = ParamsFromOptions(OPT_MODE_TEXT);
    SetLintaroData(entity, params);
    if (std::optional<TRdimParams> back = GetLintaroData(entity)) params = std::move(*back);
    const bool applied = ApplyTextParameters(entity, params);
    entity->recordGraphicsModified();
    return applied;
}

bool SetLintaroStyle(AcDbEntity* entity) {
    auto* dim = AcDbDimension::cast(entity);
    if (!dim) return false;
    if (!IsLintaroObject(dim)) {
        LogMsg(L"\n *** SetLintaroStyle !IsLintaroObject !!!! ");
        SetLintaroObject(dim, true);
    }
    TRdimParams params = ParamsFromOptions(OPT_MODE_CHAIN);
    SetLintaroData(dim, params);
    if (std::optional<TRdimParams> back = GetLintaroData(dim)) params = std::move(*back);
    return SetDimStyleDD(dim->database(), dim, params);
}

int CmdSetLintaroTexts() {
    const int count = ForSelected(kTexts, L"ActualizeLintaroObjects", [](AcDbEntity* entity) {
        if (GetObjectKind(entity) > 2) return false;
        SetLintaroObject(entity, true);
        return ActualizeLintaroText(entity);
    });
    LogFmt(L"\nActualizeLintaroTexts Total Ents: %d ", count);
    return count;
}

int UpdateLintaroTexts() {
    const int count = ForSelected(kTexts, L"ActualizeLintaroObjects", [](AcDbEntity* entity) {
        return ActualizeLintaroText(entity);
    });
    LogFmt(L"\nActualizeLintaroTexts Total Ents: %d ", count);
    return count;
}

int CmdSetLintaroDims() {
    return ForSelected(kDimensions, L"ActualizeLintaroObjects", [](AcDbEntity* entity) {
        if (GetObjectKind(entity) != 10) return false;
        SetLintaroObject(entity, true);
        return SetLintaroStyle(entity);
    });
}

int CmdUnsetLintaroTexts() {
    const int count = ForSelected(kTexts, L"UnsetLintaroObjects", [](AcDbEntity* entity) {
        return GetObjectKind(entity) <= 2 && IsLintaroObject(entity) && SetLintaroObject(entity, false);
    });
    acutPrintf(LoadStr(IDS_VALID_LINTARO_OBJECTS), count);
    return count;
}
