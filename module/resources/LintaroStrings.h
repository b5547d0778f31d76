#pragma once
// The module's own (German) string table, compiled in and registered with the host
// as the resources of the module's instance.
#include "host/win/WinModules.h"

#include <cstddef>

// Every entry, in id order.
const host::StringResource* LintaroStringTable(std::size_t& count);
// Registers the table for the module's instance; safe to call any number of times.
void RegisterLintaroResources();
