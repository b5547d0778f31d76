// The working database, documents, host variables and layers.
#include "module/services/DbServices.h"

#include "module/services/DocLocks.h"
#include "module/base/LanguageModule.h"
#include "module/base/LintaroLog.h"
#include "module/services/PalettePort.h"

#include "host/ap/AcApDocManager.h"
#include "host/db/database/AcDbDatabase.h"
#include "host/db/entities/AcDbEntity.h"
#include "host/db/database/AcDbHostApplicationServices.h"
#include "host/db/tables/AcDbLayerTable.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/ed/SysVars.h"
#include "host/ed/acutPrintf.h"
#include "host/rx/acutString.h"

#include <memory>

namespace {

// Beyond the index colours 1 to 255 (0 is ByBlock) a new layer is white.
constexpr int kDefaultLayerColour = 7;

AcApDocument* firstDocument() {
    std::unique_ptr<AcApDocumentIterator> it(acDocManager->newAcApDocumentIterator());
    return it && !it->done() ? it->document() : nullptr;
}

AcApDocument* documentOf(AcDbDatabase* db) {
    return db ? acDocManager->document(db) : nullptr;
}

// Creates the layer in the database; the error of the table or of adding the record.
Acad::ErrorStatus createLayer(AcDbDatabase* db, const std::wstring& name, int colour) {
    AcDbLayerTable* table = nullptr;
    Acad::ErrorStatus es = db->getLayerTable(table, AcDb::kForWrite);
    if (es != Acad::eOk) return es;
    if (table->has(name.c_str())) {
        table->close();
        return Acad::eOk;
    }
    auto* layer = new AcDbLayerTableRecord;
    es = layer->setName(name.c_str());
    if (es == Acad::eOk) {
        layer->setIsFrozen(false);
        layer->setIsOff(false);
        layer->setVPDFLT(false);
        layer->setIsLocked(false);
        AcCmColor color;
        color.setColorIndex(
            static_cast<Adesk::UInt16>(colour <= 0 || colour >= 256 ? kDefaultLayerColour : colour));
        layer->setColor(color);
        layer->setLinetypeObjectId(db->continuousLinetype());
        es = table->add(layer);
    }
    if (es == Acad::eOk)
        layer->close();
    else
        delete layer;
    table->close();
    return es;
}

} // namespace

AcDbDatabase* acdbCurDwg() {
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    if (db) return db;
    LogMsg(L"\n **** acdbCurDwg() workingDatabase = NULL !!!");
    if (Palette().Exists()) acutPrintf(L"\nworkingDatabase=NULL!");
    SetCurDocument();
    db = acdbHostApplicationServices()->workingDatabase();
    if (db) return db;
    if (acDocManager && acDocManager->curDocument()) {
        LogMsg(L"\n NASTAVIM curDocument->db !!\n");
        return acDocManager->curDocument()->database();
    }
    LogMsg(L"\n **** !acDocManager || !acDocManager->curDocument()\n");
    return nullptr;
}

void SetCurDocument() {
    try {
        AcApDocument* doc = firstDocument();
        LogFmt(L"\nSetCurrentDocument<%s> NOTHING...", doc ? doc->fileName() : L"");
        if (doc && !acdbHostApplicationServices()->workingDatabase()) {
            acdbHostApplicationServices()->setWorkingDatabase(doc->database());
            LogFmt(L"\n !! nastavil som DB <%d> ", 1);
        }
        if (!acDocManager->curDocument()) {
            LogMsg(L"\n***!acDocManager || !acDocManager->curDocument()");
            Palette().Close();
        }
    } catch (...) {
        LogMsg(L"\nError on SetCurDocument");
    }
}

std::wstring GetCurrentDWGName() {
    CTemporaryResourceOverride resources;
    AcApDocument* doc = acDocManager->curDocument();
    if (!doc) {
        LogMsg(L"\n****GetCurrentDWGName !pDoc !!!! ");
        return std::wstring();
    }
    return doc->fileName();
}

