// A dimension as plain entities: its explode, its graphics block ("*D...") and the
// blocks of the host's arrowheads ("_Oblique" ...), all made from the same layout.
#include "host/db/entities/AcDbArc.h"
#include "host/db/entities/AcDbBlockReference.h"
#include "host/db/tables/AcDbBlockTable.h"
#include "host/db/tables/AcDbBlockTableRecord.h"
#include "host/db/entities/AcDbCircle.h"
#include "host/db/database/AcDbDatabase.h"
#include "host/db/dimensions/AcDbDimension.h"
#include "host/db/dimensions/AcDbDimensionArrows.h"
#include "host/db/entities/AcDbLine.h"
#include "host/db/entities/AcDbMText.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/db/entities/AcDbPolyline.h"
#include "host/db/entities/AcDbSolid.h"
#include "host/win/FormatW.h"

#include <cmath>
#include <memory>
#include <vector>

namespace {

using EntityList = std::vector<std::unique_ptr<AcDbEntity>>;

// Makes entities of layout pieces in a plane; the parts' colours and weights come
// from the variables, ByBlock where the part follows the dimension.
class EntityMaker {
public:
    EntityMaker(const host::DimVars& vars, const AcGeMatrix3d& toWorld, const AcGeVector3d& normal, double elevation)
        : m_vars(vars), m_toWorld(toWorld), m_normal(normal), m_elevation(elevation) {}

    EntityList make(const host::DimGraphics& g) {
        EntityList out;
        for (const auto& l : g.lines) add(out, new AcDbLine(world(l.a), world(l.b)), l.part);
        for (const auto& a : g.arcs)
            add(out, new AcDbArc(world(a.center), m_normal, a.radius, a.startAngle, a.startAngle + a.sweep), a.part);
        for (const auto& c : g.circles) add(out, c.filled ? donut(c) : new AcDbCircle(world(c.center), m_normal, c.radius), c.part);
        for (const auto& f : g.fills) addFill(out, f);
        for (const auto& a : g.blockArrows) {
            auto* ref = new AcDbBlockReference(world(a.tip), a.block);
            ref->setScaleFactors(AcGeScale3d(a.size));
            ref->setNormal(m_normal);
            ref->setRotation(a.rotation);
            add(out, ref, host::DimPart::DimensionLine);
        }
        for (const auto& t : g.texts) add(out, text(t), host::DimPart::Text);
        return out;
    }

private:
    AcGePoint3d world(const AcGePoint2d& p) const {
        AcGePoint3d w(p.x, p.y, 0.0);
        return w.transformBy(m_toWorld);
    }

    void add(EntityList& out, AcDbEntity* ent, host::DimPart part) const {
        const AcCmColor& c = part == host::DimPart::Text            ? m_vars.dimclrt
                             : part == host::DimPart::DimensionLine ? m_vars.dimclrd
                                                                    : m_vars.dimclre;
        ent->setColor(c);
        const AcDb::LineWeight w = part == host::DimPart::DimensionLine ? m_vars.dimlwd : m_vars.dimlwe;
        ent->setLineWeight(part == host::DimPart::Text ? AcDb::kLnWtByBlock : w);
        out.emplace_back(ent);
    }

    // A filled dot: a closed polyline of two half circles as wide as the radius.
    AcDbEntity* donut(const host::DimGraphics::Circle& c) const {
        auto* p = new AcDbPolyline(2);
        p->setNormal(m_normal);
        p->setElevation(m_elevation);
        p->addVertexAt(0, AcGePoint2d(c.center.x - c.radius / 2.0, c.center.y), 1.0, c.radius, c.radius);
        p->addVertexAt(1, AcGePoint2d(c.center.x + c.radius / 2.0, c.center.y), 1.0, c.radius, c.radius);
        p->setClosed(true);
        return p;
    }

    // Solids hold three or four corners (in the order 0, 1, 3, 2 round the outline);
    // a longer outline becomes a fan of triangles.
    void addFill(EntityList& out, const host::DimGraphics::Fill& f) const {
        const auto& p = f.points;
        if (p.size() == 3) {
            add(out, solid(new AcDbSolid(world(p[0]), world(p[1]), world(p[2]))), f.part);
        } else if (p.size() == 4) {
            add(out, solid(new AcDbSolid(world(p[0]), world(p[1]), world(p[3]), world(p[2]))), f.part);
        } else {
            for (size_t i = 1; i + 1 < p.size(); ++i)
                add(out, solid(new AcDbSolid(world(p[0]), world(p[i]), world(p[i + 1]))), f.part);
        }
    }

    AcDbEntity* solid(AcDbSolid* s) const {
        s->setNormal(m_normal);
        return s;
    }

    AcDbEntity* text(const host::DimGraphics::Text& t) const {
        auto* m = new AcDbMText();
        m->setNormal(m_normal);
        m->setLocation(world(t.center));
        AcGeVector3d dir(std::cos(t.rotation), std::sin(t.rotation), 0.0);
        m->setDirection(dir.transformBy(m_toWorld));
        m->setTextHeight(t.height);
        m->setAttachment(AcDbMText::kMiddleCenter);
        m->setContents(t.text.c_str());
        if (m_vars.dimtxsty.isValid()) m->setTextStyle(m_vars.dimtxsty);
        return m;
    }

