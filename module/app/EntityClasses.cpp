#include "module/app/EntityClasses.h"

#include "host/rx/AcRxClass.h"
#include "host/rx/AcRxDictionary.h"
#include "module/chain/TRdim.h"
#include "module/height/TRdimHeight.h"

void RegisterEntityClasses() {
    TRdim::rxInit();
    TRdimHeight::rxInit();
    acrxBuildClassHierarchy();
}

void DeleteEntityClasses() {
    // deleteAcRxClass frees the class object; the class forgets it too, so that a
    // later load registers it afresh instead of following a freed pointer.
    if (TRdimHeight::desc()) deleteAcRxClass(TRdimHeight::desc());
    TRdimHeight::gpDesc = nullptr;
    if (TRdim::desc()) deleteAcRxClass(TRdim::desc());
    TRdim::gpDesc = nullptr;
}

std::vector<AcRxClass*> EntityClasses() {
    std::vector<AcRxClass*> classes;
    if (TRdim::desc()) classes.push_back(TRdim::desc());
    if (TRdimHeight::desc()) classes.push_back(TRdimHeight::desc());
    return classes;
}
