#pragma once
// AutoLISP functions that modules define. A module names a function with acedDefun
// and a code of its own; when the function is called, the host either calls the
// handler the module registered for that code (acedRegFunc) or sends the module
// kInvkSubrMsg, where it asks acedGetFunCode() which one is meant. A function whose
// name begins with "C:" is also a command of the rest of the name.
#include "host/rx/adscodes.h"
#include "host/rx/adsdef.h"

#include <string>
#include <vector>

// All return RTNORM, or RTERROR: outside a module's context (acedDefun, acedUndef,
// acedRegFunc), for a bad name or code, for a function not defined by this module
// (acedUndef), or outside a function call (acedGetFunCode, acedRet*).
int acedDefun(const wchar_t* pszName, int nFuncNum);
int acedUndef(const wchar_t* sname, int nFuncNum);
int acedRegFunc(int (*fhdl)(), int fcode);
int acedGetFunCode();
// The arguments of the running call; owned by the host, valid during the call.
struct resbuf* acedGetArgs();

int acedRetVoid();
int acedRetNil();
int acedRetT();
int acedRetInt(int ival);
int acedRetReal(ads_real rval);
int acedRetStr(const wchar_t* s);
int acedRetPoint(const ads_point pt);
int acedRetName(const ads_name aname, int type);
// Copies the list; the caller keeps its own.
int acedRetList(const struct resbuf* rbuf);
int acedRetVal(const struct resbuf* rbuf);

namespace host {

// One value of a call's arguments or result.
struct LispValue {
    short type = RTNIL; // RTNIL, RTT, RTVOID, RTSHORT, RTLONG, RTREAL, RTSTR, RTPOINT, RT3DPOINT, RTENAME, RTLB, RTLE, RTDOTE
    double real = 0.0;
    double point[3] = {0.0, 0.0, 0.0};
    int64_t integer = 0;
    LONG_PTR name[2] = {0, 0};
    std::wstring text;
};

struct LispResult {
    // RTNORM when the function ran and succeeded; RTERROR when it is not defined,
    // its module is gone, its handler failed (RSERR) or threw.
    int status = RTERROR;
    // What the function returned through acedRet*; a single RTNIL when it set nothing.
    std::vector<LispValue> values;
};

class LispFunctions {
public:
    bool isDefined(const std::wstring& name) const;
    // The module that defined the function; empty when it is not defined.
    std::wstring definingModule(const std::wstring& name) const;
    std::vector<std::wstring> names() const;
    // Calls the function with a copy of `args` (may be empty).
    LispResult invoke(const std::wstring& name, const std::vector<LispValue>& args = {});
    // Forgets every function and handler of a module (it was unloaded).
    void forgetModule(const std::wstring& module);
};

LispFunctions& lispFunctions();

std::vector<LispValue> lispValuesFromResbuf(const struct resbuf* rb);

} // namespace host
