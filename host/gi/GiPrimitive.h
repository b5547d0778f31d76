#pragma once
// One primitive as a drawing pass produced it, in world coordinates, with the
// traits it was drawn with. A list of them is what a drawable looks like: tests
// compare it, picking searches it, proxy graphics file it, the renderer draws it.
#include "host/ge/AcGePoint3d.h"
#include "host/ge/AcGeVector3d.h"
#include "host/gi/AcGiColor.h"
#include "host/gi/AcGiGeometry.h"
#include "host/gi/AcGiSubEntityTraits.h"
#include "host/gi/AcGiTextStyle.h"
#include "host/win/WinTypes.h"

#include <memory>
#include <string>
#include <vector>

namespace host::gi {

struct GiTraits {
    LONG_PTR marker = 0;
    uint16_t colorIndex = AcGiColor::kACIbyLayer;
    AcGiColor trueColor; // follows colorIndex unless a true colour was set
    AcDbStub* layer = nullptr;
    AcDbStub* lineType = nullptr;
    int lineWeight = -1; // ByLayer
    AcGiFillType fill = kAcGiFillNever;
    double lineTypeScale = 1.0;
    double thickness = 0.0;

    bool operator==(const GiTraits&) const = default;
};

struct GiPrimitive {
    enum Kind : uint8_t { Polyline = 1, Polygon, Circle, Arc, Text, Xline, Ray };

    Kind kind = Polyline;
    GiTraits traits;
    // Polyline and polygon vertices; xline and ray: base point and through point.
    std::vector<AcGePoint3d> points;
    LONG_PTR baseMarker = -1; // polyline: segment i is picked as baseMarker + i

    // Circle and arc; text: normal.
    AcGePoint3d center;
    double radius = 0.0;
    AcGeVector3d normal = AcGeVector3d::kZAxis;
    AcGeVector3d startVector = AcGeVector3d::kXAxis; // unit
    double sweep = 0.0;                              // radians, counter-clockwise about the normal
    AcGiArcType arcType = kAcGiArcSimple;

    // Text: insertion point, unit direction, and the style with the text's height,
    // width factor and oblique angle filled in.
    AcGePoint3d position;
    AcGeVector3d direction = AcGeVector3d::kXAxis;
    std::wstring text;
    bool raw = false;

    // The text's style. Texts drawn alike share one copy (see internTextStyle), so a
    // kept recording holds its fonts' names once, not once per text.
    const AcGiTextStyle& style() const;
    void setStyle(const AcGiTextStyle& style);

    double height() const { return style().textSize(); }
    double widthFactor() const { return style().xScale(); }
    double oblique() const { return style().obliquingAngle(); }
    // Filled: a polygon, circle or closed arc drawn with kAcGiFillAlways.
    bool isFilled() const {
        return traits.fill == kAcGiFillAlways &&
               (kind == Polygon || kind == Circle || (kind == Arc && arcType != kAcGiArcSimple));
    }

private:
    std::shared_ptr<const AcGiTextStyle> m_style; // null: the default style
};

// A shared copy of `style`: the same one as for the last styles asked for when it
// equals one of them, a new one otherwise. Only the drawing thread calls it.
std::shared_ptr<const AcGiTextStyle> internTextStyle(const AcGiTextStyle& style);

using GiRecording = std::vector<GiPrimitive>;

// The bytes a recording holds: its primitives, their points and texts (a shared
// text style not counted). What a cache of recordings is bounded by.
size_t recordingBytes(const GiRecording& recording);

} // namespace host::gi
