#pragma once
// Drawing files on disk. Reading refuses another program's DWG (pointing to DXF
// import), a file that is no drawing and a damaged one, with the byte offset, and
// returns nothing then. Saving writes a new file beside the target, flushes it to
// the disk, keeps the old file as <name>.bak and renames the new one over the old:
// a save that fails, or a program killed while saving, leaves the old file whole.
#include "host/io/DrawingReader.h"

#include <functional>
#include <memory>
#include <string>

class AcDbDatabase;

namespace host::io {

// Larger files are refused before they are read into memory.
inline constexpr size_t kMaxDrawingFileBytes = size_t(1) << 31;

std::unique_ptr<AcDbDatabase> readDrawingFile(const std::wstring& path, DrawingReadReport& report);

// The file exists, can be read and holds a drawing of this host whose layout is
// whole; false with the message a read would give. Nothing is loaded.
bool checkDrawingFile(const std::wstring& path, DrawingReadReport& report);

// False with a message when nothing was saved (the old file, if any, unchanged).
bool saveDrawingFile(AcDbDatabase* db, const std::wstring& path, bool keepBak, std::wstring& error);

// "plan.dwg" -> "plan.bak": the name the old file is kept under.
std::wstring backupPathFor(const std::wstring& path);

// For tests: called when the new file is complete on the disk, before anything is
// renamed. Returning false stops the save right there, as a kill would (the
// temporary file stays). An empty hook removes it.
using SaveInterruptHook = std::function<bool(const std::wstring& tempPath)>;
void setSaveInterruptHook(SaveInterruptHook hook);

// Makes AcDbDatabase::readDwgFile and saveAs use these files. A host session calls
// it once before drawings are opened.
void installDrawingFileHooks();

} // namespace host::io
