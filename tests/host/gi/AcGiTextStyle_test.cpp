// Text measured with the real fonts: what the chains' text boxes are built from.
#include "host/ge/AcGePoint2d.h"
#include "host/gi/AcGiTextStyle.h"
#include "host/win/Utf8.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

// Glyph boxes come from font units; a few micro-units of rounding are all we allow.
constexpr double kExtentTol = 1e-9;
// The capital height of a font's table and of its letter H agree to this fraction.
constexpr double kCapHeightFraction = 0.02;

AcGiTextStyle styleWithFile(const wchar_t* file, double size = 1.0) {
    AcGiTextStyle s;
    s.setFileName(file);
    s.setTextSize(size);
    return s;
}

AcGiTextStyle styleWithTypeface(const wchar_t* typeface, double size = 1.0) {
    AcGiTextStyle s;
    s.setFont(typeface, false, false, 0, 0);
    s.setTextSize(size);
    return s;
}

double width(const AcGiTextStyle& s, const wchar_t* text, bool penups = true) {
    return s.extents(text, penups, -1, false).x;
}

} // namespace

TEST(AcGiTextStyle, WideAndNarrowFontsMeasureDifferently) {
    AcGiTextStyle sans = styleWithTypeface(L"DejaVu Sans");
    AcGiTextStyle mono = styleWithTypeface(L"DejaVu Sans Mono");
    ASSERT_EQ(sans.loadStyleRec(), 3) << "DejaVu Sans must be installed (fonts-dejavu-core)";
    ASSERT_EQ(mono.loadStyleRec(), 3) << "DejaVu Sans Mono must be installed (fonts-dejavu-core)";

    // Narrow letters are much narrower in a proportional font than in a fixed one.
    double sansI = width(sans, L"iiiiiiii");
    double monoI = width(mono, L"iiiiiiii");
    EXPECT_GT(monoI, 1.5 * sansI);
    // In a fixed-pitch font every character advances the same, spaces included.
    EXPECT_NEAR(width(mono, L"iiii"), width(mono, L"MMMM"), kExtentTol);
    EXPECT_NEAR(width(mono, L"i i i"), 5 * width(mono, L"i"), kExtentTol);
    // Proportional: "MMMM" is wider than "iiii".
    EXPECT_GT(width(sans, L"MMMM"), 2 * width(sans, L"iiii"));
}

TEST(AcGiTextStyle, ExtentsScaleWithHeightWidthFactorAndSlant) {
    const wchar_t* text = L"Maß 3,75";
    AcGiTextStyle base = styleWithTypeface(L"DejaVu Sans", 1.0);
    AcGePoint2d e1 = base.extents(text, true, -1, false);
    ASSERT_GT(e1.x, 0.0);
    ASSERT_GT(e1.y, 0.0);

    AcGiTextStyle tall = base;
    tall.setTextSize(2.5);
    AcGePoint2d e2 = tall.extents(text, true, -1, false);
    EXPECT_NEAR(e2.x, 2.5 * e1.x, kExtentTol * 10);
    EXPECT_NEAR(e2.y, 2.5 * e1.y, kExtentTol * 10);

    AcGiTextStyle narrow = base;
    narrow.setXScale(0.5);
    AcGePoint2d e3 = narrow.extents(text, true, -1, false);
    EXPECT_NEAR(e3.x, 0.5 * e1.x, kExtentTol * 10);
    EXPECT_NEAR(e3.y, e1.y, kExtentTol);

    // The text size is the height of the capitals.
    AcGePoint2d ll, ur;
    base.extentsBox(L"H", false, -1, false, ll, ur);
    EXPECT_NEAR(ur.y - ll.y, 1.0, kCapHeightFraction);
    EXPECT_NEAR(ll.y, 0.0, kCapHeightFraction);

    // A slant of 15 degrees leans the top of the H right by its height times tan 15.
    AcGiTextStyle slanted = base;
    slanted.setObliquingAngle(15.0 * M_PI / 180.0);
    AcGePoint2d sll, sur;
    slanted.extentsBox(L"H", false, -1, false, sll, sur);
    EXPECT_NEAR((sur.x - sll.x) - (ur.x - ll.x), (ur.y) * std::tan(15.0 * M_PI / 180.0), 1e-6);
    EXPECT_NEAR(sur.y - sll.y, ur.y - ll.y, kExtentTol);
    // Descenders reach below the baseline.
    base.extentsBox(L"gjp", false, -1, false, ll, ur);
    EXPECT_LT(ll.y, -0.1);
}

