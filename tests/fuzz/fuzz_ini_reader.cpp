// libFuzzer target: the INI reader (see IniReaderFuzz.h). Built by `make fuzz`.
#include "tests/fuzz/IniReaderFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return fuzz::fuzzIniReader(data, size);
}
