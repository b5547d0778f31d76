// libFuzzer target: the language-module reader (see LngReaderFuzz.h). Built by `make fuzz`.
#include "tests/fuzz/LngReaderFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return fuzz::fuzzLngReader(data, size);
}
