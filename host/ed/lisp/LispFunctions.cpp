#include "host/ed/lisp/LispFunctions.h"

#include "host/ed/commands/AcEdCommandStack.h"
#include "host/rx/AcRxDLinkerReactor.h"
#include "host/rx/AcRxDynamicLinker.h"
#include "host/win/WinCrt.h"

#include <map>
#include <memory>

namespace {

struct Defined {
    std::wstring name; // as defined
    int code;
    std::wstring module;
};

struct Frame {
    int code;
    std::vector<host::LispValue> args;
    std::vector<resbuf> argBufs;
    std::vector<std::vector<wchar_t>> argStrings;
    std::vector<host::LispValue> result;
};

struct LispState {
    std::map<std::wstring, Defined> functions;                   // by upper-case name
    std::map<std::pair<std::wstring, int>, int (*)()> handlers; // by (module, code)
    std::vector<std::unique_ptr<Frame>> calls;
};

// A module's functions and handlers go with it.
class ModuleWatcher : public AcRxDLinkerReactor {
public:
    void rxAppUnloaded(const wchar_t* moduleName) override {
        if (moduleName) host::lispFunctions().forgetModule(moduleName);
    }
};

LispState& state() {
    static LispState* s = [] {
        static ModuleWatcher watcher;
        acrxDynamicLinker->addReactor(&watcher);
        return new LispState;
    }();
    return *s;
}

Frame* currentCall() { return state().calls.empty() ? nullptr : state().calls.back().get(); }

int setResult(std::vector<host::LispValue> values) {
    Frame* f = currentCall();
    if (!f) return RTERROR;
    f->result = std::move(values);
    return RTNORM;
}

host::LispValue value(short type) {
    host::LispValue v;
    v.type = type;
    return v;
}

// Builds the host-owned argument list the running function reads with acedGetArgs.
void buildArgBuffers(Frame& f) {
    f.argBufs.assign(f.args.size(), resbuf{});
    f.argStrings.clear();
    f.argStrings.reserve(f.args.size());
    for (size_t i = 0; i < f.args.size(); ++i) {
        const host::LispValue& a = f.args[i];
        resbuf& rb = f.argBufs[i];
        rb.restype = a.type;
        rb.rbnext = i + 1 < f.args.size() ? &f.argBufs[i + 1] : nullptr;
        switch (a.type) {
        case RTSHORT: rb.resval.rint = static_cast<short>(a.integer); break;
        case RTLONG: rb.resval.rlong = static_cast<int32_t>(a.integer); break;
        case RTREAL:
        case RTANG:
        case RTORINT: rb.resval.rreal = a.real; break;
        case RTPOINT:
        case RT3DPOINT:
            for (int k = 0; k < 3; ++k) rb.resval.rpoint[k] = a.point[k];
            break;
        case RTENAME:
        case RTPICKS:
            rb.resval.rlname[0] = a.name[0];
            rb.resval.rlname[1] = a.name[1];
            break;
        case RTSTR:
            f.argStrings.emplace_back(a.text.begin(), a.text.end());
            f.argStrings.back().push_back(L'\0');
            rb.resval.rstring = f.argStrings.back().data();
            break;
        default: break;
        }
    }
}

bool validName(const wchar_t* name) { return host::isValidCommandName(name); }

} // namespace

