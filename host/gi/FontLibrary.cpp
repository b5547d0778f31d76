#include "host/gi/FontLibrary.h"

#include "host/win/Utf8.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cwctype>
#include <filesystem>

namespace host::gi {

namespace {

std::wstring lower(std::wstring_view s) {
    std::wstring out(s);
    for (auto& c : out)
        c = wchar_t(std::towlower(wint_t(c)));
    return out;
}

FcConfig* fc(void* p) {
    return static_cast<FcConfig*>(p);
}

const wchar_t* kFallbackFamily = L"DejaVu Sans";

} // namespace

FontLibrary& FontLibrary::instance() {
    static FontLibrary library;
    return library;
}

FontLibrary::FontLibrary() {
    FT_Library lib = nullptr;
    if (FT_Init_FreeType(&lib) == 0) m_ft = lib;
    m_config = FcInitLoadConfigAndFonts();
}

FontLibrary::~FontLibrary() {
    m_choices.clear();
    m_faces.clear(); // faces first: they belong to the FreeType library
    if (m_ft) FT_Done_FreeType(static_cast<FT_Library>(m_ft));
    if (m_config) FcConfigDestroy(fc(m_config));
}

bool FontLibrary::isShapeFontName(std::wstring_view fileName) {
    std::wstring name = lower(fileName);
    while (!name.empty() && std::iswspace(wint_t(name.back())))
        name.pop_back();
    if (name.empty()) return true;
    std::filesystem::path p(name);
    std::wstring ext = p.extension().wstring();
    return ext.empty() || ext == L".shx";
}

FontChoice FontLibrary::find(const FontRequest& request) {
    std::wstring key = lower(request.typeface) + L'|' + lower(request.fileName) +
                       (request.bold ? L"|b" : L"|") + (request.italic ? L"i" : L"");
    auto it = m_choices.find(key);
    if (it != m_choices.end()) return it->second;
    FontChoice choice = resolve(request);
    if (!choice.face) choice = {fallback(), false};
    m_choices.emplace(key, choice);
    return choice;
}

FontChoice FontLibrary::resolve(const FontRequest& request) {
    if (!request.typeface.empty()) return matchFamily(request.typeface, request.bold, request.italic);
    if (isShapeFontName(request.fileName)) return {fallback(), false};

    // A path that exists is taken as it is.
    std::string direct = host::toUtf8(request.fileName);
    std::error_code ec;
    if (request.fileName.find(L'/') != std::wstring::npos && std::filesystem::is_regular_file(direct, ec)) {
        if (const FontFace* f = load(direct, 0)) return {f, true};
    }
    std::wstring base = std::filesystem::path(request.fileName).filename().wstring();
    std::string installed = findInstalledFile(base);
    if (!installed.empty()) {
        if (const FontFace* f = load(installed, 0)) return {f, true};
    }
    std::wstring stem = std::filesystem::path(base).stem().wstring();
    return matchFamily(stem, request.bold, request.italic);
}

FontChoice FontLibrary::matchFamily(const std::wstring& family, bool bold, bool italic) {
    if (!m_config) return {};
    FcPattern* pat = FcPatternCreate();
    std::string fam = host::toUtf8(family);
    FcPatternAddString(pat, FC_FAMILY, reinterpret_cast<const FcChar8*>(fam.c_str()));
    FcPatternAddInteger(pat, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pat, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcConfigSubstitute(fc(m_config), pat, FcMatchPattern);
    FcDefaultSubstitute(pat);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(fc(m_config), pat, &result);
    FcPatternDestroy(pat);
    if (!match) return {};

    FontChoice choice;
    FcChar8* file = nullptr;
    int index = 0;
    if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file) {
        FcPatternGetInteger(match, FC_INDEX, 0, &index);
        choice.face = load(reinterpret_cast<const char*>(file), index);
    }
    // The font is the style's own when one of its family names is the one asked for.
    FcChar8* name = nullptr;
    for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &name) == FcResultMatch; ++i)
        if (lower(host::fromUtf8(reinterpret_cast<const char*>(name))) == lower(family))
            choice.ownFont = true;
    FcPatternDestroy(match);
    if (!choice.face) choice.ownFont = false;
    return choice;
}

std::string FontLibrary::findInstalledFile(const std::wstring& baseName) {
    if (!m_config || baseName.empty()) return {};
    std::wstring wanted = lower(baseName);
    FcPattern* all = FcPatternCreate();
    FcObjectSet* os = FcObjectSetBuild(FC_FILE, nullptr);
    FcFontSet* set = FcFontList(fc(m_config), all, os);
    std::string found;
    for (int i = 0; set && i < set->nfont && found.empty(); ++i) {
        FcChar8* file = nullptr;
        if (FcPatternGetString(set->fonts[i], FC_FILE, 0, &file) != FcResultMatch || !file) continue;
        std::string path = reinterpret_cast<const char*>(file);
        if (lower(std::filesystem::path(host::fromUtf8(path)).filename().wstring()) == wanted) found = path;
    }
    if (set) FcFontSetDestroy(set);
    FcObjectSetDestroy(os);
    FcPatternDestroy(all);
    return found;
}

const FontFace* FontLibrary::load(const std::string& path, int index) {
    std::string key = path + '#' + std::to_string(index);
    auto it = m_faces.find(key);
    if (it != m_faces.end()) return it->second.get();
    if (!m_ft) return nullptr;
    FT_Face face = nullptr;
    if (FT_New_Face(static_cast<FT_Library>(m_ft), path.c_str(), index, &face) != 0) return nullptr;
    if (!FT_IS_SCALABLE(face)) {
        FT_Done_Face(face);
        return nullptr;
    }
    std::wstring family = face->family_name ? host::fromUtf8(face->family_name) : std::wstring();
    auto owned = std::make_unique<FontFace>(face, path, family);
    const FontFace* raw = owned.get();
    m_faces.emplace(key, std::move(owned));
    return raw;
}

const FontFace* FontLibrary::fallback() {
    if (m_fallbackTried) return m_fallback;
    m_fallbackTried = true;
    m_fallback = matchFamily(kFallbackFamily, false, false).face;
    return m_fallback;
}

} // namespace host::gi
