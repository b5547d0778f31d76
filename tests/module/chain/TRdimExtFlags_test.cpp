#include "module/chain/TRdimExtFlags.h"

#include <gtest/gtest.h>

TEST(TRdimExtFlags, HiddenAndLeaderBitsReportTheirOldValue) {
    TRdimExtFlagArray flags(3, 0u);
    EXPECT_EQ(SetExtFlagBit(flags, 1, kExtFlagHidden, true), 0);
    EXPECT_FALSE(IsExtVisible(flags, 1));
    EXPECT_EQ(SetExtFlagBit(flags, 1, kExtFlagLeader, true), 0);
    EXPECT_EQ(SetExtFlagBit(flags, 1, kExtFlagHidden, false), 1);
    EXPECT_TRUE(IsExtVisible(flags, 1));
    // Out of range: visible, nothing changes.
    EXPECT_TRUE(IsExtVisible(flags, 3));
    EXPECT_EQ(SetExtFlagBit(flags, -1, kExtFlagHidden, true), 0);
    EXPECT_EQ(flags, (TRdimExtFlagArray{0u, kExtFlagLeader, 0u}));
}

TEST(TRdimExtFlags, TickOverrideOnlyWhereItDiffersFromTheChain) {
    const int chain = kTickOblique;
    std::uint32_t word = WithTickSymbol(kExtFlagHidden, kTickDot, chain);
    EXPECT_EQ(word, kExtFlagHidden | kExtTickDot);
    word = WithTickSymbol(word, kTickNone, chain); // one override at a time
    EXPECT_EQ(word, kExtFlagHidden | kExtTickNone);
    EXPECT_EQ(ExtTickSymbol(word, chain), kTickNone);
    word = WithTickSymbol(word, chain, chain); // the chain's own code leaves no override
    EXPECT_EQ(word, kExtFlagHidden);

    TRdimExtFlagArray flags = {0u, WithTickSymbol(0u, kTickArrow, chain), 0u};
    EXPECT_EQ(CommonTickSymbol(flags, chain), -1);
    flags[1] = WithTickSymbol(flags[1], chain, chain);
    EXPECT_EQ(CommonTickSymbol(flags, chain), chain);
    EXPECT_EQ(TickOverrideBit(kTickCross), kExtTickCross);
    EXPECT_EQ(TickOverrideBit(9), 0u);
}

TEST(TRdimExtFlags, OneWordPerExtensionAfterInsertRemoveAndRepair) {
    TRdimExtFlagArray flags = {kExtFlagHidden, kExtFlagLeader};
    SyncExtFlags(flags, 1, true, 3);
    EXPECT_EQ(flags, (TRdimExtFlagArray{kExtFlagHidden, 0u, kExtFlagLeader}));
    RemoveExtFlag(flags, 0);
    SyncExtFlags(flags, 0, false, 2);
    EXPECT_EQ(flags, (TRdimExtFlagArray{0u, kExtFlagLeader}));
    // A count that no longer matches cannot say which word is whose: all cleared.
    SyncExtFlags(flags, 0, false, 5);
    EXPECT_EQ(flags, TRdimExtFlagArray(5, 0u));
    SyncExtFlags(flags, 99, true, -3);
    EXPECT_TRUE(flags.empty());
}
