// Attributes and leaders: an insertion's ATTRIB records, the ATTDEF records of
// blocks, and LEADERs with their hook line and the link to their annotation.
#include "host/db/entities/AcDbAttribute.h"
#include "host/db/entities/AcDbAttributeDefinition.h"
#include "host/db/entities/AcDbBlockReference.h"
#include "host/db/entities/AcDbLeader.h"
#include "host/db/entities/AcDbMText.h"
#include "host/io/dxf/DxfExporter.h"

namespace host::dxf {

namespace {

void attributeFields(DxfOutput& o, const host::AttributeFields& f, AcDb::TextVertMode vertical) {
    o.text(2, f.tag);
    o.integer(70, f.flags);
    if (f.fieldLength != 0) o.integer(73, f.fieldLength);
    if (vertical != AcDb::kTextBase) o.integer(74, int(vertical));
}

} // namespace

bool DxfExporter::writeAttributeDefinition(DxfOutput& o, const AcDbEntity* ent, uint64_t owner, bool paper) {
    const auto* d = AcDbAttributeDefinition::cast(ent);
    if (!d) return false;
    common(o, ent, "ATTDEF", owner, paper);
    textGroups(o, d);
    o.raw(100, "AcDbAttributeDefinition");
    o.text(3, d->promptConst());
    attributeFields(o, d->attributeFields(), d->verticalMode());
    return true;
}

void DxfExporter::writeAttributes(DxfOutput& o, const AcDbBlockReference* ref, bool paper) {
    if (ref->attributeCount() == 0) return;
    const uint64_t self = handleOf(ref->objectId());
    for (int i = 0; i < ref->attributeCount(); ++i) {
        const AcDbAttribute* a = ref->attributeAt(i);
        entityHead(o, a, "ATTRIB", newHandle(), self, paper);
        textGroups(o, a);
        o.raw(100, "AcDbAttribute");
        host::AttributeFields fields;
        fields.tag = a->tagConst();
        fields.flags = a->attributeFlags();
        fields.fieldLength = a->fieldLength();
        attributeFields(o, fields, a->verticalMode());
        xdata(o, a, false);
    }
    o.raw(0, "SEQEND");
    o.handle(5, newHandle());
    o.handle(330, self);
    o.raw(100, "AcDbEntity");
    if (paper) o.integer(67, 1);
    o.text(8, layerName(ref->layerId()));
}

void DxfExporter::writeLeader(DxfOutput& o, const AcDbLeader* e, uint64_t owner, bool paper) {
    common(o, e, "LEADER", owner, paper);
    o.raw(100, "AcDbLeader");
    o.text(3, dimStyleName(e->dimensionStyle()));
    o.integer(71, e->hasArrowHead() ? 1 : 0);
    o.integer(72, e->isSplined() ? 1 : 0);
    o.integer(73, int(e->annoType()));
    o.integer(74, e->isHookLineOnXDir() ? 0 : 1);
    o.integer(75, e->hasHookLine() ? 1 : 0);
    o.real(40, 1.0);
    o.real(41, 1.0);
    o.integer(76, e->numVertices());
    for (int i = 0; i < e->numVertices(); ++i) o.point(10, e->vertexAt(i));
    // Only a link to an annotation the file holds as itself (an MTEXT, an INSERT
    // of a block in the file): anything else would point at nothing.
    const AcDbObjectId anno = e->annotationObjId();
    const AcDbObject* target = anno.isValid() && !anno.isErased() ? static_cast<AcDbStub*>(anno)->object : nullptr;
    const auto* ref = AcDbBlockReference::cast(target);
    if (AcDbMText::cast(target) || (ref && !blockNameOf(ref->blockTableRecord()).empty()))
        o.handle(340, handleOf(anno));
    o.normal(e->normal());
    o.vector(211, e->horizontalDirection());
}

} // namespace host::dxf
