// STRETCH: the objects crossed by crossing windows or crossing polygons. An object
// wholly inside one of them moves as a whole; of the others only the stretch points
// inside move. An object without stretch points moves only when wholly inside.
#include "host/db/database/AcDbDatabase.h"
#include "host/db/entities/AcDbEntity.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/ed/commands/EditGeometry.h"
#include "host/ed/commands/HostDrawCommandsCommon.h"
#include "host/ed/commands/HostEditCommandsCommon.h"
#include "host/ed/input/HostInput.h"
#include "host/ed/input/InputParse.h"
#include "host/ed/selection/SelectionScene.h"
#include "host/ed/SysVars.h"
#include "host/ed/Ucs.h"
#include "host/rx/adscodes.h"
#include "host/win/FormatW.h"
#include "host/win/Transcript.h"
#include "host/win/WinCrt.h"

#include <algorithm>
#include <sstream>

namespace host::edit {

namespace {

struct Target {
    AcDbObjectId id;
    bool whole = false;
};

std::wstring upper(std::wstring s) {
    s = host::toUpperCase(s);
    while (!s.empty() && s[0] == L'_')
        s.erase(0, 1);
    return s;
}

Point3 lastPoint() {
    std::optional<VarValue> v = sysVars().get(L"LASTPOINT");
    return v ? Point3{v->point[0], v->point[1], v->point[2]} : Point3{0, 0, 0};
}

// Reads the crossing windows and polygons until Enter; the words typed after an
// option on its line are its points, the rest are asked for.
class RegionPrompt {
public:
    explicit RegionPrompt(SelectionScene& scene) : m_scene(scene) {}
    // RTNORM when the prompt ended with Enter, RTCAN when cancelled.
    int run();
    const std::vector<StretchRegion>& regions() const { return m_regions; }

private:
    enum class Step { Again, Cancel };
    Step answer(const std::wstring& text);
    // RTNORM, RTNONE (Enter or a word that is no point), RTCAN.
    int point(std::vector<std::wstring>& words, const wchar_t* prompt, AcGePoint3d& world);
    Step window(std::vector<std::wstring>& words, const AcGePoint3d* first);
    Step polygon(std::vector<std::wstring>& words);
    void add(const StretchRegion& region);

