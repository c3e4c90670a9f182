#include "files/TextFile.h"

#include "files/DiskFile.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace TextFile {
namespace {

const char* const kCodePage = "windows-1250";

bool ReadBytes(const QString& path, QByteArray& bytes) { return DiskFile::ReadRegular(path, kMaxFileSize, bytes); }

bool WriteBytes(const QString& path, const QByteArray& bytes) { return DiskFile::Replace(path, bytes); }

QByteArray EncodeLine(const QString& line) {
  QStringEncoder encoder(kCodePage);
  QByteArray bytes = encoder.encode(line);
  if (!encoder.hasError()) return bytes;
  // Character by character, so that only what the code page lacks becomes "?".
  bytes.clear();
  for (qsizetype i = 0; i < line.size(); ++i) {
    const qsizetype length = line[i].isHighSurrogate() && i + 1 < line.size() ? 2 : 1;
    QStringEncoder single(kCodePage);
    const QByteArray one = single.encode(QStringView(line).mid(i, length));
    bytes += single.hasError() ? QByteArray("?") : one;
    i += length - 1;
  }
  return bytes;
}

}  // namespace

QStringList Decode(const QByteArray& bytes) {
  QStringDecoder decoder(kCodePage);
  const QString text = decoder.decode(bytes);
  QStringList lines;
  qsizetype start = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c != QLatin1Char('\r') && c != QLatin1Char('\n')) continue;
    lines << text.mid(start, i - start);
    if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')) ++i;
    start = i + 1;
  }
  if (start < text.size()) lines << text.mid(start);
  return lines;
}

QByteArray Encode(const QStringList& lines) {
  QByteArray bytes;
  for (const QString& line : lines) {
    bytes += EncodeLine(line);
    bytes += "\r\n";
  }
  return bytes;
}

bool ReadLines(const QString& path, QStringList& lines) {
  lines.clear();
  QByteArray bytes;
  if (!ReadBytes(path, bytes)) return false;
  lines = Decode(bytes);
  return true;
}

bool WriteLines(const QString& path, const QStringList& lines) { return WriteBytes(path, Encode(lines)); }

bool CopyFile(const QString& from, const QString& to) {
  QByteArray bytes;
  return ReadBytes(from, bytes) && WriteBytes(to, bytes);
}

}  // namespace TextFile
