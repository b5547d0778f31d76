#pragma once
// Who and what the web server lets in. The server listens on 127.0.0.1 only; every
// request carries the access token printed at start; a browser request from a page of
// another origin is refused (a page elsewhere cannot drive the host); files are read
// and written only inside the folder the server was started in.
#include <filesystem>
#include <optional>
#include <string>

namespace serve {

// 32 hexadecimal digits from the system's random source.
std::string newAccessToken();
// Compares in time independent of where the texts differ; an empty token never matches.
bool tokenMatches(const std::string& given, const std::string& token);
// No Origin (a non-browser client or a same-origin navigation), or this server's own
// origin (http://127.0.0.1:PORT or http://localhost:PORT).
bool originAllowed(const std::string& origin, int port);
// The file `requested` names (relative to `root`, or absolute), if it lies inside
// `root` once symbolic links and ".." are resolved; nullopt with the reason otherwise.
// The file itself need not exist (a drawing saved under a new name).
std::optional<std::filesystem::path> pathInside(const std::filesystem::path& root, const std::string& requested,
                                                std::string& why);
// One input line as the page sends it: valid UTF-8, no line breaks or other control
// characters, at most 4096 bytes. False with the reason otherwise.
bool inputLineAcceptable(const std::string& utf8, std::string& why);

} // namespace serve
