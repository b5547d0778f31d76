#pragma once
// The module-wide suspension flag: while it is not 0 the module's database reactor
// ignores every notification, because the module itself is changing many objects.

// Sets the flag and returns its previous value, so callers can restore it.
int SetReactorsSuspended(int flag);
int AreReactorsSuspended();
// The flag's value while a context-menu operation runs.
inline constexpr int kReactorsContextOperation = 8;
// The flag's value while chains and height marks become the host's objects: height
// marks then neither follow their sources nor show a missing group base, as sources
// and bases go away one by one under them.
inline constexpr int kReactorsConversion = 444;

// Suspends for the lifetime of the object and restores the previous state after.
class CReactorSuspension {
public:
    explicit CReactorSuspension(int flag = 1) : m_previous(SetReactorsSuspended(flag)) {}
    ~CReactorSuspension() { SetReactorsSuspended(m_previous); }
    CReactorSuspension(const CReactorSuspension&) = delete;
    CReactorSuspension& operator=(const CReactorSuspension&) = delete;

private:
    int m_previous;
};
