#pragma once
// The base of the host's dimensions. A dimension measures its definition points
// (kept by each kind), shows the measurement formatted by its dimension style, or
// the user's text ("<>" stands for the measured value, a single blank shows
// nothing), and draws extension lines, a dimension line or arc, arrowheads or ticks
// and the text. Every dimension variable can be overridden on the dimension itself:
// dimtxt() answers the override when there is one and the style's value otherwise.
//
// The text sits at its default place (computed by the layout) until the user sets
// a position; textPosition() always answers where it is drawn.
//
// The graphics block (an anonymous "*D..." block holding the drawn geometry) is what
// other programs read; recomputeDimBlock() makes or refreshes it, which the drawing
// exchange does before writing a dimension.
//
// A dimension read from another program's file keeps that program's graphics block
// (keepDimBlock()): it is drawn, exploded and written from the block, texts and
// arrows exactly as their author saw them, until the dimension changes in any way;
// from then on it is drawn from its own layout again.
#include "host/db/dimensions/AcDbDimensionGraphics.h"
#include "host/db/dimensions/AcDbDimensionVars.h"
#include "host/db/entities/AcDbEntity.h"

#include <initializer_list>
#include <string>

class AcGiTextStyle;
class AcDbDimStyleTableRecord;
namespace host {
struct DimArrows;
struct DimTextSpec;
} // namespace host

class AcDbDimension : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(AcDbDimension);
    ~AcDbDimension() override = default;

    // ---- text
    AcGePoint3d textPosition() const;
    // Sets the position and makes the dimension use it.
    Acad::ErrorStatus setTextPosition(const AcGePoint3d& position);
    bool isUsingDefaultTextPosition() const { return m_defaultTextPosition; }
    Acad::ErrorStatus useSetTextPosition();
    Acad::ErrorStatus useDefaultTextPosition();
    // The user's text; a copy the caller frees with acutDelString.
    wchar_t* dimensionText() const;
    const std::wstring& dimensionTextString() const { return m_text; }
    Acad::ErrorStatus setDimensionText(const wchar_t* text);
    // 0: the text follows the dimension line; any other angle turns it in the plane.
    double textRotation() const { return m_textRotation; }
    Acad::ErrorStatus setTextRotation(double angle);
    double horizontalRotation() const { return m_horizontalRotation; }
    Acad::ErrorStatus setHorizontalRotation(double angle);
    AcGeVector3d normal() const { return m_normal; }
    Acad::ErrorStatus setNormal(const AcGeVector3d& normal);
    double elevation() const;

    // ---- measurement
    // The measured length (drawing units) or angle (radians), before dimlfac.
    Acad::ErrorStatus measurement(double& value) const;
    // The text for a measurement as this dimension shows it: formatted, with
    // dimpost, under `dimensionText` ("<>" for the value).
    Acad::ErrorStatus formatMeasurement(std::wstring& formatted, double measurement,
                                        const wchar_t* dimensionText = nullptr) const;
    // The text drawn now (empty when it is suppressed).
    std::wstring displayText() const;

    // ---- style and overrides
    AcDbObjectId dimensionStyle() const { return m_style; }
    // A null id or one that is no dimension style of this database is refused.
    Acad::ErrorStatus setDimensionStyle(AcDbObjectId styleId);
    // A new record (in no database, the caller deletes it) with the variables this
    // dimension draws with.
    Acad::ErrorStatus getDimstyleData(AcDbDimStyleTableRecord*& record) const;
    // Makes the record's variables this dimension's own: those that differ from the
    // style become overrides, the others stop being overridden.
    Acad::ErrorStatus setDimstyleData(const AcDbDimStyleTableRecord* record);
    Acad::ErrorStatus setDimstyleData(AcDbObjectId recordId);
    // Drops every override.
    Acad::ErrorStatus removeDimstyleOverrides();

#define LINTARO_DIMENSION_VAR(TYPE, GET, SET, DEFAULT) \
    TYPE GET() const;                                  \
    Acad::ErrorStatus SET(TYPE value);
    LINTARO_DIMSTYLE_VARS(LINTARO_DIMENSION_VAR)
