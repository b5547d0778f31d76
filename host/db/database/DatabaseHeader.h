#pragma once
// The header variables of a drawing, as the database keeps and files them.
#include "host/db/database/AcCmColor.h"
#include "host/db/database/AcDb.h"
#include "host/db/database/AcDbObjectId.h"
#include "host/ge/AcGePoint2d.h"
#include "host/ge/AcGePoint3d.h"
#include "host/ge/AcGeVector3d.h"

#include <string>

class AcDbDwgFiler;

namespace host {

struct DatabaseHeader {
    AcDbObjectId clayer;
    AcDbObjectId textstyle;
    AcDbObjectId dimstyle;
    AcDbObjectId celtype;
    AcCmColor cecolor;
    AcDb::LineWeight celweight = AcDb::kLnWtByLayer;
    double ltscale = 1.0;
    double celtscale = 1.0;
    double textsize = 2.5;
    double dimscale = 1.0;
    AcDb::UnitsValue insunits = AcDb::kUnitsMeters;
    AcDb::MeasurementValue measurement = AcDb::kMetric;
    Adesk::Int16 lunits = 2;
    Adesk::Int16 luprec = 4;
    Adesk::Int16 aunits = 0;
    Adesk::Int16 auprec = 0;
    bool tilemode = true;
    Adesk::Int16 pdmode = 0;
    double pdsize = 0.0;
    AcGePoint3d ucsorg;
    AcGeVector3d ucsxdir = AcGeVector3d::kXAxis;
    AcGeVector3d ucsydir = AcGeVector3d::kYAxis;
    std::wstring cannoscaleName = L"1:1";
    double cannoscalePaperUnits = 1.0;
    double cannoscaleDrawingUnits = 1.0;
    Adesk::Int16 proxygraphics = 1; // 0: custom entities are saved without their graphics
    // The drawing limits of model and paper space (an A3 sheet in millimetres).
    AcGePoint2d limmin, limmax{420.0, 297.0};
    AcGePoint2d plimmin, plimmax{420.0, 297.0};

    Acad::ErrorStatus dwgOut(AcDbDwgFiler* filer) const;
    // Values that make no sense (a zero scale, axes that are not axes) are refused
    // and the header stays as it was.
    Acad::ErrorStatus dwgIn(AcDbDwgFiler* filer);
};

} // namespace host
