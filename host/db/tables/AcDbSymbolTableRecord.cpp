#include "host/db/tables/AcDbSymbolTableRecord.h"

#include "host/db/filing/AcDbDwgFiler.h"
#include "host/db/tables/AcDbSymbolTable.h"
#include "host/rx/acutString.h"
#include "host/win/WinCrt.h"

#include <cwchar>

ACRX_HOST_DEFINE_MEMBERS(AcDbSymbolTableRecord, AcDbObject, L"", nullptr)

namespace host {

bool isValidSymbolName(const wchar_t* name, bool allowLeadingStar) {
    if (!name || !*name) return false;
    size_t n = std::wcslen(name);
    if (n > 255 || name[0] == L' ' || name[n - 1] == L' ') return false;
    for (size_t i = 0; i < n; ++i) {
        wchar_t c = name[i];
        if (c < 0x20) return false;
        if (c == L'*' && i == 0 && allowLeadingStar && n > 1) continue;
        if (std::wcschr(L"<>/\\\":;?*|,=`", c)) return false;
    }
    return true;
}

std::wstring symbolKey(const std::wstring& name) { return toUpperCase(name); }

} // namespace host

Acad::ErrorStatus AcDbSymbolTableRecord::getName(const wchar_t*& pName) const {
    pName = m_name.c_str();
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTableRecord::getName(wchar_t*& pName) const { return acutNewString(m_name.c_str(), pName); }

Acad::ErrorStatus AcDbSymbolTableRecord::getName(std::wstring& name) const {
    name = m_name;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTableRecord::setName(const wchar_t* pName) {
    if (!host::isValidSymbolName(pName, allowsStarName())) return Acad::eInvalidSymbolTableName;
    std::wstring newName = pName;
    if (newName == m_name) return Acad::eOk;
    if (isNameFixed() && !m_name.empty()) return Acad::eIllegalReplacement;
    // A record in a table is renamed through the table, which keeps names unique.
    if (AcDbStub* owner = ownerId()) {
        if (auto* table = AcDbSymbolTable::cast(owner->object)) {
            Acad::ErrorStatus es = table->renameRecord(objectId(), m_name, newName);
            if (es != Acad::eOk) return es;
        }
    }
    assertWriteEnabled();
    m_name = newName;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTableRecord::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbObject::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeString(m_name);
    return filer->filerStatus();
}

Acad::ErrorStatus AcDbSymbolTableRecord::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbObject::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    std::wstring name;
    if (filer->readString(name) != Acad::eOk) return filer->filerStatus();
    if (name != m_name && AcDbObjectId(ownerId()).isValid())
        if (auto* table = AcDbSymbolTable::cast(static_cast<AcDbStub*>(ownerId())->object))
            table->renameRecord(objectId(), m_name, name);
    m_name = name;
    return Acad::eOk;
}
