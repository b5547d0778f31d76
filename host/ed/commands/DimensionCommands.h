#pragma once
// The host's dimensioning commands, as its command line offers them:
//   DIMLINEAR    two extension line origins, then the dimension line's place:
//                above or below the points a horizontal dimension, beside them a
//                vertical one; Horizontal, Vertical or Rotated (asks the angle) fix it
//   DIMALIGNED   two extension line origins, then the dimension line's place
//   DIMANGULAR   two lines (the angle between them), an arc (its angle), or Enter
//                and three points: vertex, first and second leg; then the arc's place
//   DIMRADIUS    an arc or circle, then where the text goes
//   DIMDIAMETER  an arc or circle, then where the text goes
//   DIMARC       an arc, then the place of the dimension arc
// New dimensions go to model space on the current layer with the current
// dimension style; points are typed in the current UCS.
namespace host {

// Adds the commands to the host's command stack. Later calls change nothing.
void registerDimensionCommands();

} // namespace host
