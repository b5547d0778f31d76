#include "host/win/ProfileCache.h"

#include "host/win/IniDocument.h"

#include <cerrno>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <pthread.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <unordered_map>

namespace host {

namespace {

// Longer than the coarse clock tick that stamps files on local file systems.
constexpr long long kStampTickNs = 100'000'000;
// Bounds on what is kept: files, and looked-up values per file.
constexpr std::size_t kMaxFiles = 32;
constexpr std::size_t kMaxValues = 4096;

long long nanoseconds(const timespec& t) {
    return static_cast<long long>(t.tv_sec) * 1'000'000'000LL + t.tv_nsec;
}

struct Stamp {
    dev_t dev = 0;
    ino_t ino = 0;
    off_t size = 0;
    long long mtime = 0;
    long long ctime = 0;
    mode_t mode = 0;

    bool operator==(const Stamp&) const = default;
};

Stamp stampOf(const struct stat& st) {
    return {st.st_dev, st.st_ino, st.st_size, nanoseconds(st.st_mtim), nanoseconds(st.st_ctim), st.st_mode};
}

struct Entry {
    Stamp stamp;
    bool settled = false; // old enough that a change must show in its stamps
    bool watched = false; // the system tells of any change: no stamps needed
    std::shared_ptr<const ProfileSnapshot> snapshot;
};

std::unordered_map<std::string, Entry>& entries() {
    static auto* kept = new std::unordered_map<std::string, Entry>;
    return *kept;
}

// Change notices for the kept files and their folders. Any notice at all drops
// every snapshot and every watch: settings files change rarely, and when one does
// the next reads set everything up again.
int g_notices = -1;
bool g_noticesUnavailable = false;
// Set by the signal the notice descriptor raises when a notice arrives. The kernel
// raises it within the system call that made the change (ours or another
// program's) and delivers it to this thread before it next runs, so a flag that is
// still clear means no notice: the descriptor need not be read on every call.
volatile sig_atomic_t g_noticeRaised = 0;
bool g_signalled = false;
// Only the thread the signal is sent to may trust a clear flag; others read.
thread_local bool t_signalledHere = false;

void onNotice(int) {
    g_noticeRaised = 1;
}

// Asks for SIGIO to this thread on each notice, unless someone else handles SIGIO.
bool raiseSignalOnNotice(int fd) {
    struct sigaction old {};
    if (::sigaction(SIGIO, nullptr, &old) != 0) return false;
    if (old.sa_handler != onNotice && (old.sa_flags & SA_SIGINFO || old.sa_handler != SIG_DFL)) return false;
    sigset_t blocked;
    if (::pthread_sigmask(SIG_SETMASK, nullptr, &blocked) != 0 || sigismember(&blocked, SIGIO)) return false;
    struct sigaction act {};
    act.sa_handler = onNotice;
    act.sa_flags = SA_RESTART;
    sigemptyset(&act.sa_mask);
    if (::sigaction(SIGIO, &act, nullptr) != 0) return false;
    const f_owner_ex owner{F_OWNER_TID, static_cast<pid_t>(::syscall(SYS_gettid))};
    t_signalledHere = ::fcntl(fd, F_SETOWN_EX, &owner) == 0 && ::fcntl(fd, F_SETSIG, SIGIO) == 0 &&
                      ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_ASYNC) == 0;
    return t_signalledHere;
}

void dropAll() {
    entries().clear();
    if (g_notices >= 0) ::close(g_notices);
    g_notices = -1;
    g_signalled = false;
    g_noticeRaised = 0;
}

// A child process starts without what its parent kept: the notices would go to the
// parent, and reading the shared descriptor would take them from it.
struct ForkGuard {
    ForkGuard() { ::pthread_atfork(nullptr, nullptr, [] { dropAll(); }); }
};
const ForkGuard g_forkGuard;

// True when nothing kept can have changed since it was read.
bool noNotices() {
    if (g_notices < 0) return true;
    if (g_signalled && t_signalledHere && !g_noticeRaised) return true;
    // Cleared before reading: a notice from now on raises it again.
    g_noticeRaised = 0;
    alignas(inotify_event) char buf[4096];
    const ssize_t n = ::read(g_notices, buf, sizeof buf);
    if (n < 0 && (errno == EAGAIN || errno == EINTR)) return true;
    dropAll();
    return false;
}

// Watches the file (written in place, replaced, removed or moved) and its folder (a
// file put in its place); false when the system cannot, and the stamps must do.
bool watch(const std::string& path) {
    if (g_notices < 0 && !g_noticesUnavailable) {
        g_notices = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        g_noticesUnavailable = g_notices < 0;
        g_noticeRaised = 0;
        g_signalled = g_notices >= 0 && raiseSignalOnNotice(g_notices);
    }
    if (g_notices < 0) return false;
    constexpr uint32_t kFile = IN_MODIFY | IN_ATTRIB | IN_CLOSE_WRITE | IN_DELETE_SELF | IN_MOVE_SELF;
    constexpr uint32_t kFolder =
        IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF;
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
    return ::inotify_add_watch(g_notices, path.c_str(), kFile) >= 0 &&
           ::inotify_add_watch(g_notices, folder.c_str(), kFolder) >= 0;
}

long long nowNs() {
    timespec t{};
    ::clock_gettime(CLOCK_REALTIME, &t);
    return nanoseconds(t);
}

} // namespace

