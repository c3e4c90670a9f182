#pragma once
// The texts the settings subsystem shows: the grid header, the day names and
// the outcomes of a settings transfer. Status texts of device operations
// begin with exactly one blank; "Niepoprawna wartość" has none.

#include <QString>

namespace SettingsTexts {

inline const QString GridHeaderName = QStringLiteral("Nastawa");
inline const QString GridHeaderValue = QStringLiteral("Wartość");
inline const QString GridHeaderUnit = QStringLiteral("Jednostka");

// Entry 1 is Sunday, as the controller and the PC count the days of the week.
inline const QString DayNames[7] = {
    QStringLiteral("Niedziela"), QStringLiteral("Poniedziałek"), QStringLiteral("Wtorek"),
    QStringLiteral("Środa"),     QStringLiteral("Czwartek"),     QStringLiteral("Piątek"),
    QStringLiteral("Sobota"),
};

// While the transfer runs; the write counts its registers ("5/28").
inline const QString ReadingSettings = QStringLiteral(" Odczyt nastaw …");
inline const QString WritingSettings = QStringLiteral(" Zapis nastaw %1/%2 …");

inline const QString SettingsRead = QStringLiteral(" Odczytano nastawy");
inline const QString SettingsWritten = QStringLiteral(" Zapisano nastawy");
inline const QString InvalidValue = QStringLiteral("Niepoprawna wartość");

// The second line of "Nie znaleziono urządzenia" when a settings write
// stopped after some registers had taken their new values: %1 registers of
// %2 written, %3 which ones. The second text is for a write that stopped
// only at the completion mark.
inline const QString PartlyWritten = QStringLiteral(
    "Zapisano %1 z %2 rejestrów (%3); nie zapisano znacznika kompletu nastaw (rejestr 900), "
    "sterownik ma teraz część nastaw starych i część nowych.");
inline const QString WrittenWithoutMark =
    QStringLiteral("Zapisano %1 z %2 rejestrów (%3); nie zapisano znacznika kompletu nastaw (rejestr 900).");

// The check after a write (the block read back) and the compare of the
// window's settings with the controller's.
inline const QString VerifyingSettings = QStringLiteral(" Weryfikacja nastaw …");
inline const QString VerifyFailed = QStringLiteral(" Błąd weryfikacji");
inline const QString VerifyMismatch = QStringLiteral(
    "Sterownik nie przyjął wszystkich nastaw: odczytane po zapisie różnią się od wysłanych.\n"
    "(rejestr nazwa: wysłano -> odczytano)");
inline const QString VerifyReadFailed = QStringLiteral(
    "Zapisano wszystkie %1 rejestrów, ale odczyt kontrolny się nie udał: nie sprawdzono, czy sterownik "
    "przyjął nastawy.");
inline const QString SettingsEqual = QStringLiteral("Nastawy zgodne z WLT");
inline const QString CompareTitle = QStringLiteral("Porównanie nastaw z WLT");
inline const QString CompareColumns[4] = {QStringLiteral("Rejestr"), QStringLiteral("Nastawa"),
                                          QStringLiteral("W programie"), QStringLiteral("W WLT")};
inline const QString CompareWrite = QStringLiteral("Zapis nastaw do WLT");
inline const QString CompareClose = QStringLiteral("Zamknij");

}  // namespace SettingsTexts
