#include "module/replace/LinkPathReplace.h"

#include "host/db/database/AcDbObjectOpen.h"
#include "module/height/TRdimHeight.h"
#include "module/options/OptStrings.h"
#include "module/options/OptionIndices.h"
#include "module/replace/ObjectReplace.h"
#include "module/replace/ReplaceText.h"

#include <algorithm>

namespace {

constexpr int kLinkIndices[] = {IND_S_HK_Auto_Handle1, IND_S_HK_Auto_Handle2};

void offerOnce(std::vector<std::wstring>& offers, const std::wstring& text) {
    if (text.empty()) return;
    const bool known =
        std::any_of(offers.begin(), offers.end(), [&](const std::wstring& o) { return OptEqualNoCase(o, text); });
    if (!known) offers.push_back(text);
}

} // namespace

std::wstring LinkPathPart(const std::wstring& link) {
    if (!HeightLinkNamesOtherDrawing(link)) return {};
    return link.substr(0, link.rfind(L':'));
}

std::wstring LinkFolderOf(const std::wstring& path) {
    const size_t cut = path.find_last_of(L"/\\");
    return cut == std::wstring::npos ? std::wstring() : path.substr(0, cut + 1);
}

std::wstring ReplaceInLinkPath(const std::wstring& link, const std::wstring& search,
                               const std::wstring& replacement, int* count) {
    if (count) *count = 0;
    const std::wstring path = LinkPathPart(link);
    if (path.empty()) return link;
    int found = 0;
    const std::wstring newPath = ReplaceOccurrences(path, search, replacement, false, &found);
    if (count) *count = found;
    return found ? newPath + link.substr(path.size()) : link;
}

LinkedMarks CollectLinkedMarks(AcDbDatabase* db) {
    LinkedMarks linked;
    for (const AcDbObjectId& id : CollectReplaceObjects(db, kReplaceHeightMarks)) {
        TRdimHeight* mark = nullptr;
        if (acdbOpenObject(mark, id, AcDb::kForRead) != Acad::eOk || !mark) continue;
        bool taken = false;
        for (int index : kLinkIndices) {
            const std::wstring path = LinkPathPart(mark->GetParamString(index));
            if (path.empty()) continue;
            taken = true;
            offerOnce(linked.offers, path);
            offerOnce(linked.offers, LinkFolderOf(path));
        }
        if (taken) linked.ids.append(id);
        mark->close();
    }
    return linked;
}

int ReplaceLinkPaths(const AcDbObjectIdArray& marks, const std::wstring& search, const std::wstring& replacement) {
    if (search.empty()) return 0;
    int changed = 0;
    for (const AcDbObjectId& id : marks) {
        TRdimHeight* mark = nullptr;
        if (acdbOpenObject(mark, id, AcDb::kForRead) != Acad::eOk || !mark) continue;
        std::vector<std::pair<int, std::wstring>> links;
        for (int index : kLinkIndices) {
            int count = 0;
            const std::wstring link = ReplaceInLinkPath(mark->GetParamString(index), search, replacement, &count);
            if (count) links.emplace_back(index, link);
        }
        if (!links.empty() && mark->upgradeOpen() == Acad::eOk) {
            for (const auto& [index, link] : links)
                mark->SetParamString(index, link);
            mark->recordGraphicsModified();
            changed += static_cast<int>(links.size());
        }
        mark->close();
    }
    return changed;
}
