#include "host/ed/selection/acedSSGet.h"

#include "host/ed/selection/AcEdSelectionSet.h"
#include "host/ed/DrawingView.h"
#include "host/ed/input/EditorInput.h"
#include "host/ed/input/HostInput.h"
#include "host/ed/input/InputParse.h"
#include "host/ed/selection/SelectionScene.h"
#include "host/ed/SysVars.h"
#include "host/ed/Ucs.h"
#include "host/rx/adscodes.h"
#include "host/win/FormatW.h"
#include "host/win/Transcript.h"
#include "host/win/WinCrt.h"

#include <cmath>
#include <sstream>

namespace {

using host::SelectedEntity;
using host::SelectionScene;

struct Mode {
    std::wstring main;
    bool single = false;
    bool everything = false;
    bool skipLocked = false;
    bool prompts = false;
    bool valid = true;
};

Mode parseMode(const wchar_t* str) {
    Mode m;
    std::wstring s = host::toUpperCase(host::trimmed(str ? str : L""));
    while (!s.empty() && s[0] == L'_')
        s.erase(0, 1);
    const size_t colon = s.find(L':');
    std::wstring main = s.substr(0, colon);
    // "-W" and "-C" switch implied windows off; scripted picks never start one.
    while (main.size() >= 2 && main[0] == L'-')
        main.erase(0, 2);
    static const wchar_t* kMain[] = {L"", L"W", L"C", L"F", L"X", L"A", L"L", L"P", L"I"};
    m.valid = false;
    for (const wchar_t* k : kMain)
        m.valid = m.valid || main == k;
    m.main = main;
    for (size_t i = colon; i != std::wstring::npos && i + 1 < s.size(); i = s.find(L':', i + 1)) {
        switch (s[i + 1]) {
        case L'S':
            m.single = true;
            break;
        case L'E':
            m.everything = true;
            break;
        case L'L':
            m.skipLocked = true;
            break;
        case L'$':
            m.prompts = true;
            break;
        case L'N':
        case L'U':
        case L'V':
        case L'D':
        case L'K':
        case L'?':
            break;
        default:
            m.valid = false;
        }
    }
    return m;
}

bool finitePoint(const double* p) {
    return p && std::isfinite(p[0]) && std::isfinite(p[1]) && std::isfinite(p[2]);
}

AcGePoint3d worldOf(const double* ucs) {
    return host::ucsToWorld(AcGePoint3d(ucs[0], ucs[1], ucs[2]));
}

host::Point3 lastPoint() {
    std::optional<host::VarValue> v = host::sysVars().get(L"LASTPOINT");
    return v ? host::Point3{v->point[0], v->point[1], v->point[2]} : host::Point3{0, 0, 0};
}

// The members of an earlier selection that are still in the drawing and pass the rules.
std::vector<SelectedEntity> keepKnown(SelectionScene& scene, const std::vector<SelectedEntity>& earlier,
                                      const SelectionScene::Rules& rules) {
    std::vector<SelectedEntity> all = scene.all(rules), out;
    for (const SelectedEntity& e : earlier)
        for (const SelectedEntity& a : all)
            if (a.name[0] == e.name[0] && a.name[1] == e.name[1]) out.push_back(e);
    return out;
}

// The prompting selection: answers are read until Enter (or, single, the first hit).
class Prompting {
public:
    Prompting(const Mode& mode, const SelectionScene::Rules& rules, std::wstring prompt)
        : m_mode(mode), m_rules(rules), m_prompt(std::move(prompt)) {}

    // RTNORM when the prompt ended normally, RTCAN when cancelled.
    int run();
    const std::vector<SelectedEntity>& members() const { return m_members; }

private:
    enum class Step { Again, Done, Cancel };
    Step answer(const std::wstring& text);
    Step corners(std::vector<std::wstring>& inline_, bool crossing);
    Step fence(std::vector<std::wstring>& inline_);
    // A point from the words typed after the option, else asked for: RTNORM, RTNONE, RTCAN.
    int point(std::vector<std::wstring>& inline_, const wchar_t* prompt, AcGePoint3d& world,
              const wchar_t* kw = nullptr);
    void add(const std::vector<SelectedEntity>& found);

