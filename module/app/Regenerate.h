#pragma once
// Asking the module's chains to compute themselves again when what they depend on
// changed for the whole drawing.

// Lets every chain and height mark of model space recompute itself for a reason (0 a
// new options file, 4 a new annotation scale). Returns how many were asked.
int DwgRegenVargo(int mode);
inline constexpr int kRegenAnnotationScale = 4;
