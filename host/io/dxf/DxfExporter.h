#pragma once
// The work of one DXF export, shared by the files that write the header and
// tables, the entities and the objects. Handles are given out afresh for the
// file; every reference is to something the file holds.
#include "host/db/database/AcDbObjectId.h"
#include "host/gi/GiPrimitive.h"
#include "host/io/dxf/DxfExport.h"
#include "host/io/dxf/DxfOutput.h"

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

class AcDbDatabase;
class AcDbEntity;
class AcDbDimension;
class AcDbBlockTableRecord;
class AcDbBlockReference;
class AcDbLeader;
class AcDbText;

namespace host::dxf {

class DxfExporter {
public:
    DxfExporter(AcDbDatabase* db, DxfExportReport& report);
    ~DxfExporter();
    bool run(std::string& out, std::wstring& error);

private:
    // A block as the file holds it: one of the drawing's, or the graphics block of a
    // dimension (whose entities the export made and owns).
    struct BlockOut {
        AcDbObjectId id; // null for a graphics block
        std::wstring name;
        uint64_t record = 0, begin = 0, end = 0;
        bool model = false, paper = false, anonymous = false;
        bool graphics = false; // holds a dimension's drawing (made here), not the drawing's entities
        bool kept = false;     // a dimension's graphics block that goes out as the drawing holds it
        std::wstring xrefPath; // the other drawing of an external reference
        bool overlay = false;
        AcGePoint3d origin;
        std::vector<std::unique_ptr<AcDbEntity>> made;
    };

    // ---- handles and names (DxfExport.cpp)
    uint64_t handleOf(AcDbObjectId id);
    uint64_t newHandle() { return m_next++; }
    std::wstring layerName(AcDbObjectId id) const;
    std::wstring linetypeName(AcDbObjectId id) const;
    std::wstring textStyleName(AcDbObjectId id) const;
    std::wstring dimStyleName(AcDbObjectId id) const;
    // The record handle of a block the file holds; 0 when it does not.
    uint64_t blockRecordHandle(AcDbObjectId id) const;
    std::wstring blockNameOf(AcDbObjectId id) const;

    void plan();
    // names: every block name the file holds, upper-cased; serial: where the search
    // for the next free "*D" name goes on.
    void planDimensionBlocks(const AcDbBlockTableRecord* space, std::set<std::wstring>& names, unsigned& serial);
    std::string header();
    std::string classes();
    std::string blocks();
    std::string entities();

    // ---- tables (DxfExportTables.cpp)
    std::string tables();
    void tableHead(DxfOutput& o, const char* name, uint64_t handle, size_t count, const char* subclass = nullptr);
    void viewports(DxfOutput& o);
    void linetypes(DxfOutput& o);
    void layers(DxfOutput& o);
    void textStyles(DxfOutput& o);
    void regApps(DxfOutput& o);
    void dimStyles(DxfOutput& o);
    void blockRecords(DxfOutput& o);
    void headerDimVars(DxfOutput& o);
    // The overrides of a dimension as its ACAD "DSTYLE" extended data.
    void dimOverrides(DxfOutput& o, const AcDbDimension* dim);

    // ---- entities (DxfExportEntities.cpp)
    // Writes an entity of a block; false when it is no native type (the caller then
    // writes what it draws).
    bool writeNative(DxfOutput& o, const AcDbEntity* ent, uint64_t owner, bool paper);
    // By family; each false for an entity not of it.
    bool writeCurve(DxfOutput& o, const AcDbEntity* ent, uint64_t owner, bool paper);
    bool writeOldPolyline(DxfOutput& o, const AcDbEntity* ent, uint64_t owner, bool paper);
    bool writeTexts(DxfOutput& o, const AcDbEntity* ent, uint64_t owner, bool paper);
    bool writePlanar(DxfOutput& o, const AcDbEntity* ent, uint64_t owner, bool paper);
    bool writeHatch(DxfOutput& o, const AcDbEntity* ent, uint64_t owner, bool paper); // DxfExportHatch.cpp
    // A TEXT's groups of its first AcDbText part (ATTRIB and ATTDEF share them).
    void textGroups(DxfOutput& o, const AcDbText* text);
    // (DxfExportAnnotations.cpp)
    bool writeAttributeDefinition(DxfOutput& o, const AcDbEntity* ent, uint64_t owner, bool paper);
    // The ATTRIB records after an INSERT and the SEQEND; nothing without attributes.
    void writeAttributes(DxfOutput& o, const AcDbBlockReference* ref, bool paper);
    void writeLeader(DxfOutput& o, const AcDbLeader* leader, uint64_t owner, bool paper);
    void common(DxfOutput& o, const AcDbEntity* ent, const char* type, uint64_t owner, bool paper);
    // The same with a handle given (for what is not an object of the drawing on its own).
    void entityHead(DxfOutput& o, const AcDbEntity* ent, const char* type, uint64_t handle, uint64_t owner,
                    bool paper);
    void xdata(DxfOutput& o, const AcDbEntity* ent, bool skipAcad);
    void writeDimension(DxfOutput& o, const AcDbDimension* dim, uint64_t owner, bool paper);
    void writeEntity(DxfOutput& o, const AcDbEntity* ent, uint64_t owner, bool paper);

    // ---- geometry of other entities (DxfExportGeometry.cpp)
    void writeDrawn(DxfOutput& o, const AcDbEntity* ent, uint64_t owner, bool paper);
    void writePrimitive(DxfOutput& o, const gi::GiPrimitive& p, const AcDbEntity* ent, uint64_t owner, bool paper);
    void primitiveCommon(DxfOutput& o, const gi::GiPrimitive& p, const AcDbEntity* ent, const char* type,
                         uint64_t owner, bool paper);
    // A filled primitive that masks what lies under it (see DxfExportWipeout.cpp);
    // false when the primitive is no mask.
    bool writeWipeout(DxfOutput& o, const gi::GiPrimitive& p, const AcDbEntity* ent, uint64_t owner, bool paper);

    // ---- objects (DxfExportObjects.cpp)
    std::string objects();

    AcDbDatabase* m_db;
    DxfExportReport& m_report;
    uint64_t m_next = 1;
    std::map<AcDbStub*, uint64_t> m_handles;
    std::vector<BlockOut> m_blocks;
    std::map<AcDbStub*, size_t> m_blockIndex;     // a drawing's block to its place in m_blocks
    std::map<AcDbStub*, size_t> m_dimensionBlock; // a dimension to its graphics block
    // Handles of the file's own objects, given out before anything is written.
    uint64_t m_vportTable = 0, m_ltypeTable = 0, m_layerTable = 0, m_styleTable = 0, m_viewTable = 0,
             m_ucsTable = 0, m_appidTable = 0, m_dimstyleTable = 0, m_blockTable = 0;
    uint64_t m_activeVport = 0, m_rootDict = 0, m_groupDict = 0, m_layoutDict = 0, m_plotStyleDict = 0,
             m_placeholder = 0, m_modelLayout = 0, m_paperLayout = 0, m_wipeoutVars = 0;
};

} // namespace host::dxf
