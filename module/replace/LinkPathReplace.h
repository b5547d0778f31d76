#pragma once
// The drawing paths in the links of height marks that take their values from marks
// in other drawings. A link text is "<drawing path>:<reference>"; the path is
// everything before the last ":". When drawings move, the paths are replaced here
// without regard to case (file names on the host's systems are compared that way),
// and the reference after the path is never touched.
#include "host/db/database/AcDbObjectId.h"

#include <string>
#include <vector>

class AcDbDatabase;

// The path part of a link that names another drawing; empty for a link to a mark of
// the same drawing (a bare reference) or no link at all.
std::wstring LinkPathPart(const std::wstring& link);
// The folder of a path, with its trailing separator ("/proj/Alt/" of
// "/proj/Alt/schnitt.dwg"); empty when the path has no folder.
std::wstring LinkFolderOf(const std::wstring& path);
// The link with every occurrence of `search` in its path replaced; the count in
// `count` (0 leaves the link as it was).
std::wstring ReplaceInLinkPath(const std::wstring& link, const std::wstring& search,
                               const std::wstring& replacement, int* count);

struct LinkedMarks {
    AcDbObjectIdArray ids;            // marks with a link to another drawing in either row
    std::vector<std::wstring> offers; // each path and its folder, once each (without case)
};
// The height marks of the drawing (every block) that link another drawing.
LinkedMarks CollectLinkedMarks(AcDbDatabase* db);
// Replaces in both link texts of the marks; a changed mark has its graphics marked
// modified. Returns the number of link texts that changed. Marks that cannot be opened
// are skipped.
int ReplaceLinkPaths(const AcDbObjectIdArray& marks, const std::wstring& search, const std::wstring& replacement);
