#pragma once
// A command line with a drawing for the selection and jig tests: a default drawing
// is the working database, the drawing window shows 0..100 x 0..100 on 1000 x 1000
// pixels (a tenth of a unit per pixel, so the pick box of 3 pixels reaches 0.3), and
// every selection set, the UCS and the message filters are gone afterwards.
#include "EdSession.h"

#include "host/db/database/AcDbDatabase.h"
#include "host/db/entities/AcDbEntity.h"
#include "host/db/database/AcDbHostApplicationServices.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/ed/selection/AcEdSelectionSet.h"
#include "host/ed/DrawingView.h"
#include "host/ed/SysVars.h"
#include "tests/host/db/DbTestHelpers.h"

#include <memory>
#include <vector>

// The drawing units of one pixel of the test view, and the pick box's half size.
inline constexpr double kUnitsPerPixel = 0.1;
inline constexpr double kPickHalf = 0.3;
// Points computed from typed coordinates are compared to this.
inline constexpr double kPointTol = 1e-9;

class SelectionDrawing : public EdSession {
protected:
    void SetUp() override {
        EdSession::SetUp();
        m_previous = acdbHostApplicationServices()->workingDatabase();
        acdbHostApplicationServices()->setWorkingDatabase(m_db.get());
        host::drawingView() = host::gi::View(AcGePoint2d(50, 50), 100.0, 1000, 1000);
        host::resetSelectionSets();
        resbuf rb{};
        rb.restype = RTSHORT;
        rb.resval.rint = 3;
        acedSetVar(L"PICKBOX", &rb);
    }
    void TearDown() override {
        host::resetSelectionSets();
        acdbHostApplicationServices()->setWorkingDatabase(m_previous);
        EdSession::TearDown();
    }

    AcDbObjectId append(AcDbEntity* ent) const { return dbtest::appendToModelSpace(m_db.get(), ent); }

    // The ids of a selection set's members, in order.
    static std::vector<AcDbObjectId> idsOf(const ads_name ss) {
        std::vector<AcDbObjectId> ids;
        Adesk::Int32 n = 0;
        if (acedSSLength(ss, &n) != RTNORM) return ids;
        for (Adesk::Int32 i = 0; i < n; ++i) {
            ads_name e;
            AcDbObjectId id;
            if (acedSSName(ss, i, e) == RTNORM && acdbGetObjectId(id, e) == Acad::eOk) ids.push_back(id);
        }
        return ids;
    }

    std::unique_ptr<AcDbDatabase> m_db = std::make_unique<AcDbDatabase>();

private:
    AcDbDatabase* m_previous = nullptr;
};
