#include "host/ed/input/EditorInput.h"

#include "host/ed/DrawingView.h"
#include "host/ed/input/HostInput.h"
#include "host/ed/input/InputParse.h"
#include "host/ed/SysVars.h"
#include "host/ed/Ucs.h"
#include "host/win/Transcript.h"

#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace {

struct InitGet {
    int flags = 0;
    std::vector<host::Keyword> keywords;
};

InitGet& pendingInit() {
    static InitGet init;
    return init;
}

std::wstring& lastKeyword() {
    static std::wstring kw;
    return kw;
}

// acedInitGet applies to one input function: take it and clear it.
InitGet takeInit() {
    InitGet init = std::move(pendingInit());
    pendingInit() = InitGet{};
    return init;
}

host::Point3 lastPoint() {
    std::optional<host::VarValue> v = host::sysVars().get(L"LASTPOINT");
    if (!v) return {0, 0, 0};
    return {v->point[0], v->point[1], v->point[2]};
}

void setLastPoint(const host::Point3& p) {
    host::sysVars().set(L"LASTPOINT", host::VarValue::ofPoint(p[0], p[1], p[2]));
}

// Checks the acedInitGet bits that limit a number; empty when the value is fine.
std::wstring numberProblem(double v, int flags) {
    const bool noZero = (flags & RSG_NOZERO) != 0, noNeg = (flags & RSG_NONEG) != 0;
    if ((noZero && v == 0.0) || (noNeg && v < 0.0)) {
        if (noZero && noNeg) return L"\nValue must be positive and nonzero.";
        return noZero ? L"\nValue must be nonzero." : L"\nValue must be positive.";
    }
    return {};
}

// Returns true with the value accepted; else sets `problem` (may stay empty: the
// caller's general message is used).
using Parse = std::function<bool(const std::wstring& text, std::wstring& problem)>;

// The loop every input function shares: prompt, read, check, explain, ask again.
int ask(const wchar_t* prompt, const InitGet& init, const wchar_t* nullMessage, const wchar_t* invalidMessage,
        const Parse& parse) {
    for (;;) {
        host::hostInput().prompt(prompt ? prompt : L"");
        const host::InputItem item = host::hostInput().readAnswer();
        if (item.kind == host::InputKind::Cancel || item.kind == host::InputKind::End) return RTCAN;
        if (item.kind == host::InputKind::Enter) {
            if (!(init.flags & RSG_NONULL)) return RTNONE;
            host::transcriptWrite(nullMessage);
            continue;
        }
        if (std::optional<std::wstring> kw = host::matchKeyword(init.keywords, item.text)) {
            lastKeyword() = *kw;
            return RTKWORD;
        }
        std::wstring problem;
        if (parse(item.text, problem)) return RTNORM;
        if (problem.empty() && (init.flags & RSG_OTHER)) {
            lastKeyword() = item.text;
            return RTKWORD;
        }
        host::transcriptWrite(problem.empty() ? std::wstring(invalidMessage) : problem);
    }
}

int copyOut(const std::wstring& text, wchar_t* result, size_t bufLen) {
    if (!result || bufLen == 0) return RTERROR;
    const size_t n = std::min(text.size(), bufLen - 1);
    text.copy(result, n);
    result[n] = L'\0';
    return n < text.size() ? RTINPUTTRUNCATED : RTNORM;
}

// The host's classic string buffer: 132 characters and the terminator.
constexpr size_t kDefaultBuffer = 133;

} // namespace

int acedUsrBrk() { return host::hostInput().takeUserBreak() ? 1 : 0; }

int acedInitGet(int val, const wchar_t* kwl) {
    pendingInit().flags = val;
    pendingInit().keywords = kwl ? host::parseKeywordList(kwl) : std::vector<host::Keyword>{};
    return RTNORM;
}

int acedGetInput(wchar_t* str, size_t bufLen) {
    if (lastKeyword().empty()) return RTERROR;
    return copyOut(lastKeyword(), str, bufLen);
}

int acedGetInput(wchar_t* str) { return acedGetInput(str, kDefaultBuffer); }

int acedGetPoint(const ads_point pt, const wchar_t* prompt, ads_point result) {
    const InitGet init = takeInit();
    if (!result) return RTERROR;
    host::Point3 p{};
    const int rc = ask(prompt, init, L"\nPoint or option keyword required.", L"\nPoint or option keyword required.",
                       [&](const std::wstring& text, std::wstring&) {
                           std::optional<host::Point3> q = host::parsePoint(text, lastPoint());
                           if (q) p = *q;
                           return q.has_value();
                       });
    if (rc == RTNORM) {
        for (int i = 0; i < 3; ++i) result[i] = p[i];
        setLastPoint(p);
        // A point answer is a click in the drawing window: message filters see it.
        host::sendPickMessages(host::ucsToWorld(AcGePoint3d(p[0], p[1], p[2])));
    }
    return rc;
}

