#include "host/db/entities/AcDbAnnotationScale.h"

#include "host/rx/acutString.h"

#include <cmath>

ACRX_HOST_DEFINE_MEMBERS(AcDbAnnotationScale, AcRxObject, L"", nullptr)

Acad::ErrorStatus AcDbAnnotationScale::getName(std::wstring& name) const {
    name = m_name;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbAnnotationScale::getName(wchar_t*& name) const { return acutNewString(m_name.c_str(), name); }

Acad::ErrorStatus AcDbAnnotationScale::setName(const std::wstring& name) {
    if (name.empty()) return Acad::eInvalidInput;
    m_name = name;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbAnnotationScale::getPaperUnits(double& dPaperUnits) const {
    dPaperUnits = m_paperUnits;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbAnnotationScale::getDrawingUnits(double& dDrawingUnits) const {
    dDrawingUnits = m_drawingUnits;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbAnnotationScale::setPaperUnits(double dPaperUnits) {
    if (!std::isfinite(dPaperUnits) || dPaperUnits <= 0.0) return Acad::eInvalidInput;
    m_paperUnits = dPaperUnits;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbAnnotationScale::setDrawingUnits(double dDrawingUnits) {
    if (!std::isfinite(dDrawingUnits) || dDrawingUnits <= 0.0) return Acad::eInvalidInput;
    m_drawingUnits = dDrawingUnits;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbAnnotationScale::getScale(double& dScale) const {
    dScale = m_paperUnits / m_drawingUnits;
    return Acad::eOk;
}

Acad::ErrorStatus AcDbAnnotationScale::copyFrom(const AcRxObject* other) {
    const AcDbAnnotationScale* src = AcDbAnnotationScale::cast(other);
    if (!src) return Acad::eNotThatKindOfClass;
    *this = *src;
    return Acad::eOk;
}
