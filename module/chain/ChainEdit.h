#pragma once
// Edits of whole chains that the context menu offers: cutting a segment out of a chain
// (which may split it in two), joining a second chain into one, the side its extension
// lines point to, and the parts a pick on a chain stands for. The chains passed in are
// open for write; nothing here touches the database or asks the user.
#include "host/ge/AcGePoint3d.h"

#include <memory>
#include <string>

class TRdim;

// A picked part of a chain from its selection marker: kind 1 a value text (index =
// segment), 2 an extension line (index = extension), 3 the dimension line ending at
// extension `index` (index = segment). The marker 1001 counts as 1; other markers of
// 1000 and above are taken as kind 3. False for marker 0 and below.
struct ChainPart {
    int kind = 0;
    int index = 0;
};
bool ChainPartOfMarker(int marker, ChainPart& part);

// Cuts segment k (between extension k-1 and k) out of a chain of n extensions:
// k < 2 drops the first extension, k >= n-1 extension k; otherwise the chain keeps
// extensions 0 .. k-1 and the returned new chain (in no database, with the chain's
// properties) holds k .. n-1 with their values, flags and appended texts. Null when
// no new chain was needed. A chain of two extensions, or a k outside 1 .. n-1, is
// left as it is (`changed` false).
std::unique_ptr<TRdim> RemoveChainSegment(TRdim* chain, int k, bool& changed);

// Adds every extension of `source` to `target` with its flags (tick, hidden line,
// leader), and the manual values and appended texts of segments whose two points
// both arrive (a text placed by hand keeps its place). Refused (false, the reason in `problem`) for an arc chain on either
// side and for chains at right angles within kPerpendicularJoin; then nothing changes.
// `added` counts the extensions that went in.
bool JoinChains(TRdim* target, const TRdim* source, int& added, std::wstring& problem);

// IND_I_DirectionExt for a point the user gave: 2 when the angle from the chain's
// direction to the way from its first dimension point to `point`, about the chain's
// normal, is below 0 or above pi; else 1.
int ExtensionDirectionFor(const TRdim* chain, const AcGePoint3d& point);
