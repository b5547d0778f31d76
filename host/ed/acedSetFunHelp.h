#pragma once
// Help for a command or function. The stand-in has no help viewer, so the topic is
// what HELP shows at the command line: a module passes one line describing the
// command (host/ed/commands/CommandHelp.h lists and explains with it). The help file
// and `iCmd` are kept for the module's sake; there is nothing to open.
// RTNORM, RTERROR for a null or empty name.
int acedSetFunHelp(const wchar_t* pszFunctionName, const wchar_t* pszHelpfile, const wchar_t* pszTopic, int iCmd);
