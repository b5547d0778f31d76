#include "module/convert/HostDimItems.h"

#include "host/db/dimensions/AcDbDimension.h"
#include "module/chain/ChainScale.h"
#include "module/options/OptionIndices.h"
#include "module/resources/ContextMenuResources.h"

HostDimTick HostDimTickOf(int tickCode, double size) {
    switch (tickCode) {
    case 1:
        return {L"_OBLIQUE", size / 2.0, size / 2.0};
    case 2:
        return {L"_DOT", size / 2.0, 0.0};
    case 3:
        return {L"_DOTBLANK", size / 2.0, 0.0};
    case 4:
        return {L"", size, 0.0};
    case 5:
        return {L"_BOXBLANK", size / 2.0, 0.0};
    default:
        return {L"_NONE", 0.0, 0.0};
    }
}

int HostDimTickCodeOfItem(int commandId) {
    switch (commandId) {
    case ID_CTX_TICK_DOT:
        return 2;
    case ID_CTX_TICK_OBLIQUE:
        return 1;
    case ID_CTX_TICK_CIRCLE:
        return 3;
    case ID_CTX_TICK_ARROW:
        return 4;
    case ID_CTX_TICK_CROSS:
        return 5;
    case ID_CTX_TICK_NONE:
        return 0;
    default:
        return -1;
    }
}

namespace {

void SetTicks(AcDbDimension* dim, int code, ParamArraysView params) {
    const double size = PaperToModelSize(params.Double(IND_D_TickSize), params.Double(IND_D_ScaleVal),
                                         params.Double(IND_D_AcadUnits));
    const HostDimTick tick = HostDimTickOf(code, size);
    // Both arrows and the leader's arrow take the same block.
    dim->setDimblk(tick.block);
    dim->setDimblk1(tick.block);
    dim->setDimblk2(tick.block);
    dim->setDimldrblk(tick.block);
    dim->setDimsah(false);
    dim->setDimasz(tick.arrowSize);
    dim->setDimtsz(tick.tickSize);
}

} // namespace

bool ApplyHostDimSwitch(AcDbDimension* dim, int commandId, ParamArraysView params) {
    if (!dim) return false;
    if (commandId == ID_CTX_EXT_SHOW || commandId == ID_CTX_EXT_HIDE) {
        const bool hide = commandId == ID_CTX_EXT_HIDE;
        dim->setDimse1(hide);
        dim->setDimse2(hide);
    } else if (commandId == ID_CTX_LEADER_ON || commandId == ID_CTX_LEADER_OFF) {
        // 1: a moved text hangs on a leader; 2: it moves freely without one.
        dim->setDimtmove(commandId == ID_CTX_LEADER_ON ? 1 : 2);
    } else if (const int code = HostDimTickCodeOfItem(commandId); code >= 0) {
        SetTicks(dim, code, params);
    } else if (commandId >= ID_CTX_HOST_TEXT_PLACE && commandId <= ID_CTX_HOST_TEXT_PLACE_LAST) {
        dim->setDimtad(commandId - ID_CTX_HOST_TEXT_PLACE);
    } else if (commandId >= ID_CTX_HOST_TEXT_FIT && commandId <= ID_CTX_HOST_TEXT_FIT_LAST) {
        dim->setDimatfit(commandId - ID_CTX_HOST_TEXT_FIT);
    } else {
        return false;
    }
    dim->recordGraphicsModified(true);
    return true;
}
