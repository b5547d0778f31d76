#pragma once
// The world point of a point the user gave in the current UCS (acedGetPoint's answer).
#include "host/ge/AcGePoint3d.h"
#include "host/rx/adsdef.h"

AcGePoint3d WorldOf(const ads_point ucsPoint);
