// Reading and writing the module's extended data records.
#include "module/services/XDataServices.h"

#include "module/services/DbServices.h"
#include "module/services/DocLocks.h"
#include "module/base/LintaroLog.h"
#include "module/services/ReactorSuspension.h"
#include "module/options/CGlobDimOptions.h"
#include "module/options/OptStrings.h"

#include "host/db/database/AcDbDatabase.h"
#include "host/db/entities/AcDbEntity.h"
#include "host/db/tables/AcDbLayerTableRecord.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/db/tables/AcDbRegAppTable.h"
#include "host/db/database/acutResbuf.h"
#include "host/ed/acutPrintf.h"
#include "host/rx/acutString.h"
#include "host/rx/adscodes.h"

#include <cwctype>

namespace {

std::wstring trimRight(const std::wstring& text) {
    std::size_t end = text.size();
    while (end > 0 && std::iswspace(static_cast<wint_t>(text[end - 1])))
        --end;
    return text.substr(0, end);
}

// Thaws and unlocks the entity's layer for the time of a change and puts both states
// back afterwards, so the user sees the layer as it was.
class CLayerOpener {
public:
    explicit CLayerOpener(const AcDbEntity* entity) : m_layer(entity->layerId()) {
        if (m_layer.isNull()) return;
        AcDbLayerTableRecord* layer = nullptr;
        if (acdbOpenObject(layer, m_layer, AcDb::kForRead) != Acad::eOk) return;
        const bool frozen = layer->isFrozen();
        const bool locked = layer->isLocked();
        if ((frozen || locked) && layer->upgradeOpen() == Acad::eOk) {
            if (frozen && layer->setIsFrozen(false) == Acad::eOk) m_wasFrozen = true;
            if (locked) {
                layer->setIsLocked(false);
                m_wasLocked = true;
            }
        }
        layer->close();
    }

    ~CLayerOpener() {
        if (!m_wasFrozen && !m_wasLocked) return;
        AcDbLayerTableRecord* layer = nullptr;
        if (acdbOpenObject(layer, m_layer, AcDb::kForWrite) != Acad::eOk) {
            acutPrintf(L"\nAny problem on layer table");
            LogMsg(L"\n**ERROR ON LAYER");
            return;
        }
        if (m_wasLocked) layer->setIsLocked(true);
        if (m_wasFrozen) layer->setIsFrozen(true);
        layer->close();
    }

    CLayerOpener(const CLayerOpener&) = delete;
    CLayerOpener& operator=(const CLayerOpener&) = delete;

private:
    AcDbObjectId m_layer;
    bool m_wasFrozen = false;
    bool m_wasLocked = false;
};

void tellSetXDataError(Acad::ErrorStatus es) {
    if (es == Acad::eXdataSizeExceeded)
        MsgBox(L"SetXData - Acad::eXdataSizeExceeded ");
    else if (es == Acad::eRegappIdNotFound)
        MsgBox(L"SetXData - Acad::eRegappIdNotFound ");
    else
        MsgBoxFmt(L"SetXData - Error %d ", static_cast<int>(es));
}

// Writes the record (and releases it) on an entity whose layer may be changed;
// restores its open state.
Acad::ErrorStatus writeRecord(AcDbEntity* entity, resbuf* chain) {
    if (!chain) return Acad::eOutOfMemory;
    const bool wasWritable = entity->isWriteEnabled();
    Acad::ErrorStatus es = wasWritable ? Acad::eOk : entity->upgradeOpen();
    if (es == Acad::eOk) {
        entity->recordGraphicsModified();
        es = entity->setXData(chain);
        if (!wasWritable) entity->downgradeOpen();
    }
    if (acutRelRb(chain) != RTNORM) MsgBox(L"Chyba pri ads_relrb...");
    return es;
}

template <typename T> void completeFrom(std::vector<T>* list, const std::vector<T>& source) {
    if (list && list->size() < source.size())
        list->insert(list->end(), source.begin() + static_cast<std::ptrdiff_t>(list->size()), source.end());
}

} // namespace

Acad::ErrorStatus RegisterApp(AcDbDatabase* db, const wchar_t* appName) {
    if (!db || !appName || !*appName) return Acad::eInvalidInput;
    CDbLockScope lock(db, L"RegisterApp");
    AcDbRegAppTable* table = nullptr;
    Acad::ErrorStatus es = db->getRegAppTable(table, AcDb::kForWrite);
    if (es != Acad::eOk) return es;
    if (!table->has(appName)) {
        auto* record = new AcDbRegAppTableRecord;
        es = record->setName(appName);
        if (es == Acad::eOk) es = table->add(record);
        if (es == Acad::eOk)
            record->close();
        else
            delete record;
    }
    table->close();
    return es;
}

