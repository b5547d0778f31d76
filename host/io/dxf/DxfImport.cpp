#include "host/io/dxf/DxfImport.h"

#include "host/db/entities/AcDbBlockReference.h"
#include "host/db/tables/AcDbBlockTable.h"
#include "host/db/tables/AcDbBlockTableRecord.h"
#include "host/db/database/AcDbDatabase.h"
#include "host/db/entities/AcDbEntity.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/io/dxf/DxfImporter.h"
#include "host/win/FileBytes.h"
#include "host/win/FormatW.h"
#include "host/win/WinCrt.h"

#include <algorithm>
#include <cwctype>

namespace host::dxf {

namespace {

// A DXF file is text; anything bigger than this is not a plan (and would not fit).
constexpr size_t kMaxDxfBytes = size_t(1) << 30;

bool isLayoutBlock(const std::wstring& upper) {
    return upper == L"*MODEL_SPACE" || upper == L"*PAPER_SPACE" || upper == L"$MODEL_SPACE"
           || upper == L"$PAPER_SPACE";
}

// Further layouts ("*Paper_Space0" ...) have no place in this host's drawing.
bool isOtherLayoutBlock(const std::wstring& upper) {
    return upper.rfind(L"*PAPER_SPACE", 0) == 0 && !isLayoutBlock(upper);
}

bool hasContent(AcDbDatabase* db) {
    for (AcDbObjectId space : {db->modelSpaceId(), db->paperSpaceId()}) {
        const auto* block =
            space.isValid() ? AcDbBlockTableRecord::cast(static_cast<AcDbStub*>(space)->object) : nullptr;
        if (!block) continue;
        for (AcDbObjectId id : block->entityIds())
            if (!id.isErased()) return true;
    }
    return false;
}

std::wstring countList(const std::map<std::wstring, size_t>& counts) {
    std::wstring out;
    for (const auto& [type, n] : counts) {
        if (n == 0) continue;
        if (!out.empty()) out += L", ";
        out += FormatW(L"%zu %s", n, type.c_str());
    }
    return out;
}

} // namespace

std::wstring upperName(const std::wstring& name) { return toUpperCase(name); }

std::wstring upperName(std::string_view ascii) {
    std::wstring u;
    for (char c : ascii)
        if (c != ' ' && c != '\t') u += wchar_t(std::towupper(static_cast<unsigned char>(c)));
    return u;
}

std::wstring DxfImportReport::importedLine() const {
    std::wstring list = countList(imported);
    if (list.empty()) list = L"no entities";
    return FormatW(L"DXF import (%s): %s; %zu blocks, %zu layers", version.empty() ? L"no version" : version.c_str(),
                   list.c_str(), blocks, layers);
}

std::wstring DxfImportReport::notImportedLine() const {
    const std::wstring list = countList(notImported);
    return list.empty() ? std::wstring() : FormatW(L"DXF import: %s not imported", list.c_str());
}

bool importDxf(std::string bytes, AcDbDatabase* db, DxfImportReport& report, std::wstring& error) {
    report = DxfImportReport();
    if (!db) {
        error = L"there is no drawing to import into";
        return false;
    }
    DxfDocument doc;
    if (!doc.parse(std::move(bytes), error)) return false;
    report.version = doc.version();
    DxfImporter importer(doc, db, report);
    if (!importer.run(error)) {
        const std::wstring version = report.version;
        report = DxfImportReport();
        report.version = version;
        return false;
    }
    return true;
}

bool importDxfFile(const std::string& path, AcDbDatabase* db, DxfImportReport& report, std::wstring& error) {
    std::string bytes;
    switch (readFileBytes(path, bytes, kMaxDxfBytes)) {
    case ReadResult::Ok:
        return importDxf(std::move(bytes), db, report, error);
    case ReadResult::Missing:
        error = L"the file does not exist";
        return false;
    case ReadResult::NotAFile:
        error = L"this is no file";
        return false;
    case ReadResult::TooLarge:
        error = L"the file is too large for a drawing";
        return false;
    default:
        error = L"the file cannot be read";
        return false;
    }
}

// ---- the import ----------------------------------------------------------------------------

DxfImporter::DxfImporter(const DxfDocument& doc, AcDbDatabase* db, DxfImportReport& report)
    : m_doc(doc), m_db(db), m_report(report) {}

bool DxfImporter::run(std::wstring& error) {
    m_fresh = !hasContent(m_db);
    noteHandles();
    const bool ok = importTables(error) && createBlocks(error) && importDimStyles(error) && fillBlocks(error)
                    && importEntities(error);
    if (!ok) {
        rollBack();
        return false;
    }
    linkAnnotations();
    importHeader();
    return true;
}

void DxfImporter::rollBack() {
    for (auto it = m_created.rbegin(); it != m_created.rend(); ++it) {
        AcDbObject* obj = nullptr;
        if (acdbOpenAcDbObject(obj, *it, AcDb::kForWrite) != Acad::eOk) continue;
        obj->erase();
        obj->close();
    }
    m_created.clear();
}

AcDbObjectId DxfImporter::blockId(const std::wstring& name) const {
    auto it = m_blocks.find(upperName(name));
    return it == m_blocks.end() ? AcDbObjectId() : it->second;
}

bool DxfImporter::createBlocks(std::wstring& error) {
    AcDbBlockTable* table = nullptr;
    Acad::ErrorStatus es = m_db->getBlockTable(table, AcDb::kForWrite);
    if (es != Acad::eOk) {
        error = L"the drawing's block table cannot be changed";
        return false;
    }
    for (const DxfBlock& b : m_doc.blocks()) {
        std::wstring name = m_doc.text(b.begin.find(2));
        if (name.empty()) name = m_doc.text(b.begin.find(3));
        const std::wstring upper = upperName(name);
        if (name.empty() || isLayoutBlock(upper) || isOtherLayoutBlock(upper) || m_blocks.count(upper)) continue;
        const bool anonymous = name[0] == L'*';
        AcDbObjectId existing;
        if (!anonymous && table->getAt(name.c_str(), existing) == Acad::eOk) {
            m_blocks[upper] = existing; // the drawing's own definition stays
            continue;
        }
        auto* rec = new AcDbBlockTableRecord();
        // Anonymous names are numbered afresh so that they never meet the drawing's own.
        std::wstring newName = name;
        for (unsigned n = 1; anonymous && table->has(newName.c_str()); ++n)
            newName = name.substr(0, 2) + std::to_wstring(n);
        if (rec->setName(newName.c_str()) != Acad::eOk) {
            delete rec;
            notImported(FormatW(L"block \"%s\" (name not allowed)", name.c_str()));
            continue;
        }
        rec->setOrigin(b.begin.point(10));
        // An external reference keeps its path; what the file holds of it comes in as
        // the block's entities, as the other program last read it.
        const int flags = b.begin.integer(70);
        if (flags & 4) {
            const std::wstring path = m_doc.text(b.begin.find(1));
            rec->setPathName(path.empty() ? name.c_str() : path.c_str());
            rec->setIsFromOverlayReference((flags & 8) != 0);
        }
        AcDbObjectId id;
        if ((es = table->add(id, rec)) != Acad::eOk) {
            delete rec;
            table->close();
            error = FormatW(L"the block \"%s\" cannot be added to the drawing", name.c_str());
            return false;
        }
        rec->close();
        m_created.push_back(id);
        m_blocks[upper] = id;
        ++m_report.blocks;
    }
    table->close();
    return true;
}

bool DxfImporter::fillBlocks(std::wstring& error) {
    for (const DxfBlock& b : m_doc.blocks()) {
        std::wstring name = m_doc.text(b.begin.find(2));
        const std::wstring upper = upperName(name);
        if (isOtherLayoutBlock(upper)) {
            for (const DxfEntity& e : b.entities) notImported(e.record.type + L" (in another layout)");
            continue;
        }
        const AcDbObjectId id = blockId(name);
        // Only blocks made by this import are filled; the drawing's own stay as they are.
        if (id.isNull() || std::find(m_created.begin(), m_created.end(), id) == m_created.end()) continue;
        AcDbBlockTableRecord* block = nullptr;
        if (acdbOpenObject(block, id, AcDb::kForWrite) != Acad::eOk) {
            error = FormatW(L"the block \"%s\" cannot be filled", name.c_str());
            return false;
        }
        for (const DxfEntity& e : b.entities) {
            if (!append(block, e, false, error)) {
                block->close();
                return false;
            }
        }
        block->close();
    }
    return true;
}

bool DxfImporter::importEntities(std::wstring& error) {
    AcDbBlockTableRecord* model = nullptr;
    AcDbBlockTableRecord* paper = nullptr;
    if (acdbOpenObject(model, m_db->modelSpaceId(), AcDb::kForWrite) != Acad::eOk) {
        error = L"the drawing's model space cannot be changed";
        return false;
    }
    acdbOpenObject(paper, m_db->paperSpaceId(), AcDb::kForWrite);
    bool ok = true;
    for (const DxfEntity& e : m_doc.entities()) {
        AcDbBlockTableRecord* space = e.record.integer(67) == 1 && paper ? paper : model;
        if (!(ok = append(space, e, true, error))) break;
    }
    model->close();
    if (paper) paper->close();
    return ok;
}

bool DxfImporter::append(AcDbBlockTableRecord* block, const DxfEntity& e, bool count, std::wstring& error) {
    std::wstring skipped;
    AcDbEntity* ent = makeEntity(e, skipped);
    if (!ent) {
        notImported(skipped.empty() ? e.record.type : skipped);
        return true;
    }
    AcDbObjectId id;
    if (block->appendAcDbEntity(id, ent) != Acad::eOk) {
        delete ent;
        error = FormatW(L"line %zu: the %s cannot be added to the drawing", e.record.line, e.record.type.c_str());
        return false;
    }
    m_created.push_back(id);
    const std::string_view handle = e.record.raw(5);
    if (!handle.empty()) m_entityHandles[upperName(handle)] = id;
    const std::string_view link = e.record.type == L"LEADER" ? e.record.raw(340) : std::string_view();
    if (!link.empty() && link != "0") m_annotationLinks.emplace_back(id, upperName(link));
    applyXData(ent, e.record);
    keepDimensionBlock(ent);
    const auto* ref = AcDbBlockReference::cast(ent);
    const size_t attributes = ref ? size_t(ref->attributeCount()) : 0;
    ent->close();
    if (count) ++m_report.imported[e.record.type];
    if (count && attributes) m_report.imported[L"ATTRIB"] += attributes;
    return true;
}

} // namespace host::dxf
