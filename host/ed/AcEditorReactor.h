#pragma once
// The editor's reactors: what a module hears of commands and of drawings being
// opened, saved and closed. The command events come from the command line (through
// the command hooks); the drawing events from the document manager, which fires
// them through acedEditor. Every callback does nothing unless overridden.
#include "host/db/database/AcArray.h"
#include "host/db/database/adesk.h"
#include "host/rx/AcRxObject.h"

#include <functional>
#include <vector>

class AcDbDatabase;

class AcEditorReactor : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcEditorReactor);
    ~AcEditorReactor() override = default;

    // ---- commands
    virtual void unknownCommand(const wchar_t* cmdStr, AcDbVoidPtrArray* al) {}
    virtual void commandWillStart(const wchar_t* cmdStr) {}
    virtual void commandEnded(const wchar_t* cmdStr) {}
    virtual void commandCancelled(const wchar_t* cmdStr) {}
    virtual void commandFailed(const wchar_t* cmdStr) {}

    // ---- drawings
    virtual void beginDwgOpen(wchar_t* filename) {}
    virtual void endDwgOpen(const wchar_t* filename) {}
    // The form the host calls; by default it passes on to the one without the database.
    virtual void endDwgOpen(const wchar_t* filename, AcDbDatabase* pDb) { endDwgOpen(filename); }
    virtual void beginClose(AcDbDatabase* pDwg) {}
    virtual void beginSave(AcDbDatabase* pDwg, const wchar_t* pIntendedName) {}
    virtual void saveComplete(AcDbDatabase* pDwg, const wchar_t* pActualName) {}
    virtual void abortSave(AcDbDatabase* pDwg) {}
    virtual void databaseConstructed(AcDbDatabase* pDwg) {}
    virtual void databaseToBeDestroyed(AcDbDatabase* pDwg) {}

    // ---- host variables
    virtual void sysVarWillChange(const wchar_t* varName) {}
    virtual void sysVarChanged(const wchar_t* varName, Adesk::Boolean success) {}

protected:
    AcEditorReactor() = default;
};

class AcEditor : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcEditor);
    AcEditor();
    ~AcEditor() override;

    // A reactor is added once however often it is given; the caller keeps it and
    // removes it before deleting it.
    void addReactor(AcEditorReactor* reactor);
    void removeReactor(AcEditorReactor* reactor);

    // ---- the host's side: tells every reactor, in the order they were added. A
    // reactor removed by an earlier one's callback is not called; one that throws
    // is skipped, so a module's fault never stops the host's work.
    void fire(const std::function<void(AcEditorReactor*)>& call);
    size_t reactorCount() const { return m_reactors.size(); }

private:
    std::vector<AcEditorReactor*> m_reactors;
    int m_beginHook = 0;
    int m_endHook = 0;
};

AcEditor* acedEditorPtr();
#define acedEditor acedEditorPtr()
