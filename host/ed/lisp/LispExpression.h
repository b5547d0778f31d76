#pragma once
// AutoLISP calls typed at the command prompt, as in the host's command line:
// "(XOTA_LintaroMakeDimByLine 1)" calls the function with its arguments and prints what
// it returned. Arguments are numbers, "strings" (with \" and \\), nil and T; lists and
// nested calls are refused with the host's message.
#include "host/ed/lisp/LispFunctions.h"

#include <optional>
#include <string>
#include <vector>

namespace host {

struct LispCall {
    std::wstring name;
    std::vector<LispValue> args;
};

// True for a text that starts with "(" (blanks before it allowed).
bool isLispExpression(const std::wstring& text);
// The call, or nullopt with the reason in `problem`.
std::optional<LispCall> parseLispCall(const std::wstring& text, std::wstring& problem);
// Runs the call and prints its result (nothing for a void result) or the error.
// RTNORM when the function ran and succeeded, else RTERROR.
int evaluateLispExpression(const std::wstring& text);

} // namespace host
