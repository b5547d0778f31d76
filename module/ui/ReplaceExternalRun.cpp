#include "module/ui/ReplaceExternalRun.h"

#include "host/ap/AcApDocManager.h"
#include "host/ap/AcApDocument.h"
#include "host/db/database/AcDbDatabase.h"
#include "host/ed/acutPrintf.h"
#include "module/services/DbServices.h"
#include "module/services/DocLocks.h"
#include "module/base/LintaroLog.h"
#include "module/options/OptStrings.h"
#include "module/replace/UserBreak.h"
#include "module/resources/ReplaceResources.h"

#include <memory>

namespace {

std::wstring comparablePath(std::wstring path) {
    for (wchar_t& c : path)
        if (c == L'\\') c = L'/';
    return path;
}

AcDbDatabase* openDocumentDatabase(const std::wstring& file) {
    AcApDocumentIterator* it = acDocManager ? acDocManager->newAcApDocumentIterator() : nullptr;
    if (!it) return nullptr;
    AcDbDatabase* found = nullptr;
    for (; !it->done() && !found; it->step())
        if (OptEqualNoCase(comparablePath(it->document()->fileName()), comparablePath(file)))
            found = it->document()->database();
    delete it;
    return found;
}

// Processes one drawing: its number and name, the replace under the document lock,
// and what was found.
ReplaceCounts processDrawing(AcDbDatabase* db, int number, const std::wstring& name, const ReplaceRule& rule,
                             int types) {
    acutPrintf(LoadStr(IDS_RPL_DRAWING), number, name.c_str());
    ReplaceCounts counts;
    {
        CDbLockScope lock(db, L"ReplaceExternal");
        counts = ReplaceInDatabase(db, rule, types, UserBreakConfirmed);
    }
    acutPrintf(L" => ");
    acutPrintf(LoadStr(IDS_RPL_FOUND), counts.texts);
    return counts;
}

void add(ReplaceRunCounts& run, const ReplaceCounts& one) {
    run.texts += one.texts;
    run.objects += one.objects;
    if (one.texts > 0) ++run.drawings;
    ++run.scanned;
}

// A file not open in the editor: read into a database of its own, saved when changed.
void replaceInFile(const std::wstring& file, int number, const ReplaceRule& rule, int types, ReplaceRunCounts& run) {
    auto db = std::make_unique<AcDbDatabase>(false, true);
    const Acad::ErrorStatus es = db->readDwgFile(file.c_str(), _SH_DENYNO, false, nullptr);
    if (es != Acad::eOk) {
        acutPrintf(LoadStr(IDS_RPL_LOAD_ERROR), static_cast<int>(es), file.c_str());
        ++run.failed;
        return;
    }
    const ReplaceCounts counts = processDrawing(db.get(), number, file, rule, types);
    if (counts.texts > 0 && SaveDwgAs(db.get(), file) != Acad::eOk) {
        // The file on disk is as it was: nothing of this drawing counts as changed.
        ++run.failed;
        ++run.scanned;
        return;
    }
    add(run, counts);
}

} // namespace

ReplaceRunCounts ReplaceInOpenDrawings(const ReplaceRule& rule, int types) {
    ReplaceRunCounts run;
    std::vector<std::pair<AcDbDatabase*, std::wstring>> open;
    if (AcApDocumentIterator* it = acDocManager ? acDocManager->newAcApDocumentIterator() : nullptr) {
        for (; !it->done(); it->step())
            if (AcDbDatabase* db = it->document()->database()) open.emplace_back(db, it->document()->fileName());
        delete it;
    }
    int number = 0;
    ResetUserBreak();
    for (const auto& [db, name] : open) {
        add(run, processDrawing(db, ++number, name, rule, types));
        if (UserBreakConfirmed()) break;
    }
    return run;
}

ReplaceRunCounts ReplaceInDrawingFiles(const std::vector<std::wstring>& files, const ReplaceRule& rule, int types) {
    ReplaceRunCounts run;
    int number = 0;
    ResetUserBreak();
    for (const std::wstring& file : files) {
        // A confirmed ESC ends the run: what was changed so far is saved.
        if (UserBreakConfirmed()) break;
        ++number;
        try {
            if (AcDbDatabase* db = openDocumentDatabase(file))
                add(run, processDrawing(db, number, file, rule, types));
            else
                replaceInFile(file, number, rule, types, run);
        } catch (...) {
            MsgBox(IDS_RPL_ANY_LOAD_ERROR);
            ++run.failed;
        }
    }
    return run;
}
