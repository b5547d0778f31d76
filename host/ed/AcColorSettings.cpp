#include "host/ed/AcColorSettings.h"

namespace {
AcColorSettings& current() {
    static AcColorSettings settings;
    return settings;
}
} // namespace

bool acedGetCurrentColors(AcColorSettings* pColorSettings) {
    if (!pColorSettings) return false;
    *pColorSettings = current();
    return true;
}

bool acedSetCurrentColors(AcColorSettings* pColorSettings) {
    if (!pColorSettings) return false;
    current() = *pColorSettings;
    return true;
}
