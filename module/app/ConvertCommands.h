#pragma once
// Conversion between the module's chains and the host's own dimensions, both ways, as
// the commands XOTA_Lintaro2Acad, XOTA_Acad2Lintaro and XOTA_ProxyAcad2Lintaro and the
// palette's and context menus' conversion items start it. The settings come from the
// section "Convert" of the options.
//
// Chains to dimensions: one dimension per segment in the block the chain was in,
// formatted with the chain's parameters (style record, format marks); a chain whose
// dimensions cannot be made is exploded instead, so no chain is lost.
// Dimensions to chains: dimensions of one dimension line sharing measured points
// become one chain in the block they were in; the dimensions that went into a chain
// (zero-length ones too) are erased, the others stay. Dimensions of external
// references are never touched.
#include "host/db/database/AcDbObjectId.h"

struct ConvertOptions {
    bool explodeDim = false;  // chains become their drawn geometry, not dimensions
    bool explodeHDim = false; // height marks are converted too, by exploding them
    bool readBlocks = false;  // also inside the definitions of selected block references
    bool allDwg = false;      // the whole drawing instead of a selection
    bool keepText = false;    // a dimension's own text becomes the segment's manual value
    bool keepPos = false;     // a moved dimension text stays where it was
    bool associative = false; // dimensions measure themselves: no raised millimetres

    // The section "Convert" of the options in use.
    static ConvertOptions FromIni();
};

// Converts the chains (and with explodeHDim the height marks) among `ids`, following
// block references with readBlocks. Returns how many objects were converted.
int ConvertLintaro2Acad(const AcDbObjectIdArray& ids, const ConvertOptions& options);
// Converts the dimensions among `ids` (and with readBlocks those in the definitions of
// block references among them) into chains. Returns how many chains were made.
int ConvertAcad2Lintaro(const AcDbObjectIdArray& ids, const ConvertOptions& options);

// The commands. `interactive`: the whole-drawing question is asked (the command line);
// without it a whole-drawing setting converts at once.
void CmdLintaro2Acad();
void CmdAcad2Lintaro();
void CmdProxyAcad2Lintaro();
void RunLintaro2Acad(bool interactive);
void RunAcad2Lintaro(bool interactive);
