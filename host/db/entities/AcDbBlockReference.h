#pragma once
// An insertion of a block: the block's entities drawn through its transform
// (position, scale factors, rotation in the plane of the normal, the block's
// origin at the position). It owns the attributes that give the block's
// attribute definitions their values here; they are placed in the drawing (not in
// the block), move with the insertion and file with it.
#include "host/db/entities/AcDbAttribute.h"
#include "host/db/entities/AcDbEntity.h"
#include "host/ge/AcGeScale3d.h"

#include <memory>
#include <vector>

class AcDbBlockReference : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDbBlockReference);
    AcDbBlockReference() = default;
    AcDbBlockReference(const AcGePoint3d& position, AcDbObjectId blockTableRec);
    ~AcDbBlockReference() override = default;

    AcDbObjectId blockTableRecord() const { return m_block; }
    Acad::ErrorStatus setBlockTableRecord(AcDbObjectId id);
    AcGePoint3d position() const { return m_position; }
    Acad::ErrorStatus setPosition(const AcGePoint3d& position);
    AcGeScale3d scaleFactors() const { return m_scale; }
    // Zero scale factors are refused.
    Acad::ErrorStatus setScaleFactors(const AcGeScale3d& scale);
    double rotation() const { return m_rotation; }
    Acad::ErrorStatus setRotation(double newVal);
    AcGeVector3d normal() const { return m_normal; }
    Acad::ErrorStatus setNormal(const AcGeVector3d& newVal);
    AcGeMatrix3d blockTransform() const;
    // Position, scale and rotation from a transform that keeps the axes square.
    Acad::ErrorStatus setBlockTransform(const AcGeMatrix3d& xform);

    // Takes the attribute (the insertion owns it from now on); eInvalidInput for
    // one that is in a database or none.
    Acad::ErrorStatus appendAttribute(AcDbAttribute* pAttr);
    int attributeCount() const { return int(m_attributes.size()); }
    // The attribute at `index` in append order; null out of range.
    const AcDbAttribute* attributeAt(int index) const;

    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;

protected:
    bool subWorldDraw(AcGiWorldDraw* wd) override;
    // The block's name, for an external reference also the file it comes from, the
    // insertion point, the scale factors and the rotation.
    void subList() const override;
    // The block's extents, each block once, taken through this reference's transform:
    // a box that holds the drawn geometry (not the tightest one when rotated), found
    // without expanding nested blocks insert by insert.
    Acad::ErrorStatus subGetGeomExtents(AcDbExtents& extents) const override;
    Acad::ErrorStatus subTransformBy(const AcGeMatrix3d& xform) override;
    // The block's entities, each transformed by the block transform.
    Acad::ErrorStatus subExplode(AcDbVoidPtrArray& entitySet) const override;
    Acad::ErrorStatus subGetGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray& osnapModes,
                                       AcDbIntArray& geomIds) const override;
    Acad::ErrorStatus subMoveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) override;
    Acad::ErrorStatus subGetOsnapPoints(AcDb::OsnapMode osnapMode, Adesk::GsMarker gsSelectionMark,
                                        const AcGePoint3d& pickPoint, const AcGePoint3d& lastPoint,
                                        const AcGeMatrix3d& viewXform, AcGePoint3dArray& snapPoints,
                                        AcDbIntArray& geomIds) const override;

private:
    AcDbObjectId m_block;
    AcGePoint3d m_position;
    AcGeScale3d m_scale;
    double m_rotation = 0.0;
    AcGeVector3d m_normal = AcGeVector3d::kZAxis;
    std::vector<std::unique_ptr<AcDbAttribute>> m_attributes;
};
