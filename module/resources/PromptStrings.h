#pragma once
// The German texts of the prompts and messages that commands, jigs and context
// operations print, compiled in beside the module's other strings (LintaroStrings.h
// joins them into one table).
#include "host/win/WinModules.h"

#include <cstddef>

// Every entry, in id order.
const host::StringResource* PromptStringTable(std::size_t& count);
