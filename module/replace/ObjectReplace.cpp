#include "module/replace/ObjectReplace.h"

#include "host/db/tables/AcDbBlockTable.h"
#include "host/db/tables/AcDbBlockTableRecord.h"
#include "host/db/database/AcDbDatabase.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "module/chain/NumberText.h"
#include "module/chain/TRdim.h"
#include "module/height/TRdimHeight.h"

#include <algorithm>

namespace {

bool wanted(const AcDbEntity* entity, int types) {
    if (TRdim::cast(entity)) return types == kReplaceChains || types == kReplaceAll;
    if (TRdimHeight::cast(entity)) return types == kReplaceHeightMarks || types == kReplaceAll;
    return false;
}

void collectBlock(AcDbObjectId blockId, int types, AcDbObjectIdArray& ids) {
    AcDbBlockTableRecord* block = nullptr;
    if (acdbOpenObject(block, blockId, AcDb::kForRead) != Acad::eOk) return;
    AcDbBlockTableRecordIterator* it = nullptr;
    if (block->newIterator(it) == Acad::eOk && it) {
        for (; !it->done(); it->step()) {
            AcDbObjectId id;
            AcDbEntity* entity = nullptr;
            if (it->getEntityId(id) != Acad::eOk || acdbOpenObject(entity, id, AcDb::kForRead) != Acad::eOk)
                continue;
            if (wanted(entity, types)) ids.append(id);
            entity->close();
        }
        delete it;
    }
    block->close();
}

// The segment an appended text belongs to: records filed with 0 belong to segment 1.
int segmentOf(const AppendingText& record) {
    return std::max(record.m_iSegment, 1);
}

// Sets the appended text of segment k to `text` with the value it reads as; the
// record keeps its place.
void setAppendedText(TRdim* chain, int k, const std::wstring& text) {
    AppendingText* record = nullptr;
    if (chain->GetAppendingText(k, &record) < 0 || !record) return;
    record->m_strText = text;
    record->m_dValue = ParseDisplayNumber(text);
}

// The new texts of one chain, as (segment, part, text); part 0 the appended text, 1
// the prefix, 2 the suffix. Reads only.
struct TextChange {
    int k;
    int part;
    std::wstring text;
};

std::vector<TextChange> chainChanges(const TRdim* chain, const ReplaceRule& rule) {
    std::vector<TextChange> changes;
    const int segments = chain->GetExtensions();
    for (int k = 1; k < segments; ++k) {
        for (const AppendingText& record : chain->AppTexts()) {
            if (segmentOf(record) != k || record.m_strText.empty()) continue;
            std::wstring text = record.m_strText;
            if (ApplyReplaceRule(rule, text)) changes.push_back({k, 0, text});
            break;
        }
        std::wstring prefix = chain->GetDimTextPrefix(k);
        if (!prefix.empty() && ApplyReplaceRule(rule, prefix)) changes.push_back({k, 1, prefix});
        std::wstring suffix = chain->GetDimTextSuffix(k);
        if (!suffix.empty() && ApplyReplaceRule(rule, suffix)) changes.push_back({k, 2, suffix});
    }
    return changes;
}

int replaceInChain(TRdim* chain, const ReplaceRule& rule) {
    const std::vector<TextChange> changes = chainChanges(chain, rule);
    if (changes.empty() || (!chain->isWriteEnabled() && chain->upgradeOpen() != Acad::eOk)) return 0;
    for (const TextChange& c : changes) {
        if (c.part == 0)
            setAppendedText(chain, c.k, c.text);
        else if (c.part == 1)
            chain->SetDimTextPrefix(c.k, c.text.c_str());
        else
            chain->SetDimTextSuffix(c.k, c.text.c_str());
    }
    chain->recordGraphicsModified();
    return static_cast<int>(changes.size());
}

int replaceInHeightMark(TRdimHeight* mark, const ReplaceRule& rule) {
    static const int kOrder[] = {0, 2, 1, 3};
    std::vector<std::pair<int, std::wstring>> changes;
    for (int index : kOrder) {
        std::wstring text = mark->GetText(index);
        if (!text.empty() && ApplyReplaceRule(rule, text)) changes.emplace_back(index, text);
    }
    if (changes.empty() || (!mark->isWriteEnabled() && mark->upgradeOpen() != Acad::eOk)) return 0;
    for (const auto& [index, text] : changes)
        mark->SetText(index, text);
    mark->recordGraphicsModified();
    return static_cast<int>(changes.size());
}

} // namespace

