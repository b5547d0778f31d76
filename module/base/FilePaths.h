#pragma once
// File tests and path joining as the module needs them, on the Windows functions.
#include <string>

// True for an existing file that is not a folder.
bool FileExists(const std::wstring& path);
// The folder with one separator at its end ('/' when it has none; the host takes '/'
// and '\' alike); an empty folder gets the separator alone.
std::wstring WithSeparator(std::wstring folder);
