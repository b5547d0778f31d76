#pragma once
// The module-wide suspension flag: while it is not 0 the module's database reactor
// ignores every notification, because the module itself is changing many objects.

// Sets the flag and returns its previous value, so callers can restore it.
int SetReactorsSuspended(int flag);
int AreReactorsSuspended();
// The flag's value while a context-menu operation runs.
inline constexpr int kReactorsContextOperation = 8;

// Suspends for the lifetime of the object and restores the previous state after.
class CReactorSuspension {
public:
    CReactorSuspension() : m_previous(SetReactorsSuspended(1)) {}
    ~CReactorSuspension() { SetReactorsSuspended(m_previous); }
    CReactorSuspension(const CReactorSuspension&) = delete;
    CReactorSuspension& operator=(const CReactorSuspension&) = delete;

private:
    int m_previous;
};
