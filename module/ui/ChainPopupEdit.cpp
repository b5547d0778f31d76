// Context operations on a chain's points and on whole chains: adding and removing
// points, cutting segments out, joining chains, the extension direction, properties
// taken from another chain and the chain's format made the default.
#include "host/db/database/AcDbObjectOpen.h"
#include "host/ed/Ucs.h"
#include "host/ed/acutPrintf.h"
#include "host/ed/input/EditorInput.h"
#include "host/ed/selection/AcEdSelectionSet.h"
#include "host/ed/selection/acedEntSel.h"
#include "host/rx/adscodes.h"
#include "module/base/LintaroLog.h"
#include "module/chain/ChainEdit.h"
#include "module/chain/TRdim.h"
#include "module/chain/TRdimCreate.h"
#include "module/options/CGlobDimOptions.h"
#include "module/options/OptionIndices.h"
#include "module/resources/ContextMenuResources.h"
#include "module/resources/PaletteResources.h"
#include "module/resources/resource.h"
#include "module/services/DbServices.h"
#include "module/ui/CDlgMain.h"
#include "module/ui/ChainPopup.h"
#include "module/ui/ChainSegmentPick.h"
#include "module/ui/PaletteApp.h"

#include <cwctype>

namespace {

AcGePoint3d WorldOf(const ads_point p) {
    ads_point w;
    acdbUcs2Wcs(p, w, false);
    return AcGePoint3d(w[0], w[1], w[2]);
}

bool AddOnePoint(AcDbObjectId chainId, const AcGePoint3d& point) {
    TRdim* chain = nullptr;
    if (acdbOpenObject(chain, chainId, AcDb::kForWrite) != Acad::eOk) return false;
    const bool added = chain->AddPointInput(point, false) >= 0;
    chain->recordGraphicsModified(true);
    chain->close();
    return added;
}

// After the points: an arc chain drops points that fell together and puts its
// dimension arc through its first dimension point again; a linear one places its texts.
void FinishAddedPoints(AcDbObjectId chainId, int added) {
    TRdim* chain = nullptr;
    if (acdbOpenObject(chain, chainId, AcDb::kForWrite) != Acad::eOk) return;
    if (chain->IsDimArc()) {
        if (added > 0) {
            chain->RemoveDoubleExtensions();
            if (chain->GetParamInt(IND_I_ArcDimInputArcIsCircle) == 0) chain->SetPointDim(0, chain->GetPointDim(0), false);
        }
    } else {
        chain->AdjustTexts(71);
    }
    chain->recordGraphicsModified(true);
    chain->close();
}

// The chain the user picks; null when the pick is not a chain.
AcDbObjectId PickChain(const wchar_t* prompt) {
    ads_name ent;
    ads_point pt;
    if (acedEntSel(prompt, ent, pt) != RTNORM) return AcDbObjectId::kNull;
    AcDbObjectId id;
    if (acdbGetObjectId(id, ent) != Acad::eOk) return AcDbObjectId::kNull;
    TRdim* chain = nullptr;
    if (acdbOpenObject(chain, id, AcDb::kForRead) != Acad::eOk) return AcDbObjectId::kNull;
    chain->close();
    return id;
}

} // namespace

bool AddChainPoints(AcDbObjectId chainId) {
    HideDlgMain();
    int added = 0;
    bool toRemove = false;
    for (;;) {
        acedInitGet(RSG_OTHER | RSG_2D | RSG_NONEG, L"Entfernen Remove");
        ads_point p = {0, 0, 0};
        const int rc = acedGetPoint(nullptr, std::wstring(LoadStr(IDS_PROMPT_REMOVE_OR_POINT)).c_str(), p);
        if (rc == RTNORM) {
            if (AddOnePoint(chainId, WorldOf(p))) ++added;
            continue;
        }
        if (rc == RTCAN) continue; // a cancelled pick asks again; Enter ends
        if (rc == RTKWORD) {
            wchar_t word[64] = {0};
            acedGetInput(word, 64);
            const wchar_t c = static_cast<wchar_t>(std::towupper(word[0]));
            toRemove = c == L'R' || c == L'E';
        }
        break; // Enter and any other answer end it
    }
    FinishAddedPoints(chainId, added);
    ShowDlgMain();
    return toRemove;
}

bool RemoveChainPoints(AcDbObjectId chainId) {
    DimSegmentList list;
    return GetDimSegments(list, chainId, kPickPoints, std::wstring(LoadStr(IDS_PROMPT_REMOVE_POINTS)).c_str(),
                          ID_CTX_POINTS_REMOVE) == kPickSwitchToAdd;
}

void RemoveChainSegments(AcDbObjectId chainId) {
    DimSegmentList list;
    GetDimSegments(list, chainId, kPickValues, std::wstring(LoadStr(IDS_PROMPT_REMOVE_SEGMENTS)).c_str(),
                   ID_CTX_SEGMENT_REMOVE);
}

