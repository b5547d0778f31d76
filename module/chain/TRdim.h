#pragma once
// The dimension chain: one entity for a whole run of measurements along a line (or an
// arc) — its extensions (four points each), one text entry per segment, appended texts,
// flag words, and its own copy of every option that shapes it.
//
// What the chain keeps is one value, ChainRecord (ChainRecord.h): its geometry
// (ChainGeometry.h, the operations that need nothing but the points), the text entries,
// the parameters, the style and the appended texts; the record files itself. The entity
// adds what needs the drawing and the options, and keeps its names as thin members.
//
// The class is split by concern over several files:
//   TRdim.cpp          data, text entries, appended texts, flags, copying
//   TRdimValueText.cpp shown values, display parts, the listing
//   TRdimGeometry.cpp  point input, extension geometry, sorting, measured values
//   TRdimFiling.cpp    DWG and DXF filing
//   TRdimLayout.cpp    text angle, position codes, centring, automatic placement
//   TRdimDraw.cpp      world draw, painting the texts, explode output, segment marks
//   TRdimTextLayout.cpp the texts as drawn, kept until what they come from changes
//   TRdimArc.cpp       the arc of an arc chain (type 3): curve, parameters, lengths
//   TRdimArcInput.cpp  the arc variants of point input and of moving the dimension arc
//   TRdimGrips.cpp     grips, stretch, osnap, transform, explode, subentity paths
//   TRdimRefresh.cpp   refresh, regenerate and the curve reactor callbacks
#include "host/db/database/AcArray.h"
#include "host/db/entities/AcDbEntity.h"
#include "host/ge/AcGeLine3d.h"
#include "host/ge/AcGeMatrix3d.h"
#include "host/ge/AcGePlane.h"
#include "host/ge/AcGePoint3d.h"
#include "host/ge/AcGeVector3d.h"
#include "module/chain/AppendingText.h"
#include "module/chain/ChainGeometry.h"
#include "module/chain/ChainLayout.h"
#include "module/chain/ChainRecord.h"
#include "module/chain/TRdimExtFlags.h"
#include "module/chain/TRdimParams.h"
#include "module/chain/ValueFormat.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class AcDbCurve;
class AcGeCircArc3d;
class AcGeCurve3d;
class AcGiViewportDraw;
class AcGiWorldDraw;
class ChainPrimitives;
class ChainTextStyle;
struct GripRef;

// SetPointInput modes.
enum TRdimPointMode {
    kPointNew = 0,      // a new or replaced point: both neighbouring texts are centred again
    kPointMoved = 1,    // moved by grip or command: only texts at their default place follow
    kPointStretch = 100 // moved with its text, without sorting
};

class TRdim : public AcDbEntity {
public:
    ACRX_DECLARE_MEMBERS(TRdim);

    // Empty, as the class factory makes it before reading: no points, m_zAxis zero.
    TRdim();
    // A chain of two extensions at `first` and `second` (world coordinates), its
    // dimension line through `dimPoint`, made in the UCS `ucsToWorld`: direction and
    // rotation follow the type (horizontal along the UCS X axis, vertical along Y,
    // aligned from first to second; an arc chain without a curve measures along the arc
    // it builds from its own points). Takes the palette's settings (Initialize) and the
    // database defaults. An unknown type is refused with a message and leaves the chain
    // without extensions.
    TRdim(const AcGePoint3d& first, const AcGePoint3d& second, int dimType, const AcGePoint3d& dimPoint,
          const AcGeMatrix3d& ucsToWorld);
    // An arc chain along the curve `curveId` (an arc, a circle, or segment `subent` of a
    // light-weight polyline): both points are put onto the curve, the dimension arc runs
    // through `dimPoint`. Two equal points on a circle make a full-circle chain.
    TRdim(const AcGePoint3d& first, const AcGePoint3d& second, AcDbObjectId curveId, int subent,
          const AcGePoint3d& dimPoint, const AcGeMatrix3d& ucsToWorld);
    // The same in the current UCS of the working database.
    TRdim(const AcGePoint3d& first, const AcGePoint3d& second, int dimType, const AcGePoint3d& dimPoint);
    ~TRdim() override;

    // ---- construction and copying
    void Initialize(bool bNoDefaults);
    // Gives back the room the chain's lists grew while it was made point by point.
    void ShrinkToFit() { ShrinkRecord(m_rec); }
    int CopyFrom(const TRdim* source);
    void CopyParams(const TRdim* source);