namespace host {

std::vector<LispValue> lispValuesFromResbuf(const resbuf* rb) {
    std::vector<LispValue> out;
    for (; rb; rb = rb->rbnext) {
        LispValue v = value(rb->restype);
        switch (rb->restype) {
        case RTSHORT: v.integer = rb->resval.rint; break;
        case RTLONG: v.integer = rb->resval.rlong; break;
        case RTINT64: v.integer = rb->resval.mnInt64; break;
        case RTREAL:
        case RTANG:
        case RTORINT: v.real = rb->resval.rreal; break;
        case RTPOINT:
        case RT3DPOINT:
            for (int k = 0; k < 3; ++k) v.point[k] = rb->resval.rpoint[k];
            if (rb->restype == RTPOINT) v.point[2] = 0.0;
            break;
        case RTENAME:
        case RTPICKS:
            v.name[0] = rb->resval.rlname[0];
            v.name[1] = rb->resval.rlname[1];
            break;
        case RTSTR: v.text = rb->resval.rstring ? rb->resval.rstring : L""; break;
        default: break;
        }
        out.push_back(std::move(v));
    }
    return out;
}

bool LispFunctions::isDefined(const std::wstring& name) const { return state().functions.count(host::toUpperCase(name)) != 0; }

std::wstring LispFunctions::definingModule(const std::wstring& name) const {
    auto it = state().functions.find(host::toUpperCase(name));
    return it == state().functions.end() ? std::wstring() : it->second.module;
}

std::vector<std::wstring> LispFunctions::names() const {
    std::vector<std::wstring> out;
    for (const auto& [key, f] : state().functions) out.push_back(f.name);
    return out;
}

LispResult LispFunctions::invoke(const std::wstring& name, const std::vector<LispValue>& args) {
    LispResult r;
    auto it = state().functions.find(host::toUpperCase(name));
    if (it == state().functions.end()) return r;
    const Defined fn = it->second; // a copy: the function may undefine itself
    if (!acrxDynamicLinker->isModuleLoaded(fn.module.c_str())) return r;

    auto frame = std::make_unique<Frame>();
    frame->code = fn.code;
    frame->args = args;
    buildArgBuffers(*frame);
    frame->result = {value(RTNIL)};
    state().calls.push_back(std::move(frame));

    bool ok = false;
    try {
        auto h = state().handlers.find({fn.module, fn.code});
        if (h != state().handlers.end() && h->second) {
            host::ModuleContextScope scope(fn.module.c_str());
            const int rc = h->second();
            ok = rc == RSRSLT || rc == RTNORM;
        } else {
            ok = acrxDynamicLinker->sendModuleMessage(fn.module.c_str(), AcRx::kInvkSubrMsg, nullptr) ==
                 AcRx::kRetOK;
        }
    } catch (...) {
        ok = false; // a failing function is an AutoLISP error, not the host's end
    }
    r.values = std::move(state().calls.back()->result);
    state().calls.pop_back();
    r.status = ok ? RTNORM : RTERROR;
    return r;
}

void LispFunctions::forgetModule(const std::wstring& module) {
    auto& fs = state().functions;
    for (auto it = fs.begin(); it != fs.end();)
        it = it->second.module == module ? fs.erase(it) : std::next(it);
    auto& hs = state().handlers;
    for (auto it = hs.begin(); it != hs.end();)
        it = it->first.first == module ? hs.erase(it) : std::next(it);
}

LispFunctions& lispFunctions() {
    static LispFunctions f;
    return f;
}

} // namespace host

int acedDefun(const wchar_t* pszName, int nFuncNum) {
    const wchar_t* module = acrxDynamicLinker->currentModule();
    if (!module || !validName(pszName) || nFuncNum < 0) return RTERROR;
    // Defining a name again replaces it, as defun does.
    state().functions[host::toUpperCase(pszName)] = Defined{pszName, nFuncNum, module};
    return RTNORM;
}

int acedUndef(const wchar_t* sname, int nFuncNum) {
    const wchar_t* module = acrxDynamicLinker->currentModule();
    if (!module || !sname) return RTERROR;
    auto it = state().functions.find(host::toUpperCase(sname));
    if (it == state().functions.end() || it->second.code != nFuncNum || it->second.module != module) return RTERROR;
    state().functions.erase(it);
    return RTNORM;
}

int acedRegFunc(int (*fhdl)(), int fcode) {
    const wchar_t* module = acrxDynamicLinker->currentModule();
    if (!module || fcode < 0) return RTERROR;
    if (fhdl)
        state().handlers[{module, fcode}] = fhdl;
    else
        state().handlers.erase({module, fcode});
    return RTNORM;
}

int acedGetFunCode() {
    const Frame* f = currentCall();
    return f ? f->code : RTERROR;
}

resbuf* acedGetArgs() {
    Frame* f = currentCall();
    return f && !f->argBufs.empty() ? f->argBufs.data() : nullptr;
}

int acedRetVoid() { return setResult({value(RTVOID)}); }
int acedRetNil() { return setResult({value(RTNIL)}); }
int acedRetT() { return setResult({value(RTT)}); }

int acedRetInt(int ival) {
    host::LispValue v = value(RTLONG);
    v.integer = ival;
    return setResult({v});
}

int acedRetReal(ads_real rval) {
    host::LispValue v = value(RTREAL);
    v.real = rval;
    return setResult({v});
}

int acedRetStr(const wchar_t* s) {
    host::LispValue v = value(RTSTR);
    v.text = s ? s : L"";
    return setResult({v});
}

int acedRetPoint(const ads_point pt) {
    if (!pt) return RTERROR;
    host::LispValue v = value(RT3DPOINT);
    for (int k = 0; k < 3; ++k) v.point[k] = pt[k];
    return setResult({v});
}

int acedRetName(const ads_name aname, int type) {
    if (!aname || (type != RTENAME && type != RTPICKS)) return RTERROR;
    host::LispValue v = value(static_cast<short>(type));
    v.name[0] = aname[0];
    v.name[1] = aname[1];
    return setResult({v});
}

int acedRetList(const resbuf* rbuf) {
    std::vector<host::LispValue> values = host::lispValuesFromResbuf(rbuf);
    if (values.empty()) return setResult({value(RTNIL)});
    values.insert(values.begin(), value(RTLB));
    values.push_back(value(RTLE));
    return setResult(std::move(values));
}

int acedRetVal(const resbuf* rbuf) {
    if (!rbuf) return RTERROR;
    resbuf one = *rbuf;
    one.rbnext = nullptr; // a single value, not the rest of the caller's list
    return setResult(host::lispValuesFromResbuf(&one));
}
