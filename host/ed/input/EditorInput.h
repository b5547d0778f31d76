#pragma once
// The editor's input functions: each prints its prompt, reads an answer from the
// command line's input (host::HostInput) and returns RTNORM, RTNONE (Enter),
// RTCAN (ESC), RTKWORD (a keyword of acedInitGet, read with acedGetInput) or RTERROR.
// A wrong answer is explained and the prompt asked again. acedInitGet's bits and
// keywords apply to the next input function only.
#include "host/rx/adscodes.h"
#include "host/rx/adsdef.h"

#include <cstddef>

int acedInitGet(int val, const wchar_t* kwl);
// The keyword (global name) or the free text (RSG_OTHER) of the last RTKWORD.
int acedGetInput(wchar_t* str, size_t bufLen);
int acedGetInput(wchar_t* str);

// `pt` is the base point (may be null). Also accepts "@dx,dy" relative to LASTPOINT,
// which a successful answer updates.
int acedGetPoint(const ads_point pt, const wchar_t* prompt, ads_point result);
int acedGetReal(const wchar_t* prompt, ads_real* result);
int acedGetInt(const wchar_t* prompt, int* result);
// A number, or a point whose distance from `pt` is taken.
int acedGetDist(const ads_point pt, const wchar_t* prompt, ads_real* result);
// Enter gives RTNORM with an empty string. The answer is cut to the buffer, which
// then returns RTINPUTTRUNCATED. Without a size the buffer holds 133 characters.
int acedGetString(int cronly, const wchar_t* prompt, wchar_t* result, size_t bufLen);
int acedGetString(int cronly, const wchar_t* prompt, wchar_t* result);
// A keyword of acedInitGet; its global name is returned.
int acedGetKword(const wchar_t* prompt, wchar_t* result, size_t bufLen);
int acedGetKword(const wchar_t* prompt, wchar_t* result);

// 1 when the user pressed ESC since the last look, else 0: a long command asks between
// its steps and stops when told. The ESC is taken from the input: a cancel posted with
// acedPostCommand, or in a script an "ESC" line that stands next while the command runs
// without asking. A person at the console cannot be looked at without waiting: 0.
int acedUsrBrk();
