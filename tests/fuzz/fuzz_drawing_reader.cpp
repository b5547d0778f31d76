// libFuzzer target: the drawing reader (see DrawingReaderFuzz.h). Built by `make fuzz`.
#include "tests/fuzz/DrawingReaderFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return fuzz::fuzzDrawingReader(data, size);
}
