#pragma once
// How runtime classes find their parents whatever order they are registered in. A
// class whose parent is not registered yet waits for it and is linked when it comes;
// a host class named as a parent is registered on the spot, the way its desc() would.
#include "host/rx/AcRxObject.h"

namespace host {

// The registered class of that name; a host class that has not been used yet is
// registered now. Null when there is neither.
AcRxClass* findOrRegisterClass(const wchar_t* name);

// Gives `cls` the parent called `parentName`: now when it can be found, else as soon
// as a class of that name is registered. A parent that would close a loop is refused.
void linkParent(AcRxClass* cls, const wchar_t* parentName);

// Call after `cls` joined the class dictionary: the classes waiting for a parent of
// its name get it.
void adoptWaitingChildren(AcRxClass* cls);

// Call before `cls` is deleted: it waits for nothing, and its children wait for the
// next class of its name instead of pointing at freed memory.
void forgetClass(AcRxClass* cls);

// Tries once more to link every waiting class; true when none is left waiting.
bool linkWaitingClasses();

// True for a class the host defines, not an application's.
bool isHostClass(const AcRxClass* cls);

} // namespace host
