#include "module/chain/WriteAccess.h"

#include "host/db/database/AcDbObject.h"

namespace {
// A refusal of upgradeOpen after which the object may still be raised from notify
// (besides eWasOpenForNotify); where that cannot help either, nothing is written.
constexpr int kUpgradeRetryFromNotify = 85;
} // namespace

WriteAccess::WriteAccess(AcDbObject* object) : m_object(object) {
    if (!m_object) return;
    if (m_object->isWriteEnabled()) {
        m_way = kAlready;
        return;
    }
    if (m_object->isNotifyEnabled()) {
        m_status = m_object->upgradeFromNotify(m_wasWritable);
        if (m_status == Acad::eOk) m_way = kFromNotify;
        return;
    }
    m_status = m_object->upgradeOpen();
    if (m_status == Acad::eOk) {
        m_way = kUpgraded;
        return;
    }
    if (m_status == Acad::eWasOpenForNotify || static_cast<int>(m_status) == kUpgradeRetryFromNotify) {
        m_status = m_object->upgradeFromNotify(m_wasWritable);
        if (m_status == Acad::eOk) m_way = kFromNotify;
    }
}

WriteAccess::~WriteAccess() {
    if (m_way == kFromNotify)
        m_object->downgradeToNotify(m_wasWritable);
    else if (m_way == kUpgraded)
        m_object->downgradeOpen();
}