    Mode m_mode;
    SelectionScene::Rules m_rules;
    std::wstring m_prompt;
    SelectionScene m_scene;
    std::vector<SelectedEntity> m_members;
    bool m_hit = false;
};

int Prompting::run() {
    for (;;) {
        host::hostInput().prompt(m_prompt);
        const host::InputItem item = host::hostInput().readAnswer();
        if (item.kind == host::InputKind::Cancel || item.kind == host::InputKind::End) return RTCAN;
        if (item.kind == host::InputKind::Enter) return RTNORM;
        const Step step = answer(item.text);
        if (step == Step::Cancel) return RTCAN;
        if (step == Step::Done || (m_mode.single && m_hit)) return RTNORM;
    }
}

Prompting::Step Prompting::answer(const std::wstring& text) {
    std::wistringstream words(host::trimmed(text));
    std::vector<std::wstring> parts;
    for (std::wstring w; words >> w;)
        parts.push_back(w);
    std::wstring kw = parts.empty() ? L"" : host::toUpperCase(parts[0]);
    while (!kw.empty() && kw[0] == L'_')
        kw.erase(0, 1);
    std::vector<std::wstring> rest(parts.empty() ? parts.begin() : parts.begin() + 1, parts.end());
    if (kw == L"W" || kw == L"WINDOW") return corners(rest, false);
    if (kw == L"C" || kw == L"CROSSING") return corners(rest, true);
    if (kw == L"F" || kw == L"FENCE") return fence(rest);
    if ((kw == L"ALL" || kw == L"L" || kw == L"LAST" || kw == L"P" || kw == L"PREVIOUS") && rest.empty()) {
        if (kw == L"ALL")
            add(m_scene.all(m_rules));
        else if (kw[0] == L'L')
            add(m_scene.last(m_rules));
        else
            add(keepKnown(m_scene, host::previousSelection(), m_rules));
        return Step::Again;
    }
    if (std::optional<host::Point3> p = host::parsePoint(text, lastPoint())) {
        const AcGePoint3d world = host::ucsToWorld(AcGePoint3d((*p)[0], (*p)[1], (*p)[2]));
        host::sendPickMessages(world);
        add(m_scene.pick(world, host::pickBoxHalfSize(), m_mode.everything, m_rules));
        return Step::Again;
    }
    host::transcriptWrite(
        L"\n*Invalid selection*\nExpects a point or Window/Last/Crossing/ALL/Fence/Previous");
    return Step::Again;
}

int Prompting::point(std::vector<std::wstring>& inline_, const wchar_t* prompt, AcGePoint3d& world,
                     const wchar_t* kw) {
    if (!inline_.empty()) {
        const std::wstring word = inline_.front();
        inline_.erase(inline_.begin());
        std::optional<host::Point3> p = host::parsePoint(word, lastPoint());
        if (!p) {
            host::transcriptWrite(host::FormatW(L"\nInvalid point \"%s\".", word.c_str()));
            return RTNONE;
        }
        world = host::ucsToWorld(AcGePoint3d((*p)[0], (*p)[1], (*p)[2]));
        return RTNORM;
    }
    ads_point p;
    acedInitGet(0, kw);
    const int rc = acedGetPoint(nullptr, prompt, p);
    if (rc == RTNORM) world = worldOf(p);
    return rc;
}

Prompting::Step Prompting::corners(std::vector<std::wstring>& inline_, bool crossing) {
    AcGePoint3d a, b;
    int rc = point(inline_, L"\nSpecify first corner: ", a);
    if (rc == RTNORM) rc = point(inline_, L"\nSpecify opposite corner: ", b);
    if (rc == RTCAN) return Step::Cancel;
    if (rc != RTNORM) return Step::Again;
    add(m_scene.window(host::PlanWindow(a, b), crossing, m_rules));
    return Step::Again;
}

Prompting::Step Prompting::fence(std::vector<std::wstring>& inline_) {
    std::vector<AcGePoint3d> pts;
    for (;;) {
        AcGePoint3d p;
        const bool fromLine = !inline_.empty();
        const int rc =
            point(inline_,
                  pts.empty() ? L"\nSpecify first fence point: " : L"\nSpecify next fence point or [Undo]: ",
                  p, pts.empty() ? nullptr : L"Undo");
        if (rc == RTCAN) return Step::Cancel;
        if (rc == RTKWORD) {
            if (!pts.empty()) pts.pop_back();
            continue;
        }
        if (rc != RTNORM) break;
        pts.push_back(p);
        // Points typed on the option's line end with the line.
        if (fromLine && inline_.empty()) break;
    }
    if (pts.size() >= 2) add(m_scene.fence(pts, m_rules));
    return Step::Again;
}

void Prompting::add(const std::vector<SelectedEntity>& found) {
    int duplicates = 0;
    const bool first = m_members.empty();
    for (const SelectedEntity& e : found) {
        bool dup = false;
        for (const SelectedEntity& m : m_members)
            dup = dup || (m.name[0] == e.name[0] && m.name[1] == e.name[1]);
        if (dup)
            ++duplicates;
        else
            m_members.push_back(e);
    }
    std::wstring msg = host::FormatW(L"\n%d found", static_cast<int>(found.size()));
    if (duplicates > 0) msg += host::FormatW(L" (%d duplicate)", duplicates);
    if (!first || duplicates > 0) msg += host::FormatW(L", %d total", static_cast<int>(m_members.size()));
    host::transcriptWrite(msg);
    const int filtered = m_scene.filteredOut();
    if (filtered > 0)
        host::transcriptWrite(
            host::FormatW(filtered == 1 ? L"\n%d was filtered out." : L"\n%d were filtered out.", filtered));
    m_hit = m_hit || !found.empty();
}

// The selections made without asking; nullopt when the mode needs the prompt.
std::optional<std::vector<SelectedEntity>> direct(const Mode& m, const void* pt1, const void* pt2,
                                                  const SelectionScene::Rules& rules, bool& bad) {
    const auto* p1 = static_cast<const double*>(pt1);
    const auto* p2 = static_cast<const double*>(pt2);
    if (m.main == L"X") return SelectionScene(true).all(rules);
    SelectionScene scene;
    if (m.main == L"A") return scene.all(rules);
    if (m.main == L"L") return scene.last(rules);
    if (m.main == L"P") return keepKnown(scene, host::previousSelection(), rules);
    if (m.main == L"I") return keepKnown(scene, host::pickFirstSelection(), rules);
    if (m.main == L"W" || m.main == L"C") {
        if (!finitePoint(p1) || !finitePoint(p2)) {
            bad = true;
            return std::nullopt;
        }
        return scene.window(host::PlanWindow(worldOf(p1), worldOf(p2)), m.main == L"C", rules);
    }
    if (m.main == L"F") {
        std::vector<AcGePoint3d> pts;
        for (const resbuf* rb = static_cast<const resbuf*>(pt1); rb; rb = rb->rbnext) {
            if ((rb->restype != RTPOINT && rb->restype != RT3DPOINT) || !finitePoint(rb->resval.rpoint)) {
                bad = true;
                return std::nullopt;
            }
            pts.push_back(worldOf(rb->resval.rpoint));
        }
        if (pts.size() < 2) {
            bad = true;
            return std::nullopt;
        }
        return scene.fence(pts, rules);
    }
    if (p1 && !m.prompts) {
        if (!finitePoint(p1)) {
            bad = true;
            return std::nullopt;
        }
        return scene.pick(worldOf(p1), host::pickBoxHalfSize(), m.everything, rules);
    }
    return std::nullopt;
}

} // namespace

