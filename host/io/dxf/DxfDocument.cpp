#include "host/io/dxf/DxfDocument.h"

#include "host/win/FormatW.h"

#include <cwctype>

namespace host::dxf {

namespace {

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// Record types and names are ASCII words; compared in capitals.
std::wstring upperWord(std::string_view s) {
    std::wstring w;
    for (char c : trimmed(s)) w += wchar_t(std::towupper(static_cast<unsigned char>(c)));
    return w;
}

bool isChildOf(const std::wstring& parent, const std::wstring& child) {
    if (parent == L"POLYLINE") return child == L"VERTEX";
    if (parent == L"INSERT") return child == L"ATTRIB";
    return false;
}

} // namespace

// ---- records ------------------------------------------------------------------------

const DxfGroup* DxfRecord::find(int code) const {
    for (const DxfGroup& g : groups)
        if (g.code == code) return &g;
    return nullptr;
}

double DxfRecord::real(int code, double fallback) const {
    const DxfGroup* g = find(code);
    return g ? g->number : fallback;
}

int DxfRecord::integer(int code, int fallback) const {
    const DxfGroup* g = find(code);
    return g ? g->integer() : fallback;
}

std::string_view DxfRecord::raw(int code) const {
    const DxfGroup* g = find(code);
    return g ? g->text : std::string_view();
}

AcGePoint3d DxfRecord::point(int xCode, const AcGePoint3d& fallback) const {
    if (!has(xCode) && !has(xCode + 10)) return fallback;
    return {real(xCode), real(xCode + 10), real(xCode + 20)};
}

AcGeVector3d DxfRecord::normal() const {
    const AcGeVector3d n(real(210, 0.0), real(220, 0.0), real(230, 1.0));
    return n.isZeroLength() ? AcGeVector3d::kZAxis : n.normal();
}

std::span<const DxfGroup> DxfRecord::after(int code, std::string_view value) const {
    for (size_t i = 0; i < groups.size(); ++i)
        if (groups[i].code == code && trimmed(groups[i].text) == value) return groups.subspan(i + 1);
    return {};
}

// ---- the document ----------------------------------------------------------------------

const DxfRecord* DxfDocument::headerVar(const std::wstring& name) const {
    auto it = m_header.find(name);
    return it == m_header.end() ? nullptr : &it->second;
}

const std::vector<DxfRecord>& DxfDocument::table(const std::wstring& name) const {
    static const std::vector<DxfRecord> none;
    auto it = m_tables.find(name);
    return it == m_tables.end() ? none : it->second;
}

bool DxfDocument::parse(std::string bytes, std::wstring& error) {
    m_bytes = std::move(bytes);
    const DxfFormat format = detectDxfFormat(m_bytes);
    if (format == DxfFormat::Binary) {
        error = L"this is a binary DXF file; only ASCII DXF is read (save it as ASCII DXF)";
        return false;
    }
    if (format == DxfFormat::NotDxf) {
        error = m_bytes.substr(0, 4) == "AC10" || m_bytes.substr(0, 4) == "AC1."
                    ? L"this is a DWG drawing file, not DXF"
                    : L"line 1: this is no DXF file (it does not start with a group code 0)";
        return false;
    }
    if (!readDxfGroups(m_bytes, m_groups, error)) return false;
    return parseSections(error);
}

std::vector<DxfRecord> DxfDocument::recordsOf(size_t begin, size_t end) const {
    std::vector<DxfRecord> out;
    for (size_t i = begin; i < end;) {
        size_t j = i + 1;
        while (j < end && m_groups[j].code != 0) ++j;
        out.push_back({upperWord(m_groups[i].text), std::span<const DxfGroup>(m_groups).subspan(i + 1, j - i - 1),
                       m_groups[i].line});
        i = j;
    }
    return out;
}

bool DxfDocument::parseSections(std::wstring& error) {
    const size_t n = m_groups.size();
    size_t i = 0;
    while (i < n) {
        const DxfGroup& g = m_groups[i];
        const std::wstring word = upperWord(g.text);
        if (g.code != 0 || (word != L"SECTION" && word != L"EOF")) {
            error = FormatW(L"line %zu: a section was expected here", g.line);
            return false;
        }
        if (word == L"EOF") break;
        if (i + 1 >= n || m_groups[i + 1].code != 2) {
            error = FormatW(L"line %zu: the section has no name", g.line);
            return false;
        }
        const std::wstring name = upperWord(m_groups[i + 1].text);
        size_t end = i + 2;
        while (end < n && !(m_groups[end].code == 0 && upperWord(m_groups[end].text) == L"ENDSEC")) {
            if (m_groups[end].code == 0 && upperWord(m_groups[end].text) == L"EOF") break;
            ++end;
        }
        if (end >= n || m_groups[end].code != 0 || upperWord(m_groups[end].text) != L"ENDSEC") {
            error = FormatW(L"line %zu: the section %s does not end (no ENDSEC): the file is cut short", g.line,
                            name.c_str());
            return false;
        }
        size_t body = i + 2;
        bool ok = true;
        if (name == L"HEADER") {
            ok = parseHeader(body, end, error);
        } else if (name == L"TABLES") {
            ok = parseTables(recordsOf(body, end), error);
        } else if (name == L"BLOCKS") {
            ok = parseBlocks(recordsOf(body, end), error);
        } else if (name == L"ENTITIES") {
            const std::vector<DxfRecord> records = recordsOf(body, end);
            size_t k = 0;
            ok = groupEntities(records, k, records.size(), m_entities, error);
        }
        if (!ok) return false;
        i = end + 1;
    }
    const DxfRecord* ver = headerVar(L"$ACADVER");
    m_version = ver ? text(ver->raw(1)) : L"";
    const DxfRecord* cp = headerVar(L"$DWGCODEPAGE");
    m_encoding = dxfEncodingFor(m_version, cp ? text(cp->raw(3)) : L"");
    return true;
}

bool DxfDocument::parseHeader(size_t& i, size_t end, std::wstring& error) {
    while (i < end) {
        const DxfGroup& g = m_groups[i];
        if (g.code != 9) {
            error = FormatW(L"line %zu: a header variable (group 9) was expected here", g.line);
            return false;
        }
        size_t j = i + 1;
        while (j < end && m_groups[j].code != 9) ++j;
        const std::wstring name = upperWord(g.text);
        m_header.emplace(name, DxfRecord{name, std::span<const DxfGroup>(m_groups).subspan(i + 1, j - i - 1), g.line});
        i = j;
    }
    return true;
}

bool DxfDocument::parseTables(const std::vector<DxfRecord>& records, std::wstring& error) {
    for (size_t i = 0; i < records.size();) {
        const DxfRecord& r = records[i];
        if (r.type != L"TABLE") {
            error = FormatW(L"line %zu: a table was expected here, not %s", r.line, r.type.c_str());
            return false;
        }
        const std::wstring name = upperWord(r.raw(2));
        size_t j = i + 1;
        std::vector<DxfRecord>& entries = m_tables[name];
        while (j < records.size() && records[j].type != L"ENDTAB") {
            if (records[j].type == L"TABLE") break;
            entries.push_back(records[j++]);
        }
        if (j >= records.size() || records[j].type != L"ENDTAB") {
            error = FormatW(L"line %zu: the table %s does not end (no ENDTAB)", r.line, name.c_str());
            return false;
        }
        i = j + 1;
    }
    return true;
}

bool DxfDocument::parseBlocks(const std::vector<DxfRecord>& records, std::wstring& error) {
    for (size_t i = 0; i < records.size();) {
        const DxfRecord& r = records[i];
        if (r.type != L"BLOCK") {
            error = FormatW(L"line %zu: a block definition was expected here, not %s", r.line, r.type.c_str());
            return false;
        }
        size_t end = i + 1;
        while (end < records.size() && records[end].type != L"ENDBLK" && records[end].type != L"BLOCK") ++end;
        if (end >= records.size() || records[end].type != L"ENDBLK") {
            error = FormatW(L"line %zu: the block definition does not end (no ENDBLK)", r.line);
            return false;
        }
        DxfBlock block{r, {}};
        size_t k = i + 1;
        if (!groupEntities(records, k, end, block.entities, error)) return false;
        m_blocks.push_back(std::move(block));
        i = end + 1;
    }
    return true;
}

bool DxfDocument::groupEntities(const std::vector<DxfRecord>& records, size_t& i, size_t end,
                                std::vector<DxfEntity>& out, std::wstring& error) const {
    while (i < end) {
        const DxfRecord& r = records[i];
        if (r.type == L"VERTEX" || r.type == L"SEQEND" || r.type == L"ATTRIB") {
            error = FormatW(L"line %zu: %s stands alone, without the entity it belongs to", r.line, r.type.c_str());
            return false;
        }
        DxfEntity e{r, {}};
        ++i;
        const bool hasChildren = r.type == L"POLYLINE" || (r.type == L"INSERT" && r.integer(66) == 1);
        if (hasChildren) {
            while (i < end && isChildOf(r.type, records[i].type)) e.children.push_back(records[i++]);
            if (i < end && records[i].type == L"SEQEND") {
                ++i;
            } else if (r.type == L"POLYLINE") {
                error = FormatW(L"line %zu: the POLYLINE's vertices do not end (no SEQEND)", r.line);
                return false;
            }
        }
        out.push_back(std::move(e));
    }
    return true;
}

} // namespace host::dxf