    // ---- members (read access for the other parts and for tests)
    // The whole of what the chain keeps and files, and its geometry alone.
    const ChainRecord& Record() const { return m_rec; }
    const ChainGeometry& Geometry() const { return m_rec.geo; }
    int GetDimType() const { return m_rec.geo.dimType; }
    bool IsDimArc() const { return m_rec.geo.IsArc(); }
    double GetRotation() const { return m_rec.geo.rotation; }
    const AcGeVector3d& GetVectorDim() const { return m_rec.geo.vectorDim; }
    const AcGePoint3d& GetUcsOrigin() const { return m_rec.geo.origin; }
    const AcGeVector3d& GetUcsAxis(int i) const { return m_rec.geo.axis[i < 0 ? 0 : (i > 2 ? 2 : i)]; }
    const AcGeVector3d& GetZAxis() const { return m_rec.geo.zAxis; }
    const AcGePoint3dArray& Points() const { return m_rec.geo.points; }
    const std::vector<std::wstring>& Texts() const { return m_rec.texts; }
    const TRdimExtFlagArray& ExtFlags() const { return m_rec.geo.extFlags; }
    const AppendingTextList& AppTexts() const { return m_rec.appTexts; }
    const AcGePoint3dArray& ArcPoints() const { return m_rec.geo.arcPoints; }
    const AcGeDoubleArray& ArcParams() const { return m_rec.geo.arcParams; }
    AcDbObjectId GetArcObjectId() const { return m_rec.arcObjectId; }
    int GetArcSubent() const { return m_rec.arcSubent; }
    // The UCS the chain was made in, as a matrix from it to world coordinates.
    AcGeMatrix3d GetUcsMatrix() const;
    // Normal of that UCS (X x Y), and whether it points down (a mirrored chain).
    AcGeVector3d GetUcsNormal() const;
    // The chain's own coordinate system (origin and axes, not the points): the UCS it
    // measures and sorts in. A degenerate matrix gives the world's axes.
    void SetCoordSystem(const AcGeMatrix3d& ucsToWorld);
    bool IsUcsMirrored() const;

    AcDbObjectId GetTextStyleId() const { return m_rec.textStyleId; }
    void SetTextStyleId(AcDbObjectId id);

    // ---- parameters: an index outside an array reads as 0, 0.0 or "" and a setter grows it
    ParamArraysView Params() const { return ParamArraysView(m_rec.params); }
    const TRdimDoubleArray& ArrayDouble() const { return m_rec.params.arrayDouble; }
    const TRdimStringArray& ArrayString() const { return m_rec.params.arrayString; }
    const TRdimIntArray& ArrayInt() const { return m_rec.params.arrayInt; }
    TRdimParams GetParams() const { return m_rec.params; }
    // Replaces all three arrays (the palette's settings, a conversion).
    void SetParams(TRdimParams params);
    std::uint32_t GetParamInt(int index) const;
    double GetParamDouble(int index) const;
    std::wstring GetParamString(int index) const;
    void SetParamInt(int index, std::uint32_t value);
    void SetParamDouble(int index, double value);
    void SetParamString(int index, const std::wstring& value);
    bool IsSumShown() const;
    bool IsWipeOutOn() const;
    bool IsAltUnitsOn() const;
    // The scale the chain is drawn at (a zero scale is repaired and reported) and a paper
    // size in drawing units.
    double GetScale();
    double PaperToModel(double size);

    // ---- points; a negative index means its absolute value
    int GetExtensions() const { return m_rec.geo.Extensions(); }
    AcGePoint3d GetPointInput(int i) const;
    AcGePoint3d GetPointExt(int i) const;
    // -100 means 1, -99 means 0; i equal to the extensions means the last one.
    AcGePoint3d GetPointDim(int i) const;
    AcGePoint3d GetPointTextPos(int i) const;
    int SetPointText(int i, const AcGePoint3d& point, bool bMoveAppText);
    int SetPointDim(int i, const AcGePoint3d& point, bool bNoAdjust);
    // Extensions whose input point is `point` (host tolerance).
    int GetInputPointCount(const AcGePoint3d& point) const;

