#include "host/ed/HostBlockCommands.h"

#include "host/db/entities/AcDbBlockReference.h"
#include "host/db/tables/AcDbBlockTable.h"
#include "host/db/tables/AcDbBlockTableRecord.h"
#include "host/db/database/AcDbDatabase.h"
#include "host/db/database/AcDbIdMapping.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/ed/commands/AcEdCommandStack.h"
#include "host/ed/input/EditorInput.h"
#include "host/ed/commands/HostDrawCommandsCommon.h"
#include "host/win/FormatW.h"
#include "host/win/Transcript.h"

#include <cwctype>

namespace host {

namespace {

constexpr const wchar_t* kGroup = L"ACAD_BLOCKS";
constexpr size_t kNameBuffer = 256;

// A block name typed at the prompt, trimmed; empty when none was given.
std::wstring askBlockName(const wchar_t* prompt) {
    wchar_t buffer[kNameBuffer] = {};
    if (acedGetString(1, prompt, buffer, kNameBuffer) != RTNORM) return std::wstring();
    std::wstring name = buffer;
    while (!name.empty() && std::iswspace(name.back()))
        name.pop_back();
    size_t start = 0;
    while (start < name.size() && std::iswspace(name[start]))
        ++start;
    return name.substr(start);
}

// The id of the block of that name, null when there is none (or it is a layout's).
AcDbObjectId findBlock(AcDbDatabase* db, const std::wstring& name) {
    AcDbBlockTable* table = nullptr;
    AcDbObjectId id;
    if (name.empty() || name[0] == L'*' || db->getBlockTable(table, AcDb::kForRead) != Acad::eOk) return id;
    table->getAt(name.c_str(), id);
    table->close();
    return id;
}

AcDbObjectId addBlock(AcDbDatabase* db, const std::wstring& name, const AcGePoint3d& origin) {
    AcDbBlockTable* table = nullptr;
    AcDbObjectId id;
    if (db->getBlockTable(table, AcDb::kForWrite) != Acad::eOk) return id;
    auto* record = new AcDbBlockTableRecord();
    record->setName(name.c_str());
    record->setOrigin(origin);
    if (table->add(id, record) == Acad::eOk)
        record->close();
    else
        delete record;
    table->close();
    return id;
}

void blockCommand() {
    AcDbDatabase* db = draw::drawingOrSay();
    if (!db) return;
    const std::wstring name = askBlockName(L"\nEnter block name: ");
    if (name.empty() || name[0] == L'*' || name.find_first_of(L"<>/\\\":;?,|=`") != std::wstring::npos) {
        transcriptWrite(FormatW(L"\nInvalid block name \"%s\".", name.c_str()));
        return;
    }
    if (!findBlock(db, name).isNull()) {
        transcriptWrite(FormatW(L"\nBlock \"%s\" already exists - nothing defined.", name.c_str()));
        return;
    }
    AcGePoint3d base;
    if (draw::getPoint(L"\nSpecify insertion base point: ", nullptr, base) != RTNORM) return;
    std::vector<AcDbObjectId> picked;
    if (draw::selectObjects(db, picked) != RTNORM || picked.empty()) {
        transcriptWrite(L"\nNo objects selected - nothing defined.");
        return;
    }
    const AcGePoint3d origin = base.transformBy(draw::ucsMatrix(db));
    AcDbObjectId blockId = addBlock(db, name, origin);
    if (blockId.isNull()) return;
    AcDbObjectIdArray ids;
    for (const AcDbObjectId& id : picked)
        ids.append(id);
    AcDbIdMapping map;
    if (db->deepCloneObjects(ids, blockId, map) != Acad::eOk) {
        transcriptWrite(FormatW(L"\nBlock \"%s\" could not take the objects.", name.c_str()));
        return;
    }
    for (const AcDbObjectId& id : picked) {
        AcDbEntity* entity = nullptr;
        if (acdbOpenAcDbEntity(entity, id, AcDb::kForWrite) != Acad::eOk) continue;
        entity->erase();
        entity->close();
    }
    transcriptWrite(FormatW(L"\nBlock \"%s\" defined with %d objects.", name.c_str(), ids.length()));
}

void insertCommand() {
    AcDbDatabase* db = draw::drawingOrSay();
    if (!db) return;
    const std::wstring name = askBlockName(L"\nEnter block name: ");
    const AcDbObjectId blockId = findBlock(db, name);
    if (blockId.isNull()) {
        transcriptWrite(FormatW(L"\nUnknown block name \"%s\".", name.c_str()));
        return;
    }
    AcGePoint3d at;
    if (draw::getPoint(L"\nSpecify insertion point: ", nullptr, at) != RTNORM) return;
    draw::appendEntity(db, new AcDbBlockReference(at, blockId));
}

} // namespace

void registerBlockCommands() {
    static bool done = false;
    if (done) return;
    done = true;
    AcEdCommandStack& stack = hostCommands();
    stack.addCommand(kGroup, L"BLOCK", L"BLOCK", ACRX_CMD_MODAL, &blockCommand);
    stack.addCommand(kGroup, L"INSERT", L"INSERT", ACRX_CMD_MODAL, &insertCommand);
}

} // namespace host
