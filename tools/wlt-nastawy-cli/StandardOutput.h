#pragma once
// The command's standard output. What a command prints is its result: a
// line that does not get out (a full disk, a pipe whose reader has gone)
// is a failure of the command, reported on standard error and ending it
// with status 1, never output silently lost.

#include <QByteArray>
#include <QString>

#include <cstdio>

class StandardOutput {
 public:
  explicit StandardOutput(std::FILE* stream) : stream_(stream) {}

  // A closed pipe answers a write with SIGPIPE, which ends a program on the
  // spot, perhaps in the middle of a save; the program takes the error
  // (EPIPE) instead and finishes what it does.
  static void TakeBrokenPipeAsError();

  // Writes the text and flushes it at once. False, and nothing more is
  // written from then on, once a write or flush has failed.
  bool Write(const QByteArray& bytes);
  bool WriteLine(const QString& line);

  // Flushes and closes the stream, where a late error may still show. True
  // when everything written got out.
  bool Close();

  bool Intact() const { return error_ == 0; }
  // The system's text of the first failure ("No space left on device").
  QString ErrorText() const;

 private:
  void Fail(int error);

  std::FILE* stream_;
  int error_ = 0;
  bool closed_ = false;
};
