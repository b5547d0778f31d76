#include "module/ui/TextMoves.h"

#include "host/ed/acutPrintf.h"
#include "host/ge/AcGeTol.h"
#include "host/mfc/CWnd.h"
#include "host/win/FormatW.h"
#include "module/base/LintaroLog.h"
#include "module/options/IniStorage.h"
#include "module/resources/resource.h"

#include <cmath>
#include <cwchar>

namespace {

struct Arrow {
    int id;
    TextMove move;
};

constexpr Arrow kArrows[] = {
    {1055, {TextMoveKind::kAxes, 0, 1}},     {1056, {TextMoveKind::kAxes, 0, -1}},
    {1057, {TextMoveKind::kAxes, -1, 0}},    {1058, {TextMoveKind::kAxes, 1, 0}},
    {1059, {TextMoveKind::kAxes, -1, 1}},    {1060, {TextMoveKind::kAxes, 1, 1}},
    {1061, {TextMoveKind::kAxes, -1, -1}},   {1062, {TextMoveKind::kAxes, 1, -1}},
    {1063, {TextMoveKind::kSegment, -1, 0}}, {1064, {TextMoveKind::kSegment, 1, 0}},
    {1065, {TextMoveKind::kSegment, 0, 1}},  {1066, {TextMoveKind::kSegment, 0, -1}},
    {1067, {TextMoveKind::kOtherSide, 0, 0}}, {1068, {TextMoveKind::kHome, 0, 0}},
    {1069, {TextMoveKind::kSegmentMiddle, 0, 0}},
};

} // namespace

TextMove TextMoveOf(int controlId) {
    for (const Arrow& a : kArrows)
        if (a.id == controlId) return a.move;
    return TextMove{};
}

AcGePoint3d MoveBySegment(const TextMove& move, const AcGePoint3d& text, const AcGePoint3d& a,
                          const AcGePoint3d& b, const AcGeVector3d& normal, double distance) {
    AcGeVector3d along = b - a;
    if (along.length() <= AcGeContext::gTol.equalPoint()) return text;
    along.normalize();
    AcGeVector3d left = normal.crossProduct(along);
    if (left.length() <= AcGeContext::gTol.equalVector()) return text;
    left.normalize();
    const AcGeVector3d fromA = text - a;
    const double at = fromA.dotProduct(along);
    const double off = fromA.dotProduct(left);
    switch (move.kind) {
    case TextMoveKind::kSegment:
        return text + (along * move.dx + left * move.dy) * distance;
    case TextMoveKind::kOtherSide:
        return text - left * (2.0 * off);
    case TextMoveKind::kSegmentMiddle:
        return text + along * (0.5 * (b - a).length() - at);
    default:
        return text;
    }
}

double TextMoveStepSetting() {
    constexpr double kDefaultStep = 5.0;
    const std::wstring step = GetIniGeneral(L"TextMoveStep");
    if (step.empty()) return kDefaultStep;
    wchar_t* end = nullptr;
    const double value = std::wcstod(step.c_str(), &end);
    if (end == step.c_str() || !std::isfinite(value) || value <= 0) {
        acutPrintf(L"\nTextMoveStep \"%s\" is no step - 5 is taken.", step.c_str());
        return kDefaultStep;
    }
    return value;
}

bool ReadMoveStep(const std::wstring& text, double& step) {
    wchar_t* end = nullptr;
    const double value = std::wcstod(text.c_str(), &end);
    if (end == text.c_str() || *end != 0 || !std::isfinite(value) || value <= 0) {
        acutPrintf(LoadStr(IDS_STEP_NOT_POSITIVE), text.c_str());
        return false;
    }
    step = value;
    return true;
}

bool ReadMoveStepField(CWnd& dialog, int id, double& step) {
    std::wstring text;
    dialog.GetDlgItemText(id, text);
    if (ReadMoveStep(text, step)) return true;
    dialog.SetDlgItemText(id, host::FormatW(L"%g", step).c_str());
    return false;
}
