#include "module/chain/ChainFormatEnv.h"

#include "module/options/CGlobDimOptions.h"
#include "module/options/IniStorage.h"
#include "module/options/OptionIndices.h"

#include <cwchar>

namespace {

// An INI number as the profile functions read one: leading digits, else 0.
int readInt(const std::wstring& text) {
    const long v = std::wcstol(text.c_str(), nullptr, 10);
    return v > 1000 || v < -1000 ? 0 : static_cast<int>(v); // decimals beyond this are no decimals
}

} // namespace

ValueFormatEnv MakeValueFormatEnv(const std::wstring& objectIniFile) {
    ValueFormatEnv env;
    env.hasOptions = pGlobDimOptions != nullptr;
    if (!env.hasOptions) return env;
    if (objectIniFile.empty()) {
        env.altMeasure = pGlobDimOptions->GetOptGeneral(IND_OPT_S_AltMeasure);
        env.altDecimals = pGlobDimOptions->GetOptFlag(IND_OPT_B_AltDecimals);
        env.altFormat = pGlobDimOptions->GetOptGeneral(IND_OPT_S_AltFormat);
    } else {
        env.altMeasure = GetIniEntry(objectIniFile, kIniGeneralSection, L"AltMeasure");
        env.altDecimals = readInt(GetIniEntry(objectIniFile, kIniGeneralSection, L"AltDecimals"));
        env.altFormat = GetIniEntry(objectIniFile, kIniGeneralSection, L"AltFormat");
    }
    return env;
}
