// Filing of a height mark. The DWG record (version 2) holds the plan flag, the points,
// the role, the three parameter arrays, the group base, the values, the coordinate system,
// the texts, the normal and the text style. Versions 1 and 2 are read with their repairs;
// a newer or damaged record is refused and leaves the mark as it was. DXF carries the
// base entity only.
#include "module/height/TRdimHeight.h"

#include "host/db/database/AcDbDatabase.h"
#include "host/db/filing/AcDbDwgFiler.h"
#include "host/db/filing/AcDbDxfFiler.h"
#include "host/ge/AcGeTol.h"
#include "host/rx/acutString.h"
#include "host/win/FormatW.h"
#include "host/win/WinCrt.h"
#include "module/services/DbServices.h"
#include "module/base/ModuleInfo.h"
#include "module/base/LintaroLog.h"
#include "module/chain/RecordFiling.h"
#include "module/options/CGlobDimOptions.h"
#include "module/options/OptionIndices.h"

#include <cwctype>
#include <limits>

// Everything a record holds, read completely before the mark takes it over.
struct TRdimHeightRecord {
    int version = 0;
    int plan = 0;
    AcGePoint3dArray points;
    int role = 0;
    TRdimParams params;
    AcDbObjectId base;
    double height1 = 0, height2 = 0, symbolSize = 0, rotation = 0;
    AcGeVector3d vectorDim;
    AcGePoint3d origin;
    AcGeVector3d axis[3];
    int textPosition = 0;
    std::vector<std::wstring> texts;
    AcGeVector3d normal;
    AcDbObjectId textStyle;
};

namespace {

// The app version from which plan marks have an underline flag of their own.
constexpr std::uint32_t kPlanUnderlineVersion = 2019;

bool ReadFrame(AcDbDwgFiler* rf, TRdimHeightRecord& rec) {
    AcDbHardPointerId base;
    rf->readHardPointerId(&base);
    rec.base = base;
    rf->readDouble(&rec.height1);
    rf->readDouble(&rec.height2);
    rf->readDouble(&rec.symbolSize);
    rf->readDouble(&rec.rotation);
    rf->readVector3d(&rec.vectorDim);
    rf->readPoint3d(&rec.origin);
    for (AcGeVector3d& axis : rec.axis)
        rf->readVector3d(&axis);
    for (int index : {1, 4, 5, 2, 3})
        rf->readPoint3d(&rec.points[index]);
    Adesk::Int16 textPosition = 0;
    rf->readInt16(&textPosition);
    rec.textPosition = textPosition;
    return rf->filerStatus() == Acad::eOk;
}

bool ReadTail(AcDbDwgFiler* rf, TRdimHeightRecord& rec) {
    int count = 0;
    if (!ReadCount(rf, count)) return false;
    rec.texts.assign(static_cast<size_t>(count), std::wstring());
    for (std::wstring& text : rec.texts)
        if (!ReadString(rf, text)) return false;
    if (rec.texts.size() < static_cast<size_t>(kHeightTextCount)) rec.texts.resize(kHeightTextCount);
    rf->readVector3d(&rec.normal);
    AcDbHardPointerId style;
    rf->readHardPointerId(&style);
    rec.textStyle = style;
    Adesk::Int16 reserved = 0;
    for (int i = 0; i < 3; ++i)
        rf->readInt16(&reserved);
    return rf->filerStatus() == Acad::eOk;
}

// What older versions and damaged values need.
void Repair(TRdimHeightRecord& rec) {
    std::vector<std::uint32_t>& ints = rec.params.arrayInt;
    if (ints.size() > static_cast<size_t>(IND_I_AppVersion) &&
        ints[IND_I_AppVersion] < kPlanUnderlineVersion &&
        ints.size() > static_cast<size_t>(IND_I_HPDimTextUnderline))
        ints[IND_I_HPDimTextUnderline] = ints[IND_I_HDimTextUnderline];
    if (rec.vectorDim.isZeroLength()) {
        LogMsg(L"\n************ ERROR !m_vectorDim.length()  ");
        rec.vectorDim = AcGeVector3d::kXAxis;
    }
    if (rec.axis[0].isZeroLength() || rec.axis[1].isZeroLength() || rec.axis[2].isZeroLength()) {
        LogMsg(L"\n************ ERROR !m_xyzAxis.length()  ");
        rec.axis[0] = AcGeVector3d::kXAxis;
        rec.axis[1] = AcGeVector3d::kYAxis;
        rec.axis[2] = AcGeVector3d::kZAxis;
    }
    std::vector<std::wstring>& strings = rec.params.arrayString;
    if (rec.version == 1 && strings.size() > static_cast<size_t>(IND_S_Measure)) {
        if (_wcsicmp(strings[IND_S_Measure].c_str(), L"m") == 0) strings[IND_S_Measure] = L"m/cm";
    }
    if (rec.plan) {
        // A plan mark stands on its measured point and has no extension line.
        if (!ints.empty()) ints[IND_I_ExtLine] = 0;
        if (!rec.points[kHPointInput].isEqualTo(rec.points[kHPointDim]))
            rec.points[kHPointInput] = rec.points[kHPointDim];
    }
}

Acad::ErrorStatus ReadHeightRecord(AcDbDwgFiler* rf, TRdimHeightRecord& rec) {
    auto damaged = [rf](const wchar_t* where) {
        LogFmt(L"\n*** TRdimHeight::dwgInFields damaged record at %s (offset %d) ", where,
               static_cast<int>(rf->tell()));
        const Acad::ErrorStatus es = rf->filerStatus();
        return es != Acad::eOk ? es : kTRdimHeightRecordRefused;
    };
    Adesk::Int16 version = 0;
    if (rf->readInt16(&version) != Acad::eOk) return damaged(L"version");
    if (version > kTRdimHeightRecordVersion || version < 1) {
        LogFmt(L"\n*** TRdimHeight::dwgInFields record version %d is not known ", static_cast<int>(version));
        return kTRdimHeightRecordRefused;
    }
    rec.version = version;
    Adesk::UInt16 plan = 0;
    if (rf->readUInt16(&plan) != Acad::eOk) return damaged(L"plan flag");
    rec.plan = plan;
    int count = 0;
    if (!ReadCount(rf, count)) return damaged(L"points");
    rec.points.setLogicalLength(count);
    for (AcGePoint3d& p : rec.points)
        rf->readPoint3d(&p);
    if (rec.points.length() < kHeightPointCount) rec.points.setLogicalLength(kHeightPointCount);
    Adesk::Int16 role = 0;
    if (rf->readInt16(&role) != Acad::eOk) return damaged(L"role");
    rec.role = role;
    rec.params = OptionSetParams(OPT_MODE_HEIGHT);
    if (!ReadParamArrays(rf, rec.params)) return damaged(L"parameters");
    if (!ReadFrame(rf, rec)) return damaged(L"values");
    if (!ReadTail(rf, rec)) return damaged(L"texts");
    Repair(rec);
    return Acad::eOk;
}

} // namespace

