#pragma once
// A drawing database: its objects (each in a slot reached by id and handle), the
// symbol tables, the header variables, the database reactors and the undo
// recorder. A new database built as a default drawing has what a new drawing
// has: *Model_Space and *Paper_Space, layer "0", text style and dimension style
// "Standard", the linetypes "ByBlock", "ByLayer" and "Continuous" and the
// registered application "ACAD".
#include "host/db/database/AcDb.h"
#include "host/db/database/AcDbHandle.h"
#include "host/db/database/AcDbObjectId.h"
#include "host/db/database/adesk.h"
#include "host/ge/AcGePoint2d.h"
#include "host/ge/AcGePoint3d.h"
#include "host/ge/AcGeVector3d.h"
#include "host/gi/AcGiColor.h"
#include "host/rx/AcRxObject.h"

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class AcDbObject;
class AcDbDatabaseReactor;
class AcDbSymbolTable;
class AcDbBlockTable;
class AcDbLayerTable;
class AcDbTextStyleTable;
class AcDbLinetypeTable;
class AcDbDimStyleTable;
class AcDbRegAppTable;
class AcDbAnnotationScale;
class AcDbIdMapping;
class AcCmColor;
namespace host {
class UndoManager;
class EntityIndex;
struct DatabaseHeader;
}

// Sharing modes of readDwgFile, as the host names them.
#ifndef _SH_DENYRW
#define _SH_DENYRW 0x10
#define _SH_DENYWR 0x20
#define _SH_DENYRD 0x30
#define _SH_DENYNO 0x40
#endif

