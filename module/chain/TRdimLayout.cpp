// Text layout of a chain: the text angle, the default point of every position code,
// centring, the automatic choice of a code for short segments, appended texts and the
// bulk re-layout. Texts are measured with the chain's own text style, so the boxes the
// layout reasons about are the texts the drawing shows.
#include "module/chain/TRdim.h"

#include "host/ge/AcGeCircArc3d.h"
#include "host/ge/AcGeTol.h"
#include "module/base/LintaroLog.h"
#include "module/chain/ChainDisplayText.h"
#include "module/chain/ChainTextStyle.h"
#include "module/chain/PositionCode.h"
#include "module/chain/TRdimLayout.h"
#include "module/chain/TextBox.h"
#include "module/chain/TextFrame.h"
#include "module/chain/ValueFormat.h"
#include "module/options/CGlobDimOptions.h"
#include "module/options/OptionIndices.h"

#include <algorithm>
#include <cmath>
#include <cwctype>
#include <memory>
#include <numbers>
#include <optional>

using namespace lintaro::tol;

namespace {

// A superscript sits this part of the text height above the base line, and the block
// of a value with superscript is this part of the text height plus the superscript.
constexpr double kSuperscriptRise = 0.66;
// An appended text goes this many text heights (plus two gaps) below its segment text.
constexpr double kAppendedTextDrop = 1.4;

bool LabelAtStart(int digit) {
    return digit == 1 || digit == 3;
}
bool LabelAtEnd(int digit) {
    return digit == 2 || digit == 3;
}

// Counter-clockwise angle of a point about the arc's centre, from its reference vector.
double AngleOnArc(const AcGeCircArc3d& arc, const AcGePoint3d& p) {
    const AcGeVector3d v = p - arc.center();
    const double a =
        std::atan2(v.dotProduct(arc.normal().crossProduct(arc.refVec())), v.dotProduct(arc.refVec()));
    return a < 0 ? a + 2.0 * std::numbers::pi : a;
}

// The middle of segment k on the dimension arc and the tangent there, both in world
// coordinates; false when the chain has no arc to offer.
bool ArcSegmentMiddle(TRdim& chain, int k, AcGePoint3d& middle, AcGeVector3d& tangent) {
    const int n = chain.GetExtensions();
    if (n < 2) return false;
    std::unique_ptr<AcGeCircArc3d> arc(chain.GetArcDim(k));
    if (!arc) return false;
    const int s = std::clamp(k, 1, n - 1);
    const AcGePoint3d c = arc->center();
    const AcGePoint3d from = chain.GetPointDim(s - 1);
    const AcGePoint3d to = chain.GetPointDim(s);
    const double r = c.distanceTo(from);
    double a0 = AngleOnArc(*arc, from);
    double a1 = AngleOnArc(*arc, to);
    // The one segment of a full circle runs all the way round.
    if (a1 < a0 || (a1 == a0 && chain.IsFullCircle())) a1 += 2.0 * std::numbers::pi;
    const double mid = k >= n ? a1 : (a0 + a1) / 2.0;
    AcGeVector3d radial = arc->refVec();
    radial.rotateBy(mid, arc->normal());
    middle = c + radial.normal() * r;
    tangent = arc->normal().crossProduct(radial);
    return !tangent.isZeroLength();
}

} // namespace

// ---------------------------------------------------------------- sizes

double TRdim::AdaptByTextHeight(int index) {
    double percent = 0.0;
    const std::vector<double>* global =
        pGlobDimOptions ? &pGlobDimOptions->GetOptionSet(OPT_MODE_CHAIN).arrayOptDouble : nullptr;
    if (global && index >= 0 && index < static_cast<int>(global->size())) {
        percent = (*global)[static_cast<size_t>(index)];
    } else if (index >= 0 && index < static_cast<int>(m_rec.params.arrayDouble.size())) {
        percent = m_rec.params.arrayDouble[static_cast<size_t>(index)];
    } else {
        LogFmt(L"\n!!! AdaptByTextHeight i=%d ", index);
        percent = 10.0;
    }
    if (percent == 0.0) percent = 10.0;
    return PaperToModel(GetParamDouble(IND_D_TextHeight) / 10.0 * percent / 100.0);
}

