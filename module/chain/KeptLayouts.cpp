#include "module/chain/KeptLayouts.h"

#include "module/chain/ChainLayout.h"
#include "module/chain/TRdim.h"

#include <list>
#include <string>
#include <unordered_map>
#include <utility>

namespace {

struct KeptEntry {
    TRdim* chain;
    std::size_t bytes;
};

struct KeptState {
    std::list<KeptEntry> order; // most recently used first
    std::unordered_map<TRdim*, std::list<KeptEntry>::iterator> where;
    std::size_t bytes = 0;
};

KeptState& State() {
    // Never destroyed: chains of a database closed at exit still forget their layouts.
    static KeptState* kept = new KeptState;
    return *kept;
}

std::size_t HeapBytes(const std::wstring& text) {
    // A short text lives inside the string itself.
    return text.capacity() > std::wstring().capacity() ? (text.capacity() + 1) * sizeof(wchar_t) : 0;
}

} // namespace

namespace KeptLayouts {

std::size_t Bytes(const ChainLayout& layout) {
    std::size_t bytes = sizeof(ChainLayout) + layout.texts.capacity() * sizeof(LaidText);
    for (const LaidText& text : layout.texts) {
        bytes += text.parts.capacity() * sizeof(std::wstring);
        for (const std::wstring& part : text.parts)
            bytes += HeapBytes(part);
        bytes += static_cast<std::size_t>(text.points.physicalLength()) * sizeof(AcGePoint3d);
        bytes += text.lines.capacity() * sizeof(LaidLine);
        for (const LaidLine& line : text.lines)
            bytes += line.points.capacity() * sizeof(AcGePoint3d);
    }
    return bytes;
}

void Forget(TRdim* chain) {
    KeptState& kept = State();
    const auto it = kept.where.find(chain);
    if (it == kept.where.end()) return;
    kept.bytes -= it->second->bytes;
    kept.order.erase(it->second);
    kept.where.erase(it);
}

void Used(TRdim* chain) {
    KeptState& kept = State();
    const auto it = kept.where.find(chain);
    if (it != kept.where.end()) kept.order.splice(kept.order.begin(), kept.order, it->second);
}

void Kept(TRdim* chain, std::size_t bytes) {
    Forget(chain);
    KeptState& kept = State();
    kept.order.push_front(KeptEntry{chain, bytes});
    kept.where[chain] = kept.order.begin();
    kept.bytes += bytes;
    while (kept.bytes > kMaxBytes && kept.order.size() > 1) {
        TRdim* oldest = kept.order.back().chain;
        Forget(oldest);
        oldest->DropLayout(); // finds itself forgotten already
    }
}

std::size_t KeptBytes() {
    return State().bytes;
}

} // namespace KeptLayouts
