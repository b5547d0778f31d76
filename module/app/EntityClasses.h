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
// Makes the host load the module when a drawing holds chains or height marks
// while it is not loaded: the module's demand-loading record in the host's
// registry, written when missing or out of date. False when it could not be written.
bool RegisterDemandLoading();
// The registered classes, for the MATCHPROP protocol extension.
std::vector<AcRxClass*> EntityClasses();
