#pragma once
// A named record of a symbol table (layer, text style, block ...). Names are
// compared without regard to case; a record in a table cannot take a name another
// record of that table has.
#include "host/db/database/AcDbObject.h"

#include <string>

class AcDbSymbolTableRecord : public AcDbObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbSymbolTableRecord);
    ~AcDbSymbolTableRecord() override = default;

    // A pointer into the record, valid while it is open and not renamed.
    Acad::ErrorStatus getName(const wchar_t*& pName) const;
    // A copy the caller frees with acutDelString.
    Acad::ErrorStatus getName(wchar_t*& pName) const;
    Acad::ErrorStatus getName(std::wstring& name) const;
    const std::wstring& name() const { return m_name; }
    // eInvalidSymbolTableName for a name the host does not allow, eDuplicateRecordName
    // when another record of the table has it.
    Acad::ErrorStatus setName(const wchar_t* pName);

    bool isDependent() const { return false; }
    bool isResolved() const { return true; }
    bool isRenamable() const { return true; }

    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;

protected:
    AcDbSymbolTableRecord() = default;
    // Names that must stay (layer "0", *Model_Space ...) refuse a rename here.
    virtual bool isNameFixed() const { return false; }
    // Whether a name may start with "*" (block names).
    virtual bool allowsStarName() const { return false; }

private:
    std::wstring m_name;
};

namespace host {
// The host's rules for symbol names: not empty, at most 255 characters, none of
// < > / \ " : ; ? * | , = ` (a leading "*" where allowed), no leading or trailing blank.
bool isValidSymbolName(const wchar_t* name, bool allowLeadingStar);
// Upper-cases for comparing names.
std::wstring symbolKey(const std::wstring& name);
} // namespace host
