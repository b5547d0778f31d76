#pragma once
// A drawing colour as the world-draw traits carry it: a method (by layer, by block,
// by index, true colour ...) and either a colour index or an RGB value. It has the
// shape of the host's AcCmEntityColor, so the database's colour class can be that
// class or derive from it; the drawing layer does not know the database.
#include "host/rx/acadstrc.h"

#include <cstdint>

class AcGiColor {
public:
    enum ColorMethod : uint8_t {
        kByLayer = 0xC0,
        kByBlock = 0xC1,
        kByColor = 0xC2,
        kByACI = 0xC3,
        kByPen = 0xC4,
        kForeground = 0xC5,
        kLayerOff = 0xC6,
        kLayerFrozen = 0xC7,
        kNone = 0xC8,
    };
    enum ACIcolorMethod : int16_t {
        kACIbyBlock = 0,
        kACIRed = 1,
        kACIYellow = 2,
        kACIGreen = 3,
        kACICyan = 4,
        kACIBlue = 5,
        kACIMagenta = 6,
        kACIforeground = 7,
        kACIWhite = 7,
        kACIstandard = 7,
        kACImaximum = 255,
        kACIbyLayer = 256,
        kACInone = 257,
    };

    AcGiColor() = default;
    explicit AcGiColor(ColorMethod method) { setColorMethod(method); }
    AcGiColor(uint8_t red, uint8_t green, uint8_t blue) { setRGB(red, green, blue); }

    ColorMethod colorMethod() const { return m_method; }
    Acad::ErrorStatus setColorMethod(ColorMethod method) {
        if (method < kByLayer || method > kNone) return Acad::eInvalidInput;
        m_method = method;
        m_index = method == kByLayer      ? int16_t(kACIbyLayer)
                  : method == kByBlock    ? int16_t(kACIbyBlock)
                  : method == kForeground ? int16_t(kACIforeground)
                  : method == kNone       ? int16_t(kACInone)
                                          : m_index;
        return Acad::eOk;
    }

    // An index 1..255 is a colour of the index table; 0 is ByBlock, 256 ByLayer,
    // 257 none. Anything else is refused and leaves the colour as it was.
    Acad::ErrorStatus setColorIndex(int16_t index) {
        if (index < 0 || index > kACInone) return Acad::eInvalidInput;
        m_index = index;
        m_method = index == kACIbyBlock   ? kByBlock
                   : index == kACIbyLayer ? kByLayer
                   : index == kACInone    ? kNone
                                          : kByACI;
        return Acad::eOk;
    }
    int16_t colorIndex() const { return m_index; }

    Acad::ErrorStatus setRGB(uint8_t red, uint8_t green, uint8_t blue) {
        m_method = kByColor;
        m_red = red;
        m_green = green;
        m_blue = blue;
        return Acad::eOk;
    }
    uint8_t red() const { return m_red; }
    uint8_t green() const { return m_green; }
    uint8_t blue() const { return m_blue; }

    // The packed form the host files: method in the top byte, then red, green, blue
    // (or the index in the low 16 bits for an index colour).
    uint32_t color() const {
        uint32_t low = m_method == kByColor ? (uint32_t(m_red) << 16 | uint32_t(m_green) << 8 | m_blue)
                                            : uint16_t(m_index);
        return uint32_t(m_method) << 24 | low;
    }
    Acad::ErrorStatus setColor(uint32_t packed) {
        auto method = ColorMethod(packed >> 24);
        if (method < kByLayer || method > kNone) return Acad::eInvalidInput;
        if (method == kByColor) return setRGB(uint8_t(packed >> 16), uint8_t(packed >> 8), uint8_t(packed));
        if (method == kByACI) return setColorIndex(int16_t(packed & 0xFFFF));
        return setColorMethod(method);
    }

    bool isByLayer() const { return m_method == kByLayer; }
    bool isByBlock() const { return m_method == kByBlock; }
    bool isByColor() const { return m_method == kByColor; }
    bool isByACI() const { return m_method == kByACI; }
    bool isForeground() const { return m_method == kForeground; }
    bool isNone() const { return m_method == kNone; }

    bool operator==(const AcGiColor& o) const { return color() == o.color(); }
    bool operator!=(const AcGiColor& o) const { return !(*this == o); }

private:
    ColorMethod m_method = kByLayer;
    int16_t m_index = kACIbyLayer;
    uint8_t m_red = 0;
    uint8_t m_green = 0;
    uint8_t m_blue = 0;
};
