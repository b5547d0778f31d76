#include "host/rx/acutString.h"

#include <cstdlib>
#include <cwchar>

Acad::ErrorStatus acutNewString(const wchar_t* input, wchar_t*& output) {
    output = nullptr;
    if (!input) return Acad::eOk;
    const size_t n = std::wcslen(input) + 1;
    auto* p = static_cast<wchar_t*>(std::malloc(n * sizeof(wchar_t)));
    if (!p) return Acad::eOutOfMemory;
    std::wmemcpy(p, input, n);
    output = p;
    return Acad::eOk;
}

void acutDelString(wchar_t*& str) {
    std::free(str);
    str = nullptr;
}
