#pragma once
// The UI driver of the interactive command line: a box shows its text in the
// transcript and, when it asks something, reads the answer from the console.
#include "host/win/UiDriver.h"

#include <istream>

namespace host {

class ConsoleUiDriver : public UiDriver {
public:
    explicit ConsoleUiDriver(std::istream& in) : m_in(in) {}

    // Answers: the button's name or its first letter, in English or German ("y",
    // "yes", "j", "ja", "n", "nein", "ok", "c", "cancel", "abbrechen" ...), any case.
    // An answer the box does not offer asks again; the end of the input takes the
    // unanswered default (No, else Cancel).
    int messageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type) override;

private:
    std::istream& m_in;
};

// The button a typed answer names for a box of this MB_ type; 0 when none.
int typedButton(const std::wstring& answer, UINT type);

} // namespace host
