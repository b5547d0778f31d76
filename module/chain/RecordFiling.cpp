#include "module/chain/RecordFiling.h"

#include "host/db/database/AcDbDatabase.h"
#include "host/rx/acutString.h"
#include "module/base/ModuleInfo.h"
#include "module/options/CGlobDimOptions.h"
#include "module/options/OptionIndices.h"

#include <limits>

std::wstring FileNameOf(const AcDbDatabase* db) {
    const wchar_t* name = nullptr;
    if (db && db->getFilename(name) == Acad::eOk && name) return name;
    return L"";
}

bool ReadCount(AcDbDwgFiler* filer, int& count) {
    Adesk::Int16 value = 0;
    if (filer->readInt16(&value) != Acad::eOk) return false;
    count = value;
    return value >= 0;
}

bool FitsCount(std::size_t count) {
    return count <= static_cast<std::size_t>(std::numeric_limits<Adesk::Int16>::max());
}

bool ReadString(AcDbDwgFiler* filer, std::wstring& out) {
    wchar_t* value = nullptr;
    if (filer->readString(&value) != Acad::eOk) return false;
    if (value) out = value;
    acutDelString(value);
    return true;
}

TRdimParams OptionSetParams(int mode) {
    TRdimParams params;
    if (!pGlobDimOptions) return params;
    const COptionSet& set = pGlobDimOptions->GetOptionSet(mode);
    params.arrayDouble = set.arrayOptDouble;
    params.arrayString = set.arrayOptString;
    params.arrayInt.reserve(set.arrayOptInt.size());
    for (int value : set.arrayOptInt)
        params.arrayInt.push_back(static_cast<std::uint32_t>(value));
    return params;
}

TRdimParams ParamsFromOptions(int mode) {
    TRdimParams params = OptionSetParams(mode);
    if (!pGlobDimOptions) return params;
    if (params.arrayString.size() <= IND_S_IniFile) params.arrayString.resize(IND_S_IniFile + 1);
    params.arrayString[IND_S_IniFile] = pGlobDimOptions->GetCurOptionsFile();
    if (params.arrayInt.size() <= IND_I_AppVersion) params.arrayInt.resize(IND_I_AppVersion + 1);
    params.arrayInt[IND_I_AppVersion] = static_cast<std::uint32_t>(GetProgramVersionNumber());
    return params;
}

bool ReadParamArrays(AcDbDwgFiler* filer, TRdimParams& p) {
    int count = 0;
    if (!ReadCount(filer, count)) return false;
    if (p.arrayDouble.size() < static_cast<std::size_t>(count))
        p.arrayDouble.resize(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        filer->readDouble(&p.arrayDouble[static_cast<std::size_t>(i)]);
    if (!ReadCount(filer, count)) return false;
    if (p.arrayString.size() < static_cast<std::size_t>(count))
        p.arrayString.resize(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        if (!ReadString(filer, p.arrayString[static_cast<std::size_t>(i)])) return false;
    if (!ReadCount(filer, count)) return false;
    if (p.arrayInt.size() < static_cast<std::size_t>(count))
        p.arrayInt.resize(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        Adesk::UInt16 value = 0;
        filer->readUInt16(&value);
        p.arrayInt[static_cast<std::size_t>(i)] = value;
    }
    return filer->filerStatus() == Acad::eOk;
}
