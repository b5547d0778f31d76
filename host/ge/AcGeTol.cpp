#include "host/ge/AcGeTol.h"

AcGeTol AcGeContext::gTol;
