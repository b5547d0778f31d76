#include "module/resources/LintaroStrings.h"

#include "host/mfc/AfxModuleState.h"
#include "module/resources/ContextMenuResources.h"
#include "module/resources/HeightResources.h"
#include "module/resources/OptionResources.h"
#include "module/resources/PaletteResources.h"
#include "module/resources/PromptStrings.h"
#include "module/resources/PropertiesResources.h"
#include "module/resources/ReplaceResources.h"
#include "module/resources/resource.h"

#include <algorithm>
#include <iterator>
#include <vector>

namespace {

// Sorted by id; the texts are the program's own and must stay exactly as they are.
const host::StringResource kStrings[] = {
    {IDS_HK_AUTOVALUE_AFTER_SAVE, L"automatisches \u00DCbernehmen von Schnitt-HK-Werten\nwird nach dem "
                                  L"Speichern der Zeichnung m\u00F6glich!"},
    {IDS_UNIT_FEET_DECIMAL_INCHES, L"0'-0.000\""},
    {IDS_UNIT_FEET, L"ft"},
    {IDS_UNIT_FEET_FRACTIONAL_INCHES, L"0'-0 1/256\""},
    {IDS_UNIT_FEET_AND_INCHES_MARK, L"0'-"},
    {IDS_HK_TYPE_PLAN_2, L"Grundriss-HK - Typ 2"},
    {IDS_HK_TYPE_PLAN_1, L"Grundriss-HK - Typ 1"},
    {IDS_HK_TYPE_FINISHED_TIP_DOWN, L"Fertigma\u00DF - Spitze unten"},
    {IDS_HK_TYPE_SHELL_TIP_DOWN, L"Rohbauma\u00DF - Spitze unten"},
    {IDS_HK_TYPE_FINISHED_TIP_UP, L"Fertigma\u00DF - Spitze oben"},
    {IDS_HK_TYPE_SHELL_TIP_UP, L"Rohbauma\u00DF - Spitze oben"},
    {IDS_ANNO_SCALE, L"BMa\u00DF"},
    {IDS_SWITCH_ON, L"Ein"},
    {IDS_SWITCH_DASH, L"-"},
    {IDS_SWITCH_OFF, L"Aus"},
    {IDS_POSITION_ABOVE, L"\u00DCber"},
    {IDS_POSITION_BELOW, L"Unter"},
    {IDS_YES, L"Ja"},
    {IDS_NO, L"Nein"},
    {IDS_TICK_NONE, L"Kein"},
    {IDS_TICK_OBLIQUE, L"Schr\u00E4g"},
    {IDS_TICK_DOT, L"Punkt"},
    {IDS_TICK_CIRCLE, L"Kreis"},
    {IDS_TICK_ARROW, L"Pfeil"},
    {IDS_TICK_CROSS, L"Kreuz"},
    {IDS_UNIT_INCH, L"Zoll"},
    {IDS_UNIT_FOOT, L"Fu\u00DF"},
    {IDS_UNIT_ONE_INCH, L"1 Zoll"},
    {IDS_UNIT_ONE_FOOT, L"1 Fu\u00DF"},
    {IDS_LIST_CHAIN_TYPE, L"    Typ: %d "},
    {IDS_LIST_EXTENSIONS, L"\n    Anzahl von Hilfslinien: %d "},
    {IDS_LIST_ROTATION, L"\n    Rotation: %.1f (%.1f)"},
    {IDS_MARKED_OBJECTS, L"\n Anzahl von ausgew\u00E4hlten Objekten: %d"},
    {IDS_OPT_TITLE, L"Globale Einstellungen: %s"},
    {IDS_OPT_READ_ONLY, L"Datei %s ist schreibgesch\u00FCtzt..."},
    {IDS_OPT_COPY_FAILED, L"Unbekanntes PROBLEM beim Kopieren der Datei:\n%s\n->\n%s"},
    {IDS_OPT_BAD_VALUE, L"Ung\u00FCltiger Wert f\u00FCr \"%s\": \"%s\"\nEs wurde nichts ge\u00E4ndert."},
    {IDS_OPT_NOT_EDITABLE, L"Die Einstellungen sind gesperrt (NoEditableParams=1)."},
    {IDS_OPT_BAD_ROW, L"Ung\u00FCltiger Eintrag: \"%s\"\nEs wurde nichts ge\u00E4ndert."},
    {IDS_HELP_ADIM, L"Ausgerichtete Ma\u00DFkette erstellen"},
    {IDS_HELP_HDIM, L"Horizontale Ma\u00DFkette erstellen"},
    {IDS_HELP_VDIM, L"Vertikale Ma\u00DFkette erstellen"},
    {IDS_HELP_LINTARO, L"Palette \u00F6ffnen"},
    {IDS_HELP_DOPTION, L"Optionen einstellen"},
    {IDS_HELP_SELECT_OBJECTS, L"Objekte der Palettenart w\u00E4hlen"},
    {IDS_HELP_DIMANGULAR, L"Winkelbema\u00DFung als eigenes Objekt erstellen"},
    {IDS_HELP_DIMRADIUS, L"Radiusbema\u00DFung als eigenes Objekt erstellen"},
    {IDS_HELP_DIMDIAMETER, L"Durchmesserbema\u00DFung als eigenes Objekt erstellen"},
    {IDS_HELP_HDIM_PLAN, L"H\u00F6henkoten im Grundriss setzen"},
    {IDS_HELP_HDIM_FRONT, L"H\u00F6henkoten im Schnitt setzen"},
    {IDS_HELP_DIMARC, L"Bogenma\u00DFkette erstellen"},
    {IDS_HELP_DIMREPLACE, L"Texte in Zeichnungen suchen und ersetzen"},
    {IDS_HELP_TEXT, L"Text als eigenes Objekt schreiben"},
    {IDS_HELP_MTEXT, L"Absatztext als eigenes Objekt schreiben"},
    {IDS_HELP_SET_TEXTS, L"Texte zu eigenen Texten machen"},
    {IDS_HELP_SET_DIMS, L"Bema\u00DFungen zu eigenen Bema\u00DFungen machen"},
    {IDS_HELP_UNSET_TEXTS, L"Markierung von Texten entfernen"},
    {IDS_HELP_DRSTART, L"Reaktoren einschalten"},
    {IDS_HELP_DRSTOP, L"Reaktoren ausschalten"},
    {IDS_HELP_DIMPROP, L"Eigenschaften von Ma\u00DFketten und H\u00F6henkoten"},
    {IDS_HELP_DIMPROP_L, L"Eigenschaften von Ma\u00DFketten"},
    {IDS_HELP_DIMPROP_H, L"Eigenschaften von H\u00F6henkoten"},
    {IDS_HELP_ACAD2LINTARO, L"Bema\u00DFungen in Ma\u00DFketten umwandeln"},
    {IDS_HELP_LINTARO2ACAD, L"Ma\u00DFketten und H\u00F6henkoten in Bema\u00DFungen und Texte umwandeln"},
    {IDS_HELP_PROXY, L"Proxy-Objekte der Auswahl auflisten"},
    {IDS_PROP_SCALE, L"Ma\u00DFstab"},
    {IDS_PROP_TICK, L"Ma\u00DFsymbol"},
    {IDS_PROP_LABEL, L"Beschriftung"},
    {IDS_PROP_SUM, L"Summe der Ma\u00DFe"},
    {IDS_PROP_WIPEOUT, L"Ma\u00DFtext-Hintergrund"},
    {IDS_PROP_LAYER_NO_SCALE, L"Layer ohne Ma\u00DFstab"},
    {IDS_PROP_TEXT_HEIGHT, L"Texth\u00F6he"},
    {IDS_PROP_TEXT_STYLE, L"Textstil"},
    {IDS_PROP_TEXT_OFFSET, L"Textabstand (%)"},
    {IDS_PROP_EXP_HEIGHT, L"Exponent-Texth\u00F6he (%)"},
    {IDS_PROP_TEXT_ALIGN, L"Ma\u00DFzahlposition"},
    {IDS_PROP_TEXT_POSITION, L"Pos.der zweiten Ma\u00DFzahl"},
    {IDS_PROP_REDUCED, L"Reduzierte Gr\u00F6\u00DFe"},
    {IDS_PROP_EXT_LINES, L"Hilfslinien"},
    {IDS_PROP_EXT_DIRECTION, L"Hilfslinienrichtung"},
    {IDS_PROP_LINES_DISTANCE, L"Ma\u00DFlinien-Versatz"},
    {IDS_PROP_TICK_SIZE, L"Symbolgr\u00F6\u00DFe"},
    {IDS_PROP_EXTEND_EXT, L"\u00DCberstand der Hilfslinien"},
    {IDS_PROP_EXTEND_DIMLINE, L"\u00DCberstand der Ma\u00DFlinie"},
    {IDS_PROP_ORIGIN_OFFSET, L"Abstand vom Ma\u00DFpunkt"},
    {IDS_PROP_ARC_MIN_POINT, L"Bogen: Ma\u00DF ab erstem Punkt"},
    {IDS_PROP_ARC_MAX_POINT, L"Bogen: Ma\u00DF bis letztem Punkt"},
    {IDS_PROP_ARC_AS_CIRCLE, L"Bogen als Vollkreis"},
    {IDS_PROP_ARC_CW, L"Bogen im Uhrzeigersinn"},
    {IDS_PROP_ARC_INPUT_CIRCLE, L"Bogen: Kreis gew\u00E4hlt"},
    {IDS_PROP_UNITS, L"Einheit je ZE ="},
    {IDS_PROP_MEASURE, L"Darstellung in"},
    {IDS_PROP_DECIMALS, L"Nachkommast."},
    {IDS_PROP_ROUNDING, L"Runden auf"},
    {IDS_PROP_TRIM_ZERO, L"Nullen unterdr\u00FCcken"},
    {IDS_PROP_TOLERANCE, L"Ma\u00DFtoleranz"},
    {IDS_PROP_ALT_UNITS, L"Alternativeinheiten"},
    {IDS_PROP_FORMAT, L"Format"},
    {IDS_PROP_TYPE, L"Typ"},
    {IDS_PROP_H_FIXED, L"Bezugsebene fixiert"},
    {IDS_PROP_H_USER_TEXT, L"Eingegebener Wert bleibt"},
    {IDS_PROP_H_UNDERLINE, L"Text unterstreichen"},
    {IDS_PROP_H_PLAN_UNDERLINE, L"Grundriss-Text unterstreichen"},
    {IDS_PROP_H_EXT_LINE, L"Hilfslinie"},
    {IDS_PROP_H_SIZE, L"HK-Symbolgr\u00F6\u00DFe"},
    {IDS_PROP_H_DIAMETER, L"Symboldurchmesser"},
    {IDS_PROP_H_REDUCED_SIZE, L"Reduzierte Gr\u00F6\u00DFe (%)"},
    {IDS_PROP_GROUP_GENERAL, L"Allgemein"},
    {IDS_PROP_GROUP_EDITABLE, L"Editierbare Parameter"},
    {IDS_PROP_GROUP_TEXT, L"Text"},
    {IDS_PROP_GROUP_LINES, L"Linien und Symbole"},
    {IDS_PROP_GROUP_UNITS, L"Einheiten"},
    {IDS_PROP_KIND_NONE, L"Keine Auswahl"},
    {IDS_PROP_KIND_CHAINS, L"Lin.Bem."},
    {IDS_PROP_KIND_HEIGHTS, L"HK"},
    {IDS_PROP_SELECT, L"\nObjekte w\u00E4hlen:"},
    {IDS_PROP_REFUSED, L"\nEigenschaften: \"%s\" ist kein Wert f\u00FCr \"%s\" (%s); die Zeile beh\u00E4lt \"%s\"."},
    {IDS_PROP_WANT_NUMBER, L"eine Zahl"},
    {IDS_PROP_WANT_POSITIVE, L"eine Zahl \u00FCber 0"},
    {IDS_PROP_WANT_WHOLE, L"eine ganze Zahl"},
    {IDS_PROP_WANT_ONE_OF, L"eins von %s"},
    {IDS_PROP_WANT_TEXT, L"einen anderen Text"},
    {IDS_PROP_WANT_LENGTH, L" oder eine L\u00E4nge"},
    {IDS_PROP_BAD_SPLIT, L"\nEigenschaften: Spaltenbreite \"%s\" ung\u00FCltig (40 bis 220); sie bleibt, wie sie war."},
    {IDS_PROP_KIND_HOST_DIMS, L"AutoCAD Ma\u00DFketten"},
    {IDS_PROP_KIND_HOST_TEXTS, L"Texten"},
    {IDS_OPT_LABEL_TICK_SIZE, L"Symbolgr\u00F6\u00DFe (Ma\u00DFbegrenzung)"},
    {IDS_OPT_LABEL_HEIGHT_SIZE, L"Symbolgr\u00F6\u00DFe (HK)"},
    {IDS_OPT_LABEL_DIMLINE_DIST, L"Abstand der Ma\u00DFlinie beim Zeichnen"},
    {IDS_OPT_LABEL_REDUCED_PERCENT, L"Reduzierte Gr\u00F6\u00DFe [%]"},
    {IDS_OPT_LABEL_EXTEND_TICK, L"Bem.-Lin. \u00FCber Hilfslinien hinaus verl\u00E4ngern"},
    {IDS_OPT_LABEL_HEIGHT_DIAMETER, L"HK-Durchmesser"},
    {IDS_OPT_LABEL_REDUCED, L"Reduzierte Gr\u00F6\u00DFe"},
    {IDS_OPT_PAPER_SCALE_NAME, L"Ma\u00DFstab f\u00FCr den Papierbereich"},
    {IDS_OPT_NO_OPTIONS, L"\nXOTA_Doption: keine Optionen geladen."},
    {IDS_OPT_MODE_LINEAR, L"Lineare Bema\u00DFungen"},
    {IDS_OPT_MODE_HEIGHT, L"H\u00F6henkoten"},
    {IDS_OPT_MODE_TEXT, L"Text"},
    {IDS_PALETTE_NO_MARK_ROWS, L"\nH\u00F6henkote ohne W1 und W2 zeigt nichts: ihre Zeilen bleiben, wie sie sind."},
    {IDS_DIMVALUE_CHANGE_TITLE, L"Ma\u00DFzahl \u00E4ndern"},
    {IDS_DIMVALUE_CHANGE_PROMPT, L"\n\nMa\u00DFzahl = "},
    {IDS_SELECT_TEXTS_TO_UPDATE, L"Ma\u00DFketten zum Aktualisieren w\u00E4hlen..."},
    {IDS_FILE_NOT_FOUND, L"\nDatei '%s' nicht gefunden..."},
    {IDS_INI_FILE_FILTER, L"Ini Datei |*.INI|"},
    {IDS_MAP_NEW_ROW, L"<neu>"},
    {IDS_FILE_CANNOT_BE_REMOVED, L"Datei %s\nkann nicht entfernt werden."},
    {IDS_ASK_REMOVE_FILE_FROM_LIST, L"Wollen Sie die Datei %s\naus der Liste wirklich entfernen?"},
    {IDS_INVALID_INI_FILE, L"Ung\u00FCltige Lintaro-INI-Datei!"},
    {IDS_PROMPT_SECTION_HK_POINT, L"\nSchnitt-HK Ma\u00DFpunkt:"},
    {IDS_PROMPT_SECTION_HK_BASE, L"\nBezugsebene der Schnitt-HK-Gruppe:"},
    {IDS_PROMPT_PLAN_HK_POINT, L"\nGrundri\u00DF-HK Ma\u00DFpunkt:"},
    {IDS_PROMPT_HK_SYMBOL_POSITION, L"\nPosition des HK-Symbols:."},
    {IDS_HKBASE_HEADING_NEW_BASE,
     L"Basiswerte der Bezugsebene der HK-Gruppe und vorgabe Vor- und Nachtexte eingeben"},
    {IDS_HKBASE_HEADING_TEXTS, L"Vor- und Nachtexte eingeben"},
    {IDS_HKBASE_HEADING_VALUES_TEXTS, L"Werte und vorgabe Vor- und Nachtexte eingeben"},
    {IDS_SCALE_UNKNOWN, L"<Unbekannt>"},
    {IDS_HKBASE_HEADING_EDIT_BASE, L"Basiswerte der Bezugsebene der HK-Gruppe \u00E4ndern."},
    {IDS_VALID_LINTARO_OBJECTS, L"\nG\u00FCltige Lintaro-Objekte: %d"},
    {IDS_EXTLINE_MAXIMUM, L"<maximal>"},
    {IDS_EXTLINE_NONE, L"<keine>"},
    {IDS_KEEP_VALUE, L"<beibehalten>"},
    {IDS_SELECT_CHAINS_TO_UPDATE, L"Lintaro Ma\u00DFketten zum Aktualisieren w\u00E4hlen..."},
    {IDS_SELECT_ACAD_DIMENSIONS, L"AutoCAD Ma\u00DFketten -> Lintaro Ma\u00DFketten  w\u00E4hlen..."},
    {IDS_ASK_CONVERT_WHOLE_DRAWING, L"Wollen Sie die ganze Zeichnung konvertieren?"},
    {IDS_OBJECT_ON_LOCKED_LAYER, L"Objekt auf gesperrtem Layer, Bearbeitung nicht m\u00F6glich!"},
    {IDS_HK_GROUP_MEMBERS_ERASED,
     L"Da Sie die Bezugsebene einer HK.Gruppe gel\u00F6scht haben, werden auch  %d von "
     L"restlichen zugeh\u00F6rigen H\u00F6henkoten gel\u00F6scht."},
    {IDS_COMMAND_ACTIVE, L"Befehl %s is aktiv!\nBitte beenden Sie zuerst diesen Befehl."},
    {IDS_HK_GROUP_EMPTY,
     L"In der Gruppe befinden sich keine Symbole mehr.\nDer Basispunkt wird gel\u00F6scht."},
    {IDS_LAYER_0_FORBIDDEN, L"Layer \"0\" ist verboten."},
    {IDS_LAYER_BY_SCALE, L"<nach dem Ma\u00DFstab>"},
    {IDS_HK_CHECKER_RESULT, L"Gesamtanzahl von HK-Objekten = %d \nGe\u00E4ndert = %d   \n Anzahl von "
                            L"gel\u00F6schten HK-Bezugsebenen = %d "},
    {IDS_HK_BROKEN_LINK, L"\nHK %s, Zeile %d: Verkn\u00FCpfung '%s' nicht gefunden"},
    {IDS_HK_BROKEN_LINK_COUNT, L"\nUnterbrochene HK-Verkn\u00FCpfungen: %d"},
    {IDS_RPL_REPLACED_COUNT, L"\"%d Eintragungen wurden ersetzt."},
    {IDS_RPL_SELECT_CHAINS, L"\nMa\u00DFketten w\u00E4hlen..."},
    {IDS_RPL_NO_FILE, L"Keine Datei gefunden..."},
    {IDS_RPL_ASK_CONTINUE, L"Gefundene Zeichnungen: %d\nWollen Sie fortsetzen?"},
    {IDS_RPL_NOTHING_FOUND, L"Keine Vorkommen gefunden"},
    {IDS_RPL_SUMMARY, L"Ge\u00E4nderte Texte = %d  \nGe\u00E4nderte Bema\u00DFungen = %d \nGe\u00E4nderte "
                      L"Zeichnungen = %d \nGescannte Zeichnungen = %d"},
    {IDS_RPL_DRAWING, L"\n %d. %s "},
    {IDS_RPL_FOUND, L"%d Vorkommen gefunden"},
    {IDS_RPL_LOAD_ERROR, L"\n ERROR %d on loading %s "},
    {IDS_RPL_ANY_LOAD_ERROR, L"ANY ERROR ON external dwgs loading"},
    {IDS_RPL_ASK_CANCEL, L"Wollen Sie die Operation wirklich abbrechen?"},
    {IDS_RPL_CANCELLED, L" - CANCELLED "},
    {IDS_RPL_LABEL_FILES, L"File(s)"},
    {IDS_RPL_LABEL_FOLDER, L"Folder"},
};

// The table above and the prompts' table, as one list sorted by id.
const std::vector<host::StringResource>& AllStrings() {
    static const std::vector<host::StringResource> all = [] {
        std::vector<host::StringResource> out(std::begin(kStrings), std::end(kStrings));
        std::size_t n = 0;
        const host::StringResource* prompts = PromptStringTable(n);
        out.insert(out.end(), prompts, prompts + n);
        std::stable_sort(
            out.begin(), out.end(),
            [](const host::StringResource& a, const host::StringResource& b) { return a.id < b.id; });
        return out;
    }();
    return all;
}

} // namespace

const host::StringResource* LintaroStringTable(std::size_t& count) {
    count = AllStrings().size();
    return AllStrings().data();
}

void RegisterLintaroResources() {
    static bool registered = false;
    if (registered) return;
    registered = true;
    host::registerModuleStrings(AfxGetInstanceHandle(), AllStrings().data(), AllStrings().size());
    RegisterPaletteResources();
    RegisterContextMenuResources();
    RegisterHeightResources();
    RegisterReplaceResources();
    RegisterPropertiesResources();
    RegisterOptionResources();
}
