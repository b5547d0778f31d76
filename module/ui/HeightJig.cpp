#include "module/ui/HeightJig.h"

#include "module/base/LintaroLog.h"
#include "module/height/TRdimHeight.h"

namespace {
// 3D points, no null answer: the position is needed.
constexpr int kSymbolControls = AcEdJig::kAccept3dCoordinates | AcEdJig::kDontUpdateLastPoint;
} // namespace

TRdimHeightJig::TRdimHeightJig(TRdimHeight* mark, const AcGePoint3d& base)
    : m_mark(mark), m_base(base), m_point(base) {}

bool TRdimHeightJig::AskSymbolPoint(const wchar_t* prompt, AcGePoint3d& point) {
    setDispPrompt(L"%s", prompt);
    for (;;) {
        const DragStatus status = drag();
        if (status == kNormal || status == kNoChange) {
            point = m_point;
            return true;
        }
        if (status != kCancel) {
            LogFmt(L"\niRet=%d ", static_cast<int>(status));
            return false;
        }
    }
}

AcEdJig::DragStatus TRdimHeightJig::sampler() {
    setUserInputControls(UserInputControls(kSymbolControls));
    AcGePoint3d point;
    const DragStatus status = acquirePoint(point, m_base);
    if (status == kNormal) m_point = point;
    return status;
}

bool TRdimHeightJig::update() {
    if (m_mark) m_mark->SetPointDim(m_point);
    return true;
}

AcDbEntity* TRdimHeightJig::entity() const {
    return m_mark;
}
