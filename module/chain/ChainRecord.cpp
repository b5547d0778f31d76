#include "module/chain/ChainRecord.h"

#include "host/db/filing/AcDbDwgFiler.h"
#include "module/base/LintaroLog.h"
#include "module/chain/RecordFiling.h"
#include "module/options/OptionIndices.h"

#include <cstdint>

namespace {

constexpr int kMinArcPoints = 7;

// ---------------------------------------------------------------- reading

bool ReadFrame(AcDbDwgFiler* filer, int version, ChainGeometry& geo) {
    if (version >= 3) {
        filer->readPoint3d(&geo.origin);
        for (AcGeVector3d& axis : geo.axis)
            filer->readVector3d(&axis);
    }
    if (geo.axis[0].isZeroLength() || geo.axis[1].isZeroLength() || geo.axis[2].isZeroLength()) {
        LogMsg(L"\n************ !m_xyzAxis.length()  ");
        geo.axis[0] = AcGeVector3d::kXAxis;
        geo.axis[1] = AcGeVector3d::kYAxis;
        geo.axis[2] = AcGeVector3d::kZAxis;
    }
    filer->readDouble(&geo.rotation);
    if (version >= 2) filer->readVector3d(&geo.vectorDim);
    if (geo.vectorDim.isZeroLength()) {
        LogMsg(L"\n************ !m_vectorDim.length()  ");
        geo.vectorDim = AcGeVector3d::kXAxis;
    }
    return filer->filerStatus() == Acad::eOk;
}

bool ReadPointsAndTexts(AcDbDwgFiler* filer, ChainRecord& rec) {
    int count = 0;
    if (!ReadCount(filer, count)) return false;
    rec.geo.points.setLogicalLength(count);
    for (AcGePoint3d& p : rec.geo.points)
        filer->readPoint3d(&p);
    if (!ReadCount(filer, count)) return false;
    rec.texts.assign(static_cast<size_t>(count), std::wstring());
    for (std::wstring& text : rec.texts)
        if (!ReadString(filer, text)) return false;
    return filer->filerStatus() == Acad::eOk;
}

bool ReadParams(AcDbDwgFiler* filer, ChainRecord& rec) {
    if (!ReadParamArrays(filer, rec.params)) return false;
    filer->readVector3d(&rec.geo.zAxis);
    AcDbHardPointerId style;
    filer->readHardPointerId(&style);
    rec.textStyleId = style;
    return filer->filerStatus() == Acad::eOk;
}

bool ReadAppendingTexts(AcDbDwgFiler* filer, ChainRecord& rec) {
    int count = 0;
    if (!ReadCount(filer, count)) return false;
    rec.appTexts.clear();
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

bool ReadArcBlock(AcDbDwgFiler* filer, int version, ChainRecord& rec, Acad::ErrorStatus& result) {
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
        rec.geo.arcPoints.setLogicalLength(marker - 1);
        for (AcGePoint3d& p : rec.geo.arcPoints)
            filer->readPoint3d(&p);
        if (filer->filerStatus() != Acad::eOk) return false;
    }
    if (rec.geo.IsArc()) {
        if (rec.geo.arcPoints.length() < kMinArcPoints) rec.geo.arcPoints.setLogicalLength(kMinArcPoints);
        if (rec.arcObjectId.isNull()) {
            // A version 3 arc chain cannot be rebuilt without its curve.
            if (version == 3) result = kTRdimRecordRefused;
            LogFmt(L" !!!!ARC:%d ER:%d ", version, static_cast<int>(result));
        }
    }
    int count = 0;
    if (!ReadCount(filer, count)) return false;
    rec.geo.arcParams.setLogicalLength(count);
    for (double& value : rec.geo.arcParams)
        filer->readDouble(&value);
    return filer->filerStatus() == Acad::eOk;
}

bool ReadExtFlags(AcDbDwgFiler* filer, ChainGeometry& geo) {
    const int extensions = geo.Extensions();
    int count = 0;
    if (!ReadCount(filer, count)) return false;
    geo.extFlags.assign(static_cast<size_t>(extensions), 0);
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
    if (count == extensions) geo.extFlags = words;
    return true;
}

// ---------------------------------------------------------------- writing

void WriteParamArrays(AcDbDwgFiler* filer, const TRdimParams& params, std::uint32_t appVersion) {
    filer->writeInt16(static_cast<Adesk::Int16>(params.arrayDouble.size()));
    for (double value : params.arrayDouble)
        filer->writeDouble(value);
    filer->writeInt16(static_cast<Adesk::Int16>(params.arrayString.size()));
    for (const std::wstring& value : params.arrayString)
        filer->writeString(value);
    filer->writeInt16(static_cast<Adesk::Int16>(params.arrayInt.size()));
    for (size_t i = 0; i < params.arrayInt.size(); ++i) {
        const std::uint32_t value = i == IND_I_AppVersion ? appVersion : params.arrayInt[i];
        filer->writeUInt16(static_cast<Adesk::UInt16>(value & 0xFFFFu));
    }
}

void WriteAppendingTexts(AcDbDwgFiler* filer, const AppendingTextList& appTexts) {
    filer->writeInt16(static_cast<Adesk::Int16>(appTexts.size()));
    for (const AppendingText& text : appTexts) {
        filer->writeInt16(static_cast<Adesk::Int16>(text.m_iSegment));
        filer->writePoint3d(text.m_position);
        filer->writeInt16(static_cast<Adesk::Int16>(text.m_iAutoPos));
        filer->writeString(text.m_strText);
        filer->writeDouble(text.m_dValue);
        filer->writeInt16(static_cast<Adesk::Int16>(text.m_iReserved));
        filer->writeString(text.m_strText2);
    }
}

void WriteArcBlockAndFlags(AcDbDwgFiler* filer, const ChainRecord& rec) {
    const ChainGeometry& geo = rec.geo;
    if (geo.IsArc()) {
        filer->writeInt16(static_cast<Adesk::Int16>(geo.arcPoints.length() + 1));
        filer->writeHardPointerId(AcDbHardPointerId(rec.arcObjectId));
        filer->writeUInt16(static_cast<Adesk::UInt16>(rec.arcSubent));
        for (const AcGePoint3d& p : geo.arcPoints)
            filer->writePoint3d(p);
        filer->writeInt16(static_cast<Adesk::Int16>(geo.arcParams.length()));
        for (double value : geo.arcParams)
            filer->writeDouble(value);
    } else {
        filer->writeInt16(0);
        filer->writeInt16(0);
    }
    // A flag list of another length says nothing about the extensions: filed as zeros.
    const int extensions = geo.Extensions();
    const bool flagsFit = geo.extFlags.size() == static_cast<size_t>(extensions);
    filer->writeInt16(static_cast<Adesk::Int16>(extensions));
    if (extensions > 0) {
        for (int i = 0; i < extensions; ++i)
            filer->writeInt16(
                static_cast<Adesk::Int16>(flagsFit ? geo.extFlags[static_cast<size_t>(i)] & 0xFFFFu : 0));
        filer->writeInt16(0);
    }
}

} // namespace

