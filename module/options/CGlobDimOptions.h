#pragma once
// The one object that holds the current settings for new objects and for the palette:
// three parameter sets (chains, height marks, texts), the general strings and flags, the
// parameter descriptions of DimParam.ini and the scale/colour maps. Values move between
// the sets and the INI files through LoadOptions / SaveOptions; the typed getters and
// setters act on the set of the current mode.
#include "module/options/OptionIndices.h"
#include "module/options/OptionSet.h"

#include <map>
#include <string>
#include <vector>

// The host's background colour, kept as plain RGB (the wipe-out masks are filled with it).
struct OptRgbColor {
    unsigned char red = 255;
    unsigned char green = 255;
    unsigned char blue = 255;
};

using OptStringMap = std::map<std::wstring, std::wstring>;

class CGlobDimOptions {
public:
    CGlobDimOptions();
    virtual ~CGlobDimOptions();
    CGlobDimOptions(const CGlobDimOptions&) = delete;
    CGlobDimOptions& operator=(const CGlobDimOptions&) = delete;

    // Reads every set, the general options and the maps from the files; writes defaults
    // for what is missing.
    void LoadOptions();
    // Writes the set(s) of the current mode into the buffers.
    void SaveOptions();
    static void MakeDefaultIniValues(const std::wstring& file, int mode);

    static std::wstring GetSectionName(int mode, const std::wstring& base);
    // The INI key; "Option%d-%d" (and a line on the command line) for an index without one.
    std::wstring GetParamName(int type, int index, int mode) const;
    // DimParam.ini marks the key with a leading non-zero digit: stored in the options file
    // in use rather than in the main INI.
    bool IsInOptionsFile(const std::wstring& key) const;
    std::wstring GetOptValue(int type, int index);
    // False under m_bNoWrite, for placeholders, and for texts that cannot be stored.
    bool SetOptValue(int type, int index, const std::wstring& text);
    bool SetOptValue(int type, int index, int n);
    bool SetOptValue(int type, int index, double x);
    static bool IsPlaceholder(const std::wstring& text);

    // The set of the current mode; "?", 0 and 0.0 for indices outside it.
    std::wstring GetOptString(int index) const;
    int GetOptInt(int index) const;
    double GetOptDouble(int index) const;
    // Change the arrays only (mode 1: all three sets); SaveOptions writes them.
    bool SetOptString(int index, const std::wstring& text);
    bool SetOptInt(int index, int n);
    bool SetOptDouble(int index, double x);

    // General flags and strings (arrays only; 0 / "" outside).
    int GetOptFlag(int index) const;
    bool SetOptFlag(int index, int value);
    std::wstring GetOptGeneral(int index) const;
    bool SetOptGeneral(int index, const std::wstring& text);

    // A negative mode means the current one.
    bool IsHeightMarkMode(int mode = -1) const;
    bool IsTextMode(int mode = -1) const;
    // The set that mode reads (3, 4: height marks; 5: texts; others: chains).
    COptionSet& GetOptionSet(int mode = -1);
    const COptionSet& GetOptionSet(int mode = -1) const;

    // Maps of scales and text heights, loaded from the options file in use.
    OptStringMap* GetMap(int mode, const std::wstring& name);
    int LoadMap(int mode, const std::wstring& name, const std::wstring& file);
    void LoadMaps();

    bool IsDebugMsg() const { return m_bDebugMsg; }
    const std::wstring& GetCurOptionsFile() const { return CurOptionsFile; }
    const std::wstring& GetMainIniFile() const { return strIniFile; }

    int m_iMode = OPT_MODE_CHAIN;
    bool m_bNoEditableParams = false;
    bool m_bNoWrite = false;
    OptRgbColor m_backgroundColor;

    COptionSet m_setChain;
    COptionSet m_setHeight;
    COptionSet m_setText;

    std::vector<int> arrayAutoPosOrder;
    std::vector<std::wstring> arrayOptGeneral = std::vector<std::wstring>(OPT_GENERAL_COUNT);
    std::vector<int> arrayOptFlags = std::vector<int>(OPT_FLAG_COUNT, 0);
    OptStringMap mapParamInfo;

    OptStringMap mapTextHeight2Color;
    OptStringMap mapScale2Layer;
    OptStringMap mapDHTextHeight2Color;
    OptStringMap mapDHScale2Layer;
    OptStringMap mapTXTTextHeight2Color;
    OptStringMap mapTXTScale2Layer;

    bool m_bDebugMsg = false;
    bool m_bDlgMainHidden = false;
    std::wstring CurOptionsFile;
    std::wstring strIniFile;

private:
    void LoadParamInfo();
    void LoadCurOptionsFile();
    void LoadSet(int load);
    void LoadSetExtras(int load, COptionSet& set);
    void LoadGeneral();
    void SaveSet(int mode);
    int ReadInt(int index);
    double ReadDouble(int index);
    // Where a parameter lives: file, section and key for the current mode.
    void Locate(int type, int index, int mode, std::wstring& file, std::wstring& section, std::wstring& key) const;
};

// The options of the running module; null before the module is initialised and after it
// is unloaded.
extern CGlobDimOptions* pGlobDimOptions;
