#pragma once
// The host's command stack: commands in named groups, found by their global
// (language-independent) or local name without regard to case. The group added
// last is searched first, so a module can override another's command of the same
// name. The stack owns its commands; look-ups hand out pointers that stay valid
// until the command is removed.
#include "host/rx/AcRxDictionary.h"
#include "host/rx/AcRxObject.h"
#include "host/rx/acadstrc.h"
#include "host/win/WinTypes.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#define ACRX_CMD_MODAL 0x00000000
#define ACRX_CMD_TRANSPARENT 0x00000001
#define ACRX_CMD_USEPICKSET 0x00000002
#define ACRX_CMD_REDRAW 0x00000004
#define ACRX_CMD_NOPERSPECTIVE 0x00000008
#define ACRX_CMD_NOMULTIPLE 0x00000010
#define ACRX_CMD_NOTILEMODE 0x00000020
#define ACRX_CMD_NOPAPERSPACE 0x00000040
#define ACRX_CMD_PLOTONLY 0x00000080
#define ACRX_CMD_NOOEM 0x00000100
#define ACRX_CMD_UNDEFINED 0x00000200
#define ACRX_CMD_INPROGRESS 0x00000400
#define ACRX_CMD_DEFUN 0x00000800
#define ACRX_CMD_NONEWSTACK 0x00010000
#define ACRX_CMD_NOINTERNALLOCK 0x00020000
#define ACRX_CMD_DOCREADLOCK 0x00080000
#define ACRX_CMD_DOCEXCLUSIVELOCK 0x00100000
#define ACRX_CMD_SESSION 0x00200000
#define ACRX_CMD_INTERRUPTIBLE 0x00400000
#define ACRX_CMD_NOHISTORY 0x00800000

typedef void (*AcRxFunctionPtr)();

class AcEdUIContext;

class AcEdCommand : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcEdCommand);
    AcEdCommand(const wchar_t* group, const wchar_t* globalName, const wchar_t* localName, int32_t flags,
                AcRxFunctionPtr function, AcEdUIContext* uiContext, int fcode, HINSTANCE resource,
                const wchar_t* app);
    ~AcEdCommand() override = default;

    // An undefined command is skipped by the command line until defined again.
    virtual void commandUndef(bool undefIt);
    virtual int32_t commandFlags() const { return m_flags; }
    virtual AcRxFunctionPtr functionAddr() const { return m_function; }
    virtual void functionAddr(AcRxFunctionPtr function) { m_function = function; }
    // The module that added the command (its file name), or null for the host's own.
    virtual void* commandApp() const;
    virtual AcEdUIContext* UIContext() const { return m_uiContext; }
    virtual int functionCode() const { return m_fcode; }
    virtual void functionCode(int fcode) { m_fcode = fcode; }
    virtual const wchar_t* commandGroup() const { return m_group.c_str(); }
    virtual const wchar_t* globalName() const { return m_globalName.c_str(); }
    virtual const wchar_t* localName() const { return m_localName.c_str(); }
    virtual HINSTANCE resourceHandle() const { return m_resource; }

    const wchar_t* appName() const { return m_app.c_str(); }

private:
    std::wstring m_group;
    std::wstring m_globalName;
    std::wstring m_localName;
    int32_t m_flags;
    AcRxFunctionPtr m_function;
    AcEdUIContext* m_uiContext;
    int m_fcode;
    HINSTANCE m_resource;
    std::wstring m_app;
};

class AcEdCommandIterator : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcEdCommandIterator);
    // Walks a snapshot: commands added or removed meanwhile do not disturb it, but a
    // removed command must not be used through it.
    explicit AcEdCommandIterator(std::vector<const AcEdCommand*> commands) : m_commands(std::move(commands)) {}
    virtual bool done() const { return m_pos >= m_commands.size(); }
    virtual bool next() {
        if (!done()) ++m_pos;
        return !done();
    }
    virtual const AcEdCommand* command() const { return done() ? nullptr : m_commands[m_pos]; }
    virtual const wchar_t* commandGroup() const { return done() ? nullptr : m_commands[m_pos]->commandGroup(); }

private:
    std::vector<const AcEdCommand*> m_commands;
    size_t m_pos = 0;
};

class AcEdCommandStack : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcEdCommandStack);
    AcEdCommandStack();
    ~AcEdCommandStack() override;

    // eInvalidInput for an empty or malformed name or group or a null function;
    // eDuplicateKey when the group already has a command of that global or local name.
    virtual Acad::ErrorStatus addCommand(const wchar_t* cmdGroupName, const wchar_t* cmdGlobalName,
                                         const wchar_t* cmdLocalName, int32_t commandFlags,
                                         AcRxFunctionPtr functionAddr, AcEdUIContext* UIContext = nullptr,
                                         int fcode = -1, HINSTANCE hResourceHandle = nullptr,
                                         AcEdCommand** cmdPtrRet = nullptr);
    // All commands, groups searched first first; the caller deletes the iterator.
    virtual AcEdCommandIterator* iterator();
    virtual AcEdCommand* lookupGlobalCmd(const wchar_t* cmdName);
    virtual AcEdCommand* lookupLocalCmd(const wchar_t* cmdName);
    virtual AcEdCommand* lookupCmd(const wchar_t* cmdName, bool globalFlag);
    virtual AcEdCommand* lookupCmd(const wchar_t* cmdName, bool globalFlag, bool allGroups);
    virtual AcEdCommand* lookupCmd(const wchar_t* cmdName, bool globalFlag, bool allGroups, bool skipUndefed);
    virtual Acad::ErrorStatus popGroupToTop(const wchar_t* groupName);
    // eKeyNotFound when there is no such command or group.
    virtual Acad::ErrorStatus removeCmd(const wchar_t* cmdGroupName, const wchar_t* cmdGlobalName);
    virtual Acad::ErrorStatus removeGroup(const wchar_t* groupName);

    // The host's side: the command the command line runs for a typed name, by
    // global or local name (global first when `preferGlobal`); undefined ones skipped.
    AcEdCommand* findForInput(const std::wstring& name, bool preferGlobal);
    size_t numCommands() const;

private:
    struct Group {
        std::wstring name;
        std::vector<std::unique_ptr<AcEdCommand>> commands;
    };
    Group* group(const wchar_t* name);
    AcEdCommand* lookup(const wchar_t* name, bool global, bool skipUndefed);

    std::vector<Group> m_groups; // the last is the top of the stack
};

// The command stack modules add their commands to.
AcEdCommandStack* acedRegCmdsPtr();
#define acedRegCmds acedRegCmdsPtr()

namespace host {
// The host's own commands (LINE, SAVE, U, QUIT ...): a stack of their own, so that a
// module's command of the same name wins at the command line, while "." reaches the
// host's.
AcEdCommandStack& hostCommands();
// Compares command names as the command line does: ASCII letters without case.
bool sameCommandName(const std::wstring& a, const std::wstring& b);
// A usable command or group name: not empty, no blanks or control characters.
bool isValidCommandName(const wchar_t* name);
} // namespace host
