#include "host/win/FileBytes.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace host {

namespace {

struct Fd {
    int fd = -1;
    ~Fd() {
        if (fd >= 0) ::close(fd);
    }
};

bool writeAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

mode_t currentUmask() {
    const mode_t m = ::umask(022);
    ::umask(m);
    return m;
}

// The file a path names, through any symbolic links; the path itself when it does
// not exist yet.
std::string resolveTarget(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        char buf[PATH_MAX];
        if (::realpath(path.c_str(), buf)) return buf;
    }
    return path;
}

} // namespace

ReadResult readFileBytes(const std::string& nativePath, std::string& bytes, std::size_t maxBytes) {
    bytes.clear();
    Fd f;
    // Non-blocking, so a FIFO or device in a file's place cannot hang us; regular
    // files read the same either way.
    f.fd = ::open(nativePath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (f.fd < 0) return (errno == ENOENT || errno == ENOTDIR) ? ReadResult::Missing : ReadResult::Failed;
    struct stat st {};
    if (::fstat(f.fd, &st) != 0) return ReadResult::Failed;
    if (!S_ISREG(st.st_mode)) return ReadResult::NotAFile;
    if (static_cast<unsigned long long>(st.st_size) > maxBytes) return ReadResult::TooLarge;
    char buf[65536];
    for (;;) {
        const ssize_t n = ::read(f.fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) continue;
            bytes.clear();
            return ReadResult::Failed;
        }
        if (n == 0) break;
        bytes.append(buf, static_cast<size_t>(n));
        // The file may grow while we read it.
        if (bytes.size() > maxBytes) {
            bytes.clear();
            return ReadResult::TooLarge;
        }
    }
    return ReadResult::Ok;
}

bool replaceFile(const std::string& nativePath, const std::string& bytes, Durability durability) {
    const std::string target = resolveTarget(nativePath);
    const size_t slash = target.rfind('/');
    const std::string dir = slash == std::string::npos ? "." : (slash == 0 ? "/" : target.substr(0, slash));
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    if (name.empty()) {
        errno = EISDIR;
        return false;
    }
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode)) {
        errno = EISDIR;
        return false;
    }
    std::string tmp = dir + "/." + name + ".XXXXXX";
    Fd f;
    f.fd = ::mkstemp(tmp.data());
    if (f.fd < 0) return false;
    const mode_t mode = exists ? (old.st_mode & 07777) : (0666 & ~currentUmask());
    bool ok = ::fchmod(f.fd, mode) == 0 && writeAll(f.fd, bytes) &&
              (durability == Durability::Atomic || ::fsync(f.fd) == 0);
    const int closeResult = ::close(f.fd);
    f.fd = -1;
    ok = ok && closeResult == 0 && ::rename(tmp.c_str(), target.c_str()) == 0;
    if (!ok) {
        const int saved = errno;
        ::unlink(tmp.c_str());
        errno = saved;
    }
    return ok;
}

} // namespace host
