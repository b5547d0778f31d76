// The chain's data: construction, copying, parameters, points, text entries, appended
// texts, extension flags and the listing.
#include "module/chain/TRdim.h"

#include "host/db/entities/AcDbAnnotationScale.h"
#include "host/db/database/AcDbDatabase.h"
#include "host/db/database/AcDbHostApplicationServices.h"
#include "host/db/tables/AcDbTextStyleTable.h"
#include "host/ed/acutPrintf.h"
#include "host/ge/AcGeTol.h"
#include "module/base/LintaroLog.h"
#include "module/chain/ChainScale.h"
#include "module/chain/KeptLayouts.h"
#include "module/services/PalettePort.h"
#include "module/chain/RecordFiling.h"
#include "module/chain/TRdimTextEntry.h"
#include "module/options/CGlobDimOptions.h"
#include "module/options/OptionIndices.h"
#include "module/resources/resource.h"

#include <cmath>
#include <memory>

namespace {

// Title, description, company and web address, as the host shows them for a proxy.
constexpr const wchar_t* kTRdimAppName = L"tessaron - lintaro|Product Desc: tessaron - lintaro|"
                                         L"Company: tessaron|WEB Address: www.tessaron.example";

const std::wstring kNoText;

AcDbDatabase* WorkingDatabase() {
    AcDbHostApplicationServices* services = acdbHostApplicationServices();
    return services ? services->workingDatabase() : nullptr;
}

} // namespace

ACRX_DXF_DEFINE_MEMBERS(TRdim, AcDbEntity, 31, 8, 0xBFF, XOTA_LINTARO, kTRdimAppName);

TRdim::TRdim() = default;

TRdim::~TRdim() {
    KeptLayouts::Forget(this);
}

TRdim::TRdim(const AcGePoint3d& first, const AcGePoint3d& second, int dimType, const AcGePoint3d& dimPoint,
             const AcGeMatrix3d& ucsToWorld) {
    Build(first, second, dimType, dimPoint, ucsToWorld);
}

TRdim::TRdim(const AcGePoint3d& first, const AcGePoint3d& second, AcDbObjectId curveId, int subent,
             const AcGePoint3d& dimPoint, const AcGeMatrix3d& ucsToWorld)
{
    m_rec.arcObjectId = curveId;
    m_rec.arcSubent = subent < 0 ? 0 : subent;
    Build(first, second, kDimArc, dimPoint, ucsToWorld);
}

void TRdim::Build(const AcGePoint3d& first, const AcGePoint3d& second, int dimType,
                  const AcGePoint3d& dimPoint, const AcGeMatrix3d& ucsToWorld) {
    if (dimType < kDimHorizontal || dimType > kDimArc) {
        acutPrintf(LoadStr(IDS_UNKNOWN_CHAIN_TYPE), dimType);
        LogFmt(L"\n*** TRdim: refused chain type %d ", dimType);
        return;
    }
    SetCoordSystem(ucsToWorld);
    m_rec.geo.dimType = dimType;
    Initialize(false);
    if (WorkingDatabase()) setDatabaseDefaults();

    const AcGeVector3d normal = GetUcsNormal();
    AcGeVector3d dir = dimType == kDimVertical ? m_rec.geo.axis[1] : m_rec.geo.axis[0];
    if (dimType == kDimAligned) {
        dir = second - first;
        dir -= normal * dir.dotProduct(normal);
        if (dir.isZeroLength(AcGeTol())) dir = m_rec.geo.axis[0];
    }
    m_rec.geo.vectorDim = dir.normal();
    m_rec.geo.rotation = std::atan2(m_rec.geo.vectorDim.dotProduct(m_rec.geo.axis[1]),
                                    m_rec.geo.vectorDim.dotProduct(m_rec.geo.axis[0]));
    if (m_rec.geo.rotation < 0) m_rec.geo.rotation += lintaro::tol::kArcTwoPi;

    for (int c = 0; c < 4; ++c)
        m_rec.geo.points.append(first);
    m_rec.texts.assign(1, std::wstring());
    m_rec.geo.extFlags.assign(1, 0);
    AddPointInput(second, true);
    if (dimType == kDimArc) BuildArc(first, second);
    ChangePointMainDim(dimPoint, false);
    UpdateDimText(1);
    CenterText(1);
}

