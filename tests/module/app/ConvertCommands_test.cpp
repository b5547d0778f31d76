// Chains to the host's dimensions and back inside a drawing: what is made, where, with
// which marks, and that nothing is lost on the way.
#include "module/app/ConvertCommands.h"

#include "host/db/entities/AcDbBlockReference.h"
#include "host/db/tables/AcDbBlockTable.h"
#include "host/db/dimensions/AcDbRotatedDimension.h"
#include "host/db/entities/AcDbText.h"
#include "module/app/FormatMarks.h"
#include "module/convert/DimsToChains.h"
#include "tests/module/chain/TRdimTestEnv.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using chaintest::ChainTest;
using lintaro::tol::kDimPointSame;

constexpr double kPi = 3.14159265358979323846;

class Convert : public ChainTest {
protected:
    // The live entities of a block whose class is T, in order.
    template <typename T> std::vector<AcDbObjectId> entitiesOf(AcDbObjectId blockId) const {
        std::vector<AcDbObjectId> out;
        AcDbBlockTableRecord* block = nullptr;
        if (acdbOpenObject(block, blockId, AcDb::kForRead) != Acad::eOk) return out;
        const std::vector<AcDbObjectId> ids = block->entityIds();
        block->close();
        for (AcDbObjectId id : ids) {
            AcDbEntity* e = nullptr;
            if (acdbOpenObject(e, id, AcDb::kForRead) != Acad::eOk) continue;
            if (!e->isErased() && T::cast(e)) out.push_back(id);
            e->close();
        }
        return out;
    }
    AcDbObjectId appendTo(AcDbObjectId blockId, AcDbEntity* ent) const {
        AcDbBlockTableRecord* block = nullptr;
        if (acdbOpenObject(block, blockId, AcDb::kForWrite) != Acad::eOk) return {};
        AcDbObjectId id;
        if (block->appendAcDbEntity(id, ent) == Acad::eOk) ent->close();
        block->close();
        return id;
    }
};

