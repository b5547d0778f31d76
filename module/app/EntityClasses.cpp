#include "module/app/EntityClasses.h"

#include "host/rx/AcRxClass.h"
#include "host/rx/AcRxDictionary.h"

// The chain and height-mark classes join this list as they are built.
void RegisterEntityClasses() { acrxBuildClassHierarchy(); }

void DeleteEntityClasses() {}

std::vector<AcRxClass*> EntityClasses() { return {}; }
