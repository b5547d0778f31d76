#pragma once
// The replace dialogs' remembered settings in the main INI: one section per dialog,
// the earlier replacement texts under the key "Replace", newest first.
#include <string>
#include <vector>

inline constexpr const wchar_t* kDlgReplaceSection = L"DlgReplace";
inline constexpr const wchar_t* kDlgReplaceExternalSection = L"DlgReplaceExternal";
inline constexpr const wchar_t* kDlgReplacePathSection = L"DlgReplacePath";

std::vector<std::wstring> LoadReplacementList(const wchar_t* section);
// Puts `replacement` at the head of the section's list when it is new and stores the
// list; returns the list as stored.
std::vector<std::wstring> RememberReplacementIn(const wchar_t* section, const std::wstring& replacement);
