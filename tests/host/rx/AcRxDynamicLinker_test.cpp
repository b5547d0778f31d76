#include "host/rx/AcRxDLinkerReactor.h"
#include "host/rx/AcRxDynamicLinker.h"
#include "host/win/Transcript.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// What the fake modules were told, in order; shared because entry points are
// plain functions, as a module's are.
struct Log {
    std::vector<int> messages;
    std::vector<std::wstring> contexts;
    int exits = 0;
    AcRx::AppRetCode answerInit = AcRx::kRetOK;
    AcRx::AppRetCode answerUnload = AcRx::kRetOK;
    bool unlock = true;
    bool throwOnInit = false;
    void* packet = nullptr;
};
Log g_log;

AcRx::AppRetCode fakeEntry(AcRx::AppMsgCode msg, void* pkt) {
    g_log.messages.push_back(msg);
    const wchar_t* cur = acrxDynamicLinker->currentModule();
    g_log.contexts.push_back(cur ? cur : L"");
    if (msg == AcRx::kInitAppMsg) {
        if (g_log.throwOnInit) throw 42;
        g_log.packet = pkt;
        if (g_log.unlock) acrxDynamicLinker->unlockApplication(pkt);
        acrxDynamicLinker->registerAppMDIAware(pkt);
        return g_log.answerInit;
    }
    if (msg == AcRx::kUnloadAppMsg) return g_log.answerUnload;
    return AcRx::kRetOK;
}

void fakeExit() { ++g_log.exits; }

class RecordingReactor : public AcRxDLinkerReactor {
public:
    std::vector<std::wstring> events;
    bool removeSelfOnLoaded = false;
    void rxAppWillBeLoaded(const wchar_t* n) override { events.push_back(std::wstring(L"willLoad ") + n); }
    void rxAppLoaded(const wchar_t* n) override {
        events.push_back(std::wstring(L"loaded ") + n);
        if (removeSelfOnLoaded) acrxDynamicLinker->removeReactor(this);
    }
    void rxAppLoadAborted(const wchar_t* n) override { events.push_back(std::wstring(L"aborted ") + n); }
    void rxAppWillBeUnloaded(const wchar_t* n) override { events.push_back(std::wstring(L"willUnload ") + n); }
    void rxAppUnloaded(const wchar_t* n) override { events.push_back(std::wstring(L"unloaded ") + n); }
    void rxAppUnloadAborted(const wchar_t* n) override { events.push_back(std::wstring(L"unloadAborted ") + n); }
};

class DynamicLinker : public ::testing::Test {
protected:
    void SetUp() override { g_log = Log{}; }
    void TearDown() override {
        acrxDynamicLinker->setOpenDrawingsProvider(nullptr);
        acrxDynamicLinker->unloadAllForQuit();
    }
};

} // namespace

TEST_F(DynamicLinker, LoadAndUnloadTalkToTheModuleAndItsWatchers) {
    RecordingReactor reactor;
    acrxDynamicLinker->addReactor(&reactor);

    ASSERT_TRUE(acrxDynamicLinker->loadModule(L"fake.arx", &fakeEntry, false, &fakeExit));
    EXPECT_EQ(g_log.messages, std::vector<int>{AcRx::kInitAppMsg});
    EXPECT_EQ(g_log.contexts, std::vector<std::wstring>{L"fake.arx"}) << "the module is current while it answers";
    EXPECT_NE(g_log.packet, nullptr) << "kInitAppMsg names the module";
    EXPECT_TRUE(acrxDynamicLinker->isModuleLoaded(L"FAKE.ARX")) << "module names compare without case";
    EXPECT_FALSE(acrxDynamicLinker->isApplicationLocked(L"fake.arx"));
    EXPECT_TRUE(acrxDynamicLinker->isAppMDIAware(L"fake.arx"));
    EXPECT_EQ(acrxDynamicLinker->currentModule(), nullptr);

    // Loading again neither re-initialises nor fails.
    EXPECT_TRUE(acrxDynamicLinker->loadModule(L"fake.arx", &fakeEntry, false, &fakeExit));
    EXPECT_EQ(g_log.messages.size(), 1u);

    ASSERT_TRUE(acrxDynamicLinker->unloadModule(L"fake.arx"));
    EXPECT_EQ(g_log.messages, (std::vector<int>{AcRx::kInitAppMsg, AcRx::kUnloadAppMsg}));
    EXPECT_EQ(g_log.exits, 1) << "the module's exit runs once it is gone";
    EXPECT_FALSE(acrxDynamicLinker->isModuleLoaded(L"fake.arx"));
    EXPECT_FALSE(acrxDynamicLinker->unloadModule(L"fake.arx")) << "nothing left to unload";
    EXPECT_FALSE(acrxDynamicLinker->unlockApplication(g_log.packet)) << "a stale packet names nothing";

    EXPECT_EQ(reactor.events, (std::vector<std::wstring>{L"willLoad fake.arx", L"loaded fake.arx",
                                                         L"willUnload fake.arx", L"unloaded fake.arx"}));
    acrxDynamicLinker->removeReactor(&reactor);
}

