// Every key of the option tables can be set by a user who never opens lintaro.ini: through
// a field of the options dialog, a control of the palette or a row of the properties
// dialog. The walk goes over the key tables themselves, so a key added there without a
// field to set it fails here.
#include "module/options/OptionIndices.h"
#include "module/options/OptionKeys.h"
#include "module/resources/PaletteResources.h"
#include "module/ui/CDlgMain.h"
#include "module/ui/OptionDraft.h"
#include "module/ui/OptionFields.h"
#include "module/ui/PalettePositions.h"
#include "module/ui/PaletteValues.h"
#include "module/ui/PropertyRows.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

namespace {

struct Reach {
    std::set<std::wstring> keys;                // reached, by key
    std::map<std::wstring, std::wstring> where; // one place per key, for the messages
    void add(int type, int index, int mode, const std::wstring& place) {
        const std::wstring key = OptParamKey(type, index, mode);
        if (key.empty()) return;
        keys.insert(key);
        where.emplace(key, place);
    }
};

int typeOf(OptionFieldKind kind) {
    switch (kind) {
    case OptionFieldKind::Double:
        return OPT_TYPE_DOUBLE;
    case OptionFieldKind::String:
        return OPT_TYPE_STRING;
    case OptionFieldKind::Flag:
        return OPT_TYPE_FLAG;
    case OptionFieldKind::General:
        return OPT_TYPE_GENERAL;
    default:
        return OPT_TYPE_INT;
    }
}

void addOptionFields(Reach& reach, const std::vector<OptionField>& fields, const wchar_t* page) {
    for (const OptionField& f : fields)
        for (int dlgMode = 0; dlgMode < OPT_DLG_MODE_COUNT; ++dlgMode)
            if (f.modes & (1u << dlgMode))
                reach.add(typeOf(f.kind), f.index, OptionModeOfDialogMode(dlgMode),
                          std::wstring(L"options dialog, page ") + page);
}

// Which int slots a position entry writes: arrays of sentinels, one entry applied.
void addPositionCombo(Reach& reach, int id, int mode) {
    for (const std::wstring& choice : PalettePositionChoices(id, mode)) {
        TRdimParams p;
        p.arrayDouble.assign(OPT_DOUBLE_COUNT, 99.0);
        p.arrayString.assign(OPT_STRING_COUNT, L"?");
        p.arrayInt.assign(OPT_INT_COUNT, 99u);
        if (!ApplyPalettePosition(id, mode, choice, p)) continue;
        for (int i = 0; i < OPT_INT_COUNT; ++i)
            if (p.arrayInt[static_cast<size_t>(i)] != 99u) reach.add(OPT_TYPE_INT, i, mode, L"palette position box");
    }
}

Reach everythingReachable() {
    Reach reach;
    addOptionFields(reach, GeometryFields(), L"Geometrie");
    addOptionFields(reach, TextFields(), L"Text");
    // The pages that are not field tables: the paper-space scale ("Maßstab"), the formats
    // list ("Listen"), the order of the automatic text position ("Text", button "...").
    reach.add(OPT_TYPE_GENERAL, IND_OPT_S_ScalePaperSpace, OPT_MODE_CHAIN, L"options dialog, page Maßstab");
    reach.add(OPT_TYPE_GENERAL, IND_OPT_S_AltFormatList, OPT_MODE_CHAIN, L"options dialog, page Listen");
    reach.add(OPT_TYPE_GENERAL, IND_OPT_S_AutoPosLocationOrder, OPT_MODE_CHAIN, L"options dialog, Text ...");
    // "Konvert" keeps the associative switch under its own section's key.
    for (const std::wstring& key : ConvertKeys())
        if (key == L"Associative")
            reach.add(OPT_TYPE_FLAG, IND_OPT_B_AcadDimAssociative, OPT_MODE_CHAIN, L"options dialog, page Konvert");

    for (int mode : {OPT_MODE_CHAIN, OPT_MODE_HEIGHT, OPT_MODE_HEIGHT_PLAN, OPT_MODE_TEXT}) {
        for (int id : PaletteValueCombos())
            for (const ParamSlot& slot : PaletteComboSlots(id))
                reach.add(slot.type, slot.index, mode, L"palette " + PaletteComboLabel(id));
        addPositionCombo(reach, IDC_COMBO_TEXT_ALIGN, mode);
        addPositionCombo(reach, IDC_COMBO_TEXT_POSITION, mode);
        // The type button, the reduced-size box 1040 and, for height marks, the rows W1/W2.
        if (mode != OPT_MODE_TEXT) reach.add(OPT_TYPE_INT, IND_I_LastType, mode, L"palette type button");
        reach.add(OPT_TYPE_INT, IND_I_MCmFrom10, mode, L"palette box 1040");
        if (mode == OPT_MODE_HEIGHT || mode == OPT_MODE_HEIGHT_PLAN)
            reach.add(OPT_TYPE_INT, IND_I_Format, mode, L"palette W1/W2");
    }
    for (const PaletteCheckFlag& c : PaletteCheckFlags())
        reach.add(OPT_TYPE_FLAG, c.flag, OPT_MODE_CHAIN, L"palette check box");

    for (int kind : {kPropKindChains, kPropKindHeights})
        for (const PropertyRow& row : PropertyRowsOf(kind))
            reach.add(row.type, row.index, kind == kPropKindHeights ? OPT_MODE_HEIGHT : OPT_MODE_CHAIN,
                      L"properties dialog");
    return reach;
}

// Keys that hold no setting a user chooses: the file or version an object was made with,
// and the links of a height mark to the marks it takes its value from (set by the mark's
// own value dialog).
const std::set<std::wstring> kNoSetting = {L"IniFile",         L"AppVersion",  L"HK_Auto_Handle1",
                                           L"HK_Auto_Handle2", L"HAutoValue1", L"HAutoValue2"};
// Keys written along with another value: the scale's factor with the scale, the new
// extension place whenever an extension length is chosen.
const std::set<std::wstring> kDerived = {L"ScaleVal", L"ExtNewPosition"};

} // namespace

