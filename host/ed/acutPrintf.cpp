#include "host/ed/acutPrintf.h"

#include "host/rx/adscodes.h"
#include "host/win/FormatW.h"
#include "host/win/Transcript.h"

#include <cstdarg>

int acutPrintf(const wchar_t* format, ...) {
    if (!format) return RTERROR;
    va_list ap;
    va_start(ap, format);
    const std::wstring text = host::FormatV(format, ap);
    va_end(ap);
    host::transcriptWrite(text);
    return RTNORM;
}
