#pragma once
// A name -> object dictionary of the runtime system. The system registry holds the
// class dictionary, the service dictionary and the command stack under these names.
#include "host/rx/AcRxObject.h"

#include <map>
#include <string>
#include <vector>

#define ACRX_CLASS_DICTIONARY L"ClassDictionary"
#define ACRX_SERVICE_DICTIONARY L"ServiceDictionary"
#define ACRX_COMMAND_DOCK L"ACAD_REGISTERED_COMMANDS"

class AcRxDictionaryIterator;

class AcRxDictionary : public AcRxObject {
public:
    explicit AcRxDictionary(bool caseSensitive = true) : m_caseSensitive(caseSensitive) {}
    ~AcRxDictionary() override = default;

    static AcRxClass* desc();
    static AcRxDictionary* cast(const AcRxObject* p) {
        return (p && p->isKindOf(AcRxDictionary::desc()))
                   ? const_cast<AcRxDictionary*>(static_cast<const AcRxDictionary*>(p))
                   : nullptr;
    }
    AcRxClass* isA() const override;

    AcRxObject* at(const wchar_t* key) const;
    // Returns the object that was under the key before (the caller owns it), or null.
    AcRxObject* atPut(const wchar_t* key, AcRxObject* obj);
    // Removes and returns the entry (the caller owns it), or null.
    AcRxObject* remove(const wchar_t* key);
    bool has(const wchar_t* key) const { return at(key) != nullptr; }
    unsigned numEntries() const { return static_cast<unsigned>(m_entries.size()); }

    // Entries in the order they were added.
    std::vector<std::pair<std::wstring, AcRxObject*>> entries() const;

private:
    std::wstring normal(const wchar_t* key) const;
    bool m_caseSensitive;
    std::map<std::wstring, std::pair<size_t, std::pair<std::wstring, AcRxObject*>>> m_entries;
    size_t m_next = 0;
};

// The process-wide registry of the runtime system.
AcRxDictionary* acrxSysRegistry();
AcRxDictionary* acrxClassDictionaryPtr();
AcRxDictionary* acrxServiceDictionaryPtr();
#define acrxClassDictionary acrxClassDictionaryPtr()
#define acrxServiceDictionary acrxServiceDictionaryPtr()

// Checks that every registered class names a parent that is registered; links them.
bool acrxBuildClassHierarchy();
// Removes a class from the class dictionary and deletes it.
void deleteAcRxClass(AcRxClass* pClassObj);
// The host's fatal stop. The stand-in throws host::RxAbort so that tests can see it.
[[noreturn]] void acrx_abort(const wchar_t* format, ...);

namespace host {
struct RxAbort {
    std::wstring message;
};
} // namespace host
