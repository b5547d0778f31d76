#include "host/db/database/acutResbuf.h"
#include "host/ed/selection/SelectionFilter.h"
#include "host/ed/acutWcMatch.h"
#include "host/rx/adscodes.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

struct RbDeleter {
    void operator()(resbuf* rb) const { acutRelRb(rb); }
};
using Rb = std::unique_ptr<resbuf, RbDeleter>;

host::EntityFacts entity(const wchar_t* type, const wchar_t* layer = L"0", int color = 256) {
    return host::EntityFacts{type, layer, color};
}

std::optional<host::SelectionFilter> parse(const Rb& list, std::wstring* problem = nullptr) {
    std::wstring p;
    auto f = host::SelectionFilter::parse(list.get(), p);
    if (problem) *problem = p;
    return f;
}

} // namespace

TEST(Wildcards, MatchTheWayTheHostsPatternsDo) {
    using host::wildcardMatch;
    EXPECT_TRUE(wildcardMatch(L"MTEXT", L"*TEXT", false));
    EXPECT_TRUE(wildcardMatch(L"TEXT", L"*TEXT", false)) << "a run may be empty";
    EXPECT_FALSE(wildcardMatch(L"TEXTS", L"*TEXT", false));
    EXPECT_TRUE(wildcardMatch(L"ARC_DIMENSION", L"*DIMENSION*", false));
    EXPECT_TRUE(wildcardMatch(L"DIMENSION", L"*DIMENSION*", false));
    EXPECT_FALSE(wildcardMatch(L"DIMSTYLE", L"*DIMENSION*", false));
    EXPECT_TRUE(wildcardMatch(L"DIM_1_50", L"DIM_#_##", false));
    EXPECT_FALSE(wildcardMatch(L"DIM_1_5X", L"DIM_#_##", false));
    EXPECT_TRUE(wildcardMatch(L"A1", L"@#", false));
    EXPECT_FALSE(wildcardMatch(L"11", L"@#", false));
    EXPECT_TRUE(wildcardMatch(L"A-B", L"A.B", false));
    EXPECT_FALSE(wildcardMatch(L"AXB", L"A.B", false));
    EXPECT_TRUE(wildcardMatch(L"LINE", L"ARC,LINE", false)) << "alternatives";
    EXPECT_TRUE(wildcardMatch(L"CIRCLE", L"~LINE", false)) << "negation";
    EXPECT_FALSE(wildcardMatch(L"LINE", L"~LINE", false));
    EXPECT_TRUE(wildcardMatch(L"B", L"[ABC]", false));
    EXPECT_TRUE(wildcardMatch(L"Q", L"[~ABC]", false));
    EXPECT_TRUE(wildcardMatch(L"m", L"[a-z]", false));
    EXPECT_TRUE(wildcardMatch(L"A*B", L"A`*B", false)) << "escaped star is a star";
    EXPECT_FALSE(wildcardMatch(L"AXB", L"A`*B", false));
    EXPECT_TRUE(wildcardMatch(L"A,B", L"A`,B", false));
    EXPECT_TRUE(wildcardMatch(L"", L"*", false));
    EXPECT_FALSE(wildcardMatch(L"", L"?", false));
    EXPECT_TRUE(wildcardMatch(L"[", L"[", false)) << "an unclosed bracket is itself";
    EXPECT_TRUE(wildcardMatch(L"mtext", L"*TEXT", true));
    EXPECT_FALSE(wildcardMatch(L"mtext", L"*TEXT", false));

    EXPECT_EQ(acutWcMatch(L"MTEXT", L"*TEXT"), RTNORM);
    EXPECT_EQ(acutWcMatch(L"LINE", L"*TEXT"), RTERROR);
    EXPECT_EQ(acutWcMatch(nullptr, L"*"), RTERROR);
    EXPECT_EQ(acutWcMatchEx(L"mtext", L"*TEXT", true), RTNORM);
}

