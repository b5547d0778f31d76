#include "module/options/ScaleMaps.h"

#include "module/app/LintaroLog.h"
#include "module/options/OptStrings.h"
#include "module/options/OptionDefaults.h"

#include <cmath>

double ScaleStr2Double(const std::wstring& text)
{
    if (OptEqualNoCase(text, L"AnnoScale") || OptEqualNoCase(text, L"BMa\u00DF") ||
        OptEqualNoCase(text, LoadStrOr(IDS_OPT_ANNO_SCALE, L"BMa\u00DF")))
        return 0.01;
    double result = 0.0;
    std::size_t colon = text.find(L':');
    if (colon == std::wstring::npos) {
        result = OptToDouble(text);
    } else {
        double left = OptToDouble(text.substr(0, colon));
        double right = OptToDouble(text.substr(colon + 1));
        if (right == 0.0)
            right = 100.0;
        if (left == 0.0)
            left = 1.0;
        result = left / right;
    }
    if (result == 0.0 || !std::isfinite(result)) {
        LogFmt(L"\n !!!!!!!!!! ScaleStr2Double(%s) ", text.c_str());
        return 1.0;
    }
    return result;
}
