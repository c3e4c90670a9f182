#pragma once
// Every text the link's rows show, in the window's monitor, in its saved
// file and on the terminal: Polish, UTF-8. printf formats where a text takes
// numbers; "%s ms" takes a time as LinkRows formats it.

namespace LinkTexts {

// Direction of a row: a frame sent, a frame received, or no frame (a try's
// end without a reply, a transaction's result).
inline constexpr const char* kSent = "TX";
inline constexpr const char* kReceived = "RX";
inline constexpr const char* kNoFrame = "--";

// The columns of the rows, in their order.
inline constexpr const char* kTimeColumn = "Czas";
inline constexpr const char* kDirectionColumn = "Kier.";
inline constexpr const char* kSlaveColumn = "Adres";
inline constexpr const char* kFunctionColumn = "Funkcja";
inline constexpr const char* kRegisterColumn = "Rejestr";
inline constexpr const char* kQuantityColumn = "Liczba/wartość";
inline constexpr const char* kOutcomeColumn = "Wynik";
inline constexpr const char* kBytesColumn = "Bajty";

// A request: try %u of %u.
inline constexpr const char* kRequest = "zapytanie, próba %u z %u";

// A reply, by how the try ended; each ends with the time since the request.
inline constexpr const char* kAccepted = "odpowiedź poprawna, %s ms";
inline constexpr const char* kBadCrc = "błędna suma CRC, %s ms";
inline constexpr const char* kOtherSlave = "odpowiedź innego urządzenia (adres %u), %s ms";
// Code, Polish name, standard name, time.
inline constexpr const char* kException = "wyjątek %u: %s (%s), %s ms";
inline constexpr const char* kWrongFunction = "odpowiedź innej funkcji (%u), %s ms";
inline constexpr const char* kRequestEchoed = "wróciło wysłane zapytanie (echo linii), %s ms";
inline constexpr const char* kWrongByteCount = "błędna liczba bajtów danych (%u zamiast %u), %s ms";
inline constexpr const char* kWrongLength = "błędna długość odpowiedzi (%u B zamiast %u B), %s ms";
inline constexpr const char* kEchoDiffers = "echo różni się od zapytania, %s ms";

// A try without any reply, after %s ms; no port to send on.
inline constexpr const char* kNoReply = "brak odpowiedzi po %s ms";
inline constexpr const char* kPortClosed = "port zamknięty, nic nie wysłano";
// Bytes (%u) that came after their try had given up, thrown away before the
// next request.
inline constexpr const char* kLateDiscarded = "odrzucono spóźnioną odpowiedź (%u B)";

// A transaction's result, where the row of its last reply does not say it
// all: answered on a later try (%u of %u); no valid frame in %u tries; a
// frame came, but not the answer asked for.
inline constexpr const char* kResultRetried = "wynik: poprawna odpowiedź w próbie %u z %u";
inline constexpr const char* kResultNoAnswer = "wynik: brak komunikacji po %u próbach";
inline constexpr const char* kResultNoAnswerOnce = "wynik: brak komunikacji po 1 próbie";
inline constexpr const char* kResultRefused = "wynik: odpowiedź odrzucona";

// Modbus exception codes: the Polish name of each standard one, and the
// texts for a code the standard does not name.
inline constexpr const char* kIllegalFunction = "niedozwolona funkcja";
inline constexpr const char* kIllegalDataAddress = "niedozwolony adres danych";
inline constexpr const char* kIllegalDataValue = "niedozwolona wartość danych";
inline constexpr const char* kSlaveDeviceFailure = "awaria urządzenia podrzędnego";
inline constexpr const char* kAcknowledge = "potwierdzenie, przetwarzanie trwa";
inline constexpr const char* kSlaveDeviceBusy = "urządzenie podrzędne zajęte";
inline constexpr const char* kNegativeAcknowledge = "potwierdzenie negatywne";
inline constexpr const char* kMemoryParityError = "błąd parzystości pamięci";
inline constexpr const char* kGatewayPathUnavailable = "ścieżka bramy niedostępna";
inline constexpr const char* kGatewayTargetFailed = "urządzenie za bramą nie odpowiada";
inline constexpr const char* kUnknownException = "nieznany kod wyjątku";

}  // namespace LinkTexts