int acedGetReal(const wchar_t* prompt, ads_real* result) {
    const InitGet init = takeInit();
    if (!result) return RTERROR;
    double v = 0.0;
    const int rc = ask(prompt, init, L"\nRequires numeric value.", L"\nRequires numeric value.",
                       [&](const std::wstring& text, std::wstring& problem) {
                           std::optional<double> d = host::parseReal(text);
                           if (!d) return false;
                           problem = numberProblem(*d, init.flags);
                           v = *d;
                           return problem.empty();
                       });
    if (rc == RTNORM) *result = v;
    return rc;
}

int acedGetInt(const wchar_t* prompt, int* result) {
    const InitGet init = takeInit();
    if (!result) return RTERROR;
    int v = 0;
    const int rc = ask(prompt, init, L"\nRequires an integer value.", L"\nRequires an integer value.",
                       [&](const std::wstring& text, std::wstring& problem) {
                           std::optional<int> i = host::parseInt(text);
                           if (!i) return false;
                           problem = numberProblem(*i, init.flags);
                           v = *i;
                           return problem.empty();
                       });
    if (rc == RTNORM) *result = v;
    return rc;
}

int acedGetDist(const ads_point pt, const wchar_t* prompt, ads_real* result) {
    const InitGet init = takeInit();
    if (!result) return RTERROR;
    double v = 0.0;
    std::optional<host::Point3> picked;
    const int rc = ask(prompt, init, L"\nRequires numeric distance or two points.",
                       L"\nRequires numeric distance or two points.", [&](const std::wstring& text, std::wstring& problem) {
                           if (std::optional<double> d = host::parseReal(text)) {
                               problem = numberProblem(*d, init.flags);
                               v = *d;
                               return problem.empty();
                           }
                           picked = host::parsePoint(text, lastPoint());
                           return picked.has_value();
                       });
    if (rc != RTNORM) return rc;
    if (picked) {
        host::Point3 base{0, 0, 0};
        if (pt) {
            base = {pt[0], pt[1], pt[2]};
        } else {
            // One point is not a distance: ask for the other end.
            ads_point first = {(*picked)[0], (*picked)[1], (*picked)[2]}, second;
            setLastPoint(*picked);
            const int rc2 = acedGetPoint(first, L"\nSecond point: ", second);
            if (rc2 != RTNORM) return rc2 == RTNONE ? RTNONE : rc2;
            base = *picked;
            picked = host::Point3{second[0], second[1], second[2]};
        }
        v = std::sqrt(std::pow((*picked)[0] - base[0], 2) + std::pow((*picked)[1] - base[1], 2) +
                      std::pow((*picked)[2] - base[2], 2));
        setLastPoint(*picked);
    }
    *result = v;
    return RTNORM;
}

int acedGetString(int cronly, const wchar_t* prompt, wchar_t* result, size_t bufLen) {
    takeInit(); // keywords do not apply to free text
    if (!result || bufLen == 0) return RTERROR;
    host::hostInput().prompt(prompt ? prompt : L"");
    const host::InputItem item = host::hostInput().readAnswer();
    if (item.kind == host::InputKind::Cancel || item.kind == host::InputKind::End) return RTCAN;
    return copyOut(item.kind == host::InputKind::Text ? item.text : std::wstring(), result, bufLen);
}

int acedGetString(int cronly, const wchar_t* prompt, wchar_t* result) {
    return acedGetString(cronly, prompt, result, kDefaultBuffer);
}

int acedGetKword(const wchar_t* prompt, wchar_t* result, size_t bufLen) {
    const InitGet init = takeInit();
    if (!result || bufLen == 0) return RTERROR;
    std::wstring other;
    const int rc = ask(prompt, init, L"\nInvalid option keyword.", L"\nInvalid option keyword.",
                       [&](const std::wstring& text, std::wstring&) {
                           if (!(init.flags & RSG_OTHER)) return false;
                           other = text;
                           return true;
                       });
    if (rc == RTKWORD) return copyOut(lastKeyword(), result, bufLen);
    if (rc == RTNORM) return copyOut(other, result, bufLen);
    if (rc == RTNONE) result[0] = L'\0';
    return rc;
}

int acedGetKword(const wchar_t* prompt, wchar_t* result) { return acedGetKword(prompt, result, kDefaultBuffer); }
