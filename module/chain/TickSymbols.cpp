#include "module/chain/TickSymbols.h"

#include "module/chain/ChainPrimitives.h"

namespace {
// The quarter turn the oblique tick is set off from its extension line, as the rules write it.
constexpr double kQuarterTurn = 1.57079632675;
// Arrows are as long as the tick size and a fifth of it wide on either side; dots and
// circles have a quarter of it as radius; a cross reaches half of it.
constexpr double kArrowHalfWidthPart = 0.2;
constexpr double kDotRadiusPart = 0.25;
constexpr double kCrossHalfPart = 0.5;
} // namespace

void DrawTickSymbol(ChainPrimitives& out, const TickMark& tick) {
    const double t = tick.size;
    if (t == 0.0) return;
    switch (tick.code) {
    case kTickOblique: {
        AcGeVector3d half(t / 2.0, tick.mirrorSign * t / 2.0, 0.0);
        half.rotateBy(tick.extensionAngle - kQuarterTurn, AcGeVector3d::kZAxis);
        half.transformBy(tick.ucsToWorld);
        out.Line(tick.at - half, tick.at + half);
        break;
    }
    case kTickDot:
        out.Circle(tick.at, t * kDotRadiusPart, tick.normal, true);
        break;
    case kTickCircle:
        out.Circle(tick.at, t * kDotRadiusPart, tick.normal, false);
        break;
    case kTickArrow:
        if (tick.hasNext) out.Arrow(tick.at, tick.towardsNext, t, t * kArrowHalfWidthPart, tick.normal);
        if (tick.hasPrevious)
            out.Arrow(tick.at, tick.towardsPrevious, t, t * kArrowHalfWidthPart, tick.normal);
        break;
    case kTickCross:
        out.Cross(tick.at, t * kCrossHalfPart, tick.lineDir, tick.normal);
        break;
    default:
        break;
    }
}
