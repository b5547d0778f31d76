// The height mark's data: construction, the palette's parameters, the coordinate system,
// copying and the listing.
#include "module/height/TRdimHeight.h"

#include "host/db/database/AcDbDatabase.h"
#include "host/db/database/AcDbHostApplicationServices.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/db/database/acdbUcs.h"
#include "host/ed/acutPrintf.h"
#include "host/ge/AcGeTol.h"
#include "module/base/LintaroLog.h"
#include "module/services/PalettePort.h"
#include "module/chain/RecordFiling.h"
#include "module/options/CGlobDimOptions.h"
#include "module/options/OptionIndices.h"

#include <cmath>
#include <memory>

namespace {

// Title, description, company and web address, as the host shows them for a proxy.
constexpr const wchar_t* kTRdimHeightAppName = L"tessaron - lintaro|Product Desc: tessaron - lintaro "
                                               L"height mark|Company: tessaron|WEB Address: www.tessaron.example";

constexpr double kTwoPi = 6.283185307;
constexpr double kPi = 3.1415926535;

const std::wstring kNoText;

template <class T> T At(const std::vector<T>& v, int index) {
    return index >= 0 && index < static_cast<int>(v.size()) ? v[static_cast<size_t>(index)] : T();
}

template <class T> void Put(std::vector<T>& v, int index, const T& value) {
    if (index < 0) return;
    if (index >= static_cast<int>(v.size())) v.resize(static_cast<size_t>(index) + 1);
    v[static_cast<size_t>(index)] = value;
}

} // namespace

ACRX_DXF_DEFINE_MEMBERS(TRdimHeight, AcDbEntity, 31, 8, 0xBFF, XOTA_DIM_HEIGHT, kTRdimHeightAppName);

TRdimHeight::TRdimHeight() : m_points(), m_texts(kHeightTextCount) {
    m_points.setLogicalLength(kHeightPointCount);
}

TRdimHeight::~TRdimHeight() = default;

int HeightAppVersionNumber(int major, int minor, int build) {
    return (minor + 10 * major) * 100 + build;
}

TRdimHeight* ObjectId2TRdimHeight(AcDbObjectId id) {
    if (!id.isValid()) {
        LogFmt(L"\n**** ObjectId2TRdimHeight(%d) !objId.isValid ", static_cast<int>(id.handle().low()));
        return nullptr;
    }
    AcDbObject* object = nullptr;
    const Acad::ErrorStatus es = acdbOpenObject(object, id, AcDb::kForRead);
    if (es != Acad::eOk || !object) {
        LogFmt(L"\n**** ObjectId2TRdimHeight(%d) es=%d ", static_cast<int>(id.handle().low()),
               static_cast<int>(es));
        return nullptr;
    }
    TRdimHeight* mark = TRdimHeight::cast(object);
    if (!mark) object->close();
    return mark;
}

// ---------------------------------------------------------------- construction

void TRdimHeight::Initialize(bool bKeepParams) {
    m_vNormal.set(0, 0, 1);
    if (!bKeepParams && pGlobDimOptions) {
        // The mark takes the palette's settings in its own height-mark mode.
        PalettePort& palette = Palette();
        if (!palette.Exists()) palette.Start();
        if (palette.Exists()) {
            palette.InitParameters(IsPlan() ? OPT_MODE_HEIGHT_PLAN : OPT_MODE_HEIGHT, this, false);
        } else {
            acutPrintf(L"TRdimHeight::Initialize: !dlgMyApp");
            LogMsg(L"TRdimHeight::Initialize: !dlgMyApp");
            SetParams(ParamsFromOptions(IsPlan() ? OPT_MODE_HEIGHT_PLAN : OPT_MODE_HEIGHT));
        }
    }
    SetCoordSystem(false);
}

