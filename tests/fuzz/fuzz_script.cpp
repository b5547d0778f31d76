// libFuzzer target: command scripts against a fresh drawing (see ScriptFuzz.h). Built by `make fuzz`.
#include "tests/fuzz/ScriptFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return fuzz::fuzzScript(data, size);
}
