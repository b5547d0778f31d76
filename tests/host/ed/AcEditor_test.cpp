// The editor's reactors hear how every command ends, and one reactor's fault or
// removal never keeps the others from hearing it.
#include "host/ed/AcEditorReactor.h"

#include "host/ed/input/EditorInput.h"
#include "tests/host/ed/EdSession.h"

#include <stdexcept>
#include <vector>

namespace {

struct Listener : AcEditorReactor {
    std::vector<std::wstring> heard;
    AcEditorReactor* removeOnStart = nullptr;
    bool throwOnStart = false;
    void commandWillStart(const wchar_t* cmd) override {
        heard.push_back(L"start " + std::wstring(cmd));
        if (removeOnStart) acedEditor->removeReactor(removeOnStart);
        if (throwOnStart) throw std::runtime_error("a module's fault");
    }
    void commandEnded(const wchar_t* cmd) override { heard.push_back(L"ended " + std::wstring(cmd)); }
    void commandCancelled(const wchar_t* cmd) override { heard.push_back(L"cancelled " + std::wstring(cmd)); }
    void commandFailed(const wchar_t* cmd) override { heard.push_back(L"failed " + std::wstring(cmd)); }
};

void asksAPoint() {
    ads_point p;
    acedGetPoint(nullptr, L"\nPoint: ", p);
}
void throws() {
    throw std::runtime_error("broken command");
}

using Heard = std::vector<std::wstring>;

} // namespace

class EditorReactors : public EdSession {};

TEST_F(EditorReactors, EveryOutcomeOfACommandIsHeard) {
    acedRegCmds->addCommand(L"TEST_GROUP", L"ASKS", L"ASKS", ACRX_CMD_MODAL, &asksAPoint);
    acedRegCmds->addCommand(L"TEST_GROUP", L"BREAKS", L"BREAKS", ACRX_CMD_MODAL, &throws);
    Listener a;
    acedEditor->addReactor(&a);
    acedEditor->addReactor(&a); // once is enough
    run(L"ASKS\n1,2\nASKS\nESC\nBREAKS\n");
    acedEditor->removeReactor(&a);
    EXPECT_EQ(a.heard, (Heard{L"start ASKS", L"ended ASKS", L"start ASKS", L"cancelled ASKS", L"start BREAKS",
                              L"failed BREAKS"}));
    run(L"ASKS\n1,2\n");
    EXPECT_EQ(a.heard.size(), 6u) << "a removed reactor hears nothing more";
}

TEST_F(EditorReactors, AFaultyOrRemovedReactorDoesNotStopTheOthers) {
    acedRegCmds->addCommand(L"TEST_GROUP", L"ASKS", L"ASKS", ACRX_CMD_MODAL, &asksAPoint);
    Listener faulty, removed, last;
    faulty.throwOnStart = true;
    faulty.removeOnStart = &removed;
    acedEditor->addReactor(&faulty);
    acedEditor->addReactor(&removed);
    acedEditor->addReactor(&last);
    run(L"ASKS\n0,0\n");
    acedEditor->removeReactor(&faulty);
    acedEditor->removeReactor(&last);
    EXPECT_EQ(faulty.heard, (Heard{L"start ASKS", L"ended ASKS"}));
    EXPECT_TRUE(removed.heard.empty());
    EXPECT_EQ(last.heard, (Heard{L"start ASKS", L"ended ASKS"}));
    EXPECT_TRUE(said(L"Point: "));
}
