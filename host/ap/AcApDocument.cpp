#include "host/ap/AcApDocument.h"

#include "host/db/database/AcDbDatabase.h"
#include "host/ed/commands/CommandLine.h"

ACRX_HOST_DEFINE_MEMBERS(AcApDocument, AcRxObject, L"", nullptr)

AcApDocument::AcApDocument(std::unique_ptr<AcDbDatabase> db, std::wstring fileName, bool named)
    : m_db(std::move(db)) {
    setFileName(std::move(fileName), named);
}

AcApDocument::~AcApDocument() = default;

void AcApDocument::setFileName(std::wstring fileName, bool named) {
    m_fileName = std::move(fileName);
    m_named = named;
    const size_t slash = m_fileName.find_last_of(L"/\\");
    m_title = slash == std::wstring::npos ? m_fileName : m_fileName.substr(slash + 1);
}

AcAp::DocLockMode AcApDocument::lockMode(bool) const {
    return myLockMode();
}

AcAp::DocLockMode AcApDocument::myLockMode() const {
    return m_locks.empty() ? AcAp::kNotLocked : m_locks.back().mode;
}

bool AcApDocument::isQuiescent() const {
    return host::commandLine().depth() == 0;
}
