#include "host/gi/GiRecordingBytes.h"

#include "host/win/FormatW.h"
#include "host/win/Utf8.h"

#include <cmath>
#include <cstring>

namespace host::gi {

namespace {

constexpr char kMagic[4] = {'L', 'G', 'I', '1'};
constexpr uint32_t kVersion = 1;
constexpr size_t kPointBytes = 24;

class Writer {
public:
    std::vector<uint8_t> bytes;

    void u8(uint8_t v) { bytes.push_back(v); }
    void uint(uint64_t v, int n) {
        for (int i = 0; i < n; ++i)
            bytes.push_back(uint8_t(v >> (8 * i)));
    }
    void f64(double d) {
        uint64_t bits;
        std::memcpy(&bits, &d, 8);
        uint(bits, 8);
    }
    void point(const AcGePoint3d& p) { f64(p.x), f64(p.y), f64(p.z); }
    void vec(const AcGeVector3d& v) { f64(v.x), f64(v.y), f64(v.z); }
    void str(const std::wstring& s) {
        std::string u = host::toUtf8(s);
        uint(u.size(), 4);
        bytes.insert(bytes.end(), u.begin(), u.end());
    }
};

// Reads with bounds checks; the first failure is kept with its offset and every
// later read fails too, so the parser needs no error paths of its own in between.
class Reader {
public:
    Reader(const uint8_t* d, size_t n) : m_d(d), m_n(n) {}

    bool ok() const { return m_error.empty(); }
    size_t offset() const { return m_errorAt; }
    const std::wstring& error() const { return m_error; }
    size_t remaining() const { return m_n - m_pos; }
    void fail(const wchar_t* what) {
        if (!ok()) return;
        m_error = what;
        m_errorAt = m_pos;
    }

