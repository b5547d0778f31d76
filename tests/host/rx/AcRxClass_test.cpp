#include "host/rx/AcRxClass.h"
#include "host/rx/AcRxDictionary.h"

#include <gtest/gtest.h>

class TestBase : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(TestBase);
};
class TestDerived : public TestBase {
public:
    ACRX_DECLARE_MEMBERS(TestDerived);
};
class TestProtocol : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(TestProtocol);
};

ACRX_HOST_DEFINE_MEMBERS(TestBase, AcRxObject, L"", nullptr)
ACRX_DXF_DEFINE_MEMBERS(TestDerived, TestBase, 31, 8, 0xBFF, XOTA_TESTDERIVED, L"test|app")
ACRX_HOST_DEFINE_MEMBERS(TestProtocol, AcRxObject, L"", nullptr)

TEST(AcRxClass, RegistrationKindsAndCasts) {
    EXPECT_EQ(TestDerived::desc(), nullptr) << "a module class is unknown before rxInit";
    TestBase::rxInit();
    TestDerived::rxInit();
    AcRxClass* d = TestDerived::desc();
    ASSERT_NE(d, nullptr);
    EXPECT_STREQ(d->dxfName(), L"XOTA_TESTDERIVED");
    EXPECT_EQ(d->proxyFlags(), 0xBFF);
    int maint = 0;
    EXPECT_EQ(d->getClassVersion(maint), 31);
    EXPECT_EQ(maint, 8);
    EXPECT_EQ(d->myParent(), TestBase::desc());
    EXPECT_EQ(acrxClassDictionary->at(L"TestDerived"), d);

    TestDerived derived;
    TestBase base;
    EXPECT_TRUE(derived.isKindOf(TestBase::desc()));
    EXPECT_TRUE(derived.isKindOf(AcRxObject::desc()));
    EXPECT_FALSE(base.isKindOf(TestDerived::desc()));
    EXPECT_EQ(TestDerived::cast(&base), nullptr);
    EXPECT_EQ(TestBase::cast(&derived), &derived);

    // A second rxInit finds the class and registers nothing new.
    TestDerived::rxInit();
    EXPECT_EQ(TestDerived::desc(), d);

    // Protocol extensions are inherited down the tree and removed again.
    TestProtocol ext;
    TestBase::desc()->addX(TestProtocol::desc(), &ext);
    EXPECT_EQ(derived.queryX(TestProtocol::desc()), &ext);
    EXPECT_EQ(TestBase::desc()->delX(TestProtocol::desc()), &ext);
    EXPECT_EQ(derived.queryX(TestProtocol::desc()), nullptr);

    AcRxObject* made = d->create();
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->isA(), d);
    delete made;

    deleteAcRxClass(d);
    EXPECT_EQ(acrxClassDictionary->at(L"TestDerived"), nullptr);
    TestDerived::gpDesc = nullptr;
}
