// The tables of a DXF file (linetypes, layers, text styles, dimension styles) and
// its header variables.
#include "host/db/database/AcDbDatabase.h"
#include "host/db/tables/AcDbDimStyleTable.h"
#include "host/db/dimensions/AcDbDimensionVars.h"
#include "host/db/tables/AcDbLayerTable.h"
#include "host/db/tables/AcDbLinetypeTable.h"
#include "host/db/dimensions/AcDbDimension.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/db/tables/AcDbRegAppTable.h"
#include "host/db/tables/AcDbTextStyleTable.h"
#include "host/db/database/DatabaseHeader.h"
#include "host/db/database/LineWeights.h"
#include "host/io/dxf/DxfImporter.h"
#include "host/win/FormatW.h"

#include <cmath>
#include <numbers>
#include <utility>

namespace host::dxf {

namespace {

constexpr double kDegree = std::numbers::pi / 180.0;

// Opens the record of that name for write, adding it when the table lacks it. A
// record the drawing had already is handed out only when `mayChange`; null then
// means "keep the drawing's".
template <class Table, class Record>
Record* openOrAdd(AcDbDatabase* db, const std::wstring& name, bool mayChange, std::vector<AcDbObjectId>& created,
                  bool& failed) {
    failed = false;
    Table* table = nullptr;
    if (db->getSymbolTable(table, AcDb::kForWrite) != Acad::eOk) {
        failed = true;
        return nullptr;
    }
    Record* rec = nullptr;
    AcDbObjectId id;
    if (table->getAt(name.c_str(), id) == Acad::eOk) {
        if (mayChange) acdbOpenObject(rec, id, AcDb::kForWrite);
        table->close();
        return rec;
    }
    rec = new Record();
    if (rec->setName(name.c_str()) != Acad::eOk || table->add(id, rec) != Acad::eOk) {
        delete rec;
        table->close();
        return nullptr; // a name the host does not allow: the caller counts it
    }
    created.push_back(id);
    table->close();
    return rec;
}

template <class Table>
AcDbObjectId lookUp(AcDbDatabase* db, const std::wstring& name) {
    Table* table = nullptr;
    AcDbObjectId id;
    if (name.empty() || db->getSymbolTable(table, AcDb::kForRead) != Acad::eOk) return id;
    table->getAt(name.c_str(), id);
    table->close();
    return id;
}

AcCmColor indexColor(int index) {
    AcCmColor c;
    c.setColorIndex(int16_t(index));
    return c;
}


// The dimension variables a DXF file leaves out have the format's defaults: parts
// in the dimension's colour and a point as decimal separator.
DimVars dxfDimDefaults() {
    DimVars v;
    v.dimclrd = v.dimclre = v.dimclrt = indexColor(0);
    v.dimdsep = L'.';
    return v;
}

} // namespace

// ---- names and handles -------------------------------------------------------------------

void DxfImporter::noteHandles() {
    for (const DxfRecord& r : m_doc.table(L"BLOCK_RECORD"))
        m_blockHandles[upperName(r.raw(5))] = m_doc.text(r.find(2));
    for (const DxfRecord& r : m_doc.table(L"STYLE")) m_styleHandles[upperName(r.raw(5))] = m_doc.text(r.find(2));
    for (const DxfRecord& r : m_doc.table(L"LTYPE")) m_linetypeHandles[upperName(r.raw(5))] = m_doc.text(r.find(2));
}

std::wstring DxfImporter::blockNameOfHandle(std::string_view h) const {
    auto it = m_blockHandles.find(upperName(h));
    return it == m_blockHandles.end() ? std::wstring() : it->second;
}

std::wstring DxfImporter::styleNameOfHandle(std::string_view h) const {
    auto it = m_styleHandles.find(upperName(h));
    return it == m_styleHandles.end() ? std::wstring() : it->second;
}

std::wstring DxfImporter::linetypeNameOfHandle(std::string_view h) const {
    auto it = m_linetypeHandles.find(upperName(h));
    return it == m_linetypeHandles.end() ? std::wstring() : it->second;
}

AcDbObjectId DxfImporter::layerId(const std::wstring& name) {
    AcDbObjectId id = lookUp<AcDbLayerTable>(m_db, name.empty() ? L"0" : name);
    if (!id.isNull()) return id;
    bool failed = false;
    auto* rec = openOrAdd<AcDbLayerTable, AcDbLayerTableRecord>(m_db, name, false, m_created, failed);
    if (!rec) {
        notImported(FormatW(L"layer name \"%s\" (on layer 0 instead)", name.c_str()));
        return m_db->layerZero();
    }
    id = rec->objectId();
    rec->close();
    ++m_report.layers;
    return id;
}

AcDbObjectId DxfImporter::linetypeId(const std::wstring& name) const { return lookUp<AcDbLinetypeTable>(m_db, name); }

AcDbObjectId DxfImporter::textStyleId(const std::wstring& name) const {
    const AcDbObjectId id = lookUp<AcDbTextStyleTable>(m_db, name);
    return id.isNull() ? m_db->textstyle() : id;
}

AcDbObjectId DxfImporter::arrowBlock(const std::wstring& name) const {
    const AcDbObjectId fromFile = blockId(name);
    if (!fromFile.isNull()) return fromFile;
    AcDbObjectId id;
    dimArrowBlockId(m_db, name.c_str(), id);
    return id;
}

AcDbObjectId DxfImporter::dimStyleId(const std::wstring& name) const {
    const AcDbObjectId id = lookUp<AcDbDimStyleTable>(m_db, name);
    return id.isNull() ? m_db->dimstyle() : id;
}

// ---- tables ----------------------------------------------------------------------------------

bool DxfImporter::importTables(std::wstring& error) {
    return importLinetypes(error) && importLayers(error) && importTextStyles(error);
}

bool DxfImporter::importLinetypes(std::wstring& error) {
    for (const DxfRecord& r : m_doc.table(L"LTYPE")) {
        const std::wstring name = m_doc.text(r.find(2));
        const std::wstring upper = upperName(name);
        if (name.empty() || upper == L"BYLAYER" || upper == L"BYBLOCK" || upper == L"CONTINUOUS") continue;
        bool failed = false;
        auto* rec = openOrAdd<AcDbLinetypeTable, AcDbLinetypeTableRecord>(m_db, name, m_fresh, m_created, failed);
        if (failed) {
            error = L"the drawing's linetypes cannot be changed";
            return false;
        }
        if (!rec) continue;
        rec->setComments(m_doc.text(r.find(3)).c_str());
        std::vector<double> dashes;
        for (const DxfGroup& g : r.groups)
            if (g.code == 49) dashes.push_back(g.number);
        rec->setNumDashes(int(dashes.size()));
        for (size_t i = 0; i < dashes.size(); ++i) rec->setDashLengthAt(int(i), dashes[i]);
        rec->close();
    }
    return true;
}

bool DxfImporter::importLayers(std::wstring& error) {
    for (const DxfRecord& r : m_doc.table(L"LAYER")) {
        const std::wstring name = m_doc.text(r.find(2));
        if (name.empty()) continue;
        bool failed = false;
        const bool known = !lookUp<AcDbLayerTable>(m_db, name).isNull();
        auto* rec = openOrAdd<AcDbLayerTable, AcDbLayerTableRecord>(m_db, name, m_fresh, m_created, failed);
        if (failed) {
            error = L"the drawing's layers cannot be changed";
            return false;
        }
        if (!rec) {
            if (!known) notImported(FormatW(L"layer name \"%s\" (on layer 0 instead)", name.c_str()));
            continue;
        }
        if (!known) ++m_report.layers;
        const int colour = r.integer(62, 7);
        const int index = std::abs(colour);
        AcCmColor c = indexColor(index >= 1 && index <= 255 ? index : 7);
        if (r.has(420)) c.setRGB(uint8_t(r.integer(420) >> 16), uint8_t(r.integer(420) >> 8), uint8_t(r.integer(420)));
        rec->setColor(c);
        rec->setIsOff(colour < 0);
        const int flags = r.integer(70);
        rec->setIsFrozen(flags & AcDb::kLayerFrozen);
        rec->setIsLocked(flags & AcDb::kLayerLocked);
        rec->setVPDFLT(flags & AcDb::kLayerFrozenInNewVp);
        const AcDbObjectId lt = linetypeId(m_doc.text(r.find(6)));
        if (!lt.isNull()) rec->setLinetypeObjectId(lt);
        if (r.has(370) && host::isLineWeight(r.integer(370))) rec->setLineWeight(AcDb::LineWeight(r.integer(370)));
        if (r.has(290)) rec->setIsPlottable(r.integer(290) != 0);
        rec->close();
    }
    return true;
}

bool DxfImporter::importTextStyles(std::wstring& error) {
    for (const DxfRecord& r : m_doc.table(L"STYLE")) {
        const std::wstring name = m_doc.text(r.find(2));
        const int flags = r.integer(70);
        if (name.empty() || (flags & 1)) continue; // shape files loaded for linetypes are no text styles
        bool failed = false;
        auto* rec = openOrAdd<AcDbTextStyleTable, AcDbTextStyleTableRecord>(m_db, name, m_fresh, m_created, failed);
        if (failed) {
            error = L"the drawing's text styles cannot be changed";
            return false;
        }
        if (!rec) continue;
        rec->setFileName(m_doc.text(r.find(3)).c_str());
        rec->setBigFontFileName(m_doc.text(r.find(4)).c_str());
        rec->setTextSize(std::max(0.0, r.real(40)));
        if (r.real(41, 1.0) > 0.0) rec->setXScale(r.real(41, 1.0));
        rec->setObliquingAngle(r.real(50) * kDegree);
        if (r.real(42) > 0.0) rec->setPriorSize(r.real(42));
        rec->setIsVertical(flags & 4);
        rec->setFlagBits(Adesk::UInt8(r.integer(71) & 6));
        // A TrueType face is named in the ACAD extended data.
        const std::span<const DxfGroup> acad = r.after(1001, "ACAD");
        if (!acad.empty() && acad[0].code == 1000) {
            const int style = acad.size() > 1 && acad[1].code == 1071 ? acad[1].integer() : 0;
            rec->setFont(m_doc.text(acad[0].text).c_str(), style & 0x2000000, style & 0x1000000, 0, 0);
        }
        rec->close();
    }
    return true;
}

bool DxfImporter::dimVarValue(int index, const DxfGroup& g, DimVarValue& out) const {
    const int code = dimVarInfo(index).dxfCode;
    switch (dimVarInfo(index).type) {
    case DimVarType::Real: out = g.number; return dxfTypeOf(g.code) == DxfType::Real;
    case DimVarType::Int: out = g.integer(); return dxfTypeOf(g.code) == DxfType::Int;
    case DimVarType::Bool: out = g.integer() != 0; return dxfTypeOf(g.code) != DxfType::Real;
    case DimVarType::Char: out = wchar_t(g.integer()); return g.integer() > 0 && g.integer() < 0x10000;
    case DimVarType::Color: out = indexColor(g.integer()); return g.integer() >= 0 && g.integer() <= 256;
    case DimVarType::LineWeight:
        if (!host::isLineWeight(g.integer())) return false;
        out = AcDb::LineWeight(g.integer());
        return true;
    case DimVarType::String: out = m_doc.text(g.text); return dxfTypeOf(g.code) == DxfType::String;
    case DimVarType::Id:
        if (dxfTypeOf(g.code) != DxfType::Handle) return false;
        if (code == 340) out = textStyleId(styleNameOfHandle(g.text));
        else if (code >= 345) out = linetypeId(linetypeNameOfHandle(g.text));
        else out = arrowBlock(blockNameOfHandle(g.text));
        return true;
    }
    return false;
}

bool DxfImporter::importDimStyles(std::wstring& error) {
    const bool r12 = !m_doc.version().empty() && m_doc.version() <= L"AC1009";
    for (const DxfRecord& r : m_doc.table(L"DIMSTYLE")) {
        const std::wstring name = m_doc.text(r.find(2));
        if (name.empty()) continue;
        bool failed = false;
        auto* rec = openOrAdd<AcDbDimStyleTable, AcDbDimStyleTableRecord>(m_db, name, m_fresh, m_created, failed);
        if (failed) {
            error = L"the drawing's dimension styles cannot be changed";
            return false;
        }
        if (!rec) continue;
        // A variable the record leaves out is the one the writer worked with, which
        // its header holds: minimal writers give "1.70" only through $DIMZIN there.
        DimVars v = dxfDimDefaults();
        overlayHeaderDimVars(v);
        for (const DxfGroup& g : r.groups) {
            if (g.code == 70 || g.code == 2 || g.code == 105 || g.code >= 1000) continue;
            if (r12 && (g.code == 5 || g.code == 6 || g.code == 7)) {
                const int index = g.code == 5 ? kDimVar_dimblk : g.code == 6 ? kDimVar_dimblk1 : kDimVar_dimblk2;
                const AcDbObjectId id = arrowBlock(m_doc.text(g.text));
                if (!id.isNull() || m_doc.text(g.text).empty()) v.set(index, id);
                continue;
            }
            const int index = dimVarIndexByDxfCode(g.code);
            DimVarValue value;
            if (index >= 0 && dimVarValue(index, g, value)) v.set(index, value);
        }
        applyDimVars(v, *rec);
        rec->close();
    }
    return true;
}

// ---- header -----------------------------------------------------------------------------------

void DxfImporter::importHeader() {
    if (!m_fresh) return; // a drawing with content keeps its settings
    auto var = [&](const wchar_t* name) { return m_doc.headerVar(name); };
    if (const DxfRecord* r = var(L"$INSUNITS")) {
        const int u = r->integer(70);
        if (u >= 0 && u <= AcDb::kUnitsMax) m_db->setInsunits(AcDb::UnitsValue(u));
    } else {
        m_db->setInsunits(AcDb::kUnitsUndefined); // an old file without units stays without them
    }
    importLimits();
    if (const DxfRecord* r = var(L"$MEASUREMENT")) m_db->setMeasurement(r->integer(70) ? AcDb::kMetric : AcDb::kEnglish);
    if (const DxfRecord* r = var(L"$LTSCALE"); r && r->real(40) > 0.0) m_db->setLtscale(r->real(40));
    if (const DxfRecord* r = var(L"$CELTSCALE"); r && r->real(40) > 0.0) m_db->setCeltscale(r->real(40));
    if (const DxfRecord* r = var(L"$TEXTSIZE"); r && r->real(40) > 0.0) m_db->setTextsize(r->real(40));
    if (const DxfRecord* r = var(L"$DIMSCALE"); r && r->real(40) > 0.0) m_db->setDimscale(r->real(40));
    if (const DxfRecord* r = var(L"$LUNITS")) m_db->setLunits(Adesk::Int16(r->integer(70)));
    if (const DxfRecord* r = var(L"$LUPREC")) m_db->setLuprec(Adesk::Int16(r->integer(70)));
    if (const DxfRecord* r = var(L"$AUNITS")) m_db->setAunits(Adesk::Int16(r->integer(70)));
    if (const DxfRecord* r = var(L"$AUPREC")) m_db->setAuprec(Adesk::Int16(r->integer(70)));
    if (const DxfRecord* r = var(L"$CLAYER")) {
        const AcDbObjectId id = lookUp<AcDbLayerTable>(m_db, m_doc.text(r->find(8)));
        if (!id.isNull()) m_db->setClayer(id);
    }
    if (const DxfRecord* r = var(L"$TEXTSTYLE")) {
        const AcDbObjectId id = lookUp<AcDbTextStyleTable>(m_db, m_doc.text(r->find(7)));
        if (!id.isNull()) m_db->setTextstyle(id);
    }
    if (const DxfRecord* r = var(L"$DIMSTYLE")) {
        const AcDbObjectId id = lookUp<AcDbDimStyleTable>(m_db, m_doc.text(r->find(2)));
        if (!id.isNull()) m_db->setDimstyle(id);
    }
    if (m_doc.table(L"DIMSTYLE").empty()) importHeaderDimVars();
}

void DxfImporter::importLimits() {
    const std::pair<const wchar_t*, Acad::ErrorStatus (AcDbDatabase::*)(const AcGePoint2d&)> limits[] = {
        {L"$LIMMIN", &AcDbDatabase::setLimmin},
        {L"$LIMMAX", &AcDbDatabase::setLimmax},
        {L"$PLIMMIN", &AcDbDatabase::setPlimmin},
        {L"$PLIMMAX", &AcDbDatabase::setPlimmax}};
    for (const auto& [name, set] : limits) {
        const DxfRecord* r = m_doc.headerVar(name);
        if (!r || !r->has(10) || !r->has(20)) continue;
        const AcGePoint3d p = r->point(10);
        (m_db->*set)(AcGePoint2d(p.x, p.y)); // refuses what is not finite
    }
}

// A file without dimension styles (old or minimal writers) keeps its dimension
// variables in the header only: they become the current style's.
void DxfImporter::importHeaderDimVars() {
    AcDbDimStyleTableRecord* style = nullptr;
    if (acdbOpenObject(style, m_db->dimstyle(), AcDb::kForWrite) != Acad::eOk) return;
    DimVars v = dimVarsOf(*style);
    overlayHeaderDimVars(v);
    applyDimVars(v, *style);
    style->close();
}

void DxfImporter::overlayHeaderDimVars(DimVars& v) const {
    for (int i = 0; i < kDimVarCount; ++i) {
        const DimVarInfo& info = dimVarInfo(i);
        const DxfRecord* r = info.dxfName[0] ? m_doc.headerVar(std::wstring(L"$") + info.dxfName) : nullptr;
        if (!r || r->groups.empty()) continue;
        const DxfGroup& g = r->groups.front();
        DimVarValue value;
        if (info.type == DimVarType::Id) {
            const std::wstring name = m_doc.text(g.text);
            if (i == kDimVar_dimtxsty) v.set(i, textStyleId(name));
            else if (i == kDimVar_dimblk || i == kDimVar_dimblk1 || i == kDimVar_dimblk2 || i == kDimVar_dimldrblk)
                v.set(i, arrowBlock(name));
        } else if (dimVarValue(i, g, value)) {
            v.set(i, value);
        }
    }
}

} // namespace host::dxf
