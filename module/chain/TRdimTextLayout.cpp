// The layout of a chain's texts: what DrawDimTexts paints, worked out from the chain and
// kept until something it was worked out from changes (ChainLayout.h).
#include "module/chain/TRdim.h"

#include "module/base/LintaroLog.h"
#include "module/chain/ChainDisplayText.h"
#include "module/chain/ChainLayout.h"
#include "module/chain/ChainTextStyle.h"
#include "module/chain/KeptLayouts.h"
#include "module/chain/PositionCode.h"
#include "module/chain/TRdimLayout.h"
#include "module/options/CGlobDimOptions.h"
#include "module/options/OptionIndices.h"

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

namespace {

// The marker of the circle text of an arc chain drawn as a full circle.
constexpr LONG_PTR kCircleTextMarker = 1001;
// The sum's frame and the arc mark keep a fifth of the text height from the text, the
// straight manual-value mark a third.
constexpr double kFrameMarginPart = 1.0 / 5.0;
constexpr double kManualMarkMarginPart = 1.0 / 3.0;
// A text this far from its default place was moved by hand and gets its leader.
constexpr double kLeaderMoved = 1e-4;

// A size option of the user's: the global chain set when there is one, else the chain's.
double SizeOption(const TRdim& chain, int index) {
    if (pGlobDimOptions) {
        const std::vector<double>& d = pGlobDimOptions->GetOptionSet(OPT_MODE_CHAIN).arrayOptDouble;
        return index >= 0 && index < static_cast<int>(d.size()) ? d[static_cast<size_t>(index)] : 0.0;
    }
    return chain.GetParamDouble(index);
}

LaidLine BoxLine(const std::array<AcGePoint3d, 4>& box) {
    return LaidLine{std::vector<AcGePoint3d>(box.begin(), box.end()), true};
}

// A leader from a text to its segment: straight down to the dimension line when the text
// stands over its segment, else along the text's near edge and on to the segment's middle.
std::vector<AcGePoint3d> LeaderPoints(const std::array<AcGePoint3d, 4>& box, const TextFrame& frame,
                                      const AcGePoint3d& dimA, const AcGePoint3d& dimB) {
    const AcGePoint3d centre = box[0] + (box[2] - box[0]) * 0.5;
    const bool above = (centre - dimA).dotProduct(frame.up) >= 0;
    const AcGePoint3d e0 = above ? box[0] : box[3];
    const AcGePoint3d e1 = above ? box[1] : box[2];
    const AcGePoint3d mid = e0 + (e1 - e0) * 0.5;
    const AcGeVector3d seg = dimB - dimA;
    const double len2 = seg.lengthSqrd();
    const double t = len2 > 0 ? (mid - dimA).dotProduct(seg) / len2 : 0.0;
    if (len2 > 0 && t >= 0.0 && t <= 1.0) return {mid, dimA + seg * t};
    const AcGePoint3d segMiddle = dimA + seg * 0.5;
    const bool e0Near = e0.distanceTo(segMiddle) <= e1.distanceTo(segMiddle);
    return {e0Near ? e1 : e0, e0Near ? e0 : e1, segMiddle};
}

// The lines of text k: the frame of the sum, a leader, the mark of a manual value.
void AddTextLines(TRdim& chain, LaidText& text, int k, double h0, bool leaders) {
    if (k == chain.GetExtensions()) {
        text.lines.push_back(BoxLine(chain.TextBox(k, h0 * kFrameMarginPart)));
        return;
    }
    if (k >= 1 && leaders && chain.IsExtLeader(k)) {
        const int code = chain.GetDimTextPos(k, true);
        const bool moved = chain.GetPointTextPos(k).distanceTo(chain.DefaultTextPoint(k)) >= kLeaderMoved;
        if (moved || RowOf(code) == CodeRow::Raised)
            text.lines.push_back(LaidLine{LeaderPoints(chain.TextBox(k, h0 * kFrameMarginPart), text.frame,
                                                       chain.GetPointDim(k - 1), chain.GetPointDim(k)),
                                          false});
    }
    if (chain.IsUserTextOutOfTolerance(k)) {
        const std::array<AcGePoint3d, 4> box =
            chain.TextBox(k, h0 * (chain.IsDimArc() ? kFrameMarginPart : kManualMarkMarginPart));
        if (k == 0)
            text.lines.push_back(LaidLine{{box[0], box[1]}, false});
        else
            text.lines.push_back(LaidLine{{box[3], box[2]}, false});
    }
}

// Text k (a segment, the sum at k = extensions, the circle text at 0); false when it
// shows nothing.
bool LaySegmentText(TRdim& chain, ChainLayout& layout, int k, bool leaders) {
    LaidText text;
    chain.GetPointText(k, text.points, text.parts);
    if (text.parts.empty() || text.parts[0].empty() || text.points.isEmpty()) return false;
    text.marker = k == 0 ? kCircleTextMarker : 3 * k + 1;
    text.frame = ChainTextFrame(chain, k == 0 ? 1 : k);
    AddTextLines(chain, text, k, layout.textHeight, leaders);
    layout.texts.push_back(std::move(text));
    return true;
}

// The chain label before, after or at both ends of the chain.
void LayLabel(TRdim& chain, ChainLayout& layout) {
    const std::wstring description = chain.GetParamString(IND_S_DimDescription);
    const int digit = ChainLabelDigit(description);
    if (digit < 1 || digit > 3 || description.size() < 2) return;
    LaidText text;
    chain.GetPointText(kChainLabelIndex, text.points, text.parts);
    if (text.parts.empty() || text.parts[0].empty()) return;
    text.marker = 0;
    text.frame = ChainTextFrame(chain, 1);
    // A label at both ends is the same text twice.
    text.repeatsFirstPart = true;
    layout.texts.push_back(std::move(text));
}

} // namespace

