#include "shell/serve/ServeAccess.h"

#include <random>
#include <system_error>

namespace serve {

std::string newAccessToken() {
    std::random_device random;
    static const char kHex[] = "0123456789abcdef";
    std::string token;
    for (int i = 0; i < 32; ++i)
        token += kHex[random() & 0xf];
    return token;
}

bool tokenMatches(const std::string& given, const std::string& token) {
    if (token.empty() || given.size() != token.size()) return false;
    unsigned diff = 0;
    for (size_t i = 0; i < token.size(); ++i)
        diff |= static_cast<unsigned char>(given[i]) ^ static_cast<unsigned char>(token[i]);
    return diff == 0;
}

bool originAllowed(const std::string& origin, int port) {
    if (origin.empty()) return true;
    const std::string p = std::to_string(port);
    return origin == "http://127.0.0.1:" + p || origin == "http://localhost:" + p;
}

namespace {
bool isInside(const std::filesystem::path& root, const std::filesystem::path& file) {
    auto r = root.begin();
    auto f = file.begin();
    for (; r != root.end(); ++r, ++f) {
        if (r->empty()) continue; // a trailing separator
        if (f == file.end() || *r != *f) return false;
    }
    return f != file.end();
}
} // namespace

std::optional<std::filesystem::path> pathInside(const std::filesystem::path& root, const std::string& requested,
                                                std::string& why) {
    namespace fs = std::filesystem;
    if (requested.empty() || requested.find('\0') != std::string::npos) {
        why = "no file name given";
        return std::nullopt;
    }
    std::error_code ec;
    const fs::path base = fs::weakly_canonical(root, ec);
    if (ec) {
        why = "the server's folder cannot be read";
        return std::nullopt;
    }
    const fs::path asked(requested);
    const fs::path file = fs::weakly_canonical(asked.is_absolute() ? asked : base / asked, ec);
    if (ec || !isInside(base, file)) {
        why = "\"" + requested + "\" is outside the folder the server was started in";
        return std::nullopt;
    }
    return file;
}

namespace {
// The length of the UTF-8 sequence starting with `lead`; 0 for a byte that cannot start one.
int sequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xc2 && lead <= 0xdf) return 2;
    if (lead >= 0xe0 && lead <= 0xef) return 3;
    if (lead >= 0xf0 && lead <= 0xf4) return 4;
    return 0;
}
} // namespace

bool inputLineAcceptable(const std::string& utf8, std::string& why) {
    if (utf8.size() > 4096) {
        why = "an input line is at most 4096 bytes";
        return false;
    }
    for (size_t i = 0; i < utf8.size();) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        if ((c < 0x20 && c != 0x09) || c == 0x7f) {
            why = "an input line holds no line breaks or control characters";
            return false;
        }
        const int n = sequenceLength(c);
        if (n == 0 || i + n > utf8.size()) {
            why = "the input line is not UTF-8";
            return false;
        }
        for (int k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(utf8[i + k]) & 0xc0) != 0x80) {
                why = "the input line is not UTF-8";
                return false;
            }
        i += n;
    }
    return true;
}

} // namespace serve
