#include "host/rx/RxClassTree.h"

#include "host/rx/AcRxClass.h"
#include "host/rx/AcRxDictionary.h"

#include <algorithm>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

using DescFunction = AcRxClass* (*)();

// Filled during static initialisation, so it must exist before its first user.
std::map<std::wstring, DescFunction>& hostClasses() {
    static std::map<std::wstring, DescFunction> known;
    return known;
}

// Classes registered before their parent, with the name they wait for.
std::vector<std::pair<AcRxClass*, std::wstring>>& waiting() {
    static std::vector<std::pair<AcRxClass*, std::wstring>> list;
    return list;
}

AcRxClass* registeredClass(const wchar_t* name) {
    // The class dictionary holds classes only.
    return static_cast<AcRxClass*>(acrxClassDictionary->at(name));
}

// A parent that is the class itself or one of its descendants would make the walk up
// the tree endless.
bool wouldLoop(const AcRxClass* cls, const AcRxClass* parent) {
    return parent->isDerivedFrom(cls);
}

bool tryLink(AcRxClass* cls, const std::wstring& parentName) {
    AcRxClass* parent = host::findOrRegisterClass(parentName.c_str());
    if (!parent || wouldLoop(cls, parent)) return false;
    cls->setParent(parent);
    return true;
}

void stopWaiting(AcRxClass* cls) {
    auto& list = waiting();
    list.erase(std::remove_if(list.begin(), list.end(), [cls](const auto& w) { return w.first == cls; }),
               list.end());
}

} // namespace

namespace host {

bool knowHostClass(const wchar_t* name, AcRxClass* (*desc)()) {
    if (name && desc) hostClasses().emplace(name, desc);
    return true;
}

bool isHostClass(const AcRxClass* cls) {
    if (!cls) return false;
    const auto it = hostClasses().find(cls->name());
    return it != hostClasses().end() && it->second() == cls;
}

AcRxClass* findOrRegisterClass(const wchar_t* name) {
    if (!name || !*name) return nullptr;
    if (AcRxClass* cls = registeredClass(name)) return cls;
    auto it = hostClasses().find(name);
    return it == hostClasses().end() ? nullptr : it->second();
}

void linkParent(AcRxClass* cls, const wchar_t* parentName) {
    if (!cls) return;
    stopWaiting(cls);
    cls->setParent(nullptr);
    if (!parentName || !*parentName) return;
    if (!tryLink(cls, parentName)) waiting().emplace_back(cls, parentName);
}

void adoptWaitingChildren(AcRxClass* cls) {
    if (!cls) return;
    auto& list = waiting();
    for (auto it = list.begin(); it != list.end();) {
        if (it->second == cls->name() && !wouldLoop(it->first, cls)) {
            it->first->setParent(cls);
            it = list.erase(it);
        } else {
            ++it;
        }
    }
}

void forgetClass(AcRxClass* cls) {
    if (!cls) return;
    stopWaiting(cls);
    for (const auto& [name, obj] : acrxClassDictionary->entries()) {
        auto* child = static_cast<AcRxClass*>(obj);
        if (child && child != cls && child->myParent() == cls) {
            child->setParent(nullptr);
            waiting().emplace_back(child, cls->name());
        }
    }
}

bool linkWaitingClasses() {
    // Linking may register host classes, which adopt waiting children themselves:
    // work on a copy and keep only those still without a parent.
    auto pending = waiting();
    for (const auto& [cls, parentName] : pending)
        if (!cls->myParent() && tryLink(cls, parentName)) stopWaiting(cls);
    return waiting().empty();
}

} // namespace host
