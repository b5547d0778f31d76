// Automatic values: a plan mark follows a section mark, one source per row. In the same
// drawing the source carries the follower as a persistent reactor; the link itself is the
// source's handle text (with the drawing's file in front for another drawing), so it
// survives saving and is repaired when handles change.
#include "module/height/TRdimHeight.h"

#include "host/db/database/AcDbDatabase.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/rx/AcRxClass.h"
#include "host/win/FormatW.h"
#include "module/services/ActiveCommand.h"
#include "module/services/DbServices.h"
#include "module/services/DocLocks.h"
#include "module/services/ReactorSuspension.h"
#include "module/base/LintaroLog.h"
#include "module/chain/ChainFormatEnv.h"
#include "module/chain/ValueFormat.h"
#include "module/height/HeightText.h"
#include "module/options/CGlobDimOptions.h"
#include "module/options/OptionIndices.h"

#include <cmath>

namespace {

constexpr const wchar_t* kBrokenLink = L"#";

int FlagIndex(int row) { return row == 2 ? IND_I_HAutoValue2 : IND_I_HAutoValue1; }
int LinkIndex(int row) { return row == 2 ? IND_S_HK_Auto_Handle2 : IND_S_HK_Auto_Handle1; }
int ValueTextIndex(int row) { return row == 2 ? 5 : 4; }

// The source's value of the row as a text: its own text when it shows one, else the
// signed value as the source formats it.
std::wstring SourceText(const TRdimHeight& source, int row, bool hideSign) {
    const std::wstring own = source.GetText(ValueTextIndex(row));
    if (source.GetParamInt(IND_I_HUserText) != 0 && !own.empty()) return own;
    const double value = row == 2 ? source.GetHeight2() : source.GetHeight1();
    const bool zero = std::fabs(value) <= kHeightZeroValue;
    std::wstring digits;
    if (zero) {
        // The zero level always has two decimals, as the source shows it.
        const std::wstring delimiter = source.GetParamString(IND_S_Delimiter);
        digits = L"0" + (delimiter.empty() ? std::wstring(L".") : delimiter) + L"00";
    } else {
        ValueFormatEnv env = MakeValueFormatEnv(source.GetParamString(IND_S_IniFile));
        env.log = &LogMsg;
        digits = FormatValue(3, std::fabs(value), source.Params(), env);
    }
    std::wstring sign;
    if (!hideSign) sign = zero ? L"\u00B1" : value > 0.0 ? L"+" : L"";
    if (value < 0.0 && !zero) sign = L"-";
    return sign + digits;
}

bool CommandSkipsFollowers() {
    const std::wstring names = GetActiveCommand(true);
    return names.find(L"BLOCK") != std::wstring::npos || names.find(L"BIND") != std::wstring::npos;
}

} // namespace

bool TRdimHeight::IsAutoValue(int row) const {
    return GetParamInt(FlagIndex(row)) != 0;
}

std::wstring TRdimHeight::GetAutoLink(int row) const {
    return GetParamString(LinkIndex(row));
}

bool HeightLinkNamesOtherDrawing(const std::wstring& link) {
    return link.find(L':', 1) != std::wstring::npos;
}

int TRdimHeight::SetAutoValue(int row, AcDbObjectId sourceId) {
    ClearAutoValue(row);
    AcDbDatabase* sourceDb = sourceId.database();
    CDbLockScope lock(sourceDb, L"SetAutoValue");
    TRdimHeight* source = nullptr;
    if (sourceId.isNull() || acdbOpenObject(source, sourceId, AcDb::kForRead) != Acad::eOk) return 0;
    if (source->IsPlan()) {
        source->close();
        return 1;
    }
    const std::wstring link = EntityHandleFor(source, database());
    LogFmt(L" => strHandle=%s ", link.c_str());
    if (!HeightLinkNamesOtherDrawing(link) && source->upgradeOpen() == Acad::eOk) {
        if (sourceDb == database()) {
            source->addPersistentReactor(objectId());
        } else {
            source->SetParamString(LinkIndex(row), GetHandleString(this));
            source->SetParamInt(FlagIndex(row), 1);
        }
    }
    SetParamInt(FlagIndex(row), 1);
    SetParamString(LinkIndex(row), link);
    SetHeight(row, row == 2 ? source->GetHeight2() : source->GetHeight1());
    SetText(ValueTextIndex(row), source->GetText(ValueTextIndex(row)));
    source->close();
    return 1;
}

