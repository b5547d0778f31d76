// The entities of a DXF file as the host's entities. Points of planar entities are
// given in their object coordinate system (the arbitrary axes of their extrusion
// direction) and are carried into the world here.
#include "host/db/entities/AcDb2dPolyline.h"
#include "host/db/entities/AcDbArc.h"
#include "host/db/entities/AcDbBlockReference.h"
#include "host/db/entities/AcDbCircle.h"
#include "host/db/database/AcDbDatabase.h"
#include "host/db/entities/AcDbFace.h"
#include "host/db/entities/AcDbLeader.h"
#include "host/db/entities/AcDbLine.h"
#include "host/db/entities/AcDbMText.h"
#include "host/db/entities/AcDbPolyline.h"
#include "host/db/tables/AcDbRegAppTable.h"
#include "host/db/database/LineWeights.h"
#include "host/db/entities/AcDbSolid.h"
#include "host/db/entities/AcDbText.h"
#include "host/db/entities/AcDbXline.h"
#include "host/db/database/acutResbuf.h"
#include "host/io/dxf/DxfImporter.h"
#include "host/win/FormatW.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <memory>
#include <numbers>

namespace host::dxf {

namespace {

constexpr double kDegree = std::numbers::pi / 180.0;
// A zero scale of an insertion cannot be kept (it folds the block flat); this
// small factor shows it folded and keeps it an insertion.
constexpr double kFoldedScale = 1e-9;

AcGePoint3d toWorld(const AcGePoint3d& p, const AcGeVector3d& normal) {
    if (normal.isEqualTo(AcGeVector3d::kZAxis)) return p;
    AcGePoint3d w = p;
    return w.transformBy(AcGeMatrix3d::planeToWorld(normal));
}

template <class T>
using Owned = std::unique_ptr<T>;

// Entities whose setters refused the file's values are left out with this note.
AcDbEntity* refuse(std::wstring& skipped, const std::wstring& type, const wchar_t* why) {
    skipped = FormatW(L"%s (%s)", type.c_str(), why);
    return nullptr;
}

double nonZeroScale(double s) { return s == 0.0 ? kFoldedScale : s; }

} // namespace

// ---- per type --------------------------------------------------------------------------------

namespace {

AcDbEntity* makeLine(const DxfRecord& r) {
    auto* line = new AcDbLine(r.point(10), r.point(11));
    line->setThickness(r.real(39));
    line->setNormal(r.normal());
    return line;
}

AcDbEntity* makeCircle(const DxfRecord& r, std::wstring& skipped) {
    const AcGeVector3d n = r.normal();
    Owned<AcDbCircle> c(new AcDbCircle());
    c->setNormal(n);
    c->setCenter(toWorld(r.point(10), n));
    if (c->setRadius(r.real(40)) != Acad::eOk) return refuse(skipped, r.type, L"radius not above 0");
    c->setThickness(r.real(39));
    return c.release();
}

AcDbEntity* makeArc(const DxfRecord& r, std::wstring& skipped) {
    const AcGeVector3d n = r.normal();
    Owned<AcDbArc> a(new AcDbArc());
    a->setNormal(n);
    a->setCenter(toWorld(r.point(10), n));
    if (a->setRadius(r.real(40)) != Acad::eOk) return refuse(skipped, r.type, L"radius not above 0");
    a->setStartAngle(r.real(50) * kDegree);
    a->setEndAngle(r.real(51) * kDegree);
    a->setThickness(r.real(39));
    return a.release();
}

AcDbEntity* makeLwPolyline(const DxfRecord& r, std::wstring& skipped) {
    Owned<AcDbPolyline> p(new AcDbPolyline());
    p->setNormal(r.normal());
    p->setElevation(r.real(38));
    p->setThickness(r.real(39));
    const double constant = r.real(43, -1.0);
    // Each 10 starts a vertex; 20, 40, 41 and 42 after it belong to it. The vertex
    // count (90) is not needed and not trusted.
    int n = -1;
    for (const DxfGroup& g : r.groups) {
        if (g.code == 10) {
            ++n;
            p->addVertexAt(unsigned(n), AcGePoint2d(g.number, 0.0));
        } else if (n < 0) {
            continue;
        } else if (g.code == 20) {
            AcGePoint2d pt;
            p->getPointAt(unsigned(n), pt);
            p->setPointAt(unsigned(n), AcGePoint2d(pt.x, g.number));
        } else if (g.code == 42) {
            p->setBulgeAt(unsigned(n), g.number);
        } else if (g.code == 40 || g.code == 41) {
            double s = 0.0, e = 0.0;
            p->getWidthsAt(unsigned(n), s, e);
            p->setWidthsAt(unsigned(n), g.code == 40 ? g.number : s, g.code == 41 ? g.number : e);
        }
    }
    if (n < 0) return refuse(skipped, r.type, L"no vertices");
    if (constant > 0.0) p->setConstantWidth(constant);
    const int flags = r.integer(70);
    p->setClosed(flags & 1);
    p->setPlinegen(flags & 128);
    return p.release();
}

AcDbEntity* makePolyline(const DxfEntity& e, std::wstring& skipped) {
    const DxfRecord& r = e.record;
    const int flags = r.integer(70);
    if (flags & 8) return refuse(skipped, r.type, L"3D");
    if (flags & (16 | 64)) return refuse(skipped, r.type, L"mesh");
    const AcGeVector3d n = r.normal();
    const double elevation = r.real(30);
    Owned<AcDb2dPolyline> p(new AcDb2dPolyline());
    p->setNormal(n);
    p->setElevation(elevation);
    p->setThickness(r.real(39));
    const double defStart = r.real(40), defEnd = r.real(41);
    for (const DxfRecord& v : e.children) {
        if (v.integer(70) & 16) continue; // a spline's frame, not a vertex of the line
        const AcGePoint3d at = v.point(10);
        p->appendVertex(new AcDb2dVertex(AcGePoint3d(at.x, at.y, elevation), v.real(42), v.real(40, defStart),
                                         v.real(41, defEnd)));
    }
    if (p->numVerts() == 0) return refuse(skipped, r.type, L"no vertices");
    if (flags & 1) p->makeClosed();
    if (flags & 4) p->setPolyType(r.integer(75) == 5 ? AcDb::k2dQuadSplinePoly : AcDb::k2dCubicSplinePoly);
    else if (flags & 2) p->setPolyType(AcDb::k2dFitCurvePoly);
    return p.release();
}

AcDbEntity* makeSolid(const DxfRecord& r) {
    const AcGeVector3d n = r.normal();
    const AcGePoint3d p0 = toWorld(r.point(10), n), p1 = toWorld(r.point(11), n), p2 = toWorld(r.point(12), n);
    // A missing fourth corner repeats the third: a triangle.
    const AcGePoint3d p3 = r.has(13) ? toWorld(r.point(13), n) : p2;
    auto* s = new AcDbSolid(p0, p1, p2, p3);
    s->setNormal(n);
    s->setThickness(r.real(39));
    return s;
}

AcDbEntity* makeFace(const DxfRecord& r) {
    const AcGePoint3d p2 = r.point(12);
    auto* f = new AcDbFace(r.point(10), r.point(11), p2, r.has(13) ? r.point(13) : p2);
    const int hidden = r.integer(70);
    for (int i = 0; i < 4; ++i)
        if (hidden & (1 << i)) f->makeEdgeInvisibleAt(Adesk::UInt16(i));
    return f;
}

AcDbEntity* makeXline(const DxfRecord& r, std::wstring& skipped) {
    Owned<AcDbXline> x(new AcDbXline());
    x->setBasePoint(r.point(10));
    if (x->setUnitDir(r.point(11).asVector()) != Acad::eOk) return refuse(skipped, r.type, L"no direction");
    return x.release();
}

} // namespace

AcDbEntity* DxfImporter::makeEntity(const DxfEntity& e, std::wstring& skipped) {
    const DxfRecord& r = e.record;
    AcDbEntity* ent = nullptr;
    if (r.type == L"LINE") ent = makeLine(r);
    else if (r.type == L"CIRCLE") ent = makeCircle(r, skipped);
    else if (r.type == L"ARC") ent = makeArc(r, skipped);
    else if (r.type == L"LWPOLYLINE") ent = makeLwPolyline(r, skipped);
    else if (r.type == L"POLYLINE") ent = makePolyline(e, skipped);
    else if (r.type == L"SOLID") ent = makeSolid(r);
    else if (r.type == L"3DFACE") ent = makeFace(r);
    else if (r.type == L"XLINE") ent = makeXline(r, skipped);
    else if (r.type == L"TEXT") ent = makeText(r);
    else if (r.type == L"MTEXT") ent = makeMText(r);
    else if (r.type == L"INSERT") ent = makeInsert(e, skipped);
    else if (r.type == L"LEADER") ent = makeLeader(r);
    else if (r.type == L"ATTDEF") ent = makeAttributeDefinition(r, skipped);
    else if (r.type == L"HATCH") ent = makeHatch(r, skipped);
    else if (r.type == L"DIMENSION") ent = makeDimension(r, skipped);
    else if (r.type == L"ARC_DIMENSION") ent = makeArcDimension(r);
    else return nullptr; // a type the host does not have: counted by its name
    if (ent) applyCommon(ent, r);
    return ent;
}

AcDbEntity* DxfImporter::makeText(const DxfRecord& r) {
    auto* t = new AcDbText();
    fillText(t, r, 73);
    return t;
}

void DxfImporter::fillText(AcDbText* t, const DxfRecord& r, int verticalCode) {
    const AcGeVector3d n = r.normal();
    t->setNormal(n);
    t->setPosition(toWorld(r.point(10), n));
    t->setTextString(m_doc.text(r.find(1)).c_str());
    t->setTextStyle(textStyleId(m_doc.text(r.find(7))));
    const double height = r.real(40);
    if (height > 0.0) t->setHeight(height);
    t->setRotation(r.real(50) * kDegree);
    if (r.real(41, 1.0) > 0.0) t->setWidthFactor(r.real(41, 1.0));
    t->setOblique(r.real(51) * kDegree);
    t->setThickness(r.real(39));
    t->mirrorInX(r.integer(71) & 2);
    t->mirrorInY(r.integer(71) & 4);
    const int h = r.integer(72), v = r.integer(verticalCode);
    if (h >= 0 && h <= AcDb::kTextFit) t->setHorizontalMode(AcDb::TextHorzMode(h));
    if (v >= 0 && v <= AcDb::kTextTop) t->setVerticalMode(AcDb::TextVertMode(v));
    // Aligned text keeps its second point; the others are placed by it.
    t->setAlignmentPoint(r.has(11) ? toWorld(r.point(11), n) : t->position());
}

AcDbEntity* DxfImporter::makeMText(const DxfRecord& r) {
    auto* m = new AcDbMText();
    m->setNormal(r.normal());
    m->setLocation(r.point(10));
    // The contents come in pieces of 250 characters: every 3, then the 1.
    std::string raw;
    for (const DxfGroup& g : r.groups)
        if (g.code == 3) raw.append(g.text);
    raw.append(r.raw(1));
    m->setContents(m_doc.text(raw).c_str());
    if (r.real(40) > 0.0) m->setTextHeight(r.real(40));
    if (r.real(41) > 0.0) m->setWidth(r.real(41));
    const int attach = r.integer(71, 1);
    if (attach >= 1 && attach <= 9) m->setAttachment(AcDbMText::AttachmentPoint(attach));
    m->setTextStyle(textStyleId(m_doc.text(r.find(7))));
    if (r.has(11) || r.has(21)) m->setDirection(r.point(11).asVector());
    // Written in degrees by the programs that make real plans, whatever older
    // descriptions of the format say.
    else m->setRotation(r.real(50) * kDegree);
    if (r.real(44) > 0.0) m->setLineSpacingFactor(r.real(44));
    const int fill = r.integer(90);
    if (fill & 1) {
        m->setBackgroundFill(true);
        if (r.has(63)) {
            AcCmColor c;
            c.setColorIndex(int16_t(r.integer(63)));
            m->setBackgroundFillColor(c);
        }
        if (r.real(45) > 0.0) m->setBackgroundScaleFactor(r.real(45));
    }
    if (fill & 2) m->setUseBackgroundColor(true);
    return m;
}

AcDbEntity* DxfImporter::makeLeader(const DxfRecord& r) {
    Owned<AcDbLeader> l(new AcDbLeader());
    l->setNormal(r.normal());
    const AcDbObjectId style = dimStyleId(m_doc.text(r.find(3)));
    if (!style.isNull()) l->setDimensionStyle(style);
    if (r.integer(71, 1) == 0) l->disableArrowHead();
    if (r.integer(72) == 1) l->setToSplineLeader();
    const int anno = r.integer(73, AcDbLeader::kNoAnno);
    if (anno >= AcDbLeader::kMText && anno <= AcDbLeader::kNoAnno) l->setAnnoType(AcDbLeader::AnnoType(anno));
    // Vertices are 10/20/30 triples in the order given; the count (76) is not trusted.
    for (size_t i = 0; i < r.groups.size(); ++i) {
        if (r.groups[i].code != 10) continue;
        AcGePoint3d p(r.groups[i].number, 0.0, 0.0);
        for (size_t k = i + 1; k < r.groups.size() && k <= i + 2; ++k) {
            if (r.groups[k].code == 20) p.y = r.groups[k].number;
            if (r.groups[k].code == 30) p.z = r.groups[k].number;
        }
        l->appendVertex(p);
    }
    // A leader through fewer than two points draws nothing but is kept: it is the
    // author's, and it goes out again as it came.
    l->setHasHookLine(r.integer(75) == 1);
    l->setHookLineOnXDir(r.integer(74) == 0);
    if (r.has(211) || r.has(221)) l->setHorizontalDirection(r.point(211).asVector());
    return l.release();
}

AcDbEntity* DxfImporter::makeInsert(const DxfEntity& e, std::wstring& skipped) {
    const DxfRecord& r = e.record;
    const std::wstring name = m_doc.text(r.find(2));
    const AcDbObjectId block = blockId(name);
    if (block.isNull()) {
        if (!e.children.empty()) notImported(L"ATTRIB (its INSERT not imported)", e.children.size());
        return refuse(skipped, r.type, L"block not defined");
    }
    const AcGeVector3d n = r.normal();
    auto* ref = new AcDbBlockReference(toWorld(r.point(10), n), block);
    ref->setNormal(n);
    ref->setScaleFactors(AcGeScale3d(nonZeroScale(r.real(41, 1.0)), nonZeroScale(r.real(42, 1.0)),
                                     nonZeroScale(r.real(43, 1.0))));
    ref->setRotation(r.real(50) * kDegree);
    const int copies = std::max(1, r.integer(70, 1)) * std::max(1, r.integer(71, 1));
    if (copies > 1) notImported(L"INSERT (array copies)", size_t(copies - 1));
    attachAttributes(ref, e);
    return ref;
}

// ---- common properties and extended data -----------------------------------------------------

void DxfImporter::applyCommon(AcDbEntity* ent, const DxfRecord& r) {
    ent->setLayer(layerId(m_doc.text(r.find(8))));
    const std::wstring ltype = m_doc.text(r.find(6));
    if (!ltype.empty()) {
        const AcDbObjectId lt = linetypeId(ltype);
        if (!lt.isNull()) ent->setLinetype(lt);
    }
    const int colour = r.integer(62, 256);
    if (colour >= 0 && colour <= 256) ent->setColorIndex(Adesk::UInt16(colour));
    if (r.has(420)) {
        const int rgb = r.integer(420);
        ent->setColor(AcCmColor(AcGiColor(uint8_t(rgb >> 16), uint8_t(rgb >> 8), uint8_t(rgb))));
    }
    if (r.has(48)) ent->setLinetypeScale(r.real(48));
    if (r.integer(60) == 1) ent->setVisibility(AcDb::kInvisible);
    // Checked before it becomes a line weight: -99999 is no value of the enumeration.
    if (r.has(370) && host::isLineWeight(r.integer(370))) ent->setLineWeight(AcDb::LineWeight(r.integer(370)));
}

namespace {

// A resbuf chain built up group by group; freed unless handed on.
class Chain {
public:
    ~Chain() { acutRelRb(m_head); }
    resbuf* head() const { return m_head; }
    resbuf* add(int type) {
        resbuf* rb = acutNewRb(type);
        if (!rb) return nullptr;
        (m_tail ? m_tail->rbnext : m_head) = rb;
        m_tail = rb;
        return rb;
    }
    void addString(int type, const std::wstring& s) {
        if (resbuf* rb = add(type)) {
            rb->resval.rstring = static_cast<wchar_t*>(std::malloc((s.size() + 1) * sizeof(wchar_t)));
            if (rb->resval.rstring) std::wmemcpy(rb->resval.rstring, s.c_str(), s.size() + 1);
        }
    }

private:
    resbuf* m_head = nullptr;
    resbuf* m_tail = nullptr;
};

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

} // namespace

void DxfImporter::applyXData(AcDbEntity* ent, const DxfRecord& r) {
    const bool isDimension = r.type == L"DIMENSION" || r.type == L"ARC_DIMENSION";
    Chain chain;
    bool skipApp = false;
    for (size_t i = 0; i < r.groups.size(); ++i) {
        const DxfGroup& g = r.groups[i];
        if (g.code < 1000) continue;
        if (g.code == 1001) {
            const std::wstring app = m_doc.text(g.text);
            // A dimension's ACAD data holds its overrides, which came in as such.
            skipApp = app.empty() || (isDimension && upperName(app) == L"ACAD");
            if (skipApp) continue;
            bool failed = false;
            auto* rec = openOrAddRegApp(app, failed);
            if (rec) rec->close();
            chain.addString(1001, app);
            continue;
        }
        if (skipApp || !chain.head()) continue;
        if (g.code >= 1010 && g.code <= 1013) {
            if (resbuf* rb = chain.add(g.code)) {
                rb->resval.rpoint[0] = g.number;
                for (size_t k = i + 1; k < r.groups.size() && k <= i + 2; ++k) {
                    if (r.groups[k].code == g.code + 10) rb->resval.rpoint[1] = r.groups[k].number;
                    if (r.groups[k].code == g.code + 20) rb->resval.rpoint[2] = r.groups[k].number;
                }
            }
        } else if (g.code >= 1020 && g.code <= 1033) {
            continue; // taken with their 1010 .. 1013
        } else if (g.code >= 1040 && g.code <= 1042) {
            if (resbuf* rb = chain.add(g.code)) rb->resval.rreal = g.number;
        } else if (g.code == 1070) {
            if (resbuf* rb = chain.add(g.code)) rb->resval.rint = short(g.integer());
        } else if (g.code == 1071) {
            if (resbuf* rb = chain.add(g.code)) rb->resval.rlong = int32_t(g.number);
        } else if (g.code == 1004) {
            std::string bytes;
            for (size_t k = 0; k + 1 < g.text.size(); k += 2) {
                const int hi = hexValue(g.text[k]), lo = hexValue(g.text[k + 1]);
                if (hi < 0 || lo < 0) break;
                bytes += char(hi * 16 + lo);
            }
            if (resbuf* rb = chain.add(g.code)) {
                rb->resval.rbinary.clen = short(bytes.size());
                rb->resval.rbinary.buf = static_cast<char*>(std::malloc(bytes.size() + 1));
                if (rb->resval.rbinary.buf) std::memcpy(rb->resval.rbinary.buf, bytes.data(), bytes.size());
            }
        } else {
            chain.addString(g.code, m_doc.text(g.text));
        }
    }
    if (chain.head() && ent->setXData(chain.head()) != Acad::eOk) notImported(r.type + L" extended data");
}

AcDbRegAppTableRecord* DxfImporter::openOrAddRegApp(const std::wstring& name, bool& failed) {
    failed = false;
    AcDbRegAppTable* table = nullptr;
    if (m_db->getRegAppTable(table, AcDb::kForWrite) != Acad::eOk) {
        failed = true;
        return nullptr;
    }
    AcDbRegAppTableRecord* rec = nullptr;
    if (!table->has(name.c_str())) {
        rec = new AcDbRegAppTableRecord();
        AcDbObjectId id;
        if (rec->setName(name.c_str()) != Acad::eOk || table->add(id, rec) != Acad::eOk) {
            delete rec;
            rec = nullptr;
        } else {
            m_created.push_back(id);
        }
    }
    table->close();
    return rec;
}

} // namespace host::dxf
