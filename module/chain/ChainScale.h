#pragma once
// Scale and drawing units: option sizes are paper millimetres (text height in tenths)
// and become drawing units by dividing by the scale and multiplying by the drawing
// units per millimetre.
#include <vector>

inline constexpr double kDefaultAcadUnits = 0.001; // a drawing in metres
inline constexpr double kRepairedScale = 0.01;     // 1:100, used when a scale of 0 is found

// Drawing units per millimetre; 0 means a drawing in metres.
double AcadUnitsOrDefault(double acadUnits);

// Repairs a 0 at IND_D_AcadUnits or IND_D_ScaleVal in a chain's own array; true when
// something was repaired (a zero scale is then reported by the caller).
bool RepairAcadUnits(std::vector<double>& arrayDouble);
bool RepairScale(std::vector<double>& arrayDouble);

// The scale the chain is drawn at: the drawing's annotation scale when the chain's scale
// text marks the annotative scale, else its own scale value (0 counts as 1:100).
double ChainScale(double scaleVal, bool annotative, double annotationScale);

// A paper size in drawing units.
double PaperToModelSize(double size, double scale, double acadUnits);
