// The header variables and the tables of a DXF export.
#include "host/db/tables/AcDbBlockTableRecord.h"
#include "host/db/database/AcDbDatabase.h"
#include "host/db/tables/AcDbDimStyleTable.h"
#include "host/db/dimensions/AcDbDimension.h"
#include "host/db/dimensions/AcDbDimensionVars.h"
#include "host/db/entities/AcDbEntity.h"
#include "host/db/entities/AcDbExtents.h"
#include "host/db/tables/AcDbLayerTable.h"
#include "host/db/tables/AcDbLinetypeTable.h"
#include "host/db/tables/AcDbRegAppTable.h"
#include "host/db/tables/AcDbTextStyleTable.h"
#include "host/db/database/DatabaseHeader.h"
#include "host/io/dxf/DxfExporter.h"
#include "host/rx/acutString.h"

#include <cmath>
#include <cwchar>
#include <numbers>

namespace host::dxf {

namespace {

constexpr double kDegree = 180.0 / std::numbers::pi; // radians to the file's degrees

template <class T>
const T* peek(AcDbObjectId id) {
    if (!id.isValid() || id.isErased()) return nullptr;
    return T::cast(static_cast<AcDbStub*>(id)->object);
}

// The live records of a table.
template <class Record>
std::vector<const Record*> recordsOf(AcDbObjectId tableId) {
    std::vector<const Record*> out;
    const auto* table = peek<AcDbSymbolTable>(tableId);
    if (!table) return out;
    for (AcDbObjectId id : table->recordIds())
        if (const auto* rec = peek<Record>(id)) out.push_back(rec);
    return out;
}

// Variables that came after AutoCAD 2000; a 2000 file must not carry them (some of
// their codes mean other things there).
bool inR2000(int index) {
    switch (index) {
    case kDimVar_dimtfill:
    case kDimVar_dimtfillclr:
    case kDimVar_dimfxlen:
    case kDimVar_dimfxlenOn:
    case kDimVar_dimltype:
    case kDimVar_dimltex1:
    case kDimVar_dimltex2:
    case kDimVar_dimarcsym:
        return false;
    default:
        return dimVarInfo(index).dxfCode != 0;
    }
}

int colorCode(const AcCmColor& c) {
    if (c.isByLayer()) return 256;
    if (c.isByACI()) return c.colorIndex();
    return 0; // ByBlock, and true colours, which this version's styles cannot hold
}

AcDbExtents modelExtents(AcDbDatabase* db) {
    AcDbExtents ext;
    const auto* model = peek<AcDbBlockTableRecord>(db->modelSpaceId());
    if (!model) return ext;
    for (AcDbObjectId id : model->entityIds()) {
        const auto* ent = peek<AcDbEntity>(id);
        AcDbExtents e;
        if (ent && ent->getGeomExtents(e) == Acad::eOk) ext.addExt(e);
    }
    return ext;
}

} // namespace

// ---- header -----------------------------------------------------------------------------------

std::string DxfExporter::header() {
    DxfOutput o;
    const DatabaseHeader& h = m_db->header();
    auto var = [&o](const char* name) { o.raw(9, name); };
    o.raw(0, "SECTION");
    o.raw(2, "HEADER");
    var("$ACADVER");
    o.raw(1, "AC1015");
    var("$ACADMAINTVER");
    o.integer(70, 6);
    var("$DWGCODEPAGE");
    o.raw(3, "ANSI_1252");
    var("$INSBASE");
    o.point(10, AcGePoint3d::kOrigin);
    AcDbExtents ext = modelExtents(m_db);
    if (ext.isEmpty()) ext = AcDbExtents(AcGePoint3d::kOrigin, AcGePoint3d(1, 1, 0));
    var("$EXTMIN");
    o.point(10, ext.minPoint());
    var("$EXTMAX");
    o.point(10, ext.maxPoint());
    for (const auto& [name, p] : {std::pair{"$LIMMIN", h.limmin}, std::pair{"$LIMMAX", h.limmax},
                                  std::pair{"$PLIMMIN", h.plimmin}, std::pair{"$PLIMMAX", h.plimmax}}) {
        var(name);
        o.point2d(10, p.x, p.y);
    }
    var("$LTSCALE");
    o.real(40, h.ltscale);
    var("$TEXTSIZE");
    o.real(40, h.textsize);
    var("$CLAYER");
    o.text(8, layerName(m_db->clayer()));
    var("$CELTSCALE");
    o.real(40, h.celtscale);
    var("$TEXTSTYLE");
    o.text(7, textStyleName(m_db->textstyle()));
    var("$DIMSTYLE");
    o.text(2, dimStyleName(m_db->dimstyle()));
    headerDimVars(o);
    var("$LUNITS");
    o.integer(70, h.lunits);
    var("$LUPREC");
    o.integer(70, h.luprec);
    var("$AUNITS");
    o.integer(70, h.aunits);
    var("$AUPREC");
    o.integer(70, h.auprec);
    var("$PDMODE");
    o.integer(70, h.pdmode);
    var("$PDSIZE");
    o.real(40, h.pdsize);
    // A drawing without units says nothing, as the file it came from did.
    if (h.insunits != AcDb::kUnitsUndefined) {
        var("$INSUNITS");
        o.integer(70, int(h.insunits));
    }
    var("$MEASUREMENT");
    o.integer(70, int(h.measurement));
    var("$HANDSEED");
    o.handle(5, m_next);
    o.raw(0, "ENDSEC");
    return o.take();
}

// The current style's variables: programs that redraw dimensions from the header
// (and not from their blocks or the style table) read these.
void DxfExporter::headerDimVars(DxfOutput& o) {
    const auto* style = peek<AcDbDimStyleTableRecord>(m_db->dimstyle());
    const DimVars v = style ? dimVarsOf(*style) : DimVars();
    for (int i = 0; i < kDimVarCount; ++i) {
        if (!inR2000(i)) continue;
        const DimVarInfo& info = dimVarInfo(i);
        o.raw(9, "$" + std::string(info.dxfName, info.dxfName + std::wcslen(info.dxfName)));
        const DimVarValue value = v.get(i);
        switch (info.type) {
        case DimVarType::Real: o.real(40, std::get<double>(value)); break;
        case DimVarType::Int: o.integer(70, std::get<int>(value)); break;
        case DimVarType::Bool: o.integer(70, std::get<bool>(value) ? 1 : 0); break;
        case DimVarType::Char: o.integer(70, int(std::get<wchar_t>(value))); break;
        case DimVarType::Color: o.integer(70, colorCode(std::get<AcCmColor>(value))); break;
        case DimVarType::LineWeight: o.integer(70, int(std::get<AcDb::LineWeight>(value))); break;
        case DimVarType::String: o.text(1, std::get<std::wstring>(value)); break;
        case DimVarType::Id:
            if (i == kDimVar_dimtxsty) o.text(7, textStyleName(std::get<AcDbObjectId>(value)));
            else o.text(1, blockNameOf(std::get<AcDbObjectId>(value)));
            break;
        }
    }
    o.raw(9, "$DIMSCALE");
    o.real(40, v.dimscale);
}

// ---- tables -------------------------------------------------------------------------------------

void DxfExporter::tableHead(DxfOutput& o, const char* name, uint64_t handle, size_t count, const char* subclass) {
    o.raw(0, "TABLE");
    o.raw(2, name);
    o.handle(5, handle);
    o.handle(330, 0);
    o.raw(100, "AcDbSymbolTable");
    o.integer(70, (long long)count);
    if (subclass) o.raw(100, subclass);
}

static void recordHead(DxfOutput& o, const char* type, uint64_t handle, uint64_t table, const char* subclass,
                       int handleCode = 5) {
    o.raw(0, type);
    o.handle(handleCode, handle);
    o.handle(330, table);
    o.raw(100, "AcDbSymbolTableRecord");
    o.raw(100, subclass);
}

std::string DxfExporter::tables() {
    DxfOutput o;
    o.raw(0, "SECTION");
    o.raw(2, "TABLES");
    viewports(o);
    linetypes(o);
    layers(o);
    textStyles(o);
    tableHead(o, "VIEW", m_viewTable, 0);
    o.raw(0, "ENDTAB");
    tableHead(o, "UCS", m_ucsTable, 0);
    o.raw(0, "ENDTAB");
    regApps(o);
    dimStyles(o);
    blockRecords(o);
    o.raw(0, "ENDSEC");
    return o.take();
}

void DxfExporter::viewports(DxfOutput& o) {
    AcDbExtents ext = modelExtents(m_db);
    if (ext.isEmpty()) ext = AcDbExtents(AcGePoint3d::kOrigin, AcGePoint3d(100, 100, 0));
    const AcGePoint3d lo = ext.minPoint(), hi = ext.maxPoint();
    tableHead(o, "VPORT", m_vportTable, 1);
    recordHead(o, "VPORT", m_activeVport, m_vportTable, "AcDbViewportTableRecord");
    o.raw(2, "*Active");
    o.integer(70, 0);
    o.point2d(10, 0.0, 0.0);
    o.point2d(11, 1.0, 1.0);
    o.point2d(12, (lo.x + hi.x) / 2.0, (lo.y + hi.y) / 2.0);
    o.point2d(13, 0.0, 0.0);
    o.point2d(14, 1.0, 1.0);
    o.point2d(15, 10.0, 10.0);
    o.point(16, AcGePoint3d(0, 0, 1));
    o.point(17, AcGePoint3d::kOrigin);
    o.real(40, std::max(hi.y - lo.y, 1.0) * 1.1);
    o.real(41, std::max((hi.x - lo.x) / std::max(hi.y - lo.y, 1e-9), 0.1));
    o.real(42, 50.0);
    o.real(43, 0.0);
    o.real(44, 0.0);
    o.real(50, 0.0);
    o.real(51, 0.0);
    o.integer(71, 0);
    o.integer(72, 1000);
    o.integer(73, 1);
    o.integer(74, 3);
    o.integer(75, 0);
    o.integer(76, 0);
    o.integer(77, 0);
    o.integer(78, 0);
    o.raw(0, "ENDTAB");
}

void DxfExporter::linetypes(DxfOutput& o) {
    const auto recs = recordsOf<AcDbLinetypeTableRecord>(m_db->linetypeTableId());
    tableHead(o, "LTYPE", m_ltypeTable, recs.size());
    for (const auto* rec : recs) {
        recordHead(o, "LTYPE", handleOf(rec->objectId()), m_ltypeTable, "AcDbLinetypeTableRecord");
        o.text(2, rec->name());
        o.integer(70, 0);
        const wchar_t* comments = L"";
        rec->comments(comments);
        o.text(3, comments);
        o.integer(72, 65);
        o.integer(73, rec->numDashes());
        o.real(40, rec->patternLength());
        for (int i = 0; i < rec->numDashes(); ++i) {
            o.real(49, rec->dashLengthAt(i));
            o.integer(74, 0);
        }
    }
    o.raw(0, "ENDTAB");
}

void DxfExporter::layers(DxfOutput& o) {
    const auto recs = recordsOf<AcDbLayerTableRecord>(m_db->layerTableId());
    tableHead(o, "LAYER", m_layerTable, recs.size());
    for (const auto* rec : recs) {
        recordHead(o, "LAYER", handleOf(rec->objectId()), m_layerTable, "AcDbLayerTableRecord");
        o.text(2, rec->name());
        int flags = 0;
        if (rec->isFrozen()) flags |= AcDb::kLayerFrozen;
        if (rec->VPDFLT()) flags |= AcDb::kLayerFrozenInNewVp;
        if (rec->isLocked()) flags |= AcDb::kLayerLocked;
        o.integer(70, flags);
        const AcCmColor c = rec->color();
        const int index = c.isByACI() && c.colorIndex() >= 1 && c.colorIndex() <= 255 ? c.colorIndex() : 7;
        o.integer(62, rec->isOff() ? -index : index);
        if (c.isByColor()) o.integer(420, (long long)(c.red()) << 16 | c.green() << 8 | c.blue());
        const std::wstring lt = linetypeName(rec->linetypeObjectId());
        o.text(6, lt.empty() ? L"Continuous" : lt);
        if (!rec->isPlottable()) o.integer(290, 0);
        o.integer(370, int(rec->lineWeight()));
        o.handle(390, m_placeholder);
    }
    o.raw(0, "ENDTAB");
}

void DxfExporter::textStyles(DxfOutput& o) {
    const auto recs = recordsOf<AcDbTextStyleTableRecord>(m_db->textStyleTableId());
    tableHead(o, "STYLE", m_styleTable, recs.size());
    for (const auto* rec : recs) {
        recordHead(o, "STYLE", handleOf(rec->objectId()), m_styleTable, "AcDbTextStyleTableRecord");
        o.text(2, rec->name());
        o.integer(70, rec->isVertical() ? 4 : 0);
        o.real(40, rec->textSize());
        o.real(41, rec->xScale());
        o.real(50, rec->obliquingAngle() * kDegree);
        o.integer(71, rec->flagBits() & 6);
        o.real(42, rec->priorSize());
        const wchar_t* file = L"";
        rec->fileName(file);
        o.text(3, file);
        const wchar_t* big = L"";
        rec->bigFontFileName(big);
        o.text(4, big);
        if (!rec->typeface().empty()) {
            wchar_t* face = nullptr;
            bool bold = false, italic = false;
            int charset = 0, pitch = 0;
            rec->font(face, bold, italic, charset, pitch);
            acutDelString(face);
            o.raw(1001, "ACAD");
            o.text(1000, rec->typeface());
            o.integer(1071, (bold ? 0x2000000 : 0) | (italic ? 0x1000000 : 0));
        }
    }
    o.raw(0, "ENDTAB");
}

void DxfExporter::regApps(DxfOutput& o) {
    const auto recs = recordsOf<AcDbRegAppTableRecord>(m_db->regAppTableId());
    // Dimension overrides and TrueType faces are ACAD's data: the file must register it.
    bool hasAcad = false;
    for (const auto* rec : recs) hasAcad = hasAcad || symbolKey(rec->name()) == L"ACAD";
    tableHead(o, "APPID", m_appidTable, recs.size() + (hasAcad ? 0 : 1));
    if (!hasAcad) {
        recordHead(o, "APPID", newHandle(), m_appidTable, "AcDbRegAppTableRecord");
        o.raw(2, "ACAD");
        o.integer(70, 0);
    }
    for (const auto* rec : recs) {
        recordHead(o, "APPID", handleOf(rec->objectId()), m_appidTable, "AcDbRegAppTableRecord");
        o.text(2, rec->name());
        o.integer(70, 0);
    }
    o.raw(0, "ENDTAB");
}

void DxfExporter::dimStyles(DxfOutput& o) {
    const auto recs = recordsOf<AcDbDimStyleTableRecord>(m_db->dimStyleTableId());
    tableHead(o, "DIMSTYLE", m_dimstyleTable, recs.size(), "AcDbDimStyleTable");
    for (const auto* rec : recs) {
        recordHead(o, "DIMSTYLE", handleOf(rec->objectId()), m_dimstyleTable, "AcDbDimStyleTableRecord", 105);
        o.text(2, rec->name());
        o.integer(70, 0);
        const DimVars v = dimVarsOf(*rec);
        for (int i = 0; i < kDimVarCount; ++i) {
            if (!inR2000(i)) continue;
            const DimVarInfo& info = dimVarInfo(i);
            const DimVarValue value = v.get(i);
            switch (info.type) {
            case DimVarType::Real: o.real(info.dxfCode, std::get<double>(value)); break;
            case DimVarType::Int: o.integer(info.dxfCode, std::get<int>(value)); break;
            case DimVarType::Bool: o.integer(info.dxfCode, std::get<bool>(value) ? 1 : 0); break;
            case DimVarType::Char: o.integer(info.dxfCode, int(std::get<wchar_t>(value))); break;
            case DimVarType::Color: o.integer(info.dxfCode, colorCode(std::get<AcCmColor>(value))); break;
            case DimVarType::LineWeight: o.integer(info.dxfCode, int(std::get<AcDb::LineWeight>(value))); break;
            case DimVarType::String: o.text(info.dxfCode, std::get<std::wstring>(value)); break;
            case DimVarType::Id: {
                const AcDbObjectId id = std::get<AcDbObjectId>(value);
                const uint64_t h = i == kDimVar_dimtxsty ? (peek<AcDbTextStyleTableRecord>(id) ? handleOf(id) : 0)
                                                         : blockRecordHandle(id);
                if (h) o.handle(info.dxfCode, h);
                break;
            }
            }
        }
    }
    o.raw(0, "ENDTAB");
}

void DxfExporter::blockRecords(DxfOutput& o) {
    tableHead(o, "BLOCK_RECORD", m_blockTable, m_blocks.size());
    for (const BlockOut& b : m_blocks) {
        recordHead(o, "BLOCK_RECORD", b.record, m_blockTable, "AcDbBlockTableRecord");
        o.text(2, b.name);
        if (b.model) o.handle(340, m_modelLayout);
        if (b.paper) o.handle(340, m_paperLayout);
    }
    o.raw(0, "ENDTAB");
}

// ---- a dimension's overrides ---------------------------------------------------------------------

void DxfExporter::dimOverrides(DxfOutput& o, const AcDbDimension* dim) {
    const DimVarOverrides& over = dim->dimVarOverrides();
    bool opened = false;
    for (int i : over.indices()) {
        if (!inR2000(i)) continue;
        const DimVarInfo& info = dimVarInfo(i);
        const DimVarValue value = over.values().get(i);
        if (!opened) {
            o.raw(1001, "ACAD");
            o.raw(1000, "DSTYLE");
            o.raw(1002, "{");
            opened = true;
        }
        o.integer(1070, info.dxfCode);
        switch (info.type) {
        case DimVarType::Real: o.real(1040, std::get<double>(value)); break;
        case DimVarType::Int: o.integer(1070, std::get<int>(value)); break;
        case DimVarType::Bool: o.integer(1070, std::get<bool>(value) ? 1 : 0); break;
        case DimVarType::Char: o.integer(1070, int(std::get<wchar_t>(value))); break;
        case DimVarType::Color: o.integer(1070, colorCode(std::get<AcCmColor>(value))); break;
        case DimVarType::LineWeight: o.integer(1070, int(std::get<AcDb::LineWeight>(value))); break;
        case DimVarType::String: o.text(1000, std::get<std::wstring>(value)); break;
        case DimVarType::Id: {
            const AcDbObjectId id = std::get<AcDbObjectId>(value);
            const uint64_t h = i == kDimVar_dimtxsty ? (peek<AcDbTextStyleTableRecord>(id) ? handleOf(id) : 0)
                                                     : blockRecordHandle(id);
            o.handle(1005, h);
            break;
        }
        }
    }
    if (opened) o.raw(1002, "}");
}

} // namespace host::dxf
