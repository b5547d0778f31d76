#include "module/chain/ChainDisplayText.h"

#include "host/win/FormatW.h"
#include "module/chain/ChainScale.h"
#include "module/chain/NumberText.h"
#include "module/options/OptionIndices.h"

#include <cmath>

namespace {

constexpr int kMainValueMode = 2;
constexpr int kAlternateValueMode = -2;

void replaceAll(std::wstring& text, wchar_t what, const std::wstring& with) {
    for (size_t at = text.find(what); at != std::wstring::npos; at = text.find(what, at + with.size()))
        text.replace(at, 1, with);
}

// The switch-over of "m/cm" in metres: below it values are written in centimetres.
double metresSwitchOver(ParamArraysView params) {
    return params.Int(IND_I_MCmFrom10) ? 10.0 : 1.0;
}

} // namespace

std::wstring EntryValueText(const TRdimTextEntry& entry, ParamArraysView params, const ValueFormatEnv& env) {
    const std::wstring user = entry.GetUserText();
    if (user.empty()) return entry.GetValueText();
    double number = 0;
    if (ParseUserNumber(user, params.String(IND_S_Delimiter), number))
        return FormatValue(kMainValueMode, number, params, env);
    return user;
}

std::wstring SegmentValueText(int k, std::vector<std::wstring>& texts, int extensions,
                              const std::function<double()>& chainLength, ParamArraysView params,
                              const ValueFormatEnv& env) {
    if (k < 0) return L"000";
    if (k == extensions) return FormatValue(kMainValueMode, chainLength ? chainLength() : 0.0, params, env);
    if (static_cast<size_t>(k) >= texts.size()) {
        if (extensions > 0 && texts.size() < static_cast<size_t>(extensions))
            texts.resize(static_cast<size_t>(extensions));
        return L"???";
    }
    return EntryValueText(TRdimTextEntry(texts[static_cast<size_t>(k)]), params, env);
}

bool UserTextOutOfTolerance(int k, std::span<const std::wstring> texts, bool hasOptions,
                            const std::wstring& delimiter, double segmentLength, double tolerance) {
    if (!hasOptions || k < 1 || static_cast<size_t>(k) >= texts.size()) return false;
    double number = 0;
    if (!ParseUserNumber(TRdimTextEntry(texts[static_cast<size_t>(k)]).GetUserText(), delimiter, number))
        return false;
    return std::fabs(number - segmentLength) > tolerance;
}

std::wstring AlternateValueText(const std::wstring& value, bool isSum, double segmentLength,
                                ParamArraysView params, const ValueFormatEnv& env) {
    if (env.altFormat.empty()) return std::wstring();
    double number = ParseDisplayNumber(value);
    if (IsMetresCentimetres(params.String(IND_S_Measure)) && !isSum) {
        const double metres = segmentLength / AcadUnitsOrDefault(params.Double(IND_D_AcadUnits)) / 1000;
        if (metres < metresSwitchOver(params)) number /= 100;
    }
    std::wstring text = env.altFormat;
    replaceAll(text, L'%', L" "); // a frame is never a format string of its own
    const std::wstring alt = FormatValue(kAlternateValueMode, number, params, env);
    if (text.find(L'#') != std::wstring::npos)
        replaceAll(text, L'#', alt);
    else if (text.find(L'9') != std::wstring::npos)
        replaceAll(text, L'9', alt);
    else
        text += alt;
    return text;
}

namespace {

// Part 0 and the split at the superscript marker "^" of the value (with its prefix).
bool splitSuperscript(const std::wstring& head, const std::wstring& tail, std::vector<std::wstring>& parts) {
    const std::wstring whole = tail.empty() ? head : head + L" " + tail;
    parts.assign(1, whole);
    if (whole.find(L'\\') != std::wstring::npos) return false; // MText codes: drawn as they are
    if (whole.find(L'^') == std::wstring::npos) return false;
    const size_t at = head.find(L'^');
    parts[0] = head.substr(0, at);
    parts.push_back(at == std::wstring::npos ? std::wstring() : head.substr(at + 1));
    if (!tail.empty()) parts.push_back(host::FormatW(L" %s", tail.c_str()));
    return !parts[1].empty();
}

} // namespace

bool ComposeDisplayText(const DisplayTextInputs& in, ParamArraysView params, const ValueFormatEnv& env,
                        std::vector<std::wstring>* parts) {
    if (!env.hasOptions || !parts) return false;
    parts->assign(1, std::wstring());
    if (in.appendingText) {
        const AppendingText& rec = *in.appendingText;
        const std::wstring text =
            rec.ShowsValue() ? FormatValue(kMainValueMode, rec.m_dValue, params, env) : rec.m_strText;
        return splitSuperscript(text, std::wstring(), *parts);
    }
    if (in.k == kChainLabelIndex) {
        const std::wstring& label = params.String(IND_S_DimDescription);
        (*parts)[0] = label.empty() ? label : label.substr(1); // the first character is its position
        return false;
    }
    std::wstring tail;
    if (in.altUnitsOn) tail = AlternateValueText(in.value, in.isSum, in.segmentLength, params, env);
    if (!in.suffix.empty()) tail = tail.empty() ? in.suffix : tail + L" " + in.suffix;
    std::wstring head = in.fullCircle ? L"U=" + in.value : in.value;
    if (!in.prefix.empty()) head = host::FormatW(L"%s %s", in.prefix.c_str(), head.c_str());
    return splitSuperscript(head, tail, *parts);
}
