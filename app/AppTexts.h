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

// Message boxes.
inline const QString kPortUnavailableSuffix = QStringLiteral(" jest niedostępny");
// Second line of that message when the system refused the device to this user.
inline const QString kNoPortPermission = QStringLiteral(
    "Brak uprawnień do urządzenia %1: konto musi należeć do grupy dialout "
    "(po dopisaniu trzeba się wylogować i zalogować ponownie).");
inline const QString kDeviceNotFound = QStringLiteral("Nie znaleziono urządzenia");
inline const QString kNoCommunication = QStringLiteral("Brak komunikacji z urządzeniem");
// The printing layer's error box: this, then the printer or the file.
inline const QString kPrintFailedPrefix = QStringLiteral("Błąd drukowania: ");

}  // namespace AppTexts
