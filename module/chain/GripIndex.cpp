#include "module/chain/GripIndex.h"

int GripCount(int extensions, int handPlaced, bool circleText) {
    if (extensions < 1) return 0;
    return 4 * extensions - 1 + (handPlaced > 0 ? handPlaced : 0) + (circleText ? 1 : 0);
}

GripRef GripOf(int index, int extensions, int handPlaced, bool circleText) {
    GripRef ref;
    const int count = GripCount(extensions, handPlaced, circleText);
    if (index < 0 || index >= count) return ref;
    const int extensionGrips = 4 * extensions - 1;
    if (index < extensionGrips) {
        // Extension 0 has no text grip, so every later index is shifted by one.
        ref.kind = GripRef::kExtension;
        ref.extension = (index + 1) / 4;
        ref.component = (index < 3 ? index : index + 1) - 4 * ref.extension;
        return ref;
    }
    if (circleText && index == count - 1) {
        ref.kind = GripRef::kCircleText;
        return ref;
    }
    ref.kind = GripRef::kAppendedText;
    ref.appended = index - extensionGrips;
    return ref;
}

int GripIndexOf(int extension, int component, int extensions) {
    if (extension < 0 || extension >= extensions || component < 0 || component > 3) return -1;
    if (extension == 0) return component < 3 ? component : -1;
    return 4 * extension + component - 1;
}