class AcDbDatabase : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbDatabase);
    explicit AcDbDatabase(bool buildDefaultDrawing = true, bool noDocument = false);
    ~AcDbDatabase() override;

    // ---- objects
    // Appends an object that is in no database; it comes back open for write.
    Acad::ErrorStatus addAcDbObject(AcDbObject* pObj);
    Acad::ErrorStatus addAcDbObject(AcDbObjectId& objId, AcDbObject* pObj);
    // The id of a handle; with createIfNotFound an unknown handle gets an empty
    // slot (filled when a drawing file brings the object), else eUnknownHandle.
    Acad::ErrorStatus getAcDbObjectId(AcDbObjectId& retId, bool createIfNotFound, const AcDbHandle& objHandle,
                                      Adesk::UInt32 xRefId = 0);
    Adesk::Int32 approxNumObjects() const { return Adesk::Int32(m_objectCount); }
    AcDbHandle handseed() const { return m_handseed; }

    // ---- symbol tables
    Acad::ErrorStatus getBlockTable(AcDbBlockTable*& pTable, AcDb::OpenMode mode = AcDb::kForRead);
    Acad::ErrorStatus getLayerTable(AcDbLayerTable*& pTable, AcDb::OpenMode mode = AcDb::kForRead);
    Acad::ErrorStatus getTextStyleTable(AcDbTextStyleTable*& pTable, AcDb::OpenMode mode = AcDb::kForRead);
    Acad::ErrorStatus getLinetypeTable(AcDbLinetypeTable*& pTable, AcDb::OpenMode mode = AcDb::kForRead);
    Acad::ErrorStatus getDimStyleTable(AcDbDimStyleTable*& pTable, AcDb::OpenMode mode = AcDb::kForRead);
    Acad::ErrorStatus getRegAppTable(AcDbRegAppTable*& pTable, AcDb::OpenMode mode = AcDb::kForRead);
    Acad::ErrorStatus getSymbolTable(AcDbBlockTable*& p, AcDb::OpenMode mode) { return getBlockTable(p, mode); }
    Acad::ErrorStatus getSymbolTable(AcDbLayerTable*& p, AcDb::OpenMode mode) { return getLayerTable(p, mode); }
    Acad::ErrorStatus getSymbolTable(AcDbTextStyleTable*& p, AcDb::OpenMode mode) {
        return getTextStyleTable(p, mode);
    }
    Acad::ErrorStatus getSymbolTable(AcDbLinetypeTable*& p, AcDb::OpenMode mode) {
        return getLinetypeTable(p, mode);
    }
    Acad::ErrorStatus getSymbolTable(AcDbDimStyleTable*& p, AcDb::OpenMode mode) {
        return getDimStyleTable(p, mode);
    }
    Acad::ErrorStatus getSymbolTable(AcDbRegAppTable*& p, AcDb::OpenMode mode) { return getRegAppTable(p, mode); }
    AcDbObjectId blockTableId() const { return m_blockTable; }
    AcDbObjectId layerTableId() const { return m_layerTable; }
    AcDbObjectId textStyleTableId() const { return m_textStyleTable; }
    AcDbObjectId linetypeTableId() const { return m_linetypeTable; }
    AcDbObjectId dimStyleTableId() const { return m_dimStyleTable; }
    AcDbObjectId regAppTableId() const { return m_regAppTable; }
    AcDbObjectId modelSpaceId() const;
    AcDbObjectId paperSpaceId() const;
    AcDbObjectId currentSpaceId() const { return modelSpaceId(); }
    AcDbObjectId layerZero() const;
    AcDbObjectId byLayerLinetype() const;
    AcDbObjectId byBlockLinetype() const;
    AcDbObjectId continuousLinetype() const;

    // ---- header variables
    AcDbObjectId clayer() const;
    Acad::ErrorStatus setClayer(AcDbObjectId id);
    AcDbObjectId textstyle() const;
    Acad::ErrorStatus setTextstyle(AcDbObjectId id);
    AcDbObjectId dimstyle() const;
    Acad::ErrorStatus setDimstyle(AcDbObjectId id);
    AcDbObjectId celtype() const;
    Acad::ErrorStatus setCeltype(AcDbObjectId id);
    AcCmColor cecolor() const;
    Acad::ErrorStatus setCecolor(const AcCmColor& color);
    AcDb::LineWeight celweight() const;
    Acad::ErrorStatus setCelweight(AcDb::LineWeight weight);
    double ltscale() const;
    Acad::ErrorStatus setLtscale(double scale);
    double celtscale() const;
    Acad::ErrorStatus setCeltscale(double scale);
    double textsize() const;
    Acad::ErrorStatus setTextsize(double size);
    double dimscale() const;
    Acad::ErrorStatus setDimscale(double scale);
    AcDb::UnitsValue insunits() const;
    Acad::ErrorStatus setInsunits(AcDb::UnitsValue units);
    AcDb::MeasurementValue measurement() const;
    Acad::ErrorStatus setMeasurement(AcDb::MeasurementValue type);
    Adesk::Int16 lunits() const;
    Acad::ErrorStatus setLunits(Adesk::Int16 units);
    Adesk::Int16 luprec() const;
    Acad::ErrorStatus setLuprec(Adesk::Int16 prec);
    Adesk::Int16 aunits() const;
    Acad::ErrorStatus setAunits(Adesk::Int16 units);
    Adesk::Int16 auprec() const;
    Acad::ErrorStatus setAuprec(Adesk::Int16 prec);
    bool tilemode() const;
    Acad::ErrorStatus setTilemode(bool mode);
    Adesk::Int16 pdmode() const;
    Acad::ErrorStatus setPdmode(Adesk::Int16 mode);
    double pdsize() const;
    Acad::ErrorStatus setPdsize(double size);
    // PROXYGRAPHICS: 1 (the default) saves custom entities with their graphics, so a
    // program without their class still shows them; 0 saves them without.
    Adesk::Int16 saveproxygraphics() const;
    Acad::ErrorStatus setSaveproxygraphics(Adesk::Int16 saveImage);
    // Drawing limits of model space and of paper space; a point that is not finite
    // is refused.
    AcGePoint2d limmin() const;
    Acad::ErrorStatus setLimmin(const AcGePoint2d& point);
    AcGePoint2d limmax() const;
    Acad::ErrorStatus setLimmax(const AcGePoint2d& point);
    AcGePoint2d plimmin() const;
    Acad::ErrorStatus setPlimmin(const AcGePoint2d& point);
    AcGePoint2d plimmax() const;
    Acad::ErrorStatus setPlimmax(const AcGePoint2d& point);
    AcGePoint3d ucsorg() const;
    AcGeVector3d ucsxdir() const;
    AcGeVector3d ucsydir() const;
    // The current UCS; axes that are zero or parallel are refused.
    Acad::ErrorStatus setUcs(const AcGePoint3d& origin, const AcGeVector3d& xAxis, const AcGeVector3d& yAxis);
    // The current annotation scale: a new object the caller deletes.
    AcDbAnnotationScale* cannoscale() const;
    // Takes the name and the units of `scale`; the caller keeps it.
    Acad::ErrorStatus setCannoscale(AcDbAnnotationScale* scale);

    // ---- files (read and written by the drawing-file code through host hooks)
    Acad::ErrorStatus readDwgFile(const wchar_t* fileName, int shmode = _SH_DENYWR, bool bAllowCPConversion = false,
                                  const wchar_t* wszPassword = nullptr);
    Acad::ErrorStatus saveAs(const wchar_t* fileName, bool bBakAndRename = true,
                             AcDb::AcDbDwgVersion dwgVer = AcDb::kDHL_CURRENT, const void* pSecParams = nullptr);
    Acad::ErrorStatus saveAs(const wchar_t* fileName, const void* pSecParams) {
        return saveAs(fileName, true, AcDb::kDHL_CURRENT, pSecParams);
    }
    Acad::ErrorStatus getFilename(const wchar_t*& pOutput) const;
    void setRetainOriginalThumbnailBitmap(bool retain) { m_retainThumbnail = retain; }
    bool retainOriginalThumbnailBitmap() const { return m_retainThumbnail; }
    // Drawings are never external references here.
    AcDbObjectId xrefBlockId() const { return AcDbObjectId::kNull; }
    bool isPartiallyOpened() const { return false; }
    // True while the database has changes not saved.
    bool isModifiedSinceSave() const { return m_modifiedSinceSave; }

    // Copies of the objects (entities of this database) appended to the owner
    // block; each pair is in idMap. The originals' transient reactors hear `copied`.
    Acad::ErrorStatus deepCloneObjects(AcDbObjectIdArray& objectIds, AcDbObjectId& owner, AcDbIdMapping& idMap,
                                       bool deferXlation = false);

    // ---- undo
    // Switches the recording of changes for undo off and on again.
    void disableUndoRecording(bool disable);
    bool undoRecording() const;

    // ---- reactors
    void addReactor(AcDbDatabaseReactor* pReactor) const;
    void removeReactor(AcDbDatabaseReactor* pReactor) const;

    // ---- host side (drawing files, undo, commands): not part of the module's interface
    host::UndoManager& undoManager() const { return *m_undo; }
    // Every slot with an object, in handle order.
    std::vector<AcDbObjectId> allObjectIds() const;
    // Puts an object that is in no database into the slot of `handle` (which must
    // be empty): what reading a drawing file does. The object is not opened.
    Acad::ErrorStatus addAcDbObjectWithHandle(AcDbObjectId& objId, AcDbObject* pObj, const AcDbHandle& handle);
    void setHandseed(const AcDbHandle& seed);
    void setFilename(const std::wstring& fileName) { m_fileName = fileName; }
    void setModifiedSinceSave(bool modified) { m_modifiedSinceSave = modified; }
    // Points the database at the table objects of a drawing file after reading it.
    void setTableIds(AcDbObjectId blocks, AcDbObjectId layers, AcDbObjectId textStyles, AcDbObjectId linetypes,
                     AcDbObjectId dimStyles, AcDbObjectId regApps);
    host::DatabaseHeader& header() const { return *m_header; }
    // Model space by where its entities lie, for picking and selecting.
    host::EntityIndex& entityIndex() const { return *m_index; }
    const std::vector<AcDbDatabaseReactor*>& reactors() const { return m_reactors; }
    // Called by the objects themselves; they tell the database reactors.
    void notifyAppended(const AcDbObject* obj) const;
    void notifyModified(const AcDbObject* obj) const;
    void notifyErased(const AcDbObject* obj, bool erasing) const;
    void notifyOpenedForModify(const AcDbObject* obj) const;
    void notifyHeaderChanged(const wchar_t* name) const;

