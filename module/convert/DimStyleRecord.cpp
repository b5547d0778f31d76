#include "module/convert/DimStyleRecord.h"

#include "host/db/database/AcDbDatabase.h"
#include "host/db/tables/AcDbDimStyleTable.h"
#include "host/db/dimensions/AcDbDimension.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/db/tables/AcDbTextStyleTable.h"
#include "module/base/LintaroLog.h"
#include "module/chain/ChainScale.h"
#include "module/options/OptionIndices.h"
#include "module/options/ScaleMaps.h"
#include "module/resources/resource.h"

#include <memory>

namespace {

constexpr const wchar_t* kStandardStyle = L"Standard";
constexpr const wchar_t* kStyleArrow = L"_ClosedBlank";
// Trailing zeros of decimals suppressed.
constexpr int kSuppressTrailingZeros = 8;

double Scaled(ParamArraysView params, int index) {
    return PaperToModelSize(params.Double(index), params.Double(IND_D_ScaleVal),
                            params.Double(IND_D_AcadUnits));
}

double ScaledTextHeight(ParamArraysView params) {
    return PaperToModelSize(params.Double(IND_D_TextHeight) / 10.0, params.Double(IND_D_ScaleVal),
                            params.Double(IND_D_AcadUnits));
}

// A copy of the style the new or reused record starts from, in no database, already
// carrying the record's name; an empty record when there is no style to copy.
std::unique_ptr<AcDbDimStyleTableRecord> StartingRecord(AcDbObjectId currentId, const std::wstring& name) {
    std::unique_ptr<AcDbDimStyleTableRecord> copy;
    AcDbDimStyleTableRecord* current = nullptr;
    if (!currentId.isNull() && acdbOpenObject(current, currentId, AcDb::kForRead) == Acad::eOk) {
        copy.reset(AcDbDimStyleTableRecord::cast(current->clone()));
        current->close();
    }
    if (!copy) {
        LogMsg(L" create EMPTY ");
        copy = std::make_unique<AcDbDimStyleTableRecord>();
    }
    copy->setName(name.c_str());
    return copy;
}

// The record of that name open for write, added from `start` when the table lacks it,
// otherwise given the settings of `start`.
AcDbDimStyleTableRecord* RecordNamed(AcDbDimStyleTable* table, const std::wstring& name,
                                     std::unique_ptr<AcDbDimStyleTableRecord> start) {
    AcDbObjectId id;
    if (table->getAt(name.c_str(), id) != Acad::eOk) {
        LogMsg(L" add ");
        Acad::ErrorStatus es = table->upgradeOpen();
        if (es != Acad::eOk) {
            LogFmt(L" <%s> es1=%d ", name.c_str(), static_cast<int>(es));
            return nullptr;
        }
        es = table->add(id, start.get());
        if (es != Acad::eOk) {
            LogFmt(L" es2=%d ", static_cast<int>(es));
            return nullptr;
        }
        return start.release();
    }
    LogMsg(L" has ");
    AcDbDimStyleTableRecord* record = nullptr;
    const Acad::ErrorStatus es = acdbOpenObject(record, id, AcDb::kForWrite);
    if (es != Acad::eOk) {
        LogFmt(L"\nGet DimStyleDD open es=%d ", static_cast<int>(es));
        return nullptr;
    }
    record->copyFrom(start.get());
    return record;
}

AcCmColor ColourIndex(int index) {
    AcCmColor colour;
    colour.setColorIndex(static_cast<int16_t>(index));
    return colour;
}

// The colour index the text-height map gives the set's text height; 0 when none.
int TextColour(ParamArraysView params) {
    return GetColorForTextHeight(params.Double(IND_D_TextHeight));
}

void ApplyParameters(AcDbDatabase* db, AcDbDimStyleTableRecord* record, ParamArraysView params, int colour) {
    record->setDimblk(kStyleArrow);
    record->setDimblk1(kStyleArrow);
    record->setDimblk2(kStyleArrow);
    record->setDimdli(Scaled(params, IND_D_DimLinesDistance));
    record->setDimasz(Scaled(params, IND_D_TickSize));
    record->setDimexe(Scaled(params, IND_D_ExtendBeyondDimLine));
    record->setDimdle(Scaled(params, IND_D_ExtendBeyondTick));
    record->setDimexo(Scaled(params, IND_D_OffsetFromOrigin));
    record->setDimtxt(ScaledTextHeight(params));
    record->setDimtxsty(TextStyleIdFor(db, params.String(IND_S_TextStyle)));
    if (colour > 0) record->setDimclrt(ColourIndex(colour));
    const int decimals = static_cast<int>(params.Int(IND_I_Decimals));
    record->setDimdec(decimals);
    record->setDimaltd(decimals + 2);
    record->setDimdsep(L'.');
    record->setDimzin(params.Int(IND_I_TrimZero) ? kSuppressTrailingZeros : 0);
    record->setDimlfac(LinearFactor(params.String(IND_S_Measure), params.Double(IND_D_AcadUnits)));
}

} // namespace

