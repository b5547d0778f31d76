#include "host/db/filing/ProxyGraphics.h"

#include "host/db/database/AcDbDatabase.h"
#include "host/db/entities/AcDbEntity.h"
#include "host/gi/AcGiSubEntityTraits.h"
#include "host/gi/AcGiWorldDraw.h"
#include "host/gi/AcGiWorldGeometry.h"
#include "host/gi/GiRecordingBytes.h"
#include "host/gi/RecordingWorldDraw.h"

namespace host {

std::vector<uint8_t> proxyGraphicsOf(const AcDbEntity* ent) {
    if (!ent) return {};
    gi::RecordingWorldDraw wd(kAcGiSaveWorldDrawForProxy);
    wd.setDatabase(ent->database());
    wd.drawDrawable(const_cast<AcDbEntity*>(ent));
    return gi::recordingToBytes(wd.primitives(), [](AcDbStub* stub) {
        return stub ? AcDbObjectId(stub).handle().value() : uint64_t(0);
    });
}

bool readProxyGraphics(const std::vector<uint8_t>& bytes, AcDbDatabase* db, gi::GiRecording& out,
                       std::wstring& error) {
    return gi::recordingFromBytes(bytes, out, error, [db](uint64_t handle) -> AcDbStub* {
        AcDbObjectId id;
        if (!db || handle == 0 || db->getAcDbObjectId(id, false, AcDbHandle(handle)) != Acad::eOk) return nullptr;
        return id;
    });
}

namespace {
void applyTraits(const gi::GiTraits& t, AcGiSubEntityTraits& traits) {
    traits.setSelectionMarker(t.marker);
    if (t.trueColor.isByColor())
        traits.setTrueColor(t.trueColor);
    else
        traits.setColor(t.colorIndex);
    if (t.layer) traits.setLayer(t.layer);
    if (t.lineType) traits.setLineType(t.lineType);
    traits.setLineWeight(t.lineWeight);
    traits.setFillType(t.fill);
    traits.setLineTypeScale(t.lineTypeScale);
    traits.setThickness(t.thickness);
}
} // namespace

bool replayRecording(const gi::GiRecording& recording, AcGiWorldDraw* wd) {
    AcGiWorldGeometry& g = wd->geometry();
    for (const gi::GiPrimitive& p : recording) {
        applyTraits(p.traits, wd->subEntityTraits());
        bool stop = false;
        switch (p.kind) {
        case gi::GiPrimitive::Polyline:
            stop = g.polyline(uint32_t(p.points.size()), p.points.data(), nullptr, p.baseMarker);
            break;
        case gi::GiPrimitive::Polygon:
            stop = g.polygon(uint32_t(p.points.size()), p.points.data());
            break;
        case gi::GiPrimitive::Circle:
            stop = g.circle(p.center, p.radius, p.normal);
            break;
        case gi::GiPrimitive::Arc:
            stop = g.circularArc(p.center, p.radius, p.normal, p.startVector, p.sweep, p.arcType);
            break;
        case gi::GiPrimitive::Text:
            stop = g.text(p.position, p.normal, p.direction, p.text.c_str(), -1, p.raw, p.style());
            break;
        case gi::GiPrimitive::Xline:
            if (p.points.size() == 2) stop = g.xline(p.points[0], p.points[1]);
            break;
        case gi::GiPrimitive::Ray:
            if (p.points.size() == 2) stop = g.ray(p.points[0], p.points[1]);
            break;
        }
        if (stop) return true;
    }
    return false;
}

} // namespace host
