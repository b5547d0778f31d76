#include "module/options/LoadedOptions.h"

#include "module/options/CGlobDimOptions.h"
#include "module/options/IniBuffer.h"

#include "host/win/WinFiles.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

namespace {

// FNV-1a over the file's bytes; a file that cannot be read has its own value.
constexpr std::uint64_t kUnreadable = 0;

std::uint64_t hashOfFile(const std::wstring& path) {
    if (path.empty()) return kUnreadable;
    FILE* f = _wfopen(path.c_str(), L"rb");
    if (!f) return kUnreadable;
    std::uint64_t hash = 14695981039346656037ull;
    unsigned char chunk[8192];
    std::size_t n = 0;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0)
        for (std::size_t i = 0; i < n; ++i)
            hash = (hash ^ chunk[i]) * 1099511628211ull;
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    // Never kUnreadable for a file that was read.
    return failed ? kUnreadable : (hash | 1);
}

struct Sources {
    std::wstring mainIni;
    std::wstring optionsFile;
    std::uint64_t mainHash = kUnreadable;
    std::uint64_t optionsHash = kUnreadable;
    std::uint64_t valueChanges = 0;

    static Sources Now(const std::wstring& mainIni, const std::wstring& optionsFile) {
        Sources s;
        s.mainIni = mainIni;
        s.optionsFile = optionsFile;
        s.mainHash = hashOfFile(mainIni);
        s.optionsHash = optionsFile == mainIni ? s.mainHash : hashOfFile(optionsFile);
        s.valueChanges = CIniBuffer::ValueChanges();
        return s;
    }
    bool operator==(const Sources& o) const {
        return mainIni == o.mainIni && optionsFile == o.optionsFile && mainHash == o.mainHash &&
               optionsHash == o.optionsHash && valueChanges == o.valueChanges;
    }
};

// What a load sets, apart from the mode and the palette's state that LoadOptions
// applies every time.
struct Kept {
    const CGlobDimOptions* owner = nullptr;
    Sources sources;
    bool noEditableParams = false;
    bool debugMsg = false;
    std::wstring curOptionsFile;
    COptionSet chain, height, text;
    std::vector<int> autoPosOrder;
    std::vector<std::wstring> general;
    std::vector<int> flags;
    OptStringMap maps[6];
};

std::unique_ptr<Kept>& kept() {
    static std::unique_ptr<Kept> k;
    return k;
}

// The six maps of the options in one order, for copying them as one.
template <typename Options> auto mapsOf(Options& o) {
    return std::array{&o.mapTextHeight2Color, &o.mapScale2Layer,         &o.mapDHTextHeight2Color,
                      &o.mapDHScale2Layer,    &o.mapTXTTextHeight2Color, &o.mapTXTScale2Layer};
}

} // namespace

void KeepLoadedOptions(const CGlobDimOptions& o) {
    auto k = std::make_unique<Kept>();
    k->owner = &o;
    k->sources = Sources::Now(o.strIniFile, o.CurOptionsFile);
    k->noEditableParams = o.m_bNoEditableParams;
    k->debugMsg = o.m_bDebugMsg;
    k->curOptionsFile = o.CurOptionsFile;
    k->chain = o.m_setChain;
    k->height = o.m_setHeight;
    k->text = o.m_setText;
    k->autoPosOrder = o.arrayAutoPosOrder;
    k->general = o.arrayOptGeneral;
    k->flags = o.arrayOptFlags;
    const auto maps = mapsOf(o);
    for (std::size_t i = 0; i < maps.size(); ++i)
        k->maps[i] = *maps[i];
    kept() = std::move(k);
}

bool RestoreLoadedOptions(CGlobDimOptions& o) {
    const Kept* k = kept().get();
    if (!k || k->owner != &o || !(Sources::Now(o.strIniFile, k->curOptionsFile) == k->sources)) return false;
    o.m_bNoEditableParams = k->noEditableParams;
    o.m_bDebugMsg = k->debugMsg;
    o.CurOptionsFile = k->curOptionsFile;
    o.m_setChain = k->chain;
    o.m_setHeight = k->height;
    o.m_setText = k->text;
    o.arrayAutoPosOrder = k->autoPosOrder;
    o.arrayOptGeneral = k->general;
    o.arrayOptFlags = k->flags;
    const auto maps = mapsOf(o);
    for (std::size_t i = 0; i < maps.size(); ++i)
        *maps[i] = k->maps[i];
    return true;
}

void ForgetLoadedOptions(const CGlobDimOptions* o) {
    if (kept() && kept()->owner == o) kept().reset();
}
