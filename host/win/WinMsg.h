#pragma once
// Window messages as the host hands them to a module's message filter.
#include "host/win/WinTypes.h"

struct POINT {
    LONG x = 0;
    LONG y = 0;
};

struct MSG {
    HWND hwnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    DWORD time = 0;
    POINT pt;
};

#define WM_KEYDOWN 0x0100
#define WM_KEYUP 0x0101
#define WM_CHAR 0x0102
#define WM_TIMER 0x0113
#define WM_MOUSEMOVE 0x0200
#define WM_LBUTTONDOWN 0x0201
#define WM_LBUTTONUP 0x0202
#define WM_RBUTTONDOWN 0x0204
#define WM_RBUTTONUP 0x0205
#define MK_LBUTTON 0x0001
#define MK_RBUTTON 0x0002
#define MK_SHIFT 0x0004
#define MK_CONTROL 0x0008
#define VK_CONTROL 0x11
#define VK_ESCAPE 0x1B

// Client coordinates packed into a message's lParam, as Windows does.
#define MAKELPARAM(l, h) ((LPARAM)(DWORD)((WORD)(l) | ((DWORD)(WORD)(h) << 16)))
#define GET_X_LPARAM(lp) ((int)(short)(WORD)((DWORD_PTR_LOW(lp)) & 0xffff))
#define GET_Y_LPARAM(lp) ((int)(short)(WORD)(((DWORD_PTR_LOW(lp)) >> 16) & 0xffff))
#define DWORD_PTR_LOW(lp) ((DWORD)(UINT_PTR)(lp))
