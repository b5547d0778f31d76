#pragma once
// Where the cursor is while a jig waits: a GUI shows the dragged entity for that
// point before the user clicks. A trial runs the waiting jig's sampler (and update,
// when the sampler took the point) with the cursor's point instead of an input line;
// nothing is read from the input and the wait goes on. The real answer that follows
// is sampled as ever. Host thread only, like all input.
#include "host/ge/AcGePoint3d.h"

#include <functional>

class AcEdJig;
class AcDbEntity;

namespace host {

// Held by a jig's acquire function for the time it waits for its answer.
class JigWait {
public:
    explicit JigWait(AcEdJig* jig);
    ~JigWait();
    JigWait(const JigWait&) = delete;
    JigWait& operator=(const JigWait&) = delete;

private:
    AcEdJig* m_jig;
    int m_handling;
};

// The jig whose acquire function waits for input now; null when none waits, or when
// the wait is interrupted by other work (a GUI event's handler, a transparent
// command), whose own questions come first.
AcEdJig* waitingJig();

// Runs a trial with the point (current UCS, as a typed or clicked point) and hands
// the jig's entity to `show` (null when the jig has none). False, with nothing run,
// when no jig waits; a sampler that throws ends the trial, not the wait.
bool tryJigPoint(const AcGePoint3d& ucsPoint, const std::function<void(AcDbEntity*)>& show);

// For the acquire functions: the trial point (world) while a trial runs, else null.
// An input function that a sampler calls during a trial reads nothing: it is
// answered as cancelled.
const AcGePoint3d* jigTrialPoint();
bool jigTrialRunning();

} // namespace host
