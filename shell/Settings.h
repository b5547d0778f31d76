#pragma once
// Where the program keeps what a person may edit: beside the add-on's settings
// ($APPDATA/tessaron/lintaro, made when missing), the alias file lintaro.pgp, and the
// language choice the add-on reads from lintaro.ini.
#include <string>

namespace shell {

// The folder, without a trailing separator; empty when there is no application-data
// folder at all.
std::wstring settingsFolder();
// --lang: "en" chooses the English language module, "de" the add-on's own German
// texts. Stored as Language= in [LastStatus] of lintaro.ini, where the add-on reads it
// when it starts, so the choice holds for later runs too. False for another tag.
bool chooseLanguage(const std::string& tag);

} // namespace shell
