#include "host/ed/input/AcEdJig.h"

#include "host/db/tables/AcDbBlockTableRecord.h"
#include "host/db/database/AcDbDatabase.h"
#include "host/db/entities/AcDbEntity.h"
#include "host/db/database/AcDbHostApplicationServices.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/ed/input/EditorInput.h"
#include "host/ed/input/InputParse.h"
#include "host/ed/input/JigTrial.h"
#include "host/ed/SysVars.h"
#include "host/ed/Ucs.h"
#include "host/rx/AcRxClass.h"
#include "host/rx/adscodes.h"
#include "host/win/FormatW.h"
#include "host/win/Transcript.h"

#include <cmath>
#include <cstdarg>
#include <numbers>
#include <optional>

ACRX_HOST_DEFINE_MEMBERS(AcEdJig, AcRxObject, L"", nullptr)

namespace {

// Keeps LASTPOINT as it was for the time of one input, when the jig asks for that.
class LastPointGuard {
public:
    explicit LastPointGuard(bool keep) : m_keep(keep) {
        if (keep) m_value = host::sysVars().get(L"LASTPOINT");
    }
    ~LastPointGuard() {
        if (m_keep && m_value) host::sysVars().set(L"LASTPOINT", *m_value);
    }
    LastPointGuard(const LastPointGuard&) = delete;
    LastPointGuard& operator=(const LastPointGuard&) = delete;

private:
    bool m_keep;
    std::optional<host::VarValue> m_value;
};

// The status of an answer that is neither a value nor a keyword.
AcEdJig::DragStatus plainStatus(int rc) {
    if (rc == RTNONE) return AcEdJig::kNull;
    if (rc == RTCAN) return AcEdJig::kCancel;
    return AcEdJig::kCancel; // RTERROR: the input cannot go on
}

ads_point* ucsOf(const AcGePoint3d& world, ads_point& out) {
    const AcGePoint3d u = host::worldToUcs(world);
    out[0] = u.x;
    out[1] = u.y;
    out[2] = u.z;
    return &out;
}

} // namespace

AcEdJig::AcEdJig() = default;
AcEdJig::~AcEdJig() = default;

AcEdJig::DragStatus AcEdJig::drag() {
    const DragStatus status = sampler();
    if (status == kNormal) {
        update();
        return kNormal;
    }
    // The answer changed nothing, but it was given: the drag ends as a click would.
    if (status == kNoChange) return kNormal;
    return status;
}

AcEdJig::DragStatus AcEdJig::sampler() {
    return kNormal;
}

bool AcEdJig::update() {
    return true;
}

AcDbEntity* AcEdJig::entity() const {
    return nullptr;
}

AcDbDimDataPtrArray* AcEdJig::dimData(const double) {
    return nullptr;
}

Acad::ErrorStatus AcEdJig::setDimValue(const AcDbDimData*, const double) {
    return Acad::eNotImplementedYet;
}

AcDbObjectId AcEdJig::append() {
    AcDbEntity* ent = entity();
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    if (!ent || !db) return {};
    AcDbBlockTableRecord* space = nullptr;
    if (acdbOpenObject(space, db->currentSpaceId(), AcDb::kForWrite) != Acad::eOk) return {};
    AcDbObjectId id;
    const Acad::ErrorStatus es = space->appendAcDbEntity(id, ent);
    space->close();
    if (es != Acad::eOk) return {};
    ent->close();
    return id;
}

const wchar_t* AcEdJig::keywordList() {
    return m_keywords.c_str();
}

void AcEdJig::setKeywordList(const wchar_t* keywords) {
    m_keywords = keywords ? keywords : L"";
}

const wchar_t* AcEdJig::dispPrompt() {
    return m_prompt.c_str();
}

void AcEdJig::setDispPrompt(const wchar_t* prompt, ...) {
    if (!prompt) {
        m_prompt.clear();
        return;
    }
    va_list args;
    va_start(args, prompt);
    m_prompt = host::FormatV(prompt, args);
    va_end(args);
}

void AcEdJig::initInput(bool other) const {
    int bits = 0;
    if (!(m_controls & kNullResponseAccepted)) bits |= RSG_NONULL;
    if (m_controls & kNoZeroResponseAccepted) bits |= RSG_NOZERO;
    if (m_controls & kNoNegativeResponseAccepted) bits |= RSG_NONEG;
    if (other || (m_controls & kAcceptOtherInputString)) bits |= RSG_OTHER;
    acedInitGet(bits, m_keywords.empty() ? nullptr : m_keywords.c_str());
}

AcEdJig::DragStatus AcEdJig::keywordStatus() const {
    wchar_t answer[2049] = {};
    if (acedGetInput(answer, 2049) != RTNORM) return kOther;
    const std::vector<host::Keyword> keywords = host::parseKeywordList(m_keywords);
    // The answer is the global name of a keyword, or, not being one, other input.
    for (size_t i = 0; i < keywords.size() && i < 9; ++i) {
        const std::wstring& global = keywords[i].global;
        if (global.substr(0, global.find(L',')) == answer) return DragStatus(kKW1 + int(i));
    }
    return kOther;
}