    // ---- segment text entries: value#code@user@prefix@suffix, entry k for segment k
    const std::wstring& GetTextEntry(int k) const;
    int GetDimTextArray(int k, std::vector<std::wstring>& parts) const;
    std::wstring GetDimTextUser(int k) const;
    std::wstring GetDimTextPrefix(int k) const;
    std::wstring GetDimTextSuffix(int k) const;
    int SetDimTextDim(int k, const wchar_t* value);
    int SetDimTextUser(int k, const wchar_t* text);
    int SetDimTextPrefix(int k, const wchar_t* text);
    int SetDimTextSuffix(int k, const wchar_t* text);
    // Position code of segment k (the sum at k = extensions); arc chains report 0.
    int GetDimTextPos(int k, bool bAbs) const;
    int SetDimTextPos(int k, int code);

    // ---- appended texts
    // Position in m_appTexts of the record of segment k (and the record), or -1.
    int GetAppendingText(int k, AppendingText** record = nullptr);
    // Stores a copy of `record` for segment k and places it; null deletes the record.
    int SetAppendingText(int k, const AppendingText* record);

    // ---- extension flags and tick symbols
    bool IsExtVisible(int i) const;
    int SetExtHidden(int i, bool bHide);
    int SetExtLeader(int i, bool bOn);
    bool IsExtLeader(int i) const;
    int SetTickSymbol(int i, int code);
    int GetTickSymbol(int i) const;
    void SyncExtFlags(int i, bool bInsert);

    // ---- measured values (TRdimGeometry.cpp) and shown texts (TRdim.cpp)
    double GetDistance(int k);
    int UpdateDimText(int k);
    std::wstring GetText(int k);
    bool IsUserTextOutOfTolerance(int k);
    bool BuildDisplayText(int k, std::vector<std::wstring>* parts,
                          const AppendingText* appendingText = nullptr);
    // The formatter's environment for this chain (its own options file, the log).
    ValueFormatEnv GetFormatEnv() const;

    // ---- point input and extension geometry (TRdimGeometry.cpp)
    AcGePlane GetChainPlane() const;
    AcGePoint3d ProjectToChainPlane(const AcGePoint3d& point) const;
    AcGeLine3d GetLineExt(int i) const;
    int AddPointInput(const AcGePoint3d& point, bool bNoCheck = false);
    int SetPointInput(int i, const AcGePoint3d& point, int iMode);
    int ChangePoint(int i, const AcGePoint3d& point, int iMode) { return SetPointInput(i, point, iMode); }
    void SetPointExt(int i, const AcGePoint3d& point, bool bKeep);
    void ChangePointMainDim(const AcGePoint3d& point, bool bKeepExt = false);
    int RemoveDimExt(int i);
    int RemoveDoubleExtensions();
    int RearrangeExtensions(int i);
    int SideOfDimLine(int i, double angle, const AcGePoint3d* point = nullptr);
    // Line intersection, retried with widening tolerance before giving up.
    static bool Intersect(const AcGeLine3d& lineA, const AcGeLine3d& lineB, AcGePoint3d& result);
    // The intersection of a line and an arc nearer to `nearPoint`; with a curve, the one
    // of two that lies on it.
    static bool MyIntersect(const AcGeLine3d& line, const AcGeCircArc3d& arc, AcGePoint3d& result,
                            const AcGePoint3d& nearPoint, const AcGeCurve3d* curve = nullptr);

    // ---- text layout (TRdimLayout.cpp)
    int GetTextAngle(int k, double& angle, int& side);
    AcGePoint3d DefaultTextPoint(int k, int code = -100);
    int CenterText(int k);
    int AutoTextPosition(int k);
    int SetAppendingTextPos(int k, AppendingText* record);
    int AdjustTexts(int mode);
    double AdaptByTextHeight(int index);
    // Text height in drawing units (the parameter is in tenths of a paper millimetre).
    double GetTextHeight();
    bool GetPointText(int k, AcGePoint3dArray& points, std::vector<std::wstring>& parts,
                      const AppendingText* appendingText = nullptr, int code = 0);
    std::array<AcGePoint3d, 4> TextBox(int k, double margin);

    // ---- drawing (TRdimDraw.cpp)
    Acad::ErrorStatus drawDimension(AcGiWorldDraw* worldDraw, AcDbVoidPtrArray* entityList);
    int DrawDimTexts(AcGiWorldDraw* worldDraw, AcDbVoidPtrArray* entityList, bool bDraw);
    // The texts as drawn (TRdimTextLayout.cpp), worked out once and kept until the chain,
    // the options it reads, its scale (the annotation scale) or its text style `style`
    // change; call it while a ChainTextStyleScope lives.
    const ChainLayout& Layout(const ChainTextStyle& style);
    // Forgets the kept layout: the next drawing works it out again.
    void DropLayout();
    void drawFacets(AcGiWorldDraw* worldDraw);
    int GetTextColor() const;
    int MarkSegment(int k, int mode);