std::wstring DimStyleName(const std::wstring& scale) {
    if (scale.empty()) return L"lintaro";
    std::wstring name = L"lintaro " + scale;
    for (wchar_t& c : name)
        if (c == L':') c = L'-';
    return name;
}

AcDbObjectId TextStyleIdFor(AcDbDatabase* db, const std::wstring& name) {
    if (!db) return AcDbObjectId();
    AcDbObjectId id;
    AcDbTextStyleTable* table = nullptr;
    if (!name.empty() && db->getTextStyleTable(table, AcDb::kForRead) == Acad::eOk) {
        table->getAt(name.c_str(), id);
        table->close();
    }
    return id.isNull() ? db->textstyle() : id;
}

double LinearFactor(const std::wstring& measure, double acadUnits) {
    if (acadUnits == 0) return 1.0;
    if (measure == L"mm") return 1.0 / acadUnits;
    if (measure == L"cm") return 0.1 / acadUnits;
    if (measure.find(LoadStr(IDS_UNIT_FEET_AND_INCHES_MARK)) != std::wstring::npos)
        return 1.0 / (acadUnits * 25.4);
    if (measure == LoadStr(IDS_UNIT_FEET)) return 1.0 / (acadUnits * 304.8);
    return 0.001 / acadUnits;
}

AcDbDimStyleTableRecord* GetDimStyleDD(AcDbDatabase* db, ParamArraysView params, AcDbDimension* dimension) {
    if (!db) return nullptr;
    const std::wstring name = DimStyleName(params.String(IND_S_Scale));
    LogFmt(L"\nGet DimStyleDD style=%s ", name.c_str());
    AcDbDimStyleTable* table = nullptr;
    Acad::ErrorStatus es = db->getDimStyleTable(table, AcDb::kForRead);
    if (es != Acad::eOk) {
        LogFmt(L"\n  !!!! getDimStyleTable es = %d ", static_cast<int>(es));
        return nullptr;
    }
    AcDbObjectId standardId;
    if (table->getAt(kStandardStyle, standardId) == Acad::eOk) {
        LogMsg(L" from Standard ");
        db->setDimstyle(standardId);
    }
    AcDbDimStyleTableRecord* record = RecordNamed(table, name, StartingRecord(db->dimstyle(), name));
    table->close();
    if (!record) return nullptr;
    const int colour = TextColour(params);
    ApplyParameters(db, record, params, colour);
    if (dimension && colour > 0) dimension->setDimclrt(ColourIndex(colour));
    return record;
}

bool SetDimStyleDD(AcDbDatabase* db, AcDbDimension* dimension, ParamArraysView params) {
    if (!dimension) return false;
    LogMsg(L" SetDimStyleDD ");
    AcDbDimStyleTableRecord* record = GetDimStyleDD(db, params, dimension);
    if (!record) return false;
    // The value sits above the dimension line, as on the module's own chains.
    record->setDimtad(1);
    record->setDimgap(Scaled(params, IND_D_TextOffset));
    const AcDbObjectId recordId = record->objectId();
    Acad::ErrorStatus es = record->close();
    if (es != Acad::eOk) LogFmt(L"\n ***pDimStyle->close es=%d ", static_cast<int>(es));
    es = dimension->setDimensionStyle(recordId);
    if (es != Acad::eOk) {
        LogFmt(L"\n setDD setDimensionStyle es=%d ", static_cast<int>(es));
        return false;
    }
    es = dimension->setDimstyleData(recordId);
    if (es != Acad::eOk) LogFmt(L"\n ***setDimstyleData es=%d ", static_cast<int>(es));
    return true;
}
