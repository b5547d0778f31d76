#include "module/app/CommandTable.h"

#include "host/db/database/AcDbObjectOpen.h"
#include "host/db/database/acutResbuf.h"
#include "host/ed/commands/AcEdCommandStack.h"
#include "host/ed/selection/AcEdSelectionSet.h"
#include "host/ed/selection/acedSSGet.h"
#include "host/ed/SysVars.h"
#include "host/ed/acutPrintf.h"
#include "host/rx/acutString.h"
#include "host/win/WinCrt.h"
#include "module/base/LintaroLog.h"
#include "module/app/ConvertCommands.h"
#include "module/app/FormatCommands.h"
#include "module/app/Reactors.h"
#include "module/app/PropertiesPort.h"
#include "module/app/OptionsDialogPort.h"
#include "module/app/ReplacePort.h"
#include "module/services/PalettePort.h"
#include "module/services/XDataServices.h"
#include "module/chain/TRdim.h"
#include "module/chain/TRdimCreate.h"
#include "module/options/OptionIndices.h"
#include "module/resources/resource.h"

#include <algorithm>
#include <cwctype>

namespace {

// The work behind a command that this build does not have yet: say so and change
// nothing, rather than pretend.
void notBuiltYet(const wchar_t* name) {
    acutPrintf(L"\n%s: not available yet in this build.", name);
}

// The frame every creation command shares: the palette comes back as it was.
void asCreationCommand(void (*create)()) {
    const bool hadPalette = Palette().Exists();
    create();
    if (!hadPalette && Palette().Exists()) Palette().Discard();
    Palette().Show();
}

void CmdAdim() {
    asCreationCommand([] { CreateLinearChain(kDimAligned); });
}
void CmdHdim() {
    asCreationCommand([] { CreateLinearChain(kDimHorizontal); });
}
void CmdVdim() {
    asCreationCommand([] { CreateLinearChain(kDimVertical); });
}
void CmdDimArc() {
    asCreationCommand(&CreateArcChain);
}
void (*g_makeHeightMarks)(bool plan) = nullptr;

// The palette is made first: it brings the routine that makes the marks.
void MakeHeightMarksWithPalette(bool plan, const wchar_t* name) {
    if (!Palette().Exists()) Palette().Start();
    if (g_makeHeightMarks)
        g_makeHeightMarks(plan);
    else
        notBuiltYet(name);
}
void CmdHdimPlan() {
    asCreationCommand([] { MakeHeightMarksWithPalette(true, L"XOTA_HdimPlan"); });
}
void CmdHdimFront() {
    asCreationCommand([] { MakeHeightMarksWithPalette(false, L"XOTA_HdimFront"); });
}

} // namespace

void InstallHeightCreation(void (*make)(bool plan)) {
    g_makeHeightMarks = make;
}

void CmdDRStart() {
    InstallReactors();
}
void CmdDRStop() {
    RemoveReactors();
}

void CmdLintaro() {
    if (!Palette().Open()) MsgBox(L"Any error on create lintaro dialog...");
}

// Shows the values of the selected chains and height marks on the palette: the pick-first
// selection, or what the user selects now.
static void CmdSelectLintaroObjects() {
    if (!Palette().Exists()) return;
    AcDbObjectIdArray ids;
    const wchar_t* const kinds = L"XOTA_LINTARO,XOTA_DIM_HEIGHT";
    if (SelectImplied(ids, kinds) == 0) SelectEntities(ids, L"", kinds);
    if (!ids.isEmpty()) Palette().SelectObjects(ids);
}

