#pragma once
// The command the host is running, as the module's commands, reactors and chains need
// to know it: a foreign command must not be interrupted, and a chain's own edits are
// told apart from the host's.
#include <string>

// CMDNAMES upper-cased; empty when bIncludeOwn is false and a module command runs.
std::wstring GetActiveCommand(bool bIncludeOwn);
// True when a foreign command runs; with bShowMessage the user is told which.
bool IsCommandActive(bool bShowMessage);
