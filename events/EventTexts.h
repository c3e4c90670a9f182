#pragma once
// The texts of the event recorder: status panel, the cause field and the
// event list. Device texts in status panel 1 begin with one blank; the
// texts of a failed display and of the cause field have none.

#include <QString>

namespace EventTexts {

// While the readout runs: its step of the six blocks and the clock ("3/7").
inline const QString ReadingEvents = QStringLiteral(" Odczyt zdarzeń %1/%2 …");
inline const QString EventsRead = QStringLiteral(" Odczytano zdarzenia");
inline const QString EventDisplayError = QStringLiteral("Błąd odczytu zdarzeń");

// Edit3: this, then the event number.
inline const QString EventNumberPrefix = QStringLiteral("Zdarzenie ");
// Edit4 when no cause bit is set, and when a cause number is out of range.
inline const QString NoInformation = QStringLiteral("Nie ma żadnej informacji");
inline const QString CauseError = QStringLiteral("Błąd odczytu");

// The event list.
inline const QString ListTitle =
    QStringLiteral("                           WLT - nastawy : Rejestracja zdarzeń");
inline const QString ListFactoryNumber = QStringLiteral(" nr fabr ");
inline const QString ListYearSeparator = QStringLiteral(" / ");
inline const QString ListReadAt = QStringLiteral("Zdarzenia odczytano:");
inline const QString ListWltStamp = QStringLiteral("                           WLT: ");
inline const QString ListPcStamp = QStringLiteral("                           PC:  ");
inline const QString ListColumns = QStringLiteral("Nr   Data       Czas        Zdarzenie");
// After an event prefix: a record without any cause bit set.
inline const QString ListNoInformation = QStringLiteral("    Nie ma żadnej informacji");

// The event file: its own title and stamp labels beside the list's
// identity texts, and the column header of its record lines (118 characters).
inline const QString FileTitle = QStringLiteral("                         WLT - nastawy : Rejestracja zdarzeń");
inline const QString FileWltStamp = QStringLiteral("                           WLT:");
inline const QString FilePcStamp = QStringLiteral("                           PC: ");
inline const QString FileColumns = QStringLiteral(
    "Nr     Data      Czas    R1     R2     R3     R4      1      2      3      4      5      6      7      8      9"
    "     10");
// Status panel 1 after a failed save or open of an event file (no leading blank).
inline const QString FileWriteError = QStringLiteral("Błąd zapisu");
inline const QString FileReadError = QStringLiteral("Błąd odczytu");

}  // namespace EventTexts
