#include "host/db/dimensions/AcDbDimensionVars.h"

#include "host/db/filing/AcDbDwgFiler.h"
#include "host/db/database/LineWeights.h"

#include <array>
#include <cmath>
#include <cwctype>

namespace host {

namespace {

template <class T> constexpr DimVarType typeOf();
template <> constexpr DimVarType typeOf<double>() { return DimVarType::Real; }
template <> constexpr DimVarType typeOf<int>() { return DimVarType::Int; }
template <> constexpr DimVarType typeOf<bool>() { return DimVarType::Bool; }
template <> constexpr DimVarType typeOf<wchar_t>() { return DimVarType::Char; }
template <> constexpr DimVarType typeOf<AcDbObjectId>() { return DimVarType::Id; }
template <> constexpr DimVarType typeOf<AcCmColor>() { return DimVarType::Color; }
template <> constexpr DimVarType typeOf<AcDb::LineWeight>() { return DimVarType::LineWeight; }

// The exchange names and codes; the style's variables that are not listed here have none.
struct Exchange {
    const wchar_t* name;
    const wchar_t* dxfName;
    int code;
};
constexpr Exchange kExchange[] = {
    {L"dimpost", L"DIMPOST", 3},      {L"dimapost", L"DIMAPOST", 4},  {L"dimscale", L"DIMSCALE", 40},
    {L"dimasz", L"DIMASZ", 41},       {L"dimexo", L"DIMEXO", 42},     {L"dimdli", L"DIMDLI", 43},
    {L"dimexe", L"DIMEXE", 44},       {L"dimrnd", L"DIMRND", 45},     {L"dimdle", L"DIMDLE", 46},
    {L"dimtp", L"DIMTP", 47},         {L"dimtm", L"DIMTM", 48},       {L"dimfxlen", L"DIMFXL", 49},
    {L"dimtxt", L"DIMTXT", 140},      {L"dimcen", L"DIMCEN", 141},    {L"dimtsz", L"DIMTSZ", 142},
    {L"dimaltf", L"DIMALTF", 143},    {L"dimlfac", L"DIMLFAC", 144},  {L"dimtvp", L"DIMTVP", 145},
    {L"dimtfac", L"DIMTFAC", 146},    {L"dimgap", L"DIMGAP", 147},    {L"dimaltrnd", L"DIMALTRND", 148},
    {L"dimtfill", L"DIMTFILL", 69},   {L"dimtfillclr", L"DIMTFILLCLR", 70},
    {L"dimtol", L"DIMTOL", 71},       {L"dimlim", L"DIMLIM", 72},     {L"dimtih", L"DIMTIH", 73},
    {L"dimtoh", L"DIMTOH", 74},       {L"dimse1", L"DIMSE1", 75},     {L"dimse2", L"DIMSE2", 76},
    {L"dimtad", L"DIMTAD", 77},       {L"dimzin", L"DIMZIN", 78},     {L"dimazin", L"DIMAZIN", 79},
    {L"dimarcsym", L"DIMARCSYM", 90}, {L"dimalt", L"DIMALT", 170},    {L"dimaltd", L"DIMALTD", 171},
    {L"dimtofl", L"DIMTOFL", 172},    {L"dimsah", L"DIMSAH", 173},    {L"dimtix", L"DIMTIX", 174},
    {L"dimsoxd", L"DIMSOXD", 175},    {L"dimclrd", L"DIMCLRD", 176},  {L"dimclre", L"DIMCLRE", 177},
    {L"dimclrt", L"DIMCLRT", 178},    {L"dimadec", L"DIMADEC", 179},  {L"dimdec", L"DIMDEC", 271},
    {L"dimtdec", L"DIMTDEC", 272},    {L"dimaltu", L"DIMALTU", 273},  {L"dimalttd", L"DIMALTTD", 274},
    {L"dimaunit", L"DIMAUNIT", 275},  {L"dimfrac", L"DIMFRAC", 276},  {L"dimlunit", L"DIMLUNIT", 277},
    {L"dimdsep", L"DIMDSEP", 278},    {L"dimtmove", L"DIMTMOVE", 279}, {L"dimjust", L"DIMJUST", 280},
    {L"dimsd1", L"DIMSD1", 281},      {L"dimsd2", L"DIMSD2", 282},    {L"dimtolj", L"DIMTOLJ", 283},
    {L"dimtzin", L"DIMTZIN", 284},    {L"dimaltz", L"DIMALTZ", 285},  {L"dimupt", L"DIMUPT", 288},
    {L"dimatfit", L"DIMATFIT", 289},  {L"dimfxlenOn", L"DIMFXLON", 290},
    {L"dimtxsty", L"DIMTXSTY", 340},  {L"dimldrblk", L"DIMLDRBLK", 341}, {L"dimblk", L"DIMBLK", 342},
    {L"dimblk1", L"DIMBLK1", 343},    {L"dimblk2", L"DIMBLK2", 344},  {L"dimltype", L"DIMLTYPE", 345},
    {L"dimltex1", L"DIMLTEX1", 346},  {L"dimltex2", L"DIMLTEX2", 347}, {L"dimlwd", L"DIMLWD", 371},
    {L"dimlwe", L"DIMLWE", 372},
};

bool sameName(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::towlower(a[i]) != std::towlower(b[i])) return false;
    return true;
}

std::array<DimVarInfo, kDimVarCount> buildInfo() {
    std::array<DimVarInfo, kDimVarCount> info{};
    int i = 0;
#define LINTARO_DIMVAR_INFO(TYPE, GET, SET, DEFAULT) info[size_t(i++)] = {L## #GET, L"", typeOf<TYPE>(), 0};
    LINTARO_DIMSTYLE_VARS(LINTARO_DIMVAR_INFO)
#undef LINTARO_DIMVAR_INFO
    info[kDimVar_dimpost] = {L"dimpost", L"", DimVarType::String, 0};
    info[kDimVar_dimapost] = {L"dimapost", L"", DimVarType::String, 0};
    for (DimVarInfo& v : info) {
        for (const Exchange& e : kExchange) {
            if (sameName(v.name, e.name)) {
                v.dxfName = e.dxfName;
                v.dxfCode = e.code;
            }
        }
    }
    return info;
}

const std::array<DimVarInfo, kDimVarCount>& allInfo() {
    static const std::array<DimVarInfo, kDimVarCount> info = buildInfo();
    return info;
}

bool acceptable(const DimVarValue& value) {
    if (const double* d = std::get_if<double>(&value)) return std::isfinite(*d);
    if (const wchar_t* c = std::get_if<wchar_t>(&value)) return *c != 0;
    return true;
}

void fileValue(AcDbDwgFiler* f, const DimVarValue& v) {
    switch (DimVarType(v.index())) {
    case DimVarType::Real: f->writeDouble(std::get<double>(v)); break;
    case DimVarType::Int: f->writeInt32(std::get<int>(v)); break;
    case DimVarType::Bool: f->writeBoolean(std::get<bool>(v)); break;
    case DimVarType::Char: f->writeUInt16(Adesk::UInt16(std::get<wchar_t>(v))); break;
    case DimVarType::Id: f->writeHardPointerId(std::get<AcDbObjectId>(v)); break;
    case DimVarType::Color: std::get<AcCmColor>(v).dwgOut(f); break;
    case DimVarType::LineWeight: f->writeInt16(Adesk::Int16(std::get<AcDb::LineWeight>(v))); break;
    case DimVarType::String: f->writeString(std::get<std::wstring>(v)); break;
    }
}

DimVarValue readValue(AcDbDwgFiler* f, DimVarType type) {
    switch (type) {
    case DimVarType::Real: { double d = 0; f->readDouble(&d); return d; }
    case DimVarType::Int: { Adesk::Int32 i = 0; f->readInt32(&i); return int(i); }
    case DimVarType::Bool: { bool b = false; f->readBoolean(&b); return b; }
    case DimVarType::Char: { Adesk::UInt16 c = 0; f->readUInt16(&c); return wchar_t(c); }
    case DimVarType::Id: { AcDbHardPointerId id; f->readHardPointerId(&id); return AcDbObjectId(id); }
    case DimVarType::Color: { AcCmColor c; c.dwgIn(f); return c; }
    case DimVarType::LineWeight: {
        Adesk::Int16 w = 0;
        f->readInt16(&w);
        if (host::isLineWeight(w)) return AcDb::LineWeight(w);
        if (f->filerStatus() == Acad::eOk) f->setFilerStatus(Acad::eInvalidInput);
        return AcDb::kLnWtByLayer;
    }
    case DimVarType::String: { std::wstring s; f->readString(s); return s; }
    }
    return 0.0;
}

} // namespace