double TRdim::GetTextHeight() {
    return PaperToModel(GetParamDouble(IND_D_TextHeight) / 10.0);
}

// ---------------------------------------------------------------- text angle

int TRdim::GetTextAngle(int k, double& angle, int& side) {
    const int n = GetExtensions();
    if (k < 0) k = -k;
    if (n > 0 && k > n - 1) k = n - 1;
    if (IsDimArc()) {
        AcGePoint3d middle;
        AcGeVector3d tangent;
        if (ArcSegmentMiddle(*this, k, middle, tangent)) {
            tangent.transformBy(GetUcsMatrix().inverse());
            m_rec.geo.rotation = NormalizeAngle(std::atan2(tangent.y, tangent.x));
        }
    }
    AcGeVector3d dir(std::cos(m_rec.geo.rotation), std::sin(m_rec.geo.rotation), 0.0);
    dir.transformBy(GetUcsMatrix());
    const TextAngle ta = TextAngleOfDirection(dir);
    angle = ta.angle;
    side = n >= 2 ? SideOfDimLine(k, angle) : 1;
    return ta.sign;
}

int ChainLabelDigit(const std::wstring& description) {
    if (description.empty() || description[0] < L'0' || description[0] > L'9') return 0;
    return description[0] - L'0';
}

TextFrame ChainTextFrame(TRdim& chain, int k) {
    // An arc chain turns its rotation to the segment first; a linear one has one angle.
    if (chain.IsDimArc()) {
        double angle = 0.0;
        int side = 1;
        chain.GetTextAngle(k, angle, side);
    }
    AcGeVector3d dir(std::cos(chain.GetRotation()), std::sin(chain.GetRotation()), 0.0);
    dir.transformBy(chain.GetUcsMatrix());
    return MakeTextFrame(dir, chain.GetUcsNormal());
}

namespace {

// Height of the text block: room for a superscript with "m/cm".
double BlockHeight(TRdim& chain) {
    const double h0 = chain.GetTextHeight();
    if (!IsMetresCentimetres(chain.GetParamString(IND_S_Measure))) return h0;
    return h0 * kSuperscriptRise + chain.AdaptByTextHeight(IND_D_ExpTextHeight);
}

// The point on the dimension line a segment's middle column refers to.
AcGePoint3d SegmentBase(TRdim& chain, int k) {
    if (chain.IsDimArc()) {
        AcGePoint3d middle;
        AcGeVector3d tangent;
        if (ArcSegmentMiddle(chain, k, middle, tangent)) return middle;
    }
    const AcGePoint3d a = chain.GetPointDim(k - 1);
    const AcGePoint3d b = chain.GetPointDim(k);
    return a + (b - a) * 0.5;
}

// DefaultTextPoint with the automatic shifts chosen by the caller.
AcGePoint3d DefaultPoint(TRdim& chain, int k, int code, bool automatic) {
    const int c = EffectiveCode(code);
    AcGePoint3d anchor;
    switch (SegmentAnchorOf(c)) {
    case SegmentAnchor::First:
        anchor = chain.GetPointDim(k - 1);
        break;
    case SegmentAnchor::Last:
        anchor = chain.GetPointDim(k);
        break;
    default:
        anchor = SegmentBase(chain, k);
        break;
    }
    const TextFrame frame = ChainTextFrame(chain, k);
    const double gap = chain.AdaptByTextHeight(IND_D_TextOffset);
    const double along = AlongShift(c, gap, chain.GetTextHeight(), automatic);
    const double across = AcrossShift(c, gap, BlockHeight(chain));
    return anchor + frame.along * along + frame.up * across;
}

} // namespace

AcGePoint3d TRdim::DefaultTextPoint(int k, int code) {
    const int n = GetExtensions();
    if (k < 1 || n < 2 || k > n) {
        if (k > n) LogFmt(L"\n******* DefaultTextPoint !!! %d / %d ", k, n);
        return GetPointTextPos(0);
    }
    const int stored = GetDimTextPos(k, false);
    return DefaultPoint(*this, k, code == -100 ? stored : code, stored < 0);
}

