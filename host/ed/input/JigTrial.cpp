#include "host/ed/input/JigTrial.h"

#include "host/ed/Ucs.h"
#include "host/ed/input/AcEdJig.h"
#include "host/ed/input/HostInput.h"

#include <optional>
#include <vector>

namespace host {

namespace {

struct Wait {
    AcEdJig* jig;
    int handling; // HostInput's handling depth when the wait began
};

// Jigs nest (a command run from a GUI event while another drags): the innermost last.
std::vector<Wait>& waits() {
    static std::vector<Wait> w;
    return w;
}

std::optional<AcGePoint3d>& trial() {
    static std::optional<AcGePoint3d> p;
    return p;
}

} // namespace

JigWait::JigWait(AcEdJig* jig) : m_jig(jig), m_handling(hostInput().handlingDepth()) {
    waits().push_back(Wait{jig, m_handling});
}

JigWait::~JigWait() {
    // Waits end in the reverse order they began; an exception unwinds them alike.
    if (!waits().empty() && waits().back().jig == m_jig) waits().pop_back();
}

AcEdJig* waitingJig() {
    if (waits().empty() || trial()) return nullptr;
    const Wait& w = waits().back();
    return w.handling == hostInput().handlingDepth() ? w.jig : nullptr;
}

bool tryJigPoint(const AcGePoint3d& ucsPoint, const std::function<void(AcDbEntity*)>& show) {
    AcEdJig* jig = waitingJig();
    if (!jig) return false;
    trial() = ucsToWorld(ucsPoint);
    try {
        if (jig->sampler() == AcEdJig::kNormal) jig->update();
    } catch (...) {
        // The entity may be half changed; it is shown as it is and the wait goes on.
    }
    trial().reset();
    if (show) show(jig->entity());
    return true;
}

const AcGePoint3d* jigTrialPoint() {
    return trial() ? &*trial() : nullptr;
}

bool jigTrialRunning() {
    return trial().has_value();
}

} // namespace host
