// SETVAR and the annotation scale the working drawing keeps: values taken, values
// refused without a change, and the editor's reactors told of each change.
#include "host/ed/HostVariableCommands.h"

#include "EdSession.h"

#include "host/db/entities/AcDbAnnotationScale.h"
#include "host/db/database/AcDbDatabase.h"
#include "host/db/database/AcDbHostApplicationServices.h"
#include "host/ed/AcEditorReactor.h"
#include "host/ed/commands/CommandLine.h"
#include "host/ed/commands/HostDrawCommands.h"
#include "host/ed/SysVars.h"

#include <memory>
#include <string>
#include <vector>

namespace {

struct VariableWatcher : AcEditorReactor {
    std::vector<std::wstring> heard;
    void sysVarWillChange(const wchar_t* name) override { heard.push_back(std::wstring(L"will ") + name); }
    void sysVarChanged(const wchar_t* name, Adesk::Boolean ok) override {
        heard.push_back(std::wstring(ok ? L"ok " : L"failed ") + name);
    }
};

class VariableCommands : public DrawingSession {
protected:
    void SetUp() override {
        DrawingSession::SetUp();
        acedEditor->addReactor(&m_watcher);
    }
    void TearDown() override {
        acedEditor->removeReactor(&m_watcher);
        DrawingSession::TearDown();
    }
    void setvar(const std::wstring& answers) { command(L"SETVAR", answers); }
    double annotationScale() const {
        std::unique_ptr<AcDbAnnotationScale> scale(m_db->cannoscale());
        double value = 0.0;
        if (scale) scale->getScale(value);
        return value;
    }
    VariableWatcher m_watcher;
};

} // namespace

TEST_F(VariableCommands, AnnotationScaleIsTheDrawingsAndBadNamesChangeNothing) {
    setvar(L"CANNOSCALE\n1:50\n");
    EXPECT_NEAR(annotationScale(), 0.02, 1e-12);
    EXPECT_EQ(host::sysVars().get(L"cannoscale")->text, L"1:50");
    ASSERT_EQ(m_watcher.heard.size(), 2u);
    EXPECT_EQ(m_watcher.heard[0], L"will CANNOSCALE");
    EXPECT_EQ(m_watcher.heard[1], L"ok CANNOSCALE");

    // Refused: no pair, a zero, text after the number; Enter keeps the value.
    for (const wchar_t* bad : {L"abc", L"1:0", L"1:50x", L":5", L"-1:20"}) {
        setvar(std::wstring(L"CANNOSCALE\n") + bad + L"\n");
        EXPECT_TRUE(said(L"is refused - the value stays")) << bad;
        EXPECT_NEAR(annotationScale(), 0.02, 1e-12) << bad;
    }
    EXPECT_EQ(m_watcher.heard.back(), L"failed CANNOSCALE");
    setvar(L"CANNOSCALE\n\n");
    EXPECT_NEAR(annotationScale(), 0.02, 1e-12);

    // Another drawing has a scale of its own.
    AcDbDatabase other;
    acdbHostApplicationServices()->setWorkingDatabase(&other);
    EXPECT_EQ(host::sysVars().get(L"CANNOSCALE")->text, L"1:1");
    acdbHostApplicationServices()->setWorkingDatabase(m_db.get());
}

TEST_F(VariableCommands, NumbersTakeTheirVariablesKindAndUnknownNamesAreSaid) {
    setvar(L"ORTHOMODE\n1\n");
    EXPECT_EQ(host::sysVars().get(L"ORTHOMODE")->integer, 1);
    setvar(L"ORTHOMODE\n1.5\n");
    EXPECT_TRUE(said(L"is refused"));
    EXPECT_EQ(host::sysVars().get(L"ORTHOMODE")->integer, 1);
    setvar(L"ORTHOMODE\n0\n");
    setvar(L"NOSUCHVAR\n");
    EXPECT_TRUE(said(L"Unknown variable name \"NOSUCHVAR\"."));
    setvar(L"CMDNAMES\nX\n");
    EXPECT_TRUE(said(L"CMDNAMES: \"X\" is refused"));
}
