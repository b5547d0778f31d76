#pragma once
// The palette: a modeless window (dialog 129) on which the user sets the working mode and
// type, the scale, text height, units, text position and the quick options that new
// objects get. Every control writes straight into the options of the current mode, which
// are saved as they change, except while the palette shows the values of a selection
// (the options' no-write state). Its menu bar runs batch operations on selected chains.
#include "host/db/database/AcDbObjectId.h"
#include "host/mfc/CDialog.h"
#include "module/chain/TRdimParams.h"

#include <string>
#include <vector>

class AcDbObject;
class CComboBox;
class CMenu;
class TRdimHeight;

class CDlgMain : public CDialog {
public:
    CDlgMain();
    ~CDlgMain() override;

    // Opens the window (dialog 129, modeless, the host's palette) in its remembered mode;
    // false when there are no options or no template to build it from.
    bool Create();
    BOOL OnInitDialog() override;

    // Switches the working mode (1 all, 2 chains, 3 section marks, 4 plan marks, 5 texts)
    // and mirrors it in the options; a negative mode only re-synchronises the options.
    void AdjustMode(int mode);
    // Sets the type within the mode (for chains: the tick symbol of new chains).
    void AdjustType(int type);
    // Refills every list and shows the values of the current options.
    void ReloadData();
    // The text styles of the current drawing, with the options' style selected.
    void ReloadDwgData();
    // Paper space shows the first scale, "1 mm" and "mm"; model space its own values again.
    void SelectScale();

    // Shows the values of the objects (chains; height marks in their own mode) and blocks
    // every option write until the mode is set again; "<var>" where they differ.
    void SelectObjects(const AcDbObjectIdArray& ids);
    // The objects last shown by SelectObjects.
    const AcDbObjectIdArray& CurrentObjects() const { return m_currentObjects; }

    // Gives one object the palette's settings: the options of the current mode, then what
    // the combos show. With bKeepArcSettings the object keeps its arc settings. False,
    // with the object unchanged, for an object the current mode does not take.
    bool InitParameters(AcDbObject* object, bool bKeepArcSettings = false);
    // The same with the palette in `mode` for the call: the combos show another mode's
    // values then, so the object takes only the options of `mode` and the layer choice.
    bool InitParametersInMode(int mode, AcDbObject* object, bool bKeepArcSettings = false);

    // The mode button, "Aktualisieren" and the select button; off while a creation
    // command runs.
    void EnableActions(bool enable);
    bool ActionsEnabled() const;

    // What value combo `id` (or the layer combo) shows.
    std::wstring GetControlText(int id) const;
    // Puts a text into a value combo without writing the options, as the values of
    // selected objects do ("<var>", "<beibehalten>" keep the object's own value). False,
    // with a message and nothing changed, for a text that combo cannot hold.
    bool SetControlText(int id, const std::wstring& text);
    // The layer new objects go onto when the layer combo names one; empty when it shows
    // nothing (the scale's layer) and " < AKTUELL >" for the current layer.
    std::wstring GetLayerChoice() const;

    // 'Aktualisieren': the selected objects of the mode take the palette's values.
    void OnButUpdate();
    // The select button: asks the host for XOTA_SelectLintaroObjects.
    void OnButSelectObjects();
    // The menu bar's commands (32700 to 32900).
    void OnMyCommand(UINT id);
    // Applies one operation code to every selected chain; returns the number changed and
    // adds their ids to `changed`.
    int BatchOperation(const std::wstring& prompt, int code, AcDbObjectIdArray& changed);

    // Stores the window's place under "DlgMain" ("%d,%d,%d,%d,%d": left, top, width,
    // height, maximised); a minimised window stores nothing.
    void saveWindowPosition();

    int m_iCurrentMode = 0;
    int m_iCurrentType = 0;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void OnClose() override;
    // Escape does not close a palette.
    void OnCancel() override {}
    void OnOK() override {}

private:
    CComboBox* combo(int id) const;
    void setComboText(int id, const std::wstring& text);
    void fillCombo(int id, const std::vector<std::wstring>& items);
    void selectOptionValues();
    void fillLayerCombo();
    void applyMenuForMode();
    void applyTabForMode();
    void showRoundingForUnit();
    // A height mark takes the set of `mode` (1: the height-mark set), with the combos'
    // values when `bControls`, and the layer choice.
    bool initHeightParameters(TRdimHeight* mark, int mode, bool bControls);
    void applyControls(TRdimParams& params, const TRdimParams& own) const;
    void applyLayer(AcDbObject* object) const;
    // Handlers of the controls.
    void onComboChange(int id, bool focusLost);
    void writeCombo(int id, const std::wstring& text);
    void writeScale(const std::wstring& text);
    void onScaleFocusLost();
    void onCheckBox(int id);
    void onFold();
    void showSelectedChains(const AcDbObjectIdArray& ids);
    // The height-mark rows W1, W2 and their texts show a selected mark's (first: the
    // first of the selection; a later one with other texts shows "<var>" there).
    void showMarkRows(const TRdimHeight& mark, bool first);
public:
    // 'Aktualisieren' on a height mark: the rows W1/W2 as their buttons say and their
    // texts where they do not show "<var>", while the palette shows a selection. True
    // when the mark changed.
    bool applyMarkRows(TRdimHeight& mark) const;
private:
    void runBatchItem(UINT id);
    void showAbout();
    // The host's model background, which the text backgrounds are filled with.
    void storeBackgroundColour();
    // The choice buttons (CDlgMainChoices.cpp): a click offers the mode's or the type's
    // tool bar as a menu; each button shows the current choice's picture.
    void onChoiceButton(int id);
    void showChoiceImages();
    void onPropertiesButton();
    // The height-mark position combos 1025 and 1026: filled for modes 3 and 4, showing
    // the options' values, writing what the user chooses.
    void fillPositionCombos();
    void selectPositionValues(const ParamArraysView& params);
    void writePosition(int id, const std::wstring& text);
    void applyPositions(TRdimParams& params, const TRdimParams& own) const;
    void restoreWindowPosition();

    std::unique_ptr<CMenu> m_menu;
    AcDbObjectIdArray m_currentObjects;
    std::wstring m_lastScale; // the last valid scale text, put back for a wrong one
    std::wstring m_paperScale, m_paperUnit, m_paperMeasure; // model-space values in paper space
    bool m_bPaperSpace = false;
    bool m_bFilling = false; // the palette itself fills the combos: no writes
};

// The check boxes of the quick options and the general flag each one writes.
struct PaletteCheckFlag {
    int id;
    int flag;
};
const std::vector<PaletteCheckFlag>& PaletteCheckFlags();
