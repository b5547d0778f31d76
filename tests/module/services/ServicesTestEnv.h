#pragma once
// A fresh settings folder (OptionsTestEnv) and a new drawing that is the working
// database for one test; the previous working database comes back at the end.
#include "tests/module/options/OptionsTestEnv.h"

#include "host/db/tables/AcDbBlockTable.h"
#include "host/db/database/AcDbDatabase.h"
#include "host/db/entities/AcDbEntity.h"
#include "host/db/database/AcDbHostApplicationServices.h"
#include "host/db/tables/AcDbLayerTable.h"
#include "host/db/database/AcDbObjectOpen.h"

#include <memory>
#include <string>

class ServicesTestEnv : public OptionsTestEnv {
protected:
    void SetUp() override {
        OptionsTestEnv::SetUp();
        m_previous = acdbHostApplicationServices()->workingDatabase();
        m_db = std::make_unique<AcDbDatabase>();
        acdbHostApplicationServices()->setWorkingDatabase(m_db.get());
    }

    void TearDown() override {
        acdbHostApplicationServices()->setWorkingDatabase(m_previous);
        m_db.reset();
        OptionsTestEnv::TearDown();
    }

    AcDbDatabase* db() const { return m_db.get(); }

    // Adds a layer to the drawing (not frozen, not locked).
    AcDbObjectId addLayer(const wchar_t* name, int color = 7) {
        AcDbLayerTable* table = nullptr;
        EXPECT_EQ(db()->getLayerTable(table, AcDb::kForWrite), Acad::eOk);
        auto* layer = new AcDbLayerTableRecord;
        layer->setName(name);
        AcCmColor c;
        c.setColorIndex(static_cast<Adesk::UInt16>(color));
        layer->setColor(c);
        AcDbObjectId id;
        EXPECT_EQ(table->add(id, layer), Acad::eOk);
        layer->close();
        table->close();
        return id;
    }

    void setLayerState(AcDbObjectId layerId, bool frozen, bool locked) {
        AcDbLayerTableRecord* layer = nullptr;
        ASSERT_EQ(acdbOpenObject(layer, layerId, AcDb::kForWrite), Acad::eOk);
        layer->setIsFrozen(frozen);
        layer->setIsLocked(locked);
        layer->close();
    }

    // Appends to model space of the test drawing and closes it; the id.
    AcDbObjectId append(AcDbEntity* entity, const wchar_t* layer = nullptr) {
        AcDbBlockTable* table = nullptr;
        EXPECT_EQ(db()->getBlockTable(table, AcDb::kForRead), Acad::eOk);
        AcDbBlockTableRecord* space = nullptr;
        EXPECT_EQ(table->getAt(ACDB_MODEL_SPACE, space, AcDb::kForWrite), Acad::eOk);
        table->close();
        AcDbObjectId id;
        EXPECT_EQ(space->appendAcDbEntity(id, entity), Acad::eOk);
        if (layer) EXPECT_EQ(entity->setLayer(layer), Acad::eOk);
        entity->close();
        space->close();
        return id;
    }

    // Model-space entities that are not erased.
    int modelSpaceCount() const {
        AcDbBlockTableRecord* space = nullptr;
        if (acdbOpenObject(space, db()->modelSpaceId(), AcDb::kForRead) != Acad::eOk) return -1;
        int n = 0;
        for (AcDbObjectId id : space->entityIds())
            if (!id.isErased()) ++n;
        space->close();
        return n;
    }

private:
    std::unique_ptr<AcDbDatabase> m_db;
    AcDbDatabase* m_previous = nullptr;
};
