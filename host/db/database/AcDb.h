#pragma once
// The database's enumerations, under the host's names and numbers.
namespace AcDb {

enum OpenMode { kForRead = 0, kForWrite = 1, kForNotify = 2 };

enum FilerType {
    kFileFiler = 0,
    kCopyFiler = 1,
    kUndoFiler = 2,
    kBagFiler = 3,
    kIdXlateFiler = 4,
    kPageFiler = 5,
    kDeepCloneFiler = 6,
    kIdFiler = 7,
    kPurgeFiler = 8,
    kWblockCloneFiler = 9
};

enum AcDbDwgVersion {
    kDHL_MC0_0 = 0,
    kDHL_1021 = 23, // 2007
    kDHL_1024 = 29, // 2010
    kDHL_1027 = 31, // 2013
    kDHL_CURRENT = kDHL_1027,
    kDHL_Unknown = 32766,
    kDHL_Max = 32767
};

enum MaintenanceReleaseVersion { kMRelease0 = 0, kMReleaseCurrent = 8 };

enum SaveType { kDwg = 0, kDxf = 1, kDxb = 2 };

enum LineWeight {
    kLnWt000 = 0,
    kLnWt005 = 5,
    kLnWt009 = 9,
    kLnWt013 = 13,
    kLnWt015 = 15,
    kLnWt018 = 18,
    kLnWt020 = 20,
    kLnWt025 = 25,
    kLnWt030 = 30,
    kLnWt035 = 35,
    kLnWt040 = 40,
    kLnWt050 = 50,
    kLnWt053 = 53,
    kLnWt060 = 60,
    kLnWt070 = 70,
    kLnWt080 = 80,
    kLnWt090 = 90,
    kLnWt100 = 100,
    kLnWt106 = 106,
    kLnWt120 = 120,
    kLnWt140 = 140,
    kLnWt158 = 158,
    kLnWt200 = 200,
    kLnWt211 = 211,
    kLnWtByLayer = -1,
    kLnWtByBlock = -2,
    kLnWtByLwDefault = -3
};

enum Visibility { kVisible = 0, kInvisible = 1 };

enum TextHorzMode { kTextLeft = 0, kTextCenter = 1, kTextRight = 2, kTextAlign = 3, kTextMid = 4, kTextFit = 5 };
enum TextVertMode { kTextBase = 0, kTextBottom = 1, kTextVertMid = 2, kTextTop = 3 };

enum OsnapMode {
    kOsModeEnd = 1,
    kOsModeMid = 2,
    kOsModeCen = 3,
    kOsModeNode = 4,
    kOsModeQuad = 5,
    kOsModeIns = 7,
    kOsModePerp = 8,
    kOsModeTan = 9,
    kOsModeNear = 10,
    kOsModeApint = 11,
    kOsModePar = 12,
    kOsModeStart = 13
};

enum Intersect { kOnBothOperands = 0, kExtendThis = 1, kExtendArg = 2, kExtendBoth = 3 };

enum SubentType {
    kNullSubentType = 0,
    kFaceSubentType = 1,
    kEdgeSubentType = 2,
    kVertexSubentType = 3,
    kMlineSubentCache = 4,
    kClassSubentType = 5,
    kAxisSubentType = 6
};

enum UnitsValue {
    kUnitsUndefined = 0,
    kUnitsInches = 1,
    kUnitsFeet = 2,
    kUnitsMiles = 3,
    kUnitsMillimeters = 4,
    kUnitsCentimeters = 5,
    kUnitsMeters = 6,
    kUnitsKilometers = 7,
    kUnitsMax = 20
};

enum MeasurementValue { kEnglish = 0, kMetric = 1 };

enum Planarity { kNonPlanar = 0, kPlanar = 1, kLinear = 2 };

enum DuplicateRecordCloning {
    kDrcNotApplicable = 0,
    kDrcIgnore = 1,
    kDrcReplace = 2,
    kDrcXrefMangleName = 3,
    kDrcMangleName = 4,
    kDrcUnmangleName = 5
};

enum DeepCloneType {
    kDcCopy = 0,
    kDcExplode = 1,
    kDcBlock = 2,
    kDcXrefBind = 3,
    kDcSymTableMerge = 4,
    kDcInsert = 6,
    kDcWblock = 7,
    kDcObjects = 8,
    kDcXrefInsert = 9,
    kDcInsertCopy = 10,
    kDcWblkObjects = 11
};

enum Poly2dType { k2dSimplePoly = 0, k2dFitCurvePoly = 1, k2dQuadSplinePoly = 2, k2dCubicSplinePoly = 3 };
enum Vertex2dType {
    k2dVertex = 0,
    k2dSplineCtlVertex = 1,
    k2dSplineFitVertex = 2,
    k2dCurveFitVertex = 3
};

enum GripStat { kGripsDone = 0, kGripsToBeDeleted = 1, kDimDataToBeDeleted = 2 };

enum XrefStatus { kXrfNotAnXref = 0, kXrfResolved = 1 };

// Flags of symbol table records the host keeps in its group 70.
enum { kLayerFrozen = 1, kLayerFrozenInNewVp = 2, kLayerLocked = 4 };

} // namespace AcDb

// Draw-order options of AcDbSortentsTable::getFullDrawOrder.
enum { kSortEntsSelection = 1, kSortEntsOsnap = 2, kSortEntsRedraw = 4, kSortEntsSlide = 8,
       kSortEntsRegen = 16, kSortEntsPlot = 32, kSortEntsPsout = 64 };
