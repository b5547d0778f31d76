#pragma once
// Which chains keep their worked-out layout (ChainLayout.h). A layout is kept so that
// drawing a chain again only paints it; a drawing of 100,000 chains cannot keep all of
// them, so the layouts kept together are bounded by their bytes and the chain drawn
// least recently gives its layout up first (it is worked out again when next drawn).
// Only the drawing thread uses it.
#include <cstddef>

class TRdim;
struct ChainLayout;

namespace KeptLayouts {

// The bytes a layout holds: its texts, their parts and points, their lines.
std::size_t Bytes(const ChainLayout& layout);
// `chain` keeps a new layout of `bytes`; others give theirs up while the kept layouts
// hold more than the bound (never `chain` itself).
void Kept(TRdim* chain, std::size_t bytes);
// `chain` drew with its kept layout: it is the last to give it up.
void Used(TRdim* chain);
// `chain` keeps no layout any more (it dropped it, or it is deleted).
void Forget(TRdim* chain);
// The bytes kept now, and the bound (for tests and benchmarks).
std::size_t KeptBytes();
constexpr std::size_t kMaxBytes = std::size_t(8) << 20;

} // namespace KeptLayouts