// ---------------------------------------------------------------- text geometry

namespace {

// What is drawn for one text: its parts, their widths, the frame, and where each part
// starts once placed.
struct TextGeometry {
    std::vector<std::wstring> parts;
    bool superscript = false;
    double widths[3] = {0.0, 0.0, 0.0};
    double h0 = 0.0;
    double boxHeight = 0.0;
    TextFrame frame;
    AcGePoint3dArray points;

    double Width() const { return widths[0] + widths[1] + widths[2]; }
};

// Composes and measures the text of segment k (or of an appended text of it).
bool MeasureText(TRdim& chain, int k, const AppendingText* appendingText, TextGeometry& g) {
    g.superscript = chain.BuildDisplayText(k, &g.parts, appendingText);
    if (g.parts.empty()) return false;
    const std::shared_ptr<const ChainTextStyle> style = ChainTextStyleScope::Acquire(chain.GetTextStyleId());
    g.h0 = chain.GetTextHeight();
    const double supHeight = chain.AdaptByTextHeight(IND_D_ExpTextHeight);
    g.widths[0] = style->Width(g.parts[0], g.h0);
    if (g.parts.size() > 1) g.widths[1] = style->Width(g.parts[1], supHeight);
    if (g.parts.size() > 2) g.widths[2] = style->Width(g.parts[2], g.h0);
    g.boxHeight = g.superscript ? g.h0 * kSuperscriptRise + supHeight : g.h0;
    g.frame = ChainTextFrame(chain, k == kChainLabelIndex ? 1 : k);
    return true;
}

// Start of part 0 for a text whose point is `at`, by the column of `code`.
AcGePoint3d TextStart(const TextGeometry& g, const AcGePoint3d& at, int code) {
    const AcGeVector3d half = g.frame.along * (g.Width() / 2.0);
    switch (AnchorOf(code)) {
    case TextAnchor::End:
        return at - half * 2.0;
    case TextAnchor::Start:
        return at;
    default:
        return at - half;
    }
}

// Insertion points of all parts: the superscript after part 0 and raised, the tail
// after the superscript on the base line again.
void PlaceParts(TextGeometry& g, const AcGePoint3d& start) {
    g.points.removeAll();
    g.points.append(start);
    const AcGeVector3d rise = g.frame.up * (kSuperscriptRise * g.h0);
    const AcGePoint3d sup = start + g.frame.along * g.widths[0] + rise;
    if (g.parts.size() > 1) g.points.append(sup);
    if (g.parts.size() > 2) g.points.append(sup + g.frame.along * g.widths[1] - rise);
}

// The label sits half a text height beyond the end dimension points, one gap above the
// dimension line; before the chain it ends there, after the chain it starts there.
void PlaceLabel(TRdim& chain, TextGeometry& g) {
    g.points.removeAll();
    const int digit = ChainLabelDigit(chain.GetParamString(IND_S_DimDescription));
    const int n = chain.GetExtensions();
    const double gap = chain.AdaptByTextHeight(IND_D_TextOffset);
    const AcGeVector3d lift = g.frame.up * gap;
    const AcGeVector3d beyond = g.frame.along * (g.h0 / 2.0);
    if (LabelAtStart(digit))
        g.points.append(chain.GetPointDim(0) - beyond + lift - g.frame.along * g.widths[0]);
    if (LabelAtEnd(digit)) g.points.append(chain.GetPointDim(n - 1) + beyond + lift);
}

TextBoxCorners BoxOf(const TextGeometry& g, double margin) {
    return MakeTextBox(g.points.isEmpty() ? AcGePoint3d::kOrigin : g.points[0], g.frame, g.Width(),
                       g.boxHeight, margin);
}

} // namespace

