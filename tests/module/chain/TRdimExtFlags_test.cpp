#include "module/chain/TRdimExtFlags.h"

#include <gtest/gtest.h>

TEST(TRdimExtFlags, HiddenAndLeaderBitsReportTheirOldValue) {
    TRdimExtFlagArray flags(3, 0u);
    EXPECT_TRUE(IsExtVisible(flags, 1));
    EXPECT_EQ(SetExtFlagBit(flags, 1, kExtFlagHidden, true), 0);
    EXPECT_FALSE(IsExtVisible(flags, 1));
    EXPECT_EQ(SetExtFlagBit(flags, 1, kExtFlagHidden, true), 1);
    EXPECT_EQ(SetExtFlagBit(flags, 1, kExtFlagLeader, true), 0);
    EXPECT_EQ(SetExtFlagBit(flags, 1, kExtFlagHidden, false), 1);
    EXPECT_TRUE(IsExtVisible(flags, 1));
    EXPECT_EQ(flags[1], kExtFlagLeader); // the leader stayed
    // Out of range: visible, nothing changes.
    EXPECT_TRUE(IsExtVisible(flags, 3));
    EXPECT_TRUE(IsExtVisible(flags, -1));
    EXPECT_EQ(SetExtFlagBit(flags, 7, kExtFlagHidden, true), 0);
    EXPECT_EQ(SetExtFlagBit(flags, -1, kExtFlagHidden, true), 0);
    EXPECT_EQ(flags, (TRdimExtFlagArray{0u, kExtFlagLeader, 0u}));
}

TEST(TRdimExtFlags, TickOverrideOnlyWhereItDiffersFromTheChain) {
    const int chain = kTickOblique;
    std::uint32_t word = kExtFlagHidden;
    word = WithTickSymbol(word, kTickDot, chain);
    EXPECT_EQ(word, kExtFlagHidden | kExtTickDot);
    EXPECT_EQ(ExtTickSymbol(word, chain), kTickDot);
    // One override at a time.
    word = WithTickSymbol(word, kTickNone, chain);
    EXPECT_EQ(word, kExtFlagHidden | kExtTickNone);
    EXPECT_EQ(ExtTickSymbol(word, chain), kTickNone);
    // The chain's own code leaves no override.
    word = WithTickSymbol(word, chain, chain);
    EXPECT_EQ(word, kExtFlagHidden);
    EXPECT_EQ(TickOverrideCode(word), -1);

    TRdimExtFlagArray flags = {0u, WithTickSymbol(0u, kTickArrow, chain), 0u};
    EXPECT_EQ(CommonTickSymbol(flags, chain), -1);
    flags[1] = WithTickSymbol(flags[1], chain, chain);
    EXPECT_EQ(CommonTickSymbol(flags, chain), chain);
    // Codes map to their own bits.
    EXPECT_EQ(TickOverrideBit(kTickOblique), kExtTickOblique);
    EXPECT_EQ(TickOverrideBit(kTickCross), kExtTickCross);
    EXPECT_EQ(TickOverrideBit(kTickNone), kExtTickNone);
    EXPECT_EQ(TickOverrideBit(9), 0u);
}

TEST(TRdimExtFlags, OneWordPerExtensionAfterInsertAndRepair) {
    TRdimExtFlagArray flags = {kExtFlagHidden, kExtFlagLeader};
    SyncExtFlags(flags, 1, true, 3);
    EXPECT_EQ(flags, (TRdimExtFlagArray{kExtFlagHidden, 0u, kExtFlagLeader}));
    SyncExtFlags(flags, 3, true, 4); // appended at the end
    EXPECT_EQ(flags, (TRdimExtFlagArray{kExtFlagHidden, 0u, kExtFlagLeader, 0u}));
    RemoveExtFlag(flags, 0);
    SyncExtFlags(flags, 0, false, 3);
    EXPECT_EQ(flags, (TRdimExtFlagArray{0u, kExtFlagLeader, 0u}));
    // A count that no longer matches cannot say which word is whose: all cleared.
    SyncExtFlags(flags, 0, false, 5);
    EXPECT_EQ(flags, TRdimExtFlagArray(5, 0u));
    SyncExtFlags(flags, 99, true, 2);
    EXPECT_EQ(flags.size(), 2u);
    SyncExtFlags(flags, 0, false, -3);
    EXPECT_TRUE(flags.empty());
}
