#pragma once
// The bytes of a drawing file as a new database. A plain file's layout is checked
// whole first (lengths, counts, handle order, checksum); a packed file's parts are
// checked by their checksums, and its object list is unpacked a window at a time,
// each record checked just before its object is made, so a big drawing is never
// in memory twice. Every object is made from its class and reads itself with
// dwgInFields. A class this process does not have (the application that defines
// it is not loaded) gives a proxy that keeps the object's bytes and proxy graphics
// and writes them back unchanged. Anything damaged refuses the whole file with the
// byte offset where it was found (for a packed file, of the part that holds it),
// and no database is returned: nothing is half loaded.
#include "host/rx/acadstrc.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class AcDbDatabase;

namespace host::io {

struct DrawingReadReport {
    std::wstring error; // empty when the drawing was read
    // Why, for callers that answer with a status: eInvalidDwgVersion for another
    // program's DWG, eInvalidInput for a file that is no drawing, eDwgNotRecoverable
    // for a damaged one.
    Acad::ErrorStatus status = Acad::eOk;
    size_t errorOffset = 0;
    // What the user should know about a drawing that was read (objects kept as proxies).
    std::vector<std::wstring> warnings;
    size_t objectCount = 0;
    size_t proxyCount = 0;
};

struct DrawingReadOptions {
    // Off only for the fuzzer, which cannot forge the checksum of what it changes.
    bool verifyChecksum = true;
};

// `name` is the file's name for the messages. The database has no document and
// no file name yet; the caller owns it.
std::unique_ptr<AcDbDatabase> drawingFromBytes(const uint8_t* data, size_t size, const std::wstring& name,
                                               DrawingReadReport& report,
                                               const DrawingReadOptions& options = {});

// Checks what can be checked without making any object, as a program does before
// it loads anything for the file: a plain file's whole layout (signature, lengths,
// counts, handle order, checksum), a packed file's part table and the checksum of
// each part (what is inside is checked as it is read). False with the error and
// status a read would give.
bool checkDrawingBytes(const uint8_t* data, size_t size, const std::wstring& name, DrawingReadReport& report);

// Every record of the layout checked as a read checks it, without making any
// object; a packed object list a window at a time. For a program's check of a file
// it has just written (ImageError from DrawingImage.h).
struct ImageError;
bool checkDrawingLayout(const uint8_t* data, size_t size, ImageError& error);

// Reads into `target`, which must hold no objects (eInvalidInput otherwise). The
// file is read once, straight into `target`: a file found damaged while its objects
// are made leaves those made before the damage, which AcDbDatabase::readDwgFile (the
// way drawing files come into databases) takes out again.
bool drawingIntoDatabase(const uint8_t* data, size_t size, const std::wstring& name, AcDbDatabase* target,
                         DrawingReadReport& report);

} // namespace host::io
