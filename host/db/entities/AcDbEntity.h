#pragma once
// An object with graphics, owned by a block (model space, paper space or a
// block definition). The common properties (layer, colour, linetype and its
// scale, visibility, line weight) live here; the public operations call the
// sub* virtuals that each entity class overrides.
#include "host/db/database/AcArray.h"
#include "host/db/database/AcCmColor.h"
#include "host/db/entities/AcDbExtents.h"
#include "host/db/entities/AcDbFullSubentPath.h"
#include "host/db/database/AcDbObject.h"
#include "host/ge/AcGeMatrix3d.h"
#include "host/ge/AcGePlane.h"

class AcGiDrawableTraits;

class AcDbEntity : public AcDbObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbEntity);
    ~AcDbEntity() override = default;

    AcDbObjectId blockId() const { return ownerId(); }

    // ---- common properties
    AcCmColor color() const { return m_color; }
    virtual Acad::ErrorStatus setColor(const AcCmColor& color, bool doSubents = true);
    Adesk::UInt16 colorIndex() const { return Adesk::UInt16(m_color.colorIndex()); }
    // 0 ByBlock, 1..255, 256 ByLayer; anything else is refused.
    virtual Acad::ErrorStatus setColorIndex(Adesk::UInt16 color, bool doSubents = true);
    AcCmEntityColor entityColor() const { return m_color; }

    // The layer's name as a new string the caller frees with acutDelString.
    wchar_t* layer() const;
    AcDbObjectId layerId() const { return m_layer; }
    // eKeyNotFound for a name that is no layer of the entity's (or the working) database.
    virtual Acad::ErrorStatus setLayer(const wchar_t* newVal, bool doSubents = true, bool allowHiddenLayer = false);
    virtual Acad::ErrorStatus setLayer(AcDbObjectId newVal, bool doSubents = true, bool allowHiddenLayer = false);

    wchar_t* linetype() const;
    AcDbObjectId linetypeId() const { return m_linetype; }
    virtual Acad::ErrorStatus setLinetype(const wchar_t* newVal, bool doSubents = true);
    virtual Acad::ErrorStatus setLinetype(AcDbObjectId newVal, bool doSubents = true);
    double linetypeScale() const { return m_linetypeScale; }
    // A scale that is not positive is refused.
    virtual Acad::ErrorStatus setLinetypeScale(double newval, bool doSubents = true);

    AcDb::Visibility visibility() const { return m_visibility; }
    virtual Acad::ErrorStatus setVisibility(AcDb::Visibility newVal, bool doSubents = true);
    AcDb::LineWeight lineWeight() const { return m_lineWeight; }
    virtual Acad::ErrorStatus setLineWeight(AcDb::LineWeight newVal, bool doSubents = true);

    // Layer, colour, linetype and its scale, visibility and line weight of another entity.
    Acad::ErrorStatus setPropertiesFrom(const AcDbEntity* pEntity, bool doSubents = true);
    // The current layer, colour, linetype ... of the database (the working one when null).
    void setDatabaseDefaults();
    void setDatabaseDefaults(AcDbDatabase* pDb);

    // Annotative entities scale with the drawing's annotation scale; the host's
    // AcDbAnnotativeObjectPE reads and sets this.
    bool isAnnotative() const { return m_annotative; }
    Acad::ErrorStatus setAnnotative(bool on);

    // ---- the public operations (virtual, so that either they or the sub* forms
    // may be overridden)
    virtual void list() const;
    virtual Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const;
    virtual Acad::ErrorStatus transformBy(const AcGeMatrix3d& xform);
    // A new entity (not in a database, owned by the caller) transformed by xform.
    virtual Acad::ErrorStatus getTransformedCopy(const AcGeMatrix3d& xform, AcDbEntity*& pEnt) const;
    // New entities (owned by the caller) that together look like this one.
    virtual Acad::ErrorStatus explode(AcDbVoidPtrArray& entitySet) const;
    virtual Acad::ErrorStatus getGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray& osnapModes,
                                            AcDbIntArray& geomIds) const;
    virtual Acad::ErrorStatus moveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset);
    virtual Acad::ErrorStatus getStretchPoints(AcGePoint3dArray& stretchPoints) const;
    virtual Acad::ErrorStatus moveStretchPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset);
    virtual Acad::ErrorStatus getOsnapPoints(AcDb::OsnapMode osnapMode, Adesk::GsMarker gsSelectionMark,
                                             const AcGePoint3d& pickPoint, const AcGePoint3d& lastPoint,
                                             const AcGeMatrix3d& viewXform, AcGePoint3dArray& snapPoints,
                                             AcDbIntArray& geomIds) const;
    virtual Acad::ErrorStatus getOsnapPoints(AcDb::OsnapMode osnapMode, Adesk::GsMarker gsSelectionMark,
                                             const AcGePoint3d& pickPoint, const AcGePoint3d& lastPoint,
                                             const AcGeMatrix3d& viewXform, AcGePoint3dArray& snapPoints,
                                             AcDbIntArray& geomIds, const AcGeMatrix3d& insertionMat) const;
    virtual Acad::ErrorStatus intersectWith(const AcDbEntity* pEnt, AcDb::Intersect intType,
                                            AcGePoint3dArray& points, Adesk::GsMarker thisGsMarker = 0,
                                            Adesk::GsMarker otherGsMarker = 0) const;
    virtual Acad::ErrorStatus intersectWith(const AcDbEntity* pEnt, AcDb::Intersect intType,
                                            const AcGePlane& projPlane, AcGePoint3dArray& points,
                                            Adesk::GsMarker thisGsMarker = 0, Adesk::GsMarker otherGsMarker = 0) const;
    virtual Acad::ErrorStatus highlight(const AcDbFullSubentPath& subId = kNullSubent,
                                        const Adesk::Boolean highlightAll = false) const;
    virtual Acad::ErrorStatus unhighlight(const AcDbFullSubentPath& subId = kNullSubent,
                                          const Adesk::Boolean highlightAll = false) const;
    virtual Acad::ErrorStatus getSubentPathsAtGsMarker(AcDb::SubentType type, Adesk::GsMarker gsMark,
                                                       const AcGePoint3d& pickPoint, const AcGeMatrix3d& viewXform,
                                                       int& numPaths, AcDbFullSubentPath*& subentPaths,
                                                       int numInserts = 0,
                                                       AcDbObjectId* entAndInsertStack = nullptr) const;
    virtual Acad::ErrorStatus getGsMarkersAtSubentPath(const AcDbFullSubentPath& subPath,
                                                       AcArray<Adesk::GsMarker>& gsMarkers) const;
    virtual AcDbEntity* subentPtr(const AcDbFullSubentPath& id) const;
    virtual bool isPlanar() const { return false; }
    virtual Acad::ErrorStatus getPlane(AcGePlane& plane, AcDb::Planarity& planarity) const;
    // True while the host shows the entity highlighted (selected).
    bool isHighlighted() const { return m_highlighted; }

    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;

