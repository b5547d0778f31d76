#pragma once
// The filter list of acedSSGet: a resbuf chain of tests, all of which an entity must
// pass. A test is a DXF group with a value: 0 the entity's type name ("LINE",
// "*TEXT", "XOTA_LINTARO"), 8 its layer (both wildcard patterns, without regard to
// case) and 62 its colour number (256 ByLayer, 0 ByBlock). Group -4 joins tests:
// "<AND" .. "AND>", "<OR" .. "OR>", "<XOR" two tests "XOR>", "<NOT" one test "NOT>",
// and before a colour test a comparison: "=", "!=", "/=", "<>", "<", "<=", ">", ">=", "*".
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct resbuf;

namespace host {

// What a filter looks at in an entity.
struct EntityFacts {
    std::wstring dxfName;
    std::wstring layer;
    int colorIndex = 256;
};

class SelectionFilter {
public:
    // An empty filter lets everything through.
    SelectionFilter();
    ~SelectionFilter();
    SelectionFilter(SelectionFilter&&) noexcept;
    SelectionFilter& operator=(SelectionFilter&&) noexcept;

    // Null when the list cannot be understood; `problem` says why (an unknown group,
    // an unbalanced "<OR", a value of the wrong kind).
    static std::optional<SelectionFilter> parse(const resbuf* list, std::wstring& problem);

    bool accepts(const EntityFacts& facts) const;
    bool empty() const;

    struct Node;

private:
    std::unique_ptr<Node> m_root;
};

} // namespace host
