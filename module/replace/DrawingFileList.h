#pragma once
// The drawings a replace over files works on: the files a path with a wildcard mask
// names ("/plans/EG*.dwg"), or the drawings of a folder, optionally with its
// subfolders. Only files with the drawing extension (".dwg", any case) are listed,
// sorted by name within each folder, a folder's own files before its subfolders'.
#include <string>
#include <vector>

// Source 0: `mask` is a path whose last part may hold '*' and '?'. A mask without
// wildcards names one file (listed when it exists and is a drawing). Several masks or
// files may be given, separated by ";" (what the file chooser gives for several files).
std::vector<std::wstring> DrawingFilesByMask(const std::wstring& mask);
// Source 1: the drawings of `folder` (a missing trailing separator is added), and with
// `subfolders` those of every folder below it.
std::vector<std::wstring> DrawingFilesInFolder(const std::wstring& folder, bool subfolders);
// Whether the name ends in the drawing extension, without regard to case.
bool IsDrawingFileName(const std::wstring& name);
