#include "host/ed/acedCommand.h"

#include "host/ed/commands/CommandLine.h"
#include "host/ed/input/HostInput.h"
#include "host/ed/input/InputSource.h"
#include "host/rx/adscodes.h"
#include "host/win/FormatW.h"

#include <cstdarg>
#include <memory>
#include <string>
#include <vector>

namespace {

// The arguments as the lines a script would give; false for an unknown type.
bool argumentLines(int rtype, va_list args, std::vector<std::wstring>& lines) {
    for (int type = rtype; type != RTNONE && type != 0; type = va_arg(args, int)) {
        switch (type) {
        case RTSTR: {
            const wchar_t* text = va_arg(args, const wchar_t*);
            lines.emplace_back(text ? text : L"");
            break;
        }
        case RTSHORT:
        case RTLONG:
            lines.push_back(host::FormatW(L"%d", va_arg(args, int)));
            break;
        case RTREAL:
            lines.push_back(host::FormatW(L"%.17g", va_arg(args, double)));
            break;
        case RTPOINT:
        case RT3DPOINT: {
            const double* p = va_arg(args, const double*);
            if (!p) return false;
            lines.push_back(type == RTPOINT ? host::FormatW(L"%.17g,%.17g", p[0], p[1])
                                            : host::FormatW(L"%.17g,%.17g,%.17g", p[0], p[1], p[2]));
            break;
        }
        default:
            return false;
        }
    }
    return true;
}

} // namespace

int acedCommandS(int rtype, ...) {
    if (rtype != RTSTR) return RTERROR;
    std::vector<std::wstring> lines;
    va_list args;
    va_start(args, rtype);
    const bool readable = argumentLines(rtype, args, lines);
    va_end(args);
    if (!readable || lines.empty() || lines.front().empty()) return RTERROR;
    std::wstring answers;
    for (size_t i = 1; i < lines.size(); ++i)
        answers += lines[i] + L"\n";
    host::HostInput& input = host::hostInput();
    if (!answers.empty()) input.pushSource(std::make_unique<host::ScriptSource>(answers, L"acedCommand"));
    const long cancelsBefore = input.cancelsRead();
    const int rc = host::commandLine().execute(lines.front());
    if (rc != RTNORM) return rc;
    return input.cancelsRead() != cancelsBefore ? RTCAN : RTNORM;
}
