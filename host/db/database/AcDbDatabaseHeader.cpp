// The database's header variables and the contents of a new drawing.
#include "host/db/entities/AcDbAnnotationScale.h"
#include "host/db/tables/AcDbBlockTable.h"
#include "host/db/database/AcDbDatabase.h"
#include "host/db/tables/AcDbDimStyleTable.h"
#include "host/db/tables/AcDbLayerTable.h"
#include "host/db/tables/AcDbLinetypeTable.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/db/tables/AcDbRegAppTable.h"
#include "host/db/tables/AcDbTextStyleTable.h"
#include "host/db/database/DatabaseHeader.h"

#include <cmath>

namespace {
bool positive(double v) { return std::isfinite(v) && v > 0.0; }

template <class Record>
bool isRecordOf(AcDbObjectId id, const AcDbDatabase* db) {
    return id.isValid() && !id.isErased() && id.database() == db && Record::cast(static_cast<AcDbStub*>(id)->object);
}
} // namespace

// Each setter changes the header only for a valid value and tells the reactors.
#define LINTARO_SET_HEADER(NAME, FIELD, VALUE, VALID) \
    if (!(VALID)) return Acad::eInvalidInput;         \
    m_header->FIELD = VALUE;                          \
    m_modifiedSinceSave = true;                       \
    notifyHeaderChanged(NAME);                        \
    return Acad::eOk;

