#pragma once
// Extended data under the module's application names, appending entities to the
// drawing, and selecting the module's objects by kind.
//
// The record the module keeps per application name is: 1001 the name, 1000 a text
// (handle texts, format texts), 1070 a 16-bit code. With an empty text only the 1001
// entry is written, which removes the application's data from the entity.
#include "host/db/database/AcDbObjectId.h"
#include "host/rx/acadstrc.h"

#include <string>
#include <vector>

class AcDbDatabase;
class AcDbEntity;
struct resbuf;

// Adds the application name to the database's registered applications when missing.
Acad::ErrorStatus RegisterApp(AcDbDatabase* db, const wchar_t* appName);
// Writes (or, with an empty text, removes) the record of `appName` on the entity, also
// on a frozen or locked layer, whose state is restored afterwards. The module's
// database reactor is suspended meanwhile. A record that does not fit leaves the old
// data and tells the user. True when the data was written.
bool SetXData(AcDbEntity* entity, const wchar_t* appName, const std::wstring& text, int code);
// Writes a record of lists: the 1000 texts, then the 1070 codes (16-bit), then the
// 1040 reals, the way parameter sets are kept on the host's texts and dimensions.
// Frozen or locked layers, the reactor and failures as for SetXData.
bool SetXDataLists(AcDbEntity* entity, const wchar_t* appName, const std::vector<std::wstring>& texts,
                   const std::vector<int>& codes, const std::vector<double>& reals);
// The record's text and code; false with an empty text when there is none or its text
// is shorter than 2 characters.
bool GetXData(const AcDbEntity* entity, const wchar_t* appName, std::wstring& text, int& code);
// Reads text and code from a chain and releases it (see GetXData).
bool Resbuf2Handle(resbuf* chain, std::wstring& text, int& code);
// Every 1000 text (trailing blanks trimmed), 1070 code and 1040 real of the record, in
// chain order; each list may be null. "LINTARO_DATA" records shorter than the options'
// chain set are completed from that set, so records of older versions gain the current
// defaults of newer parameters. Returns the number of entries the record held.
int GetXDataLists(const AcDbEntity* entity, const wchar_t* appName, std::vector<std::wstring>* texts,
                  std::vector<int>* codes, std::vector<double>* reals);

// Appends an entity that is in no database to the working database's model space; it
// stays open for write (the caller closes it).
Acad::ErrorStatus posToDb(AcDbEntity* entity, AcDbObjectId& id);
// The same with the document locked for the time of the append; eInvalidInput (3)
// without a working database.
Acad::ErrorStatus addToDb(AcDbEntity* entity, AcDbObjectId& id);
// Appends to the given block; a null owner means model space (posToDb).
Acad::ErrorStatus addToTable(AcDbEntity* entity, AcDbObjectId ownerId);

// Selection kinds: 1 dimensions, chains, height marks and texts; 2 dimensions and
// chains; 3 and 4 height marks; 5 texts and multiline texts.
// The DXF type-name patterns of a kind ("*TEXT", "XOTA_DIM_HEIGHT" ...); empty for an
// unknown kind.
std::vector<std::wstring> SelectionKindFilters(int kind);
// True when an entity of that DXF type name is offered for selection of that kind.
bool DxfNameMatchesKind(const std::wstring& dxfName, int kind);
// Lets the user select entities (with type filters when given) and appends their ids.
// Returns the number of ids added; 0 when the selection was not completed.
int SelectEntities(AcDbObjectIdArray& ids, const wchar_t* prompt, const wchar_t* typeFilter = nullptr,
                   const wchar_t* typeFilter2 = nullptr);
// Appends the ids of the pick-first selection (what was selected before the command
// started) that pass the type filter; returns how many. The selection stays as it is.
int SelectImplied(AcDbObjectIdArray& ids, const wchar_t* typeFilter = nullptr);
int SelectEntitiesOfKind(AcDbObjectIdArray& ids, const wchar_t* prompt, int kind);