DimVarValue DimVars::get(int index) const {
    switch (index) {
#define LINTARO_DIMVAR_GET(TYPE, GET, SET, DEFAULT) \
    case kDimVar_##GET: return GET;
        LINTARO_DIMSTYLE_VARS(LINTARO_DIMVAR_GET)
#undef LINTARO_DIMVAR_GET
    case kDimVar_dimpost: return dimpost;
    case kDimVar_dimapost: return dimapost;
    default: return 0.0;
    }
}

bool DimVars::set(int index, const DimVarValue& value) {
    if (index < 0 || index >= kDimVarCount || int(value.index()) != int(allInfo()[size_t(index)].type)) return false;
    if (!acceptable(value)) return false;
    switch (index) {
#define LINTARO_DIMVAR_PUT(TYPE, GET, SET, DEFAULT) \
    case kDimVar_##GET: GET = std::get<TYPE>(value); return true;
        LINTARO_DIMSTYLE_VARS(LINTARO_DIMVAR_PUT)
#undef LINTARO_DIMVAR_PUT
    case kDimVar_dimpost: dimpost = std::get<std::wstring>(value); return true;
    case kDimVar_dimapost: dimapost = std::get<std::wstring>(value); return true;
    default: return false;
    }
}

DimVars dimVarsOf(const AcDbDimStyleTableRecord& record) {
    DimVars v;
#define LINTARO_DIMVAR_FROM(TYPE, GET, SET, DEFAULT) v.GET = record.GET();
    LINTARO_DIMSTYLE_VARS(LINTARO_DIMVAR_FROM)
#undef LINTARO_DIMVAR_FROM
    v.dimpost = record.dimpost();
    v.dimapost = record.dimapost();
    return v;
}

