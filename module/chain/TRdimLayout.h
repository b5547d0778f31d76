#pragma once
// Layout pieces the chain's drawing shares with its text layout (TRdimLayout.cpp).
#include "module/chain/TextFrame.h"

#include <string>

class TRdim;

// The frame the texts of segment k are written in: the chain's text angle in world
// coordinates, the reading direction and "up" in the chain's plane.
TextFrame ChainTextFrame(TRdim& chain, int k);

// The position digit of a chain label ("1" before the chain, "2" after it, "3" at both
// ends), 0 when the description has no digit in front.
int ChainLabelDigit(const std::wstring& description);
