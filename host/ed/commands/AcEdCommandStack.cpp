#include "host/ed/commands/AcEdCommandStack.h"

#include "host/rx/AcRxClass.h"
#include "host/rx/AcRxDynamicLinker.h"
#include "host/win/WinCrt.h"

#include <algorithm>
#include <cwctype>

ACRX_HOST_DEFINE_MEMBERS(AcEdCommand, AcRxObject, L"", nullptr)
ACRX_HOST_DEFINE_MEMBERS(AcEdCommandIterator, AcRxObject, L"", nullptr)
ACRX_HOST_DEFINE_MEMBERS(AcEdCommandStack, AcRxObject, L"", nullptr)

namespace host {

bool sameCommandName(const std::wstring& a, const std::wstring& b) {
    return equalsNoCase(a, b);
}

bool isValidCommandName(const wchar_t* name) {
    if (!name || !*name) return false;
    for (const wchar_t* p = name; *p; ++p)
        if (std::iswspace(*p) || std::iswcntrl(*p)) return false;
    return true;
}

AcEdCommandStack& hostCommands() {
    static AcEdCommandStack* stack = new AcEdCommandStack; // lives as long as the process
    return *stack;
}

} // namespace host

// ---- AcEdCommand --------------------------------------------------------------

AcEdCommand::AcEdCommand(const wchar_t* group, const wchar_t* globalName, const wchar_t* localName, int32_t flags,
                         AcRxFunctionPtr function, AcEdUIContext* uiContext, int fcode, HINSTANCE resource,
                         const wchar_t* app)
    : m_group(group), m_globalName(globalName), m_localName(localName), m_flags(flags), m_function(function),
      m_uiContext(uiContext), m_fcode(fcode), m_resource(resource), m_app(app ? app : L"") {}

void AcEdCommand::commandUndef(bool undefIt) {
    if (undefIt)
        m_flags |= ACRX_CMD_UNDEFINED;
    else
        m_flags &= ~ACRX_CMD_UNDEFINED;
}

void* AcEdCommand::commandApp() const {
    return m_app.empty() ? nullptr : const_cast<wchar_t*>(m_app.c_str());
}

// ---- AcEdCommandStack ---------------------------------------------------------

AcEdCommandStack::AcEdCommandStack() = default;
AcEdCommandStack::~AcEdCommandStack() = default;

AcEdCommandStack::Group* AcEdCommandStack::group(const wchar_t* name) {
    for (Group& g : m_groups)
        if (host::sameCommandName(g.name, name)) return &g;
    return nullptr;
}

Acad::ErrorStatus AcEdCommandStack::addCommand(const wchar_t* cmdGroupName, const wchar_t* cmdGlobalName,
                                               const wchar_t* cmdLocalName, int32_t commandFlags,
                                               AcRxFunctionPtr functionAddr, AcEdUIContext* UIContext, int fcode,
                                               HINSTANCE hResourceHandle, AcEdCommand** cmdPtrRet) {
    if (cmdPtrRet) *cmdPtrRet = nullptr;
    if (!cmdLocalName || !*cmdLocalName) cmdLocalName = cmdGlobalName;
    if (!host::isValidCommandName(cmdGroupName) || !host::isValidCommandName(cmdGlobalName) ||
        !host::isValidCommandName(cmdLocalName) || !functionAddr)
        return Acad::eInvalidInput;
    Group* g = group(cmdGroupName);
    if (g) {
        for (const auto& c : g->commands)
            if (host::sameCommandName(c->globalName(), cmdGlobalName) ||
                host::sameCommandName(c->localName(), cmdLocalName))
                return Acad::eDuplicateKey;
    } else {
        m_groups.push_back(Group{cmdGroupName, {}});
        g = &m_groups.back();
    }
    auto cmd = std::make_unique<AcEdCommand>(cmdGroupName, cmdGlobalName, cmdLocalName, commandFlags, functionAddr,
                                             UIContext, fcode, hResourceHandle, acrxDynamicLinker->currentModule());
    if (cmdPtrRet) *cmdPtrRet = cmd.get();
    g->commands.push_back(std::move(cmd));
    return Acad::eOk;
}