// Appended texts, one per segment: a second record of a segment is dropped from a chain
// open for write, left to the next edit otherwise.
void TRdim::LayAppendingTexts(ChainLayout& layout) {
    const int n = GetExtensions();
    LogFmt(L" STEP-3 AppendTextList=%d ", static_cast<int>(m_rec.appTexts.size()));
    std::vector<int> seen;
    for (size_t r = 0; r < m_rec.appTexts.size();) {
        const AppendingText& rec = m_rec.appTexts[r];
        const int segment = std::max(rec.m_iSegment, 1);
        if (rec.m_strText.empty() || segment > n - 1) {
            ++r;
            continue;
        }
        if (std::find(seen.begin(), seen.end(), segment) != seen.end()) {
            LogFmt(L"\n***REDUNDANT APP TEXT %d./%d Ext=%d/%d ", static_cast<int>(r),
                   static_cast<int>(m_rec.appTexts.size()), segment, n);
            if (isWriteEnabled()) {
                assertWriteEnabled();
                m_rec.appTexts.erase(m_rec.appTexts.begin() + static_cast<std::ptrdiff_t>(r));
            } else {
                ++r;
            }
            continue;
        }
        seen.push_back(segment);
        LaidText text;
        GetPointText(segment, text.points, text.parts, &rec);
        if (!text.parts.empty() && !text.points.isEmpty()) {
            text.marker = 3 * segment + 1;
            text.frame = ChainTextFrame(*this, segment);
            layout.texts.push_back(std::move(text));
        }
        ++r;
    }
}

ChainLayout TRdim::BuildLayout(const ChainTextStyle& style) {
    ChainLayout layout;
    layout.tick = PaperToModel(SizeOption(*this, IND_D_TickSize));
    layout.beyondDimLine = PaperToModel(SizeOption(*this, IND_D_ExtendBeyondDimLine));
    layout.beyondTick = PaperToModel(SizeOption(*this, IND_D_ExtendBeyondTick));
    layout.textHeight = GetTextHeight();
    layout.supHeight = AdaptByTextHeight(IND_D_ExpTextHeight);
    layout.textColor = ColorForTextHeight(style.IsTrueType() ? 0.0 : GetParamDouble(IND_D_TextHeight));
    const int n = GetExtensions();
    if (n < 2) return layout;
    const bool leaders = pGlobDimOptions && pGlobDimOptions->GetOptFlag(IND_OPT_B_LeadersShow);
    for (int k = IsDimArc() && IsFullCircle() ? 0 : 1; k <= n; ++k) {
        if (k == n && !(IsSumShown() && n > 2)) continue;
        LaySegmentText(*this, layout, k, leaders);
    }
    LayAppendingTexts(layout);
    LayLabel(*this, layout);
    // Kept for long: without the room left for more.
    layout.texts.shrink_to_fit();
    for (LaidText& text : layout.texts)
        text.parts.shrink_to_fit();
    return layout;
}

std::uint64_t TRdim::LayoutKey(const ChainTextStyle& style) {
    Fingerprint print;
    AddRecord(print, m_rec);
    AddChainOptions(print);
    AddTextStyle(print, style.Style());
    // The scale brings in the annotation scale of an annotative chain.
    print.Add(GetScale());
    return print.Value();
}

const ChainLayout& TRdim::Layout(const ChainTextStyle& style) {
    if (m_layout && m_layoutKey == LayoutKey(style)) {
        KeptLayouts::Used(this);
        return *m_layout;
    }
    auto layout = std::make_unique<ChainLayout>(BuildLayout(style));
    // Working the texts out may tidy the chain (a short text list, a second appended
    // text): the key is taken from what the chain holds afterwards.
    m_layoutKey = LayoutKey(style);
    m_layout = std::move(layout);
    KeptLayouts::Kept(this, KeptLayouts::Bytes(*m_layout));
    return *m_layout;
}

void TRdim::DropLayout() {
    KeptLayouts::Forget(this);
    m_layout.reset();
}