int TRdimHeight::ClearAutoValue(int row) {
    LogFmt(L"\n ClearAutoValue(%d) ", row);
    const std::wstring old = GetAutoLink(row);
    SetParamInt(FlagIndex(row), 0);
    SetParamString(LinkIndex(row), L"");
    if (old.empty()) return 0;
    const AcDbObjectId sourceId = Handle2ObjectId(database(), old);
    if (sourceId.isNull()) return 0;
    CDbLockScope lock(sourceId.database(), L"ClearAutoValue");
    AcDbObject* object = nullptr;
    if (acdbOpenObject(object, sourceId, AcDb::kForWrite) != Acad::eOk) return 0;
    if (object->hasPersistentReactor(objectId())) {
        object->removePersistentReactor(objectId());
    } else if (TRdimHeight* source = TRdimHeight::cast(object); source && sourceId.database() != database()) {
        source->SetParamString(LinkIndex(row), L"");
        source->SetParamInt(FlagIndex(row), 0);
    }
    object->close();
    return 1;
}

int TRdimHeight::UpdateAutoValue(const TRdimHeight* source, int row) {
    if (!IsPlan()) return 0;
    assertWriteEnabled();
    const int textIndex = ValueTextIndex(row);
    if (!source || source->IsPlan() || source->GetRole() == kHeightRoleBase) {
        std::wstring text = GetText(textIndex);
        if (text.size() < 1 || text.back() != L'#') SetText(textIndex, text + kBrokenLink);
        recordGraphicsModified();
        return 0;
    }
    const std::wstring text = SourceText(*source, row, GetParamInt(IND_I_HPlusMinusHide) != 0);
    SetHeight(row, row == 2 ? source->GetHeight2() : source->GetHeight1());
    SetText(textIndex, text);
    SetText(row == 2 ? 2 : 0, source->GetText(row == 2 ? 2 : 0));
    SetText(row == 2 ? 3 : 1, source->GetText(row == 2 ? 3 : 1));
    LogFmt(L" strHeight = '%s' ", text.c_str());
    recordGraphicsModified();
    return 1;
}

void TRdimHeight::RefreshAutoValue(bool bAddReactor) {
    if (!IsPlan() || AreReactorsSuspended() == kReactorsConversion) return;
    for (int row = 1; row <= 2; ++row) {
        if (!IsAutoValue(row)) continue;
        const std::wstring link = GetAutoLink(row);
        if (link.empty()) {
            SetParamInt(FlagIndex(row), 0);
            continue;
        }
        const AcDbObjectId sourceId = Handle2ObjectId(database(), link);
        if (sourceId.isNull() || sourceId.isErased()) {
            if (!HeightLinkNamesOtherDrawing(link)) UpdateAutoValue(nullptr, row);
            continue;
        }
        AcDbObject* object = nullptr;
        const bool sameDb = sourceId.database() == database();
        CDbLockScope lock(sourceId.database(), L"RefreshAutoValue");
        if (acdbOpenObject(object, sourceId, AcDb::kForRead) != Acad::eOk) continue;
        TRdimHeight* source = TRdimHeight::cast(object);
        if (!source) {
            const std::wstring dxf = object->isA() ? object->isA()->dxfName() : L"";
            if (dxf.find(L"PROXY") == std::wstring::npos)
                SetText(ValueTextIndex(row), host::FormatW(L"!%s * %s!", dxf.c_str(), link.c_str()));
            object->close();
            continue;
        }
        if (bAddReactor && sameDb && !source->hasPersistentReactor(objectId())) {
            const Acad::ErrorStatus es = source->upgradeOpen();
            LogFmt(L"addReactor upgradeOpen=%d ", static_cast<int>(es));
            if (es == Acad::eOk) source->addPersistentReactor(objectId());
        }
        if (sameDb && !source->hasPersistentReactor(objectId()) && bAddReactor) {
            LogMsg(L" ERROR !hasPersistentReactor ");
            source->close();
            continue;
        }
        UpdateAutoValue(source, row);
        source->close();
    }
}

