// A chain and a height mark take their settings through the palette port: from the palette
// when there is one, from the options when there is none; the chain code knows no palette.
#include "tests/module/chain/TRdimTestEnv.h"

#include "module/base/ModuleInfo.h"
#include "module/services/PalettePort.h"
#include "module/height/TRdimHeight.h"
#include "module/options/OptionIndices.h"

#include <vector>

using namespace chaintest;

namespace {

// A palette that exists once started and stamps every object it is asked about.
class FakePalette final : public PalettePort {
public:
    bool Exists() const override { return started; }
    bool Start() override { return started = canStart; }
    bool Open() override { return Start(); }
    void Discard() override { started = false; }
    void Close() override { started = false; }
    void Hide() override {}
    void Show() override {}
    bool InitParameters(int mode, AcDbObject* object, bool keepArcSettings) override {
        asked.push_back(mode);
        if (auto* chain = TRdim::cast(object)) chain->SetParamInt(IND_I_Decimals, 7);
        if (auto* mark = TRdimHeight::cast(object)) mark->SetParamInt(IND_I_Decimals, 6);
        return true;
    }
    void SelectMode(int) override {}
    void EnableActions(bool) override {}
    PaletteLayerChoice LayerChoice() const override { return {}; }
    void SelectObjects(const AcDbObjectIdArray&) override {}
    void SelectScale() override {}
    bool ScreenAidChoice(bool&, bool&) const override { return false; }

    bool canStart = true;
    bool started = false;
    std::vector<int> asked;
};

// Installs a port for one test and puts the module's back.
class PortScope {
public:
    explicit PortScope(PalettePort* port) : m_previous(&Palette()) { InstallPalettePort(port); }
    ~PortScope() { InstallPalettePort(m_previous); }
    PortScope(const PortScope&) = delete;
    PortScope& operator=(const PortScope&) = delete;

private:
    PalettePort* m_previous;
};

} // namespace

TEST_F(ChainTest, NewObjectsTakeThePalettesSettingsThroughThePortAndTheOptionsWithoutOne) {
    FakePalette palette;
    {
        PortScope scope(&palette);
        TRdim chain(AcGePoint3d(0, 0, 0), AcGePoint3d(5, 0, 0), kDimHorizontal, AcGePoint3d(0, 2, 0));
        EXPECT_TRUE(palette.started) << "a chain starts the palette it takes its settings from";
        EXPECT_EQ(chain.GetParamInt(IND_I_Decimals), 7u);
        TRdimHeight mark;
        mark.Initialize(false);
        EXPECT_EQ(mark.GetParamInt(IND_I_Decimals), 6u);
        ASSERT_EQ(palette.asked.size(), 2u);
        EXPECT_EQ(palette.asked[0], OPT_MODE_CHAIN);
        EXPECT_EQ(palette.asked[1], OPT_MODE_HEIGHT);
    }
    // A palette that cannot be made leaves the options' settings, stamped with the
    // options file and the module's version.
    FakePalette refusing;
    refusing.canStart = false;
    PortScope scope(&refusing);
    pGlobDimOptions->GetOptionSet(OPT_MODE_CHAIN).arrayOptInt[IND_I_Decimals] = 3;
    TRdim chain(AcGePoint3d(0, 0, 0), AcGePoint3d(5, 0, 0), kDimHorizontal, AcGePoint3d(0, 2, 0));
    EXPECT_TRUE(refusing.asked.empty());
    EXPECT_EQ(chain.GetParamInt(IND_I_Decimals), 3u);
    EXPECT_EQ(chain.GetParamInt(IND_I_AppVersion), static_cast<std::uint32_t>(GetProgramVersionNumber()));
    EXPECT_EQ(chain.GetParamString(IND_S_IniFile), pGlobDimOptions->GetCurOptionsFile());

    // No port at all answers as a module without a palette does.
    InstallPalettePort(nullptr);
    EXPECT_FALSE(Palette().Exists());
    EXPECT_FALSE(Palette().Start());
    EXPECT_FALSE(Palette().InitParameters(OPT_MODE_CHAIN, &chain, false));
    EXPECT_FALSE(Palette().LayerChoice().current);
    EXPECT_TRUE(Palette().LayerChoice().name.empty());
}
