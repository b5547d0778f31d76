#include "module/chain/ChainScale.h"

#include "module/options/OptionIndices.h"

#include <cstddef>

double AcadUnitsOrDefault(double acadUnits) {
    return acadUnits == 0 ? kDefaultAcadUnits : acadUnits;
}

namespace {

bool repairZero(std::vector<double>& arrayDouble, int index, double replacement) {
    const std::size_t i = static_cast<std::size_t>(index);
    if (i >= arrayDouble.size() || arrayDouble[i] != 0) return false;
    arrayDouble[i] = replacement;
    return true;
}

} // namespace

bool RepairAcadUnits(std::vector<double>& arrayDouble) {
    return repairZero(arrayDouble, IND_D_AcadUnits, kDefaultAcadUnits);
}

bool RepairScale(std::vector<double>& arrayDouble) {
    return repairZero(arrayDouble, IND_D_ScaleVal, kRepairedScale);
}

double ChainScale(double scaleVal, bool annotative, double annotationScale) {
    const double scale = annotative ? annotationScale : scaleVal;
    return scale == 0 ? kRepairedScale : scale;
}

double PaperToModelSize(double size, double scale, double acadUnits) {
    if (scale == 0) scale = kRepairedScale;
    return size / scale * AcadUnitsOrDefault(acadUnits);
}
