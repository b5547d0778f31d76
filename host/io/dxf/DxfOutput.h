#pragma once
// Writes group code / value pairs as other programs expect them: the code right
// aligned in three places, reals as the shortest text that reads back to the same
// number (C locale, always with a point or an exponent), text as Latin-1 with
// "\U+XXXX" for the rest, handles in upper-case hex.
#include "host/ge/AcGePoint3d.h"
#include "host/ge/AcGeVector3d.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace host::dxf {

class DxfOutput {
public:
    // A value as written (ASCII: names of the format, numbers).
    void raw(int code, std::string_view value);
    // A text of the drawing.
    void text(int code, std::wstring_view value);
    void real(int code, double value);
    void integer(int code, long long value);
    // X at `code`, Y at code + 10, Z at code + 20.
    void point(int code, const AcGePoint3d& p);
    void point2d(int code, double x, double y);
    void vector(int code, const AcGeVector3d& v) { point(code, AcGePoint3d(v.x, v.y, v.z)); }
    // The extrusion direction, left out when it is the Z axis (the format's default).
    void normal(const AcGeVector3d& n);
    void handle(int code, uint64_t h);

    const std::string& bytes() const { return m_bytes; }
    std::string take() { return std::move(m_bytes); }
    void append(const std::string& more) { m_bytes += more; }

private:
    void code(int c);
    std::string m_bytes;
};

// The text of a real as the writer writes it.
std::string dxfReal(double value);

} // namespace host::dxf
