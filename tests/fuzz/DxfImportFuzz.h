#pragma once
// DXF import under arbitrary bytes: a file is imported or refused with a message,
// never half imported; what came in exports again and survives its own drawing
// file's round trip. Shared by the libFuzzer target and the corpus replay.
#include "host/db/tables/AcDbBlockTableRecord.h"
#include "host/db/database/AcDbDatabase.h"
#include "host/db/database/AcDbHostApplicationServices.h"
#include "host/db/database/DatabaseClasses.h"
#include "host/io/DrawingReader.h"
#include "host/io/DrawingWriter.h"
#include "host/io/dxf/DxfExport.h"
#include "host/io/dxf/DxfImport.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace fuzz {

inline size_t modelSpaceCount(AcDbDatabase* db) {
    const auto* ms = AcDbBlockTableRecord::cast(static_cast<AcDbStub*>(db->modelSpaceId())->object);
    return ms ? ms->entityIds().size() : 0;
}

inline int fuzzDxfImport(const uint8_t* data, size_t size) {
    host::registerDatabaseClasses();
    AcDbDatabase db;
    AcDbDatabase* previous = acdbHostApplicationServices()->workingDatabase();
    acdbHostApplicationServices()->setWorkingDatabase(&db);
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    host::dxf::DxfImportReport report;
    std::wstring error;
    if (!host::dxf::importDxf(bytes, &db, report, error)) {
        // Refused: with a reason, and nothing came in.
        if (error.empty() || modelSpaceCount(&db) != 0) std::abort();
    } else {
        std::string out;
        host::dxf::DxfExportReport exported;
        if (!host::dxf::exportDxf(&db, out, exported, error)) std::abort();
        // What we wrote ourselves must come in again.
        AcDbDatabase again;
        acdbHostApplicationServices()->setWorkingDatabase(&again);
        host::dxf::DxfImportReport reread;
        if (!host::dxf::importDxf(out, &again, reread, error)) std::abort();
        acdbHostApplicationServices()->setWorkingDatabase(&db);
        std::vector<uint8_t> file;
        if (host::io::drawingToBytes(&db, file, error)) {
            host::io::DrawingReadReport read;
            if (!host::io::drawingFromBytes(file.data(), file.size(), L"fuzz.dwg", read)) std::abort();
        }
    }
    acdbHostApplicationServices()->setWorkingDatabase(previous);
    return 0;
}

} // namespace fuzz
