#include "host/gi/RecordingWorldDraw.h"

#include "host/gi/AcGiDrawable.h"
#include "host/gi/RecordingGeometry.h"

#include <algorithm>

namespace host::gi {

class RecordingWorldDraw::Traits : public AcGiDrawableTraits {
public:
    GiTraits current;

    void setColor(uint16_t color) override {
        if (current.trueColor.setColorIndex(int16_t(std::min<uint16_t>(color, 0x7FFF))) == Acad::eOk)
            current.colorIndex = color;
    }
    void setTrueColor(const AcGiColor& color) override {
        current.trueColor = color;
        if (color.isByACI() || color.isByLayer() || color.isByBlock())
            current.colorIndex = uint16_t(color.colorIndex());
    }
    void setLayer(AcDbStub* layerId) override { current.layer = layerId; }
    void setLineType(AcDbStub* linetypeId) override { current.lineType = linetypeId; }
    void setSelectionMarker(LONG_PTR markerId) override { current.marker = markerId; }
    void setFillType(AcGiFillType fillType) override {
        if (fillType == kAcGiFillAlways || fillType == kAcGiFillNever) current.fill = fillType;
    }
    void setLineWeight(int lineWeight) override { current.lineWeight = lineWeight; }
    void setLineTypeScale(double scale) override { current.lineTypeScale = scale; }
    void setThickness(double thickness) override { current.thickness = thickness; }

    uint16_t color() const override { return current.colorIndex; }
    AcGiColor trueColor() const override { return current.trueColor; }
    AcDbStub* layerId() const override { return current.layer; }
    AcDbStub* lineTypeId() const override { return current.lineType; }
    AcGiFillType fillType() const override { return current.fill; }
    int lineWeight() const override { return current.lineWeight; }
    double lineTypeScale() const override { return current.lineTypeScale; }
    double thickness() const override { return current.thickness; }
};

class RecordingWorldDraw::Context : public AcGiContext {
public:
    bool plotting = false;
    AcDbDatabase* db = nullptr;

    bool isPlotGeneration() const override { return plotting; }
    AcDbDatabase* database() const override { return db; }
};

RecordingWorldDraw::RecordingWorldDraw(AcGiRegenType regenType)
    : m_regenType(regenType), m_geometry(std::make_unique<RecordingGeometry>(*this)),
      m_traits(std::make_unique<Traits>()), m_context(std::make_unique<Context>()) {
    m_transforms.emplace_back();
}

RecordingWorldDraw::~RecordingWorldDraw() = default;

void RecordingWorldDraw::setPlotGeneration(bool plotting) {
    m_context->plotting = plotting;
}
void RecordingWorldDraw::setDatabase(AcDbDatabase* db) {
    m_context->db = db;
}
void RecordingWorldDraw::setStartTraits(const GiTraits& traits) {
    m_traits->current = traits;
}

bool RecordingWorldDraw::regenAbort() const {
    return m_abort;
}
AcGiSubEntityTraits& RecordingWorldDraw::subEntityTraits() const {
    return *m_traits;
}
AcGiGeometry* RecordingWorldDraw::rawGeometry() const {
    return m_geometry.get();
}
AcGiContext* RecordingWorldDraw::context() {
    return m_context.get();
}
AcGiWorldGeometry& RecordingWorldDraw::geometry() const {
    return *m_geometry;
}

bool RecordingWorldDraw::record(GiPrimitive&& primitive) {
    if (m_abort) return true;
    primitive.traits = m_traits->current;
    if (!m_blockTraits.empty()) {
        const GiTraits& block = m_blockTraits.back();
        if (primitive.traits.trueColor.isByBlock()) {
            primitive.traits.trueColor = block.trueColor;
            primitive.traits.colorIndex = block.colorIndex;
        }
        if (primitive.traits.lineWeight == -2) primitive.traits.lineWeight = block.lineWeight;
    }
    m_recording.push_back(std::move(primitive));
    if (m_limit != 0 && m_recording.size() >= m_limit) m_abort = true;
    return m_abort;
}

bool RecordingWorldDraw::popTransform() {
    if (m_transforms.size() <= 1) return false;
    m_transforms.pop_back();
    return true;
}

void RecordingWorldDraw::noteExtents(const AcGePoint3d& lo, const AcGePoint3d& hi) {
    m_hasExtents = true;
    m_extents[0].set(std::min(lo.x, hi.x), std::min(lo.y, hi.y), std::min(lo.z, hi.z));
    m_extents[1].set(std::max(lo.x, hi.x), std::max(lo.y, hi.y), std::max(lo.z, hi.z));
}

bool RecordingWorldDraw::drawDrawable(AcGiDrawable* drawable) {
    if (!drawable) return true;
    GiTraits start = m_traits->current;
    size_t depth = m_transforms.size();
    drawable->setAttributes(m_traits.get());
    bool done = drawable->worldDraw(this);
    // A drawable that forgot to pop its transforms or changed the traits must not
    // leak them into the next one.
    m_transforms.resize(depth);
    m_traits->current = start;
    return done;
}

void RecordingWorldDraw::drawNested(AcGiDrawable* drawable) {
    if (m_nesting >= kMaxNestingDepth) {
        m_tooDeep = true; // also a drawable that draws itself forever
        return;
    }
    if (m_nestedDrawn >= m_nestedLimit) {
        m_tooMany = true;
        return;
    }
    ++m_nestedDrawn;
    ++m_nesting;
    // What ByBlock means inside: the drawing drawable's own traits, themselves
    // resolved when it sits in a block too.
    GiTraits block = m_traits->current;
    if (!m_blockTraits.empty()) {
        if (block.trueColor.isByBlock()) {
            block.trueColor = m_blockTraits.back().trueColor;
            block.colorIndex = m_blockTraits.back().colorIndex;
        }
        if (block.lineWeight == -2) block.lineWeight = m_blockTraits.back().lineWeight;
    }
    m_blockTraits.push_back(block);
    drawDrawable(drawable);
    m_blockTraits.pop_back();
    --m_nesting;
}

GiRecording RecordingWorldDraw::takePrimitives() {
    GiRecording out = std::move(m_recording);
    m_recording.clear();
    return out;
}

void RecordingWorldDraw::clear() {
    m_recording.clear();
    m_hasExtents = false;
}

} // namespace host::gi
