// The context menu on the host's texts and dimensions that carry the module's mark
// (menus 137 to 139): their format made the default, and the items whose work comes
// with the conversions answered as not there yet.
#include "host/db/dimensions/AcDbDimension.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/ed/acutPrintf.h"
#include "module/services/DbServices.h"
#include "module/services/XDataServices.h"
#include "module/base/LintaroLog.h"
#include "module/options/OptionIndices.h"
#include "module/resources/ContextMenuResources.h"
#include "module/ui/ChainPopup.h"
#include "module/ui/ChainSegmentPick.h"

namespace {

// The items menus 138 and 139 offer on a dimension beside the format and properties.
bool IsDimensionItem(int commandId) {
    return commandId == ID_CTX_VALUE_CHANGE || (commandId >= ID_CTX_EXT_SHOW && commandId <= ID_CTX_TICK_NONE);
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
    } else if (commandId == ID_CTX_PROPERTIES || (dimension && IsDimensionItem(commandId))) {
        NotInThisBuild(commandId);
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
        acutPrintf(L"\nAkt.Format -> Vorgabe: das Objekt tr\u00E4gt kein Format - nichts ge\u00E4ndert.");
        return;
    }
    format.mode = dimension ? OPT_MODE_CHAIN : OPT_MODE_TEXT;
    format.type = format.ints.size() > static_cast<size_t>(IND_I_LastType) ? format.ints[IND_I_LastType] : 0;
    TakeFormatAsDefault(format);
}
