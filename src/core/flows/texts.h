#pragma once

// The German texts of the flows' questions, reports and file headers, side by side so that a
// text two flows share is written once. (Texts that belong to one row of a table stay there.)

#include "system/version.h"

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
inline constexpr char kNotRereadPartly[] =
    "Die Einstellungen wurden teilweise geschrieben, konnten aber nicht neu gelesen werden.";
inline constexpr char kNotApplied[] = "Folgende Einstellungen wurden nicht übernommen:";
inline constexpr char kAdminHint[] = "Systemweite Einstellungen erfordern Administratorrechte.";
inline constexpr char kBackupFromBefore[] =
    "Die Sicherung behält alle Werte von vor dem Übernehmen; „Letzte Übernahme rückgängig "
    "machen“ stellt sie wieder her.";
// "Einstellung 12/85" in the progress window.
inline constexpr char kProgressStep[] = "Einstellung ";
// A check box's state as the questions and backups name it.
inline constexpr char kOn[] = "ein";
inline constexpr char kOff[] = "aus";

// --- Backups and undo.
inline constexpr char kBackupTitle[] =
    TW_PROGRAM_TITLE ": Sicherung vor dem Übernehmen der Einstellungen";
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
inline constexpr char kKeptKey[] = "„%s“ enthält inzwischen weitere Einträge und bleibt erhalten.";
inline constexpr char kRestoredNotMarked[] =
    "Die Werte sind wiederhergestellt, aber die Sicherung „%s“ konnte nicht als "
    "wiederhergestellt markiert werden.";
inline constexpr char kAlreadyRestored[] =
    "Die Werte der Sicherung „%s“ sind bereits wiederhergestellt.";
inline constexpr char kMarkedNow[] = "Sie ist jetzt als wiederhergestellt markiert.";
inline constexpr char kStillNotMarked[] =
    "Sie konnte aber nicht als wiederhergestellt markiert werden.";
inline constexpr char kNoBackupWritten[] = "Die bisherigen Werte konnten nicht gesichert werden:";
inline constexpr char kWithoutBackup[] = "Möchten Sie die Einstellungen ohne Sicherung übernehmen?";

// --- Restore points.
inline constexpr char kRestorePointBox[] = "Vorher einen Wiederherstellungspunkt erstellen";
inline constexpr char kRestorePointStep[] = "Wiederherstellungspunkt wird erstellt…";
inline constexpr char kRestorePointApply[] = "Übernahme vom ";
inline constexpr char kRestorePointFailed[] =
    "Der Wiederherstellungspunkt konnte nicht erstellt werden:";
inline constexpr char kWithoutRestorePoint[] = "Ohne Wiederherstellungspunkt fortfahren?";
inline constexpr char kRestorePointOff[] = "Die Systemwiederherstellung ist ausgeschaltet.";
inline constexpr char kRestorePointNoAdmin[] = "Dazu sind Administratorrechte nötig.";
inline constexpr char kRestorePointSafeMode[] = "Windows läuft im abgesicherten Modus.";
inline constexpr char kRestorePointDiskFull[] =
    "Auf dem Datenträger ist zu wenig Speicherplatz frei.";
inline constexpr char kRestorePointNoCause[] = "Windows nennt keinen Grund.";
inline constexpr char kRestorePointError[] = "Die Systemwiederherstellung meldet Fehler %s.";
inline constexpr char kRestorePointMade[] = "Wiederherstellungspunkt „%s“ wurde erstellt";
inline constexpr char kRestorePointNumber[] = " (Nummer ";
inline constexpr char kRestorePointNotEnded[] =
    "Der Wiederherstellungspunkt konnte nicht abgeschlossen werden:";

// --- Export.
inline constexpr char kExportTitle[] =
    TW_PROGRAM_TITLE ": Auswahl zum Übernehmen auf anderen Computern";
inline constexpr char kPart[] = "Teil: ";
inline constexpr char kMade[] = "Erstellt am %s auf dem Computer ";
inline constexpr char kNotExported[] = "Die Auswahl konnte nicht gespeichert werden:";
inline constexpr char kExportUnreadable[] =
    "Die vorhandene Datei kann nicht gelesen und darum nicht sicher ersetzt werden.";
