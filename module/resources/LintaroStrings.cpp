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
