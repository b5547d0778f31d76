#include "host/win/UiDriver.h"

#include "host/win/ScriptUiDriver.h"
#include "host/win/Transcript.h"
#include "host/win/UiEventQueue.h"
#include "host/win/WinMessageBox.h"
#include "host/win/WinWindows.h"

#include <exception>

namespace host {

namespace {

UiDriver*& currentDriver() {
    static UiDriver* driver = nullptr;
    return driver;
}

UiDriver& defaultDriver() {
    static ScriptUiDriver driver(&uiEventQueue());
    return driver;
}

HWND& activeWindow() {
    static HWND hWnd = nullptr;
    return hWnd;
}

} // namespace

UiDriver& uiDriver() {
    UiDriver* d = currentDriver();
    return d ? *d : defaultDriver();
}

UiDriver* setUiDriver(UiDriver* driver) {
    UiDriver* previous = currentDriver();
    currentDriver() = driver;
    return previous;
}

HWND setActiveWindow(HWND hWnd) {
    HWND previous = activeWindow();
    activeWindow() = hWnd;
    return previous;
}

} // namespace host

HWND GetActiveWindow() {
    return host::activeWindow();
}

int MessageBoxW(HWND hWnd, LPCWSTR lpText, LPCWSTR lpCaption, UINT uType) {
    const std::wstring text = lpText ? lpText : L"";
    const std::wstring caption = lpCaption ? lpCaption : L"Error";
    try {
        return host::uiDriver().messageBox(hWnd, text, caption, uType);
    } catch (const std::exception&) {
        // A driver must not throw; if one does, the box counts as unanswered.
    } catch (...) {
    }
    return host::unansweredButton(uType);
}
