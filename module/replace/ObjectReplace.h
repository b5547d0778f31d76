#pragma once
// Find and replace over the texts of chains and height marks, object by object and
// over a whole drawing. Objects are opened for write only when one of their texts
// changes; a changed object has its graphics marked as modified. Objects that cannot
// be opened are skipped.
#include "host/db/database/AcDbObjectId.h"
#include "module/replace/ReplaceText.h"

#include <string>
#include <vector>

class AcDbDatabase;

// What is searched: the type combo's entries in their order.
enum ReplaceTypes {
    kReplaceHeightMarks = 0, // "HK: Vortext/Nachtext"
    kReplaceChains = 1,      // "LM: Vortext/Nachtext/Zusatz-Maßtext"
    kReplaceAll = 2          // "Alles"
};

struct ReplaceCounts {
    int texts = 0;   // texts that changed
    int objects = 0; // chains and height marks with at least one changed text
};

// Chains and height marks of every block of the drawing (model space, layouts and
// block definitions), in block and handle order.
AcDbObjectIdArray CollectChains(AcDbDatabase* db);
AcDbObjectIdArray CollectReplaceObjects(AcDbDatabase* db, int types);

// The appended texts of the chains: each non-empty appended text that equals the
// search text as a whole is replaced, and its value becomes the number the new text
// reads as. Returns the count of replaced texts.
int ReplaceAppendedTexts(const AcDbObjectIdArray& chains, const std::wstring& search,
                         const std::wstring& replacement, bool caseSensitive);
// The non-empty appended texts of the chains, each once, in the order found.
std::vector<std::wstring> AppendedTextsOf(const AcDbObjectIdArray& chains);

// One object of the drawing-wide replace: for a chain each segment's appended text,
// prefix and suffix; for a height mark its four prefix and suffix texts in the order
// 0, 2, 1, 3. Objects of a type outside `types` are left alone.
ReplaceCounts ReplaceInObject(AcDbObjectId id, const ReplaceRule& rule, int types);

// The drawing-wide replace over every object CollectReplaceObjects finds. `stop`,
// asked before each object, ends the run early (changes made so far stay).
ReplaceCounts ReplaceInDatabase(AcDbDatabase* db, const ReplaceRule& rule, int types,
                                bool (*stop)() = nullptr);
