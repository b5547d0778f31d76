#include "host/db/entities/AcDbProxyEntity.h"

#include "host/db/database/AcDbDatabase.h"
#include "host/db/filing/DwgBufferFiler.h"
#include "host/db/filing/ProxyGraphics.h"
#include "host/gi/AcGiWorldDraw.h"

ACRX_HOST_DEFINE_MEMBERS(AcDbProxyEntity, AcDbEntity, L"ACAD_PROXY_ENTITY", &host::makeObject<AcDbProxyEntity>)

void AcDbProxyEntity::setOriginalClass(const std::wstring& className, const std::wstring& dxfName,
                                       const std::wstring& appName, int proxyFlags) {
    m_className = className;
    m_dxfName = dxfName;
    m_appName = appName;
    m_flags = proxyFlags;
}

bool AcDbProxyEntity::setProxyGraphics(const std::vector<uint8_t>& bytes, std::wstring& error) {
    host::gi::GiRecording rec;
    if (!bytes.empty() && !host::readProxyGraphics(bytes, databaseToUse(), rec, error)) return false;
    m_graphics = bytes;
    m_recording = std::move(rec);
    m_recordingRead = true;
    return true;
}

const host::gi::GiRecording& AcDbProxyEntity::recording() const {
    // The graphics are read once the ids in them can be found in the database.
    if (!m_recordingRead) {
        std::wstring error;
        m_recording.clear();
        if (!m_graphics.empty()) host::readProxyGraphics(m_graphics, databaseToUse(), m_recording, error);
        m_recordingRead = true;
    }
    return m_recording;
}

// Each property may change only when the class allowed it.
#define LINTARO_PROXY_GUARD(FLAG, CALL) \
    if (!allows(FLAG)) return Acad::eNotApplicable; \
    return CALL;

Acad::ErrorStatus AcDbProxyEntity::setColor(const AcCmColor& color, bool d) {
    LINTARO_PROXY_GUARD(kColorChangeAllowed, AcDbEntity::setColor(color, d))
}
Acad::ErrorStatus AcDbProxyEntity::setColorIndex(Adesk::UInt16 color, bool d) {
    LINTARO_PROXY_GUARD(kColorChangeAllowed, AcDbEntity::setColorIndex(color, d))
}
Acad::ErrorStatus AcDbProxyEntity::setLayer(const wchar_t* v, bool d, bool h) {
    LINTARO_PROXY_GUARD(kLayerChangeAllowed, AcDbEntity::setLayer(v, d, h))
}
Acad::ErrorStatus AcDbProxyEntity::setLayer(AcDbObjectId v, bool d, bool h) {
    LINTARO_PROXY_GUARD(kLayerChangeAllowed, AcDbEntity::setLayer(v, d, h))
}
Acad::ErrorStatus AcDbProxyEntity::setLinetype(const wchar_t* v, bool d) {
    LINTARO_PROXY_GUARD(kLinetypeChangeAllowed, AcDbEntity::setLinetype(v, d))
}
Acad::ErrorStatus AcDbProxyEntity::setLinetype(AcDbObjectId v, bool d) {
    LINTARO_PROXY_GUARD(kLinetypeChangeAllowed, AcDbEntity::setLinetype(v, d))
}
Acad::ErrorStatus AcDbProxyEntity::setLinetypeScale(double v, bool d) {
    LINTARO_PROXY_GUARD(kLinetypeScaleChangeAllowed, AcDbEntity::setLinetypeScale(v, d))
}
Acad::ErrorStatus AcDbProxyEntity::setVisibility(AcDb::Visibility v, bool d) {
    LINTARO_PROXY_GUARD(kVisibilityChangeAllowed, AcDbEntity::setVisibility(v, d))
}
Acad::ErrorStatus AcDbProxyEntity::setLineWeight(AcDb::LineWeight v, bool d) {
    LINTARO_PROXY_GUARD(kLineWeightChangeAllowed, AcDbEntity::setLineWeight(v, d))
}
#undef LINTARO_PROXY_GUARD

Acad::ErrorStatus AcDbProxyEntity::subErase(Adesk::Boolean erasing) {
    return erasing && !allows(kEraseAllowed) ? Acad::eNotApplicable : Acad::eOk;
}

Acad::ErrorStatus AcDbProxyEntity::subTransformBy(const AcGeMatrix3d&) { return Acad::eNotApplicable; }

Acad::ErrorStatus AcDbProxyEntity::subExplode(AcDbVoidPtrArray&) const { return Acad::eNotApplicable; }

bool AcDbProxyEntity::subWorldDraw(AcGiWorldDraw* wd) {
    host::replayRecording(recording(), wd);
    return true;
}

Acad::ErrorStatus AcDbProxyEntity::dwgInFields(AcDbDwgFiler* filer) {
    Acad::ErrorStatus es = AcDbEntity::dwgInFields(filer);
    if (es != Acad::eOk) return es;
    auto* bytes = dynamic_cast<host::DwgBufferFiler*>(filer);
    if (!bytes) return Acad::eNotApplicable;
    std::vector<uint8_t> data(bytes->bytesRemaining());
    filer->readBytes(data.data(), data.size());
    if (filer->filerStatus() != Acad::eOk) return filer->filerStatus();
    m_data = std::move(data);
    return Acad::eOk;
}

Acad::ErrorStatus AcDbProxyEntity::dwgOutFields(AcDbDwgFiler* filer) const {
    Acad::ErrorStatus es = AcDbEntity::dwgOutFields(filer);
    if (es != Acad::eOk) return es;
    filer->writeBytes(m_data.data(), m_data.size());
    return filer->filerStatus();
}
