#pragma once
// The formatter's environment for one object, from the running module's options: are
// there global options, and the alternate unit, decimals and frame — from the object's
// own options file when it names one, else from the global options.
#include "module/chain/ValueFormat.h"

#include <string>

// `objectIniFile` is the object's arrayString[IND_S_IniFile]; empty means the global
// values. The log sink is left to the caller.
ValueFormatEnv MakeValueFormatEnv(const std::wstring& objectIniFile);