TRdim::TRdim(const AcGePoint3d& first, const AcGePoint3d& second, int dimType, const AcGePoint3d& dimPoint)
    : TRdim(first, second, dimType, dimPoint, [] {
          AcGeMatrix3d ucs;
          if (AcDbDatabase* db = WorkingDatabase())
              ucs.setCoordSystem(db->ucsorg(), db->ucsxdir(), db->ucsydir(),
                                 db->ucsxdir().crossProduct(db->ucsydir()));
          return ucs;
      }()) {}

// ---------------------------------------------------------------- construction and copying

void TRdim::SetCoordSystem(const AcGeMatrix3d& ucsToWorld) {
    m_rec.geo.SetCoordSystem(ucsToWorld);
}

void TRdim::Initialize(bool bNoDefaults) {
    m_rec.geo.zAxis.set(0, 0, 1);
    if (bNoDefaults) return;
    if (!pGlobDimOptions) {
        LogMsg(L"\nInitialize: !pGlobDimOptions");
        return;
    }
    // The chain takes its settings through the palette, in the chain mode whatever mode
    // the palette is in.
    PalettePort& palette = Palette();
    if (!palette.Exists()) palette.Start();
    if (palette.Exists()) {
        palette.InitParameters(OPT_MODE_CHAIN, this, false);
    } else {
        LogMsg(L"Initialize: !dlgMyApp");
        SetParams(ParamsFromOptions(OPT_MODE_CHAIN));
    }
    ResolveTextStyle();
}

int TRdim::CopyFrom(const TRdim* source) {
    if (!source || source == this) return 0;
    assertWriteEnabled();
    Initialize(false);
    m_rec.geo.dimType = source->m_rec.geo.dimType;
    m_rec.geo.origin = source->m_rec.geo.origin;
    for (int a = 0; a < 3; ++a)
        m_rec.geo.axis[a] = source->m_rec.geo.axis[a];
    m_rec.geo.rotation = source->m_rec.geo.rotation;
    m_rec.geo.vectorDim = source->m_rec.geo.vectorDim;
    m_rec.textStyleId = source->m_rec.textStyleId;
    m_rec.geo.zAxis = source->m_rec.geo.zAxis;
    m_rec.geo.points = source->m_rec.geo.points;
    m_rec.texts = source->m_rec.texts;
    m_rec.appTexts = source->m_rec.appTexts;
    // Flags and arc data are the user's too: a copy that lost them would show other
    // ticks, hidden lines or another arc.
    m_rec.geo.extFlags = source->m_rec.geo.extFlags;
    m_rec.arcObjectId = source->m_rec.arcObjectId;
    m_rec.arcSubent = source->m_rec.arcSubent;
    m_rec.geo.arcPoints = source->m_rec.geo.arcPoints;
    m_rec.geo.arcParams = source->m_rec.geo.arcParams;
    CopyParams(source);
    return 1;
}

void TRdim::CopyParams(const TRdim* source) {
    if (!source) return;
    assertWriteEnabled();
    if (source != this) {
        TRdimParams mine = GetParams();
        ::CopyParams(mine, source->GetParams());
        SetParams(std::move(mine));
    }
    m_rec.geo.zAxis.set(0, 0, 1);
    ResolveTextStyle();
    if (source != this) setPropertiesFrom(source);
}

void TRdim::SetParams(TRdimParams params) {
    assertWriteEnabled();
    m_rec.params.arrayDouble = std::move(params.arrayDouble);
    m_rec.params.arrayString = std::move(params.arrayString);
    m_rec.params.arrayInt = std::move(params.arrayInt);
}

