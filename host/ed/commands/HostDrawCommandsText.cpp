// TEXT and MTEXT.
#include "host/db/database/AcDbDatabase.h"
#include "host/db/entities/AcDbMText.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/db/entities/AcDbText.h"
#include "host/db/tables/AcDbTextStyleTableRecord.h"
#include "host/ed/input/EditorInput.h"
#include "host/ed/commands/HostDrawCommandsCommon.h"
#include "host/win/FormatW.h"
#include "host/win/Transcript.h"

#include <algorithm>
#include <cmath>

namespace host::draw {

namespace {

// Room for a long line of text; a longer answer is refused rather than cut.
constexpr size_t kTextBuffer = 4096;
constexpr double kSameCorner = 1e-10;

std::wstring currentStyleName(AcDbDatabase* db) {
    AcDbTextStyleTableRecord* style = nullptr;
    std::wstring name = L"Standard";
    if (acdbOpenObject(style, db->textstyle(), AcDb::kForRead) == Acad::eOk) {
        name = style->name();
        style->close();
    }
    return name;
}

void sayCurrentStyle(AcDbDatabase* db) {
    transcriptWrite(FormatW(L"\nCurrent text style:  \"%s\"  Text height:  %.4f  Annotative:  No",
                            currentStyleName(db).c_str(), db->textsize()));
}

// A line of text; RTNORM with it (may be empty), RTCAN, or RTREJ when it was too long.
int getTextLine(const wchar_t* prompt, std::wstring& text) {
    std::vector<wchar_t> buffer(kTextBuffer, L'\0');
    const int rc = acedGetString(1, prompt, buffer.data(), buffer.size());
    if (rc == RTINPUTTRUNCATED) {
        transcriptWrite(L"\nThe text is too long.");
        return RTREJ;
    }
    if (rc != RTNORM) return rc;
    text = buffer.data();
    return RTNORM;
}

// The text height: Enter keeps the current one.
int getHeight(const AcGePoint3d& start, double current, double& height) {
    const ads_point base = {start.x, start.y, start.z};
    const std::wstring prompt = FormatW(L"\nSpecify height <%.4f>: ", current);
    for (;;) {
        acedInitGet(RSG_NOZERO | RSG_NONEG, nullptr);
        double value = 0.0;
        const int rc = acedGetDist(base, prompt.c_str(), &value);
        if (rc == RTNONE) {
            height = current;
            return RTNORM;
        }
        if (rc != RTNORM) return rc;
        if (value > kSameCorner && std::isfinite(value)) {
            height = value;
            return RTNORM;
        }
        transcriptWrite(L"\nValue must be positive and nonzero.");
    }
}

} // namespace

void textCommand() {
    AcDbDatabase* db = drawingOrSay();
    if (!db) return;
    sayCurrentStyle(db);
    AcGePoint3d start;
    double height = 0.0, degrees = 0.0;
    if (getPoint(L"\nSpecify start point of text: ", nullptr, start) != RTNORM ||
        getHeight(start, db->textsize(), height) != RTNORM)
        return;
    const int rc = acedGetReal(L"\nSpecify rotation angle of text <0>: ", &degrees);
    if (rc != RTNORM && rc != RTNONE) return;
    std::wstring text;
    if (getTextLine(L"\nEnter text: ", text) != RTNORM || text.empty()) return;
    const double rotation = std::fmod(degrees, 360.0) * M_PI / 180.0;
    if (appendEntity(db, new AcDbText(start, text.c_str(), db->textstyle(), height, rotation)))
        db->setTextsize(height);
}

void mtextCommand() {
    AcDbDatabase* db = drawingOrSay();
    if (!db) return;
    sayCurrentStyle(db);
    AcGePoint3d first, second;
    if (getPoint(L"\nSpecify first corner: ", nullptr, first) != RTNORM) return;
    for (;;) {
        if (getPoint(L"\nSpecify opposite corner: ", &first, second) != RTNORM) return;
        if (std::abs(second.x - first.x) > kSameCorner) break;
        transcriptWrite(L"\nThe corners must be apart: the text needs a width.");
    }
    std::wstring contents;
    for (;;) {
        std::wstring line;
        if (getTextLine(L"\nMText: ", line) != RTNORM) return;
        if (line.empty()) break;
        contents += (contents.empty() ? L"" : L"\\P") + line;
    }
    if (contents.empty()) return;
    auto* mtext = new AcDbMText;
    // The text hangs from the top left corner of the box, whichever corner came first.
    mtext->setLocation(AcGePoint3d(std::min(first.x, second.x), std::max(first.y, second.y), first.z));
    mtext->setWidth(std::abs(second.x - first.x));
    mtext->setTextHeight(db->textsize());
    mtext->setAttachment(AcDbMText::kTopLeft);
    mtext->setTextStyle(db->textstyle());
    mtext->setContents(contents.c_str());
    appendEntity(db, mtext);
}

} // namespace host::draw
