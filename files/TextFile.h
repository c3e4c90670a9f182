#pragma once
// The one place where the program's text files meet the disk. The files are
// Windows-1250 text with CR LF line ends. A reader gets the whole file as
// decoded lines; a writer hands over every line of the file at once and the
// file is replaced in one step, so a failed write never leaves a half-written
// file in place of the old one.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace TextFile {

// Larger files are none of ours; reading one is refused rather than taking
// the memory it would need.
constexpr qint64 kMaxFileSize = 16 * 1024 * 1024;

// Bytes in Windows-1250 to lines. A line ends at CR LF, and also at a lone LF
// or a lone CR; a last line without its end still counts, and the end of the
// last line opens no further empty line. No lines where the system cannot
// convert the code page (files/CodePage1250.h; ReadLines fails then).
QStringList Decode(const QByteArray& bytes);

// Lines to Windows-1250 bytes, every line followed by CR LF. A character the
// code page cannot hold is written as "?". No bytes where the system cannot
// convert the code page (WriteLines fails then).
QByteArray Encode(const QStringList& lines);

// The whole file as lines. False when it cannot be opened or read (a folder,
// a missing file, a FIFO or device, a file past kMaxFileSize) or its code
// page not converted; lines is then left empty.
bool ReadLines(const QString& path, QStringList& lines);

// Writes the lines as the whole file: into a temporary file in the same
// folder, renamed over path only when complete (DiskFile::Replace: a link
// named path is replaced, not written through). False on any error (the
// code page not converted among them) and for a path that is no regular
// file or link; the old file then stays as it was.
bool WriteLines(const QString& path, const QStringList& lines);

// Writes text as a whole file in UTF-8 with a byte order mark (the one
// file that leaves the code page: a table for spreadsheets, which take
// UTF-8 for such a file without asking), in the same single step as
// WriteLines. The text carries its own line ends.
bool WriteUtf8WithBom(const QString& path, const QString& text);

// Copies the bytes of one file over another in the same single step. False
// when the source cannot be read or the target not written; the old target
// then stays as it was.
bool CopyFile(const QString& from, const QString& to);

}  // namespace TextFile
