#include "host/db/database/LineWeights.h"

namespace host {

bool isLineWeight(int value) {
    static const int weights[] = {-3, -2, -1, 0, 5, 9, 13, 15, 18, 20, 25, 30, 35, 40, 50, 53,
                                  60, 70, 80, 90, 100, 106, 120, 140, 158, 200, 211};
    for (int w : weights)
        if (w == value) return true;
    return false;
}

} // namespace host
