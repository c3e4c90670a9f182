// The rows of the link's events as the monitor, its file and --trace show
// them, and the names of the exception codes.

#include "LinkTestHelpers.h"
#include "mdbcomp/LinkRows.h"
#include "mdbcomp/ModbusExceptions.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const Bytes kRead801 = WithCrc({1, 3, 0x03, 0x20, 0, 120});
const Bytes kWrite1272 = WithCrc({1, 6, 0x04, 0xF7, 0, 8});

LinkEvent Event(LinkEvent::Kind what, const Bytes& request, const Bytes* reply = nullptr) {
  LinkEvent e;
  e.What = what;
  e.Request = request.data();
  e.RequestLength = request.size();
  if (reply) {
    e.Reply = reply->data();
    e.ReplyLength = reply->size();
  }
  e.Try = 1;
  e.Tries = 3;
  return e;
}

std::string LineOf(const LinkEvent& e) {
  LinkRow row;
  if (!LinkRows::Make(e, row)) return "(no row)";
  row.Time = "12:00:00.125";
  return LinkRows::Line(row);
}

}  // namespace

// Time, direction, slave, function, register, count or value aligned under
// the column names; the outcome; the bytes after " | ".
TEST(LinkRows, EachEventAsOneLine) {
  const Bytes exception = WithCrc({1, 0x83, 2});
  const Bytes crcBroken = {1, 3, 2, 0, 7, 0, 0};
  const Bytes echo = kWrite1272;
  const Bytes wrongCount = WithCrc({1, 3, 4, 0, 7});
  struct Case {
    const char* name;
    LinkEvent event;
    std::string line;
  };
  LinkEvent sent = Event(LinkEvent::Kind::RequestSent, kRead801);
  sent.Try = 2;
  LinkEvent excepted = Event(LinkEvent::Kind::ReplyReceived, kRead801, &exception);
  excepted.Verdict = ReplyVerdict::Exception;
  excepted.ExceptionCode = 2;
  excepted.ElapsedUs = 11499;
  LinkEvent corrupted = Event(LinkEvent::Kind::ReplyReceived, kRead801, &crcBroken);
  corrupted.Verdict = ReplyVerdict::BadCrc;
  corrupted.ElapsedUs = 11500;
  LinkEvent written = Event(LinkEvent::Kind::ReplyReceived, kWrite1272, &echo);
  written.ElapsedUs = 9000;
  LinkEvent counted = Event(LinkEvent::Kind::ReplyReceived, kRead801, &wrongCount);
  counted.Verdict = ReplyVerdict::WrongByteCount;
  counted.ElapsedUs = 3000;
  LinkEvent silent = Event(LinkEvent::Kind::TryFailed, kRead801);
  silent.Verdict = ReplyVerdict::NoReply;
  silent.ElapsedUs = 2970400;
  LinkEvent late;
  late.What = LinkEvent::Kind::LateReplyDiscarded;
  late.Discarded = 245;
  LinkEvent retried = Event(LinkEvent::Kind::TransactionEnded, kRead801);
  retried.Result = true;
  retried.Try = 3;
  LinkEvent gaveUp = Event(LinkEvent::Kind::TransactionEnded, kWrite1272);
  gaveUp.Verdict = ReplyVerdict::BadCrc;
  gaveUp.Try = 3;
  LinkEvent refused = Event(LinkEvent::Kind::TransactionEnded, kRead801);
  refused.Verdict = ReplyVerdict::Exception;

  const Case cases[] = {
      {"request", sent,
       "12:00:00.125  TX         1        3      801             120  zapytanie, próba 2 z 3 | 01 03 03 20 00 78 44 66"},
      {"exception", excepted,
       "12:00:00.125  RX         1      131      801                  wyjątek 2: niedozwolony adres danych "
       "(Illegal Data Address), 11 ms | 01 83 02 C0 F1"},
      {"bad CRC", corrupted,
       "12:00:00.125  RX         1        3      801               1  błędna suma CRC, 12 ms | 01 03 02 00 07 00 00"},
      {"write echo", written,
       "12:00:00.125  RX         1        6     1272               8  odpowiedź poprawna, 9 ms | " + Hex(echo)},
      {"byte count", counted,
       "12:00:00.125  RX         1        3      801               2  błędna liczba bajtów danych (4 zamiast 240), "
       "3 ms | " + Hex(wrongCount)},
      {"time-out", silent, "12:00:00.125  --         1        3      801             120  brak odpowiedzi po 2970 ms"},
      {"late reply", late, "12:00:00.125  --   " + std::string(43, ' ') + "odrzucono spóźnioną odpowiedź (245 B)"},
      {"retried", retried,
       "12:00:00.125  --         1        3      801             120  wynik: poprawna odpowiedź w próbie 3 z 3"},
      {"gave up", gaveUp, "12:00:00.125  --         1        6     1272               8  wynik: brak komunikacji po 3 próbach"},
      {"refused", refused, "12:00:00.125  --         1        3      801             120  wynik: odpowiedź odrzucona"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(LineOf(c.event), c.line);
  }
  EXPECT_EQ(LinkRows::HeaderLine(),
            "Czas          Kier.  Adres  Funkcja  Rejestr  Liczba/wartość  Wynik | Bajty");
}

// A failed try whose reply has a row of its own, and a transaction answered
// at its first try, add no row.
TEST(LinkRows, NoRowWhereAnotherSaysItAll) {
  const Bytes exception = WithCrc({1, 0x83, 2});
  LinkEvent failed = Event(LinkEvent::Kind::TryFailed, kRead801, &exception);
  failed.Verdict = ReplyVerdict::Exception;
  EXPECT_EQ(LineOf(failed), "(no row)");
  LinkEvent ended = Event(LinkEvent::Kind::TransactionEnded, kRead801);
  ended.Result = true;
  EXPECT_EQ(LineOf(ended), "(no row)");
  LinkEvent once = ended;
  once.Result = false;
  once.Verdict = ReplyVerdict::NoReply;
  once.Tries = 1;
  EXPECT_NE(LineOf(once).find("wynik: brak komunikacji po 1 próbie"), std::string::npos);
}

TEST(LinkRows, MillisecondsAreRounded) {
  EXPECT_EQ(LinkRows::Milliseconds(0), "0");
  EXPECT_EQ(LinkRows::Milliseconds(499), "0");
  EXPECT_EQ(LinkRows::Milliseconds(500), "1");
  EXPECT_EQ(LinkRows::Milliseconds(630000), "630");
  EXPECT_EQ(LinkRows::Milliseconds(0xFFFFFFFFu), "4294967");
}

TEST(ModbusExceptions, StandardCodesHaveTheirNames) {
  struct Case {
    std::uint8_t code;
    const char* polish;
    const char* standard;
  };
  const Case cases[] = {
      {1, "niedozwolona funkcja", "Illegal Function"},
      {2, "niedozwolony adres danych", "Illegal Data Address"},
      {3, "niedozwolona wartość danych", "Illegal Data Value"},
      {4, "awaria urządzenia podrzędnego", "Slave Device Failure"},
      {6, "urządzenie podrzędne zajęte", "Slave Device Busy"},
      {11, "urządzenie za bramą nie odpowiada", "Gateway Target Device Failed to Respond"},
      {0, "nieznany kod wyjątku", "Unknown Exception"},
      {9, "nieznany kod wyjątku", "Unknown Exception"},
      {0x83, "nieznany kod wyjątku", "Unknown Exception"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(int(c.code));
    EXPECT_STREQ(ModbusExceptions::PolishName(c.code), c.polish);
    EXPECT_STREQ(ModbusExceptions::StandardName(c.code), c.standard);
  }
}

// Only an exception of the addressed slave to the function asked, that
// came whole, is one.
TEST(ModbusExceptions, TheCodeOfATransactionsReply) {
  struct Case {
    const char* name;
    bool answered;
    Bytes reply;
    int code;
  };
  const Case cases[] = {
      {"exception", true, WithCrc({1, 0x83, 3}), 3},
      {"not answered", false, WithCrc({1, 0x83, 3}), 0},
      {"another slave's", true, WithCrc({2, 0x83, 3}), 0},
      {"to another function", true, WithCrc({1, 0x86, 3}), 0},
      {"a plain reply", true, ReadReply(1, {7}), 0},
      {"too long", true, WithCrc({1, 0x83, 3, 0}), 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ModbusExceptions::CodeOfReply(c.answered, kRead801.data(), c.reply.data(), c.reply.size()), c.code);
  }
}
