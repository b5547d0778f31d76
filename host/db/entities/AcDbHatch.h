#pragma once
// A hatch: an area bounded by loops in its plane (closed polylines of vertices and
// bulges; loops inside loops are islands, left empty by the even-odd rule), filled
// solid or with the lines of a pattern. The pattern's line families are kept as
// the file or the caller gave them, with the pattern's scale and angle applied, so
// that a hatch is drawn without the pattern files it came from.
#include "host/db/database/AcArray.h"
#include "host/db/entities/AcDbEntity.h"
#include "host/db/entities/HatchGeometry.h"

#include <string>
#include <vector>

class AcDbHatch : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDbHatch);
    enum HatchPatternType { kUserDefined = 0, kPreDefined = 1, kCustomDefined = 2 };
    enum HatchStyle { kNormal = 0, kOuter = 1, kIgnore = 2 };
    enum HatchLoopType { kDefault = 0, kExternal = 1, kPolyline = 2, kDerived = 4, kTextbox = 8, kOutermost = 16 };

    AcDbHatch() = default;
    ~AcDbHatch() override = default;

    // ---- pattern
    // "SOLID" fills; any other name draws the line families given for it.
    Acad::ErrorStatus setPattern(HatchPatternType type, const wchar_t* name);
    const wchar_t* patternName() const { return m_patternName.c_str(); }
    HatchPatternType patternType() const { return m_patternType; }
    bool isSolidFill() const;
    double patternAngle() const { return m_patternAngle; }
    Acad::ErrorStatus setPatternAngle(double angle);
    double patternScale() const { return m_patternScale; }
    Acad::ErrorStatus setPatternScale(double scale);
    bool patternDouble() const { return m_patternDouble; }
    Acad::ErrorStatus setPatternDouble(bool isDouble);
    int numPatternDefinitions() const { return int(m_lines.size()); }
    Acad::ErrorStatus getPatternDefinitionAt(int index, double& angle, double& baseX, double& baseY, double& offsetX,
                                             double& offsetY, AcGeDoubleArray& dashes) const;
    // A line family as drawn (scale and angle applied); values that are not
    // finite are refused.
    Acad::ErrorStatus appendPatternDefinition(double angle, double baseX, double baseY, double offsetX,
                                              double offsetY, const AcGeDoubleArray& dashes);
    HatchStyle hatchStyle() const { return m_style; }
    Acad::ErrorStatus setHatchStyle(HatchStyle style);

    // ---- boundary
    int numLoops() const { return int(m_loops.size()); }
    // A closed loop of at least two vertices (bulges: none, or one per vertex).
    Acad::ErrorStatus appendLoop(Adesk::Int32 loopType, const AcGePoint2dArray& vertices, const AcGeDoubleArray& bulges);
    Acad::ErrorStatus getLoopAt(int index, Adesk::Int32& loopType, AcGePoint2dArray& vertices,
                                AcGeDoubleArray& bulges) const;
    double elevation() const { return m_elevation; }
    Acad::ErrorStatus setElevation(double elevation);
    AcGeVector3d normal() const { return m_normal; }
    Acad::ErrorStatus setNormal(const AcGeVector3d& normal);
    bool associative() const { return false; }

    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;

protected:
    bool subWorldDraw(AcGiWorldDraw* wd) override;
    Acad::ErrorStatus subTransformBy(const AcGeMatrix3d& xform) override;

private:
    struct Loop {
        Adesk::Int32 type = kExternal | kPolyline;
        host::HatchLoop shape;
    };
    AcGeMatrix3d planeToWorld() const;
    std::vector<std::vector<AcGePoint2d>> loopOutlines(double deviation) const;

    std::wstring m_patternName = L"SOLID";
    HatchPatternType m_patternType = kPreDefined;
    double m_patternAngle = 0.0;
    double m_patternScale = 1.0;
    bool m_patternDouble = false;
    HatchStyle m_style = kNormal;
    std::vector<host::HatchPatternLine> m_lines;
    std::vector<Loop> m_loops;
    double m_elevation = 0.0;
    AcGeVector3d m_normal = AcGeVector3d::kZAxis;
};
