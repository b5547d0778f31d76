#include "host/ed/HostVariableCommands.h"

#include "host/db/entities/AcDbAnnotationScale.h"
#include "host/db/database/AcDbDatabase.h"
#include "host/db/database/AcDbHostApplicationServices.h"
#include "host/ed/commands/AcEdCommandStack.h"
#include "host/ed/input/EditorInput.h"
#include "host/ed/SysVars.h"
#include "host/win/FormatW.h"
#include "host/win/Transcript.h"

#include <cwchar>
#include <cwctype>
#include <memory>

namespace host {

namespace {

constexpr const wchar_t* kGroup = L"ACAD_MAIN";
constexpr size_t kAnswer = 512;

std::wstring trim(const std::wstring& text) {
    size_t b = 0, e = text.size();
    while (b < e && std::iswspace(text[b]))
        ++b;
    while (e > b && std::iswspace(text[e - 1]))
        --e;
    return text.substr(b, e - b);
}

// A positive number and nothing else.
bool positiveNumber(const std::wstring& text, double& value) {
    const std::wstring t = trim(text);
    if (t.empty()) return false;
    wchar_t* end = nullptr;
    value = std::wcstod(t.c_str(), &end);
    return end && *end == L'\0' && value > 0.0 && value < 1e12;
}

// "paper:drawing" as an annotation scale; false for anything else.
bool parseScaleName(const std::wstring& name, double& paper, double& drawing) {
    const size_t colon = name.find(L':');
    return colon != std::wstring::npos && positiveNumber(name.substr(0, colon), paper) &&
           positiveNumber(name.substr(colon + 1), drawing);
}

void defineAnnotationScaleVariable() {
    sysVars().define(
        L"CANNOSCALE",
        [] {
            AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
            std::unique_ptr<AcDbAnnotationScale> scale(db ? db->cannoscale() : nullptr);
            std::wstring name = L"1:1";
            if (scale) scale->getName(name);
            return VarValue::ofString(name);
        },
        [](const VarValue& value) {
            AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
            double paper = 0.0, drawing = 0.0;
            if (!db || value.type != RTSTR || !parseScaleName(value.text, paper, drawing)) return false;
            AcDbAnnotationScale scale(trim(value.text), paper, drawing);
            return db->setCannoscale(&scale) == Acad::eOk;
        });
}

std::wstring shown(const VarValue& v) {
    switch (v.type) {
    case RTSTR:
        return FormatW(L"\"%s\"", v.text.c_str());
    case RTSHORT:
    case RTLONG:
        return FormatW(L"%d", v.integer);
    case RTREAL:
        return FormatW(L"%.4f", v.real);
    default:
        return FormatW(L"%.4f,%.4f,%.4f", v.point[0], v.point[1], v.point[2]);
    }
}

// The typed answer in the variable's kind; false when it is none.
bool typedValue(const std::wstring& text, short type, VarValue& value) {
    if (type == RTSTR) {
        value = VarValue::ofString(text);
        return true;
    }
    wchar_t* end = nullptr;
    const double number = std::wcstod(text.c_str(), &end);
    if (!end || *end != L'\0' || text.empty()) return false;
    if (type == RTREAL) {
        value = VarValue::ofReal(number);
        return true;
    }
    if ((type != RTSHORT && type != RTLONG) || number != static_cast<double>(static_cast<int32_t>(number)))
        return false;
    value = VarValue::ofLong(static_cast<int32_t>(number));
    return true;
}

void setvarCommand() {
    wchar_t buffer[kAnswer] = {};
    if (acedGetString(0, L"\nEnter variable name: ", buffer, kAnswer) != RTNORM) return;
    const std::wstring name = trim(buffer);
    const std::optional<VarValue> current = sysVars().get(name);
    if (name.empty() || !current) {
        transcriptWrite(FormatW(L"\nUnknown variable name \"%s\".", name.c_str()));
        return;
    }
    const std::wstring prompt =
        FormatW(L"\nEnter new value for %s <%s>: ", name.c_str(), shown(*current).c_str());
    if (acedGetString(1, prompt.c_str(), buffer, kAnswer) != RTNORM) return;
    const std::wstring typed = trim(buffer);
    if (typed.empty()) return;
    VarValue value;
    const int rc = typedValue(typed, current->type, value) ? sysVars().set(name, value) : RTREJ;
    if (rc != RTNORM)
        transcriptWrite(FormatW(L"\n%s: \"%s\" is refused - the value stays.", name.c_str(), typed.c_str()));
}

} // namespace

void registerVariableCommands() {
    static bool done = false;
    if (done) return;
    done = true;
    hostCommands().addCommand(kGroup, L"SETVAR", L"SETVAR", ACRX_CMD_MODAL, &setvarCommand);
    defineAnnotationScaleVariable();
}

} // namespace host
