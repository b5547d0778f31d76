#pragma once
// Finds the installed font for a text style and keeps every face it loaded for the
// life of the process (a drawing uses a handful of fonts, measured all the time).
//
// A typeface goes to fontconfig, which answers with the closest installed font.
// A font file name is looked for among the installed files by name; a name that is
// not installed is tried as a typeface (its stem: "arial.ttf" -> "arial"). Shape
// fonts (".shx", a bare name such as "txt"), an empty name and anything that cannot
// be loaded use DejaVu Sans.
#include "host/gi/FontFace.h"

#include <map>
#include <memory>
#include <string>
#include <string_view>

namespace host::gi {

struct FontRequest {
    std::wstring typeface;
    std::wstring fileName;
    bool bold = false;
    bool italic = false;
};

struct FontChoice {
    const FontFace* face = nullptr; // null only when no font is installed at all
    bool ownFont = false;           // false: the stand-in or a substitute is used
};

class FontLibrary {
public:
    static FontLibrary& instance();
    ~FontLibrary();

    FontChoice find(const FontRequest& request);
    // DejaVu Sans, or whatever font fontconfig offers when it is missing.
    const FontFace* fallback();

    // ".shx", a name without extension ("txt", "romans") or an empty name.
    static bool isShapeFontName(std::wstring_view fileName);

private:
    FontLibrary();
    FontChoice resolve(const FontRequest& request);
    FontChoice matchFamily(const std::wstring& family, bool bold, bool italic);
    std::string findInstalledFile(const std::wstring& baseName);
    const FontFace* load(const std::string& path, int index);

    void* m_ft = nullptr;                                     // FT_Library
    void* m_config = nullptr;                                 // FcConfig
    std::map<std::string, std::unique_ptr<FontFace>> m_faces; // by "path#index"
    std::map<std::wstring, FontChoice> m_choices;             // by request
    const FontFace* m_fallback = nullptr;
    bool m_fallbackTried = false;
};

} // namespace host::gi