inline constexpr char kExportTakenBack[] = "„%s“ hat wieder seinen bisherigen Inhalt.";
inline constexpr char kExportRemoved[] = "„%s“ wurde wieder entfernt.";
inline constexpr char kExportNotTakenBack[] =
    "„%s“ ist bereits ersetzt; der bisherige Inhalt konnte nicht zurückgeschrieben werden.";
inline constexpr char kReplaceQuestion[] = "Folgende Dateien gibt es bereits:";
inline constexpr char kReplaceAsk[] = "Möchten Sie sie ersetzen?";
// A split selection: each file's name ends in its part's word, and its header says who imports it.
inline constexpr char kMachineSuffix[] = "-Computer";
inline constexpr char kMachinePart[] =
    "Systemweite Einstellungen (HKEY_LOCAL_MACHINE, HKEY_CLASSES_ROOT): mit "
    "Administratorrechten importieren, etwa aus einem Startskript.";
inline constexpr char kUserSuffix[] = "-Benutzer";
inline constexpr char kUserPart[] =
    "Einstellungen des Benutzers (HKEY_CURRENT_USER): als dieser Benutzer importieren, etwa aus "
    "einem Anmeldeskript.";

// --- Import.
inline constexpr char kNotLoaded[] = "Die Datei „%s“ kann nicht geladen werden:";
inline constexpr char kTooLarge[] = "Sie ist größer als 4 MB.";
inline constexpr char kUnchanged[] = "Das Fenster zeigt weiter, was es vorher zeigte.";
// A file's name in quotes, or "2 Dateien".
inline constexpr char kShown[] = "Das Fenster zeigt die Auswahl aus %s.";
inline constexpr char kImportNothingWritten[] =
    "Es wurde noch nichts geschrieben. „Einstellungen übernehmen“ übernimmt die Auswahl.";
// The info box's counts, each in the form for one and for more.
inline constexpr char kFiles[] = " Dateien";
inline constexpr char kDiffersOne[] = "Einstellung weicht";
inline constexpr char kDiffersMore[] = "Einstellungen weichen";
inline constexpr char kDiffersEnd[] = " von diesem Computer ab.";
inline constexpr char kIgnoredOne[] = "Eintrag der Datei betrifft";
inline constexpr char kIgnoredMore[] = "Einträge der Datei betreffen";
inline constexpr char kIgnoredOneOfFiles[] = "Eintrag der Dateien betrifft";
inline constexpr char kIgnoredMoreOfFiles[] = "Einträge der Dateien betreffen";
inline constexpr char kIgnoredEndOne[] =
    " keine Einstellung dieses Fensters und bleibt unbeachtet.";
inline constexpr char kIgnoredEndMore[] =
    " keine Einstellung dieses Fensters und bleiben unbeachtet.";
inline constexpr char kSkippedOne[] = "1 Zeile konnte nicht gelesen werden und bleibt unbeachtet (";
inline constexpr char kSkippedMore[] =
    " Zeilen konnten nicht gelesen werden und bleiben unbeachtet (erste: ";
inline constexpr char kSkippedLine[] = "Zeile ";
inline constexpr char kSkippedInFile[] = " in „%s“";

// --- The system menu's entries and their file dialogs.
inline constexpr char kUndoEntry[] = "&Letzte Übernahme rückgängig machen...";
inline constexpr char kExportEntry[] = "Auswahl als .reg-Datei &exportieren...";
inline constexpr char kImportEntry[] = "Auswahl aus .reg-Datei &importieren...";
inline constexpr char kExportDialog[] = "Auswahl als .reg-Datei exportieren";
inline constexpr char kImportDialog[] = "Auswahl aus .reg-Datei importieren";
inline constexpr char kRegFilter[] = "Registrierungsdateien (*.reg)";
inline constexpr char kDefaultExportName[] = "Trimmwerk-Auswahl.reg";
inline constexpr char kNothingToExport[] =
    "Es ist keine Einstellung eingeschaltet, die exportiert werden könnte.";
inline constexpr char kTooManyFiles[] = "Es wurden zu viele Dateien auf einmal gewählt.";
inline constexpr char kExported[] = "Die Auswahl wurde gespeichert:";

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
