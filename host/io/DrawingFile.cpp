#include "host/io/DrawingFile.h"

#include "host/db/database/AcDbDatabase.h"
#include "host/db/database/DrawingFileMessage.h"
#include "host/db/database/DxfIn.h"
#include "host/io/DrawingImage.h"
#include "host/io/DrawingReader.h"
#include "host/io/DrawingWriter.h"
#include "host/io/dxf/DxfImport.h"
#include "host/win/FileBytes.h"
#include "host/win/FormatW.h"
#include "host/win/Utf8.h"
#include "host/win/WinFiles.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace host::io {

namespace {

SaveInterruptHook& interruptHook() {
    static SaveInterruptHook hook;
    return hook;
}

std::wstring systemError(int err) {
    return fromUtf8(std::strerror(err));
}

std::string baseName(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string folderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// A symbolic link is saved through: the link stays and its target gets the drawing.
bool resolveTarget(const std::string& path, std::string& target, int& err) {
    struct stat st;
    target = path;
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return true;
    char resolved[PATH_MAX];
    if (!::realpath(path.c_str(), resolved)) {
        err = errno;
        return false;
    }
    target = resolved;
    return true;
}

bool writeAll(int fd, const std::vector<uint8_t>& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += size_t(n);
    }
    return true;
}

std::string temporaryPrefix(const std::string& base) { return "." + base + ".saving-"; }

// A save that was killed (or hit a power cut) leaves its temporary file behind;
// the next save of the same drawing removes those of its own name, and only those.
void removeStaleTemporaries(const std::string& folder, const std::string& base) {
    const std::string prefix = temporaryPrefix(base);
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    std::vector<std::string> stale;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.size() == prefix.size() + 6 && name.compare(0, prefix.size(), prefix) == 0) stale.push_back(name);
    }
    ::closedir(dir);
    for (const std::string& name : stale) {
        const std::string path = folder + "/" + name;
        struct stat st;
        if (::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) ::unlink(path.c_str());
    }
}

// Writes a new file with a unique name in `folder`; its name on success.
bool writeTemporary(const std::string& folder, const std::string& base, const std::vector<uint8_t>& bytes,
                    mode_t mode, std::string& tempPath, int& err) {
    std::string pattern = folder + "/" + temporaryPrefix(base) + "XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) {
        err = errno;
        return false;
    }
    tempPath = name.data();
    bool ok = ::fchmod(fd, mode) == 0 && writeAll(fd, bytes) && ::fsync(fd) == 0;
    if (!ok) err = errno ? errno : EIO;
    if (::close(fd) != 0 && ok) {
        ok = false;
        err = errno;
    }
    if (!ok) ::unlink(tempPath.c_str());
    return ok;
}

// Keeps the current file as the backup: a hard link when the file system allows
// it, else a copy; either goes in under a temporary name and is renamed, so an
// existing backup is only ever replaced by a whole one.
bool keepBackup(const std::string& target, const std::string& bak, mode_t mode, int& err) {
    const std::string staging = bak + ".saving";
    ::unlink(staging.c_str());
    if (::link(target.c_str(), staging.c_str()) != 0) {
        std::string old;
        if (readFileBytes(target, old, kMaxDrawingFileBytes) != ReadResult::Ok) {
            err = errno ? errno : EIO;
            return false;
        }
        std::string copy;
        if (!writeTemporary(folderOf(bak), baseName(bak), std::vector<uint8_t>(old.begin(), old.end()), mode, copy,
                            err))
            return false;
        if (::rename(copy.c_str(), staging.c_str()) != 0) {
            err = errno;
            ::unlink(copy.c_str());
            return false;
        }
    }
    if (::rename(staging.c_str(), bak.c_str()) != 0) {
        err = errno;
        ::unlink(staging.c_str());
        return false;
    }
    return true;
}

void syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

std::wstring saveFailed(const std::wstring& path, const std::wstring& why) {
    return FormatW(L"\"%s\" could not be saved: %s.", path.c_str(), why.c_str());
}

// The file as it will be on the disk must read back; a writer fault must never
// replace a good drawing.
bool selfCheck(const std::vector<uint8_t>& bytes, std::wstring& why) {
    ImageError err;
    if (checkDrawingLayout(bytes.data(), bytes.size(), err)) return true;
    why = FormatW(L"the new file failed its own check at byte %zu (%s); nothing was written", err.offset,
                  err.what.c_str());
    return false;
}

} // namespace

std::wstring backupPathFor(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"/\\");
    const size_t dot = path.rfind(L'.');
    const bool hasExtension = dot != std::wstring::npos && (slash == std::wstring::npos || dot > slash + 1);
    return (hasExtension ? path.substr(0, dot) : path) + L".bak";
}

void setSaveInterruptHook(SaveInterruptHook hook) {
    interruptHook() = std::move(hook);
}

