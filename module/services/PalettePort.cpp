#include "module/services/PalettePort.h"

namespace {

class NoPalette final : public PalettePort {
public:
    bool Exists() const override { return false; }
    bool Start() override { return false; }
    bool Open() override { return false; }
    void Discard() override {}
    void Close() override {}
    void Hide() override {}
    void Show() override {}
    bool InitParameters(int, AcDbObject*, bool) override { return false; }
    void SelectMode(int) override {}
    void EnableActions(bool) override {}
    PaletteLayerChoice LayerChoice() const override { return {}; }
    void SelectObjects(const AcDbObjectIdArray&) override {}
    void SelectScale() override {}
    bool ScreenAidChoice(bool&, bool&) const override { return false; }
};

PalettePort*& installed() {
    static PalettePort* port = nullptr;
    return port;
}

} // namespace

PalettePort& Palette() {
    static NoPalette none;
    PalettePort* port = installed();
    return port ? *port : none;
}

void InstallPalettePort(PalettePort* port) {
    installed() = port;
}
