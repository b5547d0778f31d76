#include "module/app/FormatMarks.h"

#include "host/db/dimensions/AcDbDimension.h"
#include "host/db/entities/AcDbMText.h"
#include "host/db/entities/AcDbText.h"
#include "module/services/DbServices.h"
#include "module/services/XDataServices.h"
#include "module/base/LintaroLog.h"

#include <vector>

namespace {

constexpr const wchar_t* kLintaroMark = L"_LINTARO_";

} // namespace

int GetObjectKind(const AcDbEntity* entity) {
    if (AcDbText::cast(entity)) return 1;
    if (AcDbMText::cast(entity)) return 2;
    if (AcDbDimension::cast(entity)) return 10;
    return 100;
}

bool IsLintaroObject(const AcDbEntity* entity) {
    std::vector<int> codes;
    if (GetXDataLists(entity, kLintaroObjectApp, nullptr, &codes, nullptr) == 0) return false;
    if (codes.empty()) {
        LogFmt(L" -- EmptyH in IsLintaroObject( H:%s Id=%d)", GetHandleString(entity).c_str(), 0);
        return false;
    }
    return codes.front() != 0;
}

bool SetLintaroObject(AcDbEntity* entity, bool bSet) {
    if (!entity) return false;
    const bool written =
        SetXData(entity, kLintaroObjectApp, bSet ? kLintaroMark : L"", GetObjectKind(entity));
    LogFmt(L"\n SetLintaroObject bRet=%d ", written ? 1 : 0);
    return written;
}

std::optional<TRdimParams> GetLintaroData(const AcDbEntity* entity) {
    std::vector<std::wstring> texts;
    std::vector<int> codes;
    std::vector<double> reals;
    if (GetXDataLists(entity, kLintaroDataApp, &texts, &codes, &reals) == 0) return std::nullopt;
    TRdimParams params;
    params.arrayString = std::move(texts);
    params.arrayDouble = std::move(reals);
    for (int code : codes)
        params.arrayInt.push_back(static_cast<std::uint32_t>(static_cast<std::uint16_t>(code)));
    return params;
}

bool SetLintaroData(AcDbEntity* entity, const TRdimParams& params) {
    std::vector<int> codes;
    for (std::uint32_t value : params.arrayInt)
        codes.push_back(static_cast<int>(static_cast<std::int16_t>(value)));
    return SetXDataLists(entity, kLintaroDataApp, params.arrayString, codes, params.arrayDouble);
}

std::wstring GetLintaroTemp(const AcDbEntity* entity) {
    std::vector<std::wstring> texts;
    if (GetXDataLists(entity, kLintaroTempApp, &texts, nullptr, nullptr) == 0 || texts.empty())
        return std::wstring();
    return texts.front();
}

bool SetLintaroTemp(AcDbEntity* entity, const std::wstring& text) {
    return SetXData(entity, kLintaroTempApp, text, 1);
}