namespace {

// Writes the record (released here) with the document locked, the module's reactor
// quiet and the entity's layer opened for the time of the change.
bool writeLocked(AcDbEntity* entity, const wchar_t* appName, resbuf* chain) {
    AcDbDatabase* db = acdbCurDwg();
    if (!db || !entity || !appName || !*appName) {
        acutRelRb(chain);
        return false;
    }
    AcDbDatabase* entityDb = entity->database() ? entity->database() : db;
    CDbLockScope lock(db, L"SetXData");
    CReactorSuspension suspended;
    CLayerOpener layer(entity);
    if (RegisterApp(entityDb, appName) != Acad::eOk) MsgBox(L"Error on register App");
    const Acad::ErrorStatus es = writeRecord(entity, chain);
    if (es != Acad::eOk) tellSetXDataError(es);
    return es == Acad::eOk;
}

} // namespace

bool SetXData(AcDbEntity* entity, const wchar_t* appName, const std::wstring& text, int code) {
    LogFmt(L"\n SetXData pDb=%d pEntDB=%d ", acdbCurDwg() ? 1 : 0, entity && entity->database() ? 1 : 0);
    if (!appName) return false;
    resbuf* chain = text.empty() ? acutBuildList(1001, appName, 0)
                                 : acutBuildList(1001, appName, 1000, text.c_str(), 1070, code, 0);
    return writeLocked(entity, appName, chain);
}

bool SetXDataLists(AcDbEntity* entity, const wchar_t* appName, const std::vector<std::wstring>& texts,
                   const std::vector<int>& codes, const std::vector<double>& reals) {
    if (!appName) return false;
    resbuf* head = acutNewRb(1001);
    acutNewString(appName, head->resval.rstring);
    resbuf* tail = head;
    auto append = [&tail](resbuf* rb) {
        tail->rbnext = rb;
        tail = rb;
    };
    for (const std::wstring& text : texts) {
        append(acutNewRb(1000));
        acutNewString(text.c_str(), tail->resval.rstring);
    }
    for (int code : codes) {
        append(acutNewRb(1070));
        tail->resval.rint = static_cast<short>(code);
    }
    for (double real : reals) {
        append(acutNewRb(1040));
        tail->resval.rreal = real;
    }
    return writeLocked(entity, appName, head);
}

bool GetXData(const AcDbEntity* entity, const wchar_t* appName, std::wstring& text, int& code) {
    text.clear();
    if (!entity || !appName) {
        LogMsg(L" GetXData A ");
        return false;
    }
    resbuf* chain = entity->xData(appName);
    if (!chain) {
        LogMsg(L" GetXData B ");
        return false;
    }
    return Resbuf2Handle(chain, text, code);
}

bool Resbuf2Handle(resbuf* chain, std::wstring& text, int& code) {
    text.clear();
    for (const resbuf* rb = chain; rb; rb = rb->rbnext) {
        if (rb->restype == 1070)
            code = rb->resval.rint;
        else if (rb->restype == 1000 && text.size() < 2)
            text = rb->resval.rstring ? rb->resval.rstring : L"";
    }
    acutRelRb(chain);
    text = trimRight(text);
    if (text.size() < 2) {
        LogFmt(L" R2H Handle='%s' iType=%d ", text.c_str(), code);
        text.clear();
        return false;
    }
    return true;
}

int GetXDataLists(const AcDbEntity* entity, const wchar_t* appName, std::vector<std::wstring>* texts,
                  std::vector<int>* codes, std::vector<double>* reals) {
    if (texts) texts->clear();
    if (codes) codes->clear();
    if (reals) reals->clear();
    resbuf* chain = entity && appName ? entity->xData(appName) : nullptr;
    if (!chain) {
        LogMsg(L" GetXData1 ");
        return 0;
    }
    int count = 0;
    for (const resbuf* rb = chain; rb; rb = rb->rbnext) {
        if (rb->restype == 1000) {
            if (texts) texts->push_back(trimRight(rb->resval.rstring ? rb->resval.rstring : L""));
        } else if (rb->restype == 1070) {
            if (codes) codes->push_back(rb->resval.rint);
        } else if (rb->restype == 1040) {
            if (reals) reals->push_back(rb->resval.rreal);
        } else {
            continue;
        }
        ++count;
    }
    acutRelRb(chain);
    LogMsg(L" GetXData2 ");
    if (pGlobDimOptions && OptEqualNoCase(appName, L"LINTARO_DATA")) {
        const COptionSet& chainSet = pGlobDimOptions->m_setChain;
        completeFrom(texts, chainSet.arrayOptString);
        completeFrom(codes, chainSet.arrayOptInt);
        completeFrom(reals, chainSet.arrayOptDouble);
    }
    return count;
}
