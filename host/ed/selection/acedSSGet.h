#pragma once
// acedSSGet: lets the user (or the calling module) select entities into a new
// selection set. `str` is the mode, with or without a leading "_":
//   null or ""    ask "Select objects: " until Enter; the answers are a point (the
//                 entity under the pick box), W / C / F (window, crossing window,
//                 fence, with their points on the same line or asked for), ALL, L
//                 (last), P (previous); with `pt1` and no prompt: a pick there
//   "W", "C"      a window or crossing window from pt1 to pt2
//   "F"           a fence through the points of the resbuf list pt1
//   "X"           every entity, also on layers that are off or frozen; "A" every
//                 visible one; "L" the last; "P" the previous selection; "I" the
//                 pick-first selection
//   ":S"          single: the first selection that finds something ends the prompt
//   ":E"          a pick takes everything under the pick box, not only the nearest
//   ":L"          entities on locked layers are left out
//   ":$"          pt1 holds the prompts (two strings) instead of a point
//   "-W", "-C"    no implied window or crossing (a scripted pick never starts one)
// e.g. ":E" with pt1, "_-W-C:S:E". Points are in the current UCS. `filter` is a
// selection filter list (host/ed/selection/SelectionFilter.h).
// RTNORM with a new set; RTERROR when nothing was selected, the mode or the filter
// is not understood (the filter's problem is printed) or too many sets are open;
// RTCAN when the user cancelled. Only RTNORM creates a set, which the caller frees.
#include "host/rx/adscodes.h"
#include "host/rx/adsdef.h"

int acedSSGet(const wchar_t* str, const void* pt1, const void* pt2, const struct resbuf* filter, ads_name ss);
