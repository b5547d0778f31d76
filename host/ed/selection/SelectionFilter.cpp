#include "host/ed/selection/SelectionFilter.h"

#include "host/ed/acutWcMatch.h"
#include "host/rx/adscodes.h"
#include "host/rx/adsdef.h"
#include "host/win/FormatW.h"
#include "host/win/WinCrt.h"


namespace host {

struct SelectionFilter::Node {
    enum Kind { And, Or, Xor, Not, TypeName, Layer, Color } kind = And;
    std::vector<std::unique_ptr<Node>> children;
    std::wstring pattern;
    int number = 0;
    std::wstring comparison = L"=";
};

namespace {

using Node = SelectionFilter::Node;

bool compare(int value, const std::wstring& op, int wanted) {
    if (op == L"=") return value == wanted;
    if (op == L"!=" || op == L"/=" || op == L"<>") return value != wanted;
    if (op == L"<") return value < wanted;
    if (op == L"<=") return value <= wanted;
    if (op == L">") return value > wanted;
    if (op == L">=") return value >= wanted;
    return op == L"*";
}

bool isComparison(const std::wstring& op) {
    for (const wchar_t* known : {L"=", L"!=", L"/=", L"<>", L"<", L"<=", L">", L">=", L"*"})
        if (op == known) return true;
    return false;
}

bool evaluate(const Node& n, const EntityFacts& f) {
    switch (n.kind) {
    case Node::And:
        for (const auto& c : n.children)
            if (!evaluate(*c, f)) return false;
        return true;
    case Node::Or:
        for (const auto& c : n.children)
            if (evaluate(*c, f)) return true;
        return false;
    case Node::Xor:
        return evaluate(*n.children[0], f) != evaluate(*n.children[1], f);
    case Node::Not:
        return !evaluate(*n.children[0], f);
    case Node::TypeName:
        return wildcardMatch(f.dxfName, n.pattern, true);
    case Node::Layer:
        return wildcardMatch(f.layer, n.pattern, true);
    case Node::Color:
        return compare(f.colorIndex, n.comparison, n.number);
    }
    return false;
}

class Parser {
public:
    explicit Parser(const resbuf* rb) : m_rb(rb) {}

    // Tests up to the end of the list or up to the operator that closes `closer`.
    bool parseGroup(Node& group, const std::wstring& closer) {
        while (m_rb) {
            const resbuf* rb = m_rb;
            m_rb = m_rb->rbnext;
            if (rb->restype == -4) {
                if (!rb->resval.rstring) return fail(L"a -4 entry without its operator");
                const std::wstring op = host::toUpperCase(rb->resval.rstring);
                if (op == closer) return true;
                if (!parseOperator(group, op)) return false;
                continue;
            }
            auto test = makeTest(*rb);
            if (!test) return false;
            group.children.push_back(std::move(test));
        }
        if (!closer.empty()) return fail(FormatW(L"\"%s\" is missing", closer.c_str()));
        return true;
    }

    std::wstring problem;

private:
    bool fail(const std::wstring& why) {
        problem = why;
        return false;
    }

    bool parseOperator(Node& group, const std::wstring& op) {
        static const struct {
            const wchar_t* open;
            const wchar_t* close;
            Node::Kind kind;
        } kGroups[] = {{L"<AND", L"AND>", Node::And},
                       {L"<OR", L"OR>", Node::Or},
                       {L"<XOR", L"XOR>", Node::Xor},
                       {L"<NOT", L"NOT>", Node::Not}};
        for (const auto& g : kGroups) {
            if (op != g.open) continue;
            auto node = std::make_unique<Node>();
            node->kind = g.kind;
            if (!parseGroup(*node, g.close)) return false;
            const size_t n = node->children.size();
            if ((g.kind == Node::Xor && n != 2) || (g.kind == Node::Not && n != 1) || n == 0)
                return fail(FormatW(L"\"%s\" holds %d tests", g.open, static_cast<int>(n)));
            group.children.push_back(std::move(node));
            return true;
        }
        if (!isComparison(op)) return fail(FormatW(L"unknown operator \"%s\"", op.c_str()));
        // A comparison applies to the colour test that follows it.
        if (!m_rb || m_rb->restype != 62)
            return fail(FormatW(L"\"%s\" is not followed by a colour", op.c_str()));
        auto test = makeTest(*m_rb);
        if (!test) return false;
        m_rb = m_rb->rbnext;
        test->comparison = op;
        group.children.push_back(std::move(test));
        return true;
    }

    std::unique_ptr<Node> makeTest(const resbuf& rb) {
        auto node = std::make_unique<Node>();
        // RTDXF0 stands for group 0, which cannot start a list built with acutBuildList.
        const int group = rb.restype == RTDXF0 ? 0 : rb.restype;
        switch (group) {
        case 0:
        case 8:
            if (!rb.resval.rstring) {
                fail(FormatW(L"group %d has no text", group));
                return nullptr;
            }
            node->kind = group == 0 ? Node::TypeName : Node::Layer;
            node->pattern = rb.resval.rstring;
            return node;
        case 62:
            node->kind = Node::Color;
            node->number = rb.resval.rint;
            return node;
        default:
            fail(FormatW(L"group %d cannot be filtered", group));
            return nullptr;
        }
    }

    const resbuf* m_rb;
};

} // namespace

SelectionFilter::SelectionFilter() : m_root(std::make_unique<Node>()) {}
SelectionFilter::~SelectionFilter() = default;
SelectionFilter::SelectionFilter(SelectionFilter&&) noexcept = default;
SelectionFilter& SelectionFilter::operator=(SelectionFilter&&) noexcept = default;

std::optional<SelectionFilter> SelectionFilter::parse(const resbuf* list, std::wstring& problem) {
    SelectionFilter f;
    Parser parser(list);
    if (!parser.parseGroup(*f.m_root, L"")) {
        problem = parser.problem;
        return std::nullopt;
    }
    return f;
}

bool SelectionFilter::accepts(const EntityFacts& facts) const {
    return !m_root || evaluate(*m_root, facts);
}

bool SelectionFilter::empty() const {
    return !m_root || m_root->children.empty();
}

} // namespace host
