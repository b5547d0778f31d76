// Runtime classes of the drawing interfaces; registered on first use so that the
// database's classes can name them as parents.
#include "host/gi/AcGiCommonDraw.h"
#include "host/gi/AcGiContext.h"
#include "host/gi/AcGiDrawable.h"
#include "host/gi/AcGiGeometry.h"
#include "host/gi/AcGiSubEntityTraits.h"
#include "host/gi/AcGiViewportDraw.h"
#include "host/gi/AcGiWorldDraw.h"
#include "host/gi/AcGiWorldGeometry.h"
#include "host/rx/AcRxClass.h"

ACRX_HOST_DEFINE_MEMBERS(AcGiDrawable, AcRxObject, L"", nullptr)
ACRX_HOST_DEFINE_MEMBERS(AcGiContext, AcRxObject, L"", nullptr)
ACRX_HOST_DEFINE_MEMBERS(AcGiSubEntityTraits, AcRxObject, L"", nullptr)
ACRX_HOST_DEFINE_MEMBERS(AcGiDrawableTraits, AcGiSubEntityTraits, L"", nullptr)
ACRX_HOST_DEFINE_MEMBERS(AcGiGeometry, AcRxObject, L"", nullptr)
ACRX_HOST_DEFINE_MEMBERS(AcGiWorldGeometry, AcGiGeometry, L"", nullptr)
ACRX_HOST_DEFINE_MEMBERS(AcGiViewportGeometry, AcGiGeometry, L"", nullptr)
ACRX_HOST_DEFINE_MEMBERS(AcGiCommonDraw, AcRxObject, L"", nullptr)
ACRX_HOST_DEFINE_MEMBERS(AcGiWorldDraw, AcGiCommonDraw, L"", nullptr)
ACRX_HOST_DEFINE_MEMBERS(AcGiViewportDraw, AcGiCommonDraw, L"", nullptr)
