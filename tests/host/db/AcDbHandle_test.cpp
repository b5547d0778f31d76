#include "host/db/database/AcDbDatabase.h"
#include "host/db/database/AcDbHandle.h"
#include "host/db/database/AcDbObjectOpen.h"

#include <gtest/gtest.h>

TEST(AcDbHandle, HexTextBothWaysAndIncrement) {
    AcDbHandle h(0x2F);
    EXPECT_EQ(h.text(), L"2F");
    wchar_t buf[17];
    ASSERT_TRUE(h.getIntoAsciiBuffer(buf));
    EXPECT_STREQ(buf, L"2F");
    wchar_t tiny[2];
    EXPECT_FALSE(h.getIntoAsciiBuffer(tiny, 2)) << "a buffer too small is refused, not overrun";

    EXPECT_EQ(AcDbHandle(L"2f"), AcDbHandle(0x2F)) << "lower-case hex reads the same";
    EXPECT_EQ(AcDbHandle(L"00001A"), AcDbHandle(0x1A)) << "leading zeros do not count";
    EXPECT_EQ(AcDbHandle(L"FFFFFFFFFFFFFFFF").value(), 0xFFFFFFFFFFFFFFFFull);
    EXPECT_TRUE(AcDbHandle(L"1FFFFFFFFFFFFFFFF").isNull()) << "17 digits do not fit a handle";
    EXPECT_TRUE(AcDbHandle(L"12G").isNull());
    EXPECT_TRUE(AcDbHandle(L"").isNull());
    EXPECT_TRUE(AcDbHandle(static_cast<const wchar_t*>(nullptr)).isNull());
    EXPECT_TRUE(AcDbHandle(L" 12").isNull()) << "blanks are not part of a handle";

    AcDbHandle big(0xFFFFFFFFull);
    big.increment();
    EXPECT_EQ(big.high(), 1u);
    EXPECT_EQ(big.low(), 0u);
    EXPECT_EQ(big.text(), L"100000000");
    EXPECT_EQ(AcDbHandle(0).text(), L"0");
}

TEST(AcDbHandle, DatabaseFindsObjectsByHandle) {
    AcDbDatabase db;
    AcDbObjectId ms = db.modelSpaceId();
    ASSERT_FALSE(ms.isNull());
    AcDbObjectId found;
    EXPECT_EQ(db.getAcDbObjectId(found, false, ms.handle()), Acad::eOk);
    EXPECT_EQ(found, ms);
    EXPECT_EQ(db.getAcDbObjectId(found, false, AcDbHandle(L"ABCDEF")), Acad::eUnknownHandle);
    EXPECT_TRUE(found.isNull());
    EXPECT_EQ(db.getAcDbObjectId(found, false, AcDbHandle()), Acad::eNullHandle);

    // A handle asked for with createIfNotFound gets an empty slot that opens as unknown.
    EXPECT_EQ(db.getAcDbObjectId(found, true, AcDbHandle(L"ABCDEF")), Acad::eOk);
    ASSERT_FALSE(found.isNull());
    EXPECT_FALSE(found.isValid());
    AcDbObject* obj = nullptr;
    EXPECT_EQ(acdbOpenAcDbObject(obj, found, AcDb::kForRead), Acad::eUnknownHandle);
    EXPECT_EQ(obj, nullptr);
    EXPECT_GT(db.handseed().value(), 0xABCDEFull) << "new objects never take a handle already handed out";
}
