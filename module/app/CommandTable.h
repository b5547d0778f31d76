#pragma once
// The module's commands: the group, every command with its names and flags, the guard
// against running into a foreign command, and the frame of the creation commands.
#include <cstdint>
#include <string>
#include <vector>

// The command group, the same name as the module's service.
inline constexpr const wchar_t* kLintaroGroup = L"XOTA_LINTARO";

struct LintaroCommand {
    const wchar_t* globalName;
    const wchar_t* localName;
    int32_t flags;
    void (*handler)();
};

// The commands in the order they are added to the host.
const std::vector<LintaroCommand>& LintaroCommands();
// Adds every command to the host's command stack in the group "XOTA_LINTARO".
void AddLintaroCommands();
// One line of help per command for HELP, in the current language.
void RegisterLintaroCommandHelp();
void RemoveLintaroCommands();

// Makes sure the palette is there in the given mode; false when the layer a new
// object would get is "0" and that is forbidden.
bool PreparePalette(int mode);

// Making height marks needs the palette's rows and the value dialog, which sit above the
// commands: the palette installs the routine when it is made (null removes it).
void InstallHeightCreation(void (*make)(bool plan));

// The handlers other parts start directly.
void CmdDRStart();
void CmdDRStop();
void CmdLintaro();