bool MakeCurrentDB(AcDbDatabase* db) {
    try {
        UnlockAll();
        LogFmt(L"\n IsCurrentDB(%d) isApplicationContext()=%d ", db ? 1 : 0,
               acDocManager->isApplicationContext() ? 1 : 0);
        AcApDocument* doc = documentOf(db);
        if (!doc) return false;
        LogFmt(L"\n IsCurrentDB '%s'  mode=%d my=%d ", doc->fileName(), static_cast<int>(doc->lockMode()),
               static_cast<int>(doc->myLockMode()));
        acDocManager->unlockDocument(doc);
        acDocManager->setCurDocument(doc, AcAp::kWrite, true);
        acDocManager->activateDocument(doc);
        acdbHostApplicationServices()->setWorkingDatabase(doc->database());
        LogFmt(L"=>  mode=%d my=%d ", static_cast<int>(doc->lockMode()), static_cast<int>(doc->myLockMode()));
        return true;
    } catch (...) {
        LogMsg(L"\n *** ANY ERROR ON IsCurrentDB...");
        return false;
    }
}

int CountOpenDocuments() {
    return acDocManager->documentCount();
}

int GetAcadVarI(const wchar_t* name) {
    resbuf rb{};
    const int status = name ? acedGetVar(name, &rb) : RTERROR;
    if (status != RTNORM) {
        LogFmt(L"\n!!!!**** GetAcadVarI( %s ) Er=%d", name ? name : L"", status);
        return 0;
    }
    switch (rb.restype) {
    case RTSHORT:
        return rb.resval.rint;
    case RTLONG:
        return static_cast<int>(rb.resval.rlong);
    case RTREAL:
        return static_cast<int>(rb.resval.rreal);
    case RTSTR:
        acutDelString(rb.resval.rstring);
        break;
    default:
        break;
    }
    LogFmt(L"\n!!!!**** GetAcadVarI( %s ) Er=%d", name, RTERROR);
    return 0;
}

bool IsPaperSpaceActive() {
    // The paper-space viewport is viewport 1: it is current while the layout itself
    // (not a viewport on it) is active.
    return GetAcadVarI(L"TILEMODE") == 0 && GetAcadVarI(L"CVPORT") == 1;
}

bool SetEntityLayer(AcDbDatabase* db, AcDbEntity* entity, const std::wstring& layerName, int colour) {
    if (!db || !entity || layerName.empty()) return false;
    CDbLockScope lock(db, L"SetEntityLayer");
    const Acad::ErrorStatus made = createLayer(db, layerName, colour);
    if (made != Acad::eOk) {
        MsgBoxFmt(L"Chyba %d pri vytv\u00E1ran\u00ED vrstvy %s", static_cast<int>(made), layerName.c_str());
        return false;
    }
    const bool wasWritable = entity->isWriteEnabled();
    Acad::ErrorStatus es = wasWritable ? Acad::eOk : entity->upgradeOpen();
    if (es == Acad::eOk) {
        es = entity->setLayer(layerName.c_str());
        if (!wasWritable) entity->downgradeOpen();
    }
    return es == Acad::eOk;
}

std::wstring GetLayerName(AcDbObjectId layerId) {
    if (layerId.isNull()) return std::wstring();
    try {
        AcDbLayerTableRecord* layer = nullptr;
        const Acad::ErrorStatus es = acdbOpenObject(layer, layerId, AcDb::kForRead);
        if (es != Acad::eOk) {
            LogFmt(L"\n**** GetLayerName(%d) es=%d ", 1, static_cast<int>(es));
            return std::wstring();
        }
        std::wstring name = layer->name();
        layer->close();
        return name;
    } catch (...) {
        acutPrintf(L"\nAny problem on Get layer name");
        return std::wstring();
    }
}
