#pragma once
// The reading rule that every section of the text files shares: section
// headings found by whole-line comparison, and numbered lines, each a
// number followed by the rest of its line.
//
// A numbered line is read as: blanks, control characters and line ends are
// skipped; the number is the run of characters up to the next blank or
// control character and must be a decimal integer of at most 32 characters;
// the rest is everything behind it up to the end of that line, blanks
// included, so it is empty or starts with a blank or control character. At
// the end of the file the number is 0 and the rest is empty.

#include <QString>
#include <QStringList>

#include <initializer_list>
#include <optional>

namespace NumberedLines {

// Blanks and control characters: what the readers skip and trim.
bool IsBlank(QChar c);
QString TrimLeft(const QString& text);
QString Trim(const QString& text);

// A field as an integer: leading blanks, an optional sign and decimal digits
// in the 32-bit range, nothing behind the digits (not even a blank).
std::optional<int> FieldToInt(const QString& text);

struct Line {
  int number = 0;
  QString rest;
};

// Reads the lines of one file, from the first line on.
class Reader {
 public:
  explicit Reader(const QStringList& lines) : lines_(lines) {}

  // Reads whole lines up to and including the first one equal (exactly,
  // case-sensitively) to one of the headings. False when there is none, or
  // when nothing follows it.
  bool FindHeading(std::initializer_list<QString> headings);
  // Passes over the rest of the current line.
  void SkipLine();
  bool AtEnd() const { return row_ >= lines_.size(); }
  // The next numbered line. False for an input error: a number that is no
  // decimal integer (the position is then undefined; the reading ends).
  bool Read(Line& line);

 private:
  const QStringList lines_;  // shared with the caller's list, not copied
  qsizetype row_ = 0;
  qsizetype column_ = 0;
};

}  // namespace NumberedLines
