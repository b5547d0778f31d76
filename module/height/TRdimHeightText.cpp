// Sizes, sides and texts of a height mark: the scaled sizes (zero scale and units repaired
// and stored), the symbol size, the side the texts take, the composed row texts and the
// places of the two text points.
#include "module/height/TRdimHeight.h"

#include "host/db/entities/AcDbAnnotationScale.h"
#include "host/db/database/AcDbDatabase.h"
#include "host/db/database/AcDbHostApplicationServices.h"
#include "host/ed/acutPrintf.h"
#include "module/base/LintaroLog.h"
#include "module/chain/ChainFormatEnv.h"
#include "module/chain/ChainScale.h"
#include "module/chain/ChainTextStyle.h"
#include "module/height/HeightText.h"
#include "module/options/CGlobDimOptions.h"
#include "module/options/OptionIndices.h"
#include "module/resources/resource.h"

#include <cmath>
#include <memory>

namespace {

constexpr double kDefaultTextHeight = 50.0;    // tenths of a millimetre
constexpr double kDefaultReducedSize = 60.0;   // per cent
constexpr double kTinySymbol = 1e-8;
constexpr double kTextSymbolFactor = 1.25;     // symbol size from the text height
constexpr double kBackBeforeText = 1.1;        // codes 1 to 3 move back by 1.1 symbol sizes
constexpr double kHalfPi = 1.57079632675;
constexpr double kSqrt3 = 1.7320508;

// A size of the global height-mark set, or the mark's own without global options.
double GlobalHeightDouble(const TRdimHeight& mark, int index) {
    if (!pGlobDimOptions) return mark.GetParamDouble(index);
    const std::vector<double>& d = pGlobDimOptions->GetOptionSet(OPT_MODE_HEIGHT).arrayOptDouble;
    return index >= 0 && index < static_cast<int>(d.size()) ? d[static_cast<size_t>(index)] : 0.0;
}

// The options switched to another mode for as long as this lives.
class ModeOverride {
public:
    explicit ModeOverride(int mode) {
        if (!pGlobDimOptions) return;
        m_old = pGlobDimOptions->m_iMode;
        pGlobDimOptions->m_iMode = mode;
    }
    ~ModeOverride() {
        if (pGlobDimOptions && m_old) pGlobDimOptions->m_iMode = m_old;
    }
    ModeOverride(const ModeOverride&) = delete;
    ModeOverride& operator=(const ModeOverride&) = delete;

private:
    int m_old = 0;
};

} // namespace

double TRdimHeight::GetScale() {
    if (RepairScale(arrayDouble)) {
        acutPrintf(L"\n!!! Scale=0 !!!");
        LogMsg(L"\n!!! Scale=0 !!!");
    }
    bool annotative = false;
    double annotationScale = 0.0;
    const std::wstring annoName = LoadStr(IDS_ANNO_SCALE);
    if (!annoName.empty() && GetParamString(IND_S_Scale) == annoName) {
        AcDbDatabase* db = database();
        if (!db && acdbHostApplicationServices()) db = acdbHostApplicationServices()->workingDatabase();
        std::unique_ptr<AcDbAnnotationScale> scale(db ? db->cannoscale() : nullptr);
        annotative = scale && scale->getScale(annotationScale) == Acad::eOk && annotationScale > 0;
    }
    return ChainScale(GetParamDouble(IND_D_ScaleVal), annotative, annotationScale);
}

double TRdimHeight::PaperToModel(double size) {
    RepairAcadUnits(arrayDouble);
    return PaperToModelSize(size, GetScale(), GetParamDouble(IND_D_AcadUnits));
}

double TRdimHeight::GetTextHeight() {
    if (GetParamDouble(IND_D_TextHeight) == 0.0) SetParamDouble(IND_D_TextHeight, kDefaultTextHeight);
    return PaperToModel(GetParamDouble(IND_D_TextHeight) / 10.0);
}

double TRdimHeight::ComputeSymbolSize() {
    const int type = GetType();
    double size = IsPlan() && (type == 1 || type == 2) ? PaperToModel(GlobalHeightDouble(*this, IND_D_HDimDiameter)) / 2.0
                                                       : PaperToModel(GlobalHeightDouble(*this, IND_D_HDimSize));
    if (size < kTinySymbol) size = kTextSymbolFactor * GetTextHeight();
    if (GetParamInt(IND_I_HIsReducedSize) != 0) {
        if (GetParamDouble(IND_D_HDimReducedSize) == 0.0) SetParamDouble(IND_D_HDimReducedSize, kDefaultReducedSize);
        size *= GetParamDouble(IND_D_HDimReducedSize) / 100.0;
    }
    m_dSymbolSize = size;
    return size;
}

int TRdimHeight::GetRowState(int row) const {
    return HeightRowState(GetParamInt(IND_I_Format), row);
}

void TRdimHeight::SetRowState(int row, int state) {
    SetParamInt(IND_I_Format, SetHeightRowState(GetParamInt(IND_I_Format), row, state));
}

