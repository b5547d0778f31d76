#include "module/convert/ChainToDims.h"

#include "host/db/dimensions/AcDbArcDimension.h"
#include "host/db/dimensions/AcDbRotatedDimension.h"
#include "host/ge/AcGeCircArc3d.h"
#include "host/ge/AcGeTol.h"
#include "module/base/LintaroLog.h"
#include "module/chain/NumberText.h"
#include "module/chain/PositionCode.h"
#include "module/chain/TRdim.h"
#include "module/options/OptionIndices.h"

#include <cmath>
#include <cwchar>

namespace {

constexpr const wchar_t* kStackOpen = L"\\A1;";
constexpr const wchar_t* kStackMiddle = L"{\\H0.7x;\\S";
constexpr const wchar_t* kStackClose = L"^;}";
constexpr double kTwoPi = 6.28318530717958647692;

bool StartsWith(const std::wstring& text, const std::wstring& head) {
    return text.compare(0, head.size(), head) == 0;
}

bool EndsWith(const std::wstring& text, const std::wstring& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// The counter-clockwise angle from `from` to `to`, in [0, 2 pi).
double SweepCcw(double from, double to) {
    double sweep = std::fmod(to - from, kTwoPi);
    if (sweep < 0) sweep += kTwoPi;
    return sweep;
}

// The text of the chain's segment stays where the user put it; at its standard place
// the host places it.
void PlaceText(TRdim& chain, int k, AcDbDimension& dim) {
    const AcGePoint3d at = chain.GetPointTextPos(k);
    const bool standard = EffectiveCode(chain.GetDimTextPos(k, true)) == kStandardTextCode &&
                          at.distanceTo(chain.DefaultTextPoint(k)) < lintaro::tol::kTextAtDefault;
    if (standard) {
        dim.useDefaultTextPosition();
    } else {
        dim.setTextPosition(at);
        dim.useSetTextPosition();
    }
}

std::unique_ptr<AcDbDimension> LinearSegment(TRdim& chain, int k) {
    const AcGeVector3d dir = chain.GetVectorDim();
    const double rotation = std::atan2(dir.y, dir.x);
    return std::make_unique<AcDbRotatedDimension>(rotation, chain.GetPointInput(k - 1),
                                                  chain.GetPointInput(k), chain.GetPointDim(k));
}

// The arc length dimension of segment k: its ends in the order that measures the
// segment counter-clockwise, the dimension arc through the middle of the segment's
// stretch of the chain's dimension arc.
std::unique_ptr<AcDbDimension> ArcSegment(TRdim& chain, int k, const AcGeCircArc3d& arc) {
    const AcGePoint3d centre = arc.center();
    AcGePoint3d first = chain.GetPointInput(k - 1);
    AcGePoint3d second = chain.GetPointInput(k);
    auto angleOf = [&centre](const AcGePoint3d& p) { return std::atan2(p.y - centre.y, p.x - centre.x); };
    const double radius = centre.distanceTo(first);
    const double length = chain.GetDistance(k);
    double sweep = SweepCcw(angleOf(first), angleOf(second));
    if (std::fabs(sweep * radius - length) > std::fabs((kTwoPi - sweep) * radius - length)) {
        std::swap(first, second);
        sweep = kTwoPi - sweep;
    }
    const double middle = angleOf(first) + sweep / 2;
    const double dimRadius = centre.distanceTo(chain.GetPointDim(k));
    const AcGePoint3d arcPoint(centre.x + dimRadius * std::cos(middle),
                               centre.y + dimRadius * std::sin(middle), centre.z);
    return std::make_unique<AcDbArcDimension>(centre, first, second, arcPoint);
}

} // namespace

std::wstring StackedDimText(const std::wstring& value) {
    const size_t caret = value.find(L'^');
    if (caret == std::wstring::npos) return value;
    return kStackOpen + value.substr(0, caret) + kStackMiddle + value.substr(caret + 1) + kStackClose;
}

std::wstring UnstackDimText(const std::wstring& text) {
    if (!StartsWith(text, kStackOpen) || !EndsWith(text, kStackClose)) return text;
    const std::wstring body = text.substr(std::wcslen(kStackOpen),
                                          text.size() - std::wcslen(kStackOpen) - std::wcslen(kStackClose));
    const size_t middle = body.find(kStackMiddle);
    if (middle == std::wstring::npos) return text;
    return body.substr(0, middle) + L"^" + body.substr(middle + std::wcslen(kStackMiddle));
}

SegmentDimText DimTextOfSegment(TRdim& chain, int k, bool associative) {
    SegmentDimText out;
    const std::wstring value = chain.GetText(k);
    const std::wstring user = chain.GetDimTextUser(k);
    if (associative && user.empty()) return out;
    if (value.find(L'^') != std::wstring::npos) {
        out.dimText = StackedDimText(value);
        return out;
    }
    if (user.empty()) return out;
    double number = 0;
    if (ParseUserNumber(user, chain.GetParamString(IND_S_Delimiter), number)) {
        out.dimText = value;
    } else {
        out.dimText = L" ";
        out.replacedText = user;
    }
    return out;
}

std::vector<std::unique_ptr<AcDbDimension>> MakeAcadDims(TRdim& chain) {
    std::vector<std::unique_ptr<AcDbDimension>> dims;
    const int n = chain.GetExtensions();
    LogFmt(L"\nMake AcadDims nExtensions=%d ", n);
    std::unique_ptr<AcGeCircArc3d> arc;
    if (chain.IsDimArc()) {
        arc.reset(chain.GetArcInput(false));
        if (!arc) LogMsg(L"\nMake AcadDims: the chain's arc is missing ");
    }
    if (n < 2 || (chain.IsDimArc() && !arc)) return dims;
    for (int k = 1; k < n; ++k) {
        std::unique_ptr<AcDbDimension> dim = arc ? ArcSegment(chain, k, *arc) : LinearSegment(chain, k);
        dim->setNormal(chain.GetZAxis().isZeroLength() ? AcGeVector3d::kZAxis : chain.GetZAxis());
        dim->setLayer(chain.layerId());
        dim->setColor(chain.color());
        PlaceText(chain, k, *dim);
        dims.push_back(std::move(dim));
    }
    LogFmt(L"\nMake AcadDims END bValidDim=%d ", static_cast<int>(dims.size()));
    return dims;
}
