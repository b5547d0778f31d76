#pragma once
// A single line of text: its insertion point, alignment, height, width factor,
// oblique angle and rotation in the plane of its normal, its string and style.
// Left/baseline text sits at position(); any other alignment places the text at
// alignmentPoint() (between position() and alignmentPoint() for aligned and fit).
#include "host/db/entities/AcDbEntity.h"

#include <string>

class AcGiTextStyle;

class AcDbText : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDbText);
    AcDbText() = default;
    AcDbText(const AcGePoint3d& position, const wchar_t* text, AcDbObjectId style = AcDbObjectId::kNull,
             double height = 0.0, double rotation = 0.0);
    ~AcDbText() override = default;

    AcGePoint3d position() const { return m_position; }
    Acad::ErrorStatus setPosition(const AcGePoint3d& position);
    AcGePoint3d alignmentPoint() const { return m_alignment; }
    Acad::ErrorStatus setAlignmentPoint(const AcGePoint3d& point);
    bool isDefaultAlignment() const { return m_hMode == AcDb::kTextLeft && m_vMode == AcDb::kTextBase; }
    AcGeVector3d normal() const { return m_normal; }
    Acad::ErrorStatus setNormal(const AcGeVector3d& normal);
    double thickness() const { return m_thickness; }
    Acad::ErrorStatus setThickness(double thickness);
    double oblique() const { return m_oblique; }
    Acad::ErrorStatus setOblique(double angle);
    double rotation() const { return m_rotation; }
    Acad::ErrorStatus setRotation(double angle);
    double height() const { return m_height; }
    // A height that is not positive is refused.
    Acad::ErrorStatus setHeight(double height);
    double widthFactor() const { return m_widthFactor; }
    Acad::ErrorStatus setWidthFactor(double factor);
    bool isMirroredInX() const { return m_mirrorX; }
    Acad::ErrorStatus mirrorInX(bool mirror);
    bool isMirroredInY() const { return m_mirrorY; }
    Acad::ErrorStatus mirrorInY(bool mirror);
    // A copy the caller frees with acutDelString.
    wchar_t* textString() const;
    const wchar_t* textStringConst() const { return m_text.c_str(); }
    Acad::ErrorStatus setTextString(const wchar_t* text);
    AcDbObjectId textStyle() const { return m_style; }
    Acad::ErrorStatus setTextStyle(AcDbObjectId style);
    AcDb::TextHorzMode horizontalMode() const { return m_hMode; }
    Acad::ErrorStatus setHorizontalMode(AcDb::TextHorzMode mode);
    AcDb::TextVertMode verticalMode() const { return m_vMode; }
    Acad::ErrorStatus setVerticalMode(AcDb::TextVertMode mode);
    // Puts position() where the text starts for its alignment.
    Acad::ErrorStatus adjustAlignment(const AcDbDatabase* pDb = nullptr);

    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;

protected:
    bool subWorldDraw(AcGiWorldDraw* wd) override;
    void subList() const override;
    Acad::ErrorStatus subTransformBy(const AcGeMatrix3d& xform) override;
    Acad::ErrorStatus subGetGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray& osnapModes,
                                       AcDbIntArray& geomIds) const override;
    Acad::ErrorStatus subMoveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) override;
    Acad::ErrorStatus subGetOsnapPoints(AcDb::OsnapMode osnapMode, Adesk::GsMarker gsSelectionMark,
                                        const AcGePoint3d& pickPoint, const AcGePoint3d& lastPoint,
                                        const AcGeMatrix3d& viewXform, AcGePoint3dArray& snapPoints,
                                        AcDbIntArray& geomIds) const override;
    void subSetDatabaseDefaults(AcDbDatabase* pDb) override;
    // Draws `text` with this text's place, alignment and style (an attribute
    // definition shows its tag so).
    bool drawString(AcGiWorldDraw* wd, const std::wstring& text) const;

private:
    // The style as drawn: the record's font with this text's height, width and slant.
    AcGiTextStyle drawStyle() const;
    // Where `text` starts (baseline, left) and its direction, after alignment.
    void placement(const std::wstring& text, AcGePoint3d& start, AcGeVector3d& direction,
                   AcGiTextStyle& style) const;

    AcGePoint3d m_position;
    AcGePoint3d m_alignment;
    AcGeVector3d m_normal = AcGeVector3d::kZAxis;
    double m_thickness = 0.0;
    double m_oblique = 0.0;
    double m_rotation = 0.0;
    double m_height = 2.5;
    double m_widthFactor = 1.0;
    bool m_mirrorX = false;
    bool m_mirrorY = false;
    std::wstring m_text;
    AcDbObjectId m_style;
    AcDb::TextHorzMode m_hMode = AcDb::kTextLeft;
    AcDb::TextVertMode m_vMode = AcDb::kTextBase;
};

namespace host {
// The direction of text with this rotation in the plane of `normal`.
AcGeVector3d textDirection(const AcGeVector3d& normal, double rotation);
// The rotation of a direction in the plane of `normal` (from the plane's X axis).
double textRotation(const AcGeVector3d& normal, const AcGeVector3d& direction);
// What a transform does to text: the new normal, direction, height scale and
// width scale; a mirror is turned so the text still reads left to right.
void transformTextFrame(const AcGeMatrix3d& xform, AcGeVector3d& normal, AcGeVector3d& direction,
                        double& heightScale, double& widthScale);
} // namespace host
