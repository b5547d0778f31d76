#include "host/db/database/DatabaseHeader.h"

#include "host/db/filing/AcDbDwgFiler.h"
#include "host/db/database/LineWeights.h"

#include <cmath>

namespace host {

namespace {
// 2: PROXYGRAPHICS and the limits of model and paper space; version 1 drawings
// read with their defaults.
constexpr Adesk::Int16 kHeaderVersion = 2;
bool finite(const AcGePoint2d& p) { return std::isfinite(p.x) && std::isfinite(p.y); }

bool positive(double v) { return std::isfinite(v) && v > 0.0; }
} // namespace

Acad::ErrorStatus DatabaseHeader::dwgOut(AcDbDwgFiler* f) const {
    f->writeInt16(kHeaderVersion);
    f->writeHardPointerId(clayer);
    f->writeHardPointerId(textstyle);
    f->writeHardPointerId(dimstyle);
    f->writeHardPointerId(celtype);
    cecolor.dwgOut(f);
    f->writeInt16(Adesk::Int16(celweight));
    f->writeDouble(ltscale);
    f->writeDouble(celtscale);
    f->writeDouble(textsize);
    f->writeDouble(dimscale);
    f->writeInt16(Adesk::Int16(insunits));
    f->writeInt16(Adesk::Int16(measurement));
    f->writeInt16(lunits);
    f->writeInt16(luprec);
    f->writeInt16(aunits);
    f->writeInt16(auprec);
    f->writeBoolean(tilemode);
    f->writeInt16(pdmode);
    f->writeDouble(pdsize);
    f->writePoint3d(ucsorg);
    f->writeVector3d(ucsxdir);
    f->writeVector3d(ucsydir);
    f->writeString(cannoscaleName);
    f->writeDouble(cannoscalePaperUnits);
    f->writeDouble(cannoscaleDrawingUnits);
    f->writeInt16(proxygraphics);
    for (const AcGePoint2d* p : {&limmin, &limmax, &plimmin, &plimmax}) f->writePoint2d(*p);
    return f->filerStatus();
}

Acad::ErrorStatus DatabaseHeader::dwgIn(AcDbDwgFiler* f) {
    DatabaseHeader h;
    Adesk::Int16 version = 0, lw = 0, units = 0, meas = 0;
    f->readInt16(&version);
    if (f->filerStatus() == Acad::eOk && (version < 1 || version > kHeaderVersion))
        f->setFilerStatus(Acad::eInvalidDwgVersion);
    AcDbHardPointerId id;
    f->readHardPointerId(&id), h.clayer = id;
    f->readHardPointerId(&id), h.textstyle = id;
    f->readHardPointerId(&id), h.dimstyle = id;
    f->readHardPointerId(&id), h.celtype = id;
    h.cecolor.dwgIn(f);
    f->readInt16(&lw);
    f->readDouble(&h.ltscale);
    f->readDouble(&h.celtscale);
    f->readDouble(&h.textsize);
    f->readDouble(&h.dimscale);
    f->readInt16(&units);
    f->readInt16(&meas);
    f->readInt16(&h.lunits);
    f->readInt16(&h.luprec);
    f->readInt16(&h.aunits);
    f->readInt16(&h.auprec);
    f->readBoolean(&h.tilemode);
    f->readInt16(&h.pdmode);
    f->readDouble(&h.pdsize);
    f->readPoint3d(&h.ucsorg);
    f->readVector3d(&h.ucsxdir);
    f->readVector3d(&h.ucsydir);
    f->readString(h.cannoscaleName);
    f->readDouble(&h.cannoscalePaperUnits);
    f->readDouble(&h.cannoscaleDrawingUnits);
    if (version >= 2) {
        f->readInt16(&h.proxygraphics);
        for (AcGePoint2d* p : {&h.limmin, &h.limmax, &h.plimmin, &h.plimmax}) f->readPoint2d(p);
    }
    if (f->filerStatus() != Acad::eOk) return f->filerStatus();
    bool sane = positive(h.ltscale) && positive(h.celtscale) && std::isfinite(h.textsize) && positive(h.dimscale) &&
                positive(h.cannoscalePaperUnits) && positive(h.cannoscaleDrawingUnits) &&
                units >= 0 && units <= AcDb::kUnitsMax && (meas == 0 || meas == 1) && isLineWeight(lw) &&
                !h.ucsxdir.isZeroLength() && !h.ucsydir.isZeroLength() && !h.ucsxdir.isParallelTo(h.ucsydir) &&
                (h.proxygraphics == 0 || h.proxygraphics == 1) &&
                finite(h.limmin) && finite(h.limmax) && finite(h.plimmin) && finite(h.plimmax);
    if (!sane) {
        f->setFilerStatus(Acad::eInvalidInput);
        return Acad::eInvalidInput;
    }
    // The enumerations take the numbers only now that they are known to be theirs.
    h.celweight = AcDb::LineWeight(lw);
    h.insunits = AcDb::UnitsValue(units);
    h.measurement = AcDb::MeasurementValue(meas);
    *this = h;
    return Acad::eOk;
}

} // namespace host
