#include "host/win/WinKeyState.h"

#include "host/win/FormatW.h"
#include "host/win/Transcript.h"
#include "host/win/UiForm.h"

namespace {

bool g_shift = false;
bool g_control = false;

constexpr SHORT kHeld = static_cast<SHORT>(0x8000);

} // namespace

SHORT GetKeyState(int nVirtKey) {
    if (nVirtKey == VK_CONTROL) return g_control ? kHeld : 0;
    if (nVirtKey == VK_SHIFT) return g_shift ? kHeld : 0;
    return 0;
}

SHORT GetAsyncKeyState(int vKey) {
    return GetKeyState(vKey);
}

namespace host {

void setKeyHeld(int vk, bool held) {
    if (vk == VK_CONTROL) g_control = held;
    if (vk == VK_SHIFT) g_shift = held;
}

void releaseAllKeys() {
    g_control = false;
    g_shift = false;
}

bool handleKeyEvent(const std::wstring& event) {
    std::wstring rest;
    const std::wstring word = eventWord(event, &rest);
    int vk = 0;
    if (word == L"ctrl") vk = VK_CONTROL;
    else if (word == L"shift") vk = VK_SHIFT;
    else return false;
    const std::wstring state = eventWord(rest);
    if (state == L"down" || state == L"up") {
        setKeyHeld(vk, state == L"down");
        return true;
    }
    transcriptWrite(FormatW(L"\n\"@%s\": say \"down\" or \"up\" - ignored.", event.c_str()));
    return true;
}

} // namespace host