TEST(OptionReach, EveryKeyOfTheOptionTablesHasAFieldInSomeDialog) {
    const Reach reach = everythingReachable();
    std::set<std::wstring> all;
    const std::pair<int, int> arrays[] = {{OPT_TYPE_STRING, OPT_STRING_COUNT}, {OPT_TYPE_DOUBLE, OPT_DOUBLE_COUNT},
                                          {OPT_TYPE_INT, OPT_INT_COUNT},       {OPT_TYPE_GENERAL, OPT_GENERAL_COUNT},
                                          {OPT_TYPE_FLAG, OPT_FLAG_COUNT}};
    for (const auto& [type, count] : arrays)
        for (int index = 0; index < count; ++index)
            for (int mode : {OPT_MODE_CHAIN, OPT_MODE_HEIGHT, OPT_MODE_TEXT}) {
                const std::wstring key = OptParamKey(type, index, mode);
                if (key.empty()) continue;
                all.insert(key);
                if (kNoSetting.count(key) || kDerived.count(key)) continue;
                EXPECT_TRUE(reach.keys.count(key)) << "no dialog sets \"" << key << "\" (type " << type
                                                   << ", index " << index << ", mode " << mode << ")";
            }
    EXPECT_TRUE(reach.keys.count(L"ScaleVal")) << "the scale box writes the scale's factor too";
    // The walk saw the whole vocabulary, the arc settings and both key sets among it.
    for (const wchar_t* key : {L"ArcDimMinPoint", L"ArcDimMaxPoint", L"ArcDimAsCircle", L"ArcDimCW",
                               L"ArcDimInputArcIsCircle", L"LayerWithoutScale", L"Format", L"AltUnitsStatus",
                               L"HUserText", L"AltFormatList", L"HDimSize", L"TextAlignPlan"}) {
        EXPECT_TRUE(all.count(key)) << key;
        EXPECT_TRUE(reach.keys.count(key)) << key;
    }
    // What is exempt is exempt for a reason, not because a field was forgotten: none of it
    // is offered anywhere either.
    for (const std::wstring& key : kNoSetting) {
        EXPECT_TRUE(all.count(key)) << key << " is no key of the tables";
        EXPECT_FALSE(reach.keys.count(key)) << key << " has a field after all: take it off the list";
    }
}
