#pragma once
// A drag sequence: the module's jig shows an entity while the user moves the cursor
// and takes the point, distance, angle or text given at the end. Each drag() runs
// the jig's sampler once for one answer (in a script: one input line), then lets it
// update its entity. The acquire functions ask with the jig's prompt and keywords,
// under the user input controls, and say with their status what was given.
#include "host/db/database/AcDbObjectId.h"
#include "host/ge/AcGePoint3d.h"
#include "host/rx/AcRxObject.h"

#include <string>

class AcDbEntity;
class AcDbDimData;
class AcDbDimDataPtrArray;

class AcEdJig : public AcRxObject {
public:
    ACRX_DECLARE_MEMBERS(AcEdJig);

    enum UserInputControls {
        kGovernedByOrthoMode = 0x0001,
        kNullResponseAccepted = 0x0002,
        kDontEchoCancelForCtrlC = 0x0004,
        kDontUpdateLastPoint = 0x0008,
        kNoDwgLimitsChecking = 0x0010,
        kNoZeroResponseAccepted = 0x0020,
        kNoNegativeResponseAccepted = 0x0040,
        kAccept3dCoordinates = 0x0080,
        kAcceptMouseUpAsPoint = 0x0100,
        kAnyBlankTerminatesInput = 0x0200,
        kInitialBlankTerminatesInput = 0x0400,
        kAcceptOtherInputString = 0x0800,
        kGovernedByUCSDetect = 0x1000,
        kNoZDirectionOrtho = 0x2000,
        kImpliedFaceForUCSChange = 0x4000,
        kUseBasePointElevation = 0x8000,
        kDisableDirectDistanceInput = 0x10000
    };

    enum DragStatus {
        kModeless = -17,
        kNoChange = -6,
        kCancel = -4,
        kOther = -3,
        kNull = -1,
        kNormal = 0,
        kKW1,
        kKW2,
        kKW3,
        kKW4,
        kKW5,
        kKW6,
        kKW7,
        kKW8,
        kKW9
    };

    enum CursorType {
        kNoSpecialCursor = -1,
        kCrosshair = 0,
        kRectCursor,
        kRubberBand,
        kNotRotated,
        kTargetBox,
        kRotatedCrosshair,
        kCrosshairNoRotate,
        kInvisible,
        kEntitySelect,
        kParallelogram,
        kEntitySelectNoPersp,
        kPkfirstOrGrips,
        kCrosshairDashed
    };

    AcEdJig();
    ~AcEdJig() override;

    // Runs the sampler for one answer. kNormal when it gave one (also when the
    // answer did not change anything: the user clicked), else its status (kNull for
    // Enter, kCancel, kOther, kKW1 ...).
    DragStatus drag();
    virtual DragStatus sampler();
    virtual bool update();
    virtual AcDbEntity* entity() const;
    // Dimension data shown while dragging; this host shows none.
    virtual AcDbDimDataPtrArray* dimData(const double dimScale);
    virtual Acad::ErrorStatus setDimValue(const AcDbDimData* dimData, const double dimValue);

    // Appends entity() to the working database's current space and closes it; the
    // null id when there is no entity or the append was refused.
    AcDbObjectId append();

    const wchar_t* keywordList();
    void setKeywordList(const wchar_t* keywords);
    const wchar_t* dispPrompt();
    // The prompt, formatted with the host's rules (%s is a wide string).
    void setDispPrompt(const wchar_t* prompt, ...);

    // kNormal with the answer; kNull for Enter (when accepted), kCancel, kOther for a
    // text that is no keyword (with kAcceptOtherInputString; acedGetInput has it),
    // kKW1.. for the keyword at that place in the list. A point that equals the one
    // acquired before gives kNoChange. Points are world points.
    DragStatus acquirePoint(AcGePoint3d& point);
    DragStatus acquirePoint(AcGePoint3d& point, const AcGePoint3d& basePnt);
    DragStatus acquireDist(double& dist);
    DragStatus acquireDist(double& dist, const AcGePoint3d& basePnt);
    // Radians; a typed number is in degrees, a point gives the angle from the base.
    DragStatus acquireAngle(double& ang);
    DragStatus acquireAngle(double& ang, const AcGePoint3d& basePnt);
    DragStatus acquireString(wchar_t (&str)[2049]);

    CursorType specialCursorType() { return m_cursor; }
    void setSpecialCursorType(CursorType type) { m_cursor = type; }
    UserInputControls userInputControls() { return m_controls; }
    void setUserInputControls(UserInputControls controls) { m_controls = controls; }

private:
    DragStatus acquirePointFrom(AcGePoint3d& point, const AcGePoint3d* basePnt);
    DragStatus acquireAngleFrom(double& ang, const AcGePoint3d* basePnt);
    // The acedInitGet bits and keywords for the next input.
    void initInput(bool other) const;
    // The status of an RTKWORD answer.
    DragStatus keywordStatus() const;

    std::wstring m_keywords;
    std::wstring m_prompt;
    CursorType m_cursor = kNoSpecialCursor;
    UserInputControls m_controls = UserInputControls(0);
    bool m_hasLast = false;
    AcGePoint3d m_lastPoint;
};
