#include "host/win/UiPalette.h"

#include "host/win/FormatW.h"
#include "host/win/Transcript.h"

#include <exception>
#include <utility>

namespace host {

namespace {

UiForm*& current() {
    static UiForm* form = nullptr;
    return form;
}

} // namespace

UiForm* setPaletteForm(UiForm* form) {
    return std::exchange(current(), form);
}

UiForm* paletteForm() {
    return current();
}

bool handlePaletteEvent(const std::wstring& event) {
    std::wstring rest;
    if (eventWord(event, &rest) != L"palette") return false;
    std::wstring error;
    UiForm* form = current();
    if (!form) {
        error = L"no palette is open";
    } else if (rest == L"?") {
        transcriptWrite(paletteAsText(*form));
        transcriptWrite(paletteHelpText());
        return true;
    } else if (const std::optional<UiFormAction> action = parseFormAction(rest, error)) {
        try {
            if (applyFormAction(*form, *action, error)) return true;
        } catch (const std::exception&) {
            error = L"the palette failed on it";
        } catch (...) {
            error = L"the palette failed on it";
        }
    }
    const std::wstring who = form ? form->formCaption() : std::wstring(L"lintaro");
    transcriptWrite(FormatW(L"\n%s: %s - \"@%s\" ignored.", who.c_str(), error.c_str(), event.c_str()));
    return true;
}

std::wstring paletteHelpText() {
    return L"\nThe palette is open beside the command line. Work it with \"@palette <id> = <text>\", "
           L"\"@palette select <id> <item>\", \"@palette check <id> 0|1\", \"@palette click <id>\" "
           L"and \"@palette menu <id>\" (the ids in brackets above); \"@palette ?\" shows it again.";
}

} // namespace host
