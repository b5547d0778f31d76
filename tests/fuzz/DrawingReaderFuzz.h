#pragma once
// The drawing reader under arbitrary bytes: it must refuse or read them without
// crashing, and a drawing it read must write out and read back. Shared by the
// libFuzzer target and the test that replays the corpus in every test run.
#include "host/db/database/AcDbDatabase.h"
#include "host/db/database/DatabaseClasses.h"
#include "host/io/DrawingReader.h"
#include "host/io/DrawingWriter.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace fuzz {

// 0 as libFuzzer wants it; a drawing that reads but does not survive its own
// round trip aborts, so the fuzzer keeps the input.
inline int fuzzDrawingReader(const uint8_t* data, size_t size) {
    host::registerDatabaseClasses();
    host::io::DrawingReadReport report;
    host::io::DrawingReadOptions options;
    options.verifyChecksum = false; // mutations would never get past it
    auto db = host::io::drawingFromBytes(data, size, L"fuzz.dwg", report, options);
    if (!db) {
        if (report.error.empty()) std::abort(); // a refusal always says why
        return 0;
    }
    std::vector<uint8_t> out;
    std::wstring error;
    if (!host::io::drawingToBytes(db.get(), out, error)) return 0; // an object may refuse to file itself
    host::io::DrawingReadReport again;
    if (!host::io::drawingFromBytes(out.data(), out.size(), L"fuzz-again.dwg", again)) std::abort();
    return 0;
}

} // namespace fuzz