    // ---- arc chains (TRdimArc.cpp)
    AcDbCurve* GetDbArcInput() const;
    AcGeCircArc3d* GetArcInput(bool bFullCircle);
    void MakeParamArray();
    AcGeCircArc3d* GetArcDim(int tag, double extend = 0.0);
    void ChangePointMainDimArc(const AcGePoint3d& point, bool bKeepExt);
    int SetPointInputArc(int i, const AcGePoint3d& point, int iMode);
    double GetDistanceArc(int k);
    AcGeLine3d GetLineExtArc(int i) const;
    bool IsFullCircle() const;
    // After the extensions of an arc chain were re-sorted.
    void UpdateArcAfterSort();
    // The arc of an arc, a circle or segment `segment` of a light-weight polyline,
    // counter-clockwise; null for anything else. The caller owns the arc.
    static AcGeCircArc3d* Curve2GeArc(const AcDbCurve* curve, int segment);
    // The curve an arc chain measures along from now on (its segment for a polyline).
    // The persistent-reactor link is the caller's: it lives in the curves.
    void SetArcSource(AcDbObjectId curveId, int segment);

    // ---- refresh and regenerate (TRdimRefresh.cpp)
    int Refresh();
    int DimRefresh(int iType);
    int Regenerate(int iType);

    // ---- grips (TRdimGrips.cpp)
    void GetGripPointList(AcGePoint3dArray& points) const;

    // ---- the host's virtual operations, in their slot order
    bool subWorldDraw(AcGiWorldDraw* worldDraw) override;
    void subViewportDraw(AcGiViewportDraw* viewportDraw) override;
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;
    Acad::ErrorStatus applyPartialUndo(AcDbDwgFiler* undoFiler, AcRxClass* classObj) override;
    void erased(const AcDbObject* dbObj, Adesk::Boolean bErasing = true) override;
    void modified(const AcDbObject* dbObj) override;

protected:
    void subList() const override;
    Acad::ErrorStatus subGetOsnapPoints(AcDb::OsnapMode osnapMode, Adesk::GsMarker gsSelectionMark,
                                        const AcGePoint3d& pickPoint, const AcGePoint3d& lastPoint,
                                        const AcGeMatrix3d& viewXform, AcGePoint3dArray& snapPoints,
                                        AcDbIntArray& geomIds) const override;
    Acad::ErrorStatus subGetOsnapPoints(AcDb::OsnapMode osnapMode, Adesk::GsMarker gsSelectionMark,
                                        const AcGePoint3d& pickPoint, const AcGePoint3d& lastPoint,
                                        const AcGeMatrix3d& viewXform, AcGePoint3dArray& snapPoints,
                                        AcDbIntArray& geomIds,
                                        const AcGeMatrix3d& insertionMat) const override;
    Acad::ErrorStatus subTransformBy(const AcGeMatrix3d& xform) override;
    Acad::ErrorStatus subGetTransformedCopy(const AcGeMatrix3d& xform, AcDbEntity*& pEnt) const override;
    Acad::ErrorStatus subExplode(AcDbVoidPtrArray& entitySet) const override;
    Acad::ErrorStatus subGetGripPoints(AcGePoint3dArray& gripPoints, AcDbIntArray& osnapModes,
                                       AcDbIntArray& geomIds) const override;
    Acad::ErrorStatus subMoveGripPointsAt(const AcDbIntArray& indices, const AcGeVector3d& offset) override;
    Acad::ErrorStatus subGetStretchPoints(AcGePoint3dArray& stretchPoints) const override;
    Acad::ErrorStatus subMoveStretchPointsAt(const AcDbIntArray& indices,
                                             const AcGeVector3d& offset) override;
    Acad::ErrorStatus subGetGsMarkersAtSubentPath(const AcDbFullSubentPath& subPath,
                                                  AcArray<Adesk::GsMarker>& gsMarkers) const override;

public:
    // The chain's own: markers to subentity paths, grips of a subentity path, the grip list.
    Acad::ErrorStatus getSubentPathsAtGsMarker(AcDb::SubentType type, Adesk::GsMarker gsMark,
                                               const AcGePoint3d& pickPoint, const AcGeMatrix3d& viewXform,
                                               int& numPaths, AcDbFullSubentPath*& subentPaths,
                                               int numInserts = 0,
                                               AcDbObjectId* entAndInsertStack = nullptr) const override;
    virtual Acad::ErrorStatus getGripPointsAtSubentPath(const AcDbFullSubentPath& path,
                                                        AcGePoint3dArray& gripPoints) const;
    virtual Acad::ErrorStatus getGripPointsList(AcGePoint3dArray& gripPoints) const;

