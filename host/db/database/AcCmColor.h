#pragma once
// Entity colours: AcCmEntityColor is the method and value an entity carries
// (ByLayer 256, ByBlock 0, an index 1..255, or a true colour); AcCmColor adds the
// colour-book name and files itself. Both are the drawing layer's AcGiColor in
// shape, so traits take them as they are.
#include "host/db/database/adesk.h"
#include "host/gi/AcGiColor.h"
#include "host/rx/acadstrc.h"

#include <string>

class AcDbDwgFiler;

class AcCmEntityColor : public AcGiColor {
public:
    AcCmEntityColor() = default;
    AcCmEntityColor(const AcGiColor& c) : AcGiColor(c) {}
    explicit AcCmEntityColor(ColorMethod method) : AcGiColor(method) {}
    AcCmEntityColor(Adesk::UInt8 red, Adesk::UInt8 green, Adesk::UInt8 blue) : AcGiColor(red, green, blue) {}
};

class AcCmColor : public AcCmEntityColor {
public:
    AcCmColor() = default;
    AcCmColor(const AcGiColor& c) : AcCmEntityColor(c) {}

    AcCmEntityColor entityColor() const { return *this; }
    Acad::ErrorStatus setNames(const wchar_t* colorName, const wchar_t* bookName = nullptr);
    const wchar_t* colorName() const { return m_colorName.c_str(); }
    const wchar_t* bookName() const { return m_bookName.c_str(); }
    bool hasColorName() const { return !m_colorName.empty(); }
    bool hasBookName() const { return !m_bookName.empty(); }
    // "BYLAYER", "BYBLOCK", the index as text, or "r,g,b".
    std::wstring getDescription() const;

    Acad::ErrorStatus dwgOut(AcDbDwgFiler* filer) const;
    // A packed value that names no colour method is refused; the colour stays.
    Acad::ErrorStatus dwgIn(AcDbDwgFiler* filer);

    bool operator==(const AcCmColor& o) const {
        return AcGiColor::operator==(o) && m_colorName == o.m_colorName && m_bookName == o.m_bookName;
    }
    bool operator!=(const AcCmColor& o) const { return !(*this == o); }

private:
    std::wstring m_colorName;
    std::wstring m_bookName;
};
