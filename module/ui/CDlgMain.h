#pragma once
// The palette: the working mode and type, and the values new objects get. This build has
// no palette window yet. The palette still exists as an object: it keeps the mode and
// type (and remembers them in the INI file), gives objects its settings, and holds what
// its value combos show. A combo nobody has set shows the value of the options, as the
// window does after loading them.
#include "module/chain/TRdimParams.h"

#include <map>
#include <string>

class AcDbObject;

class CDlgMain {
public:
    CDlgMain() = default;
    CDlgMain(const CDlgMain&) = delete;
    CDlgMain& operator=(const CDlgMain&) = delete;

    // Opens the palette in its remembered mode; false without options to work with.
    bool Create();
    void OnInitDialog();

    // Switches the working mode (1 all, 2 chains, 3 section marks, 4 plan marks, 5 texts)
    // and mirrors it in the options; a negative mode only re-synchronises the options.
    void AdjustMode(int mode);
    // Sets the type within the mode (for chains: the tick symbol of new chains).
    void AdjustType(int type);
    // The combos show the values of the options again.
    void ReloadData();

    // Gives one object the palette's settings: the options of the current mode, then what
    // the combos show. With bKeepArcSettings the object keeps its arc settings. False,
    // with the object unchanged, for an object the current mode does not take.
    bool InitParameters(AcDbObject* object, bool bKeepArcSettings = false);
    // The same with the palette in `mode` for the call.
    bool InitParametersInMode(int mode, AcDbObject* object, bool bKeepArcSettings = false);

    // The mode button, "Aktualisieren" and the select button; off while a creation
    // command runs.
    void EnableActions(bool enable);
    bool ActionsEnabled() const { return m_bActionsEnabled; }

    void ShowWindow(bool show) { m_bVisible = show; }
    bool IsWindowVisible() const { return m_bVisible; }

    // What value combo `id` (or the layer combo) shows.
    std::wstring GetControlText(int id) const;
    // Puts a text into a value combo, as a selection in it or the values of selected
    // objects do ("<var>", "<beibehalten>" keep the object's own value). False, with a
    // message and nothing changed, for a text that combo cannot hold.
    bool SetControlText(int id, const std::wstring& text);
    // The layer new objects go onto when the layer combo names one; empty when it shows
    // nothing (the scale's layer) and " < AKTUELL >" for the current layer.
    std::wstring GetLayerChoice() const;

    int m_iCurrentMode = 0;
    int m_iCurrentType = 0;

private:
    void applyControls(TRdimParams& params, const TRdimParams& own) const;
    void applyLayer(AcDbObject* object) const;

    // Texts put into the combos; a combo without one shows the options' value.
    std::map<int, std::wstring> m_controlTexts;
    bool m_bVisible = false;
    bool m_bActionsEnabled = true;
};

// The options of `mode` as an object's parameter arrays, stamped with the options file in
// use and the module's version.
TRdimParams ParamsFromOptions(int mode);
