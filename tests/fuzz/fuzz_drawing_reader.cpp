// libFuzzer target: the drawing reader with the add-on's classes registered, so that
// chain and height-mark records are read and written too (see DrawingReaderFuzz.h).
#include "tests/fuzz/AddOnFuzz.h"
#include "tests/fuzz/DrawingReaderFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::addOnClassesOnce();
    return fuzz::fuzzDrawingReader(data, size);
}
