#include "module/app/MatchProp.h"

#include "host/db/entities/AcDbEntity.h"
#include "host/ed/commands/CommandLine.h"
#include "host/rx/AcRxClass.h"
#include "host/rx/AcRxDictionary.h"
#include "host/rx/AcRxService.h"
#include "module/app/EntityClasses.h"
#include "module/base/LintaroLog.h"

#include <memory>

namespace {
std::unique_ptr<TRdimMatchProp> g_matchProp;
// Once added the extension stays known as added for the module's lifetime.
bool g_extensionAdded = false;
} // namespace

void TRdimMatchProp::copyProperties(AcDbEntity* src, AcDbEntity* trg, unsigned int flag) const {
    if (!src || !trg) return;
    try {
        // The module's own parameters travel with its entities' classes (chains and
        // height marks); the common properties below apply to every pair.
        if (flag & kColorFlag) trg->setColorIndex(src->colorIndex());
        if (flag & kLayerFlag) trg->setLayer(src->layerId());
        if (flag & kLtypeFlag) trg->setLinetype(src->linetypeId());
        if (flag & kLtscaleFlag) trg->setLinetypeScale(src->linetypeScale());
        trg->setVisibility(src->visibility());
    } catch (...) {
        LogMsg(L"\n*** ERROR ON copyProperties");
    }
}

void AppEventCatcher::rxAppLoaded(const wchar_t* moduleName) {
    LogFmt(L"\n AppEventCatcher::rxAppLoaded(%s) thisAppLoaded=%d ", moduleName ? moduleName : L"",
           g_extensionAdded ? 1 : 0);
    if (!g_extensionAdded) addMatchTRdim();
}

void AppEventCatcher::rxAppUnloaded(const wchar_t* moduleName) {
    LogFmt(L"\n rxAppUnloaded moduleName=%s ", moduleName ? moduleName : L"");
}

bool addMatchTRdim() {
    AcRxObject* entry = acrxServiceDictionary->at(L"MatchProperties");
    if (!entry) {
        LogMsg(L"\n### !!! addMatchTRdim: !acrxServiceDictionary->at(MatchProperties) ");
        return false;
    }
    LogMsg(L"\n**MatchProperties is now available.\nNow adding match prop protocol extension to TRdim.\n");
    acedPostCommandPrompt();
    AcRxService* service = AcRxService::cast(entry);
    if (!service) acrx_abort(L"\naddMatchTRdim: Problem with service dictionary\n");
    service->addDependency();
    if (!g_matchProp) g_matchProp = std::make_unique<TRdimMatchProp>();
    for (AcRxClass* cls : EntityClasses()) cls->addX(AcDbMatchProperties::desc(), g_matchProp.get());
    g_extensionAdded = true;
    return true;
}

void RemoveMatchTRdim() {
    try {
        AcRxObject* entry = acrxServiceDictionary->at(L"MatchProperties");
        if (!entry) return;
        for (AcRxClass* cls : EntityClasses()) cls->delX(AcDbMatchProperties::desc());
        g_matchProp.reset();
        if (AcRxService* service = AcRxService::cast(entry)) service->removeDependency();
    } catch (...) {
        LogMsg(L"\n*** ERROR ON RemoveMatchTRdim");
    }
}

bool IsMatchExtensionAdded() { return g_extensionAdded; }
