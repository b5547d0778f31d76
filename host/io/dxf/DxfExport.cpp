#include "host/io/dxf/DxfExport.h"

#include "host/db/dimensions/AcDbArcDimension.h"
#include "host/db/tables/AcDbBlockTable.h"
#include "host/db/tables/AcDbBlockTableRecord.h"
#include "host/db/database/AcDbDatabase.h"
#include "host/db/tables/AcDbDimStyleTableRecord.h"
#include "host/db/dimensions/AcDbDimension.h"
#include "host/db/entities/AcDbExtents.h"
#include "host/db/tables/AcDbLayerTableRecord.h"
#include "host/db/tables/AcDbLinetypeTableRecord.h"
#include "host/db/tables/AcDbTextStyleTableRecord.h"
#include "host/db/database/DatabaseHeader.h"
#include "host/io/dxf/DxfExporter.h"
#include "host/rx/AcRxClass.h"
#include "host/win/FileBytes.h"
#include "host/win/FormatW.h"
#include "host/win/WinCrt.h"

#include <set>

namespace host::dxf {

namespace {

template <class T>
const T* peek(AcDbObjectId id) {
    if (!id.isValid() || id.isErased()) return nullptr;
    return T::cast(static_cast<AcDbStub*>(id)->object);
}

std::wstring countList(const std::map<std::wstring, size_t>& counts, const wchar_t* suffix) {
    std::wstring out;
    for (const auto& [type, n] : counts) {
        if (!out.empty()) out += L", ";
        out += FormatW(L"%zu %s%s", n, type.c_str(), suffix);
    }
    return out;
}

// Arc length dimensions are younger than the file version written; they go out as
// what they draw.
bool writesAsDimension(const AcDbEntity* ent) {
    return ent->isKindOf(AcDbDimension::desc()) && !ent->isKindOf(AcDbArcDimension::desc());
}

} // namespace

std::wstring DxfExportReport::line() const {
    std::wstring list = countList(written, L"");
    if (list.empty()) list = L"no entities";
    const std::wstring drawn = countList(asGeometry, L" as geometry");
    return FormatW(L"DXF export (AC1015): %s%s%s", list.c_str(), drawn.empty() ? L"" : L"; ", drawn.c_str());
}

bool exportDxf(AcDbDatabase* db, std::string& out, DxfExportReport& report, std::wstring& error) {
    report = DxfExportReport();
    if (!db || !db->modelSpaceId().isValid()) {
        error = L"there is no drawing to export";
        return false;
    }
    DxfExporter exporter(db, report);
    return exporter.run(out, error);
}

bool exportDxfFile(AcDbDatabase* db, const std::string& path, DxfExportReport& report, std::wstring& error) {
    std::string bytes;
    if (!exportDxf(db, bytes, report, error)) return false;
    if (!replaceFile(path, bytes, Durability::Durable)) {
        error = L"the file cannot be written (the folder is missing or not writable)";
        return false;
    }
    return true;
}

// ---- the exporter ----------------------------------------------------------------------------

DxfExporter::DxfExporter(AcDbDatabase* db, DxfExportReport& report)
    : m_db(db), m_report(report), m_next(std::max<uint64_t>(db->handseed().value(), 1)) {}

DxfExporter::~DxfExporter() = default;

uint64_t DxfExporter::handleOf(AcDbObjectId id) {
    if (id.isNull()) return newHandle();
    auto it = m_handles.find(id);
    if (it != m_handles.end()) return it->second;
    // The drawing's own handles are kept, so that references in extended data still hold.
    const uint64_t h = id.handle().value() != 0 ? id.handle().value() : newHandle();
    m_handles[id] = h;
    return h;
}

std::wstring DxfExporter::layerName(AcDbObjectId id) const {
    const auto* rec = peek<AcDbLayerTableRecord>(id);
    return rec ? rec->name() : L"0";
}

std::wstring DxfExporter::linetypeName(AcDbObjectId id) const {
    const auto* rec = peek<AcDbLinetypeTableRecord>(id);
    return rec ? rec->name() : L"";
}

std::wstring DxfExporter::textStyleName(AcDbObjectId id) const {
    const auto* rec = peek<AcDbTextStyleTableRecord>(id);
    if (rec) return rec->name();
    const auto* current = peek<AcDbTextStyleTableRecord>(m_db->textstyle());
    return current ? current->name() : L"Standard";
}

std::wstring DxfExporter::dimStyleName(AcDbObjectId id) const {
    const auto* rec = peek<AcDbDimStyleTableRecord>(id);
    if (rec) return rec->name();
    const auto* current = peek<AcDbDimStyleTableRecord>(m_db->dimstyle());
    return current ? current->name() : L"Standard";
}

uint64_t DxfExporter::blockRecordHandle(AcDbObjectId id) const {
    auto it = m_blockIndex.find(id);
    return it == m_blockIndex.end() ? 0 : m_blocks[it->second].record;
}

std::wstring DxfExporter::blockNameOf(AcDbObjectId id) const {
    auto it = m_blockIndex.find(id);
    return it == m_blockIndex.end() ? std::wstring() : m_blocks[it->second].name;
}

// ---- what goes out ----------------------------------------------------------------------------

void DxfExporter::plan() {
    for (uint64_t* h : {&m_vportTable, &m_ltypeTable, &m_layerTable, &m_styleTable, &m_viewTable, &m_ucsTable,
                        &m_appidTable, &m_dimstyleTable, &m_blockTable, &m_activeVport, &m_rootDict, &m_groupDict,
                        &m_layoutDict, &m_plotStyleDict, &m_placeholder, &m_modelLayout, &m_paperLayout,
                        &m_wipeoutVars})
        *h = newHandle();
    const auto* table = peek<AcDbBlockTable>(m_db->blockTableId());
    if (!table) return;
    // Model space first, paper space second: the order other programs expect.
    std::vector<AcDbObjectId> order{m_db->modelSpaceId(), m_db->paperSpaceId()};
    for (AcDbObjectId id : table->recordIds())
        if (id != m_db->modelSpaceId() && id != m_db->paperSpaceId()) order.push_back(id);
    for (AcDbObjectId id : order) {
        const auto* rec = peek<AcDbBlockTableRecord>(id);
        if (!rec) continue;
        BlockOut b;
        b.id = id;
        b.name = rec->name();
        b.model = id == m_db->modelSpaceId();
        b.paper = id == m_db->paperSpaceId();
        b.anonymous = rec->isAnonymous();
        b.origin = rec->origin();
        const wchar_t* path = L"";
        rec->pathName(path);
        b.xrefPath = path;
        b.overlay = rec->isFromOverlayReference();
        b.record = handleOf(id);
        b.begin = newHandle();
        b.end = newHandle();
        m_blockIndex[id] = m_blocks.size();
        m_blocks.push_back(std::move(b));
    }
    // The names in use are gathered once: gathering them per block made an export of
    // many blocks take time with the square of their number.
    std::set<std::wstring> names;
    for (const BlockOut& b : m_blocks) names.insert(host::toUpperCase(b.name));
    const size_t drawingBlocks = m_blocks.size();
    // Blocks that still show their dimension as drawn go out as they are, and no
    // other dimension sharing one may fill it afresh: all of them are known before
    // any block is filled.
    for (size_t i = 0; i < drawingBlocks; ++i) {
        const auto* space = peek<AcDbBlockTableRecord>(m_blocks[i].id);
        if (!space) continue;
        for (AcDbObjectId id : space->entityIds()) {
            const auto* dim = peek<AcDbDimension>(id);
            if (!dim || !writesAsDimension(dim) || !dim->isDrawnFromDimBlock()) continue;
            auto own = m_blockIndex.find(dim->dimBlockId());
            if (own == m_blockIndex.end() || !m_blocks[own->second].anonymous) continue;
            m_blocks[own->second].kept = true;
            m_dimensionBlock[id] = own->second;
        }
    }
    unsigned serial = 1;
    for (size_t i = 0; i < drawingBlocks; ++i)
        planDimensionBlocks(peek<AcDbBlockTableRecord>(m_blocks[i].id), names, serial);
}

void DxfExporter::planDimensionBlocks(const AcDbBlockTableRecord* space, std::set<std::wstring>& names,
                                      unsigned& serial) {
    if (!space) return;
    for (AcDbObjectId id : space->entityIds()) {
        const auto* dim = peek<AcDbDimension>(id);
        if (!dim || !writesAsDimension(dim) || m_dimensionBlock.count(id)) continue;
        // The dimension's own anonymous block gets its content afresh; a dimension
        // without one (or sharing one) gets a new "*D" block.
        size_t index = 0;
        auto own = m_blockIndex.find(dim->dimBlockId());
        if (own != m_blockIndex.end() && m_blocks[own->second].anonymous && !m_blocks[own->second].graphics
            && !m_blocks[own->second].kept) {
            index = own->second;
        } else {
            BlockOut b;
            while (names.count(host::toUpperCase(FormatW(L"*D%u", serial)))) ++serial;
            b.name = FormatW(L"*D%u", serial);
            names.insert(host::toUpperCase(b.name));
            b.anonymous = true;
            b.record = newHandle();
            b.begin = newHandle();
            b.end = newHandle();
            index = m_blocks.size();
            m_blocks.push_back(std::move(b));
        }
        AcDbVoidPtrArray made;
        dim->getBlockEntities(made);
        BlockOut& target = m_blocks[index];
        target.graphics = true;
        target.made.clear();
        for (void* p : made) target.made.emplace_back(static_cast<AcDbEntity*>(p));
        m_dimensionBlock[id] = index;
    }
}

bool DxfExporter::run(std::string& out, std::wstring& error) {
    plan();
    if (m_blocks.empty() || !m_blocks[0].model) {
        error = L"the drawing has no model space";
        return false;
    }
    // Everything that gives out handles comes before the header, which names the next one.
    const std::string tablesPart = tables();
    const std::string blocksPart = blocks();
    const std::string entitiesPart = entities();
    const std::string objectsPart = objects();
    out = header() + classes() + tablesPart + blocksPart + entitiesPart + objectsPart + "  0\nEOF\n";
    return true;
}

std::string DxfExporter::classes() {
    DxfOutput o;
    o.raw(0, "SECTION");
    o.raw(2, "CLASSES");
    // Name, class, application, proxy flags, whether its objects are entities.
    // Text masks go out as wipeouts (see writeWipeout).
    struct ClassOut {
        const char* dxf;
        const char* name;
        const char* app;
        int proxyFlags;
        bool entity;
    };
    const char* const expressTools = "WipeOut|AutoCAD Express Tool|expresstools@autodesk.com";
    const ClassOut classes[] = {{"ACDBDICTIONARYWDFLT", "AcDbDictionaryWithDefault", "ObjectDBX Classes", 0, false},
                                {"ACDBPLACEHOLDER", "AcDbPlaceHolder", "ObjectDBX Classes", 0, false},
                                {"LAYOUT", "AcDbLayout", "ObjectDBX Classes", 0, false},
                                {"WIPEOUT", "AcDbWipeout", expressTools, 127, true},
                                {"WIPEOUTVARIABLES", "AcDbWipeoutVariables", expressTools, 0, false}};
    for (const ClassOut& c : classes) {
        o.raw(0, "CLASS");
        o.raw(1, c.dxf);
        o.raw(2, c.name);
        o.raw(3, c.app);
        o.integer(90, c.proxyFlags);
        o.integer(280, 0);
        o.integer(281, c.entity ? 1 : 0);
    }
    o.raw(0, "ENDSEC");
    return o.take();
}

std::string DxfExporter::blocks() {
    DxfOutput o;
    o.raw(0, "SECTION");
    o.raw(2, "BLOCKS");
    for (BlockOut& b : m_blocks) {
        o.raw(0, "BLOCK");
        o.handle(5, b.begin);
        o.handle(330, b.record);
        o.raw(100, "AcDbEntity");
        if (b.paper) o.integer(67, 1);
        o.raw(8, "0");
        o.raw(100, "AcDbBlockBegin");
        o.text(2, b.name);
        // 4: an external reference, 8: an overlay, 32: resolved (its entities follow).
        const bool xref = !b.xrefPath.empty();
        o.integer(70, (b.anonymous ? 1 : 0) | (xref ? 4 | 32 : 0) | (b.overlay ? 8 : 0));
        o.point(10, b.origin);
        o.text(3, b.name);
        o.text(1, b.xrefPath);
        // The spaces' entities go to the ENTITIES section.
        if (!b.model && !b.paper) {
            if (b.graphics) {
                for (const auto& ent : b.made) writeEntity(o, ent.get(), b.record, false);
            } else if (const auto* rec = peek<AcDbBlockTableRecord>(b.id)) {
                for (AcDbObjectId id : rec->entityIds())
                    if (const auto* ent = peek<AcDbEntity>(id)) writeEntity(o, ent, b.record, false);
            }
        }
        o.raw(0, "ENDBLK");
        o.handle(5, b.end);
        o.handle(330, b.record);
        o.raw(100, "AcDbEntity");
        if (b.paper) o.integer(67, 1);
        o.raw(8, "0");
        o.raw(100, "AcDbBlockEnd");
    }
    o.raw(0, "ENDSEC");
    return o.take();
}

std::string DxfExporter::entities() {
    DxfOutput o;
    o.raw(0, "SECTION");
    o.raw(2, "ENTITIES");
    for (const BlockOut& b : m_blocks) {
        if (!b.model && !b.paper) continue;
        const auto* rec = peek<AcDbBlockTableRecord>(b.id);
        if (!rec) continue;
        for (AcDbObjectId id : rec->entityIds())
            if (const auto* ent = peek<AcDbEntity>(id)) writeEntity(o, ent, b.record, b.paper);
    }
    o.raw(0, "ENDSEC");
    return o.take();
}

void DxfExporter::writeEntity(DxfOutput& o, const AcDbEntity* ent, uint64_t owner, bool paper) {
    const bool countIt = owner == m_blocks[0].record || (m_blocks.size() > 1 && owner == m_blocks[1].record);
    if (writeNative(o, ent, owner, paper)) {
        if (countIt) {
            std::wstring type = ent->isA()->dxfName();
            ++m_report.written[type];
        }
        return;
    }
    writeDrawn(o, ent, owner, paper);
    if (countIt) ++m_report.asGeometry[ent->isA()->name()];
}

} // namespace host::dxf
