#pragma once
// A text style: font file (or TrueType typeface), big font, fixed height, width
// factor, oblique angle and flags.
#include "host/db/tables/AcDbSymbolTableRecord.h"

class AcGiTextStyle;

class AcDbTextStyleTableRecord : public AcDbSymbolTableRecord {
public:
    ACRX_DECLARE_MEMBERS(AcDbTextStyleTableRecord);
    AcDbTextStyleTableRecord() = default;
    ~AcDbTextStyleTableRecord() override = default;

    Acad::ErrorStatus fileName(const wchar_t*& fileName) const;
    Acad::ErrorStatus setFileName(const wchar_t* fileName);
    Acad::ErrorStatus bigFontFileName(const wchar_t*& fileName) const;
    Acad::ErrorStatus setBigFontFileName(const wchar_t* fileName);
    // The TrueType typeface (empty for a shape font); the typeface is a copy the
    // caller frees with acutDelString.
    Acad::ErrorStatus font(wchar_t*& pTypeface, bool& bold, bool& italic, int& charset, int& pitchAndFamily) const;
    Acad::ErrorStatus setFont(const wchar_t* pTypeface, bool bold, bool italic, int charset, int pitchAndFamily);
    const std::wstring& typeface() const { return m_typeface; }

    // Fixed text height (0: asked for each text).
    double textSize() const { return m_textSize; }
    Acad::ErrorStatus setTextSize(double size);
    double priorSize() const { return m_priorSize; }
    Acad::ErrorStatus setPriorSize(double size);
    double xScale() const { return m_xScale; }
    Acad::ErrorStatus setXScale(double xScale);
    double obliquingAngle() const { return m_oblique; }
    Acad::ErrorStatus setObliquingAngle(double obliquingAngle);
    bool isShapeFile() const { return m_isShapeFile; }
    void setIsShapeFile(bool shape);
    bool isVertical() const { return m_isVertical; }
    void setIsVertical(bool vertical);
    // Bit 2 backward, bit 4 upside down.
    Adesk::UInt8 flagBits() const { return m_flagBits; }
    void setFlagBits(Adesk::UInt8 flagBits);

    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;

private:
    std::wstring m_fileName = L"txt";
    std::wstring m_bigFontFileName;
    std::wstring m_typeface;
    bool m_bold = false;
    bool m_italic = false;
    int m_charset = 0;
    int m_pitchAndFamily = 0;
    double m_textSize = 0.0;
    double m_priorSize = 2.5;
    double m_xScale = 1.0;
    double m_oblique = 0.0;
    bool m_isShapeFile = false;
    bool m_isVertical = false;
    Adesk::UInt8 m_flagBits = 0;
};

// The drawing layer's text style of a text style record (font, size, width
// factor, oblique angle, flags). eKeyNotFound when the id is no text style.
Acad::ErrorStatus fromAcDbTextStyle(AcGiTextStyle& textStyle, const AcDbObjectId& styleId);
// The text style named `styleName` of the working database.
Acad::ErrorStatus fromAcDbTextStyle(AcGiTextStyle& textStyle, const wchar_t* styleName);