namespace {

// The whole text geometry of GetPointText; false (and a message) when there is nothing.
bool LayoutText(TRdim& chain, int k, const AppendingText* appendingText, int code, TextGeometry& g) {
    const int n = chain.GetExtensions();
    if (k != kChainLabelIndex && (k < 0 || k > n || n < 2)) {
        LogFmt(L"\n******* GetPointText !!! %d / %d ", k, n);
        return false;
    }
    if (!MeasureText(chain, k, appendingText, g)) {
        LogMsg(L"\n******* GetPointText !aStringText->GetSize() ");
        return false;
    }
    if (k == kChainLabelIndex) {
        PlaceLabel(chain, g);
        return true;
    }
    const int segment = std::max(k, 1);
    AcGePoint3d at;
    if (appendingText)
        at = appendingText->m_position;
    else if (code != 0)
        at = chain.DefaultTextPoint(k, code);
    else
        at = k == n ? chain.DefaultTextPoint(k) : chain.GetPointTextPos(k);
    // An appended text stands in the column of its segment's text, so the two line up.
    const int column = code != 0 ? code : chain.GetDimTextPos(appendingText ? segment : k, true);
    PlaceParts(g, TextStart(g, at, k == 0 ? kStandardTextCode : column));
    return true;
}

} // namespace

bool TRdim::GetPointText(int k, AcGePoint3dArray& points, std::vector<std::wstring>& parts,
                         const AppendingText* appendingText, int code) {
    points.removeAll();
    parts.clear();
    TextGeometry g;
    if (!LayoutText(*this, k, appendingText, code, g)) return false;
    parts = std::move(g.parts);
    points = g.points;
    return g.superscript;
}

std::array<AcGePoint3d, 4> TRdim::TextBox(int k, double margin) {
    TextGeometry g;
    if (!LayoutText(*this, k == 0 ? 1 : k, nullptr, 0, g)) return {};
    return BoxOf(g, margin);
}

// ---------------------------------------------------------------- centring and automatic placement

int TRdim::CenterText(int k) {
    if (k < 0) return 0;
    const int n = GetExtensions();
    // Entry 0 of a linear chain has no text, and the sum has no slot of its own.
    if (k >= n || (k == 0 && !IsDimArc())) return 1;
    int code = GetDimTextPos(k, false);
    if (code < 0) {
        code = -AutoTextPosition(k);
        SetDimTextPos(k, code);
    }
    SetPointText(k, DefaultTextPoint(k, code), true);
    return 1;
}

namespace {

// Boxes of automatic placement keep half a text gap free around every text.
constexpr double kAutoBoxMarginPart = 0.5;

// The box of segment j's text at the default point of its own code; none for a segment
// that does not exist or shows nothing.
std::optional<TextBoxCorners> NeighbourBox(TRdim& chain, int j, double margin) {
    if (j < 1 || j >= chain.GetExtensions()) return std::nullopt;
    TextGeometry g;
    if (!MeasureText(chain, j, nullptr, g) || g.parts[0].empty()) return std::nullopt;
    const int stored = chain.GetDimTextPos(j, false);
    PlaceParts(g, TextStart(g, DefaultPoint(chain, j, stored, stored < 0), stored));
    return BoxOf(g, margin);
}

bool Clear(const TextBoxCorners& box, const std::optional<TextBoxCorners>& other, const TextFrame& frame) {
    return !other || !ConvexOverlap(box, *other, frame);
}

// The neighbours' boxes, each measured at most once per choice.
class Neighbours {
public:
    Neighbours(TRdim& chain, int k, double margin) : m_chain(chain), m_k(k), m_margin(margin) {}
    const std::optional<TextBoxCorners>& At(int offset) {
        const int slot = offset + 2; // offsets -2 ... +1
        if (!m_done[slot]) {
            m_boxes[slot] = NeighbourBox(m_chain, m_k + offset, m_margin);
            m_done[slot] = true;
        }
        return m_boxes[slot];
    }

private:
    TRdim& m_chain;
    int m_k;
    double m_margin;
    bool m_done[4] = {false, false, false, false};
    std::optional<TextBoxCorners> m_boxes[4];
};

} // namespace

