#include "host/rx/AcRxClass.h"
#include "host/rx/AcRxDictionary.h"

#include <gtest/gtest.h>

// A module's classes, registered in whatever order its start-up happens to use.
class LateParent : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(LateParent);
};
class EarlyChild : public LateParent {
public:
    ACRX_DECLARE_MEMBERS(EarlyChild);
};
ACRX_DXF_DEFINE_MEMBERS(LateParent, AcRxObject, 0, 0, 0, XOTA_LATEPARENT, L"test")
ACRX_DXF_DEFINE_MEMBERS(EarlyChild, LateParent, 0, 0, 0, XOTA_EARLYCHILD, L"test")

// Host classes nobody has used yet, and a module class built on them.
class UnusedHostRoot : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(UnusedHostRoot);
};
class UnusedHostBase : public UnusedHostRoot {
public:
    ACRX_DECLARE_MEMBERS(UnusedHostBase);
};
class ModuleOnHost : public UnusedHostBase {
public:
    ACRX_DECLARE_MEMBERS(ModuleOnHost);
};
ACRX_HOST_DEFINE_MEMBERS(UnusedHostRoot, AcRxObject, L"", nullptr)
ACRX_HOST_DEFINE_MEMBERS(UnusedHostBase, UnusedHostRoot, L"", nullptr)
ACRX_DXF_DEFINE_MEMBERS(ModuleOnHost, UnusedHostBase, 0, 0, 0, XOTA_MODULEONHOST, L"test")

TEST(RxClassTree, ChildRegisteredBeforeItsParentIsLinkedWhenTheParentComes) {
    EarlyChild::rxInit();
    ASSERT_NE(EarlyChild::desc(), nullptr);
    EXPECT_EQ(EarlyChild::desc()->myParent(), nullptr) << "no parent to link to yet";
    EXPECT_FALSE(acrxBuildClassHierarchy()) << "a class still waits for its parent";

    LateParent::rxInit();
    ASSERT_NE(LateParent::desc(), nullptr);
    EXPECT_EQ(EarlyChild::desc()->myParent(), LateParent::desc());
    EXPECT_TRUE(EarlyChild::desc()->isDerivedFrom(LateParent::desc()));
    EXPECT_TRUE(EarlyChild::desc()->isDerivedFrom(AcRxObject::desc()));
    EXPECT_TRUE(acrxBuildClassHierarchy());

    EarlyChild child;
    LateParent parent;
    EXPECT_EQ(LateParent::cast(&child), &child);
    EXPECT_EQ(EarlyChild::cast(&parent), nullptr);
    EXPECT_TRUE(child.isKindOf(AcRxObject::desc()));

    // The parent unloaded and loaded again: the child follows the new class object
    // instead of the freed one.
    deleteAcRxClass(LateParent::desc());
    LateParent::gpDesc = nullptr;
    EXPECT_EQ(EarlyChild::desc()->myParent(), nullptr);
    LateParent::rxInit();
    EXPECT_EQ(EarlyChild::desc()->myParent(), LateParent::desc());
    EXPECT_EQ(LateParent::cast(&child), &child);

    deleteAcRxClass(EarlyChild::desc());
    EarlyChild::gpDesc = nullptr;
    deleteAcRxClass(LateParent::desc());
    LateParent::gpDesc = nullptr;
    EXPECT_TRUE(acrxBuildClassHierarchy());
}

TEST(RxClassTree, HostParentNotYetUsedIsRegisteredWithItsOwnParents) {
    EXPECT_EQ(acrxClassDictionary->at(L"UnusedHostBase"), nullptr) << "host classes register on first use";
    EXPECT_EQ(acrxClassDictionary->at(L"UnusedHostRoot"), nullptr);

    ModuleOnHost::rxInit();
    ASSERT_NE(ModuleOnHost::desc(), nullptr);
    EXPECT_EQ(ModuleOnHost::desc()->myParent(), acrxClassDictionary->at(L"UnusedHostBase"));
    EXPECT_EQ(ModuleOnHost::desc()->myParent(), UnusedHostBase::desc());
    EXPECT_EQ(UnusedHostBase::desc()->myParent(), UnusedHostRoot::desc());

    ModuleOnHost obj;
    EXPECT_TRUE(obj.isKindOf(UnusedHostRoot::desc()));
    EXPECT_TRUE(obj.isKindOf(AcRxObject::desc()));
    EXPECT_EQ(UnusedHostRoot::cast(&obj), &obj);
    EXPECT_TRUE(acrxBuildClassHierarchy());

    deleteAcRxClass(ModuleOnHost::desc());
    ModuleOnHost::gpDesc = nullptr;
}

TEST(RxClassTree, ParentsThatWouldCloseALoopAreRefused) {
    // Each names the other; whichever comes second may not close the ring.
    AcRxClass* a = newAcRxClass(L"LoopA", L"LoopB", 0);
    AcRxClass* b = newAcRxClass(L"LoopB", L"LoopA", 0);
    EXPECT_EQ(b->myParent(), a);
    EXPECT_EQ(a->myParent(), nullptr);
    AcRxClass* self = newAcRxClass(L"SelfParent", L"SelfParent", 0);
    EXPECT_EQ(self->myParent(), nullptr);
    // Walking up must end, whatever is asked.
    EXPECT_FALSE(a->isDerivedFrom(b));
    EXPECT_FALSE(self->isDerivedFrom(AcRxObject::desc()));
    EXPECT_FALSE(acrxBuildClassHierarchy());

    // A parent name that never turns up leaves the class alone and parentless.
    AcRxClass* orphan = newAcRxClass(L"OrphanClass", L"NoSuchClassAnywhere", 0);
    EXPECT_EQ(orphan->myParent(), nullptr);
    EXPECT_EQ(acrxClassDictionary->at(L"OrphanClass"), orphan);

    deleteAcRxClass(b);
    EXPECT_EQ(acrxClassDictionary->at(L"LoopA"), a);
    deleteAcRxClass(a);
    deleteAcRxClass(self);
    deleteAcRxClass(orphan);
    EXPECT_TRUE(acrxBuildClassHierarchy()) << "nothing waits for a deleted class";
}
