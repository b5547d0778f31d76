#pragma once
// A world-draw context that keeps what it is given: every primitive with its points
// (mapped to the world by the model transforms in force), its selection marker and
// its traits. Tests read the recording, picking searches it, proxy graphics are
// filed from it and pictures are drawn from it.
#include "host/ge/AcGeMatrix3d.h"
#include "host/gi/AcGiContext.h"
#include "host/gi/AcGiSubEntityTraits.h"
#include "host/gi/AcGiWorldDraw.h"
#include "host/gi/AcGiWorldGeometry.h"
#include "host/gi/GiPrimitive.h"

#include <memory>
#include <vector>

namespace host::gi {

class RecordingWorldDraw : public AcGiWorldDraw {
public:
    explicit RecordingWorldDraw(AcGiRegenType regenType = kAcGiStandardDisplay);
    ~RecordingWorldDraw() override;

    // ---- set-up by the host -------------------------------------------------
    void setRegenType(AcGiRegenType type) { m_regenType = type; }
    void setDragging(bool dragging) { m_dragging = dragging; }
    void setPlotGeneration(bool plotting);
    void setDatabase(AcDbDatabase* db);
    void setDeviation(double deviation) { m_deviation = deviation; }
    // The abort request a drawable sees from regenAbort(); from then on nothing is
    // recorded and every primitive call answers true. With a limit, the request
    // comes by itself once that many primitives were recorded.
    void setRegenAbort(bool abort) { m_abort = abort; }
    void setPrimitiveLimit(size_t limit) { m_limit = limit; }
    // Blocks inside blocks: a real plan nests a few levels and expands to some ten
    // thousand entities, a hostile file to billions. Beyond these limits the nested
    // drawables are left out and the recording says so (the drawing itself keeps them).
    static constexpr int kMaxNestingDepth = 32;
    static constexpr size_t kMaxNestedDrawables = 500000;
    void setNestedDrawableLimit(size_t limit) { m_nestedLimit = limit; }
    bool nestedTooDeep() const { return m_tooDeep; }
    bool nestedTooMany() const { return m_tooMany; }
    // A text primitive keeps at most this many characters: a line of a plan has a few
    // dozen, and a text of millions would take minutes and gigabytes to draw.
    static constexpr size_t kMaxDrawnTextLength = 10000;
    size_t textsCut() const { return m_textsCut; }
    void noteTextCut() { ++m_textsCut; }
    // Forgets what was recorded after the first `size` primitives (a drawable that
    // cannot be shown after all).
    void truncate(size_t size) {
        if (size < m_recording.size()) m_recording.resize(size);
    }
    // The traits the next drawable starts with (the entity's own properties).
    void setStartTraits(const GiTraits& traits);

    // Draws a drawable with the start traits: setAttributes, then worldDraw. The
    // result is worldDraw's (false asks for viewportDraw, which this host lacks).
    bool drawDrawable(AcGiDrawable* drawable);

    const GiRecording& primitives() const { return m_recording; }
    GiRecording takePrimitives();
    void clear();
    // Extents a drawable handed in with setExtents(), if any.
    bool hasExtents() const { return m_hasExtents; }
    AcGePoint3d extentsMin() const { return m_extents[0]; }
    AcGePoint3d extentsMax() const { return m_extents[1]; }

    // ---- AcGiWorldDraw ------------------------------------------------------
    AcGiRegenType regenType() const override { return m_regenType; }
    bool regenAbort() const override;
    AcGiSubEntityTraits& subEntityTraits() const override;
    AcGiGeometry* rawGeometry() const override;
    bool isDragging() const override { return m_dragging; }
    AcGiContext* context() override;
    uint32_t numberOfIsolines() const override { return 4; }
    double deviation(AcGiDeviationType type, const AcGePoint3d& pt) const override { return m_deviation; }
    AcGiWorldGeometry& geometry() const override;

    // For the geometry object: keeps a primitive with the current traits; true
    // when drawing is to stop (then nothing was kept).
    bool record(GiPrimitive&& primitive);
    const AcGeMatrix3d& modelToWorld() const { return m_transforms.back(); }
    void pushTransform(const AcGeMatrix3d& m) { m_transforms.push_back(m_transforms.back() * m); }
    // False when only the drawable's own system is left.
    bool popTransform();
    void noteExtents(const AcGePoint3d& lo, const AcGePoint3d& hi);
    // A drawable inside a drawable (an entity of a block): its own attributes, the
    // traits restored after. Its ByBlock colour and line weight become those of the
    // drawable that drew it.
    void drawNested(AcGiDrawable* drawable);

    class Traits;
    class Context;

private:
    AcGiRegenType m_regenType;
    bool m_dragging = false;
    bool m_abort = false;
    size_t m_limit = 0;
    double m_deviation = 0.01;
    std::unique_ptr<AcGiWorldGeometry> m_geometry;
    std::unique_ptr<Traits> m_traits;
    std::unique_ptr<Context> m_context;
    GiRecording m_recording;
    std::vector<AcGeMatrix3d> m_transforms;
    std::vector<GiTraits> m_blockTraits; // the traits of each drawable that draws others
    int m_nesting = 0;
    size_t m_nestedDrawn = 0;
    size_t m_nestedLimit = kMaxNestedDrawables;
    bool m_tooDeep = false;
    bool m_tooMany = false;
    size_t m_textsCut = 0;
    bool m_hasExtents = false;
    AcGePoint3d m_extents[2];
};

} // namespace host::gi
