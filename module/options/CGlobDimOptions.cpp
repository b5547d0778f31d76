#include "module/options/CGlobDimOptions.h"

#include "module/base/LintaroLog.h"
#include "module/options/IniStorage.h"
#include "module/options/LoadedOptions.h"
#include "module/options/OptStrings.h"
#include "module/options/OptionDefaults.h"
#include "module/options/OptionKeys.h"

#include "host/win/FormatW.h"
#include "host/ed/acutPrintf.h"

#include <cmath>

CGlobDimOptions* pGlobDimOptions = nullptr;

namespace {

template <typename T>
bool inRange(const std::vector<T>& array, int index)
{
    return index >= 0 && index < static_cast<int>(array.size());
}

bool debugMsgOn()
{
    return pGlobDimOptions && pGlobDimOptions->IsDebugMsg();
}

} // namespace

CGlobDimOptions::CGlobDimOptions()
{
    SetLogSwitch(&debugMsgOn);
}

CGlobDimOptions::~CGlobDimOptions()
{
    ForgetLoadedOptions(this);
}

void CGlobDimOptions::MakeDefaultIniValues(const std::wstring& file, int mode)
{
    ::MakeDefaultIniValues(file, mode);
}

std::wstring CGlobDimOptions::GetSectionName(int mode, const std::wstring& base)
{
    return OptSectionName(mode, base);
}

std::wstring CGlobDimOptions::GetParamName(int type, int index, int mode) const
{
    std::wstring key = OptParamKey(type, index, mode);
    if (key.empty()) {
        key = host::FormatW(L"Option%d-%d", type, index);
        acutPrintf(L"\n>>>>> %s <<<<<", key.c_str());
    }
    return key;
}

bool CGlobDimOptions::IsInOptionsFile(const std::wstring& key) const
{
    auto it = mapParamInfo.find(key);
    if (it == mapParamInfo.end()) {
        // The descriptions are typed by hand; INI keys do not depend on case.
        for (it = mapParamInfo.begin(); it != mapParamInfo.end(); ++it)
            if (OptEqualNoCase(it->first, key))
                break;
        if (it == mapParamInfo.end())
            return false;
    }
    return !it->second.empty() && OptToInt(it->second.substr(0, 1)) != 0;
}

void CGlobDimOptions::Locate(int type, int index, int mode, std::wstring& file, std::wstring& section,
                             std::wstring& key) const
{
    const std::wstring mainIni = strIniFile.empty() ? GetIniFile() : strIniFile;
    if (type == OPT_TYPE_FLAG && index == IND_OPT_B_AcadDimAssociative) {
        // Shared with the conversion settings, which live with the options file in use.
        file = CurOptionsFile.empty() ? mainIni : CurOptionsFile;
        section = L"Convert";
        key = L"Associative";
        return;
    }
    key = GetParamName(type, index, mode);
    file = IsInOptionsFile(key) && !CurOptionsFile.empty() ? CurOptionsFile : mainIni;
    if (type == OPT_TYPE_GENERAL || type == OPT_TYPE_FLAG)
        section = kIniGeneralSection;
    else
        section = GetSectionName(mode, L"MainOptions");
}

std::wstring CGlobDimOptions::GetOptValue(int type, int index)
{
    std::wstring file, section, key;
    Locate(type, index, m_iMode, file, section, key);
    return GetIniEntry(file, section, key);
}

bool CGlobDimOptions::SetOptValue(int type, int index, const std::wstring& text)
{
    if (m_bNoWrite || IsPlaceholder(text))
        return false;
    std::wstring file, section, key;
    if (type == OPT_TYPE_GENERAL || type == OPT_TYPE_FLAG || m_iMode != OPT_MODE_ALL) {
        Locate(type, index, m_iMode, file, section, key);
        return WriteIniEntry(file, section, key, text) == 1;
    }
    bool ok = true;
    for (int mode = OPT_MODE_CHAIN; mode <= OPT_MODE_TEXT; ++mode) {
        Locate(type, index, mode, file, section, key);
        ok = WriteIniEntry(file, section, key, text) == 1 && ok;
    }
    return ok;
}

bool CGlobDimOptions::SetOptValue(int type, int index, int n)
{
    return SetOptValue(type, index, host::FormatW(L"%d", n));
}

bool CGlobDimOptions::SetOptValue(int type, int index, double x)
{
    if (!std::isfinite(x)) {
        LogFmt(L"\n SetOptValue(%d, %d): no number ", type, index);
        return false;
    }
    return SetOptValue(type, index, FormatOptDouble(x));
}

