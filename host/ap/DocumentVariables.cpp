#include "host/ap/DocumentVariables.h"

#include "host/ap/AcApDocManager.h"
#include "host/db/database/AcDbDatabase.h"
#include "host/ed/SysVars.h"
#include "host/win/Utf8.h"

#include <filesystem>
#include <string>

namespace host::ap {

namespace {
std::wstring folderOf(const AcApDocument* doc) {
    std::wstring name = doc ? doc->fileName() : L"";
    const size_t slash = name.find_last_of(L"/\\");
    if (doc && doc->isNamed() && slash != std::wstring::npos) return name.substr(0, slash + 1);
    // A drawing without a file would be saved in the working folder.
    std::error_code ec;
    std::wstring cwd = fromUtf8(std::filesystem::current_path(ec).string());
    return cwd.empty() || cwd.back() == L'/' ? cwd : cwd + L'/';
}
} // namespace

void defineDocumentVariables() {
    SysVars& vars = sysVars();
    vars.define(L"DWGNAME", [] {
        const AcApDocument* doc = acDocManager->curDocument();
        return VarValue::ofString(doc ? doc->docTitle() : L"");
    });
    vars.define(L"DWGPREFIX", [] { return VarValue::ofString(folderOf(acDocManager->curDocument())); });
    vars.define(L"DWGTITLED", [] {
        const AcApDocument* doc = acDocManager->curDocument();
        return VarValue::ofShort(doc && doc->isNamed() ? 1 : 0);
    });
    vars.define(L"DBMOD", [] {
        const AcApDocument* doc = acDocManager->curDocument();
        // The host's bit for "objects changed"; finer reasons are not kept.
        return VarValue::ofShort(doc && doc->database()->isModifiedSinceSave() ? 1 : 0);
    });
    // Saved with the drawing, so it follows the current document's database.
    vars.define(
        L"PROXYGRAPHICS",
        [] {
            const AcApDocument* doc = acDocManager->curDocument();
            return VarValue::ofShort(doc ? doc->database()->saveproxygraphics() : 1);
        },
        [](const VarValue& v) {
            const AcApDocument* doc = acDocManager->curDocument();
            return doc && doc->database()->setSaveproxygraphics(Adesk::Int16(v.integer)) == Acad::eOk;
        });
}

} // namespace host::ap