void TRdimHeight::CopyFrom(const TRdimHeight* other) {
    if (!other || other == this) return;
    assertWriteEnabled();
    m_bPlan = other->m_bPlan;
    Initialize(false);
    m_ptOrigin = other->m_ptOrigin;
    for (int a = 0; a < 3; ++a)
        m_xyzAxis[a] = other->m_xyzAxis[a];
    m_dRotation = other->m_dRotation;
    m_vectorDim = other->m_vectorDim;
    m_idTextStyle = other->m_idTextStyle;
    m_vNormal = other->m_vNormal;
    m_points = other->m_points;
    m_texts = other->m_texts;
}

void TRdimHeight::SetCoordSystem(bool bForce) {
    AcGeMatrix3d ucs;
    AcDbDatabase* db = database();
    if (!db && acdbHostApplicationServices()) db = acdbHostApplicationServices()->workingDatabase();
    if (!acdbUcsMatrix(ucs, db)) ucs.setToIdentity();
    AcGePoint3d origin;
    AcGeVector3d x, y, z;
    ucs.getCoordSystem(origin, x, y, z);
    if (!bForce && database() && !m_xyzAxis[0].isZeroLength()) {
        const bool same = origin.isEqualTo(m_ptOrigin) && x.isEqualTo(m_xyzAxis[0]) && y.isEqualTo(m_xyzAxis[1]) &&
                          z.isEqualTo(m_xyzAxis[2]);
        if (!same) return;
    }
    SetCoordSystem(origin, x, y, z);
}

void TRdimHeight::SetCoordSystem(const AcGePoint3d& origin, const AcGeVector3d& x, const AcGeVector3d& y,
                                 const AcGeVector3d& z) {
    assertWriteEnabled();
    m_ptOrigin = origin;
    m_xyzAxis[0] = x;
    m_xyzAxis[1] = y;
    m_xyzAxis[2] = z;
    if (x.isCodirectionalTo(AcGeVector3d::kXAxis))
        m_dRotation = 0.0;
    else
        m_dRotation = kTwoPi - x.angleTo(AcGeVector3d::kXAxis, AcGeVector3d::kZAxis);
    m_vectorDim = AcGeVector3d(AcGeVector3d::kXAxis).rotateBy(m_dRotation, AcGeVector3d::kZAxis);
}

void TRdimHeight::SetVectorDim() {
    assertWriteEnabled();
    m_vectorDim = m_xyzAxis[0].isZeroLength() ? AcGeVector3d::kXAxis : m_xyzAxis[0].normal();
    double rotation = kPi - m_vectorDim.angleTo(AcGeVector3d::kXAxis, AcGeVector3d::kZAxis);
    if (rotation < 0) rotation += kTwoPi;
    if (rotation >= kPi) rotation -= kPi;
    m_dRotation = std::fmod(rotation, kTwoPi);
}

// ---------------------------------------------------------------- members

void TRdimHeight::SetPlan(bool plan) {
    assertWriteEnabled();
    m_bPlan = plan ? 1 : 0;
}

void TRdimHeight::SetRole(int role) {
    assertWriteEnabled();
    m_iRole = role;
}

void TRdimHeight::SetType(int type) {
    SetParamInt(IND_I_LastType, static_cast<std::uint32_t>(type));
}

bool TRdimHeight::IsTipUp() const {
    const int type = GetType();
    return !IsPlan() && (type == 4 || type == 5 || type == 6);
}

void TRdimHeight::SetHeight(int row, double value) {
    assertWriteEnabled();
    (row == 2 ? m_dHeight2 : m_dHeight1) = value;
}

void TRdimHeight::SetRotation(double rotation) {
    assertWriteEnabled();
    m_dRotation = rotation;
    m_vectorDim = AcGeVector3d(AcGeVector3d::kXAxis).rotateBy(rotation, AcGeVector3d::kZAxis);
}

void TRdimHeight::SetTextPosition(int code) {
    assertWriteEnabled();
    m_iTextPosition = code;
}

void TRdimHeight::SetBaseId(AcDbObjectId id) {
    assertWriteEnabled();
    m_idBase = id;
}

Acad::ErrorStatus TRdimHeight::SetTextStyle(AcDbObjectId id) {
    assertWriteEnabled();
    m_idTextStyle = id;
    return Acad::eOk;
}