AcDbObjectId AcDbDatabase::clayer() const { return m_header->clayer; }
Acad::ErrorStatus AcDbDatabase::setClayer(AcDbObjectId id) {
    LINTARO_SET_HEADER(L"CLAYER", clayer, id, isRecordOf<AcDbLayerTableRecord>(id, this))
}
AcDbObjectId AcDbDatabase::textstyle() const { return m_header->textstyle; }
Acad::ErrorStatus AcDbDatabase::setTextstyle(AcDbObjectId id) {
    LINTARO_SET_HEADER(L"TEXTSTYLE", textstyle, id, isRecordOf<AcDbTextStyleTableRecord>(id, this))
}
AcDbObjectId AcDbDatabase::dimstyle() const { return m_header->dimstyle; }
Acad::ErrorStatus AcDbDatabase::setDimstyle(AcDbObjectId id) {
    LINTARO_SET_HEADER(L"DIMSTYLE", dimstyle, id, isRecordOf<AcDbDimStyleTableRecord>(id, this))
}
AcDbObjectId AcDbDatabase::celtype() const { return m_header->celtype; }
Acad::ErrorStatus AcDbDatabase::setCeltype(AcDbObjectId id) {
    LINTARO_SET_HEADER(L"CELTYPE", celtype, id, isRecordOf<AcDbLinetypeTableRecord>(id, this))
}
AcCmColor AcDbDatabase::cecolor() const { return m_header->cecolor; }
Acad::ErrorStatus AcDbDatabase::setCecolor(const AcCmColor& color) {
    LINTARO_SET_HEADER(L"CECOLOR", cecolor, color, !color.isNone())
}
AcDb::LineWeight AcDbDatabase::celweight() const { return m_header->celweight; }
Acad::ErrorStatus AcDbDatabase::setCelweight(AcDb::LineWeight weight) {
    LINTARO_SET_HEADER(L"CELWEIGHT", celweight, weight, int(weight) >= -3 && int(weight) <= 211)
}
double AcDbDatabase::ltscale() const { return m_header->ltscale; }
Acad::ErrorStatus AcDbDatabase::setLtscale(double scale) {
    LINTARO_SET_HEADER(L"LTSCALE", ltscale, scale, positive(scale))
}
double AcDbDatabase::celtscale() const { return m_header->celtscale; }
Acad::ErrorStatus AcDbDatabase::setCeltscale(double scale) {
    LINTARO_SET_HEADER(L"CELTSCALE", celtscale, scale, positive(scale))
}
double AcDbDatabase::textsize() const { return m_header->textsize; }
Acad::ErrorStatus AcDbDatabase::setTextsize(double size) {
    LINTARO_SET_HEADER(L"TEXTSIZE", textsize, size, positive(size))
}
double AcDbDatabase::dimscale() const { return m_header->dimscale; }
Acad::ErrorStatus AcDbDatabase::setDimscale(double scale) {
    LINTARO_SET_HEADER(L"DIMSCALE", dimscale, scale, std::isfinite(scale) && scale >= 0.0)
}
AcDb::UnitsValue AcDbDatabase::insunits() const { return m_header->insunits; }
Acad::ErrorStatus AcDbDatabase::setInsunits(AcDb::UnitsValue units) {
    LINTARO_SET_HEADER(L"INSUNITS", insunits, units, units >= AcDb::kUnitsUndefined && units <= AcDb::kUnitsMax)
}
AcDb::MeasurementValue AcDbDatabase::measurement() const { return m_header->measurement; }
Acad::ErrorStatus AcDbDatabase::setMeasurement(AcDb::MeasurementValue type) {
    LINTARO_SET_HEADER(L"MEASUREMENT", measurement, type, type == AcDb::kEnglish || type == AcDb::kMetric)
}
Adesk::Int16 AcDbDatabase::lunits() const { return m_header->lunits; }
Acad::ErrorStatus AcDbDatabase::setLunits(Adesk::Int16 units) {
    LINTARO_SET_HEADER(L"LUNITS", lunits, units, units >= 1 && units <= 5)
}
Adesk::Int16 AcDbDatabase::luprec() const { return m_header->luprec; }
Acad::ErrorStatus AcDbDatabase::setLuprec(Adesk::Int16 prec) {
    LINTARO_SET_HEADER(L"LUPREC", luprec, prec, prec >= 0 && prec <= 8)
}
Adesk::Int16 AcDbDatabase::aunits() const { return m_header->aunits; }
Acad::ErrorStatus AcDbDatabase::setAunits(Adesk::Int16 units) {
    LINTARO_SET_HEADER(L"AUNITS", aunits, units, units >= 0 && units <= 4)
}
Adesk::Int16 AcDbDatabase::auprec() const { return m_header->auprec; }
Acad::ErrorStatus AcDbDatabase::setAuprec(Adesk::Int16 prec) {
    LINTARO_SET_HEADER(L"AUPREC", auprec, prec, prec >= 0 && prec <= 8)
}
bool AcDbDatabase::tilemode() const { return m_header->tilemode; }
Acad::ErrorStatus AcDbDatabase::setTilemode(bool mode) { LINTARO_SET_HEADER(L"TILEMODE", tilemode, mode, true) }
Adesk::Int16 AcDbDatabase::pdmode() const { return m_header->pdmode; }
Acad::ErrorStatus AcDbDatabase::setPdmode(Adesk::Int16 mode) { LINTARO_SET_HEADER(L"PDMODE", pdmode, mode, true) }
double AcDbDatabase::pdsize() const { return m_header->pdsize; }
Acad::ErrorStatus AcDbDatabase::setPdsize(double size) {
    LINTARO_SET_HEADER(L"PDSIZE", pdsize, size, std::isfinite(size))
}
Adesk::Int16 AcDbDatabase::saveproxygraphics() const { return m_header->proxygraphics; }
Acad::ErrorStatus AcDbDatabase::setSaveproxygraphics(Adesk::Int16 saveImage) {
    LINTARO_SET_HEADER(L"PROXYGRAPHICS", proxygraphics, saveImage, saveImage == 0 || saveImage == 1)
}
AcGePoint2d AcDbDatabase::limmin() const { return m_header->limmin; }
Acad::ErrorStatus AcDbDatabase::setLimmin(const AcGePoint2d& point) {
    LINTARO_SET_HEADER(L"LIMMIN", limmin, point, std::isfinite(point.x) && std::isfinite(point.y))
}
AcGePoint2d AcDbDatabase::limmax() const { return m_header->limmax; }
Acad::ErrorStatus AcDbDatabase::setLimmax(const AcGePoint2d& point) {
    LINTARO_SET_HEADER(L"LIMMAX", limmax, point, std::isfinite(point.x) && std::isfinite(point.y))
}
AcGePoint2d AcDbDatabase::plimmin() const { return m_header->plimmin; }
Acad::ErrorStatus AcDbDatabase::setPlimmin(const AcGePoint2d& point) {
    LINTARO_SET_HEADER(L"PLIMMIN", plimmin, point, std::isfinite(point.x) && std::isfinite(point.y))
}
AcGePoint2d AcDbDatabase::plimmax() const { return m_header->plimmax; }
Acad::ErrorStatus AcDbDatabase::setPlimmax(const AcGePoint2d& point) {
    LINTARO_SET_HEADER(L"PLIMMAX", plimmax, point, std::isfinite(point.x) && std::isfinite(point.y))
}
#undef LINTARO_SET_HEADER

AcGePoint3d AcDbDatabase::ucsorg() const { return m_header->ucsorg; }
AcGeVector3d AcDbDatabase::ucsxdir() const { return m_header->ucsxdir; }
AcGeVector3d AcDbDatabase::ucsydir() const { return m_header->ucsydir; }

Acad::ErrorStatus AcDbDatabase::setUcs(const AcGePoint3d& origin, const AcGeVector3d& xAxis,
                                       const AcGeVector3d& yAxis) {
    if (xAxis.isZeroLength() || yAxis.isZeroLength() || xAxis.isParallelTo(yAxis)) return Acad::eInvalidInput;
    // The Y axis is made perpendicular to X within their plane.
    AcGeVector3d x = xAxis.normal();
    AcGeVector3d z = x.crossProduct(yAxis).normal();
    m_header->ucsorg = origin;
    m_header->ucsxdir = x;
    m_header->ucsydir = z.crossProduct(x);
    notifyHeaderChanged(L"UCSORG");
    return Acad::eOk;
}

