// Filing of a chain: the entity's side. The record itself (ChainRecord.cpp) is read
// whole before it replaces the chain's own, so a newer or damaged record is refused and
// leaves the chain as it was. DXF carries the base entity only.
#include "module/chain/RecordFiling.h"
#include "module/chain/TRdim.h"

#include "host/db/database/AcDbDatabase.h"
#include "host/db/filing/AcDbDwgFiler.h"
#include "host/db/filing/AcDbDxfFiler.h"
#include "module/base/LintaroLog.h"
#include "module/base/ModuleInfo.h"
#include "module/options/CGlobDimOptions.h"
#include "module/options/OptionIndices.h"

namespace {

// The chain files its fields only while the module runs with its options: without them
// the arrays it would write are not there, and while unloading its code is going away.
bool FilingAllowed() {
    return pGlobDimOptions != nullptr && !IsModuleStopped();
}

} // namespace

void TRdim::TakeRecord(ChainRecord& rec) {
    m_rec = std::move(rec);
    // Undo and redo come this way too: what was laid out belongs to the record replaced.
    DropLayout();
}

Acad::ErrorStatus TRdim::dwgInFields(AcDbDwgFiler* filer) {
    assertWriteEnabled();
    Acad::ErrorStatus es = AcDbEntity::dwgInFields(filer);
    if (es != Acad::eOk) {
        LogFmt(L"\n  ** TRdim::dwgInFields E R R O R  es=%d ", static_cast<int>(es));
        return es;
    }
    if (!FilingAllowed()) {
        LogFmt(L"\n --- TRdim::dwgInFields !pGlobDimOptions || bUnloaded...(%s)...",
               FileNameOf(filer->database() ? filer->database() : database()).c_str());
        return Acad::eInvalidInput;
    }
    Acad::ErrorStatus result = Acad::eOk;
    try {
        ChainRecord rec;
        // A linear record carries no arc block: the chain keeps what it had there.
        rec.geo.arcPoints = m_rec.geo.arcPoints;
        rec.arcSubent = m_rec.arcSubent;
        // Parameters an older record does not carry take today's values.
        rec.params = OptionSetParams(OPT_MODE_CHAIN);
        es = ReadChainRecord(filer, rec, result);
        if (es != Acad::eOk) return es;
        TakeRecord(rec);
        if (IsDimArc() && m_rec.geo.arcParams.length() != GetExtensions()) {
            LogFmt(L"\ndwgInFields Params=%d Ext=%d ", m_rec.geo.arcParams.length(), GetExtensions());
            MakeParamArray();
        }
        // Arc chains filed before version codes were filed may be out of order.
        if (IsDimArc() && GetParamInt(IND_I_AppVersion) == 0) RearrangeExtensions(0);
    } catch (...) {
        LogMsg(L"\n !*****! dwgInFields ERROR dwgInFields ERROR !*****!");
        return Acad::eInvalidInput;
    }
    LogMsg(L" - in STOP ");
    return result;
}

Acad::ErrorStatus TRdim::dwgOutFields(AcDbDwgFiler* filer) const {
    assertReadEnabled();
    const Acad::ErrorStatus es = AcDbEntity::dwgOutFields(filer);
    if (es != Acad::eOk) {
        LogFmt(L"\n  ** TRdim::dwgOutFields  E R R O R es=%d ", static_cast<int>(es));
        return es;
    }
    if (!FilingAllowed()) {
        LogFmt(L"\n --- TRdim::dwgOutFields !pGlobDimOptions || bUnloaded...(%s)...",
               FileNameOf(database() ? database() : filer->database()).c_str());
        return Acad::eInvalidInput;
    }
    LogFmt(L" filerType=%d ", static_cast<int>(filer->filerType()));
    if (m_rec.params.arrayInt.empty() || m_rec.params.arrayDouble.empty() ||
        m_rec.params.arrayString.empty()) {
        LogMsg(
            L"\n!!!***** !!!!TRdim::dwgOutFields -  arrayInt.GetSize() <= 0 || arrayDouble.GetSize() <= 0 || "
            L"arrayString.GetSize() <= 0 ");
        return Acad::eInvalidInput;
    }
    // Counts are filed as 16-bit values; a larger one could not be read back.
    if (!RecordFits(m_rec)) {
        LogMsg(L"\n!!!***** TRdim::dwgOutFields - too many entries for the record ");
        return Acad::eInvalidInput;
    }
    try {
        WriteChainRecord(filer, m_rec, static_cast<std::uint32_t>(GetProgramVersionNumber()));
    } catch (...) {
        LogMsg(L"\n !*****! dwgOutFields ERROR dwgOutFields ERROR !*****!");
        return es;
    }
    LogMsg(L" - out STOP");
    return filer->filerStatus();
}

Acad::ErrorStatus TRdim::dxfOutFields(AcDbDxfFiler* filer) const {
    assertReadEnabled();
    const Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
    LogMsg(L"\n  TRdim::dxfOutFields ");
    if (es != Acad::eOk) return es;
    LogMsg(L"-END");
    return filer->filerStatus();
}

Acad::ErrorStatus TRdim::dxfInFields(AcDbDxfFiler* filer) {
    assertWriteEnabled();
    const Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
    LogMsg(L"\n  TRdim::dxfInFields ");
    if (es != Acad::eOk) return es;
    LogMsg(L"-END");
    return filer->filerStatus();
}

Acad::ErrorStatus TRdim::applyPartialUndo(AcDbDwgFiler* undoFiler, AcRxClass* classObj) {
    // The chain records no partial undo of its own; the whole record is filed instead.
    if (classObj == TRdim::desc()) return Acad::eOk;
    return AcDbEntity::applyPartialUndo(undoFiler, classObj);
}
