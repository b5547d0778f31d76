#pragma once
// The height mark ("Höhenkote"): a symbol at a measured point and one or two level values
// beside it, as a plan mark or a section mark. A section mark may belong to a group whose
// base mark (role 2) holds the reference level.
//
//   TRdimHeight.cpp        data, coordinate system, copying, listing, transformation
//   TRdimHeightFiling.cpp  DWG and DXF filing
//   TRdimHeightDraw.cpp    world draw and explode
//   TRdimHeightText.cpp    sizes, sides, the composed texts and their places
//   TRdimHeightPlace.cpp   placing the symbol and the extension line from the measured point
// What needs the drawing's services (handles, locks, the running command) is in app/:
//   app/HeightGroups.cpp     groups: values from the base, moved marks, scale and layer
//   app/HeightAutoValues.cpp automatic values that follow section marks, and their links
//   app/HeightEditing.cpp    grips, stretch, transformation, regeneration
//   HeightText.cpp         the value texts of a row and the names of types (free functions)
#include "host/db/database/AcArray.h"
#include "host/db/entities/AcDbEntity.h"
#include "host/ge/AcGeMatrix3d.h"
#include "host/ge/AcGePoint3d.h"
#include "host/ge/AcGeVector3d.h"
#include "module/chain/TRdimParams.h"

#include <cstdint>
#include <string>
#include <vector>

class AcGiViewportDraw;
class ChainPrimitives;
class AcGiWorldDraw;
struct TRdimHeightRecord;

// Indices into m_points.
enum TRdimHeightPoint {
    kHPointInput = 0,
    kHPointDim = 1,
    kHPointExt1 = 2,
    kHPointExt2 = 3,
    kHPointText1 = 4,
    kHPointText2 = 5,
};
inline constexpr int kHeightPointCount = 8;
inline constexpr int kHeightTextCount = 9;
// arrayString[8]: the mark's own handle as text, written at each save; a follower's link
// equal to it after handles changed is repaired.
inline constexpr int kHeightOwnHandleIndex = 8;

// Roles (m_iRole).
inline constexpr int kHeightRoleMark = 0;
inline constexpr int kHeightRoleBase = 2;

// Record version written by dwgOutFields; 1 and 2 are read.
inline constexpr int kTRdimHeightRecordVersion = 2;
// What the host gets for a record written by a newer version.
inline constexpr Acad::ErrorStatus kTRdimHeightRecordRefused = static_cast<Acad::ErrorStatus>(301);