void TRdim::ResolveTextStyle() {
    const std::wstring name = GetParamString(IND_S_TextStyle);
    AcDbDatabase* db = database() ? database() : WorkingDatabase();
    if (name.empty() || !db) return;
    AcDbTextStyleTable* table = nullptr;
    if (db->getTextStyleTable(table, AcDb::kForRead) != Acad::eOk || !table) return;
    AcDbObjectId id;
    if (table->getAt(name.c_str(), id) != Acad::eOk) id = AcDbObjectId::kNull;
    table->close();
    m_rec.textStyleId = id;
}

Acad::ErrorStatus TRdim::subGetTransformedCopy(const AcGeMatrix3d& xform, AcDbEntity*& pEnt) const {
    auto copy = std::make_unique<TRdim>();
    copy->CopyFrom(this);
    const Acad::ErrorStatus es = copy->transformBy(xform);
    if (es != Acad::eOk) {
        pEnt = nullptr;
        return es;
    }
    pEnt = copy.release();
    return Acad::eOk;
}

// ---------------------------------------------------------------- the chain's UCS

AcGeMatrix3d TRdim::GetUcsMatrix() const {
    return m_rec.geo.UcsMatrix();
}

AcGeVector3d TRdim::GetUcsNormal() const {
    return m_rec.geo.UcsNormal();
}

bool TRdim::IsUcsMirrored() const {
    return m_rec.geo.IsUcsMirrored();
}

void TRdim::SetTextStyleId(AcDbObjectId id) {
    assertWriteEnabled();
    m_rec.textStyleId = id;
}

// ---------------------------------------------------------------- parameters

std::uint32_t TRdim::GetParamInt(int index) const {
    return Params().Int(index);
}
double TRdim::GetParamDouble(int index) const {
    return Params().Double(index);
}
std::wstring TRdim::GetParamString(int index) const {
    return Params().String(index);
}

void TRdim::SetParamInt(int index, std::uint32_t value) {
    if (index < 0) return;
    assertWriteEnabled();
    if (m_rec.params.arrayInt.size() <= static_cast<size_t>(index))
        m_rec.params.arrayInt.resize(static_cast<size_t>(index) + 1);
    m_rec.params.arrayInt[static_cast<size_t>(index)] = value;
}

void TRdim::SetParamDouble(int index, double value) {
    if (index < 0) return;
    assertWriteEnabled();
    if (m_rec.params.arrayDouble.size() <= static_cast<size_t>(index))
        m_rec.params.arrayDouble.resize(static_cast<size_t>(index) + 1);
    m_rec.params.arrayDouble[static_cast<size_t>(index)] = value;
}

void TRdim::SetParamString(int index, const std::wstring& value) {
    if (index < 0) return;
    assertWriteEnabled();
    if (m_rec.params.arrayString.size() <= static_cast<size_t>(index))
        m_rec.params.arrayString.resize(static_cast<size_t>(index) + 1);
    m_rec.params.arrayString[static_cast<size_t>(index)] = value;
}

bool TRdim::IsSumShown() const {
    return IsStatusOn(GetParamInt(IND_I_SumStatus), pGlobDimOptions != nullptr,
                      pGlobDimOptions && pGlobDimOptions->GetOptFlag(IND_OPT_B_ShowSumOfDim));
}

bool TRdim::IsWipeOutOn() const {
    return IsStatusOn(GetParamInt(IND_I_WipeOutStatus), pGlobDimOptions != nullptr,
                      pGlobDimOptions && pGlobDimOptions->GetOptFlag(IND_OPT_B_WipeOut));
}

bool TRdim::IsAltUnitsOn() const {
    return IsStatusOn(GetParamInt(IND_I_AltUnitsStatus), pGlobDimOptions != nullptr,
                      pGlobDimOptions && pGlobDimOptions->GetOptFlag(IND_OPT_B_AltUnits));
}

