#pragma once
// The box list of a drawing file (format version 3, the fourth packed part): where
// each model-space entity lay when the drawing was saved, so that the first pick
// after reading draws only the entities its box touches. Unpacked:
//
//   u32 number of groups
//   per group: u64 looks stamp (EntityLooks.h), u32 number of boxes,
//              per box: u64 handle, f64 x0, y0, x1, y1 (x0 <= x1, y0 <= y1)
//
// Only entities with a finite box and a looks stamp are listed, and only where the
// index knows the box already (drawn, or kept from the file): saving draws nothing.
// The others are drawn to be found, as in files written before the list. Reading checks every
// record (a handle that names no entity of model space, a box that is not one, a
// count that does not fit) and refuses the file with the offset of the part; a
// box is handed to the index only where the entity's stamp is still the group's;
// the boxes of entities nothing vouches for now (proxies) are kept to be written
// back as they came.
#include "host/io/DrawingImage.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class AcDbDatabase;

namespace host::io {

// The unpacked box list of `db`'s model space, of the boxes its index knows.
std::vector<uint8_t> entityBoxBytes(AcDbDatabase* db);

// Checks the box list `data` and, with a database that holds the drawing's objects,
// hints the boxes that still hold to its index. `partAt` is the offset reported
// for damage (the packed part's place in the file).
bool readEntityBoxes(const uint8_t* data, size_t size, AcDbDatabase* db, size_t partAt, ImageError& error);

} // namespace host::io
