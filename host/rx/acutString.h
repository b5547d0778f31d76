#pragma once
// Strings the host hands out in result buffers (acedGetVar, acedGetString into a
// resbuf ...) are allocated with malloc, so acutRelRb and callers free them alike.
#include "host/rx/acadstrc.h"

// Copies `input` into a new string the caller frees with acutDelString (or free()).
// A null input gives a null output.
Acad::ErrorStatus acutNewString(const wchar_t* input, wchar_t*& output);
// Frees a string from acutNewString and sets the pointer to null.
void acutDelString(wchar_t*& str);