AcDbAnnotationScale* AcDbDatabase::cannoscale() const {
    return new AcDbAnnotationScale(m_header->cannoscaleName, m_header->cannoscalePaperUnits,
                                   m_header->cannoscaleDrawingUnits);
}

Acad::ErrorStatus AcDbDatabase::setCannoscale(AcDbAnnotationScale* scale) {
    if (!scale) return Acad::eNullObjectPointer;
    std::wstring name;
    double paper = 0, drawing = 0;
    scale->getName(name);
    scale->getPaperUnits(paper);
    scale->getDrawingUnits(drawing);
    if (name.empty() || !positive(paper) || !positive(drawing)) return Acad::eInvalidInput;
    m_header->cannoscaleName = name;
    m_header->cannoscalePaperUnits = paper;
    m_header->cannoscaleDrawingUnits = drawing;
    m_modifiedSinceSave = true;
    notifyHeaderChanged(L"CANNOSCALE");
    return Acad::eOk;
}

// ---- a new drawing ----------------------------------------------------------------------

namespace {
// Adds a table to the database, closed; its id.
template <class Table>
AcDbObjectId addTable(AcDbDatabase* db) {
    auto* table = new Table();
    AcDbObjectId id;
    db->addAcDbObject(id, table);
    table->close();
    return id;
}

// Adds a named record to an open table and closes the record; its id.
template <class Table, class Record>
AcDbObjectId addRecord(Table* table, Record* rec, const wchar_t* name) {
    rec->setName(name);
    AcDbObjectId id;
    if (table->add(id, rec) != Acad::eOk) {
        delete rec;
        return id;
    }
    rec->close();
    return id;
}

template <class Table>
Table* openForWrite(AcDbObjectId id) {
    Table* table = nullptr;
    acdbOpenObject(table, id, AcDb::kForWrite);
    return table;
}
} // namespace

void AcDbDatabase::buildDefaultDrawing() {
    m_blockTable = addTable<AcDbBlockTable>(this);
    m_layerTable = addTable<AcDbLayerTable>(this);
    m_textStyleTable = addTable<AcDbTextStyleTable>(this);
    m_linetypeTable = addTable<AcDbLinetypeTable>(this);
    m_dimStyleTable = addTable<AcDbDimStyleTable>(this);
    m_regAppTable = addTable<AcDbRegAppTable>(this);

    auto* linetypes = openForWrite<AcDbLinetypeTable>(m_linetypeTable);
    addRecord(linetypes, new AcDbLinetypeTableRecord(), L"ByBlock");
    AcDbObjectId byLayer = addRecord(linetypes, new AcDbLinetypeTableRecord(), L"ByLayer");
    auto* continuous = new AcDbLinetypeTableRecord();
    continuous->setComments(L"Solid line");
    AcDbObjectId continuousId = addRecord(linetypes, continuous, L"Continuous");
    linetypes->close();

    auto* layers = openForWrite<AcDbLayerTable>(m_layerTable);
    auto* zero = new AcDbLayerTableRecord();
    zero->setLinetypeObjectId(continuousId);
    AcDbObjectId zeroId = addRecord(layers, zero, L"0");
    layers->close();

    auto* styles = openForWrite<AcDbTextStyleTable>(m_textStyleTable);
    AcDbObjectId standard = addRecord(styles, new AcDbTextStyleTableRecord(), L"Standard");
    styles->close();

    auto* dimStyles = openForWrite<AcDbDimStyleTable>(m_dimStyleTable);
    auto* dimStandard = new AcDbDimStyleTableRecord();
    dimStandard->setDimtxsty(standard);
    AcDbObjectId dimStandardId = addRecord(dimStyles, dimStandard, L"Standard");
    dimStyles->close();

    auto* apps = openForWrite<AcDbRegAppTable>(m_regAppTable);
    addRecord(apps, new AcDbRegAppTableRecord(), L"ACAD");
    apps->close();

    auto* blocks = openForWrite<AcDbBlockTable>(m_blockTable);
    addRecord(blocks, new AcDbBlockTableRecord(), ACDB_MODEL_SPACE);
    addRecord(blocks, new AcDbBlockTableRecord(), ACDB_PAPER_SPACE);
    blocks->close();

    m_header->clayer = zeroId;
    m_header->textstyle = standard;
    m_header->dimstyle = dimStandardId;
    m_header->celtype = byLayer;
    m_modifiedSinceSave = false;
}
