// LAYER in its command-line form.
#include "host/db/database/AcDbDatabase.h"
#include "host/db/tables/AcDbLayerTable.h"
#include "host/db/database/AcDbObjectOpen.h"
#include "host/ed/input/EditorInput.h"
#include "host/ed/commands/HostDrawCommandsCommon.h"
#include "host/ed/input/InputParse.h"
#include "host/win/FormatW.h"
#include "host/win/Transcript.h"
#include "host/win/WinCrt.h"

#include <functional>

namespace host::draw {

namespace {

constexpr size_t kNameBuffer = 1024;

// "*" any run of characters, "?" one; names compare without case.
bool nameMatches(const std::wstring& pattern, const std::wstring& name) {
    const std::wstring p = host::toUpperCase(pattern), n = host::toUpperCase(name);
    std::size_t pi = 0, ni = 0, star = std::wstring::npos, mark = 0;
    while (ni < n.size()) {
        if (pi < p.size() && p[pi] == L'*') {
            star = pi++;
            mark = ni;
        } else if (pi < p.size() && (p[pi] == L'?' || p[pi] == n[ni])) {
            ++pi;
            ++ni;
        } else if (star != std::wstring::npos) {
            pi = star + 1;
            ni = ++mark;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p[pi] == L'*')
        ++pi;
    return pi == p.size();
}

std::vector<std::wstring> splitNames(const std::wstring& list) {
    std::vector<std::wstring> names;
    std::size_t start = 0;
    while (start <= list.size()) {
        std::size_t end = list.find(L',', start);
        if (end == std::wstring::npos) end = list.size();
        const std::wstring name = trimmed(list.substr(start, end - start));
        if (!name.empty()) names.push_back(name);
        start = end + 1;
    }
    return names;
}

std::wstring currentLayerName(AcDbDatabase* db) {
    AcDbLayerTableRecord* layer = nullptr;
    std::wstring name = L"0";
    if (acdbOpenObject(layer, db->clayer(), AcDb::kForRead) == Acad::eOk) {
        name = layer->name();
        layer->close();
    }
    return name;
}

AcDbObjectId findLayer(AcDbDatabase* db, const std::wstring& name) {
    AcDbLayerTable* table = nullptr;
    AcDbObjectId id;
    if (db->getLayerTable(table, AcDb::kForRead) != Acad::eOk) return id;
    table->getAt(name.c_str(), id);
    table->close();
    return id;
}

// A new layer with the host's defaults; its id, or null (with the reason told).
AcDbObjectId createLayer(AcDbDatabase* db, const std::wstring& name) {
    if (!isValidSymbolName(name.c_str(), false)) {
        transcriptWrite(FormatW(L"\nInvalid layer name \"%s\".", name.c_str()));
        return AcDbObjectId::kNull;
    }
    AcDbLayerTable* table = nullptr;
    AcDbObjectId id;
    if (db->getLayerTable(table, AcDb::kForWrite) != Acad::eOk) return id;
    auto* layer = new AcDbLayerTableRecord;
    layer->setName(name.c_str());
    AcCmColor white;
    white.setColorIndex(7);
    layer->setColor(white);
    layer->setLinetypeObjectId(db->continuousLinetype());
    if (table->add(id, layer) == Acad::eOk)
        layer->close();
    else
        delete layer;
    table->close();
    return id;
}

// Applies `change` to every layer the typed list names; names that match nothing are
// told. The change returns false when it refuses a layer (it says why).
void forEachNamed(AcDbDatabase* db, const std::wstring& list,
                  const std::function<bool(AcDbLayerTableRecord*)>& change) {
    AcDbLayerTable* table = nullptr;
    if (db->getLayerTable(table, AcDb::kForRead) != Acad::eOk) return;
    const std::vector<AcDbObjectId> ids = table->recordIds();
    table->close();
    for (const std::wstring& pattern : splitNames(list)) {
        bool any = false;
        for (AcDbObjectId id : ids) {
            AcDbLayerTableRecord* layer = nullptr;
            if (id.isErased() || acdbOpenObject(layer, id, AcDb::kForRead) != Acad::eOk) continue;
            if (nameMatches(pattern, layer->name())) {
                any = true;
                if (layer->upgradeOpen() == Acad::eOk) change(layer);
            }
            layer->close();
        }
        if (!any) transcriptWrite(FormatW(L"\nCannot find layer \"%s\".", pattern.c_str()));
    }
}

int getNames(const std::wstring& prompt, std::wstring& names) {
    std::vector<wchar_t> buffer(kNameBuffer, L'\0');
    const int rc = acedGetString(1, prompt.c_str(), buffer.data(), buffer.size());
    if (rc != RTNORM) return rc == RTINPUTTRUNCATED ? RTREJ : rc;
    names = trimmed(buffer.data());
    return RTNORM;
}

// A colour index 1..255, or one of the seven standard colour names.
bool parseColor(const std::wstring& text, int& color) {
    static const wchar_t* const kNames[] = {L"RED",  L"YELLOW",  L"GREEN", L"CYAN",
                                            L"BLUE", L"MAGENTA", L"WHITE"};
    const std::wstring t = host::toUpperCase(trimmed(text));
    for (int i = 0; i < 7; ++i)
        if (t == kNames[i]) {
            color = i + 1;
            return true;
        }
    const std::optional<int> n = parseInt(t);
    if (!n || *n < 1 || *n > 255) return false;
    color = *n;
    return true;
}

void makeOrSetCurrent(AcDbDatabase* db, bool make) {
    const std::wstring current = currentLayerName(db);
    std::wstring name;
    const std::wstring prompt =
        make ? FormatW(L"\nEnter name for new layer (becomes the current layer) <%s>: ", current.c_str())
             : std::wstring(L"\nEnter layer name to make current: ");
    if (getNames(prompt, name) != RTNORM || name.empty()) return;
    AcDbObjectId id = findLayer(db, name);
    if (id.isNull() && make) id = createLayer(db, name);
    if (id.isNull()) {
        if (!make) transcriptWrite(FormatW(L"\nCannot find layer \"%s\".", name.c_str()));
        return;
    }
    AcDbLayerTableRecord* layer = nullptr;
    if (acdbOpenObject(layer, id, AcDb::kForRead) != Acad::eOk) return;
    const bool frozen = layer->isFrozen();
    layer->close();
    if (frozen)
        transcriptWrite(FormatW(L"\nCannot set current layer to \"%s\": it is frozen.", name.c_str()));
    else
        db->setClayer(id);
}

void newLayers(AcDbDatabase* db) {
    std::wstring list;
    if (getNames(L"\nEnter name list for new layer(s): ", list) != RTNORM) return;
    for (const std::wstring& name : splitNames(list))
        if (findLayer(db, name).isNull()) createLayer(db, name);
}

void colorLayers(AcDbDatabase* db) {
    std::wstring text;
    int color = 0;
    for (;;) {
        if (getNames(L"\nNew color: ", text) != RTNORM || text.empty()) return;
        if (parseColor(text, color)) break;
        transcriptWrite(L"\nRequires a colour number 1 to 255 or a standard colour name.");
    }
    const std::wstring current = currentLayerName(db);
    std::wstring list;
    if (getNames(FormatW(L"\nEnter name list of layer(s) for color %d <%s>: ", color, current.c_str()),
                 list) != RTNORM)
        return;
    forEachNamed(db, list.empty() ? current : list, [color](AcDbLayerTableRecord* layer) {
        AcCmColor c;
        c.setColorIndex(static_cast<Adesk::UInt16>(color));
        layer->setColor(c);
        return true;
    });
}

// ON, OFF, Freeze, Thaw, LOck and Unlock: a name list and a change of state.
void changeState(AcDbDatabase* db, const std::wstring& option) {
    static const std::pair<const wchar_t*, const wchar_t*> kVerbs[] = {
        {L"ON", L"turn on"}, {L"OFF", L"turn off"}, {L"Freeze", L"freeze"},
        {L"Thaw", L"thaw"},  {L"LOck", L"lock"},    {L"Unlock", L"unlock"}};
    std::wstring verb;
    for (const auto& [name, text] : kVerbs)
        if (option == name) verb = text;
    std::wstring list;
    if (getNames(FormatW(L"\nEnter name list of layer(s) to %s: ", verb.c_str()), list) != RTNORM ||
        list.empty())
        return;
    const AcDbObjectId current = db->clayer();
    forEachNamed(db, list, [&](AcDbLayerTableRecord* layer) {
        if (option == L"Freeze" && layer->objectId() == current) {
            transcriptWrite(
                FormatW(L"\nCannot freeze layer \"%s\".  It is the CURRENT layer.", layer->name().c_str()));
            return false;
        }
        if (option == L"ON" || option == L"OFF")
            layer->setIsOff(option == L"OFF");
        else if (option == L"Freeze" || option == L"Thaw")
            layer->setIsFrozen(option == L"Freeze");
        else
            layer->setIsLocked(option == L"LOck");
        return true;
    });
}

void listLayers(AcDbDatabase* db) {
    AcDbLayerTable* table = nullptr;
    if (db->getLayerTable(table, AcDb::kForRead) != Acad::eOk) return;
    const std::vector<AcDbObjectId> ids = table->recordIds();
    table->close();
    transcriptWrite(L"\nLayer name                       State      Color");
    for (AcDbObjectId id : ids) {
        AcDbLayerTableRecord* layer = nullptr;
        if (id.isErased() || acdbOpenObject(layer, id, AcDb::kForRead) != Acad::eOk) continue;
        const std::wstring state = std::wstring(layer->isOff() ? L"Off" : L"On") +
                                   (layer->isFrozen() ? L" F" : L"") + (layer->isLocked() ? L" L" : L"");
        transcriptWrite(FormatW(L"\n%-32s %-10s %d", layer->name().c_str(), state.c_str(),
                                static_cast<int>(layer->color().colorIndex())));
        layer->close();
    }
}

} // namespace

void layerCommand() {
    AcDbDatabase* db = drawingOrSay();
    if (!db) return;
    for (;;) {
        transcriptWrite(FormatW(L"\nCurrent layer:  \"%s\"", currentLayerName(db).c_str()));
        acedInitGet(0, L"? Make Set New ON OFF Color Freeze Thaw LOck Unlock");
        wchar_t option[32] = {};
        const int rc = acedGetKword(
            L"\nEnter an option [?/Make/Set/New/ON/OFF/Color/Freeze/Thaw/LOck/Unlock]: ", option, 32);
        if (rc != RTNORM && rc != RTKWORD) return;
        const std::wstring kw = option;
        if (kw.empty()) return;
        if (kw == L"?")
            listLayers(db);
        else if (kw == L"Make" || kw == L"Set")
            makeOrSetCurrent(db, kw == L"Make");
        else if (kw == L"New")
            newLayers(db);
        else if (kw == L"Color")
            colorLayers(db);
        else
            changeState(db, kw);
    }
}

} // namespace host::draw
