// The definitions behind IoTestHelpers.h (a *_test.cpp so the test build picks it up).
#include "tests/host/io/IoTestHelpers.h"

#include "host/db/entities/AcDbArc.h"
#include "host/db/tables/AcDbBlockTable.h"
#include "host/db/tables/AcDbBlockTableRecord.h"
#include "host/db/entities/AcDbCircle.h"
#include "host/db/database/AcDbHostApplicationServices.h"
#include "host/db/tables/AcDbLayerTable.h"
#include "host/db/entities/AcDbLine.h"
#include "host/db/entities/AcDbMText.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/db/entities/AcDbPolyline.h"
#include "host/db/tables/AcDbRegAppTableRecord.h"
#include "host/db/entities/AcDbText.h"
#include "host/db/database/DatabaseClasses.h"
#include "host/db/filing/DwgBufferFiler.h"
#include "host/db/database/acutResbuf.h"
#include "host/gi/AcGiSubEntityTraits.h"
#include "host/gi/AcGiWorldDraw.h"
#include "host/gi/AcGiWorldGeometry.h"
#include "host/rx/AcRxClass.h"
#include "host/rx/AcRxDictionary.h"
#include "tests/host/db/DbTestHelpers.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <unistd.h>

ACRX_DXF_DEFINE_MEMBERS(IoTestMark, AcDbEntity, AcDb::kDHL_CURRENT, AcDb::kMReleaseCurrent, 0xBFF, LT_IO_MARK,
                        L"LtIoTest|Test marks|1.0|Tests")

// ---- the add-on's entity ---------------------------------------------------------

namespace {
constexpr Adesk::Int16 kMarkVersion = 1;
} // namespace

Acad::ErrorStatus IoTestMark::dwgOutFields(AcDbDwgFiler* f) const {
    if (throwOnWriting && f->filerType() == AcDb::kFileFiler) throw std::runtime_error("writing fault");
    Acad::ErrorStatus es = AcDbEntity::dwgOutFields(f);
    if (es != Acad::eOk) return es;
    f->writeInt16(kMarkVersion);
    f->writePoint3d(m_at);
    f->writeDouble(m_size);
    f->writeString(m_label);
    f->writeHardPointerId(m_link);
    return f->filerStatus();
}

bool IoTestMark::refuseReading = false;
bool IoTestMark::throwOnReading = false;
bool IoTestMark::throwOnWriting = false;

Acad::ErrorStatus IoTestMark::dwgInFields(AcDbDwgFiler* f) {
    if (throwOnReading && f->filerType() == AcDb::kFileFiler) throw std::runtime_error("reading fault");
    if (refuseReading && f->filerType() == AcDb::kFileFiler) {
        f->setFilerStatus(Acad::eInvalidDwgVersion);
        return Acad::eInvalidDwgVersion;
    }
    Acad::ErrorStatus es = AcDbEntity::dwgInFields(f);
    if (es != Acad::eOk) return es;
    Adesk::Int16 version = 0;
    AcGePoint3d at;
    double size = 0;
    std::wstring label;
    AcDbHardPointerId link;
    f->readInt16(&version);
    if (f->filerStatus() == Acad::eOk && version != kMarkVersion) f->setFilerStatus(Acad::eInvalidDwgVersion);
    f->readPoint3d(&at);
    f->readDouble(&size);
    f->readString(label);
    f->readHardPointerId(&link);
    if (f->filerStatus() != Acad::eOk) return f->filerStatus();
    if (!(size > 0.0)) {
        f->setFilerStatus(Acad::eInvalidInput);
        return Acad::eInvalidInput;
    }
    m_at = at;
    m_size = size;
    m_label = label;
    m_link = link;
    return Acad::eOk;
}

bool IoTestMark::subWorldDraw(AcGiWorldDraw* wd) {
    wd->subEntityTraits().setColor(3);
    wd->geometry().circle(m_at, m_size, AcGeVector3d::kZAxis);
    const AcGePoint3d cross[2] = {m_at - AcGeVector3d(m_size, 0, 0), m_at + AcGeVector3d(m_size, 0, 0)};
    wd->geometry().polyline(2, cross);
    wd->geometry().text(m_at, AcGeVector3d::kZAxis, AcGeVector3d::kXAxis, m_size, 1.0, 0.0, m_label.c_str());
    return true;
}

