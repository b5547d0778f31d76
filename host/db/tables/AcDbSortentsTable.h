#pragma once
// The draw order of one block's entities. Every entity draws by its sort key,
// which is its handle until the table moves it; later keys draw on top.
#include "host/db/database/AcDbObject.h"

#include <map>

class AcDbSortentsTable : public AcDbObject {
public:
    ACRX_DECLARE_MEMBERS(AcDbSortentsTable);
    AcDbSortentsTable() = default;
    ~AcDbSortentsTable() override = default;

    AcDbObjectId blockId() const { return m_block; }
    Acad::ErrorStatus setBlockId(AcDbObjectId id);

    // The entities keep their order among themselves. Ids not in the block are
    // refused (eInvalidInput) and nothing moves.
    Acad::ErrorStatus moveToTop(const AcDbObjectIdArray& ar);
    Acad::ErrorStatus moveToBottom(const AcDbObjectIdArray& ar);
    Acad::ErrorStatus moveAbove(const AcDbObjectIdArray& ar, AcDbObjectId target);
    Acad::ErrorStatus moveBelow(const AcDbObjectIdArray& ar, AcDbObjectId target);
    Acad::ErrorStatus swapOrder(AcDbObjectId id1, AcDbObjectId id2);
    // The block's entities (not erased), first drawn first.
    Acad::ErrorStatus getFullDrawOrder(AcDbObjectIdArray& ents, Adesk::UInt8 honorSortentsMask = 0) const;
    Acad::ErrorStatus firstEntityIsDrawnBeforeSecond(bool& result, AcDbObjectId first, AcDbObjectId second) const;

    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;

private:
    double keyOf(AcDbObjectId id) const;
    bool allInBlock(const AcDbObjectIdArray& ar) const;
    // Gives the entities keys spread evenly between lo and hi (both excluded).
    void placeBetween(const AcDbObjectIdArray& ar, double lo, double hi);
    std::vector<AcDbObjectId> sortedIds() const;

    AcDbObjectId m_block;
    std::map<AcDbObjectId, double> m_keys;
};