    SelectionScene& m_scene;
    std::vector<StretchRegion> m_regions;
};

int RegionPrompt::run() {
    for (;;) {
        hostInput().prompt(L"\nSelect objects: ");
        const InputItem item = hostInput().readAnswer();
        if (item.kind == InputKind::Cancel || item.kind == InputKind::End) return RTCAN;
        if (item.kind == InputKind::Enter) return RTNORM;
        if (answer(item.text) == Step::Cancel) return RTCAN;
    }
}

RegionPrompt::Step RegionPrompt::answer(const std::wstring& text) {
    std::wistringstream in(trimmed(text));
    std::vector<std::wstring> words;
    for (std::wstring w; in >> w;)
        words.push_back(w);
    const std::wstring option = words.empty() ? L"" : upper(words.front());
    std::vector<std::wstring> rest(words.empty() ? words.end() : words.begin() + 1, words.end());
    if (option == L"C" || option == L"CROSSING") return window(rest, nullptr);
    if (option == L"CP" || option == L"CPOLYGON") return polygon(rest);
    if (std::optional<Point3> p = parsePoint(text, lastPoint())) {
        // A point starts a window, taken as crossing as a person drags it here.
        const AcGePoint3d first = ucsToWorld(AcGePoint3d((*p)[0], (*p)[1], (*p)[2]));
        sysVars().set(L"LASTPOINT", VarValue::ofPoint((*p)[0], (*p)[1], (*p)[2]));
        std::vector<std::wstring> none;
        return window(none, &first);
    }
    transcriptWrite(L"\n*Invalid selection*\nExpects a point or Crossing/CPolygon");
    return Step::Again;
}

int RegionPrompt::point(std::vector<std::wstring>& words, const wchar_t* prompt, AcGePoint3d& world) {
    if (!words.empty()) {
        const std::wstring word = words.front();
        words.erase(words.begin());
        std::optional<Point3> p = parsePoint(word, lastPoint());
        if (!p) {
            transcriptWrite(FormatW(L"\nInvalid point \"%s\".", word.c_str()));
            return RTNONE;
        }
        world = ucsToWorld(AcGePoint3d((*p)[0], (*p)[1], (*p)[2]));
        return RTNORM;
    }
    AcGePoint3d ucs;
    return getUcsPoint(prompt, nullptr, ucs, world);
}

RegionPrompt::Step RegionPrompt::window(std::vector<std::wstring>& words, const AcGePoint3d* first) {
    AcGePoint3d a, b;
    int rc = RTNORM;
    if (first)
        a = *first;
    else
        rc = point(words, L"\nSpecify first corner: ", a);
    if (rc == RTNORM) rc = point(words, L"\nSpecify opposite corner: ", b);
    if (rc == RTCAN) return Step::Cancel;
    if (rc == RTNORM) add(StretchRegion::window(a, b));
    return Step::Again;
}

RegionPrompt::Step RegionPrompt::polygon(std::vector<std::wstring>& words) {
    std::vector<AcGePoint3d> corners;
    const bool onLine = !words.empty();
    for (;;) {
        AcGePoint3d p;
        const int rc =
            point(words, corners.empty() ? L"\nFirst polygon point: " : L"\nSpecify endpoint of line: ", p);
        if (rc == RTCAN) return Step::Cancel;
        if (rc != RTNORM) break;
        if (corners.empty() || !corners.back().isEqualTo(p)) corners.push_back(p);
        if (onLine && words.empty()) break;
    }
    if (corners.size() < 3) {
        transcriptWrite(L"\nA crossing polygon needs three different points at least.");
        return Step::Again;
    }
    add(StretchRegion::closedPolygon(corners));
    return Step::Again;
}

void RegionPrompt::add(const StretchRegion& region) {
    int found = 0;
    for (size_t i = 0; i < m_scene.size(); ++i)
        if (regionCrosses(region, m_scene.recording(i))) ++found;
    m_regions.push_back(region);
    transcriptWrite(FormatW(L"\n%d found", found));
}

// The objects the regions cross, in drawing order, with those wholly inside one.
std::vector<Target> targetsOf(SelectionScene& scene, const std::vector<StretchRegion>& regions) {
    std::vector<Target> targets;
    for (size_t i = 0; i < scene.size(); ++i) {
        const gi::GiRecording& rec = scene.recording(i);
        const bool whole = std::any_of(regions.begin(), regions.end(),
                                       [&](const StretchRegion& r) { return regionHolds(r, rec); });
        const bool crossed =
            whole || std::any_of(regions.begin(), regions.end(),
                                 [&](const StretchRegion& r) { return regionCrosses(r, rec); });
        if (crossed) targets.push_back({scene.id(i), whole});
    }
    return targets;
}

// Moves the stretch points of `ent` that lie in the regions; true when it changed.
Acad::ErrorStatus stretchOne(AcDbEntity* ent, const std::vector<StretchRegion>& regions,
                             const AcGeVector3d& offset) {
    AcGePoint3dArray points;
    Acad::ErrorStatus es = ent->getStretchPoints(points);
    if (es != Acad::eOk) return es;
    const AcDbIntArray inside = pointsInRegions(points, regions);
    if (inside.isEmpty()) return Acad::eOk;
    return ent->moveStretchPointsAt(inside, offset);
}

void apply(const std::vector<Target>& targets, const std::vector<StretchRegion>& regions,
           const AcGeVector3d& offset) {
    int refused = 0;
    Acad::ErrorStatus why = Acad::eOk;
    for (const Target& t : targets) {
        AcDbEntity* ent = nullptr;
        Acad::ErrorStatus es = acdbOpenAcDbEntity(ent, t.id, AcDb::kForWrite);
        if (es != Acad::eOk) continue;
        es = t.whole ? ent->transformBy(AcGeMatrix3d::translation(offset)) : stretchOne(ent, regions, offset);
        ent->close();
        // Objects without stretch points stay where they are when only crossed.
        if (es != Acad::eOk && !(es == Acad::eNotApplicable && !t.whole)) {
            ++refused;
            why = es;
        }
    }
    sayRefused(refused, L"could not be stretched", why);
}

} // namespace

void stretchCommand() {
    AcDbDatabase* db = draw::drawingOrSay();
    if (!db) return;
    transcriptWrite(L"\nSelect objects to stretch by crossing-window or crossing-polygon...");
    SelectionScene scene;
    RegionPrompt prompt(scene);
    if (prompt.run() != RTNORM) return;
    std::vector<Target> targets = targetsOf(scene, prompt.regions());
    std::vector<AcDbObjectId> ids;
    for (const Target& t : targets)
        ids.push_back(t.id);
    dropLocked(ids);
    std::erase_if(targets,
                  [&](const Target& t) { return std::find(ids.begin(), ids.end(), t.id) == ids.end(); });
    if (targets.empty()) {
        transcriptWrite(L"\nNothing selected: the command changes nothing.");
        return;
    }
    AcGePoint3d baseUcs, baseWorld, toUcs, toWorld;
    if (getBasePoint(baseUcs, baseWorld) != RTNORM) return;
    const int rc = getUcsPoint(L"\nSpecify second point or <use first point as displacement>: ", &baseUcs,
                               toUcs, toWorld);
    if (rc == RTCAN) return;
    const AcGeVector3d offset =
        rc == RTNORM ? toWorld - baseWorld : ucsToWorld() * (baseUcs - AcGePoint3d::kOrigin);
    if (offset.isZeroLength()) return;
    apply(targets, prompt.regions(), offset);
}

} // namespace host::edit
