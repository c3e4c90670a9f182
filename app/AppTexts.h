#pragma once
// Every text the application shell shows: window, pages, menus, status
// panels and the standard reports of device operations. Other subsystems keep
// their own texts beside their code.

#include <QString>

namespace AppTexts {

inline const QString kApplicationTitle = QStringLiteral("WLT nastawy");
inline const QString kWindowCaption = QStringLiteral("WLT - nastawy");
inline const QString kProgramVersion = QStringLiteral("0.1.0");

// Connection state (status panel 0) and outcomes of device operations
// (status panel 1): device texts begin with one blank.
inline const QString kConnected = QStringLiteral(" Połączony");
inline const QString kNotConnected = QStringLiteral(" Brak połączenia");
inline const QString kReadError = QStringLiteral(" Błąd odczytu");
inline const QString kWriteError = QStringLiteral(" Błąd zapisu");
inline const QString kNoDevice = QStringLiteral(" Brak urządzenia");

// Status panel 1 while the connection looks for the controller on a port
// (%1, "COM1").
inline const QString kConnecting = QStringLiteral(" Łączenie z %1 …");

// Message boxes. A box that needs to say more keeps its described first
// line and explains it on a second one.
inline QString WithSecondLine(const QString& message, const QString& explanation) {
  return message + QLatin1Char('\n') + explanation;
}
inline const QString kPortUnavailableSuffix = QStringLiteral(" jest niedostępny");
// Second lines of that message: the system refused the device to this user;
// the device (%1) did not open for another reason, and the option that maps
// the port (%2, "COM1") to another device.
inline const QString kNoPortPermission = QStringLiteral(
    "Brak uprawnień do urządzenia %1: konto musi należeć do grupy dialout "
    "(po dopisaniu trzeba się wylogować i zalogować ponownie).");
inline const QString kPortNotOpened =
    QStringLiteral("Nie można otworzyć urządzenia %1; inne urządzenie wskaże opcja --port %2=/dev/ttyUSB0.");
// The confirmation asked before an operation changes the controller: its
// title and buttons are English, also where the toolkit speaks Polish.
inline const QString kConfirmTitle = QStringLiteral("Confirm");
inline const QString kConfirmOk = QStringLiteral("OK");
inline const QString kConfirmCancel = QStringLiteral("Cancel");
inline const QString kDeviceNotFound = QStringLiteral("Nie znaleziono urządzenia");
inline const QString kNoCommunication = QStringLiteral("Brak komunikacji z urządzeniem");
// The second line of that box (and of "Nie znaleziono urządzenia") when the
// controller answered with an exception: its code, its name.
inline const QString kExceptionLine = QStringLiteral("Urządzenie odpowiedziało wyjątkiem %1: %2.");
// The device search: its progress box (the device, its line setting and
// slave address, how far; the elapsed time the box adds), its outcomes in
// status panel 1, and the message when nothing answered.
inline const QString kSearchTitle = QStringLiteral("Szukaj urządzenia");
inline const QString kSearchProbing = QStringLiteral("Urządzenie %1 (%2 z %3)\n%4 bit/s, parzystość: %5, adres %6");
inline const QString kSearchStop = QStringLiteral("Przerwij");
inline const QString kSearchElapsed = QStringLiteral("Czas: %1");
inline const QString kSearchFound = QStringLiteral(" Znaleziono urządzenie");
inline const QString kSearchStopped = QStringLiteral(" Przerwano szukanie");
inline const QString kSearchNothing = QStringLiteral(" Nie znaleziono");
inline const QString kSearchNoDevices = QStringLiteral("Brak portów szeregowych do przeszukania");
inline const QString kPortDevice = QStringLiteral("%1 → %2");
// What the command line prints of a find: the device and the port taking it.
inline const QString kSearchDevice = QStringLiteral("Urządzenie: %1 (%2)");

// The printing layer's error box: this, then the printer or the file.
inline const QString kPrintFailedPrefix = QStringLiteral("Błąd drukowania: ");

}  // namespace AppTexts
