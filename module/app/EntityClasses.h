#pragma once
// The module's entity classes: registered at start, deleted at the module's exit,
// and given the MATCHPROP protocol.
#include <vector>

class AcRxClass;

// Registers every entity class the module has (chains first, then height marks) and
// builds the class hierarchy.
void RegisterEntityClasses();
// Deletes the classes again, in the same order.
void DeleteEntityClasses();
// The registered classes, for the MATCHPROP protocol extension.
std::vector<AcRxClass*> EntityClasses();