AcEdJig::DragStatus AcEdJig::acquirePointFrom(AcGePoint3d& point, const AcGePoint3d* basePnt) {
    // The cursor's point on trial is no answer: the last point stays as it was.
    if (const AcGePoint3d* trial = host::jigTrialPoint()) {
        point = *trial;
        return kNormal;
    }
    host::JigWait wait(this);
    LastPointGuard guard((m_controls & kDontUpdateLastPoint) != 0);
    initInput(false);
    ads_point base, picked;
    const int rc = acedGetPoint(basePnt ? *ucsOf(*basePnt, base) : nullptr, m_prompt.c_str(), picked);
    if (rc == RTKWORD) return keywordStatus();
    if (rc != RTNORM) return plainStatus(rc);
    const AcGePoint3d world = host::ucsToWorld(AcGePoint3d(picked[0], picked[1], picked[2]));
    const bool same = m_hasLast && world.isEqualTo(m_lastPoint);
    point = world;
    m_lastPoint = world;
    m_hasLast = true;
    return same ? kNoChange : kNormal;
}

AcEdJig::DragStatus AcEdJig::acquirePoint(AcGePoint3d& point) {
    return acquirePointFrom(point, nullptr);
}

AcEdJig::DragStatus AcEdJig::acquirePoint(AcGePoint3d& point, const AcGePoint3d& basePnt) {
    return acquirePointFrom(point, &basePnt);
}

AcEdJig::DragStatus AcEdJig::acquireDist(double& dist) {
    if (host::jigTrialRunning()) return kNoChange; // no base point to measure the cursor from
    host::JigWait wait(this);
    initInput(false);
    const int rc = acedGetDist(nullptr, m_prompt.c_str(), &dist);
    if (rc == RTKWORD) return keywordStatus();
    return rc == RTNORM ? kNormal : plainStatus(rc);
}

AcEdJig::DragStatus AcEdJig::acquireDist(double& dist, const AcGePoint3d& basePnt) {
    if (const AcGePoint3d* trial = host::jigTrialPoint()) {
        dist = trial->distanceTo(basePnt);
        return kNormal;
    }
    host::JigWait wait(this);
    initInput(false);
    ads_point base;
    const int rc = acedGetDist(*ucsOf(basePnt, base), m_prompt.c_str(), &dist);
    if (rc == RTKWORD) return keywordStatus();
    return rc == RTNORM ? kNormal : plainStatus(rc);
}

AcEdJig::DragStatus AcEdJig::acquireAngleFrom(double& ang, const AcGePoint3d* basePnt) {
    if (const AcGePoint3d* trial = host::jigTrialPoint()) {
        const AcGePoint3d at = host::worldToUcs(*trial);
        const AcGePoint3d from = basePnt ? host::worldToUcs(*basePnt) : AcGePoint3d::kOrigin;
        ang = std::atan2(at.y - from.y, at.x - from.x);
        return kNormal;
    }
    host::JigWait wait(this);
    for (;;) {
        // A number in degrees comes back as other input; a point gives the direction.
        initInput(true);
        ads_point base, picked;
        const int rc = acedGetPoint(basePnt ? *ucsOf(*basePnt, base) : nullptr, m_prompt.c_str(), picked);
        if (rc == RTNORM) {
            const AcGePoint3d from = basePnt ? host::worldToUcs(*basePnt) : AcGePoint3d::kOrigin;
            ang = std::atan2(picked[1] - from.y, picked[0] - from.x);
            return kNormal;
        }
        if (rc != RTKWORD) return plainStatus(rc);
        const DragStatus kw = keywordStatus();
        if (kw != kOther) return kw;
        wchar_t text[2049] = {};
        acedGetInput(text, 2049);
        if (std::optional<double> degrees = host::parseReal(text)) {
            ang = *degrees * std::numbers::pi / 180.0;
            return kNormal;
        }
        if (m_controls & kAcceptOtherInputString) return kOther;
        host::transcriptWrite(L"\nRequires valid numeric angle or second point.");
    }
}

AcEdJig::DragStatus AcEdJig::acquireAngle(double& ang) {
    return acquireAngleFrom(ang, nullptr);
}

AcEdJig::DragStatus AcEdJig::acquireAngle(double& ang, const AcGePoint3d& basePnt) {
    return acquireAngleFrom(ang, &basePnt);
}

AcEdJig::DragStatus AcEdJig::acquireString(wchar_t (&str)[2049]) {
    if (host::jigTrialRunning()) return kNoChange; // a cursor gives no text
    host::JigWait wait(this);
    const int rc = acedGetString(1, m_prompt.c_str(), str, 2049);
    if (rc == RTCAN) return kCancel;
    if (rc != RTNORM && rc != RTINPUTTRUNCATED) return kCancel;
    if (str[0] == L'\0' && (m_controls & kNullResponseAccepted)) return kNull;
    return kNormal;
}
