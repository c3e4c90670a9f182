// wlt-fuzz-corpus DIR: writes the starting corpus of every fuzz target into
// DIR/<target>/ from valid inputs: the frames a controller answers with,
// settings files as the program's own writer saves them, grid texts as the
// window shows and takes them. scripts/fuzz.sh adds the shipped text files
// (data/, tests/files/data/) to the settings-file corpus.

#include "FuzzForm.h"
#include "LinkReplyInput.h"
#include "events/EventRecord.h"

#include <QDir>
#include <QFile>
#include <QString>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using LinkReplyInput::Bytes;

Bytes Frame(Bytes body) {
  const std::uint16_t crc = TMdb::Crc16(body.data(), body.size());
  body.push_back(std::uint8_t(crc & 0xFF));
  body.push_back(std::uint8_t(crc >> 8));
  return body;
}

// The reply to a read of count registers from slave, values from first on.
Bytes ReadReply(std::uint8_t slave, std::uint16_t count, std::uint16_t first) {
  Bytes body{slave, 3, std::uint8_t(2 * count)};
  for (std::uint16_t i = 0; i < count; ++i) {
    const std::uint16_t value = std::uint16_t(first + 257 * i);
    body.push_back(std::uint8_t(value >> 8));
    body.push_back(std::uint8_t(value & 0xFF));
  }
  return Frame(body);
}

Bytes WriteEcho(std::uint8_t slave, std::uint16_t reg, std::uint16_t value) {
  const std::uint16_t wire = std::uint16_t(reg - 1);
  return Frame({slave, 6, std::uint8_t(wire >> 8), std::uint8_t(wire & 0xFF), std::uint8_t(value >> 8),
                std::uint8_t(value & 0xFF)});
}

LinkReplyInput::Input Read(std::uint8_t slave, std::uint16_t first, std::uint16_t count, std::vector<Bytes> replies) {
  return {0, slave, 3, first, count, std::move(replies)};
}

LinkReplyInput::Input Write(std::uint8_t slave, std::uint16_t reg, std::uint16_t value, std::vector<Bytes> replies) {
  return {LinkReplyInput::kWrite, slave, 3, reg, value, std::move(replies)};
}

bool WriteEntry(const QString& folder, const QString& name, const QByteArray& bytes) {
  if (!QDir().mkpath(folder)) return false;
  return WriteWholeFile(QDir(folder).filePath(name), bytes);
}

bool WriteEntry(const QString& folder, const QString& name, const Bytes& bytes) {
  return WriteEntry(folder, name, QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())));
}

bool LinkCorpus(const QString& folder) {
  const Bytes settings = ReadReply(1, 120, 0x0102);
  Bytes badCrc = settings;
  badCrc.back() ^= 0x5A;
  const std::vector<std::pair<const char*, LinkReplyInput::Input>> entries = {
      {"read-settings", Read(1, 801, 120, {settings})},
      {"read-factory-number", Read(1, 898, 1, {ReadReply(1, 1, 7)})},
      {"read-clock", Read(1, 1300, 4, {ReadReply(1, 4, 0x2403)})},
      {"read-event-record", Read(1, 1321, 17, {ReadReply(1, 17, 0x0324)})},
      {"read-test-times", Read(5, 1230, 3, {ReadReply(5, 3, 0x0800)})},
      {"read-125", Read(247, 1, 125, {ReadReply(247, 125, 1)})},
      {"read-third-try", Read(1, 801, 120, {{}, {}, settings})},
      {"read-bad-crc-then-good", Read(1, 801, 120, {badCrc, settings})},
      {"read-exception", Read(1, 5000, 1, {Frame({1, 0x83, 2}), Frame({1, 0x83, 2}), Frame({1, 0x83, 2})})},
      {"read-other-slave", Read(1, 898, 1, {ReadReply(2, 1, 7)})},
      {"read-short", Read(1, 801, 120, {ReadReply(1, 119, 0x0102)})},
      {"read-silent", Read(1, 801, 120, {})},
      {"read-echoed-request", Read(1, 898, 1, {Frame({1, 3, 0x03, 0x81, 0, 1})})},
      {"read-wrong-byte-count", Read(1, 1230, 2, {Frame({1, 3, 0x99, 0x12, 0x34, 0x56, 0x78})})},
      {"write-address", Write(1, 1274, 5, {WriteEcho(1, 1274, 5)})},
      {"write-completion", Write(1, 900, 1, {WriteEcho(1, 900, 1)})},
      {"write-clock-command", Write(1, 1310, 0x0200, {WriteEcho(1, 1310, 0x0200)})},
      {"write-second-try", Write(1, 901, 15, {{}, WriteEcho(1, 901, 15)})},
      {"write-exception", Write(1, 1272, 1, {Frame({1, 0x86, 2})})},
      {"write-other-value", Write(1, 1274, 5, {WriteEcho(1, 1274, 6)})},
  };
  for (const auto& [name, input] : entries)
    if (!WriteEntry(folder, QString::fromLatin1(name), LinkReplyInput::Compose(input))) return false;
  return true;
}

// The file the program saves for the window as it stands.
bool SaveWindow(FuzzWindow& w, const QString& folder, const QString& stem) {
  if (!QDir().mkpath(folder)) return false;
  w.form.SaveDialog1.FileName = QDir(folder).filePath(stem);
  w.ui.ClearRecords();
  w.form.SaveSettingsFile();
  return w.ui.Log.isEmpty();
}