TEST_F(Convert, ChainBecomesMarkedDimensionsAndComesBackTheSame) {
    auto chain = makeChain({{0, 0, 0}, {3, 0, 0}, {7, 0, 0}, {12, 0, 0}}, kDimHorizontal, {2, 4, 0});
    chain->SetDimTextUser(2, L"12^5");
    chain->SetDimTextUser(3, L"ca. 5");
    std::vector<std::wstring> before;
    for (int k = 1; k <= 3; ++k)
        before.push_back(chain->GetText(k));
    const AcDbObjectId chainId = append(chain.release());
    ASSERT_FALSE(chainId.isNull());

    ConvertOptions options;
    EXPECT_EQ(ConvertLintaro2Acad(AcDbObjectIdArray{chainId}, options), 1);
    EXPECT_TRUE(entitiesOf<TRdim>(m_db->modelSpaceId()).empty());
    const std::vector<AcDbObjectId> dims = entitiesOf<AcDbRotatedDimension>(m_db->modelSpaceId());
    ASSERT_EQ(dims.size(), 3u);
    AcDbDimension* dim = nullptr;
    ASSERT_EQ(acdbOpenObject(dim, dims[1], AcDb::kForRead), Acad::eOk);
    EXPECT_TRUE(IsLintaroObject(dim));
    EXPECT_EQ(GetObjectKind(dim), 10);
    ASSERT_TRUE(GetLintaroData(dim).has_value());
    EXPECT_EQ(dim->dimensionTextString(), L"\\A1;12{\\H0.7x;\\S5^;}");
    dim->close();
    ASSERT_EQ(acdbOpenObject(dim, dims[2], AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(dim->dimensionTextString(), L" ");
    EXPECT_EQ(GetLintaroTemp(dim), L"ca. 5");
    EXPECT_EQ(dim->dimatfit(), 2);
    dim->close();

    options.keepText = true;
    AcDbObjectIdArray dimIds;
    for (AcDbObjectId id : dims)
        dimIds.append(id);
    EXPECT_EQ(ConvertAcad2Lintaro(dimIds, options), 1);
    EXPECT_TRUE(entitiesOf<AcDbRotatedDimension>(m_db->modelSpaceId()).empty());
    const std::vector<AcDbObjectId> chains = entitiesOf<TRdim>(m_db->modelSpaceId());
    ASSERT_EQ(chains.size(), 1u);
    TRdim* back = nullptr;
    ASSERT_EQ(acdbOpenObject(back, chains[0], AcDb::kForRead), Acad::eOk);
    ASSERT_EQ(back->GetExtensions(), 4);
    const AcGePoint3d expected[] = {{0, 0, 0}, {3, 0, 0}, {7, 0, 0}, {12, 0, 0}};
    for (int i = 0; i < 4; ++i)
        EXPECT_POINT_NEAR(back->GetPointInput(i), expected[i], kDimPointSame);
    for (int k = 1; k <= 3; ++k)
        EXPECT_EQ(back->GetText(k), before[k - 1]) << "segment " << k;
    back->close();
}

TEST_F(Convert, ChainInsideARotatedBlockMeasuresAlongItsWorldDirection) {
    AcDbBlockTable* table = nullptr;
    ASSERT_EQ(m_db->getBlockTable(table, AcDb::kForWrite), Acad::eOk);
    auto* def = new AcDbBlockTableRecord;
    def->setName(L"FENSTER");
    AcDbObjectId defId;
    ASSERT_EQ(table->add(defId, def), Acad::eOk);
    def->close();
    table->close();
    auto chain = makeChain({{0, 0, 0}, {2, 0, 0}, {5, 0, 0}}, kDimHorizontal, {1, 1, 0});
    ASSERT_FALSE(appendTo(defId, chain.release()).isNull());
    auto* ref = new AcDbBlockReference(AcGePoint3d(10, 10, 0), defId);
    ref->setRotation(kPi / 2);
    const AcDbObjectId refId = append(ref);

    ConvertOptions options;
    EXPECT_EQ(ConvertLintaro2Acad(AcDbObjectIdArray{refId}, options), 0)
        << "blocks are not read unless asked";
    options.readBlocks = true;
    EXPECT_EQ(ConvertLintaro2Acad(AcDbObjectIdArray{refId}, options), 1);
    const std::vector<AcDbObjectId> dims = entitiesOf<AcDbRotatedDimension>(defId);
    ASSERT_EQ(dims.size(), 2u);
    AcDbBlockReference* openRef = nullptr;
    ASSERT_EQ(acdbOpenObject(openRef, refId, AcDb::kForRead), Acad::eOk);
    const AcGeMatrix3d toWorld = openRef->blockTransform();
    openRef->close();
    const double lengths[] = {2, 3};
    for (int k = 0; k < 2; ++k) {
        AcDbRotatedDimension* dim = nullptr;
        ASSERT_EQ(acdbOpenObject(dim, dims[k], AcDb::kForRead), Acad::eOk);
        AcGeVector3d along(std::cos(dim->rotation()), std::sin(dim->rotation()), 0);
        along.transformBy(toWorld);
        // Seen through the reference the dimension measures along world Y, as the chain did.
        EXPECT_NEAR(std::fabs(along.normal().y), 1.0, kDimPointSame);
        double measured = 0;
        dim->measurement(measured);
        EXPECT_NEAR(measured, lengths[k], kDimPointSame);
        AcGePoint3d p = dim->xLine2Point();
        p.transformBy(toWorld);
        EXPECT_NEAR(p.x, 10.0, kDimPointSame);
        dim->close();
    }
}

TEST_F(Convert, DimensionsOfLinesBecomeChainsZeroLengthOnesGoUnrelatedStay) {
    auto add = [this](AcGePoint3d a, AcGePoint3d b, double y) {
        return append(new AcDbRotatedDimension(0.0, a, b, AcGePoint3d(a.x, y, 0)));
    };
    AcDbObjectIdArray ids;
    ids.append(add({0, 0, 0}, {3, 0, 0}, 2));
    ids.append(add({3, 0, 0}, {3, 0, 0}, 2)); // zero length
    ids.append(add({3, 0, 0}, {7, 0, 0}, 2));
    ids.append(add({7, 0, 0}, {12, 0, 0}, 2));
    ids.append(add({0, 5, 0}, {4, 5, 0}, 8)); // parallel line
    const AcDbObjectId text = append(new AcDbText(AcGePoint3d(0, 0, 0), L"bleibt"));
    ids.append(text);
    EXPECT_EQ(ConvertAcad2Lintaro(ids, ConvertOptions()), 2);
    EXPECT_TRUE(entitiesOf<AcDbRotatedDimension>(m_db->modelSpaceId()).empty());
    EXPECT_EQ(entitiesOf<AcDbText>(m_db->modelSpaceId()).size(), 1u);
    const std::vector<AcDbObjectId> chains = entitiesOf<TRdim>(m_db->modelSpaceId());
    ASSERT_EQ(chains.size(), 2u);
    int extensions[2] = {0, 0};
    for (int i = 0; i < 2; ++i) {
        TRdim* chain = nullptr;
        ASSERT_EQ(acdbOpenObject(chain, chains[i], AcDb::kForRead), Acad::eOk);
        extensions[i] = chain->GetExtensions();
        chain->close();
    }
    EXPECT_EQ(extensions[0], 4);
    EXPECT_EQ(extensions[1], 2);
}

} // namespace
