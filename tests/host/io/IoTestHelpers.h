#pragma once
// What the drawing-file tests share: a scratch folder, a custom entity class of the
// kind an add-on defines (so that files hold objects the host does not know), a
// sample drawing with a bit of everything, and comparison of databases object by
// object through their filed bytes.
#include "host/db/database/AcDbDatabase.h"
#include "host/db/entities/AcDbEntity.h"
#include "host/ge/AcGePoint3d.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

// An entity of an add-on: a marker with a label, a size and a link to another
// object. It draws a circle, a cross and its label.
class IoTestMark : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(IoTestMark);
    IoTestMark() = default;
    IoTestMark(const AcGePoint3d& at, double size, const std::wstring& label)
        : m_at(at), m_size(size), m_label(label) {}

    AcGePoint3d at() const { return m_at; }
    double size() const { return m_size; }
    const std::wstring& label() const { return m_label; }
    AcDbObjectId link() const { return m_link; }
    void setLink(AcDbObjectId id) {
        assertWriteEnabled();
        m_link = id;
    }

    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;

    // Stand for an add-on whose class cannot read what a newer version wrote, and
    // for one with faults that throw.
    static bool refuseReading;
    static bool throwOnReading;
    static bool throwOnWriting;

protected:
    bool subWorldDraw(AcGiWorldDraw* wd) override;

private:
    AcGePoint3d m_at;
    double m_size = 1.0;
    std::wstring m_label;
    AcDbObjectId m_link;
};

namespace iotest {

// Far below a drawing's precision, far above rounding: coordinates go through
// the file bit for bit, so anything larger is a fault.
inline constexpr double kGeomTol = 1e-12;

// A fresh folder under $TMPDIR (or /tmp), removed with everything in it.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& path() const { return m_path; }
    std::wstring file(const std::string& name) const;

private:
    std::filesystem::path m_path;
};

std::vector<uint8_t> readAll(const std::wstring& path);
void writeAll(const std::wstring& path, const std::vector<uint8_t>& bytes);

// Registers IoTestMark for the lifetime of the object, as loading its add-on would.
class MarkClassScope {
public:
    MarkClassScope();
    ~MarkClassScope();
};

// A default drawing with layers "Wände" and "Maße", lines, arcs, circles, a
// polyline with bulges and texts on them, extended data, an erased line and two marks
// (one linked to a line). The marks' class must be registered while it is built.
struct SampleIds {
    AcDbObjectId line, arc, circle, polyline, text, mtext, erasedLine, mark, mark2, wallLayer;
};
SampleIds buildSample(AcDbDatabase* db);

// Every object's handle, class name, owner, erased flag and filed bytes.
struct ObjectImage {
    uint64_t handle = 0;
    std::wstring className;
    uint64_t owner = 0;
    bool erased = false;
    std::vector<uint8_t> bytes;
    bool operator==(const ObjectImage&) const = default;
};
std::vector<ObjectImage> imageOf(AcDbDatabase* db);

} // namespace iotest