class TRdimHeight : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(TRdimHeight);

    // Empty arrays, 8 zero points, 9 empty texts, null ids, zero vectors.
    TRdimHeight();
    ~TRdimHeight() override;

    // ---- construction and copying
    // Normal (0, 0, 1); unless bKeepParams the palette's parameters in the mark's mode
    // (4 plan, 3 section); then the coordinate system of the current UCS.
    void Initialize(bool bKeepParams);
    // Initialize, then the other mark's coordinate system, direction, style, points, texts.
    void CopyFrom(const TRdimHeight* other);
    // Takes the current UCS unless the mark in a drawing already has a system of its own.
    void SetCoordSystem(bool bForce);
    // Direction from the X axis of the mark's system, and the rotation from it.
    void SetVectorDim();

    // ---- members
    bool IsPlan() const { return m_bPlan != 0; }
    void SetPlan(bool plan);
    int GetRole() const { return m_iRole; }
    void SetRole(int role);
    int GetType() const { return static_cast<int>(GetParamInt(3)); }
    void SetType(int type);
    // A section mark of type 4, 5 or 6.
    bool IsTipUp() const;
    double GetHeight1() const { return m_dHeight1; }
    double GetHeight2() const { return m_dHeight2; }
    void SetHeight(int row, double value);
    double GetSymbolSize() const { return m_dSymbolSize; }
    double GetRotation() const { return m_dRotation; }
    void SetRotation(double rotation);
    int GetTextPosition() const { return m_iTextPosition; }
    void SetTextPosition(int code);
    AcDbObjectId GetBaseId() const { return m_idBase; }
    void SetBaseId(AcDbObjectId id);
    const AcGeVector3d& GetVectorDim() const { return m_vectorDim; }
    AcGeVector3d GetNormal() const { return m_xyzAxis[0].crossProduct(m_xyzAxis[1]); }
    const AcGeVector3d& GetStoredNormal() const { return m_vNormal; }
    const AcGePoint3d& GetOrigin() const { return m_ptOrigin; }
    const AcGeVector3d& GetAxis(int i) const { return m_xyzAxis[i < 0 ? 0 : (i > 2 ? 2 : i)]; }
    // Sets origin and axes directly (a mark made in a given system).
    void SetCoordSystem(const AcGePoint3d& origin, const AcGeVector3d& x, const AcGeVector3d& y,
                        const AcGeVector3d& z);
    AcDbObjectId GetTextStyle() const { return m_idTextStyle; }
    Acad::ErrorStatus SetTextStyle(AcDbObjectId id);

    const AcGePoint3dArray& Points() const { return m_points; }
    AcGePoint3d GetPoint(int index) const;
    void SetPoint(int index, const AcGePoint3d& point);
    const std::vector<std::wstring>& Texts() const { return m_texts; }
    std::wstring GetText(int index) const;
    void SetText(int index, const std::wstring& text);

    // World to the mark's coordinate system and back.
    AcGeMatrix3d MarkMatrix() const;
    AcGePoint3d WorldToMark(const AcGePoint3d& point) const;
    AcGeVector3d WorldToMarkVector(const AcGeVector3d& vector) const;
    AcGeVector3d WorldToMarkNormal(const AcGeVector3d& vector) const;

    // ---- parameters: an index outside an array reads as 0, 0.0 or "" and a setter grows it
    ParamArraysView Params() const { return ParamArraysView(arrayString, arrayInt, arrayDouble); }
    TRdimParams GetParams() const { return TRdimParams{arrayDouble, arrayString, arrayInt}; }
    void SetParams(TRdimParams params);
    std::uint32_t GetParamInt(int index) const;
    double GetParamDouble(int index) const;
    std::wstring GetParamString(int index) const;
    void SetParamInt(int index, std::uint32_t value);
    void SetParamDouble(int index, double value);
    void SetParamString(int index, const std::wstring& value);

    // Row layout (Format): state 0, 1 or 2 of row 1 or 2; a second row unless row 2 is 0.
    int GetRowState(int row) const;
    void SetRowState(int row, int state);
    bool HasSecondRow() const { return GetRowState(2) != 0; }

    // ---- sizes (drawing units); zero scale and units are repaired and stored
    double GetScale();
    double PaperToModel(double size);
    double GetTextHeight();
    // Computes the symbol size, stores it in m_dSymbolSize and returns it.
    double ComputeSymbolSize();
    // The texts of row 1 or 2: the main text and the part behind "^".
    void ComposeRow(int row, std::wstring& main, std::wstring& exponent) const;
    // -1 or 1: the side the texts take across the direction.
    int SideFlag() const;
    // Whether the texts stand left of the symbol.
    bool TextsOnLeft() const;
    int GetTextColor() const;
    // Places the two text points for the alignment code (TextAlign) from the symbol point.
    void InitPointText();

    // ---- drawing (TRdimHeightDraw.cpp)
    Acad::ErrorStatus drawHeight(AcGiWorldDraw* worldDraw, AcDbVoidPtrArray* entityList);

    // ---- placement (TRdimHeightPlace.cpp). A section mark's symbol stands at the level of
    // its measured point; its extension line runs between the two with gaps at both ends.
    void SetPointInput(const AcGePoint3d& point);
    void SetPointDim(const AcGePoint3d& point);
    void SetPointExt1(const AcGePoint3d& point);
    void SetPointExt2(const AcGePoint3d& point);
    // The extension line again from the measured point and the symbol.
    void PlaceExtensionLine();

    // ---- groups (app/HeightGroups.cpp)
    // A base (role 2) whose "Bezugsebene fixiert" is set refuses moves and grips.
    bool IsFixedBase() const;
    // A member takes its values from its base and its level above it; returns row 1's value.
    double SetCurHeight();
    // After a move by `offset`: a member's values follow the move, a base recomputes every
    // member of its group. 1 when a base scan ran.
    int DimMoved(const AcGeVector3d& offset);
    // Base and members share layer and scale; 1 when anything changed.
    int ScaleOrLayerChanged();

    // ---- automatic values of plan marks (app/HeightAutoValues.cpp); rows are 1 and 2
    int SetAutoValue(int row, AcDbObjectId sourceId);
    int ClearAutoValue(int row);
    // The row from the source (null: the link is broken and the text gets its "#").
    int UpdateAutoValue(const TRdimHeight* source, int row);
    void RefreshAutoValue(bool bAddReactor);
    int VerifyAutoValue(const TRdimHeight* source);
    bool IsAutoValue(int row) const;
    std::wstring GetAutoLink(int row) const;
    void modified(const AcDbObject* dbObj) override;
    void erased(const AcDbObject* dbObj, Adesk::Boolean bErasing = true) override;

    // ---- editing (app/HeightEditing.cpp)
    // The palette's settings (iType < 1) or only the global delimiter and sign rule
    // applied again; 1 when the mark could be written.
    int Regenerate(int iType);

    // ---- the host's virtual operations
    bool subWorldDraw(AcGiWorldDraw* worldDraw) override;
    void subViewportDraw(AcGiViewportDraw* viewportDraw) override;
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;
    Acad::ErrorStatus applyPartialUndo(AcDbDwgFiler* undoFiler, AcRxClass* classObj) override;

