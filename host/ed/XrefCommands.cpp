#include "host/ed/XrefCommands.h"

#include "host/db/database/AcDbDatabase.h"
#include "host/db/database/DrawingFileMessage.h"
#include "host/db/entities/AcDbBlockReference.h"
#include "host/db/tables/acdbXref.h"
#include "host/ed/commands/AcEdCommandStack.h"
#include "host/ed/commands/HostDrawCommandsCommon.h"
#include "host/ed/input/EditorInput.h"
#include "host/ge/AcGeScale3d.h"
#include "host/win/FormatW.h"
#include "host/win/Transcript.h"
#include "host/win/Utf8.h"
#include "host/win/WinCrt.h"

#include <cmath>
#include <filesystem>

namespace host {

namespace {

constexpr const wchar_t* kGroup = L"ACAD_XREF";
constexpr size_t kPathBuffer = 1024;
// Smaller scales make a reference that cannot be seen or picked.
constexpr double kSmallestScale = 1e-9;

// The file name typed at the prompt, trimmed and without the quotes that paths with
// blanks are given in; empty when none was given.
std::wstring askFileName() {
    wchar_t buffer[kPathBuffer] = {};
    if (acedGetString(1, L"\nEnter name of file to attach: ", buffer, kPathBuffer) != RTNORM)
        return std::wstring();
    std::wstring name(trimView(buffer));
    if (name.size() >= 2 && name.front() == L'"' && name.back() == L'"')
        name = name.substr(1, name.size() - 2);
    return name;
}

// A scale factor: Enter takes `fallback`; zero and what is no number are asked again.
bool askScale(const wchar_t* prompt, double fallback, double& scale) {
    for (;;) {
        scale = fallback;
        const int rc = acedGetReal(prompt, &scale);
        if (rc == RTNONE) scale = fallback;
        if (rc != RTNORM && rc != RTNONE) return false;
        if (std::isfinite(scale) && std::fabs(scale) > kSmallestScale) return true;
        transcriptWrite(L"\nValue must be nonzero.");
    }
}

struct Placement {
    AcGePoint3d at;
    double xScale = 1.0, yScale = 1.0, degrees = 0.0;
};

bool askPlacement(Placement& p) {
    if (draw::getPoint(L"\nSpecify insertion point: ", nullptr, p.at) != RTNORM) return false;
    if (!askScale(L"\nEnter X scale factor <1>: ", 1.0, p.xScale)) return false;
    if (!askScale(L"\nEnter Y scale factor <use X scale factor>: ", p.xScale, p.yScale)) return false;
    const int rc = acedGetReal(L"\nSpecify rotation angle <0>: ", &p.degrees);
    if (rc == RTNONE) p.degrees = 0.0;
    return (rc == RTNORM || rc == RTNONE) && std::isfinite(p.degrees);
}

std::wstring whyNot(Acad::ErrorStatus es, const std::wstring& file, const std::wstring& name) {
    switch (es) {
    case Acad::eSelfReference:
        return L"\nA drawing cannot refer to itself - nothing attached.";
    case Acad::eDuplicateRecordName:
        return FormatW(L"\nBlock \"%s\" exists and is no reference to \"%s\" - nothing attached.",
                       name.c_str(), file.c_str());
    case Acad::eInvalidSymbolTableName:
        return FormatW(L"\n\"%s\" is no name a block can have - nothing attached.", name.c_str());
    default: {
        // The reading's own words say what is wrong with the file, where it has any.
        const std::wstring& why = drawingFileMessage();
        if (!why.empty()) return FormatW(L"\n%s - nothing attached.", why.c_str());
        return FormatW(L"\nXref \"%s\" could not be read (error %d) - nothing attached.", file.c_str(),
                       static_cast<int>(es));
    }
    }
}

void attachCommand(bool overlay) {
    AcDbDatabase* db = draw::drawingOrSay();
    if (!db) return;
    const std::wstring file = askFileName();
    if (file.empty()) return;
    if (!std::filesystem::is_regular_file(std::filesystem::path(toUtf8(file)))) {
        transcriptWrite(FormatW(L"\nXref file \"%s\" not found - nothing attached.", file.c_str()));
        return;
    }
    const std::wstring name = fromUtf8(std::filesystem::path(toUtf8(file)).stem().string());
    Placement placement;
    if (!askPlacement(placement)) return;
    AcDbObjectId blockId;
    setDrawingFileMessage(L"");
    const Acad::ErrorStatus es = overlay ? acdbOverlayXref(db, file.c_str(), name.c_str(), blockId)
                                         : acdbAttachXref(db, file.c_str(), name.c_str(), blockId);
    if (es != Acad::eOk) {
        transcriptWrite(whyNot(es, file, name));
        return;
    }
    auto* ref = new AcDbBlockReference(placement.at.transformBy(draw::ucsMatrix(db)), blockId);
    ref->setScaleFactors(AcGeScale3d(placement.xScale, placement.yScale, placement.xScale));
    ref->setRotation(std::fmod(placement.degrees, 360.0) * M_PI / 180.0);
    if (draw::appendEntity(db, ref))
        transcriptWrite(
            FormatW(L"\n%s Xref \"%s\": %s", overlay ? L"Overlay" : L"Attach", name.c_str(), file.c_str()));
}

void xrefCommand() {
    acedInitGet(0, L"Attach Overlay");
    wchar_t option[64] = {};
    const int rc = acedGetKword(L"\nEnter an option [Attach/Overlay] <Attach>: ", option, 64);
    if (rc != RTNORM && rc != RTNONE) return;
    attachCommand(rc == RTNORM && std::wstring(option) == L"Overlay");
}

void xattachCommand() {
    attachCommand(false);
}

} // namespace

void registerXrefCommands() {
    static bool done = false;
    if (done) return;
    done = true;
    AcEdCommandStack& stack = hostCommands();
    stack.addCommand(kGroup, L"-XREF", L"-XREF", ACRX_CMD_MODAL, &xrefCommand);
    stack.addCommand(kGroup, L"XATTACH", L"XATTACH", ACRX_CMD_MODAL, &xattachCommand);
}

} // namespace host
