#include "host/db/database/AcCmColor.h"

#include "host/db/filing/AcDbDwgFiler.h"
#include "host/win/FormatW.h"

Acad::ErrorStatus AcCmColor::setNames(const wchar_t* colorName, const wchar_t* bookName) {
    m_colorName = colorName ? colorName : L"";
    m_bookName = bookName ? bookName : L"";
    return Acad::eOk;
}

std::wstring AcCmColor::getDescription() const {
    if (isByLayer()) return L"BYLAYER";
    if (isByBlock()) return L"BYBLOCK";
    if (isByColor()) return host::FormatW(L"%d,%d,%d", red(), green(), blue());
    if (isNone()) return L"NONE";
    return host::FormatW(L"%d", colorIndex());
}

Acad::ErrorStatus AcCmColor::dwgOut(AcDbDwgFiler* filer) const {
    filer->writeUInt32(color());
    filer->writeString(m_colorName);
    filer->writeString(m_bookName);
    return filer->filerStatus();
}

Acad::ErrorStatus AcCmColor::dwgIn(AcDbDwgFiler* filer) {
    Adesk::UInt32 packed = 0;
    std::wstring name, book;
    filer->readUInt32(&packed);
    filer->readString(name);
    filer->readString(book);
    if (filer->filerStatus() != Acad::eOk) return filer->filerStatus();
    AcGiColor c;
    if (c.setColor(packed) != Acad::eOk) {
        filer->setFilerStatus(Acad::eInvalidInput);
        return Acad::eInvalidInput;
    }
    static_cast<AcGiColor&>(*this) = c;
    m_colorName = name;
    m_bookName = book;
    return Acad::eOk;
}
