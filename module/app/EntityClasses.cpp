#include "module/app/EntityClasses.h"

#include "host/rx/AcRxClass.h"
#include "host/rx/AcRxDictionary.h"
#include "module/chain/TRdim.h"

// The height-mark class joins this list, after the chain, when it is built.
void RegisterEntityClasses() {
    TRdim::rxInit();
    acrxBuildClassHierarchy();
}

void DeleteEntityClasses() {
    // deleteAcRxClass frees the class object; the class forgets it too, so that a
    // later load registers it afresh instead of following a freed pointer.
    if (TRdim::desc()) deleteAcRxClass(TRdim::desc());
    TRdim::gpDesc = nullptr;
}

std::vector<AcRxClass*> EntityClasses() {
    std::vector<AcRxClass*> classes;
    if (TRdim::desc()) classes.push_back(TRdim::desc());
    return classes;
}
