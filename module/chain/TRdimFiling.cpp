// Filing of a chain. The DWG record (version 4) follows the entity's own fields: the
// UCS, the direction, the points, the text entries, the three parameter arrays, the text
// style, the appended texts, the arc block and the extension flags. Versions 1 to 4 are
// read and repaired; a newer or damaged record is refused and leaves the chain as it was.
// DXF carries the base entity only.
#include "module/chain/RecordFiling.h"
#include "module/chain/TRdim.h"

#include "host/db/database/AcDbDatabase.h"
#include "host/db/filing/AcDbDwgFiler.h"
#include "host/db/filing/AcDbDxfFiler.h"
#include "host/rx/acutString.h"
#include "module/base/ModuleInfo.h"
#include "module/base/LintaroLog.h"
#include "module/options/CGlobDimOptions.h"
#include "module/options/OptionIndices.h"

#include <cstdint>
#include <limits>

// Everything a record holds, read completely before the chain takes it over.
struct TRdimRecord {
    int version = 0;
    int dimType = 0;
    AcGePoint3d origin;
    AcGeVector3d axis[3] = {AcGeVector3d::kXAxis, AcGeVector3d::kYAxis, AcGeVector3d::kZAxis};
    double rotation = 0.0;
    AcGeVector3d vectorDim;
    AcGePoint3dArray points;
    std::vector<std::wstring> texts;
    TRdimParams params;
    AcGeVector3d zAxis;
    AcDbObjectId textStyleId;
    AppendingTextList appTexts;
    AcDbObjectId arcObjectId;
    int arcSubent = 0;
    AcGePoint3dArray arcPoints;
    AcGeDoubleArray arcParams;
    TRdimExtFlagArray flags;
};

