#pragma once
// One parameter set of the options (chains, height marks or texts): the three typed
// arrays, addressed by the IND_S_ / IND_D_ / IND_I_ indices.
#include "module/options/OptionIndices.h"

#include <string>
#include <vector>

struct COptionSet {
    std::vector<double> arrayOptDouble = std::vector<double>(OPT_DOUBLE_COUNT, 0.0);
    std::vector<std::wstring> arrayOptString = std::vector<std::wstring>(OPT_STRING_COUNT);
    std::vector<int> arrayOptInt = std::vector<int>(OPT_INT_COUNT, 0);

    // Back to the state before loading: every number 0, every text empty.
    void Reset()
    {
        arrayOptDouble.assign(OPT_DOUBLE_COUNT, 0.0);
        arrayOptString.assign(OPT_STRING_COUNT, std::wstring());
        arrayOptInt.assign(OPT_INT_COUNT, 0);
    }
};

// Slot 22 (IND_I_AltUnitsStatus / IND_I_TextAlignPlan) of an option set holds 7 or 9 only;
// anything else is taken as 9, when loaded and when saved.
inline int OptSevenOrNine(int value)
{
    return value == 7 || value == 9 ? value : 9;
}
