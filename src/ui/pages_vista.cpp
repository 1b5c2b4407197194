#include "ui/pages.h"

namespace tw::ui {
namespace {

// The Vista page set pcMainVista. Its controls are named after their tweak IDs.
// One row per control, as wide as it needs to be to read like the window. The captions of sliders
// and colour lists are not shown: they are their names for screen readers, and a label stands
// right before each.
// clang-format off
const ControlDef kRows[] = {
    {"tsSystemVista", Kind::Page, "System"},

    {"GroupBox4", Kind::Group, "Allgemein", 0, {8, 8, 216, 353}, 0},
    {"cb20060501", Kind::CheckBox, "Sprechblasen abschalten", 20060501, {16, 24, 176, 17}, 0},
    {"cb20060502", Kind::CheckBox, "Performance erhöhen", 20060502, {16, 47, 176, 17}, 0},
    {"cb20060505", Kind::CheckBox, "Autorun deaktivieren", 20060505, {16, 70, 176, 17}, 0},
    {"cb20060506", Kind::CheckBox, "Beep-Ton ausschalten", 20060506, {16, 93, 176, 17}, 0},
    {"cb20060510", Kind::CheckBox, "Schneller anmelden", 20060510, {16, 116, 176, 17}, 0},
    {"cb20060512", Kind::CheckBox, "Schneller herunterfahren", 20060512, {16, 139, 176, 17}, 0},
    {"cb20060513", Kind::CheckBox, "Speichermeldung deaktivieren", 20060513, {16, 162, 176, 17}, 0},
    {"cb20060515", Kind::CheckBox, "Windows schneller beenden", 20060515, {16, 185, 176, 17}, 0},
    {"cb20070432", Kind::CheckBox, "Benutzerkontensteuerung deaktivieren", 20070432, {16, 208, 185, 30}, kWraps},
    {"cb20070434", Kind::CheckBox, "NTFS-Zeitstempel deaktivieren", 20070434, {16, 244, 185, 17}, 0},

    {"gb20060817", Kind::Group, "Kommandozeile", 20060817, {232, 8, 216, 178}, 0},
    {"lab20060817a", Kind::Label, "Text:", 0, {16, 24, 26, 13}, 0},
    {"combx20060817a", Kind::ImageCombo, "Textfarbe", 20060817, {137, 21, 64, 22}, 0},
    {"lab20060817b", Kind::Label, "Hintergrund:", 0, {16, 52, 61, 13}, 0},
    {"combx20060817b", Kind::ImageCombo, "Hintergrundfarbe", 20060817, {137, 49, 64, 22}, 0},
    {"pb20060817", Kind::PaintBox, nullptr, 0, {16, 82, 184, 48}, 0},
    {"cb20060818", Kind::CheckBox, "Einfaches Einfügen", 20060818, {16, 144, 176, 17}, 0},

    {"tsWindowsExplorerVista", Kind::Page, "Windows Explorer"},

    {"GroupBox7", Kind::Group, "Allgemein", 0, {8, 8, 216, 353}, 0},
    {"cb20060517", Kind::CheckBox, "Dateiendungen einblenden", 20060517, {16, 24, 176, 17}, 0},
    {"cb20060518", Kind::CheckBox, "Alle Dateien anzeigen", 20060518, {16, 47, 176, 17}, 0},
    {"cb20070408", Kind::CheckBox, "Benutzerverzeichnisse im Arbeitsplatz ausblenden", 20070408, {16, 69, 185, 30}, kWraps},

    {"tsGUIVista", Kind::Page, "Bedienoberfläche"},

    {"GroupBox9", Kind::Group, "Allgemein", 0, {8, 8, 216, 353}, 0},
    {"cb20060523", Kind::CheckBox, "Schriftglättung deaktivieren", 20060523, {16, 24, 176, 17}, 0},
    {"cb20070409", Kind::CheckBox, "Nummernblock immer aktivieren", 20070409, {16, 46, 197, 17}, 0},
    {"cb20070410", Kind::CheckBox, "Verknüpfungspfeile entfernen", 20070410, {16, 67, 197, 17}, 0},
    {"cb20070440", Kind::CheckBox, "Aero auf Zeitlupe umstellen", 20070440, {16, 90, 197, 17}, 0},

    {"gb20060528", Kind::Group, "Startmenüverzögerung", 20060528, {232, 271, 216, 90}, 0},
    {"lab20060528a", Kind::Label, "Verzögerung:", 0, {16, 62, 80, 13}, 0},
    {"tb20060528", Kind::Slider, "Startmenüverzögerung", 20060528, {16, 24, 182, 32}, 0, {1, 400, 10, 25}},
    {"lab20060528b", Kind::Label, "1 ms", 0, {96, 62, 97, 13}, 0},

    {"GroupBox5", Kind::Group, "Startmenü", 0, {232, 8, 216, 257}, 0},
    {"cb20070420", Kind::CheckBox, "Reihenfolge der Einträge fixieren", 20070420, {16, 24, 182, 17}, 0},
    {"cb20070423", Kind::CheckBox, "Eigene Dateien ausblenden", 20070423, {16, 45, 182, 17}, 0},
    {"cb20070424", Kind::CheckBox, "Eigene Bilder ausblenden", 20070424, {16, 66, 182, 17}, 0},
    {"cb20070425", Kind::CheckBox, "Eigene Musik ausblenden", 20070425, {16, 87, 182, 17}, 0},

    {"tsSecurityVista", Kind::Page, "Sicherheit"},

    {"GroupBox14", Kind::Group, "Allgemein", 0, {8, 8, 249, 353}, 0},
    {"cb20060533", Kind::CheckBox, "Administrative Freigaben entfernen", 20060533, {16, 24, 184, 30}, kWraps},
    {"cb20060534", Kind::CheckBox, "Sicherheitscenter abstellen", 20060534, {16, 60, 184, 17}, 0},
    {"cb20070412", Kind::CheckBox, "Schreibzugriff auf USB-Sticks verhindern", 20070412, {16, 83, 222, 17}, kWraps},
    {"cb20070419", Kind::CheckBox, "Programmaufrufe nicht speichern", 20070419, {16, 106, 217, 17}, kWraps},

    {"tsInternetExplorerVista", Kind::Page, "Internet Explorer"},

    {"GroupBox15", Kind::Group, "Allgemein", 0, {8, 8, 216, 353}, 0},
    {"cb20060540", Kind::CheckBox, "ActiveX deaktivieren", 20060540, {16, 24, 177, 17}, 0},

    {"gb20060541", Kind::Group, "Google-Suche", 20060541, {232, 8, 216, 64}, 0},
    {"but20060541", Kind::Button, "Google-Suche voreinstellen", 20060541, {16, 24, 184, 24}, 0},

    {"GroupBox6", Kind::Group, "Suchdienste", 20070438, {232, 78, 216, 99}, 0},
    {"cb20070438c", Kind::CheckBox, "Wikipedia hinzufügen", 20070438, {16, 23, 176, 17}, 0},
    {"cb20070438b", Kind::CheckBox, "Sourceforge hinzufügen", 20070438, {16, 46, 176, 17}, 0},
    {"cb20070438a", Kind::CheckBox, "IMDB hinzufügen", 20070438, {16, 69, 176, 17}, 0},

    {"tsOutlookExpressVista", Kind::Page, "Windows Mail"},

    {"GroupBox20", Kind::Group, "Allgemein", 0, {8, 8, 216, 353}, 0},
    {"cb20070439", Kind::CheckBox, "Startlogo deaktivieren", 20070439, {16, 24, 184, 17}, kWraps},

    {"tsWindowsMediaPlayerVista", Kind::Page, "Windows Media Player"},

    {"GroupBox21", Kind::Group, "Allgemein", 0, {8, 8, 216, 353}, 0},
    {"cb20060546", Kind::CheckBox, "Maulkorb anlegen", 20060546, {16, 24, 176, 17}, 0},
    {"cb20060547", Kind::CheckBox, "Albuminformationen blockieren", 20060547, {16, 47, 176, 17}, 0},
    {"cb20060548", Kind::CheckBox, "Lizenz-Download verhindern", 20060548, {16, 70, 177, 17}, 0},
    {"cb20060549", Kind::CheckBox, "Codec-Download verhindern", 20060549, {16, 93, 177, 17}, 0},
    {"cb20060550", Kind::CheckBox, "Auto-Update stoppen", 20060550, {16, 116, 176, 17}, 0},

    {"tsContextmenuVista", Kind::Page, "Kontextmenü"},

    {"GroupBox23", Kind::Group, "Allgemein", 0, {8, 8, 216, 78}, 0},
    {"cb20060810", Kind::CheckBox, "einfacher kopieren", 20060810, {16, 24, 182, 17}, 0},
    {"cb20060811", Kind::CheckBox, "einfacher verschieben", 20060811, {16, 47, 182, 17}, 0},

    {"GroupBox22", Kind::Group, "Rechtsklick auf Arbeitsplatz", 0, {8, 92, 216, 262}, 0},
    {"cb20060801", Kind::CheckBox, "Systemsteuerung", 20060801, {16, 24, 176, 17}, 0},
    {"cb20060802", Kind::CheckBox, "Dienstemanager", 20060802, {16, 47, 177, 17}, 0},
    {"cb20060803", Kind::CheckBox, "Gerätemanager", 20060803, {16, 70, 177, 17}, 0},
    {"cb20060804", Kind::CheckBox, "Registrierungseditor", 20060804, {16, 93, 177, 17}, kWraps},
    {"cb20060805", Kind::CheckBox, "Systemwiederherstellung", 20060805, {16, 116, 177, 17}, 0},
    {"cb20060806", Kind::CheckBox, "Softwareverwaltung", 20060806, {16, 139, 176, 17}, 0},
    {"cb20060807", Kind::CheckBox, "Msconfig", 20060807, {16, 162, 177, 17}, 0},
    {"cb20060814", Kind::CheckBox, "Abmelden", 20060814, {16, 185, 177, 17}, 0},
    {"cb20060815", Kind::CheckBox, "Neustarten", 20060815, {16, 208, 177, 17}, kWraps},
    {"cb20060816", Kind::CheckBox, "Herunterfahren", 20060816, {16, 231, 177, 17}, 0},

    {"GroupBox24", Kind::Group, "Rechtsklick auf Dateien", 0, {232, 8, 216, 78}, 0},
    {"cb20060808", Kind::CheckBox, "Notepad als Registrierungseditor", 20060808, {16, 24, 182, 17}, 0},
    {"cb20060809", Kind::CheckBox, "Unbekannte Dateien sicher öffnen", 20060809, {16, 47, 182, 17}, 0},

    {"GroupBox25", Kind::Group, "Rechtsklick auf Ordner", 0, {232, 92, 216, 78}, 0},
    {"cb20060812", Kind::CheckBox, "Ordner in neuem Fenster öffnen", 20060812, {16, 24, 182, 17}, 0},
    {"cb20060813", Kind::CheckBox, "Kommandozeile öffnen", 20060813, {16, 47, 182, 17}, 0},

    {"tsPrivacyVista", Kind::Page, "Datenschutz"},

    {"GroupBox26", Kind::Group, "Allgemein", 0, {8, 8, 216, 353}, 0},
    {"cb20061019", Kind::CheckBox, "Player-ID verstecken", 20061019, {16, 24, 184, 17}, 0},
    {"cb20061021", Kind::CheckBox, "Windows-Authentifizierung deaktivieren", 20061021, {16, 47, 184, 30}, kWraps},
};
// clang-format on

}  // namespace

const PageTable kPagesVista = {"pcMainVista", kRows, sizeof(kRows) / sizeof(kRows[0])};

}  // namespace tw::ui
