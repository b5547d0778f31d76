#pragma once
// The output of a drawing pass of chains and height marks. Every primitive goes either to
// the host's world-draw context (regeneration, proxy graphics) or, for explode, into a
// list of new database entities; one pass serves both, so what an explode leaves behind
// is what the screen showed. With neither target nothing happens.
//
//   line            polyline of 2 points           AcDbLine
//   polygon         polygon (filled: fill always)  AcDbLine per edge, or filled solids
//   cross           two lines at +-45 degrees      two AcDbLine
//   arrow           filled triangle                filled solid
//   circle          circle (filled or not)         AcDbCircle
//   arc             circular arc                   AcDbArc
//   text            text, optional background mask AcDbText
//   construction    (nothing)                      AcDbXline
#include "host/db/database/AcArray.h"
#include "host/db/database/AcDbObjectId.h"
#include "host/ge/AcGePoint3d.h"
#include "host/ge/AcGeVector3d.h"
#include "host/gi/AcGiColor.h"
#include "host/win/WinTypes.h"

#include <array>
#include <span>
#include <string>

class AcDbEntity;
class AcGiTextStyle;
class AcGiWorldDraw;

class ChainPrimitives {
public:
    // Exactly one of the two is used; the world draw wins when both are given.
    ChainPrimitives(AcGiWorldDraw* worldDraw, AcDbVoidPtrArray* entityList);

    bool HasTarget() const { return m_worldDraw || m_entities; }
    bool IsExplode() const { return !m_worldDraw && m_entities; }
    AcGiWorldDraw* WorldDraw() const { return m_worldDraw; }
    // True once the host asked the drawing pass to stop.
    bool Aborted() const { return m_aborted; }

    // Selection marker of the following primitives (the world draw only).
    void SetMarker(LONG_PTR marker);
    // Colour index of the following primitives (0 ByBlock, 256 ByLayer).
    void SetColor(int colorIndex);
    int Color() const { return m_color; }

    void Line(const AcGePoint3d& from, const AcGePoint3d& to);
    void Polygon(std::span<const AcGePoint3d> points, bool filled);
    // Two lines through `center`: `direction` scaled by `halfSize` and turned by 45 degrees
    // about `normal`, then by another 90 degrees.
    void Cross(const AcGePoint3d& center, double halfSize, const AcGeVector3d& direction,
               const AcGeVector3d& normal);
    // A filled triangle: the tip, and the base `length` along `direction` from it, `halfWidth`
    // to either side.
    void Arrow(const AcGePoint3d& tip, const AcGeVector3d& direction, double length, double halfWidth,
               const AcGeVector3d& normal);
    void Circle(const AcGePoint3d& center, double radius, const AcGeVector3d& normal, bool filled);
    // Counter-clockwise about `normal` from `startVector` through `sweep` radians.
    void Arc(const AcGePoint3d& center, double radius, const AcGeVector3d& normal,
             const AcGeVector3d& startVector, double sweep);
    // A text starting at `position` on its base line. `style` null draws it in the host's
    // standard font (width factor 1, no slant); otherwise in that style at `height`.
    // `styleId` is the record an exploded text refers to.
    void Text(const AcGePoint3d& position, const AcGeVector3d& normal, const AcGeVector3d& direction,
              const std::wstring& text, double height, const AcGiTextStyle* style, AcDbObjectId styleId,
              int colorIndex);
    void ConstructionLine(const AcGePoint3d& basePoint, const AcGePoint3d& throughPoint);

    // The rectangle a text mask covers: height / 15 beyond the text (its width, its
    // height) on every side; corners in order, starting below the start of the text.
    static std::array<AcGePoint3d, 4> MaskCorners(const AcGePoint3d& position, const AcGeVector3d& normal,
                                                  const AcGeVector3d& direction, double width, double height);

private:
    void Add(AcDbEntity* entity);
    void Track(bool stopRequested) { m_aborted = m_aborted || stopRequested; }
    void Mask(const AcGePoint3d& position, const AcGeVector3d& normal, const AcGeVector3d& direction,
              const std::wstring& text, double height, const AcGiTextStyle* style);
    void FilledEntities(std::span<const AcGePoint3d> points);

    AcGiWorldDraw* m_worldDraw = nullptr;
    AcDbVoidPtrArray* m_entities = nullptr;
    int m_color = AcGiColor::kACIbyLayer;
    bool m_aborted = false;
};