    const host::DimVars& m_vars;
    AcGeMatrix3d m_toWorld;
    AcGeVector3d m_normal;
    double m_elevation;
};

// "*D1", "*D2" ...: the first anonymous name the table does not have.
std::wstring freeAnonymousName(const AcDbBlockTable* table, const wchar_t* prefix) {
    for (unsigned n = 1;; ++n) {
        std::wstring name = host::FormatW(L"%s%u", prefix, n);
        if (!table->has(name.c_str())) return name;
    }
}

// Appends the entities to an open block; those it refuses are deleted.
void appendAll(AcDbBlockTableRecord* block, EntityList& entities, AcDbObjectId layer) {
    for (auto& ent : entities) {
        ent->setLayer(layer);
        AcDbEntity* raw = ent.release();
        if (block->appendAcDbEntity(raw) == Acad::eOk)
            raw->close();
        else
            delete raw;
    }
}

// A new block (named, or anonymous after `prefix`) with the entities, closed.
Acad::ErrorStatus makeBlock(AcDbDatabase* db, const std::wstring& name, const wchar_t* prefix, EntityList& entities,
                            AcDbObjectId& id) {
    AcDbBlockTable* table = nullptr;
    Acad::ErrorStatus es = db->getBlockTable(table, AcDb::kForWrite);
    if (es != Acad::eOk) return es;
    auto* block = new AcDbBlockTableRecord();
    block->setName(name.empty() ? freeAnonymousName(table, prefix).c_str() : name.c_str());
    es = table->add(id, block);
    table->close();
    if (es != Acad::eOk) {
        delete block;
        return es;
    }
    appendAll(block, entities, db->layerZero());
    block->close();
    return Acad::eOk;
}

} // namespace

Acad::ErrorStatus AcDbDimension::subExplode(AcDbVoidPtrArray& entitySet) const {
    if (isDrawnFromDimBlock()) return keptBlockCopies(entitySet);
    const host::DimVars vars = effectiveDimVars();
    EntityList made = EntityMaker(vars, planeToWorld(), m_normal, elevation()).make(graphics());
    for (auto& ent : made) {
        // Standing alone, a piece that followed the dimension takes its properties.
        const AcCmColor own = ent->color();
        const AcDb::LineWeight weight = ent->lineWeight();
        ent->setPropertiesFrom(this);
        if (!own.isByBlock()) ent->setColor(own);
        if (weight != AcDb::kLnWtByBlock) ent->setLineWeight(weight);
        entitySet.append(ent.release());
    }
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDimension::getBlockEntities(AcDbVoidPtrArray& entities) const {
    EntityList made = EntityMaker(effectiveDimVars(), planeToWorld(), m_normal, elevation()).make(graphics());
    for (auto& ent : made) entities.append(ent.release());
    return Acad::eOk;
}

Acad::ErrorStatus AcDbDimension::recomputeDimBlock(bool) {
    AcDbDatabase* db = database();
    if (!db) return Acad::eNoDatabase;
    EntityList made = EntityMaker(effectiveDimVars(), planeToWorld(), m_normal, elevation()).make(graphics());
    const AcDbBlockTableRecord* existing =
        m_block.isValid() && !m_block.isErased() ? AcDbBlockTableRecord::cast(static_cast<AcDbStub*>(m_block)->object)
                                                 : nullptr;
    if (existing && existing->isAnonymous()) {
        AcDbBlockTableRecord* block = nullptr;
        Acad::ErrorStatus es = acdbOpenObject(block, m_block, AcDb::kForWrite);
        if (es != Acad::eOk) return es;
        for (AcDbObjectId id : block->entityIds()) {
            AcDbEntity* old = nullptr;
            if (id.isErased() || acdbOpenAcDbEntity(old, id, AcDb::kForWrite) != Acad::eOk) continue;
            old->erase();
            old->close();
        }
        appendAll(block, made, db->layerZero());
        block->close();
        return Acad::eOk;
    }
    AcDbObjectId id;
    Acad::ErrorStatus es = makeBlock(db, L"", L"*D", made, id);
    if (es != Acad::eOk) return es;
    assertWriteEnabled();
    m_block = id;
    m_blockPosition = AcGePoint3d::kOrigin;
    return Acad::eOk;
}

namespace host {

Acad::ErrorStatus dimArrowBlockId(AcDbDatabase* db, const wchar_t* blockName, AcDbObjectId& id) {
    id.setNull();
    if (!db) return Acad::eNoDatabase;
    const DimArrowKind kind = dimArrowKindOfName(blockName ? blockName : L"");
    if (kind == DimArrowKind::ClosedFilled) return Acad::eOk;
    const std::wstring name = kind == DimArrowKind::UserBlock ? std::wstring(blockName) : dimArrowBlockName(kind);
    AcDbBlockTable* table = nullptr;
    Acad::ErrorStatus es = db->getBlockTable(table, AcDb::kForRead);
    if (es != Acad::eOk) return es;
    es = table->getAt(name.c_str(), id);
    table->close();
    if (es == Acad::eOk) return es;
    if (kind == DimArrowKind::UserBlock) return Acad::eKeyNotFound;
    // The host's arrowhead at unit size, pointing along +X with its tip at the origin;
    // its pieces follow the dimension's colour.
    DimGraphics shape;
    addDimArrow(shape, kind, AcGePoint2d::kOrigin, AcGeVector2d::kXAxis, 1.0);
    DimVars byBlock;
    byBlock.dimclrd.setColorIndex(0);
    byBlock.dimlwd = AcDb::kLnWtByBlock;
    EntityList made = EntityMaker(byBlock, AcGeMatrix3d(), AcGeVector3d::kZAxis, 0.0).make(shape);
    return makeBlock(db, name, nullptr, made, id);
}

} // namespace host
