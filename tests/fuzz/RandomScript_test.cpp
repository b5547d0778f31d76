// Random scripts from a fixed seed: commands, points with NaN, infinities and 1e308,
// cancels and GUI events with random ids, run against fresh drawings. Nothing may
// crash or draw a sanitizer report. LINTARO_RANDOM_SCRIPT_LINES sets how many lines
// (100000 for a long manual run); LINTARO_RANDOM_SCRIPT_SEED another seed.
#include "tests/fuzz/ScriptFuzz.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>

namespace {

const wchar_t* const kCommands[] = {
    L"XOTA_Hdim", L"XOTA_Vdim", L"XOTA_Adim", L"XOTA_dimArc", L"XOTA_LintaroMakeDimByLine", L"XOTA_Lintaro",
    L"XOTA_SelectLintaroObjects", L"XOTA_HdimPlan", L"XOTA_HdimFront", L"XOTA_Doption", L"XOTA_DimProp",
    L"XOTA_dimReplace", L"XOTA_Acad2Lintaro", L"XOTA_Lintaro2Acad", L"LINE", L"CIRCLE", L"ARC", L"PLINE",
    L"TEXT", L"MTEXT", L"LAYER", L"ERASE", L"LIST", L"U", L"UCS", L"ZOOM", L"MOVE", L"COPY", L"ROTATE",
    L"SCALE", L"MIRROR", L"STRETCH", L"EXPLODE", L"GRIPMOVE", L"DIMLINEAR", L"DIMALIGNED", L"DIMANGULAR",
    L"DIMRADIUS", L"DIMDIAMETER", L"DIMARC", L"_line", L"xota_hdim"};
const wchar_t* const kWords[] = {L"ALL", L"L", L"P", L"W", L"C", L"F", L"Lagepunkt", L"E", L"N", L"Y",
                                 L"ESC", L"", L"", L"; comment", L"0", L"-1", L"1e308", L"nan", L"Wände"};
const double kNumbers[] = {0.0, 1.0, -1.0, 12.5, 1e-300, 1e15, -1e15, 1e308, -1e308};

class LineMaker {
public:
    explicit LineMaker(unsigned seed) : m_random(seed) {}

    std::wstring line() {
        switch (pick(10)) {
        case 0: return kCommands[pick(std::size(kCommands))];
        case 1: return kWords[pick(std::size(kWords))];
        case 2: return L"@" + number() + L"," + number();
        case 3: return event();
        default: return number() + L"," + number() + (pick(4) == 0 ? L"," + number() : L"");
        }
    }

private:
    size_t pick(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(m_random); }
    std::wstring number() {
        switch (pick(8)) {
        case 0: return L"nan";
        case 1: return pick(2) ? L"inf" : L"-inf";
        case 2: return std::to_wstring(kNumbers[pick(std::size(kNumbers))]);
        default: return std::to_wstring(std::uniform_real_distribution<double>(-30.0, 30.0)(m_random));
        }
    }
    std::wstring event() {
        const std::wstring id = std::to_wstring(pick(3) ? pick(40000) : std::uniform_int_distribution<long>(-99999, 99999)(m_random));
        switch (pick(9)) {
        case 0: return L"@yes";
        case 1: return L"@no";
        case 2: return L"@menu " + id;
        case 3: return L"@dialog click " + id;
        case 4: return L"@dialog " + id + L" = " + number();
        case 5: return L"@dialog check " + id + L" " + std::to_wstring(pick(3));
        case 6: return L"@palette click " + id;
        case 7: return L"@palette " + id + L" = " + number();
        default: return L"@rclick " + number() + L"," + number();
        }
    }
    std::mt19937 m_random;
};

size_t fromEnvironment(const char* name, size_t fallback) {
    const char* v = std::getenv(name);
    return v && *v ? size_t(std::strtoull(v, nullptr, 10)) : fallback;
}

} // namespace

TEST(RandomScript, RandomLinesRunWithoutACrash) {
    const size_t total = fromEnvironment("LINTARO_RANDOM_SCRIPT_LINES", 1500);
    LineMaker maker(unsigned(fromEnvironment("LINTARO_RANDOM_SCRIPT_SEED", 19)));
    size_t ran = 0, runs = 0;
    std::wstring transcript;
    while (ran < total) {
        // Scripts of up to the step budget, each on a fresh drawing and settings.
        std::wstring script;
        const size_t lines = std::min(total - ran, fuzz::kMaxScriptLines);
        for (size_t i = 0; i < lines; ++i) script += maker.line() + L"\n";
        fuzz::runScript(script, &transcript);
        ran += lines;
        ++runs;
        // The host answered: every script reaches the command prompt at least once.
        ASSERT_NE(transcript.find(L"Command:"), std::wstring::npos)
            << "run " << runs << ": " << host::toUtf8(transcript.substr(0, 400));
    }
    EXPECT_EQ(ran, total);
}
