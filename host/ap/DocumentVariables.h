#pragma once
// The host variables that describe the current drawing: DWGNAME (its file's name),
// DWGPREFIX (its folder, with a trailing separator), DWGTITLED (1 once it has a
// file) and DBMOD (not 0 while it has changes not saved). All read-only.
namespace host::ap {

void defineDocumentVariables();

} // namespace host::ap
