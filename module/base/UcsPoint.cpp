#include "module/base/UcsPoint.h"

#include "host/ed/Ucs.h"

AcGePoint3d WorldOf(const ads_point ucsPoint) {
    ads_point w;
    acdbUcs2Wcs(ucsPoint, w, false);
    return AcGePoint3d(w[0], w[1], w[2]);
}