void JoinChainInto(AcDbObjectId chainId) {
    HideDlgMain();
    const AcDbObjectId otherId = PickChain(std::wstring(LoadStr(IDS_PROMPT_CHAIN_TO_JOIN)).c_str());
    if (otherId.isNull() || otherId == chainId) {
        ShowDlgMain();
        return;
    }
    TRdim* chain = nullptr;
    TRdim* other = nullptr;
    if (acdbOpenObject(chain, chainId, AcDb::kForWrite) == Acad::eOk) {
        if (acdbOpenObject(other, otherId, AcDb::kForWrite) == Acad::eOk) {
            int added = 0;
            std::wstring problem;
            const int expected = other->GetExtensions();
            if (JoinChains(chain, other, added, problem)) {
                other->erase();
                if (added != expected)
                    acutPrintf(L"JOIN problem... extensions=%d + %d  added=%d  ", chain->GetExtensions() - added,
                               expected, added);
            } else {
                acutPrintf(L"%s", problem.c_str());
            }
            other->close();
        }
        chain->recordGraphicsModified(true);
        chain->close();
    }
    ShowDlgMain();
}

void SetExtensionDirection(AcDbObjectId chainId) {
    ads_point p = {0, 0, 0};
    if (acedGetPoint(nullptr, std::wstring(LoadStr(IDS_PROMPT_EXTENSION_DIRECTION)).c_str(), p) != RTNORM)
        return;
    TRdim* chain = nullptr;
    if (acdbOpenObject(chain, chainId, AcDb::kForWrite) != Acad::eOk) return;
    chain->SetParamInt(IND_I_DirectionExt, static_cast<std::uint32_t>(ExtensionDirectionFor(chain, WorldOf(p))));
    chain->Regenerate(0);
    chain->recordGraphicsModified(true);
    chain->close();
}

void MatchChainProperties(AcDbObjectId chainId) {
    const AcDbObjectId sourceId = PickChain(std::wstring(LoadStr(IDS_PROMPT_SAMPLE_CHAIN)).c_str());
    if (sourceId.isNull() || sourceId == chainId) return;
    TRdim* source = nullptr;
    if (acdbOpenObject(source, sourceId, AcDb::kForRead) != Acad::eOk) return;
    TRdim* chain = nullptr;
    if (acdbOpenObject(chain, chainId, AcDb::kForWrite) == Acad::eOk) {
        chain->CopyParams(source);
        chain->setPropertiesFrom(source);
        chain->Regenerate(0);
        chain->recordGraphicsModified(true);
        chain->close();
    }
    source->close();
}

void LinkArcChain(AcDbObjectId chainId) {
    acedSSSetFirst(nullptr, nullptr);
    AcDbObjectId curveId;
    int segment = 0;
    if (!PickArcCurve(curveId, segment)) return;
    TRdim* chain = nullptr;
    if (acdbOpenObject(chain, chainId, AcDb::kForWrite) != Acad::eOk) return;
    if (!chain->IsDimArc()) {
        chain->close();
        return;
    }
    const AcDbObjectId oldId = chain->GetArcObjectId();
    // The chain leaves the curve it followed and follows the new one.
    AcDbObject* curve = nullptr;
    if (!oldId.isNull() && oldId != curveId && acdbOpenObject(curve, oldId, AcDb::kForWrite) == Acad::eOk) {
        curve->removePersistentReactor(chainId);
        curve->close();
    }
    if (acdbOpenObject(curve, curveId, AcDb::kForWrite) == Acad::eOk) {
        curve->addPersistentReactor(chainId);
        curve->close();
    }
    chain->SetArcSource(curveId, segment);
    AcGeMatrix3d ucs;
    acedGetCurrentUCS(ucs);
    chain->SetCoordSystem(ucs);
    chain->DimRefresh(-1);
    chain->Regenerate(0);
    chain->recordGraphicsModified(true);
    chain->close();
}

void CurrentFormatToDefault(AcDbObjectId objectId) {
    if (!pGlobDimOptions) return;
    TRdim* chain = nullptr;
    if (acdbOpenObject(chain, objectId, AcDb::kForRead) != Acad::eOk) {
        HostFormatToDefault(objectId);
        return;
    }
    const TRdimParams params = chain->GetParams();
    FormatAsDefault format;
    format.mode = pGlobDimOptions->m_iMode;
    format.strings.assign(params.arrayString.begin(), params.arrayString.end());
    format.doubles.assign(params.arrayDouble.begin(), params.arrayDouble.end());
    for (std::uint32_t v : params.arrayInt) format.ints.push_back(static_cast<int>(v));
    format.type = static_cast<int>(chain->GetParamInt(IND_I_LastType));
    format.layer = GetLayerName(chain->layerId());
    chain->close();
    TakeFormatAsDefault(format);
}

void TakeFormatAsDefault(const FormatAsDefault& format) {
    if (!pGlobDimOptions) return;
    COptionSet& set = pGlobDimOptions->GetOptionSet(format.mode);
    for (size_t i = 0; i < format.doubles.size() && i < set.arrayOptDouble.size(); ++i)
        set.arrayOptDouble[i] = format.doubles[i];
    for (size_t i = 0; i < format.strings.size() && i < set.arrayOptString.size(); ++i)
        set.arrayOptString[i] = format.strings[i];
    for (size_t i = 0; i < format.ints.size() && i < set.arrayOptInt.size(); ++i)
        set.arrayOptInt[i] = format.ints[i];
    if (format.type != 0) pGlobDimOptions->SetOptFlag(IND_OPT_B_ExtNewPosition, 1);
    if (dlgMyApp) dlgMyApp->ReloadData();
    pGlobDimOptions->SaveOptions();
    if (dlgMyApp) {
        if (!format.layer.empty()) dlgMyApp->SetControlText(IDC_COMBO_LAYER, format.layer);
        dlgMyApp->AdjustType(format.type);
    }
    LogFmt(L"\n CurrentFormatToDefault type=%d layer=%s ", format.type, format.layer.c_str());
}
