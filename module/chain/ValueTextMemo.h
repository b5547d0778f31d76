#pragma once
// The value texts a chain formatted last, with the parameters and the environment they
// were formatted with. Making or refreshing a chain sets every point again and formats
// both segments beside it each time, mostly to the lengths it had before; formatting
// is the dear part of that, and the memo answers those again with the same text.
//
// A length is answered from the memo only when it was formatted in the same mode with
// parameter arrays and an environment equal in every element, so the text is exactly
// what FormatValue gives (its log lines are written only the first time).
#include "module/chain/TRdimParams.h"
#include "module/chain/ValueFormat.h"

#include <string>

// FormatValue(mode, length, params, env), from the memo when it can.
std::wstring MemoizedValueText(int mode, double length, const TRdimParams& params, const ValueFormatEnv& env);
