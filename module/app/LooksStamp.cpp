#include "module/app/LooksStamp.h"

#include "host/db/entities/EntityLooks.h"
#include "module/base/ModuleInfo.h"
#include "module/chain/ChainLayout.h"
#include "module/chain/TRdim.h"
#include "module/height/TRdimHeight.h"
#include "module/options/CGlobDimOptions.h"
#include "module/options/OptionIndices.h"

#include <cstddef>
#include <cstdint>
#include <string>

// The real host keeps no boxes in its drawing files and has no call for this; the
// stand-in asks an application's classes for a stamp through this one function.

namespace {

void AddSet(Fingerprint& print, const COptionSet& set) {
    print.AddAll(set.arrayOptDouble).AddAll(set.arrayOptString);
    print.Add(static_cast<std::uint64_t>(set.arrayOptInt.size()));
    for (std::size_t i = 0; i < set.arrayOptInt.size(); ++i) {
        // The kind of chain made last is the palette's memory, not how chains look;
        // it differs between any two sessions.
        const int v = static_cast<int>(i) == IND_I_LastType ? 0 : set.arrayOptInt[i];
        print.Add(static_cast<std::uint64_t>(static_cast<std::int64_t>(v)));
    }
}

void AddInts(Fingerprint& print, const std::vector<int>& values) {
    print.Add(static_cast<std::uint64_t>(values.size()));
    for (int v : values)
        print.Add(static_cast<std::uint64_t>(static_cast<std::int64_t>(v)));
}

void AddMap(Fingerprint& print, const OptStringMap& map) {
    print.Add(static_cast<std::uint64_t>(map.size()));
    for (const auto& [key, value] : map)
        print.Add(key).Add(value);
}

} // namespace

unsigned long long OptionsLooksStamp() {
    Fingerprint print;
    print.Add(std::wstring(GetProgramVersion()));
    print.Add(static_cast<std::uint64_t>(pGlobDimOptions != nullptr));
    if (!pGlobDimOptions) return print.Value();
    const CGlobDimOptions& o = *pGlobDimOptions;
    AddSet(print, o.m_setChain);
    AddSet(print, o.m_setHeight);
    AddSet(print, o.m_setText);
    AddInts(print, o.arrayAutoPosOrder);
    AddInts(print, o.arrayOptFlags);
    print.AddAll(o.arrayOptGeneral);
    print.Add(static_cast<std::uint64_t>(o.m_iMode));
    for (const OptStringMap* map : {&o.mapTextHeight2Color, &o.mapScale2Layer, &o.mapDHTextHeight2Color,
                                    &o.mapDHScale2Layer, &o.mapTXTTextHeight2Color, &o.mapTXTScale2Layer})
        AddMap(print, *map);
    return print.Value();
}

void RegisterLooksStamps() {
    host::setClassLooksStamp(TRdim::desc(), [] { return OptionsLooksStamp(); });
    host::setClassLooksStamp(TRdimHeight::desc(), [] { return OptionsLooksStamp(); });
}

void RemoveLooksStamps() {
    host::setClassLooksStamp(TRdim::desc(), nullptr);
    host::setClassLooksStamp(TRdimHeight::desc(), nullptr);
}
