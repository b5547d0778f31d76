// The context menu on the host's texts and dimensions that carry the module's mark
// (menus 137 to 139): a dimension's value text and switches, and the format made the
// default.
#include "host/db/dimensions/AcDbDimension.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/ed/acutPrintf.h"
#include "host/win/FormatW.h"
#include "module/app/FormatMarks.h"
#include "module/app/PropertiesPort.h"
#include "module/services/DbServices.h"
#include "module/services/XDataServices.h"
#include "module/base/LintaroLog.h"
#include "module/convert/HostDimItems.h"
#include "module/options/OptionIndices.h"
#include "module/resources/ContextMenuResources.h"
#include "module/resources/resource.h"
#include "module/ui/CDlgChainText.h"
#include "module/ui/ChainPopup.h"
#include "module/ui/ChainSegmentPick.h"

namespace {

// 32802: the dimension's own text, asked in the value dialog beside what it shows now
// and its measurement; "<>" in the answer stands for the measured value.
void EditHostDimensionText(AcDbObjectId objectId) {
    AcDbDimension* dim = nullptr;
    if (acdbOpenObject(dim, objectId, AcDb::kForRead) != Acad::eOk) return;
    double measured = 0.0;
    std::wstring value;
    if (dim->measurement(measured) == Acad::eOk) dim->formatMeasurement(value, measured, L"");
    CDlgChainText dlg(CDlgChainText::kValue);
    dlg.m_strTitle = LoadStr(IDS_DIMVALUE_CHANGE_TITLE);
    dlg.m_strLabel = LoadStr(IDS_DIMVALUE_CHANGE_PROMPT);
    dlg.m_strText = dim->dimensionTextString();
    dlg.m_strInfo = host::FormatW(L"%s (%s)", dim->displayText().c_str(), value.c_str());
    dim->close();
    if (!RunTextDialog(dlg)) return;
    if (acdbOpenObject(dim, objectId, AcDb::kForWrite) != Acad::eOk) return;
    dim->setDimensionText(dlg.m_strText.c_str());
    dim->close();
}

// The switches work with the tick size of the dimension's format mark.
void SwitchHostDimension(AcDbObjectId objectId, int commandId) {
    AcDbDimension* dim = nullptr;
    const Acad::ErrorStatus es = acdbOpenObject(dim, objectId, AcDb::kForWrite);
    if (es != Acad::eOk) {
        LogFmt(L"\n AcDbDimension open es=%d ", static_cast<int>(es));
        return;
    }
    const std::optional<TRdimParams> params = GetLintaroData(dim);
    ApplyHostDimSwitch(dim, commandId, params ? ParamArraysView(*params) : ParamArraysView());
    dim->close();
}

bool IsDimensionSwitch(int commandId) {
    return (commandId >= ID_CTX_EXT_SHOW && commandId <= ID_CTX_TICK_NONE) ||
           (commandId >= ID_CTX_HOST_TEXT_PLACE && commandId <= ID_CTX_HOST_TEXT_FIT_LAST);
}

// Whether the object is one of the host's dimensions (else it is taken as a text).
bool IsHostDimension(AcDbObjectId objectId) {
    AcDbEntity* entity = nullptr;
    if (acdbOpenAcDbEntity(entity, objectId, AcDb::kForRead) != Acad::eOk) return false;
    const bool dimension = AcDbDimension::cast(entity) != nullptr;
    entity->close();
    return dimension;
}

} // namespace

void RunHostObjectPopupCommand(int commandId, AcDbObjectId objectId) {
    if (IsOnLockedLayer(objectId)) return;
    const bool dimension = IsHostDimension(objectId);
    LogFmt(dimension ? L"\n AcDbDimension menuID=%d " : L"\n Text menuID=%d ", commandId);
    if (commandId == ID_CTX_FORMAT_DEFAULT) {
        HostFormatToDefault(objectId);
    } else if (commandId == ID_CTX_PROPERTIES) {
        AcDbObjectIdArray ids;
        ids.append(objectId);
        OpenDlgProperties(&ids, kDimPropAll);
    } else if (dimension && commandId == ID_CTX_VALUE_CHANGE) {
        EditHostDimensionText(objectId);
    } else if (dimension && IsDimensionSwitch(commandId)) {
        SwitchHostDimension(objectId, commandId);
    } else if (dimension) {
        acutPrintf(L"Acad dim: Unknown menu ID %d", commandId);
    } else {
        acutPrintf(L"TEXT: Unknown menu ID %d", commandId);
    }
}

void HostFormatToDefault(AcDbObjectId objectId) {
    AcDbEntity* entity = nullptr;
    if (acdbOpenAcDbEntity(entity, objectId, AcDb::kForRead) != Acad::eOk) return;
    std::wstring mark;
    int kind = 0;
    FormatAsDefault format;
    const bool marked = GetXData(entity, L"LINTARO_OBJECT", mark, kind) && kind != 0;
    const int entries =
        marked ? GetXDataLists(entity, L"LINTARO_DATA", &format.strings, &format.ints, &format.doubles) : 0;
    const bool dimension = AcDbDimension::cast(entity) != nullptr;
    format.layer = GetLayerName(entity->layerId());
    entity->close();
    if (entries <= 0) {
        acutPrintf(L"%s", LoadStr(IDS_FORMAT_NONE_TO_STORE));
        return;
    }
    format.mode = dimension ? OPT_MODE_CHAIN : OPT_MODE_TEXT;
    format.type = format.ints.size() > static_cast<size_t>(IND_I_LastType) ? format.ints[IND_I_LastType] : 0;
    TakeFormatAsDefault(format);
}
