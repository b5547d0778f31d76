#include "module/chain/ChainFormatEnv.h"

#include "module/options/CGlobDimOptions.h"
#include "module/options/IniStorage.h"
#include "module/options/OptionIndices.h"

#include <cwchar>
#include <map>

namespace {

// An INI number as the profile functions read one: leading digits, else 0.
int readInt(const std::wstring& text) {
    const long v = std::wcstol(text.c_str(), nullptr, 10);
    return v > 1000 || v < -1000 ? 0 : static_cast<int>(v); // decimals beyond this are no decimals
}

// The values of the options files read so far, while the buffered entries stand
// still: every chain asks for them on every draw.
struct KeptEnvs {
    std::uint64_t generation = 0;
    std::map<std::wstring, ValueFormatEnv> byFile;
};

KeptEnvs& keptEnvs() {
    static KeptEnvs kept;
    return kept;
}

ValueFormatEnv envFromFile(const std::wstring& objectIniFile) {
    ValueFormatEnv env;
    env.hasOptions = true;
    env.altMeasure = GetIniEntry(objectIniFile, kIniGeneralSection, L"AltMeasure");
    env.altDecimals = readInt(GetIniEntry(objectIniFile, kIniGeneralSection, L"AltDecimals"));
    env.altFormat = GetIniEntry(objectIniFile, kIniGeneralSection, L"AltFormat");
    return env;
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
        return env;
    }
    KeptEnvs& kept = keptEnvs();
    if (kept.generation != IniStorageGeneration()) kept.byFile.clear();
    if (auto it = kept.byFile.find(objectIniFile); it != kept.byFile.end()) return it->second;
    env = envFromFile(objectIniFile);
    // Reading may itself have moved the generation on (a value from disk remembered):
    // what was read is what the buffer now holds.
    if (kept.generation != IniStorageGeneration()) kept.byFile.clear();
    kept.generation = IniStorageGeneration();
    kept.byFile.emplace(objectIniFile, env);
    return env;
}