TEST(AcGiTextStyle, MissingAndShapeFontsFallBackToDejaVuSans) {
    AcGiTextStyle dejavu = styleWithFile(L"DejaVuSans.ttf", 2.0);
    EXPECT_EQ(dejavu.loadStyleRec(), 3) << "an installed font file is found by its name";
    double reference = width(dejavu, L"12,345");

    for (const wchar_t* file :
         {L"NoSuchFont.ttf", L"isocp.shx", L"txt", L"", L"romans.SHX", L"/no/such/dir/x.ttf"}) {
        AcGiTextStyle s = styleWithFile(file, 2.0);
        EXPECT_EQ(s.loadStyleRec(), 1) << host::toUtf8(file);
        EXPECT_NEAR(width(s, L"12,345"), reference, kExtentTol)
            << host::toUtf8(file) << " falls back to DejaVu Sans";
    }
    EXPECT_TRUE(styleWithFile(L"romans.shx").isShxFont());
    EXPECT_TRUE(styleWithFile(L"txt").isShxFont());
    EXPECT_FALSE(styleWithFile(L"arial.ttf").isShxFont());

    // A typeface wins over the file name; the file name is matched case-insensitively.
    AcGiTextStyle both = styleWithFile(L"DejaVuSans.ttf", 2.0);
    both.setFont(L"DejaVu Sans Mono", false, false, 0, 0);
    EXPECT_NE(width(both, L"iiii"), width(dejavu, L"iiii"));
    EXPECT_NEAR(width(styleWithFile(L"dejavusans.TTF", 2.0), L"12,345"), reference, kExtentTol);
    // Changing the font after a measurement measures with the new font.
    AcGiTextStyle changed = dejavu;
    changed.setFileName(L"DejaVuSansMono.ttf");
    EXPECT_NE(width(changed, L"iiii"), width(dejavu, L"iiii"));
}

TEST(AcGiTextStyle, ControlCodesPenupsAndBadInput) {
    AcGiTextStyle s = styleWithTypeface(L"DejaVu Sans", 1.0);
    EXPECT_NEAR(width(s, L"%%d"), width(s, L"\u00B0"), kExtentTol);
    EXPECT_NEAR(width(s, L"%%p5"), width(s, L"\u00B15"), kExtentTol);
    EXPECT_NEAR(width(s, L"%%u12%%u"), width(s, L"12"), kExtentTol) << "underline switches take no room";
    EXPECT_NEAR(width(s, L"\\U+00B2"), width(s, L"\u00B2"), kExtentTol);
    EXPECT_GT(s.extents(L"%%d", true, -1, true).x, width(s, L"\u00B0")) << "raw text keeps the codes";
    // A length cuts the text.
    EXPECT_NEAR(s.extents(L"12345", true, 2, false).x, width(s, L"12"), kExtentTol);

    // Spaces count only with pen-ups.
    EXPECT_GT(width(s, L"  12  ", true), width(s, L"12", true));
    EXPECT_NEAR(width(s, L"  12  ", false), width(s, L"12", false), kExtentTol);

    // Nothing to measure gives an empty box, never a crash.
    EXPECT_EQ(s.extents(nullptr, true, -1, false).x, 0.0);
    EXPECT_EQ(s.extents(L"", true, -1, false).x, 0.0);
    EXPECT_EQ(s.extents(L"%%", true, -1, false).y >= 0.0, true);
    AcGiTextStyle bad = s;
    bad.setTextSize(std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(bad.extents(L"12", true, -1, false).x, 0.0);
    EXPECT_EQ(s.extents(L"\uFFFF\U0010FFFF", true, -1, false).x > 0.0, true)
        << "missing glyphs still advance";
}
