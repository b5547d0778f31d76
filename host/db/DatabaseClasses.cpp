#include "host/db/DatabaseClasses.h"

#include "host/db/AcDb2dPolyline.h"
#include "host/db/AcDbArc.h"
#include "host/db/AcDbBlockReference.h"
#include "host/db/AcDbBlockTable.h"
#include "host/db/AcDbCircle.h"
#include "host/db/AcDbDimStyleTable.h"
#include "host/db/AcDbFace.h"
#include "host/db/AcDbLayerTable.h"
#include "host/db/AcDbLine.h"
#include "host/db/AcDbLinetypeTable.h"
#include "host/db/AcDbMText.h"
#include "host/db/AcDbPolyline.h"
#include "host/db/AcDbRegAppTable.h"
#include "host/db/AcDbSolid.h"
#include "host/db/AcDbSortentsTable.h"
#include "host/db/AcDbText.h"
#include "host/db/AcDbTextStyleTable.h"
#include "host/db/AcDbHatch.h"
#include "host/db/AcDbLeader.h"
#include "host/db/AcDbAttribute.h"
#include "host/db/AcDbAttributeDefinition.h"
#include "host/db/AcDbXline.h"

#include <algorithm>
#include <iterator>

namespace host {

namespace {
// Every class with a pseudo-constructor; a new entity class of the database
// belongs here too, or its objects read back as proxies.
AcRxClass* (*const kClasses[])() = {
    &AcDbBlockTable::desc,     &AcDbBlockTableRecord::desc,   &AcDbLayerTable::desc,
    &AcDbLayerTableRecord::desc, &AcDbTextStyleTable::desc,  &AcDbTextStyleTableRecord::desc,
    &AcDbLinetypeTable::desc,  &AcDbLinetypeTableRecord::desc, &AcDbDimStyleTable::desc,
    &AcDbDimStyleTableRecord::desc, &AcDbRegAppTable::desc,  &AcDbRegAppTableRecord::desc,
    &AcDbSortentsTable::desc,  &AcDbLine::desc,              &AcDbArc::desc,
    &AcDbCircle::desc,         &AcDbPolyline::desc,          &AcDb2dPolyline::desc,
    &AcDb2dVertex::desc,       &AcDbText::desc,              &AcDbMText::desc,
    &AcDbSolid::desc,          &AcDbFace::desc,              &AcDbXline::desc,
    &AcDbBlockReference::desc, &AcDbLeader::desc,          &AcDbHatch::desc,
    &AcDbAttribute::desc,      &AcDbAttributeDefinition::desc,
};
} // namespace

void registerDatabaseClasses() {
    static const bool done = [] {
        for (auto desc : kClasses) desc();
        return true;
    }();
    (void)done;
}

bool isDatabaseClass(const AcRxClass* cls) {
    if (!cls) return false;
    return std::any_of(std::begin(kClasses), std::end(kClasses), [cls](auto desc) { return desc() == cls; });
}

} // namespace host
