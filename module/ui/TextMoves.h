#pragma once
// What the arrows of the text position dialog do to a value text. The first eight
// move it by one step up, down, left, right and diagonally in the chain's own axes;
// the next four by one step along its segment (backwards, forwards) and across it
// (to the left of the segment's direction, to the right); then one puts it on the
// other side of the dimension line, one back to the place its position code gives, and
// one to the middle of its segment at the distance from the line it has.
#include "host/ge/AcGePoint3d.h"
#include "host/ge/AcGeVector3d.h"

#include <string>

class CWnd;

enum class TextMoveKind { kNone, kAxes, kSegment, kOtherSide, kHome, kSegmentMiddle };

struct TextMove {
    TextMoveKind kind = TextMoveKind::kNone;
    double dx = 0.0; // kAxes: along the chain's x axis; kSegment: along the segment
    double dy = 0.0; // kAxes: along the chain's y axis; kSegment: to the segment's left
};

// The move of an arrow button; kind kNone for another control.
TextMove TextMoveOf(int controlId);

// A text point moved relative to its segment, whose dimension-line ends are `a` and `b`
// (in the plane with `normal`): kSegment by (dx, dy) times `distance`; kOtherSide
// mirrored through the line a-b; kSegmentMiddle slid along that line to the middle of
// a and b. Other kinds, and a segment of no length, leave the point as it is.
AcGePoint3d MoveBySegment(const TextMove& move, const AcGePoint3d& text, const AcGePoint3d& a,
                          const AcGePoint3d& b, const AcGeVector3d& normal, double distance);

// The step of the text dialogs' moves ("TextMoveStep", drawing units before scaling):
// 5 when it is not set, and 5 with a message when it is no positive number.
double TextMoveStepSetting();
// A step typed into a dialog: false, with a message and `step` left as it is, for a
// text that is no positive number.
bool ReadMoveStep(const std::wstring& text, double& step);
// The same for the step field `id` of a dialog; a bad entry is put back to `step`.
bool ReadMoveStepField(CWnd& dialog, int id, double& step);