void TRdimHeight::TakeRecord(TRdimHeightRecord& rec) {
    m_bPlan = rec.plan;
    m_points = std::move(rec.points);
    m_iRole = rec.role;
    arrayDouble = std::move(rec.params.arrayDouble);
    arrayString = std::move(rec.params.arrayString);
    arrayInt = std::move(rec.params.arrayInt);
    m_idBase = rec.base;
    m_dHeight1 = rec.height1;
    m_dHeight2 = rec.height2;
    m_dSymbolSize = rec.symbolSize;
    m_dRotation = rec.rotation;
    m_vectorDim = rec.vectorDim;
    m_ptOrigin = rec.origin;
    for (int a = 0; a < 3; ++a)
        m_xyzAxis[a] = rec.axis[a];
    m_iTextPosition = rec.textPosition;
    m_texts = std::move(rec.texts);
    m_vNormal = rec.normal;
    m_idTextStyle = rec.textStyle;
}

Acad::ErrorStatus TRdimHeight::dwgInFields(AcDbDwgFiler* filer) {
    assertWriteEnabled();
    Acad::ErrorStatus es = AcDbEntity::dwgInFields(filer);
    if (es != Acad::eOk) {
        LogFmt(L"\n  ** TRdimHeight::dwgInFields  E R R O R    es=%d ", static_cast<int>(es));
        return es;
    }
    if (!pGlobDimOptions) {
        LogFmt(L"\n --- TRdimHeight::dwgInFields !pGlobDimOptions (%s)...",
               FileNameOf(filer->database() ? filer->database() : database()).c_str());
        return Acad::eInvalidInput;
    }
    try {
        TRdimHeightRecord rec;
        es = ReadHeightRecord(filer, rec);
        if (es != Acad::eOk) return es;
        TakeRecord(rec);
    } catch (...) {
        LogMsg(L"\n !*****! TRdimHeight::dwgInFields ERROR !*****!");
        return Acad::eInvalidInput;
    }
    return Acad::eOk;
}

void TRdimHeight::FixOwnHandle() {
    if (objectId().isNull()) return;
    const std::wstring real = GetHandleString(this);
    if (real.empty()) return;
    const std::wstring stored = GetParamString(kHeightOwnHandleIndex);
    if (stored == real) return;
    LogFmt(L" Handle [%s] != '%s' ", stored.c_str(), real.c_str());
    if (arrayString.size() <= static_cast<size_t>(kHeightOwnHandleIndex)) arrayString.resize(kHeightOwnHandleIndex + 1);
    arrayString[kHeightOwnHandleIndex] = real;
}