void applyDimVars(const DimVars& vars, AcDbDimStyleTableRecord& record) {
#define LINTARO_DIMVAR_TO(TYPE, GET, SET, DEFAULT) record.SET(vars.GET);
    LINTARO_DIMSTYLE_VARS(LINTARO_DIMVAR_TO)
#undef LINTARO_DIMVAR_TO
    record.setDimpost(vars.dimpost.c_str());
    record.setDimapost(vars.dimapost.c_str());
}

const DimVarInfo& dimVarInfo(int index) {
    static const DimVarInfo none{L"", L"", DimVarType::Real, 0};
    return index >= 0 && index < kDimVarCount ? allInfo()[size_t(index)] : none;
}

int dimVarIndexByName(std::wstring_view name) {
    if (!name.empty() && name.front() == L'$') name.remove_prefix(1);
    const auto& info = allInfo();
    for (size_t i = 0; i < info.size(); ++i)
        if (sameName(name, info[i].name) || (info[i].dxfName[0] && sameName(name, info[i].dxfName))) return int(i);
    return -1;
}

int dimVarIndexByDxfCode(int code) {
    if (code == 0) return -1;
    const auto& info = allInfo();
    for (size_t i = 0; i < info.size(); ++i)
        if (info[i].dxfCode == code) return int(i);
    return -1;
}

// ---- overrides -----------------------------------------------------------------------

std::vector<int> DimVarOverrides::indices() const {
    std::vector<int> out;
    for (int i = 0; i < kDimVarCount; ++i)
        if (m_set.test(size_t(i))) out.push_back(i);
    return out;
}

bool DimVarOverrides::set(int index, const DimVarValue& value) {
    if (!m_values.set(index, value)) return false;
    m_set.set(size_t(index));
    return true;
}

void DimVarOverrides::clear(int index) {
    if (index >= 0 && index < kDimVarCount) m_set.reset(size_t(index));
}

DimVars DimVarOverrides::applyTo(DimVars base) const {
    for (int i = 0; i < kDimVarCount; ++i)
        if (m_set.test(size_t(i))) base.set(i, m_values.get(i));
    return base;
}

void DimVarOverrides::dwgOut(AcDbDwgFiler* filer) const {
    const std::vector<int> list = indices();
    filer->writeInt16(Adesk::Int16(list.size()));
    for (int i : list) {
        filer->writeString(dimVarInfo(i).name);
        fileValue(filer, m_values.get(i));
    }
}

Acad::ErrorStatus DimVarOverrides::dwgIn(AcDbDwgFiler* filer) {
    Adesk::Int16 count = 0;
    filer->readInt16(&count);
    if (filer->filerStatus() != Acad::eOk) return filer->filerStatus();
    if (count < 0 || count > kDimVarCount) {
        filer->setFilerStatus(Acad::eInvalidInput);
        return Acad::eInvalidInput;
    }
    DimVarOverrides read;
    for (int n = 0; n < count; ++n) {
        std::wstring name;
        filer->readString(name);
        if (filer->filerStatus() != Acad::eOk) return filer->filerStatus();
        const int index = dimVarIndexByName(name);
        if (index < 0 || !sameName(name, dimVarInfo(index).name)) {
            filer->setFilerStatus(Acad::eInvalidInput);
            return Acad::eInvalidInput;
        }
        DimVarValue value = readValue(filer, dimVarInfo(index).type);
        if (filer->filerStatus() != Acad::eOk) return filer->filerStatus();
        if (!read.set(index, value)) {
            filer->setFilerStatus(Acad::eInvalidInput);
            return Acad::eInvalidInput;
        }
    }
    *this = read;
    return Acad::eOk;
}

bool DimVarOverrides::operator==(const DimVarOverrides& other) const {
    if (m_set != other.m_set) return false;
    for (int i : indices())
        if (m_values.get(i) != other.m_values.get(i)) return false;
    return true;
}

} // namespace host
