#pragma once

// The German texts of the flows' questions, reports and file headers, side by side so that a
// text two flows share is written once. (Texts that belong to one row of a table stay there.)

namespace tw::text {

// --- Applying.
inline constexpr char kConfirmApply[] = "Möchten Sie die Einstellungen jetzt vornehmen?";
inline constexpr char kChanges[] = "Folgende Einstellungen werden geändert:";
inline constexpr char kNothingChanged[] =
    "Sie haben keine Einstellung geändert. Es gibt nichts zu übernehmen.";
inline constexpr char kUndoHint[] =
    "Die bisherigen Werte wurden gesichert. Im Systemmenü (Alt+Leertaste) stellt „Letzte "
    "Übernahme rückgängig machen“ sie wieder her.";
inline constexpr char kRestart[] =
    "Einige der Änderungen erfordern eventuell einen Neustart.\rMöchten Sie Windows neu starten?";
inline constexpr char kNoRegistry[] =
    "Die Registrierung konnte nicht geöffnet werden.\rDie Einstellungen wurden nicht übernommen.";
inline constexpr char kNotReread[] =
    "Die Einstellungen wurden geschrieben, konnten aber nicht neu gelesen werden.";
inline constexpr char kNotApplied[] = "Folgende Einstellungen wurden nicht übernommen:";
inline constexpr char kAdminHint[] = "Systemweite Einstellungen erfordern Administratorrechte.";

// --- Backups and undo.
inline constexpr char kBackupTitle[] =
    "Tavo Trimmwerk 3.0.1: Sicherung vor dem Übernehmen der Einstellungen";
inline constexpr char kDate[] = "Datum: ";
inline constexpr char kUtc[] = "UTC: ";
inline constexpr char kWindows[] = "Windows: ";
inline constexpr char kComputer[] = "Computer: ";
inline constexpr char kBefore[] = "Vorher: ";
inline constexpr char kAfter[] = "Nachher: ";
inline constexpr char kUndoQuestion[] =
    "Die Übernahme vom %s hat folgende Einstellungen geändert. Sie erhalten ihre bisherigen "
    "Werte zurück:";
inline constexpr char kGoOn[] = "Möchten Sie die Übernahme rückgängig machen?";
inline constexpr char kNoBackup[] = "Es gibt keine Übernahme, die rückgängig gemacht werden kann.";
inline constexpr char kUnreadable[] = "Die Sicherung „%s“ kann nicht wiederhergestellt werden:";
inline constexpr char kNoComputer[] = "Sie nennt nicht den Computer, auf dem sie entstand.";
inline constexpr char kMoveAside[] =
    "Verschieben oder löschen Sie die Datei, um ältere Sicherungen wiederherzustellen.";
inline constexpr char kForeign[] =
    "Sie enthält in Zeile %s einen Eintrag, den keine Einstellung dieses Programms schreibt.";
inline constexpr char kNothingRestored[] = "Es wurde nichts geändert.";
inline constexpr char kNotRestored[] = "Folgende Einstellungen wurden nicht wiederhergestellt:";
inline constexpr char kNoBackupWritten[] = "Die bisherigen Werte konnten nicht gesichert werden:";
inline constexpr char kWithoutBackup[] = "Möchten Sie die Einstellungen ohne Sicherung übernehmen?";

// --- Export.
inline constexpr char kExportTitle[] =
    "Tavo Trimmwerk 3.0.1: Auswahl zum Übernehmen auf anderen Computern";
inline constexpr char kPart[] = "Teil: ";
inline constexpr char kMade[] = "Erstellt am %s auf dem Computer ";
inline constexpr char kNotExported[] = "Die Auswahl konnte nicht gespeichert werden:";
inline constexpr char kExportUnreadable[] =
    "Die vorhandene Datei kann nicht gelesen und darum nicht sicher ersetzt werden.";
inline constexpr char kExportTakenBack[] = "„%s“ hat wieder seinen bisherigen Inhalt.";
inline constexpr char kExportRemoved[] = "„%s“ wurde wieder entfernt.";
inline constexpr char kExportNotTakenBack[] =
    "„%s“ ist bereits ersetzt; der bisherige Inhalt konnte nicht zurückgeschrieben werden.";

// --- Import.
inline constexpr char kNotLoaded[] = "Die Datei „%s“ kann nicht geladen werden:";
inline constexpr char kTooLarge[] = "Sie ist größer als 4 MB.";
inline constexpr char kUnchanged[] = "Das Fenster zeigt weiter, was es vorher zeigte.";
inline constexpr char kShown[] = "Das Fenster zeigt die Auswahl aus „%s“.";
inline constexpr char kImportNothingWritten[] =
    "Noch ist nichts geschrieben. „Einstellungen übernehmen“ übernimmt die Auswahl.";

// --- The one-shot buttons.
inline constexpr char kFinal[] = "Diese Einstellung lässt sich nicht mehr rückgängig machen.";
inline constexpr char kGoogleDone[] = "Google-Suche wurde aktiviert!";
inline constexpr char kGoogleNotDone[] = "Google-Suche wurde nicht aktiviert!";
inline constexpr char kChooseProgramDir[] =
    "Wählen Sie ein Verzeichnis als Standardverzeichnis für die Programminstallation aus:";

// --- Closing.
inline constexpr char kClose[] =
    "Hiermit wird das Programm beendet.\rEinstellungen, die nicht übernommen wurden, gehen "
    "verloren.\r\rMöchten Sie dennoch schließen?";

// --- Shared by several flows.
inline constexpr char kDone[] = "Vorgang erfolgreich abgeschlossen!";
inline constexpr char kCannotRead[] = "Die Datei kann nicht gelesen werden.";
// A setting's line in an export file's header, and in backups written before their values were
// recorded.
inline constexpr char kSetting[] = "Einstellung: ";

}  // namespace tw::text
