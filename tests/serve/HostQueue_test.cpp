// The way from the server's threads into the host: lines arrive whole and in one order,
// tasks run on the host's thread between lines, and nothing waits for a host that left.
#include "shell/serve/EventHub.h"
#include "shell/serve/HostQueue.h"
#include "shell/serve/JsonText.h"

#include "host/ed/input/EditorInput.h"
#include "host/ed/input/HostInput.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <thread>
#include <vector>

TEST(HostQueue, ConcurrentLinesArriveWholeInTheOrderTheyWereNumbered) {
    serve::HostQueue queue;
    constexpr int kThreads = 8, kEach = 250;
    std::vector<std::wstring> read;
    std::thread host([&] {
        while (std::optional<std::wstring> line = queue.takeLine({}))
            read.push_back(*line);
    });
    std::vector<std::vector<std::uint64_t>> numbers(kThreads);
    std::vector<std::thread> senders;
    for (int t = 0; t < kThreads; ++t)
        senders.emplace_back([&, t] {
            // Each sender waits for its line to be taken, as a page's request does.
            for (int i = 0; i < kEach; ++i)
                numbers[t].push_back(queue.postLine(std::to_wstring(t) + L":" + std::to_wstring(i)).get());
        });
    for (std::thread& s : senders)
        s.join();
    queue.close();
    host.join();
    ASSERT_EQ(read.size(), size_t(kThreads * kEach)) << "lines were lost";
    std::map<int, int> next;
    for (size_t n = 0; n < read.size(); ++n) {
        const int t = std::stoi(read[n].substr(0, read[n].find(L':')));
        const int i = std::stoi(read[n].substr(read[n].find(L':') + 1));
        EXPECT_EQ(i, next[t]++) << "sender " << t << "'s lines out of order";
        EXPECT_EQ(numbers[t][i], n + 1) << "the number a sender got is the place the host read it";
    }
}

TEST(HostQueue, TasksRunOnTheHostThreadBetweenLines) {
    serve::HostQueue queue;
    std::thread::id hostThread;
    std::vector<std::string> order;
    auto first = queue.postLine(L"A");
    auto task = queue.runOnHost([&] {
        order.push_back("task");
        EXPECT_EQ(std::this_thread::get_id(), hostThread);
    });
    auto second = queue.postLine(L"B", [&] { order.push_back("before B"); });
    queue.runOnHost([] { throw 1; }); // a failing task does not stop the host
    queue.close();
    std::thread host([&] {
        hostThread = std::this_thread::get_id();
        int waits = 0;
        while (std::optional<std::wstring> line = queue.takeLine([&] { ++waits; }))
            order.push_back(std::string(line->begin(), line->end()));
        EXPECT_EQ(waits, 0) << "a closed queue with work in it never waits";
    });
    host.join();
    EXPECT_EQ(order, (std::vector<std::string>{"A", "task", "before B", "B"}));
    EXPECT_EQ(first.get(), 1u);
    EXPECT_EQ(second.get(), 2u);
    EXPECT_EQ(task.wait_for(std::chrono::seconds(0)), std::future_status::ready);
}

TEST(HostQueue, NothingWaitsForAHostThatLeft) {
    serve::HostQueue queue;
    auto line = queue.postLine(L"never read");
    bool ran = false;
    auto task = queue.runOnHost([&] { ran = true; });
    queue.shutdown();
    EXPECT_EQ(line.get(), 0u) << "a line the host never read has no number";
    EXPECT_EQ(task.wait_for(std::chrono::seconds(0)), std::future_status::ready);
    EXPECT_FALSE(ran);
    EXPECT_EQ(queue.postLine(L"late").get(), 0u);
    EXPECT_FALSE(queue.takeLine({}).has_value());
}

// ESC from the page while the host is busy in a command that does not ask: the
// command's acedUsrBrk takes that ESC out of the queue, the other lines stay in order.
TEST(HostQueue, AnEscFromThePageReachesABusyCommandsBreakCheck) {
    serve::HostQueue queue;
    host::HostInput& input = host::hostInput();
    input.reset();
    input.pushSource(std::make_unique<serve::QueuedSource>(queue, [] {}));
    EXPECT_EQ(acedUsrBrk(), 0) << "nothing queued: no break, and no wait for a line";
    auto a = queue.postLine(L"10,10");
    auto esc = queue.postLine(L"esc");
    auto b = queue.postLine(L"@dialog click 1");
    auto c = queue.postLine(L"20,20");
    EXPECT_EQ(acedUsrBrk(), 1) << "the queued ESC is seen at once";
    EXPECT_EQ(esc.get(), 1u) << "the ESC counts as read, first";
    EXPECT_EQ(acedUsrBrk(), 0) << "taken once";
    queue.close();
    std::vector<std::wstring> rest;
    while (std::optional<std::wstring> line = queue.takeLine({}))
        rest.push_back(*line);
    EXPECT_EQ(rest, (std::vector<std::wstring>{L"10,10", L"@dialog click 1", L"20,20"}));
    EXPECT_EQ(a.get(), 2u);
    EXPECT_EQ(b.get(), 3u);
    EXPECT_EQ(c.get(), 4u);
    input.reset();
}

TEST(EventHub, StreamsGetWhatTheyMissedAndNoMoreThanIsKept) {
    serve::EventHub hub(3);
    EXPECT_TRUE(hub.after(0, 0).empty());
    for (int i = 1; i <= 5; ++i)
        EXPECT_EQ(hub.publish("output", "{\"n\":" + std::to_string(i) + "}"), std::uint64_t(i));
    const std::vector<serve::HubEvent> kept = hub.after(0, 0);
    ASSERT_EQ(kept.size(), 3u) << "only the newest three are kept";
    EXPECT_EQ(kept.front().id, 3u);
    EXPECT_EQ(hub.after(4, 0).size(), 1u);
    EXPECT_EQ(serve::sseText(kept.back()), "id: 5\nevent: output\ndata: {\"n\":5}\n\n");
    // A waiting stream wakes for a new event, and for the close.
    std::thread later([&] { hub.publish("changed", "{}"); });
    const std::vector<serve::HubEvent> woke = hub.after(5, 10000);
    later.join();
    ASSERT_EQ(woke.size(), 1u);
    EXPECT_EQ(woke[0].name, "changed");
    hub.close();
    EXPECT_TRUE(hub.after(6, 10000).empty());
}

TEST(JsonText, StringsAndFormsAreValidJson) {
    EXPECT_EQ(serve::jsonString(std::wstring(L"BMa\u00DF \"x\"\\\n\t\x01")), "\"BMa\xc3\x9f \\\"x\\\"\\\\\\n\\t\\u0001\"");
    host::UiMenuView menu{{32798, L"Ma\u00DFpunkt(e) &hinzuf\u00FCgen", 0, false, false, true, false},
                          {0, L"", 0, false, true, true, false}};
    EXPECT_EQ(serve::menuJson(menu),
              "[{\"id\":32798,\"text\":\"Ma\xc3\x9f" "punkt(e) &hinzuf\xc3\xbcgen\",\"depth\":0,\"popup\":false,"
              "\"separator\":false,\"enabled\":true,\"checked\":false},{\"id\":0,\"text\":\"\",\"depth\":0,"
              "\"popup\":false,\"separator\":true,\"enabled\":true,\"checked\":false}]");
}
