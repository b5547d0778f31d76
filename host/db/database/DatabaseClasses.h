#pragma once
// The concrete classes of the database layer, for code that makes objects from a
// class name (reading drawing files). Host classes register themselves on first
// use, so a process that never touched AcDbLine would not find it by name; this
// registers them all at once.
class AcRxClass;

namespace host {

// Registers every concrete object class the database layer defines; cheap after
// the first call.
void registerDatabaseClasses();
// True for one of those classes (their objects need no proxy graphics in a file:
// every build of the host can draw them).
bool isDatabaseClass(const AcRxClass* cls);

} // namespace host
