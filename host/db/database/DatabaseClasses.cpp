#include "host/db/database/DatabaseClasses.h"

#include "host/db/entities/AcDb2dPolyline.h"
#include "host/db/entities/AcDbArc.h"
#include "host/db/entities/AcDbBlockReference.h"
#include "host/db/tables/AcDbBlockTable.h"
#include "host/db/entities/AcDbCircle.h"
#include "host/db/tables/AcDbDimStyleTable.h"
#include "host/db/entities/AcDbFace.h"
#include "host/db/tables/AcDbLayerTable.h"
#include "host/db/entities/AcDbLine.h"
#include "host/db/tables/AcDbLinetypeTable.h"
#include "host/db/entities/AcDbMText.h"
#include "host/db/entities/AcDbPolyline.h"
#include "host/db/tables/AcDbRegAppTable.h"
#include "host/db/entities/AcDbSolid.h"
#include "host/db/tables/AcDbSortentsTable.h"
#include "host/db/entities/AcDbText.h"
#include "host/db/tables/AcDbTextStyleTable.h"
#include "host/db/entities/AcDbHatch.h"
#include "host/db/entities/AcDbLeader.h"
#include "host/db/entities/AcDbAttribute.h"
#include "host/db/entities/AcDbAttributeDefinition.h"
#include "host/db/entities/AcDbXline.h"

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