bool SettingsFileCorpus(const QString& folder) {
  // The catalogue as it stands, every value 0, no event texts.
  FuzzWindow plain;
  for (int row = 1; row <= 20; ++row) plain.form.StringGrid1.Cells(1, row) = QStringLiteral("0");
  plain.form.FactoryNumber = 0;
  if (!SaveWindow(plain, folder, QStringLiteral("WLT_nast_rejzd_000"))) return false;

  // A described controller: values in every form the grid takes, captions
  // with Polish letters, hidden and checked boxes, event texts long and
  // short, cause texts.
  FuzzWindow described;
  TForm1& form = described.form;
  form.FactoryNumber = 7;
  const QStringList values = {QStringLiteral("150"), QStringLiteral("2000"), QStringLiteral("$1F"),
                              QStringLiteral("0x10"), QStringLiteral("-4"), QStringLiteral("65535"),
                              QStringLiteral("655350"), QStringLiteral("+25")};
  for (int row = 1; row <= 20; ++row) form.StringGrid1.Cells(1, row) = values[(row - 1) % values.size()];
  for (int n = 801; n <= 910; ++n) {
    TCheckBox& box = form.CheckBox(n);
    box.Caption = n % 7 == 0 ? QString() : QStringLiteral("Zezwól %1 ąęłńóśźż").arg(n).left(19);
    box.Checked = n % 3 == 0;
    box.Visible = !box.Caption.isEmpty();
  }
  for (int n = 1; n <= 160; ++n)
    form.EventLabels[std::size_t(n)] = n % 4 == 0 ? QString()
                                       : n % 4 == 1 ? QStringLiteral(" Wejście %1").arg(n)
                                                    : QStringLiteral(" Zdarzenie numer %1 z długim opisem Ł").arg(n);
  for (int c = 0; c < 64; ++c)
    form.CauseTexts[std::size_t(c)] = c % 5 == 0 ? QString() : QStringLiteral("Przyczyna %1").arg(c + 1);
  return SaveWindow(described, folder, QStringLiteral("WLT_nastawy_007"));
}

// Event files as the window saves a readout: dated records with causes and
// states, an erased record, a group above 9, 65535 in a word; stamps in the
// short and the long form; with event texts and without.
bool EventFileCorpus(const QString& folder) {
  if (!QDir().mkpath(folder)) return false;
  FuzzWindow described;
  TForm1& form = described.form;
  for (std::size_t k = 0; k < form.EventTable.size(); ++k) {
    EventRecord::Record& record = form.EventTable[k];
    record.fill(0);
    record[0] = 0x0324;
    record[1] = std::uint16_t(0x0100 * (k % 24) + 1 + k % 28);
    record[2] = std::uint16_t(0x0100 * (k % 6) * 9 + k % 60);
    record[3 + k % 4] = std::uint16_t(1u << (k % 16));
    record[7 + k % 10] = std::uint16_t(0x8001 >> (k % 8));
  }
  form.EventTable[12][0] = 0x0C24;
  form.EventTable[12][2] = 0xB905;
  form.EventTable[20].fill(0xFFFF);
  form.EventTable[39][16] = 65535;
  form.EditTyp.Text = QStringLiteral("WLT");
  form.EditNrFabr.Text = QStringLiteral("7");
  form.EditRokProd.Text = QStringLiteral("2019");
  form.Edit5.Text = QStringLiteral("24-03-15");
  form.Edit6.Text = QStringLiteral("08:05:59");
  form.Edit7.Text = QStringLiteral("2024-03-15");
  form.Edit8.Text = QStringLiteral("08:06:01");
  for (int n = 1; n <= 160; ++n)
    form.EventLabels[std::size_t(n)] = n % 2 ? QStringLiteral(" Opis zdarzenia %1").arg(n) : QString();
  for (int c = 0; c < 64; ++c) form.CauseTexts[std::size_t(c)] = QStringLiteral("Zanik napięcia %1").arg(c + 1);
  if (!form.WriteEventFile(QDir(folder).filePath(QStringLiteral("described.dat")))) return false;

  FuzzWindow plain;  // no readout, no texts, short stamps
  plain.form.Edit7.Text = QStringLiteral("24-3-5");
  plain.form.Edit8.Text = QStringLiteral("8:06:01");
  return plain.form.WriteEventFile(QDir(folder).filePath(QStringLiteral("plain.dat")));
}

bool GridIntegerCorpus(const QString& folder) {
  const std::vector<std::pair<int, const char*>> cells = {
      {1, "150"},        {2, "2000"},        {6, "65535"},      {8, "7"},         {3, "655350"},
      {4, "655355"},     {5, "  -4"},        {7, "+25"},        {9, "$FFFF"},     {10, "0x1f"},
      {11, "X7fffffff"}, {12, "2147483647"}, {13, "-2147483648"}, {14, "$FFFFFFFF"}, {15, "0"},
      {16, "15"},        {17, "25"},         {18, "0000000000010"}, {19, "x0"},   {20, "0X00010000"},
  };
  int index = 0;
  for (const auto& [row, text] : cells) {
    QByteArray bytes(1, char(row));
    bytes += text;
    if (!WriteEntry(folder, QStringLiteral("cell-%1").arg(++index), bytes)) return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: wlt-fuzz-corpus DIR\n");
    return 2;
  }
  const QDir dir(QString::fromLocal8Bit(argv[1]));
  const bool ok = LinkCorpus(dir.filePath(QStringLiteral("link-reply"))) &&
                  SettingsFileCorpus(dir.filePath(QStringLiteral("settings-file"))) &&
                  EventFileCorpus(dir.filePath(QStringLiteral("event-file"))) &&
                  GridIntegerCorpus(dir.filePath(QStringLiteral("grid-integer")));
  if (!ok) std::fprintf(stderr, "wlt-fuzz-corpus: cannot write the corpus into %s\n", argv[1]);
  return ok ? 0 : 1;
}
