#include "host/ap/AcApDocManager.h"

#include "host/ap/AcApDocManagerReactor.h"
#include "host/ap/DocumentCommands.h"
#include "host/ap/DocumentVariables.h"
#include "host/ap/XrefsAtOpen.h"
#include "host/db/database/AcDbDatabase.h"
#include "host/db/database/AcDbHostApplicationServices.h"
#include "host/db/database/DatabaseClasses.h"
#include "host/ed/AcEditorReactor.h"
#include "host/ed/commands/CommandHooks.h"
#include "host/ed/commands/CommandLine.h"
#include "host/ed/input/HostInput.h"
#include "host/rx/AcRxDynamicLinker.h"
#include "host/win/FormatW.h"
#include "host/win/Utf8.h"
#include "host/win/WinFiles.h"

#include <algorithm>
#include <filesystem>

ACRX_HOST_DEFINE_MEMBERS(AcApDocManager, AcRxObject, L"", nullptr)
ACRX_HOST_DEFINE_MEMBERS(AcApDocManagerReactor, AcRxObject, L"", nullptr)
ACRX_HOST_DEFINE_MEMBERS(AcApDocumentIterator, AcRxObject, L"", nullptr)

namespace {

bool isLockMode(AcAp::DocLockMode mode) {
    switch (mode) {
    case AcAp::kAutoWrite:
    case AcAp::kWrite:
    case AcAp::kProtectedAutoWrite:
    case AcAp::kRead:
    case AcAp::kXWrite:
        return true;
    default:
        return false;
    }
}

// The full, normal form of a path, so that one file opened twice is recognised.
std::wstring fullPath(const std::wstring& path) {
    std::error_code ec;
    std::filesystem::path p = std::filesystem::absolute(std::filesystem::path(host::nativePath(path)), ec);
    if (ec) return path;
    return host::fromUtf8(p.lexically_normal().string());
}

} // namespace

AcApDocManager::AcApDocManager() {
    host::registerDatabaseClasses();
    // A command holds an automatic lock on the document that was current when it
    // started. These hooks go in before the editor's, so reactors hear of a
    // command while its lock is held.
    m_beginHook = host::commandHooks().addBegin([this](const std::wstring&, int) { beginCommand(); });
    m_endHook =
        host::commandHooks().addEnd([this](const std::wstring&, int, host::CommandOutcome) { endCommand(); });
    acedEditor->reactorCount();
    acrxDynamicLinker->setOpenDrawingsProvider([this] {
        std::vector<void*> docs;
        for (const auto& d : m_docs)
            docs.push_back(d.get());
        return docs;
    });
    host::ap::defineDocumentVariables();
    host::ap::registerDocumentCommands();
}

AcApDocManager::~AcApDocManager() {
    host::commandHooks().remove(m_beginHook);
    host::commandHooks().remove(m_endHook);
    acrxDynamicLinker->setOpenDrawingsProvider(nullptr);
}

AcApDocument* AcApDocManager::document(const AcDbDatabase* pDb) const {
    if (!pDb) return nullptr;
    for (const auto& d : m_docs)
        if (d->database() == pDb) return d.get();
    return nullptr;
}

bool AcApDocManager::isOpen(const AcApDocument* pDoc) const {
    return pDoc &&
           std::any_of(m_docs.begin(), m_docs.end(), [pDoc](const auto& d) { return d.get() == pDoc; });
}

AcApDocumentIterator* AcApDocManager::newAcApDocumentIterator() const {
    std::vector<AcApDocument*> docs;
    for (const auto& d : m_docs)
        docs.push_back(d.get());
    return new AcApDocumentIterator(std::move(docs));
}

bool AcApDocManager::isApplicationContext() const {
    return host::commandLine().depth() == 0;
}

// ---- locks -----------------------------------------------------------------------------

void AcApDocManager::notifyLockChange(AcApDocument* doc, AcAp::DocLockMode previous, const wchar_t* cmd) {
    const std::vector<AcApDocManagerReactor*> snapshot = m_reactors;
    for (AcApDocManagerReactor* r : snapshot)
        if (std::find(m_reactors.begin(), m_reactors.end(), r) != m_reactors.end())
            r->documentLockModeChanged(doc, previous, doc->myLockMode(), doc->lockMode(), cmd ? cmd : L"");
}

Acad::ErrorStatus AcApDocManager::lockDocument(AcApDocument* pDoc, AcAp::DocLockMode lockMode,
                                               const wchar_t* pGlobalCmdName, const wchar_t*, bool) {
    if (!isOpen(pDoc) || !isLockMode(lockMode)) return Acad::eInvalidInput;
    const AcAp::DocLockMode previous = pDoc->myLockMode();
    pDoc->m_locks.push_back({lockMode, false});
    notifyLockChange(pDoc, previous, pGlobalCmdName);
    return Acad::eOk;
}

