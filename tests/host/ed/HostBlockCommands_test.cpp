// BLOCK and INSERT: a block takes the picked objects with its base point, a reference
// goes where it is put; bad names and empty selections change nothing.
#include "host/ed/HostBlockCommands.h"

#include "EdSession.h"

#include "host/db/entities/AcDbBlockReference.h"
#include "host/db/tables/AcDbBlockTable.h"
#include "host/db/tables/AcDbBlockTableRecord.h"
#include "host/db/database/AcDbDatabase.h"
#include "host/db/database/AcDbHostApplicationServices.h"
#include "host/db/entities/AcDbLine.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/ed/commands/CommandLine.h"
#include "host/ed/commands/HostDrawCommands.h"
#include "host/ge/AcGeTol.h"

#include <memory>
#include <vector>

namespace {

constexpr double kTol = lintaro::tol::kHostEqualPoint;

class BlockCommands : public DrawingSession {
protected:
    std::vector<AcDbObjectId> entitiesOf(AcDbObjectId blockId) const {
        std::vector<AcDbObjectId> out;
        AcDbBlockTableRecord* block = nullptr;
        if (acdbOpenObject(block, blockId, AcDb::kForRead) != Acad::eOk) return out;
        for (const AcDbObjectId& id : block->entityIds())
            if (!id.isErased()) out.push_back(id);
        block->close();
        return out;
    }
    AcDbObjectId block(const wchar_t* name) const {
        AcDbBlockTable* table = nullptr;
        AcDbObjectId id;
        if (m_db->getBlockTable(table, AcDb::kForRead) != Acad::eOk) return id;
        table->getAt(name, id);
        table->close();
        return id;
    }
};

} // namespace

TEST_F(BlockCommands, ABlockTakesThePickedObjectsAndAReferenceGoesWhereItIsPut) {
    command(L"LINE", L"0,0\n4,0\n\n");
    command(L"LINE", L"0,1\n4,1\n\n");
    command(L"LINE", L"20,0\n24,0\n\n");
    ASSERT_EQ(entitiesOf(m_db->modelSpaceId()).size(), 3u);
    command(L"BLOCK", L"WAND\n2,0\nW -1,-1 5,2\n\n");
    const AcDbObjectId wand = block(L"WAND");
    ASSERT_FALSE(wand.isNull()) << transcript.text();
    EXPECT_EQ(entitiesOf(wand).size(), 2u);
    EXPECT_EQ(entitiesOf(m_db->modelSpaceId()).size(), 1u) << "the originals went into the block";
    AcDbBlockTableRecord* record = nullptr;
    ASSERT_EQ(acdbOpenObject(record, wand, AcDb::kForRead), Acad::eOk);
    EXPECT_TRUE(record->origin().isEqualTo(AcGePoint3d(2, 0, 0)));
    record->close();

    command(L"INSERT", L"WAND\n10,5\n");
    const std::vector<AcDbObjectId> now = entitiesOf(m_db->modelSpaceId());
    ASSERT_EQ(now.size(), 2u);
    AcDbBlockReference* ref = nullptr;
    ASSERT_EQ(acdbOpenObject(ref, now.back(), AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(ref->blockTableRecord(), wand);
    EXPECT_NEAR(ref->position().x, 10.0, kTol);
    EXPECT_NEAR(ref->position().y, 5.0, kTol);
    ref->close();
}

TEST_F(BlockCommands, BadNamesAndEmptySelectionsChangeNothing) {
    command(L"LINE", L"0,0\n4,0\n\n");
    command(L"BLOCK", L"A\n0,0\nW 10,10 11,11\n\n");
    EXPECT_TRUE(said(L"No objects selected - nothing defined."));
    EXPECT_TRUE(block(L"A").isNull());
    command(L"BLOCK", L"*MODEL_SPACE\n");
    EXPECT_TRUE(said(L"Invalid block name \"*MODEL_SPACE\"."));
    command(L"BLOCK", L"a<b\n");
    EXPECT_TRUE(said(L"Invalid block name"));
    command(L"BLOCK", L"A\n0,0\nW -1,-1 5,1\n\n");
    ASSERT_FALSE(block(L"A").isNull());
    command(L"LINE", L"0,3\n4,3\n\n");
    command(L"BLOCK", L"A\n");
    EXPECT_TRUE(said(L"Block \"A\" already exists - nothing defined."));
    EXPECT_EQ(entitiesOf(block(L"A")).size(), 1u);
    command(L"INSERT", L"NOSUCH\n");
    EXPECT_TRUE(said(L"Unknown block name \"NOSUCH\"."));
    command(L"INSERT", L"*Model_Space\n");
    EXPECT_EQ(entitiesOf(m_db->modelSpaceId()).size(), 1u);
}