AcEdCommandIterator* AcEdCommandStack::iterator() {
    std::vector<const AcEdCommand*> all;
    for (auto g = m_groups.rbegin(); g != m_groups.rend(); ++g)
        for (const auto& c : g->commands) all.push_back(c.get());
    return new AcEdCommandIterator(std::move(all));
}

AcEdCommand* AcEdCommandStack::lookup(const wchar_t* name, bool global, bool skipUndefed) {
    if (!name) return nullptr;
    for (auto g = m_groups.rbegin(); g != m_groups.rend(); ++g)
        for (const auto& c : g->commands) {
            if (skipUndefed && (c->commandFlags() & ACRX_CMD_UNDEFINED)) continue;
            if (host::sameCommandName(global ? c->globalName() : c->localName(), name)) return c.get();
        }
    return nullptr;
}

AcEdCommand* AcEdCommandStack::lookupGlobalCmd(const wchar_t* cmdName) { return lookup(cmdName, true, false); }
AcEdCommand* AcEdCommandStack::lookupLocalCmd(const wchar_t* cmdName) { return lookup(cmdName, false, false); }
AcEdCommand* AcEdCommandStack::lookupCmd(const wchar_t* cmdName, bool globalFlag) {
    return lookup(cmdName, globalFlag, false);
}
AcEdCommand* AcEdCommandStack::lookupCmd(const wchar_t* cmdName, bool globalFlag, bool) {
    return lookup(cmdName, globalFlag, false);
}
AcEdCommand* AcEdCommandStack::lookupCmd(const wchar_t* cmdName, bool globalFlag, bool, bool skipUndefed) {
    return lookup(cmdName, globalFlag, skipUndefed);
}

AcEdCommand* AcEdCommandStack::findForInput(const std::wstring& name, bool preferGlobal) {
    if (AcEdCommand* c = lookup(name.c_str(), preferGlobal, true)) return c;
    return lookup(name.c_str(), !preferGlobal, true);
}

size_t AcEdCommandStack::numCommands() const {
    size_t n = 0;
    for (const Group& g : m_groups) n += g.commands.size();
    return n;
}

Acad::ErrorStatus AcEdCommandStack::popGroupToTop(const wchar_t* groupName) {
    auto it = std::find_if(m_groups.begin(), m_groups.end(),
                           [&](const Group& g) { return host::sameCommandName(g.name, groupName ? groupName : L""); });
    if (it == m_groups.end()) return Acad::eKeyNotFound;
    std::rotate(it, it + 1, m_groups.end());
    return Acad::eOk;
}

Acad::ErrorStatus AcEdCommandStack::removeCmd(const wchar_t* cmdGroupName, const wchar_t* cmdGlobalName) {
    Group* g = group(cmdGroupName ? cmdGroupName : L"");
    if (!g || !cmdGlobalName) return Acad::eKeyNotFound;
    auto it = std::find_if(g->commands.begin(), g->commands.end(),
                           [&](const auto& c) { return host::sameCommandName(c->globalName(), cmdGlobalName); });
    if (it == g->commands.end()) return Acad::eKeyNotFound;
    g->commands.erase(it);
    if (g->commands.empty()) return removeGroup(cmdGroupName);
    return Acad::eOk;
}

Acad::ErrorStatus AcEdCommandStack::removeGroup(const wchar_t* groupName) {
    auto it = std::find_if(m_groups.begin(), m_groups.end(),
                           [&](const Group& g) { return host::sameCommandName(g.name, groupName ? groupName : L""); });
    if (it == m_groups.end()) return Acad::eKeyNotFound;
    m_groups.erase(it);
    return Acad::eOk;
}

AcEdCommandStack* acedRegCmdsPtr() {
    static AcEdCommandStack* stack = [] {
        auto* s = new AcEdCommandStack;
        acrxSysRegistry()->atPut(ACRX_COMMAND_DOCK, s);
        return s;
    }();
    return stack;
}