Acad::ErrorStatus AcApDocManager::unlockDocument(AcApDocument* pDoc) {
    if (!isOpen(pDoc)) return Acad::eInvalidInput;
    auto& locks = pDoc->m_locks;
    auto it =
        std::find_if(locks.rbegin(), locks.rend(), [](const AcApDocument::Lock& l) { return !l.automatic; });
    if (it == locks.rend()) return Acad::eNotApplicable;
    const AcAp::DocLockMode previous = pDoc->myLockMode();
    locks.erase(std::next(it).base());
    notifyLockChange(pDoc, previous, nullptr);
    return Acad::eOk;
}

void AcApDocManager::beginCommand() {
    AcApDocument* doc = m_current;
    if (doc) doc->m_locks.push_back({AcAp::kAutoWrite, true});
    m_commandLocks.push_back(doc);
}

void AcApDocManager::endCommand() {
    if (m_commandLocks.empty()) return;
    AcApDocument* doc = m_commandLocks.back();
    m_commandLocks.pop_back();
    // The command may have closed its document meanwhile.
    if (!isOpen(doc)) return;
    auto& locks = doc->m_locks;
    auto it =
        std::find_if(locks.rbegin(), locks.rend(), [](const AcApDocument::Lock& l) { return l.automatic; });
    if (it != locks.rend()) locks.erase(std::next(it).base());
}

// ---- current document -------------------------------------------------------------

void AcApDocManager::makeCurrent(AcApDocument* doc) {
    const bool change = m_current != doc;
    const std::vector<AcApDocManagerReactor*> snapshot = m_reactors;
    auto tell = [&](auto call) {
        for (AcApDocManagerReactor* r : snapshot)
            if (std::find(m_reactors.begin(), m_reactors.end(), r) != m_reactors.end()) call(r);
    };
    if (change && doc) tell([&](AcApDocManagerReactor* r) { r->documentToBeActivated(doc); });
    m_current = doc;
    acdbHostApplicationServices()->setWorkingDatabase(doc ? doc->database() : nullptr);
    if (change && doc) {
        tell([&](AcApDocManagerReactor* r) { r->documentBecameCurrent(doc); });
        tell([&](AcApDocManagerReactor* r) { r->documentActivated(doc); });
    }
}

Acad::ErrorStatus AcApDocManager::setCurDocument(AcApDocument* pDoc, AcAp::DocLockMode lockMode, bool) {
    if (!isOpen(pDoc)) return Acad::eInvalidInput;
    makeCurrent(pDoc);
    if (lockMode != AcAp::kNone && lockMode != AcAp::kNotLocked) return lockDocument(pDoc, lockMode);
    return Acad::eOk;
}

Acad::ErrorStatus AcApDocManager::activateDocument(AcApDocument* pAcTargetDocument, bool) {
    if (!isOpen(pAcTargetDocument)) return Acad::eInvalidInput;
    makeCurrent(pAcTargetDocument);
    return Acad::eOk;
}

int AcApDocManager::inputPending(AcApDocument* pDoc) const {
    if (pDoc && !isOpen(pDoc)) return 0;
    return host::hostInput().hasPosted() ? 1 : 0;
}

Acad::ErrorStatus AcApDocManager::sendStringToExecute(AcApDocument* pDoc, const wchar_t* pszExecute,
                                                      bool bActivate, bool, bool) {
    if (!isOpen(pDoc) || !pszExecute) return Acad::eInvalidInput;
    if (bActivate) makeCurrent(pDoc);
    host::hostInput().post(pszExecute);
    return Acad::eOk;
}

// ---- opening, creating, closing, saving ----------------------------------------------

std::wstring AcApDocManager::nextDrawingName() {
    return host::FormatW(L"Drawing%d.dwg", ++m_untitled);
}

AcApDocument* AcApDocManager::addDocument(std::unique_ptr<AcDbDatabase> db, const std::wstring& name,
                                          bool named) {
    m_docs.push_back(std::unique_ptr<AcApDocument>(new AcApDocument(std::move(db), name, named)));
    AcApDocument* doc = m_docs.back().get();
    const std::vector<AcApDocManagerReactor*> snapshot = m_reactors;
    for (AcApDocManagerReactor* r : snapshot)
        if (std::find(m_reactors.begin(), m_reactors.end(), r) != m_reactors.end()) r->documentCreated(doc);
    makeCurrent(doc);
    acrxDynamicLinker->sendMessageToAll(AcRx::kLoadDwgMsg, doc);
    return doc;
}