namespace {

template <typename List> void Shrink(List& list) {
    // A copy holds no more than its elements.
    if (list.physicalLength() > list.length()) list = List(list);
}

} // namespace

void ShrinkRecord(ChainRecord& rec) {
    Shrink(rec.geo.points);
    Shrink(rec.geo.arcPoints);
    Shrink(rec.geo.arcParams);
    rec.geo.extFlags.shrink_to_fit();
    rec.texts.shrink_to_fit();
    rec.appTexts.shrink_to_fit();
}

bool RecordFits(const ChainRecord& rec) {
    const ChainGeometry& geo = rec.geo;
    return FitsCount(static_cast<size_t>(geo.points.length())) && FitsCount(rec.texts.size()) &&
           FitsCount(rec.params.arrayDouble.size()) && FitsCount(rec.params.arrayString.size()) &&
           FitsCount(rec.params.arrayInt.size()) && FitsCount(rec.appTexts.size()) &&
           FitsCount(static_cast<size_t>(geo.arcPoints.length()) + 1) &&
           FitsCount(static_cast<size_t>(geo.arcParams.length()));
}

void WriteChainRecord(AcDbDwgFiler* filer, const ChainRecord& rec, std::uint32_t appVersion) {
    const ChainGeometry& geo = rec.geo;
    filer->writeInt16(static_cast<Adesk::Int16>(kTRdimRecordVersion));
    filer->writeInt16(static_cast<Adesk::Int16>(geo.dimType));
    filer->writePoint3d(geo.origin);
    for (const AcGeVector3d& axis : geo.axis)
        filer->writeVector3d(axis);
    filer->writeDouble(geo.rotation);
    filer->writeVector3d(geo.vectorDim);
    filer->writeInt16(static_cast<Adesk::Int16>(geo.points.length()));
    for (const AcGePoint3d& p : geo.points)
        filer->writePoint3d(p);
    if (rec.texts.size() != static_cast<size_t>(geo.Extensions()))
        LogFmt(L"\n **####** ZISTI PRECO: stringov=%d  Bodov=%d ", static_cast<int>(rec.texts.size()),
               geo.points.length());
    filer->writeInt16(static_cast<Adesk::Int16>(rec.texts.size()));
    for (const std::wstring& text : rec.texts)
        filer->writeString(text);
    WriteParamArrays(filer, rec.params, appVersion);
    filer->writeVector3d(geo.zAxis);
    filer->writeHardPointerId(AcDbHardPointerId(rec.textStyleId));
    WriteAppendingTexts(filer, rec.appTexts);
    WriteArcBlockAndFlags(filer, rec);
}

Acad::ErrorStatus ReadChainRecord(AcDbDwgFiler* filer, ChainRecord& rec, Acad::ErrorStatus& result) {
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
    if (filer->readInt16(&dimType) != Acad::eOk) return damaged(L"type");
    rec.geo.dimType = dimType;
    LogFmt(L" ver=%d m_dimType=%d ", static_cast<int>(version), rec.geo.dimType);
    if (!ReadFrame(filer, version, rec.geo)) return damaged(L"UCS");
    if (!ReadPointsAndTexts(filer, rec)) return damaged(L"points");
    if (!ReadParams(filer, rec)) return damaged(L"parameters");
    if (!ReadAppendingTexts(filer, rec)) return damaged(L"appended texts");
    if (!ReadArcBlock(filer, version, rec, result)) return damaged(L"arc");
    const int extensions = rec.geo.Extensions();
    if (rec.texts.size() != static_cast<size_t>(extensions))
        rec.texts.resize(static_cast<size_t>(extensions));
    if (extensions == 0) {
        LogMsg(L"\n************ ERROR !nExtensions  WHAT TO DO???"
               L"?!!!!!");
        return kTRdimRecordRefused;
    }
    if (!ReadExtFlags(filer, rec.geo)) return damaged(L"flags");
    return Acad::eOk;
}