const std::vector<LintaroCommand>& LintaroCommands() {
    static const std::vector<LintaroCommand> commands = {
        {L"XOTA_Adim", L"XOTA_Adim", ACRX_CMD_MODAL, &CmdAdim},
        {L"XOTA_Hdim", L"XOTA_Hdim", ACRX_CMD_MODAL, &CmdHdim},
        {L"XOTA_vdim", L"XOTA_Vdim", ACRX_CMD_MODAL, &CmdVdim},
        {L"XOTA_Lintaro", L"XOTA_Lintaro", ACRX_CMD_MODAL, &CmdLintaro},
        {L"XOTA_Doption", L"XOTA_Doption", ACRX_CMD_MODAL, &OpenOptionsDialog},
        {L"XOTA_SelectLintaroObjects", L"XOTA_DimSelectObjects", ACRX_CMD_USEPICKSET | ACRX_CMD_REDRAW,
         &CmdSelectLintaroObjects},
        {L"XOTA_dimAngular", L"XOTA_dimAngular", ACRX_CMD_MODAL, +[] { MakeLintaroObject(L"_dimangular", OPT_MODE_CHAIN, 10); }},
        {L"XOTA_dimRadius", L"XOTA_dimRadius", ACRX_CMD_MODAL, +[] { MakeLintaroObject(L"_dimradius", OPT_MODE_CHAIN, 10); }},
        {L"XOTA_dimDiameter", L"XOTA_dimDiameter", ACRX_CMD_MODAL, +[] { MakeLintaroObject(L"_dimdiameter", OPT_MODE_CHAIN, 10); }},
        {L"XOTA_HdimPlan", L"XOTA_HdimPlan", ACRX_CMD_USEPICKSET | ACRX_CMD_REDRAW, &CmdHdimPlan},
        {L"XOTA_HdimFront", L"XOTA_HdimFront", ACRX_CMD_MODAL, &CmdHdimFront},
        {L"XOTA_dimArc", L"XOTA_dimArc", ACRX_CMD_MODAL, &CmdDimArc},
        {L"XOTA_dimReplace", L"XOTA_dimReplace", ACRX_CMD_MODAL, &OpenDlgReplaceExternal},
        {L"XOTA_LintaroText", L"XOTA_LintaroText", ACRX_CMD_MODAL, +[] { MakeLintaroObject(L"_DTEXT", OPT_MODE_TEXT, 1); }},
        {L"XOTA_LintaroMText", L"XOTA_LintaroMText", ACRX_CMD_MODAL,
         +[] { MakeLintaroObject(L"_mtext", OPT_MODE_TEXT, 2); }},
        {L"XOTA_SetLintaroTexts", L"XOTA_SetLintaroTexts", ACRX_CMD_MODAL,
         +[] { CmdSetLintaroTexts(); }},
        {L"XOTA_SetLintaroDims", L"XOTA_SetLintaroDims", ACRX_CMD_MODAL,
         +[] { CmdSetLintaroDims(); }},
        {L"XOTA_UnsetLintaroTexts", L"XOTA_UnsetLintaroTexts", ACRX_CMD_MODAL,
         +[] { CmdUnsetLintaroTexts(); }},
        {L"XOTA_DRStart", L"XOTA_DRStart", ACRX_CMD_MODAL, &CmdDRStart},
        {L"XOTA_DRStop", L"XOTA_DRStop", ACRX_CMD_MODAL, &CmdDRStop},
        {L"XOTA_DimProp", L"XOTA_DimProp", ACRX_CMD_USEPICKSET | ACRX_CMD_REDRAW,
         +[] { OpenDlgProperties(nullptr, kDimPropAll); }},
        {L"XOTA_DimPropL", L"XOTA_DimPropL", ACRX_CMD_USEPICKSET | ACRX_CMD_REDRAW,
         +[] { OpenDlgProperties(nullptr, kDimPropChains); }},
        {L"XOTA_DimPropH", L"XOTA_DimPropH", ACRX_CMD_USEPICKSET | ACRX_CMD_REDRAW,
         +[] { OpenDlgProperties(nullptr, kDimPropHeights); }},
        {L"XOTA_Acad2Lintaro", L"XOTA_Acad2Lintaro", ACRX_CMD_USEPICKSET | ACRX_CMD_REDRAW,
         &CmdAcad2Lintaro},
        {L"XOTA_Lintaro2Acad", L"XOTA_Lintaro2Acad", ACRX_CMD_USEPICKSET | ACRX_CMD_REDRAW,
         &CmdLintaro2Acad},
        {L"XOTA_ProxyAcad2Lintaro", L"XOTA_ProxyAcad2Lintaro", ACRX_CMD_USEPICKSET | ACRX_CMD_REDRAW,
         &CmdProxyAcad2Lintaro},
    };
    return commands;
}

void AddLintaroCommands() {
    for (const LintaroCommand& c : LintaroCommands()) {
        const Acad::ErrorStatus es = acedRegCmds->addCommand(
            kLintaroGroup, c.globalName, c.localName, c.flags, c.handler, nullptr, -1, nullptr, nullptr);
        if (es != Acad::eOk) LogFmt(L"\n addCommand(%s) es=%d ", c.globalName, static_cast<int>(es));
    }
}

void RemoveLintaroCommands() {
    acedRegCmds->removeGroup(kLintaroGroup);
}

bool PreparePalette(int mode) {
    // The palette and the layer-by-scale rule are not part of this build; a new
    // object keeps the current layer, which is allowed.
    (void)mode;
    return true;
}