TEST_F(DynamicLinker, ModulesThatRefuseOrFailStayConsistent) {
    host::TranscriptCapture transcript;
    RecordingReactor reactor;
    acrxDynamicLinker->addReactor(&reactor);

    // A locked module cannot be unloaded; it gets no message.
    g_log.unlock = false;
    ASSERT_TRUE(acrxDynamicLinker->loadModule(L"locked.arx", &fakeEntry, false, &fakeExit));
    EXPECT_TRUE(acrxDynamicLinker->isApplicationLocked(L"locked.arx"));
    EXPECT_FALSE(acrxDynamicLinker->unloadModule(L"locked.arx", true));
    EXPECT_TRUE(acrxDynamicLinker->isModuleLoaded(L"locked.arx"));
    EXPECT_EQ(g_log.messages, std::vector<int>{AcRx::kInitAppMsg});
    EXPECT_NE(transcript.text().find(L"Unable to unload locked.arx."), std::wstring::npos);

    // A module that refuses to be unloaded stays, and the watchers learn it.
    g_log = Log{};
    g_log.answerUnload = AcRx::kRetError;
    ASSERT_TRUE(acrxDynamicLinker->loadModule(L"stubborn.arx", &fakeEntry, false, &fakeExit));
    EXPECT_FALSE(acrxDynamicLinker->unloadModule(L"stubborn.arx"));
    EXPECT_TRUE(acrxDynamicLinker->isModuleLoaded(L"stubborn.arx"));
    EXPECT_EQ(g_log.exits, 0);
    EXPECT_EQ(reactor.events.back(), L"unloadAborted stubborn.arx");

    // A module that fails or throws on kInitAppMsg is not loaded, and the host lives on.
    g_log = Log{};
    g_log.answerInit = AcRx::kRetError;
    EXPECT_FALSE(acrxDynamicLinker->loadModule(L"broken.arx", &fakeEntry, true, &fakeExit));
    EXPECT_FALSE(acrxDynamicLinker->isModuleLoaded(L"broken.arx"));
    EXPECT_EQ(g_log.exits, 1);
    EXPECT_EQ(reactor.events.back(), L"aborted broken.arx");
    EXPECT_NE(transcript.text().find(L"Unable to load broken.arx."), std::wstring::npos);

    g_log = Log{};
    g_log.throwOnInit = true;
    EXPECT_FALSE(acrxDynamicLinker->loadModule(L"throws.arx", &fakeEntry, false, &fakeExit));
    EXPECT_FALSE(acrxDynamicLinker->isModuleLoaded(L"throws.arx"));
    EXPECT_EQ(acrxDynamicLinker->currentModule(), nullptr) << "the context is restored after a throw";

    // Bad arguments change nothing.
    EXPECT_FALSE(acrxDynamicLinker->loadModule(L"", &fakeEntry));
    EXPECT_FALSE(acrxDynamicLinker->loadModule(L"null.arx", nullptr));
    EXPECT_FALSE(acrxDynamicLinker->unlockApplication(nullptr));
    acrxDynamicLinker->removeReactor(&reactor);
}

TEST_F(DynamicLinker, DrawingsAndQuitFollowTheHostsOrder) {
    int drawingA = 0, drawingB = 0;
    acrxDynamicLinker->setOpenDrawingsProvider([&] { return std::vector<void*>{&drawingA, &drawingB}; });
    ASSERT_TRUE(acrxDynamicLinker->loadModule(L"first.arx", &fakeEntry, false, &fakeExit));
    EXPECT_EQ(g_log.messages, (std::vector<int>{AcRx::kInitAppMsg, AcRx::kLoadDwgMsg, AcRx::kLoadDwgMsg}))
        << "a new module gets every open drawing";

    g_log.messages.clear();
    acrxDynamicLinker->sendMessageToAll(AcRx::kSaveMsg, nullptr);
    EXPECT_EQ(g_log.messages, std::vector<int>{AcRx::kSaveMsg});
    EXPECT_EQ(acrxDynamicLinker->sendModuleMessage(L"nosuch.arx", AcRx::kCfgMsg, nullptr), AcRx::kRetError);

    // Quitting takes locked modules too: drawings first, then unload and quit.
    g_log.unlock = false;
    ASSERT_TRUE(acrxDynamicLinker->loadModule(L"second.arx", &fakeEntry, false, &fakeExit));
    g_log.messages.clear();
    g_log.contexts.clear();
    acrxDynamicLinker->unloadAllForQuit();
    const std::vector<int> perModule{AcRx::kUnloadDwgMsg, AcRx::kUnloadDwgMsg, AcRx::kUnloadAppMsg,
                                     AcRx::kQuitMsg};
    std::vector<int> expected = perModule;
    expected.insert(expected.end(), perModule.begin(), perModule.end());
    EXPECT_EQ(g_log.messages, expected);
    EXPECT_EQ(g_log.contexts.front(), L"second.arx") << "the module loaded last leaves first";
    EXPECT_EQ(g_log.contexts.back(), L"first.arx");
    EXPECT_TRUE(acrxDynamicLinker->loadedModules().empty());
    EXPECT_EQ(g_log.exits, 2);
}

TEST_F(DynamicLinker, ReactorMayRemoveItselfWhileNotified) {
    RecordingReactor leaving, staying;
    leaving.removeSelfOnLoaded = true;
    acrxDynamicLinker->addReactor(&leaving);
    acrxDynamicLinker->addReactor(&staying);
    acrxDynamicLinker->addReactor(&staying); // added twice, told once
    ASSERT_TRUE(acrxDynamicLinker->loadModule(L"a.arx", &fakeEntry));
    ASSERT_TRUE(acrxDynamicLinker->loadModule(L"b.arx", &fakeEntry));
    EXPECT_EQ(leaving.events, (std::vector<std::wstring>{L"willLoad a.arx", L"loaded a.arx"}));
    EXPECT_EQ(staying.events, (std::vector<std::wstring>{L"willLoad a.arx", L"loaded a.arx", L"willLoad b.arx",
                                                         L"loaded b.arx"}));
    acrxDynamicLinker->removeReactor(&staying);
    EXPECT_GT(acrxGetApiVersion(), 0);
}