    uint64_t uint(int n) {
        if (!ok() || remaining() < size_t(n)) {
            fail(L"unexpected end of data");
            return 0;
        }
        uint64_t v = 0;
        for (int i = 0; i < n; ++i)
            v |= uint64_t(m_d[m_pos + i]) << (8 * i);
        m_pos += size_t(n);
        return v;
    }
    uint8_t u8() { return uint8_t(uint(1)); }
    double f64() {
        uint64_t bits = uint(8);
        double d;
        std::memcpy(&d, &bits, 8);
        if (ok() && !std::isfinite(d)) {
            m_pos -= 8;
            fail(L"a number is not finite");
            return 0;
        }
        return d;
    }
    AcGePoint3d point() {
        double x = f64(), y = f64(), z = f64();
        return {x, y, z};
    }
    AcGeVector3d vec() {
        double x = f64(), y = f64(), z = f64();
        return {x, y, z};
    }
    std::wstring str() {
        uint64_t len = uint(4);
        if (!ok()) return {};
        if (len > remaining()) {
            m_pos -= 4;
            fail(L"a text is longer than the data left");
            return {};
        }
        std::string_view u(reinterpret_cast<const char*>(m_d + m_pos), size_t(len));
        m_pos += size_t(len);
        return host::fromUtf8(u);
    }

private:
    const uint8_t* m_d;
    size_t m_n;
    size_t m_pos = 0;
    size_t m_errorAt = 0;
    std::wstring m_error;
};

void writeTraits(Writer& w, const GiTraits& t, const StubToHandle& toHandle) {
    w.uint(uint64_t(int64_t(t.marker)), 8);
    w.uint(t.colorIndex, 2);
    w.uint(t.trueColor.color(), 4);
    w.uint(toHandle && t.layer ? toHandle(t.layer) : 0, 8);
    w.uint(toHandle && t.lineType ? toHandle(t.lineType) : 0, 8);
    w.uint(uint32_t(int32_t(t.lineWeight)), 4);
    w.u8(uint8_t(t.fill));
    w.f64(t.lineTypeScale);
    w.f64(t.thickness);
}

GiTraits readTraits(Reader& r, const HandleToStub& fromHandle) {
    GiTraits t;
    t.marker = LONG_PTR(int64_t(r.uint(8)));
    t.colorIndex = uint16_t(r.uint(2));
    if (t.trueColor.setColor(uint32_t(r.uint(4))) != Acad::eOk) r.fail(L"unknown colour method");
    uint64_t layer = r.uint(8), lineType = r.uint(8);
    t.layer = fromHandle && layer ? fromHandle(layer) : nullptr;
    t.lineType = fromHandle && lineType ? fromHandle(lineType) : nullptr;
    t.lineWeight = int32_t(uint32_t(r.uint(4)));
    uint8_t fill = r.u8();
    if (fill != kAcGiFillAlways && fill != kAcGiFillNever) r.fail(L"unknown fill type");
    t.fill = AcGiFillType(fill);
    t.lineTypeScale = r.f64();
    t.thickness = r.f64();
    return t;
}

enum StyleFlags : uint8_t {
    kBold = 1,
    kItalic = 2,
    kBackward = 4,
    kUpsideDown = 8,
    kVertical = 16,
    kUnderlined = 32,
    kOverlined = 64,
    kStrikethrough = 128
};

void writeStyle(Writer& w, const AcGiTextStyle& s) {
    w.str(s.fileName());
    w.str(s.bigFontFileName());
    w.str(s.typeface());
    w.str(s.styleName());
    w.f64(s.textSize());
    w.f64(s.xScale());
    w.f64(s.obliquingAngle());
    w.f64(s.trackingPercent());
    w.u8(uint8_t((s.isBold() ? kBold : 0) | (s.isItalic() ? kItalic : 0) | (s.isBackward() ? kBackward : 0) |
                 (s.isUpsideDown() ? kUpsideDown : 0) | (s.isVertical() ? kVertical : 0) |
                 (s.isUnderlined() ? kUnderlined : 0) | (s.isOverlined() ? kOverlined : 0) |
                 (s.isStrikethrough() ? kStrikethrough : 0)));
    w.uint(uint32_t(int32_t(s.charset())), 4);
    w.uint(uint32_t(int32_t(s.pitchAndFamily())), 4);
}

AcGiTextStyle readStyle(Reader& r) {
    AcGiTextStyle s;
    s.setFileName(r.str().c_str());
    s.setBigFontFileName(r.str().c_str());
    std::wstring typeface = r.str();
    s.setStyleName(r.str().c_str());
    s.setTextSize(r.f64());
    s.setXScale(r.f64());
    s.setObliquingAngle(r.f64());
    s.setTrackingPercent(r.f64());
    uint8_t f = r.u8();
    int charset = int32_t(uint32_t(r.uint(4)));
    int pitch = int32_t(uint32_t(r.uint(4)));
    s.setFont(typeface.c_str(), f & kBold, f & kItalic, charset, pitch);
    s.setBackward(f & kBackward);
    s.setUpsideDown(f & kUpsideDown);
    s.setVertical(f & kVertical);
    s.setUnderlined(f & kUnderlined);
    s.setOverlined(f & kOverlined);
    s.setStrikethrough(f & kStrikethrough);
    return s;
}

void writePrimitive(Writer& w, const GiPrimitive& p, const StubToHandle& toHandle) {
    w.u8(p.kind);
    writeTraits(w, p.traits, toHandle);
    switch (p.kind) {
    case GiPrimitive::Polyline:
    case GiPrimitive::Polygon:
        w.uint(uint64_t(int64_t(p.baseMarker)), 8);
        w.uint(p.points.size(), 4);
        for (const auto& pt : p.points)
            w.point(pt);
        break;
    case GiPrimitive::Circle:
    case GiPrimitive::Arc:
        w.point(p.center);
        w.f64(p.radius);
        w.vec(p.normal);
        w.vec(p.startVector);
        w.f64(p.sweep);
        w.u8(uint8_t(p.arcType));
        break;
    case GiPrimitive::Text:
        w.point(p.position);
        w.vec(p.normal);
        w.vec(p.direction);
        w.str(p.text);
        w.u8(p.raw ? 1 : 0);
        writeStyle(w, p.style());
        break;
    case GiPrimitive::Xline:
    case GiPrimitive::Ray:
        w.point(p.points.size() > 0 ? p.points[0] : AcGePoint3d());
        w.point(p.points.size() > 1 ? p.points[1] : AcGePoint3d());
        break;
    }
}

bool readPrimitive(Reader& r, GiPrimitive& p, const HandleToStub& fromHandle) {
    uint8_t kind = r.u8();
    if (r.ok() && (kind < GiPrimitive::Polyline || kind > GiPrimitive::Ray)) {
        r.fail(L"unknown primitive kind");
        return false;
    }
    p.kind = GiPrimitive::Kind(kind);
    p.traits = readTraits(r, fromHandle);
    switch (p.kind) {
    case GiPrimitive::Polyline:
    case GiPrimitive::Polygon: {
        p.baseMarker = LONG_PTR(int64_t(r.uint(8)));
        uint64_t n = r.uint(4);
        if (r.ok() && n > r.remaining() / kPointBytes) r.fail(L"more points than the data holds");
        if (!r.ok()) return false;
        p.points.reserve(size_t(n));
        for (uint64_t i = 0; i < n && r.ok(); ++i)
            p.points.push_back(r.point());
        break;
    }
    case GiPrimitive::Circle:
    case GiPrimitive::Arc: {
        p.center = r.point();
        p.radius = r.f64();
        p.normal = r.vec();
        p.startVector = r.vec();
        p.sweep = r.f64();
        uint8_t arcType = r.u8();
        if (r.ok() && arcType > kAcGiArcChord) r.fail(L"unknown arc type");
        p.arcType = AcGiArcType(arcType);
        break;
    }
    case GiPrimitive::Text:
        p.position = r.point();
        p.normal = r.vec();
        p.direction = r.vec();
        p.text = r.str();
        p.raw = r.u8() != 0;
        p.setStyle(readStyle(r));
        break;
    case GiPrimitive::Xline:
    case GiPrimitive::Ray:
        p.points = {r.point(), r.point()};
        break;
    }
    return r.ok();
}

} // namespace

std::vector<uint8_t> recordingToBytes(const GiRecording& recording, const StubToHandle& toHandle) {
    Writer w;
    w.bytes.insert(w.bytes.end(), kMagic, kMagic + 4);
    w.uint(kVersion, 4);
    w.uint(recording.size(), 4);
    for (const auto& p : recording)
        writePrimitive(w, p, toHandle);
    return std::move(w.bytes);
}

bool recordingFromBytes(const uint8_t* data, size_t size, GiRecording& out, std::wstring& error,
                        const HandleToStub& fromHandle) {
    Reader r(data, data ? size : 0);
    char magic[4] = {};
    for (char& c : magic)
        c = char(r.u8());
    if (r.ok() && std::memcmp(magic, kMagic, 4) != 0) {
        error = L"Not drawing graphics data (unknown signature)";
        return false;
    }
    uint64_t version = r.uint(4);
    if (r.ok() && version != kVersion) {
        error = host::FormatW(L"Drawing graphics data of unknown version %d", int(version));
        return false;
    }
    uint64_t count = r.uint(4);
    // Every primitive takes at least its kind and traits; a larger count is a lie.
    if (r.ok() && count > r.remaining() / 40) r.fail(L"more primitives than the data holds");
    GiRecording parsed;
    for (uint64_t i = 0; i < count && r.ok(); ++i) {
        GiPrimitive p;
        if (readPrimitive(r, p, fromHandle)) parsed.push_back(std::move(p));
    }
    if (r.ok() && r.remaining() != 0) r.fail(L"bytes left over after the last primitive");
    if (!r.ok()) {
        error = host::FormatW(L"Drawing graphics data damaged at byte %d: %s", int(r.offset()),
                              r.error().c_str());
        return false;
    }
    out = std::move(parsed);
    error.clear();
    return true;
}

} // namespace host::gi
