#pragma once
// Printing on the command line. The text goes to the host's transcript, the same
// sink prompts and message boxes use, so everything lands in the order it happened.

// Formats with the Windows wide rules (%s is a wide string) and prints; RTNORM.
int acutPrintf(const wchar_t* format, ...);
