#pragma once
// The program's files on disk as whole byte strings: the text files go
// through here (files/TextFile), and so do the PDF printouts. A file is read
// only when it is a regular file, and replaced only in one step, by a
// complete new file renamed over the old name. What the name is cannot make
// the program wait or write elsewhere: a FIFO, a device or a folder is
// refused at once, without being opened, and a symbolic link is itself
// replaced, never the file it points to. QtCore only.

#include <QByteArray>
#include <QString>

namespace DiskFile {

// The whole file, when path is a regular file (or a link to one) of at most
// maxSize bytes. False for anything else, and on a read error.
bool ReadRegular(const QString& path, qint64 maxSize, QByteArray& bytes);

// Makes path a regular file holding exactly bytes. The bytes go into a
// temporary file in path's folder, are synced, and the temporary file is
// renamed over path; a file path named before keeps its permissions.
// path must be missing, a regular file or a symbolic link (a link is
// replaced by the new file; what it points to stays as it was). False when
// it is anything else and on any error; path is then as it was before and
// no temporary file is left, except one a crash cut off (see README).
bool Replace(const QString& path, const QByteArray& bytes);

// True when both names lead to one existing file: the same name, a link to
// it, or another hard link of it.
bool SameFile(const QString& a, const QString& b);

}  // namespace DiskFile
