#pragma once
// The module's three AutoLISP functions; the index in the table is the function code.
struct LintaroLispFunction {
    const wchar_t* name;
    int (*function)();
};

// "C:XOTA_LintaroPopUp", "C:XOTA_LintaroPopUpH", "XOTA_LintaroMakeDimByLine".
const LintaroLispFunction* LintaroLispTable(int& count);
// kLoadDwgMsg: defines every function for the new document.
void DefineLispFunctions();
// kUnloadDwgMsg: undefines them.
void UndefineLispFunctions();
