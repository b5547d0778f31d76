#pragma once
// A clean command line for one test: the input reads the given script text, the
// transcript is captured, and everything the test added is gone afterwards.
#include "host/db/database/AcDbDatabase.h"
#include "host/db/database/AcDbHostApplicationServices.h"
#include "host/ed/commands/AcEdCommandStack.h"
#include "host/ed/commands/CommandLine.h"
#include "host/ed/commands/HostDrawCommands.h"
#include "host/ed/input/HostInput.h"
#include "host/ed/input/InputSource.h"
#include "host/win/Transcript.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

class EdSession : public ::testing::Test {
protected:
    void SetUp() override {
        host::commandLine(); // the host's built-in commands exist from here on
        host::hostInput().reset();
        host::commandLine().clearQuit();
    }
    void TearDown() override {
        acedRegCmds->removeGroup(L"TEST_GROUP");
        acedRegCmds->removeGroup(L"TEST_OTHER");
        host::hostInput().reset();
        host::hostInput().setEventHandler(nullptr);
        host::commandLine().clearQuit();
    }
    void script(const std::wstring& text) {
        host::hostInput().pushSource(std::make_unique<host::ScriptSource>(text, L"test.scr"));
    }
    // Runs the script to its end at the command line.
    void run(const std::wstring& text) {
        script(text);
        host::commandLine().run();
    }
    bool said(const std::wstring& text) const { return transcript.text().find(text) != std::wstring::npos; }

    host::TranscriptCapture transcript;
};

// The same with the host's drawing commands and a fresh working drawing, and commands
// run one at a time with their answers.
class DrawingSession : public EdSession {
protected:
    void SetUp() override {
        EdSession::SetUp();
        host::registerDrawCommands();
        m_db = std::make_unique<AcDbDatabase>();
        acdbHostApplicationServices()->setWorkingDatabase(m_db.get());
    }
    void TearDown() override {
        acdbHostApplicationServices()->setWorkingDatabase(nullptr);
        m_db.reset();
        EdSession::TearDown();
    }
    // Runs the command with the answers, one a line; what is left of them is dropped.
    void command(const wchar_t* name, const std::wstring& answers = L"") {
        script(answers);
        host::commandLine().execute(name);
        host::hostInput().clearSources();
    }

    std::unique_ptr<AcDbDatabase> m_db;
};