bool CGlobDimOptions::IsPlaceholder(const std::wstring& text)
{
    if (text.empty())
        return false;
    return OptEqualNoCase(text, L"<var>") || text == LoadStrOr(IDS_OPT_KEEP, L"<beibehalten>");
}

bool CGlobDimOptions::IsHeightMarkMode(int mode) const
{
    return OptIsHeightMarkMode(mode < 0 ? m_iMode : mode);
}

bool CGlobDimOptions::IsTextMode(int mode) const
{
    return OptIsTextMode(mode < 0 ? m_iMode : mode);
}

COptionSet& CGlobDimOptions::GetOptionSet(int mode)
{
    return const_cast<COptionSet&>(static_cast<const CGlobDimOptions*>(this)->GetOptionSet(mode));
}

const COptionSet& CGlobDimOptions::GetOptionSet(int mode) const
{
    if (mode < 0)
        mode = m_iMode;
    if (OptIsHeightMarkMode(mode))
        return m_setHeight;
    if (OptIsTextMode(mode))
        return m_setText;
    return m_setChain;
}

std::wstring CGlobDimOptions::GetOptString(int index) const
{
    const COptionSet& set = GetOptionSet();
    if (inRange(set.arrayOptString, index))
        return set.arrayOptString[static_cast<std::size_t>(index)];
    if (index >= 0 && inRange(m_setChain.arrayOptString, index))
        return m_setChain.arrayOptString[static_cast<std::size_t>(index)];
    return L"?";
}

int CGlobDimOptions::GetOptInt(int index) const
{
    const COptionSet& set = GetOptionSet();
    if (inRange(set.arrayOptInt, index))
        return set.arrayOptInt[static_cast<std::size_t>(index)];
    if (index >= 0 && inRange(m_setChain.arrayOptInt, index))
        return m_setChain.arrayOptInt[static_cast<std::size_t>(index)];
    return 0;
}

double CGlobDimOptions::GetOptDouble(int index) const
{
    const COptionSet& set = GetOptionSet();
    if (inRange(set.arrayOptDouble, index))
        return set.arrayOptDouble[static_cast<std::size_t>(index)];
    if (index >= 0 && inRange(m_setChain.arrayOptDouble, index))
        return m_setChain.arrayOptDouble[static_cast<std::size_t>(index)];
    acutPrintf(L" !!!!GetDouble( %d ) size=%d ", index, static_cast<int>(set.arrayOptDouble.size()));
    return 0.0;
}

namespace {

// Applies `set` to the sets a setter reaches: all three in mode 1, else the current one.
template <typename Fn>
bool applyToSets(CGlobDimOptions& o, Fn fn)
{
    if (o.m_iMode != OPT_MODE_ALL)
        return fn(o.GetOptionSet());
    bool ok = fn(o.m_setChain);
    ok = fn(o.m_setHeight) && ok;
    return fn(o.m_setText) && ok;
}

template <typename T>
bool store(std::vector<T>& array, int index, const T& value)
{
    if (!inRange(array, index))
        return false;
    array[static_cast<std::size_t>(index)] = value;
    return true;
}

} // namespace

bool CGlobDimOptions::SetOptString(int index, const std::wstring& text)
{
    if (m_bNoWrite || index < 0)
        return false;
    return applyToSets(*this, [&](COptionSet& set) { return store(set.arrayOptString, index, text); });
}

bool CGlobDimOptions::SetOptInt(int index, int n)
{
    if (m_bNoWrite || index < 0)
        return false;
    return applyToSets(*this, [&](COptionSet& set) { return store(set.arrayOptInt, index, n); });
}

bool CGlobDimOptions::SetOptDouble(int index, double x)
{
    if (m_bNoWrite || index < 0 || !std::isfinite(x))
        return false;
    return applyToSets(*this, [&](COptionSet& set) { return store(set.arrayOptDouble, index, x); });
}

int CGlobDimOptions::GetOptFlag(int index) const
{
    return inRange(arrayOptFlags, index) ? arrayOptFlags[static_cast<std::size_t>(index)] : 0;
}

bool CGlobDimOptions::SetOptFlag(int index, int value)
{
    return store(arrayOptFlags, index, value != 0 ? 1 : 0);
}

std::wstring CGlobDimOptions::GetOptGeneral(int index) const
{
    return inRange(arrayOptGeneral, index) ? arrayOptGeneral[static_cast<std::size_t>(index)] : std::wstring();
}

bool CGlobDimOptions::SetOptGeneral(int index, const std::wstring& text)
{
    return store(arrayOptGeneral, index, text);
}