AcGePoint3d TRdimHeight::GetPoint(int index) const {
    return index >= 0 && index < m_points.length() ? m_points[index] : AcGePoint3d::kOrigin;
}

void TRdimHeight::SetPoint(int index, const AcGePoint3d& point) {
    if (index < 0) return;
    assertWriteEnabled();
    if (index >= m_points.length()) m_points.setLogicalLength(index + 1);
    m_points[index] = point;
    // A plan mark stands on its measured point.
    if (IsPlan() && (index == kHPointInput || index == kHPointDim)) {
        m_points[kHPointInput] = point;
        m_points[kHPointDim] = point;
    }
}

std::wstring TRdimHeight::GetText(int index) const {
    return index >= 0 && index < static_cast<int>(m_texts.size()) ? m_texts[static_cast<size_t>(index)] : kNoText;
}

void TRdimHeight::SetText(int index, const std::wstring& text) {
    assertWriteEnabled();
    Put(m_texts, index, text);
}

AcGeMatrix3d TRdimHeight::MarkMatrix() const {
    AcGeMatrix3d m;
    if (m_xyzAxis[0].isZeroLength() || m_xyzAxis[1].isZeroLength() || m_xyzAxis[2].isZeroLength()) return m;
    m.setCoordSystem(m_ptOrigin, m_xyzAxis[0], m_xyzAxis[1], m_xyzAxis[2]);
    return m;
}

AcGePoint3d TRdimHeight::WorldToMark(const AcGePoint3d& point) const {
    AcGePoint3d p = point;
    return p.transformBy(MarkMatrix().inverse());
}

AcGeVector3d TRdimHeight::WorldToMarkVector(const AcGeVector3d& vector) const {
    AcGeVector3d v = vector;
    return v.transformBy(MarkMatrix().inverse());
}

AcGeVector3d TRdimHeight::WorldToMarkNormal(const AcGeVector3d& vector) const {
    AcGeVector3d v = vector;
    return v.transformBy(MarkMatrix().transpose().inverse());
}

// ---------------------------------------------------------------- parameters

void TRdimHeight::SetParams(TRdimParams params) {
    assertWriteEnabled();
    arrayDouble = std::move(params.arrayDouble);
    arrayString = std::move(params.arrayString);
    arrayInt = std::move(params.arrayInt);
}

std::uint32_t TRdimHeight::GetParamInt(int index) const {
    return At(arrayInt, index);
}

double TRdimHeight::GetParamDouble(int index) const {
    return At(arrayDouble, index);
}

std::wstring TRdimHeight::GetParamString(int index) const {
    return At(arrayString, index);
}

void TRdimHeight::SetParamInt(int index, std::uint32_t value) {
    assertWriteEnabled();
    Put(arrayInt, index, value);
}

void TRdimHeight::SetParamDouble(int index, double value) {
    assertWriteEnabled();
    Put(arrayDouble, index, value);
}

void TRdimHeight::SetParamString(int index, const std::wstring& value) {
    assertWriteEnabled();
    Put(arrayString, index, value);
}

// ---------------------------------------------------------------- the host's operations

void TRdimHeight::subList() const {
    AcDbEntity::subList();
    acutPrintf(L"\n Ver=%d ", static_cast<int>(GetParamInt(IND_I_AppVersion)));
    acutPrintf(L"\n 1: %f ", m_dHeight1);
    acutPrintf(L"\n 2: %f ", m_dHeight2);
    // The texts as shown, so a listing tells what the reader of the plan sees.
    for (int row = 1; row <= (HasSecondRow() ? 2 : 1); ++row) {
        std::wstring main, exponent;
        ComposeRow(row, main, exponent);
        acutPrintf(L"\n Text%d=%s%s ", row, main.c_str(), exponent.c_str());
    }
}

Acad::ErrorStatus TRdimHeight::applyPartialUndo(AcDbDwgFiler* /*undoFiler*/, AcRxClass* /*classObj*/) {
    // Partial undo is not used: the whole record is filed instead.
    return Acad::eOk;
}
