#pragma once
// Drawing scales as the user writes them ("1:50", "2:1", "BMaß") and the factor they
// stand for.
#include <string>

// "1:100" -> 0.01, "2:1" -> 2, "0.5" -> 0.5; the annotative scale ("AnnoScale", "BMaß")
// -> 0.01. A missing left part counts as 1, a right part of 0 as 100; a text that gives
// no usable factor gives 1, so nothing is ever divided by zero.
double ScaleStr2Double(const std::wstring& text);
