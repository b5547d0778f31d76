#include "host/db/filing/AcDbDxfFiler.h"

ACRX_HOST_DEFINE_MEMBERS(AcDbDxfFiler, AcRxObject, L"", nullptr)
