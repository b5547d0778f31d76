#pragma once
// A dialog or palette as the UI driver sees it: a caption, controls with ids, and the
// four things a person does to them (type a text, pick an item, set a check box, click).
// The GUI stand-in (host/mfc) implements it for its dialogs; the driver only reads the
// controls and asks for actions, so it needs nothing of the window classes.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace host {

// One control as a person sees it.
struct UiControlView {
    int id = 0;
    std::wstring kind; // "button", "check box", "radio button", "edit", "combo", "list", "tab", "static" ...
    std::wstring text; // caption, typed text or the selected item's text
    std::vector<std::wstring> items; // combo, list and tab entries
    int selected = -1;               // index into items, -1 for none
    int check = -1;                  // 0, 1, 2 for check boxes and radio buttons, -1 otherwise
    bool enabled = true;
    bool visible = true;
};

class UiForm {
public:
    virtual ~UiForm() = default;
    virtual int formId() const = 0;
    virtual std::wstring formCaption() const = 0;
    // The controls a person can see now (those of hidden pages are left out).
    virtual std::vector<UiControlView> formControls() const = 0;

    // Each action sends the notifications the person's action would and returns true;
    // or it changes nothing, returns false and says why in `error`.
    virtual bool formSetText(int id, const std::wstring& text, std::wstring& error) = 0;
    virtual bool formSelect(int id, const std::wstring& item, std::wstring& error) = 0;
    virtual bool formCheck(int id, int state, std::wstring& error) = 0;
    virtual bool formClick(int id, std::wstring& error) = 0;
    // A menu-bar command (the palette's menu); false with `error` for an item that is
    // not there or is greyed.
    virtual bool formMenuCommand(int id, std::wstring& error) = 0;

    // Modal forms: whether the dialog has ended, and closing it as the window's close
    // box does (Cancel), which ends it whatever its handlers do.
    virtual bool formEnded() const = 0;
    virtual void formCancel() = 0;
};

// "<id> = <text>", "click <id>", "check <id> 0|1|2", "select <id> <item text>",
// "menu <id>": what follows "@dialog" or "@palette" in a script.
struct UiFormAction {
    enum class Kind { SetText, Click, Check, Select, Menu };
    Kind kind = Kind::Click;
    int id = 0;
    std::wstring text;
    int state = 0;
};

// Nullopt with a message in `error` for a line that is none of the above.
std::optional<UiFormAction> parseFormAction(std::wstring_view words, std::wstring& error);
// Runs the action on the form; false (with `error`) when the form refused it.
bool applyFormAction(UiForm& form, const UiFormAction& action, std::wstring& error);

// The first word of an event ("dialog" of "dialog click 1"), lower case, and the rest.
std::wstring eventWord(std::wstring_view event, std::wstring* rest = nullptr);

// The form as text, one control a line, for the console and for a cancelled dialog's
// note: "  [1020] combo "1:100" {1:50|1:100} (disabled)".
std::wstring formAsText(const UiForm& form);
// The same for the palette, headed "[Palette] caption" (it has no dialog id).
std::wstring paletteAsText(const UiForm& form);

} // namespace host
