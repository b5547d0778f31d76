#include "host/ed/AcEditorReactor.h"

#include "host/ed/commands/CommandHooks.h"

#include <algorithm>

ACRX_HOST_DEFINE_MEMBERS(AcEditorReactor, AcRxObject, L"", nullptr)
ACRX_HOST_DEFINE_MEMBERS(AcEditor, AcRxObject, L"", nullptr)

AcEditor::AcEditor() {
    // Reactors hear of every command the command line runs, nested ones too.
    m_beginHook = host::commandHooks().addBegin([this](const std::wstring& name, int) {
        fire([&](AcEditorReactor* r) { r->commandWillStart(name.c_str()); });
    });
    m_endHook =
        host::commandHooks().addEnd([this](const std::wstring& name, int, host::CommandOutcome outcome) {
            fire([&](AcEditorReactor* r) {
                switch (outcome) {
                case host::CommandOutcome::Ended:
                    r->commandEnded(name.c_str());
                    break;
                case host::CommandOutcome::Cancelled:
                    r->commandCancelled(name.c_str());
                    break;
                case host::CommandOutcome::Failed:
                    r->commandFailed(name.c_str());
                    break;
                }
            });
        });
}

AcEditor::~AcEditor() {
    host::commandHooks().remove(m_beginHook);
    host::commandHooks().remove(m_endHook);
}

void AcEditor::addReactor(AcEditorReactor* reactor) {
    if (reactor && std::find(m_reactors.begin(), m_reactors.end(), reactor) == m_reactors.end())
        m_reactors.push_back(reactor);
}

void AcEditor::removeReactor(AcEditorReactor* reactor) {
    m_reactors.erase(std::remove(m_reactors.begin(), m_reactors.end(), reactor), m_reactors.end());
}

void AcEditor::fire(const std::function<void(AcEditorReactor*)>& call) {
    const std::vector<AcEditorReactor*> snapshot = m_reactors;
    for (AcEditorReactor* r : snapshot) {
        if (std::find(m_reactors.begin(), m_reactors.end(), r) == m_reactors.end()) continue;
        try {
            call(r);
        } catch (...) {
        }
    }
}

AcEditor* acedEditorPtr() {
    // Never destroyed: reactors may be removed by modules during the host's exit.
    static AcEditor* editor = new AcEditor();
    return editor;
}
