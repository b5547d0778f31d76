#pragma once
// The names of the host's result codes, for messages and logs.
#include "host/rx/acadstrc.h"

// The enumerator's own name ("eOk", "eInvalidInput" ...); "eUnknownErrorStatus" for
// a number the host does not define. The text lives as long as the process.
const wchar_t* acadErrorStatusText(Acad::ErrorStatus es);
