#include "module/chain/TRdimParams.h"

#include "module/options/OptionIndices.h"

namespace {

template <class T> bool inside(std::span<const T> array, int index) {
    return index >= 0 && static_cast<size_t>(index) < array.size();
}

const int kChainOwnInts[] = {IND_I_ArcDimMinPoint, IND_I_ArcDimMaxPoint, IND_I_ArcDimAsCircle, IND_I_ArcDimCW,
                             IND_I_ArcDimInputArcIsCircle};

} // namespace

std::uint32_t ParamArraysView::Int(int index) const {
    return inside(m_ints, index) ? m_ints[index] : 0;
}

double ParamArraysView::Double(int index) const {
    return inside(m_doubles, index) ? m_doubles[index] : 0.0;
}

const std::wstring& ParamArraysView::String(int index) const {
    static const std::wstring empty;
    return inside(m_strings, index) ? m_strings[index] : empty;
}

void CopyParams(TRdimDoubleArray& arrayDouble, TRdimStringArray& arrayString, TRdimIntArray& arrayInt,
                const TRdimParams& source) {
    if (&arrayInt == &source.arrayInt) return;
    const TRdimIntArray own = arrayInt;
    arrayDouble = source.arrayDouble;
    arrayString = source.arrayString;
    arrayInt = source.arrayInt;
    for (int index : kChainOwnInts) {
        const size_t i = static_cast<size_t>(index);
        if (i < own.size() && i < arrayInt.size()) arrayInt[i] = own[i];
    }
}

void CopyParams(TRdimParams& target, const TRdimParams& source) {
    CopyParams(target.arrayDouble, target.arrayString, target.arrayInt, source);
}

bool IsStatusOn(std::uint32_t status, bool hasGlobalOptions, bool globalFlag) {
    if (status == 1) return true;
    if (status == 0) return hasGlobalOptions ? globalFlag : true;
    return false;
}