AcDbObjectIdArray CollectReplaceObjects(AcDbDatabase* db, int types) {
    AcDbObjectIdArray ids;
    AcDbBlockTable* table = nullptr;
    if (!db || db->getBlockTable(table, AcDb::kForRead) != Acad::eOk) return ids;
    AcDbBlockTableIterator* it = nullptr;
    std::vector<AcDbObjectId> blocks;
    if (table->newIterator(it) == Acad::eOk && it) {
        for (; !it->done(); it->step()) {
            AcDbObjectId id;
            if (it->getRecordId(id) == Acad::eOk) blocks.push_back(id);
        }
        delete it;
    }
    table->close();
    for (const AcDbObjectId& block : blocks)
        collectBlock(block, types, ids);
    return ids;
}

AcDbObjectIdArray CollectChains(AcDbDatabase* db) {
    return CollectReplaceObjects(db, kReplaceChains);
}

std::vector<std::wstring> AppendedTextsOf(const AcDbObjectIdArray& chains) {
    std::vector<std::wstring> texts;
    for (const AcDbObjectId& id : chains) {
        TRdim* chain = nullptr;
        if (acdbOpenObject(chain, id, AcDb::kForRead) != Acad::eOk || !chain) continue;
        for (int k = 1; k < chain->GetExtensions(); ++k)
            for (const AppendingText& record : chain->AppTexts())
                if (segmentOf(record) == k && !record.m_strText.empty() &&
                    std::find(texts.begin(), texts.end(), record.m_strText) == texts.end())
                    texts.push_back(record.m_strText);
        chain->close();
    }
    return texts;
}

int ReplaceAppendedTexts(const AcDbObjectIdArray& chains, const std::wstring& search,
                         const std::wstring& replacement, bool caseSensitive) {
    const ReplaceRule rule{search, replacement, true, caseSensitive};
    if (search.empty()) return 0;
    int count = 0;
    for (const AcDbObjectId& id : chains) {
        TRdim* chain = nullptr;
        if (acdbOpenObject(chain, id, AcDb::kForRead) != Acad::eOk || !chain) continue;
        std::vector<TextChange> changes = chainChanges(chain, rule);
        changes.erase(std::remove_if(changes.begin(), changes.end(), [](const TextChange& c) { return c.part != 0; }),
                      changes.end());
        if (!changes.empty() && chain->upgradeOpen() == Acad::eOk) {
            for (const TextChange& c : changes)
                setAppendedText(chain, c.k, c.text);
            chain->recordGraphicsModified();
            count += static_cast<int>(changes.size());
        }
        chain->close();
    }
    return count;
}

ReplaceCounts ReplaceInObject(AcDbObjectId id, const ReplaceRule& rule, int types) {
    ReplaceCounts counts;
    if (rule.search.empty()) return counts;
    AcDbEntity* entity = nullptr;
    if (acdbOpenObject(entity, id, AcDb::kForRead) != Acad::eOk || !entity) return counts;
    if (!wanted(entity, types)) {
        entity->close();
        return counts;
    }
    if (TRdim* chain = TRdim::cast(entity))
        counts.texts = replaceInChain(chain, rule);
    else if (TRdimHeight* mark = TRdimHeight::cast(entity))
        counts.texts = replaceInHeightMark(mark, rule);
    counts.objects = counts.texts > 0 ? 1 : 0;
    entity->close();
    return counts;
}

ReplaceCounts ReplaceInDatabase(AcDbDatabase* db, const ReplaceRule& rule, int types, bool (*stop)()) {
    ReplaceCounts total;
    if (rule.search.empty()) return total;
    for (const AcDbObjectId& id : CollectReplaceObjects(db, types)) {
        if (stop && stop()) break;
        const ReplaceCounts one = ReplaceInObject(id, rule, types);
        total.texts += one.texts;
        total.objects += one.objects;
    }
    return total;
}
