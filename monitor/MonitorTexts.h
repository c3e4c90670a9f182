#pragma once
// The texts of the link monitor: its window, its counters and its saved
// file. The rows' own texts are the link's (mdbcomp/LinkTexts.h).

#include <QString>

namespace MonitorTexts {

// The entry of the menu "Komunikacja" and the caption of the monitor's window.
inline const QString kMenuEntry = QStringLiteral("&Monitor łącza");
inline const QString kTitle = QStringLiteral("Monitor łącza");
inline const QString kClear = QStringLiteral("Wyczyść");
inline const QString kSave = QStringLiteral("Zapisz…");

// The counters since the window was opened or cleared, and the reply times
// (last, mean, worst; "–" while no reply was timed).
inline const QString kCounters = QStringLiteral(
    "Zapytania: %1   Odpowiedzi: %2   Brak odpowiedzi: %3   Błędy CRC: %4   Wyjątki: %5   "
    "Inne błędne: %6   Spóźnione odrzucone: %7   Powtórzenia: %8");
inline const QString kReplyTimes =
    QStringLiteral("Czas odpowiedzi: ostatni %1 ms, średni %2 ms, najdłuższy %3 ms");
inline const QString kNoTime = QStringLiteral("–");

// The saved file: its heading, when it was saved and since when it counts,
// how many of the oldest rows were dropped to keep the last ones.
inline const QString kFileTitle = QStringLiteral("Monitor łącza WLT nastawy");
inline const QString kFileSaved = QStringLiteral("Zapisano: %1");
inline const QString kFileSince = QStringLiteral("Od: %1");
inline const QString kFileDropped = QStringLiteral("Pominięto najstarsze wiersze: %1");
inline const QString kDateTimeFormat = QStringLiteral("yyyy-MM-dd hh:mm:ss");

// The save dialog's proposed name (%1: the factory number, three digits)
// and status panel 1 after the file was written.
inline const QString kFileName = QStringLiteral("WLT_monitor_%1");
inline const QString kSaved = QStringLiteral(" Zapisano monitor łącza");
// The box when the file could not be written: the first line, then the file.
inline const QString kSaveFailed = QStringLiteral("Błąd zapisu");
inline const QString kSaveFailedFile = QStringLiteral("Nie można zapisać pliku %1.");

}  // namespace MonitorTexts
