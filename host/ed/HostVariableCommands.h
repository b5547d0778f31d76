#pragma once
// SETVAR, the host's command for its variables, and the variables the working drawing
// answers itself:
//   SETVAR      a variable's name, then its new value (Enter keeps the value shown);
//               an unknown name or a value the variable refuses changes nothing
//   CANNOSCALE  the drawing's current annotation scale, named "paper:drawing" ("1:50");
//               a name that is no such pair of positive numbers is refused
// Every change of a variable is told to the editor's reactors (sysVarWillChange,
// then sysVarChanged with whether it succeeded).
namespace host {

// Adds SETVAR and the variables. Later calls change nothing.
void registerVariableCommands();

} // namespace host
