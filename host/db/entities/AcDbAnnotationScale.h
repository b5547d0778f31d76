#pragma once
// An annotation scale: a name ("1:50") and how many drawing units one paper unit
// is. The scale of annotative objects is paper units / drawing units.
#include "host/rx/AcRxObject.h"

#include <string>

class AcDbAnnotationScale : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbAnnotationScale);
    AcDbAnnotationScale() = default;
    AcDbAnnotationScale(const std::wstring& name, double paperUnits, double drawingUnits)
        : m_name(name), m_paperUnits(paperUnits), m_drawingUnits(drawingUnits) {}
    ~AcDbAnnotationScale() override = default;

    Acad::ErrorStatus getName(std::wstring& name) const;
    // A copy the caller frees with acutDelString.
    Acad::ErrorStatus getName(wchar_t*& name) const;
    Acad::ErrorStatus setName(const std::wstring& name);
    Acad::ErrorStatus getPaperUnits(double& dPaperUnits) const;
    Acad::ErrorStatus getDrawingUnits(double& dDrawingUnits) const;
    // Units that are not positive are refused.
    Acad::ErrorStatus setPaperUnits(double dPaperUnits);
    Acad::ErrorStatus setDrawingUnits(double dDrawingUnits);
    // paper units / drawing units.
    Acad::ErrorStatus getScale(double& dScale) const;
    const wchar_t* collectionName() const { return L"ACDB_ANNOTATIONSCALES"; }

    AcRxObject* clone() const override { return new AcDbAnnotationScale(*this); }
    Acad::ErrorStatus copyFrom(const AcRxObject* other) override;

private:
    std::wstring m_name = L"1:1";
    double m_paperUnits = 1.0;
    double m_drawingUnits = 1.0;
};
