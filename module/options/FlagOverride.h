#pragma once
// Sets a general flag for as long as it lives and puts the old value back; a flag the
// options do not have (or no options) is left alone.
#include "module/options/CGlobDimOptions.h"

#include <cstddef>

class FlagOverride {
public:
    FlagOverride(int index, int value) : m_index(index) {
        if (!pGlobDimOptions || index < 0 || index >= static_cast<int>(pGlobDimOptions->arrayOptFlags.size()))
            return;
        m_active = true;
        m_old = pGlobDimOptions->arrayOptFlags[static_cast<std::size_t>(index)];
        pGlobDimOptions->arrayOptFlags[static_cast<std::size_t>(index)] = value;
    }
    ~FlagOverride() {
        if (m_active && pGlobDimOptions) pGlobDimOptions->arrayOptFlags[static_cast<std::size_t>(m_index)] = m_old;
    }
    FlagOverride(const FlagOverride&) = delete;
    FlagOverride& operator=(const FlagOverride&) = delete;

private:
    int m_index;
    int m_old = 0;
    bool m_active = false;
};