#undef LINTARO_DIMENSION_VAR
    const wchar_t* dimpost() const;
    Acad::ErrorStatus setDimpost(const wchar_t* value);
    const wchar_t* dimapost() const;
    Acad::ErrorStatus setDimapost(const wchar_t* value);
    // Arrowheads by block name: "" (or "_ClosedFilled") is the default arrow; the
    // host's names ("_OBLIQUE", "_ArchTick", "_Dot" ...) make their block in the
    // database when it is missing; any other name must be a block of the database.
    Acad::ErrorStatus setDimblk(const wchar_t* blockName);
    Acad::ErrorStatus setDimblk1(const wchar_t* blockName);
    Acad::ErrorStatus setDimblk2(const wchar_t* blockName);
    Acad::ErrorStatus setDimldrblk(const wchar_t* blockName);

    // The variables as drawn: the style's with this dimension's overrides.
    host::DimVars effectiveDimVars() const;
    const host::DimVarOverrides& dimVarOverrides() const { return m_overrides; }
    // One override by index (see host::DimVarIndex); false when the value does not fit.
    Acad::ErrorStatus setDimVarOverride(int index, const host::DimVarValue& value);
    Acad::ErrorStatus clearDimVarOverride(int index);

    // ---- graphics block
    AcDbObjectId dimBlockId() const { return m_block; }
    Acad::ErrorStatus setDimBlockId(const AcDbObjectId& blockId);
    AcGePoint3d dimBlockPosition() const { return m_blockPosition; }
    Acad::ErrorStatus setDimBlockPosition(const AcGePoint3d& position);
    // Fills the graphics block with what the dimension draws, making an anonymous
    // "*D" block when it has none. The dimension must be in a database and open
    // for write.
    Acad::ErrorStatus recomputeDimBlock(bool forceUpdate = true);
    // What the graphics block holds, as new entities in no database (the caller
    // deletes them): pieces that follow the dimension are ByBlock, on no layer.
    Acad::ErrorStatus getBlockEntities(AcDbVoidPtrArray& entities) const;
    // Takes the graphics block as it stands for what the dimension draws while the
    // dimension stays as it is now. eInvalidInput when it has no block of its database.
    Acad::ErrorStatus keepDimBlock();
    // True while the kept block is what the dimension draws (nothing changed since).
    bool isDrawnFromDimBlock() const;

    // ---- host side
    // What the dimension draws, in its plane's 2D coordinates (see planeToWorld()).
    host::DimGraphics graphics() const;
    // From the plane's 2D coordinates (at the dimension's elevation) to the world.
    AcGeMatrix3d planeToWorld() const;

    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;

protected:
    AcDbDimension();

    // ---- what each kind provides
    // The measured length or angle of the definition points.
    virtual double measureGeometry() const = 0;
    // The formatted value ("R" and "%%c" prefixes, angles with their unit mark).
    virtual std::wstring formatValue(double measurement, const host::DimVars& vars) const;
    // The layout in the plane's 2D coordinates.
    virtual host::DimGraphics layout(const host::DimVars& vars, const host::DimArrows& arrows,
                                     const host::DimTextSpec& text) const = 0;
    // A definition point that fixes the dimension's elevation.
    virtual AcGePoint3d planePoint() const = 0;
    virtual Acad::ErrorStatus transformPoints(const AcGeMatrix3d& xform) = 0;
    virtual void listPoints() const {}

    // A world point in the plane's 2D coordinates.
    AcGePoint2d toPlane(const AcGePoint3d& point) const;
    static bool finitePoint(const AcGePoint3d& p);
    // Sets a definition point; one that is not finite is refused.
    Acad::ErrorStatus setDefPoint(AcGePoint3d& member, const AcGePoint3d& value);
    // A kind's own filed data: its version, points and numbers. Reading checks the
    // version and that every value is finite, and changes nothing otherwise.
    static Acad::ErrorStatus filePoints(AcDbDwgFiler* filer, Adesk::Int16 version,
                                        std::initializer_list<const AcGePoint3d*> points,
                                        std::initializer_list<double> reals = {});
    static Acad::ErrorStatus readPoints(AcDbDwgFiler* filer, Adesk::Int16 version,
                                        std::initializer_list<AcGePoint3d*> points,
                                        std::initializer_list<double*> reals = {});
    static void listPoint(const wchar_t* label, const AcGePoint3d& point);

    bool subWorldDraw(AcGiWorldDraw* wd) override;
    void subList() const override;
    Acad::ErrorStatus subTransformBy(const AcGeMatrix3d& xform) override;
    Acad::ErrorStatus subExplode(AcDbVoidPtrArray& entitySet) const override;
    void subSetDatabaseDefaults(AcDbDatabase* pDb) override;

private:
    host::DimArrows arrowsFor(const host::DimVars& vars) const;
    host::DimTextSpec textSpecFor(const host::DimVars& vars, AcGiTextStyle& style) const;
    Acad::ErrorStatus setArrowByName(int index, const wchar_t* blockName);
    // A digest of everything filed but the kept state itself; never 0.
    Adesk::UInt64 filedStateDigest() const;
    // The kept block's entities drawn, or copied placed as the dimension shows them.
    void drawKeptBlock(AcGiWorldDraw* wd) const;
    Acad::ErrorStatus keptBlockCopies(AcDbVoidPtrArray& entities) const;

    AcDbObjectId m_style;
    AcDbObjectId m_block;
    AcGePoint3d m_blockPosition;
    AcGePoint3d m_textPosition;
    bool m_defaultTextPosition = true;
    std::wstring m_text;
    double m_textRotation = 0.0;
    double m_horizontalRotation = 0.0;
    AcGeVector3d m_normal = AcGeVector3d::kZAxis;
    host::DimVarOverrides m_overrides;
    // The digest of the state in which the graphics block was kept; 0: none kept.
    Adesk::UInt64 m_keptBlockState = 0;
    mutable bool m_digesting = false;
};

namespace host {
// The id of a host arrowhead's block in `db` ("_Oblique" ...), made with its
// geometry when missing; the null id for the default arrow. An unknown name is
// looked up as a block of the database (eKeyNotFound when there is none).
Acad::ErrorStatus dimArrowBlockId(AcDbDatabase* db, const wchar_t* blockName, AcDbObjectId& id);
} // namespace host
