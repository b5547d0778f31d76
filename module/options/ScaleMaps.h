#pragma once
// Drawing scales as the user writes them ("1:50", "2:1", "BMaß") and the factor they
// stand for; the tables of the options file in use that give new objects their layer
// and colour: scale -> layer=colour, text height -> colour, layer -> default colour.
// The lookups read the maps of the current mode of pGlobDimOptions (4 shares 3's) and
// fall back as a missing table requires: empty layer, colour 7, colour 0.
#include <string>
#include <vector>

// "1:100" -> 0.01, "2:1" -> 2, "0.5" -> 0.5; the annotative scale ("AnnoScale", "BMaß")
// -> 0.01. A missing left part counts as 1, a right part of 0 as 100; a text that gives
// no usable factor gives 1, so nothing is ever divided by zero.
double ScaleStr2Double(const std::wstring& text);

// The layer of objects drawn at that scale (key compared with case); a scale without
// an entry of its own takes the "<Unbekannt>" entry; empty without either.
std::wstring GetLayerForScale(const std::wstring& scaleText);
// The colour the scale table gives the layer, else the "Layer2DefaultColor" list of the
// options file in use (layer without regard to case), else 7.
int GetColorForLayer(const std::wstring& layerName);
// The colour for a text height (exact match only); 0 gives the "TrueType" entry; a
// negative height means the text height of the current set. 0 when nothing matches.
int GetColorForTextHeight(double height);

// The left parts of an item list for a drop-down list, without "<Unbekannt>" and
// placeholders; "ExtLineLength" gets "<keine>" (except for chains) and "<maximal>",
// "Scale2Layer" always offers "BMaß". An empty file means the options file in use.
int FillListFromSection(std::vector<std::wstring>& list, int mode, const std::wstring& name,
                        const std::wstring& file = L"");

// Rows of the options dialog's table: key, value and, for three columns, a colour.
using MapRows = std::vector<std::vector<std::wstring>>;
// Makes the rows the map of (mode, name) and writes them as the item list of the
// options file in use. The "<neu>" row and rows without a value are skipped, as are
// rows whose parts hold "=" (they could not be read back as they were typed).
// Returns the number of map entries.
int SaveMapFromList(const MapRows& rows, int mode, const std::wstring& name);

// The layer a new object would get: `layerName`, or the current layer (CLAYER) when
// that is empty. False, after telling the user, when the current set forbids layer
// "0" and that is the layer.
bool MayCreateOnLayer(const std::wstring& layerName);
