// The replace over drawings as the host's batch program calls it: one database at a
// time, read by the host from disk and saved by it when something changed. The add-on
// exports it beside its entry point, as a module's DLL exports its functions.
#include "module/replace/BatchReplace.h"

#include "host/db/database/AcDbDatabase.h"
#include "host/db/database/AcDbHostApplicationServices.h"
#include "module/base/LintaroLog.h"
#include "module/replace/ObjectReplace.h"

extern "C" int lintaroReplaceInDatabase(AcDbDatabase* db, const wchar_t* search, const wchar_t* replacement,
                                        int flags, int types, int* objects) {
    if (objects) *objects = 0;
    if (!db || !search || !*search || !replacement || types < kReplaceHeightMarks || types > kReplaceAll) return -1;
    const ReplaceRule rule{search, replacement, (flags & kBatchReplaceWholeText) != 0,
                           (flags & kBatchReplaceCaseSensitive) != 0};
    // The objects take what they need of a drawing (styles, variables) from the working
    // database, which is this one while it is searched.
    AcDbHostApplicationServices* services = acdbHostApplicationServices();
    AcDbDatabase* previous = services->workingDatabase();
    services->setWorkingDatabase(db);
    ReplaceCounts counts;
    try {
        counts = ReplaceInDatabase(db, rule, types);
    } catch (...) {
        LogMsg(L"\n*** ERROR ON lintaroReplaceInDatabase");
        counts = ReplaceCounts();
    }
    services->setWorkingDatabase(previous);
    if (objects) *objects = counts.objects;
    return counts.texts;
}
