#pragma once
// The services every operation that touches a drawing goes through: the working
// database and documents, host variables, layers, handle texts and external drawings,
// saving, the draw-order table and the display. Document locks
// are in DocLocks.h.
//
// Handle texts name objects: a bare hexadecimal handle ("1F") is an object of the
// working database; "<reference block handle>:<handle>" one inside an external
// reference; "<drawing file>:<handle>" one of another drawing on disk.
#include "host/db/database/AcDbObjectId.h"
#include "host/ge/AcGePoint3d.h"
#include "host/rx/acadstrc.h"
#include "host/win/WinMsg.h"

#include <memory>
#include <string>
#include <vector>

class AcDbDatabase;
class AcDbEntity;
class AcDbObject;
class AcDbSortentsTable;

// ---- working database and documents
// The host's working database. Without one the first document is made current and
// asked again; then the current document's database, or null (with a log line).
AcDbDatabase* acdbCurDwg();
// Makes the first open document's database the working one when there is none.
void SetCurDocument();
// The current document's file name; empty without one.
std::wstring GetCurrentDWGName();
// Makes the document of `db` current, locked for write and active, after releasing
// every lock the module holds. False when the database has no document.
bool MakeCurrentDB(AcDbDatabase* db);
int CountOpenDocuments();

// ---- host variables
// The variable as an integer; 0 (with a log line) when it cannot be read.
int GetAcadVarI(const wchar_t* name);
// True while a layout (paper space, not a viewport) is the active space.
bool IsPaperSpaceActive();

// ---- layers
// Gives the entity the layer, creating the layer first when the drawing lacks it
// (thawed, on, unlocked, linetype CONTINUOUS, colour `colour`; 0 or 256 and above
// give 7). The entity's open state is restored. False, with a message when the layer
// could not be made, when nothing was changed.
bool SetEntityLayer(AcDbDatabase* db, AcDbEntity* entity, const std::wstring& layerName, int colour);
// The layer's name; empty for a null id or a layer that cannot be opened.
std::wstring GetLayerName(AcDbObjectId layerId);

// ---- handle texts
std::wstring GetHandleString(const AcDbObject* object);
// The handle text, with the external reference's block handle in front for an object
// of an external reference.
std::wstring EntityXref2Handle(const AcDbObject* object);
// The handle text as seen from `db`: an object of another drawing gets that drawing's
// file name in front.
std::wstring EntityHandleFor(const AcDbObject* object, AcDbDatabase* db);
// The object a handle text names, as seen from `db` (null: the working database); a
// drawing named in the text is read once and kept (ExternalDrawings()). Null id when
// nothing is found.
AcDbObjectId Handle2ObjectId(AcDbDatabase* db, const std::wstring& text);

// ---- external drawings
// A drawing read from disk, owned by its list.
struct CExtDWG {
    std::wstring fileName;
    std::unique_ptr<AcDbDatabase> db;
};
// Drawings read from disk, each once; they are deleted with the list.
class CExtDWGList {
public:
    CExtDWGList();
    ~CExtDWGList();
    CExtDWGList(const CExtDWGList&) = delete;
    CExtDWGList& operator=(const CExtDWGList&) = delete;

    AcDbDatabase* find(const std::wstring& fileName) const;
    AcDbDatabase* add(const std::wstring& fileName, std::unique_ptr<AcDbDatabase> db);
    int count() const { return static_cast<int>(m_drawings.size()); }
    void clear();

private:
    std::vector<CExtDWG> m_drawings;
};
// The module's list, which Handle2ObjectId reads drawings into.
CExtDWGList& ExternalDrawings();
// The drawing of `text` (a file name, or a file name, ":" and a handle): from the list,
// or read from disk and added. Null for a text without ".dwg", a file that is not
// there or cannot be read.
AcDbDatabase* GetExternalDwg(CExtDWGList& list, const std::wstring& text);

// ---- saving
// Saves the database under `path` (the old file kept as .bak); errors are printed.
Acad::ErrorStatus SaveDwgAs(AcDbDatabase* db, const std::wstring& path);

// ---- picking
// The world point under a point of the drawing window (pixels from its top left).
AcGePoint3d ScreenToWorld(const POINT& point);
// The entity under a point of the drawing window (the last one found there); null
// when there is none.
AcDbObjectId GetEntityAtPoint(const POINT& point);

// ---- draw order, selection and display
// The draw-order table of the entity's block, open for write (created when missing);
// null when there is none. The caller closes it.
AcDbSortentsTable* GetSortentsTable(const AcDbEntity* entity);
// Shows the objects selected (the pick-first selection). The list is emptied in every
// case; false when it was empty or the selection could not be made.
bool SetPickfirst(AcDbObjectIdArray& ids);
// "<product>  release: <release>".
std::wstring GetProductInfo();
bool IsAutoCADLT();
// Marks the objects' graphics changed so the host draws them again.
void ObjectsGraphicsModified(const AcDbObjectIdArray& ids);
// Every entity of the database's model space whose DXF name matches one of the
// wildcard patterns (comma-separated, as a selection filter takes them), in order.
AcDbObjectIdArray ModelSpaceEntities(AcDbDatabase* db, const wchar_t* patterns);
// Shows the drawing as it is now.
void DwgRefresh();
