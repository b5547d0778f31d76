#pragma once
// The work of one DXF import, shared by the files that bring in tables, blocks,
// entities and dimensions. The document has been parsed and checked before; from
// here on nothing in the file can make the import fail, only be left out (and
// counted).
#include "host/db/dimensions/AcDbDimensionVars.h"
#include "host/db/database/AcDbObjectId.h"
#include "host/io/dxf/DxfDocument.h"
#include "host/io/dxf/DxfImport.h"

#include <map>
#include <string>
#include <vector>

class AcDbDatabase;
class AcDbEntity;
class AcDbText;
class AcDbBlockReference;
class AcDbDimension;
class AcDbBlockTableRecord;
class AcDbRegAppTableRecord;

namespace host::dxf {

class DxfImporter {
public:
    DxfImporter(const DxfDocument& doc, AcDbDatabase* db, DxfImportReport& report);
    // False with a message when the database refused a change; what was added is
    // erased again.
    bool run(std::wstring& error);

    // ---- names to ids (DxfImportTables.cpp)
    // The layer; made with default properties when the drawing lacks it.
    AcDbObjectId layerId(const std::wstring& name);
    // Null when the drawing has no such linetype (the entity then keeps ByLayer).
    AcDbObjectId linetypeId(const std::wstring& name) const;
    // The text style; the drawing's current one when it lacks that name.
    AcDbObjectId textStyleId(const std::wstring& name) const;
    AcDbObjectId dimStyleId(const std::wstring& name) const;
    // An arrowhead block: the file's block of that name, else the host's own
    // arrowhead ("_Oblique" ...); null for the default arrow or an unknown name.
    AcDbObjectId arrowBlock(const std::wstring& name) const;
    // A block of the file by its name there; null when it was not brought in.
    AcDbObjectId blockId(const std::wstring& name) const;
    // A record name behind a handle of the file's block records, text styles and
    // linetypes (R2000 and later refer to them by handle); empty when unknown.
    std::wstring blockNameOfHandle(std::string_view handle) const;
    std::wstring styleNameOfHandle(std::string_view handle) const;
    std::wstring linetypeNameOfHandle(std::string_view handle) const;

    const DxfDocument& doc() const { return m_doc; }
    void notImported(const std::wstring& what, size_t count = 1) { m_report.notImported[what] += count; }

private:
    // ---- tables (DxfImportTables.cpp)
    // Linetypes, layers and text styles; dimension styles come after the blocks,
    // whose arrowheads they name.
    bool importTables(std::wstring& error);
    bool importLinetypes(std::wstring& error);
    bool importLayers(std::wstring& error);
    bool importTextStyles(std::wstring& error);
    bool importDimStyles(std::wstring& error);
    // A dimension variable's value from a group (of the style table or of a
    // dimension's override list); false when the group does not fit the variable.
    bool dimVarValue(int index, const DxfGroup& g, DimVarValue& out) const;
    void noteHandles();
    void importHeader();
    void importHeaderDimVars();
    void importLimits();
    // The header's $DIM... values over `v`, for those the header has.
    void overlayHeaderDimVars(DimVars& v) const;

    // ---- blocks and entities (DxfImport.cpp)
    bool createBlocks(std::wstring& error);
    bool fillBlocks(std::wstring& error);
    bool importEntities(std::wstring& error);
    // Appends the entity to an open block; false only when the database refuses.
    bool append(AcDbBlockTableRecord* block, const DxfEntity& e, bool count, std::wstring& error);
    void rollBack();

    // ---- entities (DxfImportEntities.cpp): null when the entity cannot come in,
    // with what to count it as.
    AcDbEntity* makeEntity(const DxfEntity& e, std::wstring& skipped);
    AcDbEntity* makeText(const DxfRecord& r);
    // A TEXT's groups, shared by attributes (whose vertical alignment has its own code).
    void fillText(AcDbText* t, const DxfRecord& r, int verticalCode);
    AcDbEntity* makeMText(const DxfRecord& r);
    AcDbEntity* makeInsert(const DxfEntity& e, std::wstring& skipped);
    AcDbEntity* makeLeader(const DxfRecord& r);
    // (DxfImportAttributes.cpp) The INSERT's ATTRIB records as its attributes.
    void attachAttributes(AcDbBlockReference* ref, const DxfEntity& e);
    AcDbEntity* makeAttributeDefinition(const DxfRecord& r, std::wstring& skipped);
    // Links each leader to its annotation once every entity is in: the annotation
    // may come after the leader in the file.
    void linkAnnotations();
    // (DxfImportHatch.cpp)
    AcDbEntity* makeHatch(const DxfRecord& r, std::wstring& skipped);
    // The registered application, added when missing (then handed out open for write).
    AcDbRegAppTableRecord* openOrAddRegApp(const std::wstring& name, bool& failed);
    void applyCommon(AcDbEntity* ent, const DxfRecord& r);
    void applyXData(AcDbEntity* ent, const DxfRecord& r);

    // ---- dimensions (DxfImportDimensions.cpp)
    AcDbEntity* makeDimension(const DxfRecord& r, std::wstring& skipped);
    AcDbEntity* makeArcDimension(const DxfRecord& r);
    void finishDimension(AcDbDimension* dim, const DxfRecord& r);
    // A dimension with a graphics block of the file shows that block, as its author
    // saw it, until it is changed; called when everything of the record is set.
    void keepDimensionBlock(AcDbEntity* ent);
    // The ACAD "DSTYLE" overrides of a dimension's extended data.
    void applyDimOverrides(AcDbDimension* dim, const DxfRecord& r);

    const DxfDocument& m_doc;
    AcDbDatabase* m_db;
    DxfImportReport& m_report;
    bool m_fresh = true; // the drawing had no content: the file's records win
    std::map<std::wstring, AcDbObjectId> m_blocks; // the file's block names (capitals) to ours
    std::map<std::wstring, std::wstring> m_blockHandles, m_styleHandles, m_linetypeHandles;
    std::vector<AcDbObjectId> m_created; // erased again when the import fails
    std::map<std::wstring, AcDbObjectId> m_entityHandles;                  // the file's entity handles to ours
    std::vector<std::pair<AcDbObjectId, std::wstring>> m_annotationLinks; // a leader and its annotation's handle
};

// Capitals for comparing the file's names and handles.
std::wstring upperName(const std::wstring& name);
std::wstring upperName(std::string_view ascii);

} // namespace host::dxf
