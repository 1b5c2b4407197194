#include "ui/pages.h"

namespace tw::ui {
namespace {

// The XP page set pcMain.
// One row per control, as wide as it needs to be to read like the window. The captions of sliders
// and colour lists are not shown: they are their names for screen readers, and a label stands
// right before each.
// clang-format off
const ControlDef kRows[] = {
    {"tsSystem", Kind::Page, "System"},

    {"gboxSystemGeneral", Kind::Group, "Allgemein", 0, {8, 8, 216, 353}, 0},
    {"cboxBalloonTips", Kind::CheckBox, "Sprechblasen abschalten", 20060501, {16, 24, 176, 17}, 0},
    {"cboxIncreasePerformance", Kind::CheckBox, "Performance erhöhen", 20060502, {16, 47, 176, 17}, 0},
    {"cboxDeactivatePreview", Kind::CheckBox, "Bildervorschau deaktivieren", 20060503, {16, 70, 176, 17}, 0},
    {"cboxDeactivateAutorun", Kind::CheckBox, "Autorun deaktivieren", 20060505, {16, 93, 176, 17}, 0},
    {"cboxMuteBeepTone", Kind::CheckBox, "Beep-Ton ausschalten", 20060506, {16, 116, 176, 17}, 0},
    {"cboxFullStopErrorReporting", Kind::CheckBox, "Fehlerbericht abstellen", 20060827, {16, 139, 177, 17}, 0},
    {"cboxSpeedupNetwork", Kind::CheckBox, "Netzwerkzugriff beschleunigen", 20060508, {16, 162, 176, 17}, 0},
    {"cboxFastLogin", Kind::CheckBox, "Schneller anmelden", 20060510, {16, 185, 176, 17}, 0},
    {"cboxKillProcess", Kind::CheckBox, "Schneller herunterfahren", 20060512, {16, 208, 176, 17}, 0},
    {"cboxLowDiskSpace", Kind::CheckBox, "Speichermeldung deaktivieren", 20060513, {16, 231, 176, 17}, 0},
    {"cboxStopDesktopCleaning", Kind::CheckBox, "Desktopbereinigung abschalten", 20060514, {16, 254, 176, 17}, 0},
    {"cboxFastWindowsShutdown", Kind::CheckBox, "Windows schneller beenden", 20060515, {16, 277, 176, 17}, 0},

    {"gboxMessenger", Kind::Group, "MSN Messenger", 20060504, {232, 8, 216, 64}, 0},
    {"butDeinstallMessenger", Kind::Button, "MSN Messenger deinstallieren", 20060504, {16, 24, 184, 24}, 0},

    {"gboxCommandLine", Kind::Group, "Kommandozeile", 20060817, {232, 148, 216, 178}, 0},
    {"labConsoleText", Kind::Label, "Text:", 0, {16, 24, 26, 13}, 0},
    {"combxTextColor", Kind::ImageCombo, "Textfarbe", 20060817, {137, 21, 64, 22}, 0},
    {"labConsoleBackground", Kind::Label, "Hintergrund:", 0, {16, 52, 61, 13}, 0},
    {"combxBackgroundColor", Kind::ImageCombo, "Hintergrundfarbe", 20060817, {137, 49, 64, 22}, 0},
    {"pboxCmdPreview", Kind::PaintBox, nullptr, 0, {16, 82, 184, 48}, 0},
    {"cboxCmdQuickEdit", Kind::CheckBox, "Einfaches Einfügen", 20060818, {16, 144, 176, 17}, 0},

    {"gbPatchWindowsUpdate", Kind::Group, "Windows-Update", 20070407, {232, 78, 216, 64}, 0},
    {"butPatchWindowsUpdate", Kind::Button, "Fehler in Windows-Update beheben", 20070407, {16, 24, 184, 24}, 0},

    {"tsWindowsExplorer", Kind::Page, "Windows Explorer"},

    {"gboxExplorerGeneral", Kind::Group, "Allgemein", 0, {8, 8, 216, 353}, 0},
    {"cboxShowFileext", Kind::CheckBox, "Dateiendungen einblenden", 20060517, {16, 24, 176, 17}, 0},
    {"cboxShowAllFiles", Kind::CheckBox, "Alle Dateien anzeigen", 20060518, {16, 47, 176, 17}, 0},
    {"cboxShowSystemFiles", Kind::CheckBox, "Systemdateien anzeigen", 20060520, {16, 70, 176, 17}, 0},
    {"cboxStopWebsearch", Kind::CheckBox, "Websuche ausschalten", 20060521, {16, 93, 176, 17}, 0},
    {"cboxDetailView", Kind::CheckBox, "Detailansicht im Explorer", 20060819, {16, 116, 176, 17}, 0},
    {"cboxStatusAndAddressbar", Kind::CheckBox, "Status- und Adressleiste zeigen", 20060820, {16, 139, 176, 17}, 0},
    {"cboxKillTheDog", Kind::CheckBox, "Klassische Suche aktivieren", 20060821, {16, 162, 176, 17}, 0},
    {"cbHideCommonFiles", Kind::CheckBox, "Benutzerverzeichnisse im Arbeitsplatz ausblenden", 20070408, {16, 184, 185, 30}, kWraps},

    {"gboxSearchoptions", Kind::Group, "Suchoptionen", 20060822, {232, 8, 216, 169}, 0},
    {"cboxSearchSystemDirs", Kind::CheckBox, "Systemordner durchsuchen", 20060822, {16, 24, 182, 17}, 0},
    {"cboxSearchHidden", Kind::CheckBox, "Versteckte Elemente durchsuchen", 20060822, {16, 47, 182, 17}, 0},
    {"cboxIncludeSubfolders", Kind::CheckBox, "Unterordner durchsuchen", 20060822, {16, 70, 182, 17}, 0},
    {"cboxCaseSensitive", Kind::CheckBox, "Groß-/Kleinschreibung beachten", 20060822, {16, 93, 182, 17}, 0},
    {"cboxSearchSlowFiles", Kind::CheckBox, "Bandsicherung durchsuchen", 20060822, {16, 116, 182, 17}, kWraps},
    {"cbSearchUnknownFiles", Kind::CheckBox, "In unbekannten Dateien suchen", 20070402, {16, 139, 182, 17}, kWraps},

    {"gboxBitBucket", Kind::Group, "Papierkorb", 20060829, {232, 183, 216, 74}, 0},
    {"labBitBucketSize", Kind::Label, "Größe:", 0, {16, 48, 80, 13}, 0},
    {"tbarBitBucket", Kind::Slider, "Größe des Papierkorbs", 20060829, {16, 20, 182, 25}, 0, {1, 100, 10, 10}},
    {"labBitBucketSizeValue", Kind::Label, "1 %", 0, {96, 48, 97, 13}, 0},

    {"tsGUI", Kind::Page, "Bedienoberfläche"},

    {"gboxGUIGeneral", Kind::Group, "Allgemein", 0, {8, 8, 216, 353}, 0},
    {"cboxIncreaseSystemPerformance", Kind::CheckBox, "Systemleistung erhöhen", 20060523, {16, 23, 176, 17}, 0},
    {"cboxDontGroupTaskbaritems", Kind::CheckBox, "keine Taskleisten-Gruppierung", 20060530, {16, 44, 177, 17}, kWraps},
    {"cboxStopErrorreporting", Kind::CheckBox, "Kritische Fehler ausblenden", 20060507, {16, 65, 176, 17}, 0},
    {"cboxActivateMemSharing", Kind::CheckBox, "nutze getrennten Speicherbereich ", 20060828, {16, 86, 185, 17}, kWraps},
    {"cboxNukeOnDelete", Kind::CheckBox, "Sofort löschen", 20060830, {16, 107, 177, 17}, 0},
    {"cbExpandIconCache", Kind::CheckBox, "Symbol-Cache erweitern", 20070403, {16, 128, 177, 17}, 0},
    {"cbExpandTaskSwitch", Kind::CheckBox, "Fensterübersicht erweitern", 20070406, {16, 149, 177, 17}, 0},
    {"cbLockNumlock", Kind::CheckBox, "Nummernblock immer aktivieren", 20070409, {16, 170, 197, 17}, 0},
    {"cbHideShortCutArrow", Kind::CheckBox, "Verknüpfungspfeile entfernen", 20070410, {16, 191, 197, 17}, 0},
    {"labStartmenuDelayCaption", Kind::Label, "Startmenüverzögerung", 0, {12, 214, 161, 13}, kBold},
    {"trackStartmenuDelay", Kind::Slider, "Startmenüverzögerung", 20060528, {8, 233, 143, 27}, 0, {1, 400, 10, 50}},
    {"labStartmenuDelayValue", Kind::Label, "1 ms", 0, {157, 240, 48, 13}, kCentred},
    {"Label1", Kind::Label, "Installationspfad für Programme", 0, {12, 273, 185, 13}, kBold},
    {"labProgramDir", Kind::Label, "C:\\Programme", 0, {16, 292, 186, 15}, kVCentred},
    {"butSearchProgramDir", Kind::Button, "Durchsuchen...", 20060834, {16, 312, 88, 25}, 0},

    {"gboxStartmenu", Kind::Group, "Startmenü", 0, {232, 8, 216, 353}, 0},
    {"cboxNetworkMenu", Kind::CheckBox, "Netzwerkumgebung als Menü", 20060831, {16, 23, 182, 17}, 0},
    {"cboxControlPanelMenu", Kind::CheckBox, "Systemsteuerung als Menü", 20060832, {16, 44, 182, 17}, 0},
    {"cboxMyComputerMenu", Kind::CheckBox, "Arbeitsplatz als Menü", 20060833, {16, 65, 182, 17}, 0},
    {"cboxDeactivatePersonalMenus", Kind::CheckBox, "Persönliche Menüs abschalten", 20060525, {16, 86, 182, 17}, 0},
    {"cboxStopHighlighting", Kind::CheckBox, "neue Software hervorheben", 20060826, {16, 107, 182, 17}, kWraps},
    {"cbFixedEntries", Kind::CheckBox, "Reihenfolge der Einträge fixieren", 20070420, {16, 128, 182, 17}, 0},
    {"cbHideDocuments", Kind::CheckBox, "Dokumente-Ordner ausblenden", 20070422, {16, 149, 182, 17}, 0},
    {"cbHideMyFiles", Kind::CheckBox, "Eigene Dateien ausblenden", 20070423, {16, 170, 182, 17}, 0},
    {"cbHideMyPictures", Kind::CheckBox, "Eigene Bilder ausblenden", 20070424, {16, 191, 182, 17}, 0},
    {"cbHideMyMusic", Kind::CheckBox, "Eigene Musik ausblenden", 20070425, {16, 212, 182, 17}, 0},
    {"cbHideHelpDesk", Kind::CheckBox, "Hilfe und Support ausblenden", 20070426, {16, 233, 182, 17}, 0},
    {"cbHideProgramAccess", Kind::CheckBox, "Programmzugriff-Menü ausblenden", 20070427, {16, 254, 197, 17}, 0},

    {"tsSecurity", Kind::Page, "Sicherheit"},

    {"gboxSecurityGeneral", Kind::Group, "Allgemein", 0, {8, 8, 249, 353}, 0},
    {"cboxDisableRemoteDesktop", Kind::CheckBox, "Remote Desktop deaktivieren", 20060531, {16, 24, 184, 17}, 0},
    {"cboxDisableAutoUpdate", Kind::CheckBox, "Automatische Updates sperren", 20060532, {16, 47, 184, 17}, 0},
    {"cboxDeleteAdminShare", Kind::CheckBox, "Administrative Freigaben entfernen", 20060533, {16, 70, 201, 17}, kWraps},
    {"cboxStopSecurityCenter", Kind::CheckBox, "Sicherheitscenter abstellen", 20060534, {16, 93, 184, 17}, 0},
    {"cboxSavePrivacy", Kind::CheckBox, "Privatsphäre schützen", 20060535, {16, 116, 184, 17}, 0},
    {"cbDenyUSBWriteAccess", Kind::CheckBox, "Schreibzugriff auf USB-Sticks verhindern", 20070412, {16, 139, 222, 17}, kWraps},
    {"cbDisallowNusrmgr", Kind::CheckBox, "Benutzerkonten-Verwaltung sperren", 20070413, {16, 162, 209, 17}, kWraps},
    {"cbDisallowAppwiz", Kind::CheckBox, "Software-Verwaltung sperren", 20070414, {16, 185, 184, 17}, kWraps},
    {"cbDisallowSecCenter", Kind::CheckBox, "Windows-Sicherheitscenter sperren", 20070415, {16, 208, 217, 17}, kWraps},
    {"cbDontLogPrograms", Kind::CheckBox, "Programmaufrufe nicht speichern", 20070419, {16, 231, 217, 17}, kWraps},

    {"tsInternetExplorer", Kind::Page, "Internet Explorer"},

    {"gboxInternetExplorerGeneral", Kind::Group, "Allgemein", 0, {8, 8, 216, 353}, 0},
    {"cboxEliminateDownloadlimit", Kind::CheckBox, "Download-Limit aufheben", 20060537, {16, 24, 176, 17}, 0},
    {"cboxStopIEErrorreporting", Kind::CheckBox, "Fehlerbericht unterbinden", 20060539, {16, 47, 176, 17}, 0},
    {"cboxDisableActiveX", Kind::CheckBox, "ActiveX deaktivieren", 20060540, {16, 70, 177, 17}, 0},

    {"gboxBrowserExtensions", Kind::Group, "Browsererweiterungen", 20060823, {232, 8, 216, 64}, 0},
    {"butDeleteBrowserextensions", Kind::Button, "Browsererweiterungen entfernen", 20060823, {16, 24, 184, 24}, 0},

    {"gboxBHO", Kind::Group, "Browser Helper-Objekte", 20060824, {232, 78, 216, 64}, 0},
    {"butDeleteBHO", Kind::Button, "Browser Helper-Objekte entfernen", 20060824, {16, 24, 184, 24}, 0},

    {"gboxBrowserToolbars", Kind::Group, "Toolbars", 20060825, {232, 148, 216, 64}, 0},
    {"butDeleteToolbars", Kind::Button, "Toolbars entfernen", 20060825, {16, 24, 184, 24}, 0},

    {"gboxGoogleSearch", Kind::Group, "Google-Suche", 20060541, {232, 218, 216, 64}, 0},
    {"butUseGoogleSearch", Kind::Button, "Google-Suche voreinstellen", 20060541, {16, 24, 184, 24}, 0},

    {"tsOutlookExpress", Kind::Page, "Outlook Express"},

    {"gboxOutlookExpressGeneral", Kind::Group, "Allgemein", 0, {8, 8, 216, 353}, 0},
    {"cboxStopVBScript", Kind::CheckBox, "Ausführen von VBScripts verhindern", 20060543, {16, 24, 184, 30}, kWraps},

    {"tsWindowsMediaPlayer", Kind::Page, "Windows Media Player"},

    {"gboxWindowsMediaPlayerGeneral", Kind::Group, "Allgemein", 0, {8, 8, 216, 353}, 0},
    {"cboxStopWhispering", Kind::CheckBox, "Maulkorb anlegen", 20060546, {16, 24, 176, 17}, 0},
    {"cboxDontLoadMetadata", Kind::CheckBox, "Albuminformationen blockieren", 20060547, {16, 47, 176, 17}, 0},
    {"cboxDontLoadLicenses", Kind::CheckBox, "Lizenz-Download verhindern", 20060548, {16, 70, 177, 17}, 0},
    {"cboxDontLoadCodecs", Kind::CheckBox, "Codec-Download verhindern", 20060549, {16, 93, 177, 17}, 0},
    {"cboxStopAutoUpdate", Kind::CheckBox, "Auto-Update stoppen", 20060550, {16, 116, 176, 17}, 0},

    {"tsContextmenu", Kind::Page, "Kontextmenü"},

    {"GroupBox1", Kind::Group, "Allgemein", 0, {8, 8, 216, 78}, 0},
    {"cboxEasyCopying", Kind::CheckBox, "einfacher kopieren", 20060810, {16, 24, 182, 17}, 0},
    {"cboxEasyMoving", Kind::CheckBox, "einfacher verschieben", 20060811, {16, 47, 182, 17}, 0},

    {"gboxCMDesktop", Kind::Group, "Rechtsklick auf Arbeitsplatz", 0, {8, 92, 216, 262}, 0},
    {"cboxControlPanel", Kind::CheckBox, "Systemsteuerung", 20060801, {16, 24, 176, 17}, 0},
    {"cboxServices", Kind::CheckBox, "Dienstemanager", 20060802, {16, 47, 177, 17}, 0},
    {"cboxDevices", Kind::CheckBox, "Gerätemanager", 20060803, {16, 70, 177, 17}, 0},
    {"cboxRegEdit", Kind::CheckBox, "Registrierungseditor", 20060804, {16, 93, 177, 17}, kWraps},
    {"cboxSystemRestore", Kind::CheckBox, "Systemwiederherstellung", 20060805, {16, 116, 177, 17}, 0},
    {"cboxSoftware", Kind::CheckBox, "Softwareverwaltung", 20060806, {16, 139, 176, 17}, 0},
    {"cboxMsconfig", Kind::CheckBox, "Msconfig", 20060807, {16, 162, 177, 17}, 0},
    {"cboxLogoff", Kind::CheckBox, "Abmelden", 20060814, {16, 185, 177, 17}, 0},
    {"cboxRestart", Kind::CheckBox, "Neustarten", 20060815, {16, 208, 177, 17}, kWraps},
    {"cboxShutdown", Kind::CheckBox, "Herunterfahren", 20060816, {16, 231, 177, 17}, 0},

    {"GroupBox2", Kind::Group, "Rechtsklick auf Dateien", 0, {232, 8, 216, 78}, 0},
    {"cboxNotepadReg", Kind::CheckBox, "Notepad als Registrierungseditor", 20060808, {16, 24, 182, 17}, 0},
    {"cboxUnknownFiles", Kind::CheckBox, "Unbekannte Dateien sicher öffnen", 20060809, {16, 47, 182, 17}, 0},

    {"GroupBox3", Kind::Group, "Rechtsklick auf Ordner", 0, {232, 92, 216, 78}, 0},
    {"cboxFolderInNewWindow", Kind::CheckBox, "Ordner in neuem Fenster öffnen", 20060812, {16, 24, 182, 17}, 0},
    {"cboxOpenConsole", Kind::CheckBox, "Kommandozeile öffnen", 20060813, {16, 47, 182, 17}, 0},

    {"tsPrivacy", Kind::Page, "Datenschutz"},

    {"gbPrivacyGeneral", Kind::Group, "Allgemein", 0, {8, 8, 216, 353}, 0},
    {"cboxHidePlayerID", Kind::CheckBox, "Player-ID verstecken", 20061019, {16, 24, 184, 17}, 0},
    {"cboxDeactivateWindowsAuth", Kind::CheckBox, "Windows-Authentifizierung deaktivieren", 20061021, {16, 47, 184, 30}, kWraps},
};
// clang-format on

}  // namespace

const PageTable kPagesXP = {"pcMain", kRows, sizeof(kRows) / sizeof(kRows[0])};

}  // namespace tw::ui