namespace iotest {

TempFolder::TempFolder() {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/lintaro-io-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (::mkdtemp(name.data())) m_path = name.data();
}

TempFolder::~TempFolder() {
    std::error_code ec;
    if (!m_path.empty()) std::filesystem::remove_all(m_path, ec);
}

std::wstring TempFolder::file(const std::string& name) const {
    return (m_path / name).wstring();
}

std::vector<uint8_t> readAll(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeAll(const std::wstring& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

MarkClassScope::MarkClassScope() {
    // The host's classes are there before any add-on registers its own below them.
    host::registerDatabaseClasses();
    IoTestMark::rxInit();
    acrxBuildClassHierarchy();
}

MarkClassScope::~MarkClassScope() {
    deleteAcRxClass(IoTestMark::desc());
    IoTestMark::gpDesc = nullptr;
}

// ---- the sample drawing -----------------------------------------------------------

namespace {

AcDbObjectId append(AcDbDatabase* db, AcDbEntity* ent, AcDbObjectId layer) {
    AcDbBlockTableRecord* ms = nullptr;
    acdbOpenObject(ms, db->modelSpaceId(), AcDb::kForWrite);
    AcDbObjectId id;
    ms->appendAcDbEntity(id, ent);
    if (!layer.isNull()) ent->setLayer(layer);
    ent->close();
    ms->close();
    return id;
}
} // namespace

SampleIds buildSample(AcDbDatabase* db) {
    SampleIds ids;
    AcDbDatabase* previous = acdbHostApplicationServices()->workingDatabase();
    acdbHostApplicationServices()->setWorkingDatabase(db);
    ids.wallLayer = dbtest::addLayer(db, L"Wände", 1);
    AcDbObjectId dimLayer = dbtest::addLayer(db, L"Maße", 5);
    ids.line = append(db, new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1250.5, 0, 0)), ids.wallLayer);
    ids.arc = append(db, new AcDbArc(AcGePoint3d(10, 20, 0), 7.25, 0.1, 2.9), ids.wallLayer);
    ids.circle = append(db, new AcDbCircle(AcGePoint3d(-3, 4, 1.5), AcGeVector3d::kZAxis, 0.5), dimLayer);
    auto* pl = new AcDbPolyline();
    pl->addVertexAt(0, AcGePoint2d(0, 0), 0.0);
    pl->addVertexAt(1, AcGePoint2d(100, 0), 1.0);
    pl->addVertexAt(2, AcGePoint2d(100, 50), -0.25);
    pl->addVertexAt(3, AcGePoint2d(0, 50), 0.0);
    pl->setClosed(true);
    ids.polyline = append(db, pl, dimLayer);
    ids.text = append(db, new AcDbText(AcGePoint3d(2, 3, 0), L"Fläche 12,5 m²", db->textstyle(), 0.35, 0.25),
                      dimLayer);
    auto* mtext = new AcDbMText();
    mtext->setLocation(AcGePoint3d(40, 41, 0));
    mtext->setContents(L"Zeile 1\\PZeile ±2");
    ids.mtext = append(db, mtext, ids.wallLayer);
    ids.erasedLine = append(db, new AcDbLine(AcGePoint3d(5, 5, 0), AcGePoint3d(6, 6, 0)), AcDbObjectId());
    AcDbEntity* ent = nullptr;
    acdbOpenObject(ent, ids.erasedLine, AcDb::kForWrite);
    ent->erase();
    ent->close();
    // Extended data with a text that is not ASCII, a real and a point.
    acdbRegApp(L"LINTARO_TEST");
    double where[3] = {1, 2, 3};
    resbuf* xd =
        acutBuildList(1001, L"LINTARO_TEST", 1000, L"BMaß ±2²", 1040, 3.25, 1010, where, 1070, 42, 0);
    acdbOpenObject(ent, ids.line, AcDb::kForWrite);
    ent->setXData(xd);
    ent->close();
    acutRelRb(xd);
    if (IoTestMark::desc()) {
        auto* mark = new IoTestMark(AcGePoint3d(50, 60, 0), 2.5, L"Höhe +2,50");
        mark->setLink(ids.line);
        ids.mark = append(db, mark, dimLayer);
        ids.mark2 = append(db, new IoTestMark(AcGePoint3d(-8, 1, 0), 1.0, L"zweite"), AcDbObjectId());
    }
    acdbHostApplicationServices()->setWorkingDatabase(previous);
    return ids;
}

std::vector<ObjectImage> imageOf(AcDbDatabase* db) {
    std::vector<ObjectImage> out;
    for (AcDbObjectId id : db->allObjectIds()) {
        const AcDbObject* obj = static_cast<AcDbStub*>(id)->object;
        ObjectImage img;
        img.handle = id.handle().value();
        img.className = obj->isA()->name();
        img.owner = obj->ownerId().handle().value();
        img.erased = id.isErased();
        host::DwgBufferFiler filer(AcDb::kFileFiler, db);
        obj->dwgOut(&filer);
        img.bytes = filer.bytes();
        out.push_back(std::move(img));
    }
    return out;
}

} // namespace iotest