private:
    AcDbDatabase(const AcDbDatabase&) = delete;
    AcDbDatabase& operator=(const AcDbDatabase&) = delete;
    AcDbStub* newStub(const AcDbHandle& handle);
    void buildDefaultDrawing();
    template <typename T>
    Acad::ErrorStatus openTable(AcDbObjectId id, T*& pTable, AcDb::OpenMode mode);

    std::deque<AcDbStub> m_stubs;
    std::unordered_map<uint64_t, AcDbStub*> m_byHandle;
    size_t m_objectCount = 0;
    AcDbHandle m_handseed = AcDbHandle(1);
    AcDbObjectId m_blockTable, m_layerTable, m_textStyleTable, m_linetypeTable, m_dimStyleTable, m_regAppTable;
    std::unique_ptr<host::DatabaseHeader> m_header;
    std::unique_ptr<host::UndoManager> m_undo;
    std::unique_ptr<host::EntityIndex> m_index;
    mutable std::vector<AcDbDatabaseReactor*> m_reactors;
    std::wstring m_fileName;
    bool m_retainThumbnail = false;
    bool m_modifiedSinceSave = false;
};

// Hooks through which the drawing-file code (which lives above the database)
// reads and writes databases. Unset hooks give eNotImplementedYet.
namespace host {
using ReadDwgHook = std::function<Acad::ErrorStatus(AcDbDatabase* db, const wchar_t* fileName)>;
using SaveDwgHook = std::function<Acad::ErrorStatus(AcDbDatabase* db, const wchar_t* fileName, bool bakAndRename)>;
void setDrawingFileHooks(ReadDwgHook read, SaveDwgHook save);
// True for a database that exists now (not deleted): lets names of objects be
// checked before they are followed.
bool isLiveDatabase(const AcDbDatabase* db);
} // namespace host
