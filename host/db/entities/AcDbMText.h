#pragma once
// Multiline text: contents with the host's format codes (\P new paragraph,
// {\H2x;...} and the like), placed at its location by its attachment point, in the
// direction and plane given, with an optional background mask.
#include "host/db/database/AcCmColor.h"
#include "host/db/entities/AcDbEntity.h"

#include <string>
#include <vector>

class AcDbMText : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDbMText);
    AcDbMText() = default;
    ~AcDbMText() override = default;

    enum AttachmentPoint {
        kTopLeft = 1,
        kTopCenter = 2,
        kTopRight = 3,
        kMiddleLeft = 4,
        kMiddleCenter = 5,
        kMiddleRight = 6,
        kBottomLeft = 7,
        kBottomCenter = 8,
        kBottomRight = 9
    };

    AcGePoint3d location() const { return m_location; }
    Acad::ErrorStatus setLocation(const AcGePoint3d& point);
    AcGeVector3d normal() const { return m_normal; }
    Acad::ErrorStatus setNormal(const AcGeVector3d& normal);
    AcGeVector3d direction() const { return m_direction; }
    // A direction out of the text's plane is projected into it; zero is refused.
    Acad::ErrorStatus setDirection(const AcGeVector3d& direction);
    double rotation() const;
    Acad::ErrorStatus setRotation(double angle);
    double width() const { return m_width; }
    Acad::ErrorStatus setWidth(double width);
    double textHeight() const { return m_textHeight; }
    Acad::ErrorStatus setTextHeight(double height);
    AttachmentPoint attachment() const { return m_attachment; }
    Acad::ErrorStatus setAttachment(AttachmentPoint attachment);
    AcDbObjectId textStyle() const { return m_style; }
    Acad::ErrorStatus setTextStyle(AcDbObjectId style);
    double lineSpacingFactor() const { return m_lineSpacing; }
    Acad::ErrorStatus setLineSpacingFactor(double factor);
    // A copy the caller frees with acutDelString.
    wchar_t* contents() const;
    const std::wstring& contentsString() const { return m_contents; }
    Acad::ErrorStatus setContents(const wchar_t* text);
    // The text without format codes, paragraphs joined by line breaks.
    wchar_t* text() const;
    double actualHeight() const;
    double actualWidth() const;

    bool backgroundFill() const { return m_bgFill; }
    Acad::ErrorStatus setBackgroundFill(bool enable);
    Acad::ErrorStatus getBackgroundFillColor(AcCmColor& color) const;
    Acad::ErrorStatus setBackgroundFillColor(const AcCmColor& color);
    Acad::ErrorStatus getBackgroundScaleFactor(double& factor) const;
    Acad::ErrorStatus setBackgroundScaleFactor(double factor);
    bool useBackgroundColorOn() const { return m_bgUseDrawingColor; }
    Acad::ErrorStatus setUseBackgroundColor(bool enable);

    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;

protected:
    bool subWorldDraw(AcGiWorldDraw* wd) override;
    Acad::ErrorStatus subTransformBy(const AcGeMatrix3d& xform) override;
    Acad::ErrorStatus subExplode(AcDbVoidPtrArray& entitySet) const override;
    Acad::ErrorStatus subGetGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray& osnapModes,
                                       AcDbIntArray& geomIds) const override;
    Acad::ErrorStatus subMoveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) override;
    void subSetDatabaseDefaults(AcDbDatabase* pDb) override;

private:
    struct Line {
        std::wstring text;
        AcGePoint3d start; // left end of the baseline
        double width = 0.0;
    };
    std::vector<Line> layout() const;

    AcGePoint3d m_location;
    AcGeVector3d m_normal = AcGeVector3d::kZAxis;
    AcGeVector3d m_direction = AcGeVector3d::kXAxis;
    double m_width = 0.0;
    double m_textHeight = 2.5;
    double m_lineSpacing = 1.0;
    AttachmentPoint m_attachment = kTopLeft;
    AcDbObjectId m_style;
    std::wstring m_contents;
    bool m_bgFill = false;
    bool m_bgUseDrawingColor = false;
    AcCmColor m_bgColor;
    double m_bgScale = 1.5;
};

namespace host {
// The paragraphs of multiline text contents without their format codes: \P and
// \X break lines; {, }, \H..; \f..; \C..; \A..; \T..; \Q..; \W..; \L \l \O \o \K \k
// are dropped; \S a^b; and \S a/b; become "a/b"; \\ \{ \} are the characters;
// \~ is a blank.
std::vector<std::wstring> mtextPlainLines(const std::wstring& contents);
} // namespace host
