#pragma once
// What the host shows highlighted on its own: single parts of entities, each by the
// selection marker it is drawn with. The display keeps this, not the entity:
// AcDbEntity::highlight with a sub-entity path of a part adds the part here, unhighlight
// takes it away, and unhighlighting the whole entity (no sub-entity path) ends every
// part's highlight too. The whole entity's own highlight is AcDbEntity::isHighlighted.
#include "host/db/database/adesk.h"

#include <vector>

class AcDbObject;

namespace host {

// The markers of the object's parts shown highlighted, each once, in the order they
// were highlighted; empty for none.
std::vector<Adesk::GsMarker> highlightedMarkers(const AcDbObject* object);

// Shows or stops showing one part highlighted (marker above 0).
void setPartHighlighted(const AcDbObject* object, Adesk::GsMarker marker, bool on);
// Stops showing every part of the object highlighted (also when the object goes).
void clearHighlightedParts(const AcDbObject* object);

} // namespace host
