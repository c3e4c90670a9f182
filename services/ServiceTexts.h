#pragma once
// The texts of the device services: the questions asked before the clock,
// the network address, the system signal or the test schedule of the
// controller is changed, their outcomes and the clock placeholders.

#include <QString>

namespace ServiceTexts {

inline const QString SetClockQuestion = QStringLiteral("Zmienić czas i datę urządzenia?");
// Followed by the address in decimal and "?".
inline const QString SetAddressQuestionPrefix = QStringLiteral("Na pewno chcesz zmienić adres na ");
inline const QString SetAddressQuestionSuffix = QStringLiteral("?");
inline const QString SwitchSignalQuestion = QStringLiteral("Załączyć sygnał \"odst/odbl z systemu\" ?");
inline const QString WriteScheduleQuestion = QStringLiteral("Zmienić nastawione daty testowania?");

// Status panel 1. "Ustawiono adres" has no leading blank.
inline const QString AddressSet = QStringLiteral("Ustawiono adres");
inline const QString InvalidValue = QStringLiteral("Niepoprawna wartość");

// Status panel 1 while the clock tick gets no answer from a controller that
// was found; the first answered tick clears it.
inline const QString ControllerSilent = QStringLiteral(" WLT nie odpowiada");

// The controller's row while its clock is not known.
inline const QString NoDate = QStringLiteral("##-##-##");
inline const QString NoTime = QStringLiteral("##:##:##");

}  // namespace ServiceTexts
