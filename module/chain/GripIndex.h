#pragma once
// The chain's grip list and what each of its indices stands for. The list holds, in
// order: for every extension its input point, extension start and dimension point, and
// from the second extension on its text point (so 4 x extensions - 1 grips); then the
// position of every appended text placed by hand; last, on an arc chain drawn as a
// circle with a text, the circle's text. Grips, stretch points and object snaps all use
// this one list, so an index means the same thing to each of them.

struct GripRef {
    enum Kind { kNone, kExtension, kAppendedText, kCircleText };
    Kind kind = kNone;
    int extension = -1; // kExtension: the extension
    int component = -1; // kExtension: 0 input point, 1 extension start, 2 dimension point, 3 text point
    int appended = -1;  // kAppendedText: position among the hand-placed appended texts
};

// Components of an extension in the grip list.
inline constexpr int kGripInput = 0;
inline constexpr int kGripExtStart = 1;
inline constexpr int kGripDim = 2;
inline constexpr int kGripText = 3;

// Number of grips of a chain with `extensions` extensions, `handPlaced` appended texts
// placed by hand and (or not) a circle text.
int GripCount(int extensions, int handPlaced, bool circleText);

// What grip `index` stands for; kNone for an index outside the list.
GripRef GripOf(int index, int extensions, int handPlaced, bool circleText);

// The grip index of component `component` of extension `extension`; -1 when that grip
// does not exist (extension 0 has no text grip).
int GripIndexOf(int extension, int component, int extensions);
