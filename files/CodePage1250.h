#pragma once
// Windows-1250, the code page of the controller's text files, to and from
// text. Linux converts with Qt's converters (ICU knows the code page); a Qt
// without ICU, as on Windows, has no converter for it, so there Windows
// converts with its own API (CodePage1250Win32.cpp, chosen at build time).
// A system that cannot convert makes every conversion fail: a file is then
// neither read as empty nor written full of "?".

#include <QByteArray>
#include <QString>
#include <QStringView>

namespace CodePage1250 {

// True when this system can convert.
bool Available();

// The bytes as text, every byte one character. False when this system
// cannot convert; text is then empty.
bool Decode(const QByteArray& bytes, QString& text);

// The text as bytes. A character the code page cannot hold becomes "?" (one
// for a character outside the 16-bit range too, and for a surrogate without
// its pair). False when this system cannot convert; bytes is then empty.
bool Encode(QStringView text, QByteArray& bytes);

}  // namespace CodePage1250
