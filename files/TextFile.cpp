#include "files/TextFile.h"

#include "files/CodePage1250.h"
#include "files/DiskFile.h"

namespace TextFile {
namespace {

bool ReadBytes(const QString& path, QByteArray& bytes) { return DiskFile::ReadRegular(path, kMaxFileSize, bytes); }

bool WriteBytes(const QString& path, const QByteArray& bytes) { return DiskFile::Replace(path, bytes); }

// The lines as the file's bytes, CR LF after each; false when this system
// cannot convert the code page.
bool EncodeLines(const QStringList& lines, QByteArray& bytes) {
  bytes.clear();
  for (const QString& line : lines) {
    QByteArray encoded;
    if (!CodePage1250::Encode(line, encoded)) {
      bytes.clear();
      return false;
    }
    bytes += encoded;
    bytes += "\r\n";
  }
  return true;
}

// The bytes as lines; false when this system cannot convert the code page.
bool DecodeLines(const QByteArray& bytes, QStringList& lines) {
  lines.clear();
  QString text;
  if (!CodePage1250::Decode(bytes, text)) return false;
  qsizetype start = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c != QLatin1Char('\r') && c != QLatin1Char('\n')) continue;
    lines << text.mid(start, i - start);
    if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')) ++i;
    start = i + 1;
  }
  if (start < text.size()) lines << text.mid(start);
  return true;
}

}  // namespace

QStringList Decode(const QByteArray& bytes) {
  QStringList lines;
  DecodeLines(bytes, lines);
  return lines;
}

QByteArray Encode(const QStringList& lines) {
  QByteArray bytes;
  EncodeLines(lines, bytes);
  return bytes;
}

bool ReadLines(const QString& path, QStringList& lines) {
  lines.clear();
  QByteArray bytes;
  return ReadBytes(path, bytes) && DecodeLines(bytes, lines);
}

bool WriteLines(const QString& path, const QStringList& lines) {
  QByteArray bytes;
  return EncodeLines(lines, bytes) && WriteBytes(path, bytes);
}

bool WriteUtf8WithBom(const QString& path, const QString& text) {
  return WriteBytes(path, QByteArray("\xEF\xBB\xBF") + text.toUtf8());
}

bool CopyFile(const QString& from, const QString& to) {
  QByteArray bytes;
  return ReadBytes(from, bytes) && WriteBytes(to, bytes);
}

}  // namespace TextFile
