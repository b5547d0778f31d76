#pragma once
// One run of the replace over drawings: the drawings open in the editor, or files on
// disk, each read into a database of its own (not opened as a document), changed, and
// saved back to its own file only when something changed. A file that cannot be read
// is reported on the command line and skipped.
#include "module/replace/ObjectReplace.h"

#include <string>
#include <vector>

struct ReplaceRunCounts {
    int texts = 0;    // "Geänderte Texte"
    int objects = 0;  // "Geänderte Bemaßungen"
    int drawings = 0; // "Geänderte Zeichnungen"
    int scanned = 0;  // "Gescannte Zeichnungen"
    int failed = 0;   // files that could not be read or saved
};

// Every drawing open in the editor, changed in place.
ReplaceRunCounts ReplaceInOpenDrawings(const ReplaceRule& rule, int types);
// The files in order; a file open in the editor is changed there instead.
ReplaceRunCounts ReplaceInDrawingFiles(const std::vector<std::wstring>& files, const ReplaceRule& rule, int types);
