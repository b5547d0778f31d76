#pragma once
// A drawing-exchange file taken apart: header variables, table entries, block
// definitions with their entities, and the entities, each a record of groups. The
// sections' frames (SECTION ... ENDSEC, TABLE ... ENDTAB, BLOCK ... ENDBLK, POLYLINE
// ... SEQEND) are checked here; a frame that does not close is refused with the
// line where it opened.
#include "host/ge/AcGePoint3d.h"
#include "host/ge/AcGeVector3d.h"
#include "host/io/dxf/DxfGroups.h"
#include "host/io/dxf/DxfText.h"

#include <map>
#include <span>
#include <string>
#include <vector>

namespace host::dxf {

// One entity, table entry, object or header variable: the groups after its
// opening group, up to the next record.
struct DxfRecord {
    std::wstring type; // the opening group's value, in capitals
    std::span<const DxfGroup> groups;
    size_t line = 0;

    const DxfGroup* find(int code) const;
    bool has(int code) const { return find(code) != nullptr; }
    double real(int code, double fallback = 0.0) const;
    int integer(int code, int fallback = 0) const;
    std::string_view raw(int code) const;
    // A point from its X code and the codes 10 and 20 above it; missing parts are 0.
    AcGePoint3d point(int xCode, const AcGePoint3d& fallback = AcGePoint3d::kOrigin) const;
    // The extrusion direction (210); the Z axis when missing or zero.
    AcGeVector3d normal() const;
    // The groups after the first group with `code` and `value` ("100", "AcDbText").
    std::span<const DxfGroup> after(int code, std::string_view value) const;
};

// An entity with the records that belong to it: a POLYLINE's VERTEX records, an
// INSERT's ATTRIB records (the closing SEQEND is not kept).
struct DxfEntity {
    DxfRecord record;
    std::vector<DxfRecord> children;
};

struct DxfBlock {
    DxfRecord begin; // the BLOCK record: name, flags, base point
    std::vector<DxfEntity> entities;
};

class DxfDocument {
public:
    DxfDocument() = default;
    DxfDocument(const DxfDocument&) = delete;
    DxfDocument& operator=(const DxfDocument&) = delete;

    // Parses the bytes (kept by the document). False with a message naming the
    // line for bytes that are no ASCII DXF or whose frames do not close.
    bool parse(std::string bytes, std::wstring& error);

    // $ACADVER ("AC1009" ... "AC1032"); empty when the file has no header.
    const std::wstring& version() const { return m_version; }
    DxfEncoding encoding() const { return m_encoding; }
    std::wstring text(std::string_view raw) const { return decodeDxfText(raw, m_encoding); }
    std::wstring text(const DxfGroup* g) const { return g ? text(g->text) : std::wstring(); }

    // Header variables by name ("$INSUNITS"), each its value groups.
    const std::map<std::wstring, DxfRecord>& header() const { return m_header; }
    const DxfRecord* headerVar(const std::wstring& name) const;
    // Table entries by table name ("LAYER", "DIMSTYLE" ...), in file order.
    const std::map<std::wstring, std::vector<DxfRecord>>& tables() const { return m_tables; }
    const std::vector<DxfRecord>& table(const std::wstring& name) const;
    const std::vector<DxfBlock>& blocks() const { return m_blocks; }
    const std::vector<DxfEntity>& entities() const { return m_entities; }

private:
    bool parseSections(std::wstring& error);
    bool parseHeader(size_t& i, size_t end, std::wstring& error);
    bool parseTables(const std::vector<DxfRecord>& records, std::wstring& error);
    bool parseBlocks(const std::vector<DxfRecord>& records, std::wstring& error);
    bool groupEntities(const std::vector<DxfRecord>& records, size_t& i, size_t end, std::vector<DxfEntity>& out,
                       std::wstring& error) const;
    std::vector<DxfRecord> recordsOf(size_t begin, size_t end) const;

    std::string m_bytes;
    std::vector<DxfGroup> m_groups;
    std::wstring m_version;
    DxfEncoding m_encoding = DxfEncoding::Latin1;
    std::map<std::wstring, DxfRecord> m_header;
    std::map<std::wstring, std::vector<DxfRecord>> m_tables;
    std::vector<DxfBlock> m_blocks;
    std::vector<DxfEntity> m_entities;
};

} // namespace host::dxf
