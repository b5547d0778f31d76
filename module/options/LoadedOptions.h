#pragma once
// The options as their last full load left them, kept with what they were read from:
// the main INI and the options file in use (their bytes, by a hash) and the INI
// storage's count of value changes. While none of that moved, LoadOptions puts the
// kept state back instead of reading some 190 entries again, which it would otherwise
// do for every command that opens the palette.
class CGlobDimOptions;

// Keeps the state of `options`, just loaded, with its sources as they are now.
void KeepLoadedOptions(const CGlobDimOptions& options);
// Puts the kept state back into `options` and returns true when its sources are as
// they were; false (and `options` untouched) when they moved or nothing was kept.
bool RestoreLoadedOptions(CGlobDimOptions& options);
// Forgets what was kept for `options`, which is going away.
void ForgetLoadedOptions(const CGlobDimOptions* options);