double TRdim::GetScale() {
    if (RepairScale(m_rec.params.arrayDouble)) {
        acutPrintf(L"\n!!! Scale=0 !!!");
        LogMsg(L"\n!!! Scale=0 !!!");
    }
    bool annotative = false;
    double annotationScale = 0.0;
    // Compared in place: every length the chain draws asks for the scale.
    const wchar_t* annoName = LoadStr(IDS_ANNO_SCALE);
    if (*annoName && Params().String(IND_S_Scale) == annoName) {
        AcDbDatabase* db = database() ? database() : WorkingDatabase();
        std::unique_ptr<AcDbAnnotationScale> scale(db ? db->cannoscale() : nullptr);
        annotative = scale && scale->getScale(annotationScale) == Acad::eOk && annotationScale > 0;
    }
    return ChainScale(GetParamDouble(IND_D_ScaleVal), annotative, annotationScale);
}

double TRdim::PaperToModel(double size) {
    return PaperToModelSize(size, GetScale(), GetParamDouble(IND_D_AcadUnits));
}

// ---------------------------------------------------------------- points

int TRdim::Slot(int i, int c) const {
    return m_rec.geo.Slot(i, c);
}

AcGePoint3d TRdim::GetPointInput(int i) const {
    if (i < 0) i = -i;
    const int n = GetExtensions();
    if (n < 2 || i >= n) {
        LogFmt(L"\n******* GetPointInput !!! %d / %d ", i, n);
        return AcGePoint3d::kOrigin;
    }
    return m_rec.geo.points[4 * i];
}

AcGePoint3d TRdim::GetPointExt(int i) const {
    if (i < 0) i = -i;
    const int n = GetExtensions();
    if (n < 2 || i >= n) {
        LogFmt(L"\n******* GetPointExt1 !!! %d / %d ", i, n);
        return AcGePoint3d::kOrigin;
    }
    return m_rec.geo.points[4 * i + 1];
}

AcGePoint3d TRdim::GetPointDim(int i) const {
    if (i == -100)
        i = 1;
    else if (i == -99)
        i = 0;
    else if (i < 0)
        i = -i;
    const int n = GetExtensions();
    if (i == n && n > 0) i = n - 1;
    if (i >= n) {
        LogFmt(L"\n******* GetPointDim !!! %d / %d ", i, n);
        return AcGePoint3d::kOrigin;
    }
    return m_rec.geo.points[4 * i + 2];
}

AcGePoint3d TRdim::GetPointTextPos(int i) const {
    if (i < 0) i = -i;
    const int slot = Slot(i, 3);
    if (slot < 0) {
        LogFmt(L"\n******* GetPointTextPos !!! %d / %d ", i, GetExtensions());
        return AcGePoint3d::kOrigin;
    }
    return m_rec.geo.points[slot];
}

int TRdim::SetPointText(int i, const AcGePoint3d& point, bool bMoveAppText) {
    if (i < 0) i = -i;
    const int slot = Slot(i, 3);
    if (slot < 0) {
        LogFmt(L"\n******* SetPointText !!! %d / %d ", i, GetExtensions());
        return 0;
    }
    assertWriteEnabled();
    m_rec.geo.points[slot] = ProjectToChainPlane(point);
    // Entry 0 has no segment; its slot holds where the dimension line was placed.
    if (i < 1 && !IsDimArc()) return 1;
    AppendingText* record = nullptr;
    if (GetAppendingText(i, &record) >= 0 && record && (bMoveAppText || record->m_iAutoPos != 0))
        SetAppendingTextPos(i, record);
    return 1;
}

int TRdim::SetPointDim(int i, const AcGePoint3d& point, bool bNoAdjust) {
    if (GetExtensions() < 2) {
        LogFmt(L"\n******* SetPointDim !!! %d / %d ", i, GetExtensions());
        return 0;
    }
    ChangePointMainDim(point, bNoAdjust);
    if (!bNoAdjust && !IsDimArc()) AdjustTexts(0);
    return 1;
}

