// The text files' code page, Windows-1250, byte for byte the same on every
// system: Linux converts with Qt's converters, Windows with its own API (this
// file is also built into windows_core_tests.exe and run under wine). Only
// QtCore and the file place: nothing here needs POSIX.

#include "files/TextFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Windows-1250 from 0x80 to 0xFF. The five bytes the code page leaves
// unassigned (0x81, 0x83, 0x88, 0x90, 0x98) stand for the control characters
// of the same number, so that every byte of a file comes back.
constexpr char16_t kUpperHalf[128] = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x0088, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,  // 88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,  // 98
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,  // A0
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,  // A8
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,  // B8
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,  // C0
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,  // C8
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,  // D0
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,  // D8
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,  // E0
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,  // E8
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,  // F0
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,  // F8
};

char16_t CharacterOf(int byte) { return byte < 0x80 ? char16_t(byte) : kUpperHalf[byte - 0x80]; }

// Every byte but the line ends CR and LF, in order.
QByteArray AllBytesButLineEnds() {
  QByteArray bytes;
  for (int b = 0; b < 256; ++b)
    if (b != '\r' && b != '\n') bytes += char(b);
  return bytes;
}

TEST(TextFileCodePage, EveryByteReadsAsItsCharacter) {
  const QByteArray bytes = AllBytesButLineEnds();
  const QStringList lines = TextFile::Decode(bytes);
  ASSERT_EQ(lines.size(), 1);
  ASSERT_EQ(lines[0].size(), bytes.size());
  for (qsizetype i = 0; i < bytes.size(); ++i) {
    const int byte = static_cast<unsigned char>(bytes[i]);
    EXPECT_EQ(lines[0][i].unicode(), CharacterOf(byte)) << "byte 0x" << std::hex << byte;
  }
}

TEST(TextFileCodePage, EveryCharacterOfTheCodePageWritesAsItsByte) {
  QString text;
  for (int b = 0; b < 256; ++b)
    if (b != '\r' && b != '\n') text += QChar(CharacterOf(b));
  EXPECT_EQ(TextFile::Encode({text}), AllBytesButLineEnds() + "\r\n");
}

TEST(TextFileCodePage, EveryOtherCharacterWritesAsAQuestionMark) {
  // The whole 16-bit range but the surrogates: what the table holds comes
  // out as its byte, the rest as "?", never as a look-alike ("A" for "Ā").
  QString text;
  QByteArray expected;
  QByteArray byteOf(0x10000, '?');
  for (int b = 0; b < 256; ++b) byteOf[CharacterOf(b)] = char(b);
  for (int c = 0; c < 0x10000; ++c) {
    if ((c >= 0xD800 && c <= 0xDFFF) || c == '\r' || c == '\n') continue;
    text += QChar(char16_t(c));
    expected += byteOf[c];
  }
  const QByteArray written = TextFile::Encode({text});
  ASSERT_EQ(written.size(), expected.size() + 2);
  EXPECT_EQ(written.left(expected.size()), expected);
  qsizetype first = 0;
  while (first < expected.size() && written[first] == expected[first]) ++first;
  EXPECT_EQ(first, expected.size()) << "first difference at character U+" << std::hex
                                    << int(text.at(first).unicode());
}

TEST(TextFileCodePage, WhatTheCodePageCannotHold) {
  const struct {
    QString text;
    QByteArray bytes;
  } cases[] = {
      {QStringLiteral("Zażółć gęślą jaźń"), "Za\xbf\xf3\xb3\xe6 g\xea\x9cl\xb9 ja\x9f\xf1\r\n"},
      {QStringLiteral("a中ą\U0001F600b"), "a?\xb9?b\r\n"},  // one "?" for a pair
      {QStringLiteral("ĀÀÅ€“”"), "???\x80\x93\x94\r\n"},
      {QString(QChar(0xD800)) + QStringLiteral("x"), "?x\r\n"},  // half a pair
      {QStringLiteral("x") + QChar(0xDC00), "x?\r\n"},
      {QString(), "\r\n"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(TextFile::Encode({c.text}).toHex(' '), c.bytes.toHex(' ')) << c.text.toStdString();
}

TEST(TextFileCodePage, FilesOnDiskAreTheBytesOfTheCodePage) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString path = QDir(dir.path()).filePath(QStringLiteral("WLT_nastawy_007.txt"));
  const QStringList lines = {QStringLiteral("WLT - nastawy 007"), QStringLiteral("1 Załączenie ŁĄCZNIKA"),
                             QString()};
  ASSERT_TRUE(TextFile::WriteLines(path, lines));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), QByteArray("WLT - nastawy 007\r\n1 Za\xb3\xb9" "czenie \xa3\xa5" "CZNIKA\r\n\r\n"));
  file.close();
  QStringList read;
  ASSERT_TRUE(TextFile::ReadLines(path, read));
  EXPECT_EQ(read, lines);
}

}  // namespace
