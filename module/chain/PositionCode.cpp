#include "module/chain/PositionCode.h"

#include <climits>
#include <cstdlib>

int EffectiveCode(int code) {
    const int a = code == INT_MIN ? kStandardTextCode : std::abs(code);
    return (a == 0 || a > 15) ? kStandardTextCode : a;
}

CodeColumn ColumnOf(int code) {
    switch ((EffectiveCode(code) - 1) / 3) {
    case 0:
        return CodeColumn::Before;
    case 1:
        return CodeColumn::StartInside;
    case 3:
        return CodeColumn::EndInside;
    case 4:
        return CodeColumn::After;
    default:
        return CodeColumn::Middle;
    }
}

CodeRow RowOf(int code) {
    switch ((EffectiveCode(code) - 1) % 3) {
    case 0:
        return CodeRow::Raised;
    case 2:
        return CodeRow::Below;
    default:
        return CodeRow::Above;
    }
}

bool IsInnerCode(int code) {
    const int c = EffectiveCode(code);
    return c >= 4 && c <= 12;
}

bool IsBeforeCode(int code) {
    return ColumnOf(code) == CodeColumn::Before;
}
bool IsAfterCode(int code) {
    return ColumnOf(code) == CodeColumn::After;
}

TextAnchor AnchorOf(int code) {
    switch (ColumnOf(code)) {
    case CodeColumn::Before:
    case CodeColumn::EndInside:
        return TextAnchor::End;
    case CodeColumn::StartInside:
    case CodeColumn::After:
        return TextAnchor::Start;
    default:
        return TextAnchor::Centre;
    }
}

SegmentAnchor SegmentAnchorOf(int code) {
    switch (ColumnOf(code)) {
    case CodeColumn::Before:
    case CodeColumn::StartInside:
        return SegmentAnchor::First;
    case CodeColumn::EndInside:
    case CodeColumn::After:
        return SegmentAnchor::Last;
    default:
        return SegmentAnchor::Middle;
    }
}

double AlongShift(int code, double gap, double h0, bool automatic) {
    switch (ColumnOf(code)) {
    case CodeColumn::Before:
    case CodeColumn::EndInside:
        return automatic ? -0.1 * h0 : -gap;
    case CodeColumn::StartInside:
    case CodeColumn::After:
        return automatic ? 0.2 * h0 : gap;
    default:
        return 0.0;
    }
}

double AcrossShift(int code, double gap, double blockHeight) {
    switch (RowOf(code)) {
    case CodeRow::Raised:
        return blockHeight + 2.0 * gap;
    case CodeRow::Below:
        return -(gap + blockHeight);
    default:
        return gap;
    }
}

std::vector<int> AutoPositionCandidates(const std::vector<int>& order, bool mirror) {
    std::vector<int> out;
    out.reserve(order.size() + 1);
    bool standardIn = false;
    for (int code : order) {
        if (!standardIn && (code == 7 || code == 9)) {
            out.push_back(kStandardTextCode);
            standardIn = true;
        }
        out.push_back(code);
    }
    if (mirror)
        for (int& code : out) {
            if (code >= 13 && code <= 15)
                code -= 12;
            else if (code >= 1 && code < 4)
                code += 12;
        }
    return out;
}
