#include "host/rx/AcRxDictionary.h"

#include "host/rx/AcRxClass.h"
#include "host/rx/RxClassTree.h"
#include "host/win/FormatW.h"
#include "host/win/WinCrt.h"

#include <algorithm>
#include <cstdarg>

AcRxClass* AcRxDictionary::desc() {
    static AcRxClass* s = host::registerHostClass(L"AcRxDictionary", AcRxObject::desc(), L"", nullptr);
    return s;
}

AcRxClass* AcRxDictionary::isA() const { return AcRxDictionary::desc(); }

[[maybe_unused]] static const bool dictionaryClassKnown =
    host::knowHostClass(L"AcRxDictionary", &AcRxDictionary::desc);

std::wstring AcRxDictionary::normal(const wchar_t* key) const {
    const std::wstring k = key ? key : L"";
    return m_caseSensitive ? k : host::toUpperCase(k);
}

AcRxObject* AcRxDictionary::at(const wchar_t* key) const {
    auto it = m_entries.find(normal(key));
    return it == m_entries.end() ? nullptr : it->second.second.second;
}

AcRxObject* AcRxDictionary::atPut(const wchar_t* key, AcRxObject* obj) {
    const std::wstring k = normal(key);
    auto it = m_entries.find(k);
    if (it != m_entries.end()) {
        AcRxObject* old = it->second.second.second;
        it->second.second.second = obj;
        return old;
    }
    m_entries.emplace(k, std::make_pair(m_next++, std::make_pair(std::wstring(key ? key : L""), obj)));
    return nullptr;
}

AcRxObject* AcRxDictionary::remove(const wchar_t* key) {
    auto it = m_entries.find(normal(key));
    if (it == m_entries.end()) return nullptr;
    AcRxObject* old = it->second.second.second;
    m_entries.erase(it);
    return old;
}

std::vector<std::pair<std::wstring, AcRxObject*>> AcRxDictionary::entries() const {
    std::vector<std::pair<size_t, std::pair<std::wstring, AcRxObject*>>> v;
    for (const auto& e : m_entries) v.push_back(e.second);
    std::sort(v.begin(), v.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::pair<std::wstring, AcRxObject*>> out;
    for (auto& e : v) out.push_back(e.second);
    return out;
}

AcRxDictionary* acrxSysRegistry() {
    // Built once, on first use; the dictionaries live as long as the process.
    static AcRxDictionary* reg = [] {
        auto* r = new AcRxDictionary();
        r->atPut(ACRX_CLASS_DICTIONARY, new AcRxDictionary());
        r->atPut(ACRX_SERVICE_DICTIONARY, new AcRxDictionary());
        return r;
    }();
    return reg;
}

AcRxDictionary* acrxClassDictionaryPtr() {
    return static_cast<AcRxDictionary*>(acrxSysRegistry()->at(ACRX_CLASS_DICTIONARY));
}

AcRxDictionary* acrxServiceDictionaryPtr() {
    return static_cast<AcRxDictionary*>(acrxSysRegistry()->at(ACRX_SERVICE_DICTIONARY));
}

bool acrxBuildClassHierarchy() {
    // Classes are linked to their parents when registered, or when the parent comes
    // later; this links what still waits and confirms that every parent is there.
    bool ok = host::linkWaitingClasses();
    for (const auto& [name, obj] : acrxClassDictionary->entries()) {
        auto* cls = static_cast<AcRxClass*>(obj);
        if (cls && cls->myParent() && !acrxClassDictionary->at(cls->myParent()->name())) ok = false;
    }
    return ok;
}

void deleteAcRxClass(AcRxClass* pClassObj) {
    if (!pClassObj) return;
    if (acrxClassDictionary->at(pClassObj->name()) == pClassObj) acrxClassDictionary->remove(pClassObj->name());
    host::forgetClass(pClassObj);
    delete pClassObj;
}

void acrx_abort(const wchar_t* format, ...) {
    va_list ap;
    va_start(ap, format);
    std::wstring msg = host::FormatV(format, ap);
    va_end(ap);
    throw host::RxAbort{msg};
}