    // An arc chain takes the new shape of its curve (open for write). During a command
    // the chain's notification leaves this to the command's end, when it is known
    // whether the command transformed the chain itself.
    void FollowCurve();

private:
    // Brings the text list to one entry per extension (missing entries empty).
    void SyncTexts();
    // Slot of extension i, component c (0 input, 1 start, 2 dimension, 3 text), or -1.
    int Slot(int i, int c) const;
    void SwapExtensions(int a, int b);
    void ReassignAppendingTexts();
    // Pieces of the linear geometry.
    AcGePoint3d FixedLengthStart(int i, const AcGePoint3d& dimPoint);
    bool TextAtDefault(int k);
    void CentreTexts(const std::vector<int>& segments);
    // The construction both constructors share.
    void Build(const AcGePoint3d& first, const AcGePoint3d& second, int dimType, const AcGePoint3d& dimPoint,
               const AcGeMatrix3d& ucsToWorld);
    // Pieces of the arc variants (TRdimArc.cpp, TRdimArcInput.cpp).
    void BuildArc(const AcGePoint3d& first, const AcGePoint3d& second);
    // GetArcInput leaving extension `skip` out of a substitute arc (a point being placed
    // is not on it yet); -1 leaves none out.
    AcGeCircArc3d* ArcInput(bool bFullCircle, int skip);
    void KeepArcPoint(int i, const AcGePoint3d& point);
    void KeepArcFlag(int index, std::uint32_t value);
    AcGePoint3d ArcExtensionStart(int i, const AcGePoint3d& dimPoint, const AcGePoint3d& oldStart,
                                  const AcGePoint3d& oldDim, int iMode);
    bool OrderTwoOnArc();
    // Pieces of grips, transformation and refresh (TRdimGrips.cpp, TRdimRefresh.cpp).
    int HandPlacedTextCount() const;
    bool HasCircleTextGrip() const;
    void MoveGrip(const GripRef& ref, const AcGePoint3d& point, bool bStretch);
    // Places the extension start of extension i for its (moved) input point.
    void RefitExtension(int i);
    // Every point, the normal and the appended texts through `xform` (m_xyzAxis stays).
    void TransformPoints(const AcGeMatrix3d& xform);
    // m_dRotation from m_vectorDim, in the chain's UCS.
    void TakeRotationFromVector();
    std::vector<AcGePoint3d> TextPoints() const;
    std::vector<AcGePoint3d> ExtensionStarts() const;
    // Sets every input point again; an extension that kept its index gets its start
    // from `starts` back when asked. Stops at a failure; the extensions done.
    int ReplaceInputPoints(const std::vector<AcGePoint3d>& starts, bool bPutStartsBack, const wchar_t* label);
    // Mirrors texts that straddle the dimension line through it.
    void KeepTextsOffDimLine();
    // Moves the remembered text points onto the current text line (or arc).
    void CarryTextsAlong(const std::vector<AcGePoint3d>& texts);
    // Filing: the record is read whole before it replaces the chain's members.
    void TakeRecord(ChainRecord& record);
    // Pieces of the layout and its painting (TRdimTextLayout.cpp, TRdimDraw.cpp).
    ChainLayout BuildLayout(const ChainTextStyle& style);
    void LayAppendingTexts(ChainLayout& layout);
    std::uint64_t LayoutKey(const ChainTextStyle& style);
    int PaintTexts(ChainPrimitives& out, const ChainLayout& layout, const ChainTextStyle& style);
    void ResolveTextStyle();

    // What the chain keeps and files: geometry, texts, parameters, style, appended texts.
    ChainRecord m_rec;
    // While the curve tells the chain of its change: that curve, used as handed over
    // instead of being opened again (never filed or copied).
    const AcDbCurve* m_curveInNotify = nullptr;
    // The kept layout and the fingerprint of what it was worked out from (never filed
    // or copied).
    std::unique_ptr<ChainLayout> m_layout;
    std::uint64_t m_layoutKey = 0;
};