int TRdim::GetInputPointCount(const AcGePoint3d& point) const {
    return m_rec.geo.InputPointCount(point);
}

// ---------------------------------------------------------------- text entries

void TRdim::SyncTexts() {
    const size_t n = static_cast<size_t>(GetExtensions());
    if (m_rec.texts.size() != n) m_rec.texts.resize(n);
}

const std::wstring& TRdim::GetTextEntry(int k) const {
    return (k >= 0 && static_cast<size_t>(k) < m_rec.texts.size()) ? m_rec.texts[static_cast<size_t>(k)]
                                                                   : kNoText;
}

int TRdim::GetDimTextArray(int k, std::vector<std::wstring>& parts) const {
    if (k < 1 || static_cast<size_t>(k) >= m_rec.texts.size()) return 0;
    TRdimTextEntry entry(m_rec.texts[static_cast<size_t>(k)]);
    parts = entry.Parts();
    return entry.PartCount();
}

std::wstring TRdim::GetDimTextUser(int k) const {
    return TRdimTextEntry(GetTextEntry(k)).GetUserText();
}
std::wstring TRdim::GetDimTextPrefix(int k) const {
    return TRdimTextEntry(GetTextEntry(k)).GetPrefix();
}
std::wstring TRdim::GetDimTextSuffix(int k) const {
    return TRdimTextEntry(GetTextEntry(k)).GetSuffix();
}

int TRdim::SetDimTextDim(int k, const wchar_t* value) {
    if (!value) {
        LogFmt(L"\n!!!!! SetDimTextDim(%d,NULL)", k);
        return 0;
    }
    if (k < 0) return 0;
    std::wstring text = value;
    if (text.empty()) {
        LogFmt(L"\n!!!!! SetDimTextDim(%d,)", k);
        text = L"0";
    }
    if (!TRdimTextEntry::IsStorable(text, TRdimTextEntry::kValue)) {
        LogFmt(L"\n!!!!! SetDimTextDim(%d,%s)", k, text.c_str());
        return 0;
    }
    assertWriteEnabled();
    if (m_rec.texts.size() <= static_cast<size_t>(k)) m_rec.texts.resize(static_cast<size_t>(k) + 1);
    TRdimTextEntry entry(m_rec.texts[static_cast<size_t>(k)]);
    entry.SetValueText(text);
    m_rec.texts[static_cast<size_t>(k)] = entry.ToString();
    return 1;
}

namespace {

int SetEntryPart(std::vector<std::wstring>& texts, int k, TRdimTextEntry::Part part, const wchar_t* text) {
    if (k < 1 || static_cast<size_t>(k) >= texts.size()) return 0;
    const std::wstring value = text ? text : L"";
    if (!TRdimTextEntry::IsStorable(value, part)) {
        // "@" separates the parts of an entry; such a text would split it.
        acutPrintf(LoadStr(IDS_TEXT_WITH_AT_REFUSED), value.c_str());
        return 0;
    }
    TRdimTextEntry entry(texts[static_cast<size_t>(k)]);
    if (!entry.SetPart(part, value)) return 0;
    texts[static_cast<size_t>(k)] = entry.ToString();
    return 1;
}

} // namespace

int TRdim::SetDimTextUser(int k, const wchar_t* text) {
    assertWriteEnabled();
    return SetEntryPart(m_rec.texts, k, TRdimTextEntry::kUserText, text);
}

int TRdim::SetDimTextPrefix(int k, const wchar_t* text) {
    assertWriteEnabled();
    return SetEntryPart(m_rec.texts, k, TRdimTextEntry::kPrefix, text);
}

int TRdim::SetDimTextSuffix(int k, const wchar_t* text) {
    assertWriteEnabled();
    return SetEntryPart(m_rec.texts, k, TRdimTextEntry::kSuffix, text);
}