protected:
    AcDbEntity();

    uint32_t subSetAttributes(AcGiDrawableTraits* traits) override;
    virtual void subList() const;
    virtual Acad::ErrorStatus subGetGeomExtents(AcDbExtents& extents) const;
    virtual Acad::ErrorStatus subTransformBy(const AcGeMatrix3d& xform);
    virtual Acad::ErrorStatus subGetTransformedCopy(const AcGeMatrix3d& xform, AcDbEntity*& pEnt) const;
    virtual Acad::ErrorStatus subExplode(AcDbVoidPtrArray& entitySet) const;
    virtual Acad::ErrorStatus subGetGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray& osnapModes,
                                               AcDbIntArray& geomIds) const;
    virtual Acad::ErrorStatus subMoveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset);
    virtual Acad::ErrorStatus subGetStretchPoints(AcGePoint3dArray& stretchPoints) const;
    virtual Acad::ErrorStatus subMoveStretchPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset);
    virtual Acad::ErrorStatus subGetOsnapPoints(AcDb::OsnapMode osnapMode, Adesk::GsMarker gsSelectionMark,
                                                const AcGePoint3d& pickPoint, const AcGePoint3d& lastPoint,
                                                const AcGeMatrix3d& viewXform, AcGePoint3dArray& snapPoints,
                                                AcDbIntArray& geomIds) const;
    virtual Acad::ErrorStatus subGetOsnapPoints(AcDb::OsnapMode osnapMode, Adesk::GsMarker gsSelectionMark,
                                                const AcGePoint3d& pickPoint, const AcGePoint3d& lastPoint,
                                                const AcGeMatrix3d& viewXform, AcGePoint3dArray& snapPoints,
                                                AcDbIntArray& geomIds, const AcGeMatrix3d& insertionMat) const;
    virtual Acad::ErrorStatus subIntersectWith(const AcDbEntity* pEnt, AcDb::Intersect intType,
                                               AcGePoint3dArray& points, Adesk::GsMarker thisGsMarker,
                                               Adesk::GsMarker otherGsMarker) const;
    virtual Acad::ErrorStatus subIntersectWith(const AcDbEntity* pEnt, AcDb::Intersect intType,
                                               const AcGePlane& projPlane, AcGePoint3dArray& points,
                                               Adesk::GsMarker thisGsMarker, Adesk::GsMarker otherGsMarker) const;
    virtual Acad::ErrorStatus subHighlight(const AcDbFullSubentPath& subId, const Adesk::Boolean highlightAll) const;
    virtual Acad::ErrorStatus subUnhighlight(const AcDbFullSubentPath& subId,
                                             const Adesk::Boolean highlightAll) const;
    virtual Acad::ErrorStatus subGetSubentPathsAtGsMarker(AcDb::SubentType type, Adesk::GsMarker gsMark,
                                                          const AcGePoint3d& pickPoint,
                                                          const AcGeMatrix3d& viewXform, int& numPaths,
                                                          AcDbFullSubentPath*& subentPaths, int numInserts,
                                                          AcDbObjectId* entAndInsertStack) const;
    virtual Acad::ErrorStatus subGetGsMarkersAtSubentPath(const AcDbFullSubentPath& subPath,
                                                          AcArray<Adesk::GsMarker>& gsMarkers) const;
    virtual AcDbEntity* subSubentPtr(const AcDbFullSubentPath& id) const { return nullptr; }
    virtual void subSetDatabaseDefaults(AcDbDatabase* pDb) {}

private:
    AcDbObjectId m_layer;
    AcDbObjectId m_linetype;
    AcCmColor m_color;
    double m_linetypeScale = 1.0;
    AcDb::Visibility m_visibility = AcDb::kVisible;
    AcDb::LineWeight m_lineWeight = AcDb::kLnWtByLayer;
    bool m_annotative = false;
    mutable bool m_highlighted = false;
};

namespace host {
// True for an entity whose layer is locked (it may not be opened for write).
bool isOnLockedLayer(const AcDbEntity* ent);
// Points along which entities meet, for the curve classes' intersectWith.
// Curves are taken as their drawn primitives (lines, arcs, circles).
Acad::ErrorStatus intersectDrawn(const AcDbEntity* a, const AcDbEntity* b, AcDb::Intersect intType,
                                 AcGePoint3dArray& points);
// Frees the entities of an explode result (for callers that only wanted to look).
void deleteEntitySet(AcDbVoidPtrArray& entitySet);
} // namespace host
