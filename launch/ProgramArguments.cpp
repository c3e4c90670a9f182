#include "launch/ProgramArguments.h"

#include <QFileInfo>

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#include <shellapi.h>
#endif

namespace ProgramArguments {
namespace {

// Every argument with the program's own first.
QStringList FullCommandLine(int argc, char** argv) {
  QStringList all;
#ifdef _WIN32
  int count = 0;
  if (wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count)) {
    for (int i = 0; i < count; ++i) all << QString::fromWCharArray(wide[i]);
    ::LocalFree(wide);
    // The C library's argv may lack what the wide line holds only when
    // they disagree in count (a program started with a made-up argv).
    if (count == argc) return all;
    all.clear();
  }
#endif
  for (int i = 0; i < argc; ++i) all << QString::fromLocal8Bit(argv[i]);
  return all;
}

}  // namespace

QStringList Arguments(int argc, char** argv) {
  QStringList all = FullCommandLine(argc, argv);
  if (!all.isEmpty()) all.removeFirst();
  return all;
}

QString ProgramName(int argc, char** argv) {
  const QStringList all = FullCommandLine(argc, argv);
  return all.isEmpty() ? QString() : QFileInfo(all.first()).fileName();
}

void UseUtf8Console() {
#ifdef _WIN32
  ::SetConsoleOutputCP(CP_UTF8);
#endif
}

}  // namespace ProgramArguments