int acedSSGet(const wchar_t* str, const void* pt1, const void* pt2, const struct resbuf* filter,
              ads_name ss) {
    if (!ss) return RTERROR;
    ads_name_clear(ss);
    const Mode mode = parseMode(str);
    if (!mode.valid) return RTERROR;
    std::wstring problem;
    std::optional<host::SelectionFilter> parsed = host::SelectionFilter::parse(filter, problem);
    if (!parsed) {
        host::transcriptWrite(host::FormatW(L"\n*Invalid selection filter*: %s.", problem.c_str()));
        return RTERROR;
    }
    SelectionScene::Rules rules;
    rules.filter = &*parsed;
    rules.skipLocked = mode.skipLocked;
    bool bad = false;
    std::optional<std::vector<SelectedEntity>> found = direct(mode, pt1, pt2, rules, bad);
    if (bad) return RTERROR;
    if (!found) {
        std::wstring prompt = L"\nSelect objects: ";
        if (mode.prompts && pt1 && static_cast<const wchar_t* const*>(pt1)[0])
            prompt = static_cast<const wchar_t* const*>(pt1)[0];
        Prompting session(mode, rules, prompt);
        if (session.run() == RTCAN) return RTCAN;
        found = session.members();
    }
    if (found->empty()) return RTERROR;
    if (host::newSelectionSet(*found, ss) != RTNORM) return RTERROR;
    if (mode.main != L"P") host::setPreviousSelection(*found);
    return RTNORM;
}