protected:
    void subList() const override;
    Acad::ErrorStatus subTransformBy(const AcGeMatrix3d& xform) override;
    Acad::ErrorStatus subGetTransformedCopy(const AcGeMatrix3d& xform, AcDbEntity*& pEnt) const override;
    Acad::ErrorStatus subExplode(AcDbVoidPtrArray& entitySet) const override;
    Acad::ErrorStatus subGetGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray& osnapModes,
                                       AcDbIntArray& geomIds) const override;
    Acad::ErrorStatus subGetStretchPoints(AcGePoint3dArray& stretchPoints) const override;
    Acad::ErrorStatus subMoveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) override;
    Acad::ErrorStatus subMoveStretchPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) override;

private:
    // The texts of the rows with their underlines (TRdimHeightDraw.cpp).
    void DrawRows(ChainPrimitives& out, int entityColor);
    // Whether the group base of a section mark opens as a height mark.
    bool HasBase() const;
    void TakeRecord(TRdimHeightRecord& record);
    void WriteRecord(AcDbDwgFiler* filer) const;
    // The own handle string (arrayString[8]) made equal to the real handle.
    void FixOwnHandle();

    TRdimDoubleArray arrayDouble;
    TRdimStringArray arrayString;
    TRdimIntArray arrayInt;
    AcGePoint3dArray m_points;
    std::vector<std::wstring> m_texts;
    int m_iTextPosition = 0;
    int m_bPlan = 0;
    int m_iRole = kHeightRoleMark;
    AcDbObjectId m_idBase;
    double m_dHeight1 = 0.0;
    double m_dHeight2 = 0.0;
    double m_dSymbolSize = 0.0;
    double m_dRotation = 0.0;
    AcGeVector3d m_vectorDim{0.0, 0.0, 0.0};
    AcGePoint3d m_ptOrigin;
    AcGeVector3d m_xyzAxis[3] = {AcGeVector3d(0, 0, 0), AcGeVector3d(0, 0, 0), AcGeVector3d(0, 0, 0)};
    AcDbObjectId m_idTextStyle;
    AcGeVector3d m_vNormal{0.0, 0.0, 0.0};
};

// The mark behind `id`, open for read, or null (the object is closed again when it is no
// height mark). The caller closes it.
TRdimHeight* ObjectId2TRdimHeight(AcDbObjectId id);

// The section marks of model space whose base is `baseId` (role 0), in handle order.
AcDbObjectIdArray GetGroupMembers(AcDbObjectId baseId);
// Whether a link text names a mark of another drawing (a ":" after its first character).
bool HeightLinkNamesOtherDrawing(const std::wstring& link);

// The app version number of a version triple: (minor + 10 major) 100 + build.
int HeightAppVersionNumber(int major, int minor, int build);