namespace {
bool fileBytes(const std::wstring& path, std::string& bytes, DrawingReadReport& report) {
    report = DrawingReadReport();
    errno = 0;
    const ReadResult r = readFileBytes(nativePath(path), bytes, kMaxDrawingFileBytes);
    if (r == ReadResult::Ok) return true;
    const int err = errno;
    report.status = r == ReadResult::Missing ? Acad::eFileNotFound : Acad::eFileAccessErr;
    switch (r) {
    case ReadResult::Missing:
        report.error = FormatW(L"\"%s\" does not exist.", path.c_str());
        break;
    case ReadResult::NotAFile:
        report.error = FormatW(L"\"%s\" is not a file.", path.c_str());
        break;
    case ReadResult::TooLarge:
        report.error = FormatW(L"\"%s\" is larger than the %zu bytes a drawing may have.", path.c_str(),
                               kMaxDrawingFileBytes);
        break;
    default:
        report.error =
            FormatW(L"\"%s\" could not be read: %s.", path.c_str(), systemError(err ? err : EIO).c_str());
    }
    return false;
}

const uint8_t* bytesOf(const std::string& bytes) {
    return reinterpret_cast<const uint8_t*>(bytes.data());
}

mode_t newFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}
} // namespace

std::unique_ptr<AcDbDatabase> readDrawingFile(const std::wstring& path, DrawingReadReport& report) {
    std::string bytes;
    if (!fileBytes(path, bytes, report)) return nullptr;
    return drawingFromBytes(bytesOf(bytes), bytes.size(), path, report);
}

bool checkDrawingFile(const std::wstring& path, DrawingReadReport& report) {
    std::string bytes;
    return fileBytes(path, bytes, report) && checkDrawingBytes(bytesOf(bytes), bytes.size(), path, report);
}

bool saveDrawingFile(AcDbDatabase* db, const std::wstring& path, bool keepBak, std::wstring& error) {
    std::vector<uint8_t> bytes;
    std::wstring why;
    if (!drawingToBytes(db, bytes, why) || !selfCheck(bytes, why)) {
        error = saveFailed(path, why);
        return false;
    }
    std::string target;
    int err = 0;
    if (!resolveTarget(nativePath(path), target, err)) {
        error = saveFailed(path, systemError(err));
        return false;
    }
    struct stat st;
    const bool exists = ::stat(target.c_str(), &st) == 0;
    if (exists && !S_ISREG(st.st_mode)) {
        error = saveFailed(path, L"a folder or device of that name is in the way");
        return false;
    }
    // A write-protected drawing stays as it is, as in the host (root could replace it).
    if (exists && ((st.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0)) {
        error = saveFailed(path, L"the drawing is read-only");
        return false;
    }
    const mode_t mode = exists ? mode_t(st.st_mode & 07777) : newFileMode();
    const std::string folder = folderOf(target);
    const std::string base = baseName(target);
    const std::string bak = nativePath(backupPathFor(fromUtf8(target)));
    removeStaleTemporaries(folder, base);
    removeStaleTemporaries(folderOf(bak), baseName(bak));
    std::string temp;
    if (!writeTemporary(folder, base, bytes, mode, temp, err)) {
        error = saveFailed(path, systemError(err));
        return false;
    }
    if (interruptHook() && !interruptHook()(fromUtf8(temp))) {
        error = saveFailed(path, L"the save was interrupted before the new file took the old one's place");
        return false;
    }
    if (keepBak && exists && bak != target && !keepBackup(target, bak, mode, err)) {
        ::unlink(temp.c_str());
        error = saveFailed(path, L"the old drawing could not be kept as " + fromUtf8(bak) + L" (" +
                                     systemError(err) + L")");
        return false;
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        err = errno;
        ::unlink(temp.c_str());
        error = saveFailed(path, systemError(err));
        return false;
    }
    syncFolder(folder);
    return true;
}

void installDrawingFileHooks() {
    auto read = [](AcDbDatabase* db, const wchar_t* fileName) -> Acad::ErrorStatus {
        std::string bytes;
        DrawingReadReport report;
        if (!fileBytes(fileName, bytes, report) ||
            !drawingIntoDatabase(bytesOf(bytes), bytes.size(), fileName, db, report)) {
            setDrawingFileMessage(report.error);
            return report.status;
        }
        std::wstring notices;
        for (const std::wstring& w : report.warnings)
            notices += (notices.empty() ? L"" : L"\n") + w;
        setDrawingFileMessage(notices);
        return Acad::eOk;
    };
    auto save = [](AcDbDatabase* db, const wchar_t* fileName, bool bak) -> Acad::ErrorStatus {
        std::wstring error;
        if (!saveDrawingFile(db, fileName, bak, error)) {
            setDrawingFileMessage(error);
            return Acad::eFileAccessErr;
        }
        setDrawingFileMessage(L"");
        return Acad::eOk;
    };
    setDrawingFileHooks(read, save);
    // DXF files for those who read another drawing into a database of their own.
    setDxfInHook([](AcDbDatabase* db, const wchar_t* fileName) -> Acad::ErrorStatus {
        dxf::DxfImportReport report;
        std::wstring error;
        const std::string path = toUtf8(fileName);
        if (!dxf::importDxfFile(path, db, report, error)) {
            setDrawingFileMessage(FormatW(L"\"%s\" cannot be read: %s.", fileName, error.c_str()));
            return fileExists(fileName) ? Acad::eDxfReadAborted : Acad::eFileNotFound;
        }
        setDrawingFileMessage(report.notImportedLine());
        return Acad::eOk;
    });
}

} // namespace host::io
