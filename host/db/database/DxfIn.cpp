#include "host/db/database/DxfIn.h"

namespace host {

namespace {
DxfInHook& hook() {
    static DxfInHook installed;
    return installed;
}
} // namespace

void setDxfInHook(DxfInHook read) {
    hook() = std::move(read);
}

Acad::ErrorStatus dxfIn(AcDbDatabase* db, const wchar_t* fileName) {
    if (!db || !fileName || !*fileName) return Acad::eInvalidInput;
    if (!hook()) return Acad::eNotImplementedYet;
    return hook()(db, fileName);
}

} // namespace host