int TRdimHeight::VerifyAutoValue(const TRdimHeight* source) {
    if (!source || (!IsAutoValue(1) && !IsAutoValue(2))) return 0;
    const double s1 = source->GetHeight1(), s2 = source->GetHeight2();
    auto same = [](double a, double b) { return std::fabs(a - b) <= kHeightZeroValue; };
    int row = 0;
    const bool first = same(m_dHeight1, s1);
    const bool second = same(m_dHeight2, s1) || same(m_dHeight2, s2);
    if (first && second) row = 3;
    else if (first) row = 1;
    else if (second) row = 2;
    const std::wstring current = EntityHandleFor(source, database());
    LogFmt(L"\nTRdimHeight::VerifyAutoValue iRow=%d %.3f, %.3f / %.3f [%s] ", row, m_dHeight1, m_dHeight2, s1,
           current.c_str());
    if (row == 1 || row == 3) SetParamString(LinkIndex(1), current);
    if (row == 2 || row == 3) SetParamString(LinkIndex(2), current);
    if (row != 0) return 1;
    // Handles changed (copied between drawings): links that name the source's old handle.
    const std::wstring master = source->GetParamString(kHeightOwnHandleIndex);
    for (int r = 1; r <= 2; ++r) {
        const std::wstring link = GetAutoLink(r);
        if (!IsAutoValue(r) || link.empty() || link != master) continue;
        LogFmt(L"\n Changed Handle '%s' -> '%s' ", link.c_str(), current.c_str());
        SetParamString(LinkIndex(r), current);
    }
    return 1;
}

void TRdimHeight::modified(const AcDbObject* dbObj) {
    if (!dbObj || isUndoing() || dbObj->isUndoing()) return;
    try {
        CDbLockScope lock(database(), L"modified");
        Adesk::Boolean wasWritable = false;
        if (upgradeFromNotify(wasWritable) != Acad::eOk) return;
        if (dbObj->isErased() && !dbObj->isNotifying())
            const_cast<AcDbObject*>(dbObj)->removePersistentReactor(objectId());
        if (!CommandSkipsFollowers()) {
            if (const TRdimHeight* source = TRdimHeight::cast(dbObj)) {
                VerifyAutoValue(source);
                RefreshAutoValue(false);
                recordGraphicsModified();
            }
        }
        downgradeToNotify(wasWritable);
    } catch (...) {
        LogMsg(L"\n ERROR on modified...");
    }
}

void TRdimHeight::erased(const AcDbObject* dbObj, Adesk::Boolean bErasing) {
    // Block commands take sources into a block, and a conversion takes sources and
    // followers apart one by one: the follower is left as it is.
    if (!dbObj || !bErasing || isUndoing() || dbObj->isUndoing() || CommandSkipsFollowers() ||
        AreReactorsSuspended() == kReactorsConversion)
        return;
    try {
        Adesk::Boolean wasWritable = false;
        if (upgradeFromNotify(wasWritable) != Acad::eOk) return;
        // The source is gone: the rows that followed it carry the broken-link mark.
        const std::wstring handle = GetHandleString(dbObj);
        for (int row = 1; row <= 2; ++row)
            if (IsAutoValue(row) && GetAutoLink(row) == handle) UpdateAutoValue(nullptr, row);
        downgradeToNotify(wasWritable);
    } catch (...) {
        LogMsg(L"\n ERROR on erased...");
    }
}
