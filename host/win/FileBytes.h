#pragma once
// Whole-file reads and safe replacement of files, by native path. Every file the
// host writes for the user goes through replaceFile, so a failed or interrupted
// write leaves the old file as it was.
#include <cstddef>
#include <string>

namespace host {

enum class ReadResult { Ok, Missing, NotAFile, TooLarge, Failed };

// Reads the whole file unless it is larger than maxBytes.
ReadResult readFileBytes(const std::string& nativePath, std::string& bytes, std::size_t maxBytes);

enum class Durability {
    // The rename alone: a crash of the program never leaves a half-written file, but
    // the new contents may still sit in the system's cache (settings files, as the
    // Windows profile functions do it).
    Atomic,
    // The temporary file is flushed to disk before the rename, so a power failure
    // leaves the old or the new file (drawings).
    Durable,
};

// Writes `bytes` to a temporary file beside the target and renames it over the
// target. A symbolic link is followed, so the link stays. An existing file keeps its
// permission bits; a new one gets the usual ones (0666 less the umask). On failure
// the target is untouched, no temporary file is left, and errno tells why.
bool replaceFile(const std::string& nativePath, const std::string& bytes, Durability durability);

} // namespace host
