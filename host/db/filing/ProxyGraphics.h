#pragma once
// Proxy graphics: what an entity looks like, kept as bytes with the drawing so
// that it can be shown where its class is not known. Made by drawing the entity
// for proxies and filing the recording; shown by replaying it into a world draw.
#include "host/gi/GiPrimitive.h"

#include <cstdint>
#include <string>
#include <vector>

class AcDbDatabase;
class AcDbEntity;
class AcGiWorldDraw;

namespace host {

// The entity's proxy graphics as bytes (layer and linetype ids as handles).
std::vector<uint8_t> proxyGraphicsOf(const AcDbEntity* ent);
// Reads proxy graphics; ids are found in `db`. False with a message (and the byte
// offset) for damaged bytes.
bool readProxyGraphics(const std::vector<uint8_t>& bytes, AcDbDatabase* db, gi::GiRecording& out,
                       std::wstring& error);
// Sends the primitives to a world draw with their traits (ByLayer and ByBlock
// colours stay as they were recorded). True when the host asked to stop.
bool replayRecording(const gi::GiRecording& recording, AcGiWorldDraw* wd);

} // namespace host
