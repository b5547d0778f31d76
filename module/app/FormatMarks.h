#pragma once
// The marks the module keeps on the host's own texts and dimensions that it formats,
// as extended data:
//   "LINTARO_OBJECT"  1000 "_LINTARO_", 1070 kind     the entity is one of the module's
//                     (kind 1 text, 2 multiline text, 10 dimension, 100 other)
//   "LINTARO_DATA"    1000 per string, then 1070 per integer, then 1040 per double
//                     parameter, each in index order: the entity's parameter set
//   "LINTARO_TEMP"    1000 the text, 1070 1: a dimension made from a chain segment
//                     whose value was replaced by a text (its own text is then " ")
// A record holding only its application name removes the data. Reading is lenient:
// items are taken by kind whatever their order, and a parameter set shorter than the
// global chain set is completed from it.
#include "module/chain/TRdimParams.h"

#include <optional>
#include <string>

class AcDbEntity;

inline constexpr const wchar_t* kLintaroObjectApp = L"LINTARO_OBJECT";
inline constexpr const wchar_t* kLintaroDataApp = L"LINTARO_DATA";
inline constexpr const wchar_t* kLintaroTempApp = L"LINTARO_TEMP";

// 1 text, 2 multiline text, 10 dimension, 100 anything else (and no entity).
int GetObjectKind(const AcDbEntity* entity);
// True when the "LINTARO_OBJECT" record is there with a kind other than 0.
bool IsLintaroObject(const AcDbEntity* entity);
// Writes the mark with the entity's kind, or (bSet false) removes it. True when written.
bool SetLintaroObject(AcDbEntity* entity, bool bSet);

// The entity's "LINTARO_DATA" as a parameter set; none without the record.
std::optional<TRdimParams> GetLintaroData(const AcDbEntity* entity);
bool SetLintaroData(AcDbEntity* entity, const TRdimParams& params);

// The text kept in "LINTARO_TEMP"; empty without one.
std::wstring GetLintaroTemp(const AcDbEntity* entity);
bool SetLintaroTemp(AcDbEntity* entity, const std::wstring& text);