void TRdimHeight::ComposeRow(int row, std::wstring& main, std::wstring& exponent) const {
    HeightRowInput in;
    const bool second = row == 2;
    in.plan = IsPlan();
    in.value = second ? m_dHeight2 : m_dHeight1;
    in.prefix = GetText(second ? 2 : 0);
    in.suffix = GetText(second ? 3 : 1);
    in.userText = GetText(second ? 5 : 4);
    in.rowState = GetRowState(row);
    in.plusMinusHide = GetParamInt(IND_I_HPlusMinusHide) != 0;
    in.userTextOn = GetParamInt(IND_I_HUserText) != 0;
    in.decimals = static_cast<int>(GetParamInt(IND_I_Decimals));
    in.trimZero = GetParamInt(IND_I_TrimZero) != 0;
    in.delimiter = GetParamString(IND_S_Delimiter);
    in.params = Params();
    in.env = MakeValueFormatEnv(GetParamString(IND_S_IniFile));
    in.env.log = &LogMsg;
    const HeightRowText text = ComposeHeightRow(in);
    main = text.main;
    exponent = text.exponent;
}

int TRdimHeight::SideFlag() const {
    const AcGeVector3d along = WorldToMarkVector(AcGeVector3d(AcGeVector3d::kXAxis).rotateBy(m_dRotation, AcGeVector3d::kZAxis));
    double theta = std::atan2(along.y, along.x);
    if (theta < 0) theta += 2.0 * M_PI;
    const double deg = theta * 180.0 / M_PI;
    return (deg > 90.0 && deg < 180.0) || (deg > 270.0 && deg < 360.0) ? -1 : 1;
}

bool TRdimHeight::TextsOnLeft() const {
    if (!IsPlan()) return IsLeftAlignCode(static_cast<int>(GetParamInt(IND_I_TextAlign)));
    return WorldToMark(GetPoint(kHPointInput)).x > WorldToMark(GetPoint(kHPointText1)).x;
}

int TRdimHeight::GetTextColor() const {
    ModeOverride mode(OPT_MODE_HEIGHT);
    return ColorForTextHeight(m_idTextStyle.isNull() ? GetParamDouble(IND_D_TextHeight) : 0.0);
}

namespace {

// The exchanges that make "bei der Spitze" the side of the tip of a mark pointing down.
int TipSideCode(int code, bool tipDown) {
    if (!tipDown) return code;
    switch (code) {
    case 4: return 10;
    case 10: return 4;
    case 5: return 11;
    case 11: return 5;
    case 6: return 12;
    case 12: return 6;
    default: return code;
    }
}

} // namespace

void TRdimHeight::InitPointText() {
    assertWriteEnabled();
    int code = static_cast<int>(GetParamInt(IND_I_TextAlign));
    if (IsPlan()) {
        if (code != 9) code = 7;
    } else {
        code = TipSideCode(code, !IsTipUp());
    }
    m_iTextPosition = code;
    const double h = GetTextHeight();
    const double g = h * GetParamDouble(IND_D_TextOffset) / 100.0;
    const double pitch = g + h;
    const double symbol = ComputeSymbolSize();
    const double s = IsPlan() && code == 9 ? symbol + g : symbol;
    const AcGeVector3d along = m_vectorDim.isZeroLength() ? AcGeVector3d::kXAxis : m_vectorDim.normal();
    const AcGeVector3d normal = GetNormal().isZeroLength() ? AcGeVector3d::kZAxis : GetNormal().normal();
    const AcGeVector3d across = AcGeVector3d(along).rotateBy(kHalfPi * SideFlag(), normal);
    const bool tipUp = IsTipUp();
    AcGePoint3d p = GetPoint(kHPointDim);
    if (code >= 1 && code <= 3) {
        p -= along * (kBackBeforeText * s);
    } else if (code >= 4 && code <= 6) {
        p += across * (IsPlan() || tipUp ? g : g + s);
        if (IsPlan() && code == 4) p -= along * s;
        if (IsPlan() && code == 6) p += along * s;
    } else if (code == 7 || code == 9) {
        p += along * (code == 7 ? -s : s);
        if (IsPlan()) p += across * g;
    } else if (code >= 10 && code <= 12) {
        p -= across * (pitch + (tipUp ? s : 0.0));
    }
    // Texts that stand left of their point start one text width before it.
    std::wstring main, exponent;
    ComposeRow(1, main, exponent);
    ChainTextStyleScope styles;
    const double width = ChainTextStyleScope::Acquire(m_idTextStyle)->Width(main, h);
    const bool left = IsPlan() ? code == 7 : IsLeftAlignCode(code);
    const bool centred = !IsPlan() && (code == 2 || code == 5 || code == 8 || code == 11);
    // A section mark's texts keep clear of the triangle: half its side at the top.
    const double clear = IsPlan() || centred ? 0.0 : symbol / kSqrt3;
    if (left) p -= along * (width + clear);
    else if (centred) p -= along * (width / 2.0);
    else p += along * clear;
    m_points[kHPointText1] = p;
    // The second row stands one row pitch below the first, for plan marks too, so that
    // two rows never print over each other.
    m_points[kHPointText2] = p - across * pitch;
}