struct ProfileSnapshot::Memo {
    std::unordered_map<std::wstring, std::optional<std::wstring>> values;
};

ProfileSnapshot::ProfileSnapshot(std::string bytes)
    : m_bytes(std::move(bytes)), m_memo(std::make_unique<Memo>()) {}

ProfileSnapshot::~ProfileSnapshot() = default;

std::optional<std::wstring> ProfileSnapshot::value(std::wstring_view section, std::wstring_view key) const {
    // The section's length first, so no two pairs make the same memo key.
    std::wstring memoKey(1, static_cast<wchar_t>(section.size()));
    memoKey.append(section).append(key);
    auto& values = m_memo->values;
    if (auto it = values.find(memoKey); it != values.end()) return it->second;
    std::optional<std::wstring> found = IniDocument::findValue(m_bytes, section, key);
    if (values.size() >= kMaxValues) values.clear();
    values.emplace(std::move(memoKey), found);
    return found;
}

ReadResult readProfileSnapshot(const std::string& nativePath, std::size_t maxBytes,
                               std::shared_ptr<const ProfileSnapshot>& snapshot) {
    snapshot.reset();
    auto& kept = entries();
    if (auto it = kept.find(nativePath); it != kept.end() && it->second.watched && noNotices()) {
        snapshot = it->second.snapshot;
        return ReadResult::Ok;
    }
    const long long now = nowNs();
    // Watched before reading: a change after this point is noticed.
    const bool watched = watch(nativePath);
    struct stat st {};
    if (::stat(nativePath.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        kept.erase(nativePath);
        std::string bytes;
        return readFileBytes(nativePath, bytes, maxBytes);
    }
    const Stamp stamp = stampOf(st);
    auto it = kept.find(nativePath);
    if (it != kept.end() && it->second.settled && it->second.stamp == stamp) {
        snapshot = it->second.snapshot;
        return ReadResult::Ok;
    }
    std::string bytes;
    const ReadResult read = readFileBytes(nativePath, bytes, maxBytes);
    if (read != ReadResult::Ok) {
        kept.erase(nativePath);
        return read;
    }
    // Same bytes: the values looked up so far still hold.
    std::shared_ptr<const ProfileSnapshot> previous = it != kept.end() ? it->second.snapshot : nullptr;
    if (!previous || previous->bytes() != bytes)
        previous = std::make_shared<ProfileSnapshot>(std::move(bytes));
    // A notice of anything since the watch began drops all that is kept (this file too).
    const bool quiet = watched && noNotices();
    if (kept.size() >= kMaxFiles) kept.clear();
    Entry& e = kept[nativePath];
    e.snapshot = previous;
    // The stamps were taken before the read; a change after them moves them on.
    e.stamp = stamp;
    e.settled = stamp.mtime + kStampTickNs < now && stamp.ctime + kStampTickNs < now;
    e.watched = quiet;
    snapshot = e.snapshot;
    return ReadResult::Ok;
}

bool keptProfileFile(const std::string& nativePath, bool& readOnly) {
    auto it = entries().find(nativePath);
    if (it == entries().end() || !it->second.watched) return false;
    readOnly = (it->second.stamp.mode & 0222) == 0;
    // Looked up before: a notice drops the entry, which must not be used then.
    return noNotices();
}

void forgetProfileSnapshot(const std::string& nativePath) {
    entries().erase(nativePath);
}

} // namespace host
