#include "module/app/LispTable.h"

#include "host/ed/lisp/LispFunctions.h"
#include "module/app/ContextMenuPort.h"
#include "module/app/LintaroApp.h"
#include "module/base/LintaroLog.h"
#include "module/chain/TRdimCreate.h"

#include <iterator>

namespace {

// The chain operation chosen in the context menu, in command context.
int popUpChain() { return XOTA_OnPopupVargo(); }

// The height-mark operation chosen in the context menu, in command context.
int popUpHeightMark() { return XOTA_OnPopupMHDim(); }

int makeDimByLine() { return MakeDimByLineFromLisp(); }

const LintaroLispFunction kTable[] = {
    {L"C:XOTA_LintaroPopUp", &popUpChain},
    {L"C:XOTA_LintaroPopUpH", &popUpHeightMark},
    {L"XOTA_LintaroMakeDimByLine", &makeDimByLine},
};
constexpr int kCount = static_cast<int>(std::size(kTable));

// What the host calls for a registered code: the same answer as the dispatch.
template <int Code> int registeredHandler() {
    acedRetVoid();
    return kTable[Code].function() == RTNORM ? RSRSLT : RSERR;
}
int (*const kHandlers[])() = {&registeredHandler<0>, &registeredHandler<1>, &registeredHandler<2>};

} // namespace

const LintaroLispFunction* LintaroLispTable(int& count) {
    count = kCount;
    return kTable;
}

void DefineLispFunctions() {
    for (int code = 0; code < kCount; ++code) {
        acedDefun(kTable[code].name, code);
        acedRegFunc(kHandlers[code], code);
    }
}

void UndefineLispFunctions() {
    for (int code = 0; code < kCount; ++code) acedUndef(kTable[code].name, code);
}

int DispatchLispFunction() {
    acedRetVoid();
    const int code = acedGetFunCode();
    if (code < 0 || code >= kCount) return RTERROR;
    return kTable[code].function() == RTNORM ? RSRSLT : RSERR;
}
