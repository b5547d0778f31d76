#pragma once
// A linetype: its description and dash pattern (positive dashes, negative gaps,
// 0 dots).
#include "host/db/tables/AcDbSymbolTableRecord.h"

#include <vector>

class AcDbLinetypeTableRecord : public AcDbSymbolTableRecord {
public:
    ACRX_DECLARE_MEMBERS(AcDbLinetypeTableRecord);
    AcDbLinetypeTableRecord() = default;
    ~AcDbLinetypeTableRecord() override = default;

    Acad::ErrorStatus comments(const wchar_t*& pString) const;
    Acad::ErrorStatus setComments(const wchar_t* pString);
    double patternLength() const;
    int numDashes() const { return int(m_dashes.size()); }
    // Grows with zero dashes or cuts; a negative count is refused.
    Acad::ErrorStatus setNumDashes(int count);
    double dashLengthAt(int index) const;
    Acad::ErrorStatus setDashLengthAt(int index, double value);
    bool isScaledToFit() const { return m_scaledToFit; }
    void setIsScaledToFit(bool scaledToFit);

    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;

protected:
    bool isNameFixed() const override;

private:
    std::wstring m_comments;
    std::vector<double> m_dashes;
    bool m_scaledToFit = false;
};
