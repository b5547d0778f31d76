#include "module/chain/AppendingText.h"

#include "host/win/FormatW.h"

bool AppendingText::ShowsValue() const {
    return m_iAutoPos != 0 && m_dValue > 0 && m_strText.find(L'^') == std::wstring::npos;
}

int FindAppendingText(AppendingTextList& list, int k, void (*log)(const wchar_t*)) {
    const int segment = k < 2 ? 1 : k;
    int found = -1;
    for (size_t i = 0; i < list.size();) {
        AppendingText& rec = list[i];
        if (k < 2 && rec.m_iSegment == 0) rec.m_iSegment = 1;
        if (rec.m_iSegment != segment) {
            ++i;
            continue;
        }
        if (found < 0) {
            found = static_cast<int>(i++);
            continue;
        }
        if (log)
            log(host::FormatW(L"\n***Duplicita GetAppendingText iExt=%d  appTexts=%d i=%d ", k,
                              static_cast<int>(list.size()), static_cast<int>(i))
                    .c_str());
        list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
    }
    return found;
}

int StoreAppendingText(AppendingTextList& list, int k, const AppendingText* record,
                       void (*log)(const wchar_t*)) {
    const int at = FindAppendingText(list, k, log);
    if (!record) {
        if (at >= 0) list.erase(list.begin() + at);
        return -1;
    }
    AppendingText copy = *record;
    copy.m_iSegment = k < 1 ? 1 : k;
    copy.m_strText3.clear();
    if (at >= 0) {
        list[static_cast<size_t>(at)] = copy;
        return at;
    }
    list.push_back(copy);
    return static_cast<int>(list.size()) - 1;
}
