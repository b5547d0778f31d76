#include "host/ed/lisp/LispExpression.h"

#include "host/ed/input/HostInput.h"
#include "host/ed/input/InputParse.h"
#include "host/rx/adscodes.h"
#include "host/win/FormatW.h"
#include "host/win/Transcript.h"
#include "host/win/WinCrt.h"

#include <cwctype>
#include <limits>

namespace host {

namespace {

class Reader {
public:
    explicit Reader(const std::wstring& text) : m_text(text) {}

    void skipBlanks() {
        while (m_pos < m_text.size() && std::iswspace(m_text[m_pos]))
            ++m_pos;
    }
    bool atEnd() const { return m_pos >= m_text.size(); }
    wchar_t peek() const { return atEnd() ? L'\0' : m_text[m_pos]; }
    void next() { ++m_pos; }

    // A word up to a blank or a parenthesis.
    std::wstring word() {
        const size_t start = m_pos;
        while (!atEnd() && !std::iswspace(peek()) && peek() != L'(' && peek() != L')' && peek() != L'"')
            next();
        return m_text.substr(start, m_pos - start);
    }

    // A string after its opening quote; false when it is not closed.
    bool string(std::wstring& out) {
        while (!atEnd()) {
            wchar_t c = peek();
            next();
            if (c == L'"') return true;
            if (c == L'\\' && !atEnd()) {
                c = peek();
                next();
                if (c == L'n') c = L'\n';
            }
            out.push_back(c);
        }
        return false;
    }

private:
    const std::wstring& m_text;
    size_t m_pos = 0;
};

std::optional<LispValue> atom(const std::wstring& w) {
    LispValue v;
    const std::wstring u = host::toUpperCase(w);
    if (u == L"NIL") return v; // RTNIL
    if (u == L"T") {
        v.type = RTT;
        return v;
    }
    const std::optional<double> number = parseReal(w);
    if (!number) return std::nullopt;
    if (w.find_first_of(L".eE") == std::wstring::npos && *number >= std::numeric_limits<int32_t>::min() &&
        *number <= std::numeric_limits<int32_t>::max()) {
        v.type = (*number >= -32768 && *number <= 32767) ? RTSHORT : RTLONG;
        v.integer = static_cast<int64_t>(*number);
    } else {
        v.type = RTREAL;
        v.real = *number;
    }
    return v;
}

std::wstring shown(const LispValue& v) {
    switch (v.type) {
    case RTNIL:
        return L"nil";
    case RTT:
        return L"T";
    case RTSHORT:
    case RTLONG:
        return FormatW(L"%lld", static_cast<long long>(v.integer));
    case RTREAL:
        return FormatW(L"%g", v.real);
    case RTSTR:
        return L"\"" + v.text + L"\"";
    case RTPOINT:
    case RT3DPOINT:
        return FormatW(L"(%g %g %g)", v.point[0], v.point[1], v.point[2]);
    default:
        return std::wstring();
    }
}

} // namespace

bool isLispExpression(const std::wstring& text) {
    const std::wstring t = trimmed(text);
    return !t.empty() && t[0] == L'(';
}

std::optional<LispCall> parseLispCall(const std::wstring& text, std::wstring& problem) {
    const std::wstring t = trimmed(text);
    Reader r(t);
    if (r.peek() != L'(') {
        problem = L"malformed list on input";
        return std::nullopt;
    }
    r.next();
    r.skipBlanks();
    LispCall call;
    call.name = r.word();
    if (call.name.empty()) {
        problem = L"bad function: nil";
        return std::nullopt;
    }
    for (;;) {
        r.skipBlanks();
        if (r.atEnd()) {
            problem = L"malformed list on input";
            return std::nullopt;
        }
        if (r.peek() == L')') break;
        if (r.peek() == L'(') {
            problem = L"lists and nested calls are not supported at the command prompt";
            return std::nullopt;
        }
        LispValue v;
        if (r.peek() == L'"') {
            r.next();
            v.type = RTSTR;
            if (!r.string(v.text)) {
                problem = L"malformed string on input";
                return std::nullopt;
            }
        } else {
            const std::wstring w = r.word();
            std::optional<LispValue> a = atom(w);
            if (!a) {
                problem = FormatW(L"bad argument type: %s", w.c_str());
                return std::nullopt;
            }
            v = *a;
        }
        call.args.push_back(std::move(v));
    }
    r.next();
    r.skipBlanks();
    if (!r.atEnd()) {
        problem = L"extra right paren on input";
        return std::nullopt;
    }
    return call;
}

int evaluateLispExpression(const std::wstring& text) {
    std::wstring problem;
    const std::optional<LispCall> call = parseLispCall(text, problem);
    if (!call) {
        transcriptWrite(FormatW(L"\n; error: %s", problem.c_str()));
        return RTERROR;
    }
    if (!lispFunctions().isDefined(call->name)) {
        transcriptWrite(FormatW(L"\n; error: no function definition: %s", call->name.c_str()));
        return RTERROR;
    }
    // Commands posted while the function runs wait for its end, as after a command.
    hostInput().enterCommand();
    const LispResult result = lispFunctions().invoke(call->name, call->args);
    hostInput().leaveCommand();
    if (result.status != RTNORM) {
        transcriptWrite(FormatW(L"\n; error: %s failed", call->name.c_str()));
        return RTERROR;
    }
    if (result.values.size() == 1 && result.values[0].type != RTVOID) {
        const std::wstring value = shown(result.values[0]);
        if (!value.empty()) transcriptWrite(L"\n" + value);
    }
    return RTNORM;
}

} // namespace host