namespace {

constexpr int kMinArcPoints = 7;

// The chain files its fields only while the module runs with its options: without them
// the arrays it would write are not there, and while unloading its code is going away.
bool FilingAllowed() {
    return pGlobDimOptions != nullptr && !IsModuleStopped();
}

bool ReadFrame(AcDbDwgFiler* filer, TRdimRecord& rec) {
    if (rec.version >= 3) {
        filer->readPoint3d(&rec.origin);
        for (AcGeVector3d& axis : rec.axis)
            filer->readVector3d(&axis);
    }
    if (rec.axis[0].isZeroLength() || rec.axis[1].isZeroLength() || rec.axis[2].isZeroLength()) {
        LogMsg(L"\n************ !m_xyzAxis.length()  ");
        rec.axis[0] = AcGeVector3d::kXAxis;
        rec.axis[1] = AcGeVector3d::kYAxis;
        rec.axis[2] = AcGeVector3d::kZAxis;
    }
    filer->readDouble(&rec.rotation);
    if (rec.version >= 2) filer->readVector3d(&rec.vectorDim);
    if (rec.vectorDim.isZeroLength()) {
        LogMsg(L"\n************ !m_vectorDim.length()  ");
        rec.vectorDim = AcGeVector3d::kXAxis;
    }
    return filer->filerStatus() == Acad::eOk;
}

bool ReadPointsAndTexts(AcDbDwgFiler* filer, TRdimRecord& rec) {
    int count = 0;
    if (!ReadCount(filer, count)) return false;
    rec.points.setLogicalLength(count);
    for (AcGePoint3d& p : rec.points)
        filer->readPoint3d(&p);
    if (!ReadCount(filer, count)) return false;
    rec.texts.assign(static_cast<size_t>(count), std::wstring());
    for (std::wstring& text : rec.texts)
        if (!ReadString(filer, text)) return false;
    return filer->filerStatus() == Acad::eOk;
}

bool ReadParams(AcDbDwgFiler* filer, TRdimRecord& rec) {
    if (!ReadParamArrays(filer, rec.params)) return false;
    filer->readVector3d(&rec.zAxis);
    AcDbHardPointerId style;
    filer->readHardPointerId(&style);
    rec.textStyleId = style;
    return filer->filerStatus() == Acad::eOk;
}

bool ReadAppendingTexts(AcDbDwgFiler* filer, TRdimRecord& rec) {
    int count = 0;
    if (!ReadCount(filer, count)) return false;
    for (int i = 0; i < count; ++i) {
        AppendingText text;
        Adesk::Int16 segment = 0, autoPos = 0, reserved = 0;
        filer->readInt16(&segment);
        filer->readPoint3d(&text.m_position);
        filer->readInt16(&autoPos);
        filer->readString(text.m_strText);
        filer->readDouble(&text.m_dValue);
        filer->readInt16(&reserved);
        filer->readString(text.m_strText2);
        if (filer->filerStatus() != Acad::eOk) return false;
        text.m_iSegment = segment;
        text.m_iAutoPos = autoPos;
        text.m_iReserved = reserved;
        // One appended text per segment: a second one for the same segment is dropped.
        if (FindAppendingText(rec.appTexts, text.m_iSegment, &LogMsg) < 0) rec.appTexts.push_back(text);
    }
    return true;
}

bool ReadArcBlock(AcDbDwgFiler* filer, TRdimRecord& rec, Acad::ErrorStatus& result) {
    Adesk::Int16 marker = 0;
    if (filer->readInt16(&marker) != Acad::eOk || marker < 0) return false;
    LogFmt(L" Apts=%d ", static_cast<int>(marker));
    rec.arcObjectId = AcDbObjectId::kNull;
    if (marker != 0) {
        AcDbHardPointerId id;
        Adesk::UInt16 subent = 0;
        filer->readHardPointerId(&id);
        filer->readUInt16(&subent);
        if (!id.isNull() && id.isValid() && !id.isErased()) rec.arcObjectId = id;
        rec.arcSubent = subent;
        rec.arcPoints.setLogicalLength(marker - 1);
        for (AcGePoint3d& p : rec.arcPoints)
            filer->readPoint3d(&p);
        if (filer->filerStatus() != Acad::eOk) return false;
    }
    if (rec.dimType == kDimArc) {
        if (rec.arcPoints.length() < kMinArcPoints) rec.arcPoints.setLogicalLength(kMinArcPoints);
        if (rec.arcObjectId.isNull()) {
            // A version 3 arc chain cannot be rebuilt without its curve.
            if (rec.version == 3) result = kTRdimRecordRefused;
            LogFmt(L" !!!!ARC:%d ER:%d ", rec.version, static_cast<int>(result));
        }
    }
    int count = 0;
    if (!ReadCount(filer, count)) return false;
    rec.arcParams.setLogicalLength(count);
    for (double& value : rec.arcParams)
        filer->readDouble(&value);
    return filer->filerStatus() == Acad::eOk;
}

bool ReadExtFlags(AcDbDwgFiler* filer, TRdimRecord& rec, int extensions) {
    int count = 0;
    if (!ReadCount(filer, count)) return false;
    rec.flags.assign(static_cast<size_t>(extensions), 0);
    if (count == 0) return true;
    TRdimExtFlagArray words(static_cast<size_t>(count), 0);
    for (std::uint32_t& word : words) {
        Adesk::Int16 value = 0;
        filer->readInt16(&value);
        word = static_cast<std::uint16_t>(value);
    }
    Adesk::Int16 closing = 0;
    filer->readInt16(&closing);
    if (filer->filerStatus() != Acad::eOk) return false;
    // Words that do not match the extensions no longer say which is whose.
    if (count == extensions) rec.flags = words;
    return true;
}

// Reads the whole record; on a damaged or refused record returns its status and the
// chain stays as it was. `result` becomes 301 for an arc chain that cannot be rebuilt.
Acad::ErrorStatus ReadChainRecord(AcDbDwgFiler* filer, TRdimRecord& rec, Acad::ErrorStatus& result) {
    auto damaged = [filer](const wchar_t* where) {
        LogFmt(L"\n*** TRdim::dwgInFields damaged record at %s (offset %d) ", where,
               static_cast<int>(filer->tell()));
        const Acad::ErrorStatus es = filer->filerStatus();
        return es != Acad::eOk ? es : kTRdimRecordRefused;
    };
    Adesk::Int16 version = 0, dimType = 0;
    if (filer->readInt16(&version) != Acad::eOk) return damaged(L"version");
    if (version >= 5 || version < 1) {
        LogFmt(L"\n*** TRdim::dwgInFields record version %d is not known ", static_cast<int>(version));
        return kTRdimRecordRefused;
    }
    rec.version = version;
    if (filer->readInt16(&dimType) != Acad::eOk) return damaged(L"type");
    rec.dimType = dimType;
    LogFmt(L" ver=%d m_dimType=%d ", rec.version, rec.dimType);
    if (!ReadFrame(filer, rec)) return damaged(L"UCS");
    if (!ReadPointsAndTexts(filer, rec)) return damaged(L"points");
    rec.params = OptionSetParams(OPT_MODE_CHAIN);
    if (!ReadParams(filer, rec)) return damaged(L"parameters");
    if (!ReadAppendingTexts(filer, rec)) return damaged(L"appended texts");
    if (!ReadArcBlock(filer, rec, result)) return damaged(L"arc");
    const int extensions = rec.points.length() / 4;
    if (rec.texts.size() != static_cast<size_t>(extensions))
        rec.texts.resize(static_cast<size_t>(extensions));
    if (extensions == 0) {
        LogMsg(L"\n************ ERROR !nExtensions  WHAT TO DO???"
               L"?!!!!!");
        return kTRdimRecordRefused;
    }
    if (!ReadExtFlags(filer, rec, extensions)) return damaged(L"flags");
    return Acad::eOk;
}

} // namespace

