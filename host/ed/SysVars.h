#pragma once
// The host variables (CMDNAMES, CLAYER, DIMSCALE ...) behind acedGetVar/acedSetVar.
// A variable is either stored here with its value, or computed by whoever owns it
// (the command line computes CMDNAMES; the database can answer CLAYER). Other parts
// of the host add or take over variables with define().
#include "host/rx/adscodes.h"
#include "host/rx/adsdef.h"

#include <functional>
#include <map>
#include <optional>
#include <string>

// RTNORM; RTERROR for an unknown name or a null argument. A string result is
// allocated for the caller, who frees it with acutDelString (or free()).
int acedGetVar(const wchar_t* sym, struct resbuf* result);
// RTNORM; RTERROR for an unknown name, RTREJ for a read-only variable or a value of
// the wrong kind or range. A rejected value changes nothing.
int acedSetVar(const wchar_t* sym, const struct resbuf* val);

namespace host {

// One value: `type` is RTSHORT, RTLONG, RTREAL, RTSTR, RTPOINT or RT3DPOINT.
struct VarValue {
    short type = RTNONE;
    double real = 0.0;
    double point[3] = {0.0, 0.0, 0.0};
    int32_t integer = 0;
    std::wstring text;

    static VarValue ofShort(short v);
    static VarValue ofLong(int32_t v);
    static VarValue ofReal(double v);
    static VarValue ofString(std::wstring v);
    static VarValue ofPoint(double x, double y, double z);
};

class SysVars {
public:
    using Getter = std::function<VarValue()>;
    // Returns false to refuse a value (it must change nothing then).
    using Setter = std::function<bool(const VarValue&)>;

    SysVars();
    // A variable kept here; `readOnly` ones are changed by the host only (setStored).
    void defineStored(const std::wstring& name, VarValue initial, bool readOnly = false);
    // A variable computed by its owner; no setter makes it read-only.
    void define(const std::wstring& name, Getter get, Setter set = nullptr);
    void undefine(const std::wstring& name);

    bool isDefined(const std::wstring& name) const;
    std::optional<VarValue> get(const std::wstring& name) const;
    // RTNORM, RTERROR (unknown) or RTREJ (read-only, wrong kind, refused).
    int set(const std::wstring& name, const VarValue& value);
    // The host's own write, also for read-only stored variables.
    void setStored(const std::wstring& name, const VarValue& value);

private:
    struct Var {
        VarValue value;
        bool readOnly = false;
        Getter get;
        Setter set;
    };
    static std::wstring key(const std::wstring& name);
    std::map<std::wstring, Var> m_vars;
};

SysVars& sysVars();

// The value of a resbuf as a variable value; nullopt for kinds variables do not take.
std::optional<VarValue> varValueFromResbuf(const struct resbuf& rb);
// Converts `value` to the kind of `current` (a short from a long that fits, a real
// from an integer); nullopt when it cannot be.
std::optional<VarValue> coerceVarValue(const VarValue& value, short targetType);

} // namespace host
