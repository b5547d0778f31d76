#include "host/ed/SysVars.h"

#include "host/ed/AcEditorReactor.h"
#include "host/rx/acutString.h"
#include "host/win/WinCrt.h"

#include <cmath>
#include <limits>

namespace host {

VarValue VarValue::ofShort(short v) {
    VarValue r;
    r.type = RTSHORT;
    r.integer = v;
    return r;
}
VarValue VarValue::ofLong(int32_t v) {
    VarValue r;
    r.type = RTLONG;
    r.integer = v;
    return r;
}
VarValue VarValue::ofReal(double v) {
    VarValue r;
    r.type = RTREAL;
    r.real = v;
    return r;
}
VarValue VarValue::ofString(std::wstring v) {
    VarValue r;
    r.type = RTSTR;
    r.text = std::move(v);
    return r;
}
VarValue VarValue::ofPoint(double x, double y, double z) {
    VarValue r;
    r.type = RT3DPOINT;
    r.point[0] = x;
    r.point[1] = y;
    r.point[2] = z;
    return r;
}

SysVars::SysVars() {
    // The variables a fresh drawing session starts with; owners may take them over.
    defineStored(L"CMDNAMES", VarValue::ofString(L""), true);
    defineStored(L"ACADVER", VarValue::ofString(L"19.1"), true);
    defineStored(L"DWGNAME", VarValue::ofString(L"Drawing1.dwg"), true);
    defineStored(L"SDI", VarValue::ofShort(0));
    defineStored(L"TILEMODE", VarValue::ofShort(1));
    defineStored(L"CVPORT", VarValue::ofShort(2));
    defineStored(L"CLAYER", VarValue::ofString(L"0"));
    defineStored(L"CANNOSCALE", VarValue::ofString(L"1:1"));
    defineStored(L"DIMSCALE", VarValue::ofReal(1.0));
    defineStored(L"DIMSTYLE", VarValue::ofString(L"Standard"), true);
    defineStored(L"TEXTSTYLE", VarValue::ofString(L"Standard"));
    defineStored(L"LTSCALE", VarValue::ofReal(1.0));
    defineStored(L"INSUNITS", VarValue::ofShort(4));
    defineStored(L"MEASUREMENT", VarValue::ofShort(1));
    defineStored(L"LUNITS", VarValue::ofShort(2));
    defineStored(L"LUPREC", VarValue::ofShort(4));
    defineStored(L"AUNITS", VarValue::ofShort(0));
    defineStored(L"AUPREC", VarValue::ofShort(0));
    defineStored(L"ANGBASE", VarValue::ofReal(0.0));
    defineStored(L"ANGDIR", VarValue::ofShort(0));
    defineStored(L"PICKBOX", VarValue::ofShort(3));
    defineStored(L"PICKFIRST", VarValue::ofShort(1));
    defineStored(L"OSMODE", VarValue::ofShort(0));
    defineStored(L"ORTHOMODE", VarValue::ofShort(0));
    defineStored(L"CMDECHO", VarValue::ofShort(1));
    defineStored(L"FILEDIA", VarValue::ofShort(1));
    defineStored(L"LASTPOINT", VarValue::ofPoint(0, 0, 0));
}

std::wstring SysVars::key(const std::wstring& name) {
    return host::toUpperCase(name);
}

void SysVars::defineStored(const std::wstring& name, VarValue initial, bool readOnly) {
    m_vars[key(name)] = Var{std::move(initial), readOnly, nullptr, nullptr};
}

void SysVars::define(const std::wstring& name, Getter get, Setter set) {
    Var v;
    v.get = std::move(get);
    v.set = std::move(set);
    v.readOnly = !v.set;
    m_vars[key(name)] = std::move(v);
}

void SysVars::undefine(const std::wstring& name) { m_vars.erase(key(name)); }

bool SysVars::isDefined(const std::wstring& name) const { return m_vars.count(key(name)) != 0; }

std::optional<VarValue> SysVars::get(const std::wstring& name) const {
    auto it = m_vars.find(key(name));
    if (it == m_vars.end()) return std::nullopt;
    return it->second.get ? it->second.get() : it->second.value;
}

int SysVars::set(const std::wstring& name, const VarValue& value) {
    auto it = m_vars.find(key(name));
    if (it == m_vars.end()) return RTERROR;
    Var& v = it->second;
    if (v.readOnly) return RTREJ;
    const VarValue current = v.get ? v.get() : v.value;
    std::optional<VarValue> coerced = coerceVarValue(value, current.type);
    if (!coerced) return RTREJ;
    const std::wstring upper = key(name);
    acedEditor->fire([&](AcEditorReactor* r) { r->sysVarWillChange(upper.c_str()); });
    bool ok = true;
    if (v.set)
        ok = v.set(*coerced);
    else
        v.value = *coerced;
    acedEditor->fire([&](AcEditorReactor* r) { r->sysVarChanged(upper.c_str(), ok); });
    return ok ? RTNORM : RTREJ;
}

void SysVars::setStored(const std::wstring& name, const VarValue& value) {
    Var& v = m_vars[key(name)];
    if (!v.get) v.value = value;
}

SysVars& sysVars() {
    static SysVars vars;
    return vars;
}

std::optional<VarValue> varValueFromResbuf(const resbuf& rb) {
    switch (rb.restype) {
    case RTSHORT: return VarValue::ofShort(rb.resval.rint);
    case RTLONG: return VarValue::ofLong(rb.resval.rlong);
    case RTREAL:
    case RTANG:
    case RTORINT: return VarValue::ofReal(rb.resval.rreal);
    case RTSTR: return rb.resval.rstring ? std::optional(VarValue::ofString(rb.resval.rstring)) : std::nullopt;
    case RTPOINT: {
        VarValue v = VarValue::ofPoint(rb.resval.rpoint[0], rb.resval.rpoint[1], 0.0);
        v.type = RTPOINT;
        return v;
    }
    case RT3DPOINT: return VarValue::ofPoint(rb.resval.rpoint[0], rb.resval.rpoint[1], rb.resval.rpoint[2]);
    default: return std::nullopt;
    }
}

std::optional<VarValue> coerceVarValue(const VarValue& value, short targetType) {
    const bool isInt = value.type == RTSHORT || value.type == RTLONG;
    switch (targetType) {
    case RTSHORT:
        if (!isInt || value.integer < std::numeric_limits<short>::min() ||
            value.integer > std::numeric_limits<short>::max())
            return std::nullopt;
        return VarValue::ofShort(static_cast<short>(value.integer));
    case RTLONG:
        if (!isInt) return std::nullopt;
        return VarValue::ofLong(value.integer);
    case RTREAL:
        if (isInt) return VarValue::ofReal(value.integer);
        if (value.type != RTREAL || !std::isfinite(value.real)) return std::nullopt;
        return value;
    case RTSTR:
        if (value.type != RTSTR) return std::nullopt;
        return value;
    case RTPOINT:
    case RT3DPOINT:
        if (value.type != RTPOINT && value.type != RT3DPOINT) return std::nullopt;
        for (double d : value.point)
            if (!std::isfinite(d)) return std::nullopt;
        {
            VarValue v = value;
            v.type = targetType;
            if (targetType == RTPOINT) v.point[2] = 0.0;
            return v;
        }
    default: return std::nullopt;
    }
}

} // namespace host

int acedGetVar(const wchar_t* sym, resbuf* result) {
    if (!sym || !result) return RTERROR;
    std::optional<host::VarValue> v = host::sysVars().get(sym);
    if (!v) return RTERROR;
    result->restype = v->type;
    switch (v->type) {
    case RTSHORT: result->resval.rint = static_cast<short>(v->integer); break;
    case RTLONG: result->resval.rlong = v->integer; break;
    case RTREAL: result->resval.rreal = v->real; break;
    case RTSTR:
        if (acutNewString(v->text.c_str(), result->resval.rstring) != Acad::eOk) return RTERROR;
        break;
    case RTPOINT:
    case RT3DPOINT:
        for (int i = 0; i < 3; ++i) result->resval.rpoint[i] = v->point[i];
        break;
    default: return RTERROR;
    }
    return RTNORM;
}

int acedSetVar(const wchar_t* sym, const resbuf* val) {
    if (!sym || !val) return RTERROR;
    if (!host::sysVars().isDefined(sym)) return RTERROR;
    std::optional<host::VarValue> v = host::varValueFromResbuf(*val);
    if (!v) return RTREJ;
    return host::sysVars().set(sym, *v);
}
