// One line of help per command, for HELP at the host's command line. The lines come
// from the string table, so a language module translates them with everything else.
#include "module/app/CommandTable.h"

#include "host/ed/acedSetFunHelp.h"
#include "module/base/LintaroLog.h"
#include "module/resources/resource.h"

namespace {

struct HelpLine {
    const wchar_t* command;
    UINT stringId;
};

const HelpLine kHelpLines[] = {
    {L"XOTA_Adim", IDS_HELP_ADIM},
    {L"XOTA_Hdim", IDS_HELP_HDIM},
    {L"XOTA_vdim", IDS_HELP_VDIM},
    {L"XOTA_Lintaro", IDS_HELP_LINTARO},
    {L"XOTA_Doption", IDS_HELP_DOPTION},
    {L"XOTA_SelectLintaroObjects", IDS_HELP_SELECT_OBJECTS},
    {L"XOTA_dimAngular", IDS_HELP_DIMANGULAR},
    {L"XOTA_dimRadius", IDS_HELP_DIMRADIUS},
    {L"XOTA_dimDiameter", IDS_HELP_DIMDIAMETER},
    {L"XOTA_HdimPlan", IDS_HELP_HDIM_PLAN},
    {L"XOTA_HdimFront", IDS_HELP_HDIM_FRONT},
    {L"XOTA_dimArc", IDS_HELP_DIMARC},
    {L"XOTA_dimReplace", IDS_HELP_DIMREPLACE},
    {L"XOTA_LintaroText", IDS_HELP_TEXT},
    {L"XOTA_LintaroMText", IDS_HELP_MTEXT},
    {L"XOTA_SetLintaroTexts", IDS_HELP_SET_TEXTS},
    {L"XOTA_SetLintaroDims", IDS_HELP_SET_DIMS},
    {L"XOTA_UnsetLintaroTexts", IDS_HELP_UNSET_TEXTS},
    {L"XOTA_DRStart", IDS_HELP_DRSTART},
    {L"XOTA_DRStop", IDS_HELP_DRSTOP},
    {L"XOTA_DimProp", IDS_HELP_DIMPROP},
    {L"XOTA_DimPropL", IDS_HELP_DIMPROP_L},
    {L"XOTA_DimPropH", IDS_HELP_DIMPROP_H},
    {L"XOTA_Acad2Lintaro", IDS_HELP_ACAD2LINTARO},
    {L"XOTA_Lintaro2Acad", IDS_HELP_LINTARO2ACAD},
    {L"XOTA_ProxyAcad2Lintaro", IDS_HELP_PROXY},
};

} // namespace

void RegisterLintaroCommandHelp() {
    for (const HelpLine& line : kHelpLines) acedSetFunHelp(line.command, L"lintaro.chm", LoadStr(line.stringId), 0);
}
