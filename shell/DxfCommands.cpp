// The host's commands DXFIN and DXFOUT, and the dimensioning commands: registered by
// the program, which alone sees both the editor and the drawing-exchange code.
#include "host/db/database/AcDbDatabase.h"
#include "host/db/database/AcDbHostApplicationServices.h"
#include "host/ed/commands/AcEdCommandStack.h"
#include "host/ed/commands/DimensionCommands.h"
#include "host/ed/input/EditorInput.h"
#include "host/io/dxf/DxfExport.h"
#include "host/io/dxf/DxfImport.h"
#include "host/rx/adscodes.h"
#include "host/win/FormatW.h"
#include "host/win/Transcript.h"
#include "host/win/Utf8.h"
#include "shell/Subcommands.h"

#include <string>

namespace shell {

namespace {

constexpr size_t kMaxPath = 4096;

// The file name typed after the prompt (blanks allowed); empty when the user gave none.
std::wstring askFileName(const wchar_t* prompt) {
    std::wstring buffer(kMaxPath, L'\0');
    if (acedGetString(1, prompt, buffer.data(), buffer.size()) != RTNORM) return L"";
    buffer.resize(buffer.find(L'\0'));
    return buffer;
}

AcDbDatabase* drawing() {
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    if (!db) host::transcriptWrite(L"\nThere is no drawing open.");
    return db;
}

void dxfIn() {
    AcDbDatabase* db = drawing();
    if (!db) return;
    const std::wstring file = askFileName(L"\nEnter name of DXF file to import: ");
    if (file.empty()) return;
    host::dxf::DxfImportReport report;
    std::wstring error;
    if (!host::dxf::importDxfFile(host::toUtf8(file), db, report, error)) {
        host::transcriptWrite(host::FormatW(L"\n%s: %s. Nothing was imported.", file.c_str(), error.c_str()));
        return;
    }
    host::transcriptWrite(L"\n" + report.importedLine());
    const std::wstring left = report.notImportedLine();
    if (!left.empty()) host::transcriptWrite(L"\n" + left);
}

void dxfOut() {
    AcDbDatabase* db = drawing();
    if (!db) return;
    const std::wstring file = askFileName(L"\nEnter name of DXF file to write: ");
    if (file.empty()) return;
    host::dxf::DxfExportReport report;
    std::wstring error;
    if (!host::dxf::exportDxfFile(db, host::toUtf8(file), report, error)) {
        host::transcriptWrite(host::FormatW(L"\n%s: %s. Nothing was written.", file.c_str(), error.c_str()));
        return;
    }
    host::transcriptWrite(L"\n" + report.line());
}

} // namespace

void registerDrawingExchangeCommands() {
    static bool done = false;
    if (done) return;
    done = true;
    host::hostCommands().addCommand(L"ACAD_DXF", L"DXFIN", L"DXFIN", ACRX_CMD_MODAL, &dxfIn);
    host::hostCommands().addCommand(L"ACAD_DXF", L"DXFOUT", L"DXFOUT", ACRX_CMD_MODAL, &dxfOut);
    host::registerDimensionCommands();
}

} // namespace shell