TEST(SelectionFilter, TypeNamesWithWildcardsAndOrGroups) {
    const Rb texts(acutBuildList(RTDXF0, L"*TEXT", 0));
    auto f = parse(texts);
    ASSERT_TRUE(f);
    EXPECT_TRUE(f->accepts(entity(L"TEXT")));
    EXPECT_TRUE(f->accepts(entity(L"MTEXT")));
    EXPECT_FALSE(f->accepts(entity(L"LINE")));

    // What the module asks for: chains and the host's dimensions in one selection.
    const Rb chainsOrDims(
        acutBuildList(-4, L"<or", RTDXF0, L"XOTA_LINTARO", RTDXF0, L"*DIMENSION*", -4, L"or>", 0));
    f = parse(chainsOrDims);
    ASSERT_TRUE(f);
    EXPECT_TRUE(f->accepts(entity(L"XOTA_LINTARO")));
    EXPECT_TRUE(f->accepts(entity(L"DIMENSION")));
    EXPECT_TRUE(f->accepts(entity(L"dimension"))) << "type names compare without case";
    EXPECT_FALSE(f->accepts(entity(L"XOTA_DIM_HEIGHT")));
    EXPECT_FALSE(f->accepts(entity(L"LINE")));

    // Tests outside a group must all pass; layers and colours take part.
    const Rb lineOnDimLayer(acutBuildList(RTDXF0, L"LINE", 8, L"DIM_*", 0));
    f = parse(lineOnDimLayer);
    ASSERT_TRUE(f);
    EXPECT_TRUE(f->accepts(entity(L"LINE", L"DIM_1_50")));
    EXPECT_FALSE(f->accepts(entity(L"LINE", L"0")));
    EXPECT_FALSE(f->accepts(entity(L"ARC", L"DIM_1_50")));

    const Rb notRed(acutBuildList(-4, L"<not", 62, 1, -4, L"not>", -4, L">=", 62, 1, 0));
    f = parse(notRed);
    ASSERT_TRUE(f);
    EXPECT_TRUE(f->accepts(entity(L"LINE", L"0", 3)));
    EXPECT_FALSE(f->accepts(entity(L"LINE", L"0", 1)));
    EXPECT_FALSE(f->accepts(entity(L"LINE", L"0", 0))) << "ByBlock is below 1";

    const Rb exactlyOne(acutBuildList(-4, L"<xor", RTDXF0, L"LINE", 8, L"WALLS", -4, L"xor>", 0));
    f = parse(exactlyOne);
    ASSERT_TRUE(f);
    EXPECT_TRUE(f->accepts(entity(L"LINE", L"0")));
    EXPECT_TRUE(f->accepts(entity(L"ARC", L"WALLS")));
    EXPECT_FALSE(f->accepts(entity(L"LINE", L"WALLS")));

    f = parse(Rb(nullptr));
    ASSERT_TRUE(f);
    EXPECT_TRUE(f->empty());
    EXPECT_TRUE(f->accepts(entity(L"ANYTHING")));
}

TEST(SelectionFilter, ListsThatCannotBeUnderstoodAreRefusedWithTheReason) {
    std::wstring problem;
    EXPECT_FALSE(parse(Rb(acutBuildList(-4, L"<or", RTDXF0, L"LINE", 0)), &problem));
    EXPECT_NE(problem.find(L"OR>"), std::wstring::npos) << "an open group";
    EXPECT_FALSE(parse(Rb(acutBuildList(RTDXF0, L"LINE", -4, L"or>", 0)), &problem));
    EXPECT_NE(problem.find(L"OR>"), std::wstring::npos) << "a group closed that was never opened";
    EXPECT_FALSE(parse(Rb(acutBuildList(-4, L"<not", RTDXF0, L"A", RTDXF0, L"B", -4, L"not>", 0)), &problem));
    EXPECT_FALSE(parse(Rb(acutBuildList(-4, L"<or", -4, L"or>", 0)), &problem)) << "an empty group";
    EXPECT_FALSE(parse(Rb(acutBuildList(-4, L"<xor", RTDXF0, L"A", -4, L"xor>", 0)), &problem));
    const ads_point origin = {0, 0, 0};
    EXPECT_FALSE(parse(Rb(acutBuildList(10, origin, 0)), &problem));
    EXPECT_NE(problem.find(L"10"), std::wstring::npos) << "names the group it cannot filter";
    EXPECT_FALSE(parse(Rb(acutBuildList(-4, L">", RTDXF0, L"LINE", 0)), &problem))
        << "a comparison needs a colour";
    EXPECT_FALSE(parse(Rb(acutBuildList(-4, L"<maybe", 0)), &problem));
}
