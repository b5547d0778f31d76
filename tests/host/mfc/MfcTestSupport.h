#pragma once
// Templates, a recording dialog and a scripted driver shared by the GUI stand-in tests.
#include "host/mfc/AfxResources.h"
#include "host/mfc/CComboBox.h"
#include "host/mfc/CDialog.h"
#include "host/win/ScriptUiDriver.h"
#include "host/win/Transcript.h"
#include "host/win/UiDriver.h"
#include "host/win/UiEventSource.h"
#include "host/win/WinModules.h"

#include <string>
#include <vector>

namespace mfctest {

constexpr UINT kOptionsDialog = 9100;
constexpr int kName = 1001;      // edit
constexpr int kScale = 1020;     // drop-down combo "1:50", "1:100"
constexpr int kUnit = 1019;      // drop-down list "1 m", "1 cm", "1 mm"
constexpr int kReduced = 1040;   // auto check box
constexpr int kUpdate = 1023;    // push button, disabled
constexpr int kHiddenRow = 1103; // push button, hidden
constexpr int kMixed = 1041;     // auto three-state box
constexpr int kRadioA = 1050;    // auto radio group of two
constexpr int kRadioB = 1051;

inline void registerOptionsDialog() {
    using host::mfc::ControlKind;
    host::mfc::DialogTemplate t;
    t.id = kOptionsDialog;
    t.caption = L"Globale Einstellungen";
    t.controls = {
        {kName, ControlKind::Edit, L"", 0, {}, true},
        {kScale, ControlKind::ComboBox, L"", CBS_DROPDOWN, {L"1:50", L"1:100"}, true},
        {kUnit, ControlKind::ComboBox, L"", CBS_DROPDOWNLIST, {L"1 m", L"1 cm", L"1 mm"}, true},
        {kReduced, ControlKind::Button, L"Reduzierte Größe", BS_AUTOCHECKBOX, {}, true},
        {kUpdate, ControlKind::Button, L"Aktualisieren", BS_PUSHBUTTON | WS_DISABLED, {}, true},
        {kHiddenRow, ControlKind::Button, L"W1", BS_PUSHBUTTON, {}, false},
        {kMixed, ControlKind::Button, L"Summe", BS_AUTO3STATE, {}, true},
        {kRadioA, ControlKind::Button, L"A", BS_AUTORADIOBUTTON | WS_GROUP, {}, true},
        {kRadioB, ControlKind::Button, L"B", BS_AUTORADIOBUTTON, {}, true},
        {IDOK, ControlKind::Button, L"OK", BS_DEFPUSHBUTTON, {}, true},
        {IDCANCEL, ControlKind::Button, L"Abbrechen", BS_PUSHBUTTON, {}, true},
    };
    host::mfc::registerDialogTemplate(host::addOnModule(), t);
}

// Records the notifications its controls send and what OnOK saw.
class RecordingDialog : public CDialog {
public:
    explicit RecordingDialog(UINT id = kOptionsDialog) : CDialog(id) {}

    std::vector<std::pair<int, int>> commands; // (control id, notification code)
    std::wstring savedName, savedScale;
    int savedUnit = -2;
    int initCalls = 0, okCalls = 0, cancelCalls = 0;
    bool throwOnInit = false;

    BOOL OnInitDialog() override {
        ++initCalls;
        if (throwOnInit) throw 1;
        return CDialog::OnInitDialog();
    }
    void OnOK() override {
        ++okCalls;
        GetDlgItem(kName)->GetWindowText(savedName);
        GetDlgItem(kScale)->GetWindowText(savedScale);
        savedUnit = static_cast<CComboBox*>(GetDlgItem(kUnit))->GetCurSel();
        CDialog::OnOK();
    }
    void OnCancel() override {
        ++cancelCalls;
        CDialog::OnCancel();
    }

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        commands.emplace_back(LOWORD(wParam), HIWORD(wParam));
        return CDialog::OnCommand(wParam, lParam);
    }
};

inline bool contains(const std::wstring& text, const std::wstring& part) {
    return text.find(part) != std::wstring::npos;
}

inline std::string narrow(const std::wstring& w) {
    return std::string(w.begin(), w.end());
}

// Scripted events for the duration of a test.
struct ScriptedUi {
    host::UiEventList events;
    host::ScriptUiDriver driver{&events};
    host::UiDriverScope scope{driver};
    host::TranscriptCapture transcript;

    explicit ScriptedUi(std::initializer_list<std::wstring> list) : events(list) {}
};

} // namespace mfctest
