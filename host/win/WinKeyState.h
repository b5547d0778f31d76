#pragma once
// The keyboard's modifier keys as Windows reports them. Nothing here has a keyboard:
// a script holds a key with "@ctrl down" and lets it go with "@ctrl up"; tests set the
// state from code. A held key reads negative (its high bit set), as on Windows.
#include "host/win/WinMsg.h"
#include "host/win/WinTypes.h"

#include <string>

typedef int16_t SHORT;

#ifndef VK_SHIFT
#define VK_SHIFT 0x10
#endif

// Negative while the key is held, else 0.
SHORT GetKeyState(int nVirtKey);
SHORT GetAsyncKeyState(int vKey);

namespace host {

// Holds or releases a key (VK_SHIFT or VK_CONTROL; other keys are ignored).
void setKeyHeld(int vk, bool held);
// Releases every key (a new run starts with none held).
void releaseAllKeys();
// Handles "ctrl down|up" and "shift down|up" (the text after '@'). False when the event
// is no key event; true for every key event: done, or refused with a transcript line.
bool handleKeyEvent(const std::wstring& event);

} // namespace host