void TRdim::TakeRecord(TRdimRecord& rec) {
    m_dimType = rec.dimType;
    m_xyzOrigin = rec.origin;
    for (int a = 0; a < 3; ++a)
        m_xyzAxis[a] = rec.axis[a];
    m_dRotation = rec.rotation;
    m_vectorDim = rec.vectorDim;
    m_points = std::move(rec.points);
    m_texts = std::move(rec.texts);
    arrayDouble = std::move(rec.params.arrayDouble);
    arrayString = std::move(rec.params.arrayString);
    arrayInt = std::move(rec.params.arrayInt);
    m_zAxis = rec.zAxis;
    m_textStyleId = rec.textStyleId;
    m_appTexts = std::move(rec.appTexts);
    m_arcObjectId = rec.arcObjectId;
    m_iArcSubent = rec.arcSubent;
    m_arcPoints = std::move(rec.arcPoints);
    m_arcParams = std::move(rec.arcParams);
    m_extFlags = std::move(rec.flags);
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
        TRdimRecord rec;
        // A linear record carries no arc block: the chain keeps what it had there.
        rec.arcPoints = m_arcPoints;
        rec.arcSubent = m_iArcSubent;
        es = ReadChainRecord(filer, rec, result);
        if (es != Acad::eOk) return es;
        TakeRecord(rec);
        if (IsDimArc() && m_arcParams.length() != GetExtensions()) {
            LogFmt(L"\ndwgInFields Params=%d Ext=%d ", m_arcParams.length(), GetExtensions());
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

void TRdim::WriteRecord(AcDbDwgFiler* filer) const {
    filer->writeInt16(static_cast<Adesk::Int16>(kTRdimRecordVersion));
    filer->writeInt16(static_cast<Adesk::Int16>(m_dimType));
    filer->writePoint3d(m_xyzOrigin);
    for (const AcGeVector3d& axis : m_xyzAxis)
        filer->writeVector3d(axis);
    filer->writeDouble(m_dRotation);
    filer->writeVector3d(m_vectorDim);
    filer->writeInt16(static_cast<Adesk::Int16>(m_points.length()));
    for (const AcGePoint3d& p : m_points)
        filer->writePoint3d(p);
    if (m_texts.size() != static_cast<size_t>(GetExtensions()))
        LogFmt(L"\n **####** ZISTI PRECO: stringov=%d  Bodov=%d ", static_cast<int>(m_texts.size()),
               m_points.length());
    filer->writeInt16(static_cast<Adesk::Int16>(m_texts.size()));
    for (const std::wstring& text : m_texts)
        filer->writeString(text);
    filer->writeInt16(static_cast<Adesk::Int16>(arrayDouble.size()));
    for (double value : arrayDouble)
        filer->writeDouble(value);
    filer->writeInt16(static_cast<Adesk::Int16>(arrayString.size()));
    for (const std::wstring& value : arrayString)
        filer->writeString(value);
    filer->writeInt16(static_cast<Adesk::Int16>(arrayInt.size()));
    for (size_t i = 0; i < arrayInt.size(); ++i) {
        // The record says which module wrote it, whatever the chain held.
        const std::uint32_t value =
            i == IND_I_AppVersion ? static_cast<std::uint32_t>(GetProgramVersionNumber()) : arrayInt[i];
        filer->writeUInt16(static_cast<Adesk::UInt16>(value & 0xFFFFu));
    }
    filer->writeVector3d(m_zAxis);
    filer->writeHardPointerId(AcDbHardPointerId(m_textStyleId));
    filer->writeInt16(static_cast<Adesk::Int16>(m_appTexts.size()));
    for (const AppendingText& text : m_appTexts) {
        filer->writeInt16(static_cast<Adesk::Int16>(text.m_iSegment));
        filer->writePoint3d(text.m_position);
        filer->writeInt16(static_cast<Adesk::Int16>(text.m_iAutoPos));
        filer->writeString(text.m_strText);
        filer->writeDouble(text.m_dValue);
        filer->writeInt16(static_cast<Adesk::Int16>(text.m_iReserved));
        filer->writeString(text.m_strText2);
    }
    if (IsDimArc()) {
        filer->writeInt16(static_cast<Adesk::Int16>(m_arcPoints.length() + 1));
        filer->writeHardPointerId(AcDbHardPointerId(m_arcObjectId));
        filer->writeUInt16(static_cast<Adesk::UInt16>(m_iArcSubent));
        for (const AcGePoint3d& p : m_arcPoints)
            filer->writePoint3d(p);
        filer->writeInt16(static_cast<Adesk::Int16>(m_arcParams.length()));
        for (double value : m_arcParams)
            filer->writeDouble(value);
    } else {
        filer->writeInt16(0);
        filer->writeInt16(0);
    }
    // A flag list of another length says nothing about the extensions: filed as zeros.
    const int extensions = GetExtensions();
    const bool flagsFit = m_extFlags.size() == static_cast<size_t>(extensions);
    filer->writeInt16(static_cast<Adesk::Int16>(extensions));
    if (extensions > 0) {
        for (int i = 0; i < extensions; ++i)
            filer->writeInt16(
                static_cast<Adesk::Int16>(flagsFit ? m_extFlags[static_cast<size_t>(i)] & 0xFFFFu : 0));
        filer->writeInt16(0);
    }
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
    if (arrayInt.empty() || arrayDouble.empty() || arrayString.empty()) {
        LogMsg(
            L"\n!!!***** !!!!TRdim::dwgOutFields -  arrayInt.GetSize() <= 0 || arrayDouble.GetSize() <= 0 || "
            L"arrayString.GetSize() <= 0 ");
        return Acad::eInvalidInput;
    }
    // Counts are filed as 16-bit values; a larger one could not be read back.
    if (!FitsCount(static_cast<size_t>(m_points.length())) || !FitsCount(m_texts.size()) ||
        !FitsCount(arrayDouble.size()) || !FitsCount(arrayString.size()) || !FitsCount(arrayInt.size()) ||
        !FitsCount(m_appTexts.size()) || !FitsCount(static_cast<size_t>(m_arcPoints.length()) + 1) ||
        !FitsCount(static_cast<size_t>(m_arcParams.length()))) {
        LogMsg(L"\n!!!***** TRdim::dwgOutFields - too many entries for the record ");
        return Acad::eInvalidInput;
    }
    try {
        WriteRecord(filer);
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
