// libFuzzer target: DXF import (see DxfImportFuzz.h). Built by `make fuzz`.
#include "tests/fuzz/DxfImportFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return fuzz::fuzzDxfImport(data, size);
}