int TRdim::GetDimTextPos(int k, bool bAbs) const {
    if (IsDimArc()) return 0;
    const int n = GetExtensions();
    if (k == n && n > 0)
        return SumPositionCode(GetParamString(IND_S_DimDescription), GetDimTextPos(n - 1, false));
    if (k < 1 || static_cast<size_t>(k) >= m_rec.texts.size()) return 0;
    return TRdimTextEntry(m_rec.texts[static_cast<size_t>(k)]).GetPositionCode(bAbs);
}

int TRdim::SetDimTextPos(int k, int code) {
    if (k < 1 || static_cast<size_t>(k) >= m_rec.texts.size()) return 0;
    assertWriteEnabled();
    TRdimTextEntry entry(m_rec.texts[static_cast<size_t>(k)]);
    entry.SetPositionCode(StoredPositionCode(code, IsDimArc()));
    m_rec.texts[static_cast<size_t>(k)] = entry.ToString();
    return 1;
}

// ---------------------------------------------------------------- appended texts

int TRdim::GetAppendingText(int k, AppendingText** record) {
    const int at = FindAppendingText(m_rec.appTexts, k, &LogMsg);
    if (record) *record = at >= 0 ? &m_rec.appTexts[static_cast<size_t>(at)] : nullptr;
    return at;
}

int TRdim::SetAppendingText(int k, const AppendingText* record) {
    assertWriteEnabled();
    const int at = StoreAppendingText(m_rec.appTexts, k, record, &LogMsg);
    if (record && at >= 0) SetAppendingTextPos(k, &m_rec.appTexts[static_cast<size_t>(at)]);
    return at;
}

// ---------------------------------------------------------------- extension flags

bool TRdim::IsExtVisible(int i) const {
    return ::IsExtVisible(m_rec.geo.extFlags, i);
}

int TRdim::SetExtHidden(int i, bool bHide) {
    assertWriteEnabled();
    return SetExtFlagBit(m_rec.geo.extFlags, i, kExtFlagHidden, bHide);
}

int TRdim::SetExtLeader(int i, bool bOn) {
    assertWriteEnabled();
    return SetExtFlagBit(m_rec.geo.extFlags, i, kExtFlagLeader, bOn);
}

bool TRdim::IsExtLeader(int i) const {
    return i >= 0 && static_cast<size_t>(i) < m_rec.geo.extFlags.size() &&
           (m_rec.geo.extFlags[static_cast<size_t>(i)] & kExtFlagLeader);
}

int TRdim::SetTickSymbol(int i, int code) {
    assertWriteEnabled();
    if (i < 0) {
        SetParamInt(IND_I_LastType, static_cast<std::uint32_t>(code));
        for (std::uint32_t& word : m_rec.geo.extFlags)
            word &= ~static_cast<std::uint32_t>(kExtTickMask);
    } else if (static_cast<size_t>(i) < m_rec.geo.extFlags.size()) {
        std::uint32_t& word = m_rec.geo.extFlags[static_cast<size_t>(i)];
        word = WithTickSymbol(word, code, static_cast<int>(GetParamInt(IND_I_LastType)));
    }
    return static_cast<int>(GetParamInt(IND_I_LastType));
}

int TRdim::GetTickSymbol(int i) const {
    const int chainCode = static_cast<int>(GetParamInt(IND_I_LastType));
    if (i < 0) return CommonTickSymbol(m_rec.geo.extFlags, chainCode);
    const std::uint32_t word =
        static_cast<size_t>(i) < m_rec.geo.extFlags.size() ? m_rec.geo.extFlags[static_cast<size_t>(i)] : 0;
    return ExtTickSymbol(word, chainCode);
}

void TRdim::SyncExtFlags(int i, bool bInsert) {
    ::SyncExtFlags(m_rec.geo.extFlags, i, bInsert, GetExtensions());
}