int TRdim::AutoTextPosition(int k) {
    const int n = GetExtensions();
    if (k <= 0 || k >= n || !pGlobDimOptions) return kStandardTextCode;
    TextGeometry g;
    if (!MeasureText(*this, k, nullptr, g) || g.parts[0].empty()) return kStandardTextCode;
    const double margin = kAutoBoxMarginPart * AdaptByTextHeight(IND_D_TextOffset);
    const double need = g.Width() + 2.0 * margin;
    if (GetDistance(k) > need) return kStandardTextCode;

    const AcGePoint3d middle = SegmentBase(*this, k);
    const bool mirror = pGlobDimOptions->GetOptFlag(IND_OPT_B_AutoPosBit1) && k >= 2 &&
                        middle.distanceTo(GetPointDim(0)) > middle.distanceTo(GetPointDim(n - 1));
    const bool innerRefused = pGlobDimOptions->GetOptFlag(IND_OPT_B_AutoPosBit2) != 0;
    const int label = ChainLabelDigit(GetParamString(IND_S_DimDescription));
    const bool outerRefused = (k == 1 && LabelAtStart(label)) || (k == n - 1 && LabelAtEnd(label));
    const AcGePoint3d region[4] = {GetPointDim(k - 1), GetPointDim(k), GetPointExt(k), GetPointExt(k - 1)};
    Neighbours near(*this, k, margin);

    for (int code : AutoPositionCandidates(pGlobDimOptions->arrayAutoPosOrder, mirror)) {
        if (code < 1 || code > 15) continue;
        PlaceParts(g, TextStart(g, DefaultPoint(*this, k, code, true), code));
        const TextBoxCorners box = BoxOf(g, margin);
        bool fits = false;
        if (IsInnerCode(code)) {
            fits = !innerRefused && !ConvexOverlap(box, region, g.frame) &&
                   Clear(box, near.At(-1), g.frame) && Clear(box, near.At(1), g.frame);
        } else if (IsBeforeCode(code)) {
            fits = !outerRefused && k > 1 && GetDistance(k - 1) >= need && Clear(box, near.At(-1), g.frame) &&
                   Clear(box, near.At(-2), g.frame);
        } else {
            fits =
                !outerRefused && k < n - 1 && GetDistance(k + 1) >= need && Clear(box, near.At(1), g.frame);
        }
        if (fits) return code;
    }
    return kStandardTextCode;
}

// ---------------------------------------------------------------- appended texts

int TRdim::SetAppendingTextPos(int k, AppendingText* record) {
    const int n = GetExtensions();
    if (!record || k < 0 || k >= n || n < 2) {
        LogFmt(L"\n******* SetAppendingTextPos !!! %d / %d ", k, n);
        return 0;
    }
    const int s = std::max(k, 1);
    const double gap = AdaptByTextHeight(IND_D_TextOffset);
    const double drop = -2.0 * gap - kAppendedTextDrop * GetTextHeight();
    record->m_position = GetPointTextPos(s) + ChainTextFrame(*this, s).up * drop;
    return 1;
}

// ---------------------------------------------------------------- re-layout

int TRdim::AdjustTexts(int mode) {
    if (!pGlobDimOptions) return 0;
    if (mode == 0) mode = (pGlobDimOptions->GetOptFlag(IND_OPT_B_AutoPosition) && !IsDimArc()) ? 'A' : 'C';
    bool upgraded = false;
    if (!isWriteEnabled()) {
        if (upgradeOpen() != Acad::eOk) {
            LogMsg(L"!isWriteEnabled");
            return 0;
        }
        upgraded = true;
    }
    ChainTextStyleScope styles;
    const int n = GetExtensions();
    if (mode == 'A' || mode == 'C')
        for (int k = 1; k < n; ++k)
            SetDimTextPos(k, mode == 'A' ? -kStandardTextCode : kStandardTextCode);
    for (int k = 1; k < n; ++k) {
        if (mode == 'G' && GetPointTextPos(k).distanceTo(DefaultTextPoint(k)) > kTextAtDefault) continue;
        CenterText(k);
        // The angle of an arc segment depends on where its neighbours' texts went.
        if (IsDimArc()) CenterText(k);
    }
    if (IsDimArc() && IsFullCircle()) SetPointText(0, DefaultTextPoint(0, GetDimTextPos(0, false)), false);
    if (upgraded) downgradeOpen();
    if (mode == 'R') return Refresh();
    return 1;
}
