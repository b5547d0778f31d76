#include "host/io/dxf/DxfOutput.h"

#include "host/io/dxf/DxfText.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace host::dxf {

std::string dxfReal(double value) {
    // Nothing that is no number may reach a file other programs read.
    if (!std::isfinite(value)) value = 0.0;
    if (value == 0.0) return "0.0";
    char buf[32];
    auto [end, ec] = std::to_chars(buf, buf + sizeof(buf), value);
    std::string s(buf, ec == std::errc() ? end : buf);
    if (s.find_first_of(".e") == std::string::npos) s += ".0";
    return s;
}

void DxfOutput::code(int c) {
    char buf[16];
    const int n = std::snprintf(buf, sizeof(buf), "%3d\n", c);
    m_bytes.append(buf, size_t(n));
}

void DxfOutput::raw(int c, std::string_view value) {
    code(c);
    m_bytes += value;
    m_bytes += '\n';
}

void DxfOutput::text(int c, std::wstring_view value) { raw(c, encodeDxfText(value)); }

void DxfOutput::real(int c, double value) { raw(c, dxfReal(value)); }

void DxfOutput::integer(int c, long long value) {
    char buf[32];
    auto [end, ec] = std::to_chars(buf, buf + sizeof(buf), value);
    raw(c, std::string_view(buf, size_t(end - buf)));
}

void DxfOutput::point(int c, const AcGePoint3d& p) {
    real(c, p.x);
    real(c + 10, p.y);
    real(c + 20, p.z);
}

void DxfOutput::point2d(int c, double x, double y) {
    real(c, x);
    real(c + 10, y);
}

void DxfOutput::normal(const AcGeVector3d& n) {
    if (n.isEqualTo(AcGeVector3d::kZAxis)) return;
    vector(210, n);
}

void DxfOutput::handle(int c, uint64_t h) {
    char buf[24];
    const int n = std::snprintf(buf, sizeof(buf), "%llX", static_cast<unsigned long long>(h));
    raw(c, std::string_view(buf, size_t(n)));
}

} // namespace host::dxf
