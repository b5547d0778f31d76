#pragma once
// The document manager (acDocManager): the open drawings, the current one, their
// locks, and opening, creating and closing drawings. Opening or creating a drawing
// tells the editor's reactors (beginDwgOpen, endDwgOpen), makes it current, makes
// its database the working database and sends every module kLoadDwgMsg; closing
// sends beginClose and kUnloadDwgMsg first. The host locks the current document
// for kAutoWrite while a command runs; locks a module takes nest and are given
// back one per unlockDocument.
#include "host/ap/AcApDocument.h"
#include "host/rx/AcRxObject.h"
#include "host/rx/acadstrc.h"

#include <memory>
#include <string>
#include <vector>

class AcApDocManagerReactor;

class AcApDocumentIterator : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcApDocumentIterator);
    explicit AcApDocumentIterator(std::vector<AcApDocument*> docs) : m_docs(std::move(docs)) {}
    bool done() const { return m_pos >= m_docs.size(); }
    void step() {
        if (!done()) ++m_pos;
    }
    AcApDocument* document() const { return done() ? nullptr : m_docs[m_pos]; }

private:
    std::vector<AcApDocument*> m_docs;
    size_t m_pos = 0;
};

class AcApDocManager : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcApDocManager);
    AcApDocManager();
    ~AcApDocManager() override;

    AcApDocument* curDocument() const { return m_current; }
    AcApDocument* mdiActiveDocument() const { return m_current; }
    // The document whose database this is; null for a database without one.
    AcApDocument* document(const AcDbDatabase* pDb) const;
    int documentCount() const { return int(m_docs.size()); }
    // A snapshot of the open documents; the caller deletes the iterator.
    AcApDocumentIterator* newAcApDocumentIterator() const;
    // True while no command runs (the host's application context).
    bool isApplicationContext() const;

    // eInvalidInput for a mode that is no lock or a document that is not open.
    Acad::ErrorStatus lockDocument(AcApDocument* pDoc, AcAp::DocLockMode lockMode = AcAp::kWrite,
                                   const wchar_t* pGlobalCmdName = nullptr,
                                   const wchar_t* pLocalCmdName = nullptr, bool prompt = true);
    // Gives back the most recent lock the caller took; eNotApplicable when there is
    // none (the host's own command lock is not the caller's to give back).
    Acad::ErrorStatus unlockDocument(AcApDocument* pDoc);
    // Makes the document current (its database the working one), optionally locked
    // and activated.
    Acad::ErrorStatus setCurDocument(AcApDocument* pDoc, AcAp::DocLockMode lockMode = AcAp::kNone,
                                     bool activate = false);
    Acad::ErrorStatus activateDocument(AcApDocument* pAcTargetDocument, bool bPassScript = false);
    // Input waiting to be read by the command line (posted commands).
    int inputPending(AcApDocument* pDoc) const;
    Acad::ErrorStatus sendStringToExecute(AcApDocument* pAcTargetDocument, const wchar_t* pszExecute,
                                          bool bActivate = true, bool bWrapUpInactiveDoc = false,
                                          bool bEchoString = true);

    // A new drawing: from a template drawing file when one is named, else a
    // default drawing. It becomes the current document.
    Acad::ErrorStatus appContextNewDocument(const wchar_t* pszTemplateName);
    // Opens a drawing file (one already open is made current instead). A file that
    // cannot be read opens nothing; host::drawingFileMessage() tells why.
    Acad::ErrorStatus appContextOpenDocument(const wchar_t* pszDrawingName);
    // Closes without asking: beginClose, kUnloadDwgMsg, the database is deleted;
    // another open document becomes current.
    Acad::ErrorStatus closeDocument(AcApDocument* pDoc);
    Acad::ErrorStatus appContextCloseDocument(AcApDocument* pDoc) { return closeDocument(pDoc); }

    void addReactor(AcApDocManagerReactor* reactor);
    void removeReactor(AcApDocManagerReactor* reactor);

    // ---- the host's side
    // Saves the document's database to `path` (keeping a .bak), telling the editor's
    // reactors (beginSave, then saveComplete or abortSave); the document takes the
    // new name. host::drawingFileMessage() tells why a save failed.
    Acad::ErrorStatus saveDocument(AcApDocument* pDoc, const wchar_t* path);
    // Closes every document (the host quitting, a test ending).
    void closeAllDocuments();
    bool isOpen(const AcApDocument* pDoc) const;

private:
    AcApDocument* addDocument(std::unique_ptr<AcDbDatabase> db, const std::wstring& name, bool named);
    void makeCurrent(AcApDocument* doc);
    void notifyLockChange(AcApDocument* doc, AcAp::DocLockMode previous, const wchar_t* cmd);
    void beginCommand();
    void endCommand();
    std::wstring nextDrawingName();

    std::vector<std::unique_ptr<AcApDocument>> m_docs;
    AcApDocument* m_current = nullptr;
    std::vector<AcApDocManagerReactor*> m_reactors;
    std::vector<AcApDocument*> m_commandLocks; // the document each running command locked (null: none)
    int m_beginHook = 0;
    int m_endHook = 0;
    int m_untitled = 0;
};

AcApDocManager* acDocManagerPtr();
#define acDocManager acDocManagerPtr()