void TRdimHeight::WriteRecord(AcDbDwgFiler* filer) const {
    filer->writeInt16(static_cast<Adesk::Int16>(kTRdimHeightRecordVersion));
    filer->writeUInt16(static_cast<Adesk::UInt16>(m_bPlan));
    filer->writeInt16(static_cast<Adesk::Int16>(m_points.length()));
    for (const AcGePoint3d& p : m_points)
        filer->writePoint3d(p);
    filer->writeInt16(static_cast<Adesk::Int16>(m_iRole));
    filer->writeInt16(static_cast<Adesk::Int16>(arrayDouble.size()));
    for (double value : arrayDouble)
        filer->writeDouble(value);
    filer->writeInt16(static_cast<Adesk::Int16>(arrayString.size()));
    for (const std::wstring& value : arrayString)
        filer->writeString(value);
    filer->writeInt16(static_cast<Adesk::Int16>(arrayInt.size()));
    for (size_t i = 0; i < arrayInt.size(); ++i) {
        // The record says which module wrote it.
        const std::uint32_t value =
            i == IND_I_AppVersion ? static_cast<std::uint32_t>(GetProgramVersionNumber()) : arrayInt[i];
        filer->writeUInt16(static_cast<Adesk::UInt16>(value & 0xFFFFu));
    }
    filer->writeHardPointerId(AcDbHardPointerId(m_idBase));
    filer->writeDouble(m_dHeight1);
    filer->writeDouble(m_dHeight2);
    filer->writeDouble(m_dSymbolSize);
    filer->writeDouble(m_dRotation);
    filer->writeVector3d(m_vectorDim);
    filer->writePoint3d(m_ptOrigin);
    for (const AcGeVector3d& axis : m_xyzAxis)
        filer->writeVector3d(axis);
    for (int index : {1, 4, 5, 2, 3})
        filer->writePoint3d(GetPoint(index));
    filer->writeInt16(static_cast<Adesk::Int16>(m_iTextPosition));
    filer->writeInt16(static_cast<Adesk::Int16>(m_texts.size()));
    for (const std::wstring& text : m_texts)
        filer->writeString(text);
    filer->writeVector3d(m_vNormal);
    filer->writeHardPointerId(AcDbHardPointerId(m_idTextStyle));
    for (int i = 0; i < 3; ++i)
        filer->writeInt16(0);
}

Acad::ErrorStatus TRdimHeight::dwgOutFields(AcDbDwgFiler* filer) const {
    assertReadEnabled();
    const Acad::ErrorStatus es = AcDbEntity::dwgOutFields(filer);
    if (es != Acad::eOk) {
        LogFmt(L"\n  ** TRdimHeight::dwgOutFields  E R R O R    es=%d ", static_cast<int>(es));
        return es;
    }
    if (!pGlobDimOptions || IsModuleStopped()) {
        LogFmt(L"\n --- TRdimHeight::dwgOutFields !pGlobDimOptions || bUnloaded...(%s)...",
               FileNameOf(database() ? database() : filer->database()).c_str());
        return Acad::eInvalidInput;
    }
    if (arrayInt.empty() || arrayDouble.empty() || arrayString.empty()) {
        LogMsg(L"\n!!!***** !!!!TRdimHeight::dwgOutFields -  arrayInt.GetSize() <= 0 || "
               L"arrayDouble.GetSize() <= 0 || arrayString.GetSize() <= 0 ");
        return Acad::eInvalidInput;
    }
    if (!FitsCount(static_cast<size_t>(m_points.length())) || !FitsCount(m_texts.size()) ||
        !FitsCount(arrayDouble.size()) || !FitsCount(arrayString.size()) || !FitsCount(arrayInt.size())) {
        LogMsg(L"\n!!!***** TRdimHeight::dwgOutFields - too many entries for the record ");
        return Acad::eInvalidInput;
    }
    try {
        // The own handle is kept current at every save (groups compare it, see the group
        // operations); the record is written from the corrected strings.
        const_cast<TRdimHeight*>(this)->FixOwnHandle();
        WriteRecord(filer);
    } catch (...) {
        LogMsg(L"\n !*****! TRdimHeight::dwgOutFields ERROR !*****!");
        return Acad::eInvalidInput;
    }
    return filer->filerStatus();
}

Acad::ErrorStatus TRdimHeight::dxfOutFields(AcDbDxfFiler* filer) const {
    assertReadEnabled();
    const Acad::ErrorStatus es = AcDbEntity::dxfOutFields(filer);
    if (es != Acad::eOk) return es;
    return filer->filerStatus();
}

Acad::ErrorStatus TRdimHeight::dxfInFields(AcDbDxfFiler* filer) {
    assertWriteEnabled();
    const Acad::ErrorStatus es = AcDbEntity::dxfInFields(filer);
    if (es != Acad::eOk) return es;
    return filer->filerStatus();
}