Acad::ErrorStatus AcApDocManager::appContextNewDocument(const wchar_t* pszTemplateName) {
    std::unique_ptr<AcDbDatabase> db;
    if (pszTemplateName && *pszTemplateName) {
        db = std::make_unique<AcDbDatabase>(false, true);
        Acad::ErrorStatus es = db->readDwgFile(pszTemplateName);
        if (es != Acad::eOk) return es;
        db->setFilename(L"");
    } else {
        db = std::make_unique<AcDbDatabase>(true);
    }
    db->setModifiedSinceSave(false);
    addDocument(std::move(db), nextDrawingName(), false);
    return Acad::eOk;
}

Acad::ErrorStatus AcApDocManager::appContextOpenDocument(const wchar_t* pszDrawingName) {
    if (!pszDrawingName || !*pszDrawingName) return Acad::eInvalidInput;
    const std::wstring path = fullPath(pszDrawingName);
    for (const auto& d : m_docs)
        if (d->isNamed() && d->m_fileName == path) {
            makeCurrent(d.get());
            return Acad::eOk;
        }
    std::vector<wchar_t> name(path.begin(), path.end());
    name.push_back(L'\0');
    acedEditor->fire([&](AcEditorReactor* r) { r->beginDwgOpen(name.data()); });
    auto db = std::make_unique<AcDbDatabase>(false, true);
    Acad::ErrorStatus es = db->readDwgFile(path.c_str());
    if (es != Acad::eOk) return es;
    host::ap::reloadXrefsAtOpen(db.get());
    AcDbDatabase* raw = db.get();
    acedEditor->fire([&](AcEditorReactor* r) { r->endDwgOpen(path.c_str(), raw); });
    addDocument(std::move(db), path, true);
    return Acad::eOk;
}

Acad::ErrorStatus AcApDocManager::closeDocument(AcApDocument* pDoc) {
    if (!isOpen(pDoc)) return Acad::eInvalidInput;
    makeCurrent(pDoc);
    AcDbDatabase* db = pDoc->database();
    acedEditor->fire([&](AcEditorReactor* r) { r->beginClose(db); });
    acrxDynamicLinker->sendMessageToAll(AcRx::kUnloadDwgMsg, pDoc);
    std::vector<AcApDocManagerReactor*> snapshot = m_reactors;
    for (AcApDocManagerReactor* r : snapshot)
        if (std::find(m_reactors.begin(), m_reactors.end(), r) != m_reactors.end())
            r->documentToBeDestroyed(pDoc);
    acedEditor->fire([&](AcEditorReactor* r) { r->databaseToBeDestroyed(db); });
    const std::wstring name = pDoc->fileName();
    m_current = nullptr;
    acdbHostApplicationServices()->setWorkingDatabase(nullptr);
    for (AcApDocument*& locked : m_commandLocks)
        if (locked == pDoc) locked = nullptr;
    m_docs.erase(
        std::find_if(m_docs.begin(), m_docs.end(), [pDoc](const auto& d) { return d.get() == pDoc; }));
    snapshot = m_reactors;
    for (AcApDocManagerReactor* r : snapshot)
        if (std::find(m_reactors.begin(), m_reactors.end(), r) != m_reactors.end())
            r->documentDestroyed(name.c_str());
    if (!m_docs.empty()) makeCurrent(m_docs.back().get());
    return Acad::eOk;
}

void AcApDocManager::closeAllDocuments() {
    while (!m_docs.empty())
        closeDocument(m_docs.back().get());
    m_untitled = 0;
}

Acad::ErrorStatus AcApDocManager::saveDocument(AcApDocument* pDoc, const wchar_t* path) {
    if (!isOpen(pDoc) || !path || !*path) return Acad::eInvalidInput;
    const std::wstring full = fullPath(path);
    AcDbDatabase* db = pDoc->database();
    acedEditor->fire([&](AcEditorReactor* r) { r->beginSave(db, full.c_str()); });
    Acad::ErrorStatus es = db->saveAs(full.c_str(), true);
    if (es != Acad::eOk) {
        acedEditor->fire([&](AcEditorReactor* r) { r->abortSave(db); });
        return es;
    }
    pDoc->setFileName(full, true);
    acedEditor->fire([&](AcEditorReactor* r) { r->saveComplete(db, full.c_str()); });
    return Acad::eOk;
}

void AcApDocManager::addReactor(AcApDocManagerReactor* reactor) {
    if (reactor && std::find(m_reactors.begin(), m_reactors.end(), reactor) == m_reactors.end())
        m_reactors.push_back(reactor);
}

void AcApDocManager::removeReactor(AcApDocManagerReactor* reactor) {
    m_reactors.erase(std::remove(m_reactors.begin(), m_reactors.end(), reactor), m_reactors.end());
}

AcApDocManager* acDocManagerPtr() {
    // Never destroyed: documents are closed in order by closeAllDocuments, not by
    // static destructors that run after the modules' own.
    static AcApDocManager* manager = new AcApDocManager();
    return manager;
}
