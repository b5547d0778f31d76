#pragma once
// Reading the answers typed at a prompt: numbers, points and keywords, the way the
// host's command line reads them. Pure functions; numbers in the C locale.
#include <array>
#include <optional>
#include <string>
#include <vector>

namespace host {

using Point3 = std::array<double, 3>;

// A real number: "12", "-3.5", "+.5", "1e3". The whole text must be the number
// (surrounding blanks allowed); NaN and infinities are refused.
std::optional<double> parseReal(const std::wstring& text);
// An integer within the host's integer input range (-32768 .. 32767).
std::optional<int> parseInt(const std::wstring& text);

// A point: "x,y" or "x,y,z" (z from `lastPoint`'s plane: 0 unless given), "@dx,dy[,dz]"
// relative to `lastPoint`, "@" alone for the last point, "d<a" polar from the origin
// and "@d<a" polar from the last point (a in degrees, counter-clockwise from X).
std::optional<Point3> parsePoint(const std::wstring& text, const Point3& lastPoint);

// A keyword list as acedInitGet takes it: "Undo Close", optionally with global names
// after a "_": "Zurueck Schliessen _ Undo Close". The capitals of a keyword are the
// part one must type at least ("LType" accepts "lt", "lty" ... "ltype").
struct Keyword {
    std::wstring local;
    std::wstring global;
};
std::vector<Keyword> parseKeywordList(const std::wstring& list);
// The global name of the keyword `input` selects, or nullopt. An input that starts
// with "_" matches global names only.
std::optional<std::wstring> matchKeyword(const std::vector<Keyword>& keywords, const std::wstring& input);

// Blanks trimmed from both ends.
std::wstring trimmed(const std::wstring& text);

} // namespace host
