#pragma once
// A chain's texts as they are drawn, worked out once: every text with its parts at their
// insertion points, the lines that belong to it (the frame of the sum, a leader, the mark
// of a manual value) and the sizes the lines and ticks are drawn at. The drawing only
// paints a layout. The chain keeps its layout with the fingerprint of everything it was
// worked out from (the chain's record, the options it reads, its scale and text style)
// and works it out again only when that fingerprint changes.
#include "host/db/database/AcArray.h"
#include "host/ge/AcGePoint3d.h"
#include "host/win/WinTypes.h"
#include "module/chain/TextFrame.h"

#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

class AcGiTextStyle;
struct ChainRecord;

// A line through points, closed back to its first point or not.
struct LaidLine {
    std::vector<AcGePoint3d> points;
    bool closed = false;
};

struct LaidText {
    LONG_PTR marker = 0; // the selection marker its primitives carry
    TextFrame frame;
    // Part p is written at points[p] (part 1, the superscript, at the smaller height).
    // A label at both ends of the chain is part 0 at each of its points.
    std::vector<std::wstring> parts;
    AcGePoint3dArray points;
    bool repeatsFirstPart = false;
    std::vector<LaidLine> lines;
};

struct ChainLayout {
    // Lines and ticks (drawing units): tick size, extension beyond the dimension line,
    // dimension line beyond the outer ticks.
    double tick = 0.0;
    double beyondDimLine = 0.0;
    double beyondTick = 0.0;
    // Texts: height, superscript height, colour index.
    double textHeight = 0.0;
    double supHeight = 0.0;
    int textColor = 0;
    // Segment texts (the circle text, the sum), then appended texts, then the label.
    std::vector<LaidText> texts;

    // The text that carries `marker`, or null.
    const LaidText* TextWithMarker(LONG_PTR marker) const;
};

// A 64-bit fingerprint (FNV-1a) of the values fed to it, in order.
class Fingerprint {
public:
    Fingerprint& Add(std::uint64_t value);
    Fingerprint& Add(double value);
    Fingerprint& Add(const std::wstring& text);
    Fingerprint& Add(const AcGePoint3d& point);
    Fingerprint& Add(const AcGeVector3d& vector);
    template <typename Range> Fingerprint& AddAll(const Range& values) {
        Add(static_cast<std::uint64_t>(std::distance(std::begin(values), std::end(values))));
        for (const auto& value : values)
            Add(value);
        return *this;
    }
    std::uint64_t Value() const { return m_hash; }

private:
    void Bytes(const void* data, std::size_t size);
    std::uint64_t m_hash = 14695981039346656037ull;
};

// Everything of a record a layout is worked out from.
void AddRecord(Fingerprint& print, const ChainRecord& record);
// Everything of the running module's options a chain's layout reads: the chain set, the
// general flags and texts, the order of automatic positions, the text-height colours of
// the current mode and the state of the buffered INI entries (an options file the chain
// names).
void AddChainOptions(Fingerprint& print);
// What of a text style changes the measure of a text.
void AddTextStyle(Fingerprint& print, const AcGiTextStyle* style);
