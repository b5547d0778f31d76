// Chains to the host's dimensions and back inside a drawing: what is made, where, with
// which marks, and that nothing is lost on the way.
#include "module/app/ConvertCommands.h"

#include "host/db/entities/AcDbArc.h"
#include "host/db/entities/AcDbBlockReference.h"
#include "host/db/entities/AcDbPolyline.h"
#include "host/db/dimensions/AcDbArcDimension.h"
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

// An arc length dimension on a polyline's arc segment: the chain measures along an arc
// made from that segment on the polyline's layer, made once for two dimensions of it;
// a dimension whose arc is nowhere stays as it is.
TEST_F(Convert, ArcDimensionOnAPolylineSegmentGetsItsArc) {
    auto* pline = new AcDbPolyline();
    pline->addVertexAt(0, AcGePoint2d(-5, 0));
    pline->addVertexAt(1, AcGePoint2d(0, 0), 1.0); // a half circle below to (2,0), centre (1,0)
    pline->addVertexAt(2, AcGePoint2d(2, 0));
    const AcDbObjectId plineId = append(pline);
    const double r = 1.0, c = std::sqrt(0.5);
    AcDbObjectIdArray ids;
    // Two dimensions sharing the point at the bottom of the segment, and one on a circle
    // that no curve of the drawing has.
    ids.append(append(new AcDbArcDimension({1, 0, 0}, {0, 0, 0}, {1, -1, 0}, {1 - 1.5 * c, -1.5 * c, 0})));
    ids.append(append(new AcDbArcDimension({1, 0, 0}, {1, -1, 0}, {2, 0, 0}, {1 + 1.5 * c, -1.5 * c, 0})));
    const AcDbObjectId lost = append(new AcDbArcDimension({20, 0, 0}, {21, 0, 0}, {20, 1, 0}, {21, 1, 0}));
    ids.append(lost);
    EXPECT_EQ(ConvertAcad2Lintaro(ids, ConvertOptions()), 1);
    const std::vector<AcDbObjectId> arcs = entitiesOf<AcDbArc>(m_db->modelSpaceId());
    ASSERT_EQ(arcs.size(), 1u);
    AcDbArc* arc = nullptr;
    ASSERT_EQ(acdbOpenObject(arc, arcs[0], AcDb::kForRead), Acad::eOk);
    EXPECT_TRUE(arc->center().isEqualTo(AcGePoint3d(1, 0, 0), AcGeTol()));
    EXPECT_NEAR(arc->radius(), r, kDimPointSame);
    AcGePoint3d start, end;
    arc->getStartPoint(start);
    arc->getEndPoint(end);
    AcDbEntity* p = nullptr;
    ASSERT_EQ(acdbOpenObject(p, plineId, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(arc->layerId(), p->layerId());
    p->close();
    arc->close();
    // The arc covers the segment: its ends are the segment's ends.
    const bool forward = start.distanceTo({0, 0, 0}) < kDimPointSame && end.distanceTo({2, 0, 0}) < kDimPointSame;
    const bool backward = start.distanceTo({2, 0, 0}) < kDimPointSame && end.distanceTo({0, 0, 0}) < kDimPointSame;
    EXPECT_TRUE(forward || backward);
    const std::vector<AcDbObjectId> chains = entitiesOf<TRdim>(m_db->modelSpaceId());
    ASSERT_EQ(chains.size(), 1u);
    TRdim* chain = nullptr;
    ASSERT_EQ(acdbOpenObject(chain, chains[0], AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(chain->GetArcObjectId(), arcs[0]);
    EXPECT_EQ(chain->GetExtensions(), 3);
    chain->close();
    EXPECT_FALSE(lost.isErased());
    EXPECT_EQ(entitiesOf<AcDbArcDimension>(m_db->modelSpaceId()).size(), 1u);
}

// Associative dimensions measure themselves: a value the chain shows with raised
// millimetres becomes the host's measurement instead of a stacked text, while a
// manual value stays the dimension's text either way.
TEST_F(Convert, AssociativeDimensionsMeasureThemselves) {
    auto made = [this](bool associative) {
        auto chain = makeChain({{0, 0, 0}, {1.005, 0, 0}, {3, 0, 0}}, kDimHorizontal, {0, 1, 0});
        chain->SetParamString(IND_S_Measure, L"m/cm");
        chain->SetParamInt(IND_I_Decimals, 3);
        chain->UpdateDimText(1);
        chain->SetDimTextUser(2, L"ca. 2");
        const AcDbObjectId id = append(chain.release());
        ConvertOptions options;
        options.associative = associative;
        EXPECT_EQ(ConvertLintaro2Acad(AcDbObjectIdArray{id}, options), 1);
        std::vector<std::wstring> texts;
        for (AcDbObjectId dimId : entitiesOf<AcDbRotatedDimension>(m_db->modelSpaceId())) {
            AcDbDimension* dim = nullptr;
            if (acdbOpenObject(dim, dimId, AcDb::kForWrite) != Acad::eOk) continue;
            texts.push_back(dim->dimensionTextString() + L"|" + GetLintaroTemp(dim));
            dim->erase();
            dim->close();
        }
        return texts;
    };
    const std::vector<std::wstring> stacked = made(false);
    ASSERT_EQ(stacked.size(), 2u);
    EXPECT_EQ(stacked[0], L"\\A1;1,00{\\H0.7x;\\S5^;}|");
    EXPECT_EQ(stacked[1], L" |ca. 2");
    const std::vector<std::wstring> measured = made(true);
    ASSERT_EQ(measured.size(), 2u);
    EXPECT_EQ(measured[0], L"|");
    EXPECT_EQ(measured[1], L" |ca. 2");
}

} // namespace
