#pragma once
// The texts of the event recorder: status panel, the cause field and the
// event list. Device texts in status panel 1 begin with one blank; the
// texts of a failed display and of the cause field have none.

#include <QString>

namespace EventTexts {

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

}  // namespace EventTexts
