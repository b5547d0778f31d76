#include "module/app/ConvertCommands.h"

#include "host/db/tables/AcDbBlockTable.h"
#include "host/db/tables/AcDbBlockTableRecord.h"
#include "host/db/database/AcDbDatabase.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/db/entities/AcDbProxyEntity.h"
#include "host/ed/selection/AcEdSelectionSet.h"
#include "host/ed/acutPrintf.h"
#include "host/ed/acutWcMatch.h"
#include "host/rx/AcRxClass.h"
#include "host/rx/adscodes.h"
#include "module/services/DbServices.h"
#include "module/app/FormatMarks.h"
#include "module/services/PalettePort.h"
#include "module/services/XDataServices.h"
#include "module/base/LintaroLog.h"
#include "module/options/IniStorage.h"
#include "module/resources/resource.h"

namespace {

constexpr const wchar_t* kConvertSection = L"Convert";
constexpr const wchar_t* kChainsAndMarks = L"XOTA_DIM*,XOTA_LINTARO";
constexpr const wchar_t* kChainsOnly = L"XOTA_LINTARO";
constexpr const wchar_t* kDimensions = L"*DIMENSION*";

bool IniFlag(const wchar_t* key) {
    return GetIniInt(kConvertSection, key) != 0;
}

void ReportCount(int count) {
    acutPrintf(LoadStr(IDS_VALID_LINTARO_OBJECTS), count);
    LogFmt(LoadStr(IDS_VALID_LINTARO_OBJECTS), count);
}

// The objects to convert: what was selected before the command started; else the
// whole drawing when the settings say so (and, asked, the
// user agrees), else what the user selects. Empty when the selection was cancelled.
AcDbObjectIdArray ObjectsToConvert(const ConvertOptions& options, bool interactive, UINT prompt,
                                   const wchar_t* filter) {
    std::wstring patterns = filter;
    if (options.readBlocks) patterns += L",INSERT";
    AcDbObjectIdArray ids;
    if (SelectImplied(ids, patterns.c_str()) > 0) {
        acedSSSetFirst(nullptr, nullptr);
        return ids;
    }
    if (options.allDwg && (!interactive || AskYesNo(IDS_ASK_CONVERT_WHOLE_DRAWING)))
        return ModelSpaceEntities(acdbCurDwg(), patterns.c_str());
    const std::wstring text = std::wstring(L"\n") + LoadStr(prompt);
    SelectEntities(ids, text.c_str(), filter, options.readBlocks ? L"INSERT" : nullptr);
    return ids;
}

} // namespace

ConvertOptions ConvertOptions::FromIni() {
    ConvertOptions o;
    o.explodeDim = IniFlag(L"ExplodeDim");
    o.explodeHDim = IniFlag(L"ExplodeHDim");
    o.readBlocks = IniFlag(L"ReadBlocks");
    o.allDwg = IniFlag(L"AllDwg");
    o.keepText = IniFlag(L"AcadKeepText");
    o.keepPos = IniFlag(L"AcadKeepPos");
    o.associative = IniFlag(L"Associative");
    return o;
}

void RunLintaro2Acad(bool interactive) {
    const ConvertOptions options = ConvertOptions::FromIni();
    const AcDbObjectIdArray ids = ObjectsToConvert(options, interactive, IDS_SELECT_CHAINS_TO_UPDATE,
                                                   options.explodeHDim ? kChainsAndMarks : kChainsOnly);
    if (ids.isEmpty()) return;
    ReportCount(ConvertLintaro2Acad(ids, options));
}

void RunAcad2Lintaro(bool interactive) {
    const ConvertOptions options = ConvertOptions::FromIni();
    const AcDbObjectIdArray ids =
        ObjectsToConvert(options, interactive, IDS_SELECT_ACAD_DIMENSIONS, kDimensions);
    if (ids.isEmpty()) return;
    ReportCount(ConvertAcad2Lintaro(ids, options));
}

void CmdLintaro2Acad() {
    // The conversion formats with the palette's settings: it is opened first.
    if (!Palette().Exists()) Palette().Open();
    RunLintaro2Acad(true);
}

void CmdAcad2Lintaro() {
    RunAcad2Lintaro(true);
}

void CmdProxyAcad2Lintaro() {
    AcDbObjectIdArray ids;
    SelectEntities(ids, L"", L"*ACAD_PROXY_ENTITY");
    int ours = 0;
    for (AcDbObjectId id : ids) {
        AcDbProxyEntity* proxy = nullptr;
        if (acdbOpenObject(proxy, id, AcDb::kForRead) != Acad::eOk) continue;
        const std::wstring dxf = proxy->originalDxfName();
        acutPrintf(L"\n DXF:%s Class:%s Name:%s ", dxf.c_str(), proxy->originalClassName(),
                   proxy->applicationDescription());
        if (dxf == L"XOTA_LINTARO" || dxf == L"XOTA_DIM_HEIGHT") ++ours;
        proxy->close();
    }
    ReportCount(ours);
}
