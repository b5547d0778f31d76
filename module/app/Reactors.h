#pragma once
// The editor, document and database reactors that keep the module's objects right
// under the host's own commands.
void InstallReactors();
void RemoveReactors();
bool AreReactorsInstalled();
