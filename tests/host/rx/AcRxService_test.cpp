#include "host/rx/AcRxDictionary.h"
#include "host/rx/AcRxService.h"
#include "host/rx/acutString.h"

#include <gtest/gtest.h>

TEST(AcRxService, RegisteredOnceAndCountsDependencies) {
    EXPECT_FALSE(acrxServiceIsRegistered(L"TEST_SERVICE"));
    AcRxObject* made = acrxRegisterService(L"TEST_SERVICE");
    ASSERT_NE(made, nullptr);
    EXPECT_TRUE(acrxServiceIsRegistered(L"TEST_SERVICE"));
    EXPECT_EQ(acrxServiceDictionary->at(L"TEST_SERVICE"), made);
    EXPECT_EQ(acrxRegisterService(L"TEST_SERVICE"), nullptr) << "a second registration changes nothing";
    EXPECT_EQ(acrxServiceDictionary->at(L"TEST_SERVICE"), made);
    EXPECT_EQ(acrxRegisterService(L""), nullptr);
    EXPECT_EQ(acrxRegisterService(nullptr), nullptr);
    EXPECT_FALSE(acrxServiceIsRegistered(nullptr));

    AcRxService* service = AcRxService::cast(made);
    ASSERT_NE(service, nullptr) << "the dictionary entry is a real service";
    EXPECT_TRUE(service->unloadable());
    service->addDependency();
    service->addDependency();
    EXPECT_EQ(service->dependencyCount(), 2);
    EXPECT_FALSE(service->unloadable());
    service->removeDependency();
    service->removeDependency();
    service->removeDependency();
    EXPECT_EQ(service->dependencyCount(), 0) << "an extra remove does not go negative";
    EXPECT_TRUE(service->unloadable());

    EXPECT_TRUE(acrxUnregisterService(L"TEST_SERVICE"));
    EXPECT_FALSE(acrxServiceIsRegistered(L"TEST_SERVICE"));
    EXPECT_FALSE(acrxUnregisterService(L"TEST_SERVICE"));
}

TEST(AcutString, CopiesAreIndependentAndFreedSafely) {
    wchar_t* copy = nullptr;
    const wchar_t original[] = L"BMaß ±²";
    ASSERT_EQ(acutNewString(original, copy), Acad::eOk);
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy, original);
    EXPECT_STREQ(copy, original);
    acutDelString(copy);
    EXPECT_EQ(copy, nullptr);
    acutDelString(copy); // freeing a null string is harmless
    EXPECT_EQ(acutNewString(nullptr, copy), Acad::eOk);
    EXPECT_EQ(copy, nullptr);
}
