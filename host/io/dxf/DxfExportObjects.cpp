// The OBJECTS section: the root dictionary with the groups, the layouts of model
// and paper space and the plot style names that layers point to.
#include "host/io/dxf/DxfExporter.h"

namespace host::dxf {

namespace {

void dictionaryHead(DxfOutput& o, uint64_t handle, uint64_t owner) {
    o.raw(0, "DICTIONARY");
    o.handle(5, handle);
    o.handle(330, owner);
    o.raw(100, "AcDbDictionary");
    o.integer(281, 1);
}

void entry(DxfOutput& o, const char* name, uint64_t handle) {
    o.raw(3, name);
    o.handle(350, handle);
}

// A layout of an A3 sheet in millimetres; only its block record tells which space it is.
void layout(DxfOutput& o, uint64_t handle, uint64_t owner, const char* name, int tab, uint64_t blockRecord) {
    o.raw(0, "LAYOUT");
    o.handle(5, handle);
    o.handle(330, owner);
    o.raw(100, "AcDbPlotSettings");
    o.raw(1, "");
    o.raw(2, "none_device");
    o.raw(4, "ISO_A3_(420.00_x_297.00_MM)");
    o.raw(6, "");
    for (int code : {40, 41, 42, 43}) o.real(code, 7.5);
    o.real(44, 420.0);
    o.real(45, 297.0);
    for (int code : {46, 47, 48, 49, 140, 141}) o.real(code, 0.0);
    o.real(142, 1.0);
    o.real(143, 1.0);
    o.integer(70, 688);
    o.integer(72, 1);
    o.integer(73, 0);
    o.integer(74, 5);
    o.raw(7, "");
    o.integer(75, 16);
    o.real(147, 1.0);
    o.real(148, 0.0);
    o.real(149, 0.0);
    o.raw(100, "AcDbLayout");
    o.raw(1, name);
    o.integer(70, 1);
    o.integer(71, tab);
    o.point2d(10, 0.0, 0.0);
    o.point2d(11, 420.0, 297.0);
    o.point(12, AcGePoint3d::kOrigin);
    o.point(14, AcGePoint3d(1e20, 1e20, 1e20));
    o.point(15, AcGePoint3d(-1e20, -1e20, -1e20));
    o.real(146, 0.0);
    o.point(13, AcGePoint3d::kOrigin);
    o.point(16, AcGePoint3d(1, 0, 0));
    o.point(17, AcGePoint3d(0, 1, 0));
    o.integer(76, 0);
    o.handle(330, blockRecord);
}

} // namespace

std::string DxfExporter::objects() {
    DxfOutput o;
    o.raw(0, "SECTION");
    o.raw(2, "OBJECTS");
    dictionaryHead(o, m_rootDict, 0);
    entry(o, "ACAD_GROUP", m_groupDict);
    entry(o, "ACAD_LAYOUT", m_layoutDict);
    entry(o, "ACAD_PLOTSTYLENAME", m_plotStyleDict);
    entry(o, "ACAD_WIPEOUT_VARS", m_wipeoutVars);
    dictionaryHead(o, m_groupDict, m_rootDict);
    dictionaryHead(o, m_layoutDict, m_rootDict);
    entry(o, "Model", m_modelLayout);
    entry(o, "Layout1", m_paperLayout);
    o.raw(0, "ACDBDICTIONARYWDFLT");
    o.handle(5, m_plotStyleDict);
    o.handle(330, m_rootDict);
    o.raw(100, "AcDbDictionary");
    o.integer(281, 1);
    entry(o, "Normal", m_placeholder);
    o.raw(100, "AcDbDictionaryWithDefault");
    o.handle(340, m_placeholder);
    o.raw(0, "ACDBPLACEHOLDER");
    o.handle(5, m_placeholder);
    o.handle(330, m_plotStyleDict);
    // The masks' outlines are not shown (as on paper).
    o.raw(0, "WIPEOUTVARIABLES");
    o.handle(5, m_wipeoutVars);
    o.handle(330, m_rootDict);
    o.raw(100, "AcDbWipeoutVariables");
    o.integer(70, 0);
    layout(o, m_modelLayout, m_layoutDict, "Model", 0, m_blocks[0].record);
    layout(o, m_paperLayout, m_layoutDict, "Layout1", 1, m_blocks.size() > 1 ? m_blocks[1].record : 0);
    o.raw(0, "ENDSEC");
    return o.take();
}

} // namespace host::dxf
