#include "module/services/AnnotationScale.h"

#include "module/services/DbServices.h"
#include "module/base/LintaroLog.h"

#include "host/db/entities/AcDbAnnotationScale.h"
#include "host/db/entities/AcDbAnnotativeObjectPE.h"
#include "host/db/database/AcDbDatabase.h"
#include "host/db/entities/AcDbEntity.h"
#include "host/rx/AcRxClass.h"

#include <cmath>
#include <memory>

double GetCurAnnotationScale(AcDbDatabase* db) {
    if (!db) {
        LogMsg(L"\n !dwg ON GetCurAnnotationScale ");
        db = acdbCurDwg();
    }
    if (!db) return 1.0;
    try {
        std::unique_ptr<AcDbAnnotationScale> scale(db->cannoscale());
        double factor = 0.0;
        if (scale && scale->getScale(factor) == Acad::eOk && std::isfinite(factor) && factor > 0.0)
            return factor;
    } catch (...) {
    }
    LogMsg(L"\n ERROR ON GetCurAnnotationScale ");
    return 1.0;
}

bool SetAnnotative(AcDbEntity* entity, bool bOn) {
    if (!entity) return false;
    auto* pe = AcDbAnnotativeObjectPE::cast(entity->queryX(AcDbAnnotativeObjectPE::desc()));
    if (!pe) {
        const AcRxClass* cls = entity->isA();
        LogFmt(L"\nERROR on Create AcDbAnnotativeObjectPE /SetAnnotative - %s/", cls ? cls->dxfName() : L"");
        return false;
    }
    if (pe->annotative(entity) == bOn) return false;
    const Acad::ErrorStatus es = pe->setAnnotative(entity, bOn);
    if (es != Acad::eOk) {
        LogFmt(L"\nFailed to set entity annotative (%d)...es=%d ", bOn ? 1 : 0, static_cast<int>(es));
        return false;
    }
    LogFmt(L"\nEntity status annotative=%d...", bOn ? 1 : 0);
    return true;
}
