#pragma once
// What the host's batch program calls in the add-on to replace texts in a drawing it
// has read from disk (lintaro replace). The caller saves the drawing when the result
// is above 0.
class AcDbDatabase;

// Flags of lintaroReplaceInDatabase.
inline constexpr int kBatchReplaceWholeText = 1;     // "Nur ganze Wörter suchen"
inline constexpr int kBatchReplaceCaseSensitive = 2; // "Groß-/Kleinschreibung"

// The texts of chains and height marks of `db` (types 0 height marks, 1 chains, 2 all)
// with `search` replaced by `replacement`: the number of changed texts, with the number
// of changed objects in `objects`; -1 (nothing changed) for a null database, an empty
// search text or an unknown type.
extern "C" int lintaroReplaceInDatabase(AcDbDatabase* db, const wchar_t* search, const wchar_t* replacement,
                                        int flags, int types, int* objects);
