#pragma once
// The first bytes of a drawing file: ours (a magic and a format version), a DWG
// file of another CAD program ("AC1015" ... "AC1032", older "AC1.50", "AC2.10",
// "MC0.0"), a DXF file, or something else. Knowing which lets a refusal say what
// to do instead of only that the file is not a drawing.
#include <cstddef>
#include <cstdint>
#include <string>

namespace host::io {

// "LTDWG\r\n\x1A": the line ends and the end-of-file byte show when a transfer
// in text mode has changed the file.
inline constexpr uint8_t kDrawingMagic[8] = {'L', 'T', 'D', 'W', 'G', '\r', '\n', 0x1A};
inline constexpr size_t kDrawingMagicSize = sizeof(kDrawingMagic);
// The format version this build writes and the newest it reads.
inline constexpr uint16_t kDrawingFormatVersion = 3;

enum class DrawingFileKind { Ours, OtherDwg, Dxf, Empty, Unknown };

struct DrawingSignature {
    DrawingFileKind kind = DrawingFileKind::Unknown;
    // For another program's DWG: its version text ("AC1027").
    std::string version;
};

DrawingSignature sniffDrawingFile(const uint8_t* data, size_t size);

// The release of the other program that wrote a DWG version ("2013" for AC1027);
// empty when unknown.
std::wstring otherDwgRelease(const std::string& version);

// The message for a file that is not one of ours (empty for our own kind).
std::wstring foreignFileMessage(const std::wstring& fileName, const DrawingSignature& signature);

} // namespace host::io
