#pragma once
// What a chain shows for a segment: the value (measured, manual or the sum of the
// chain) and the drawn text around it — prefix, suffix, alternate unit, the "U=" of a
// full circle and the superscript split. Written over explicit inputs so the chain's
// methods only gather them.
#include "module/chain/AppendingText.h"
#include "module/chain/TRdimParams.h"
#include "module/chain/TRdimTextEntry.h"
#include "module/chain/ValueFormat.h"

#include <functional>
#include <span>
#include <string>
#include <vector>

// The segment index that stands for the chain label.
inline constexpr int kChainLabelIndex = -100;

// The value an entry shows: its manual value — formatted as a length in drawing units
// when it is a number, as typed otherwise — or else the measured value.
std::wstring EntryValueText(const TRdimTextEntry& entry, ParamArraysView params, const ValueFormatEnv& env);

// The value shown for segment k (GetText): "000" for k < 0, the formatted total of the
// unrounded lengths for k = extensions (`chainLength` is asked only then), "???" for an
// entry missing from `texts` — which is then grown to one entry per extension.
std::wstring SegmentValueText(int k, std::vector<std::wstring>& texts, int extensions,
                              const std::function<double()>& chainLength, ParamArraysView params,
                              const ValueFormatEnv& env);

// Whether the manual value of entry k is a number farther than `tolerance` (drawing
// units) from the measured length. Only entries 1 ... texts-1 with global options.
bool UserTextOutOfTolerance(int k, std::span<const std::wstring> texts, bool hasOptions,
                            const std::wstring& delimiter, double segmentLength, double tolerance);

// The alternate value behind a shown value, in `env.altFormat` ("[#]" -> "[4'-0 9/16"]");
// empty without a format. On "m/cm" a centimetre value is turned back into metres first.
std::wstring AlternateValueText(const std::wstring& value, bool isSum, double segmentLength,
                                ParamArraysView params, const ValueFormatEnv& env);

struct DisplayTextInputs {
    int k = 1; // segment, the extension count for the sum, kChainLabelIndex
    bool isSum = false;
    std::wstring value;                           // SegmentValueText of k
    std::wstring prefix;                          // part 2 of the entry
    std::wstring suffix;                          // part 3 of the entry
    double segmentLength = 0;                     // measured length of k (drawing units)
    bool altUnitsOn = false;                      // the chain's alternate-units status is on
    bool fullCircle = false;                      // a full-circle arc chain: its value is a circumference
    const AppendingText* appendingText = nullptr; // compose this appended text instead
};

// BuildDisplayText: up to three parts to draw — part 0 the text, part 1 the superscript
// after "^", part 2 " " and the alternate/suffix tail when there is a superscript. True
// only when there is a superscript. Nothing without global options or a parts list.
bool ComposeDisplayText(const DisplayTextInputs& in, ParamArraysView params, const ValueFormatEnv& env,
                        std::vector<std::wstring>* parts);
