// Windows-1250 through the Win32 API: Qt on Windows is built without ICU, so
// Qt has no converter for the code page there, but Windows has it built in.

#include "files/CodePage1250.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

namespace CodePage1250 {
namespace {

constexpr UINT kCodePage = 1250;

// A run of 16-bit characters without surrogates, appended to bytes. Only a
// character that comes back as itself is taken (no "best fit": a Latin
// letter for a letter the code page lacks), as Qt's converter does.
bool EncodeRun(const wchar_t* run, int length, QByteArray& bytes) {
  if (length == 0) return true;
  BOOL usedDefault = FALSE;
  const int size = ::WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, run, length, nullptr, 0, "?",
                                         &usedDefault);
  if (size <= 0) return false;
  const qsizetype start = bytes.size();
  bytes.resize(start + size);
  return ::WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, run, length, bytes.data() + start, size, "?",
                               &usedDefault) == size;
}

}  // namespace

bool Available() { return ::IsValidCodePage(kCodePage) != 0; }

bool Decode(const QByteArray& bytes, QString& text) {
  text.clear();
  if (!Available()) return false;
  if (bytes.isEmpty()) return true;
  // Without MB_ERR_INVALID_CHARS: the five bytes the code page leaves
  // unassigned (0x81, 0x83, 0x88, 0x90, 0x98) become the control characters
  // of the same number, as with ICU, so that every byte comes back.
  const int length = int(bytes.size());
  const int size = ::MultiByteToWideChar(kCodePage, 0, bytes.constData(), length, nullptr, 0);
  if (size <= 0) return false;
  text.resize(size);
  if (::MultiByteToWideChar(kCodePage, 0, bytes.constData(), length, reinterpret_cast<wchar_t*>(text.data()),
                            size) != size) {
    text.clear();
    return false;
  }
  return true;
}

bool Encode(QStringView text, QByteArray& bytes) {
  bytes.clear();
  if (!Available()) return false;
  const auto* units = reinterpret_cast<const wchar_t*>(text.utf16());
  qsizetype runStart = 0;
  for (qsizetype i = 0; i <= text.size(); ++i) {
    if (i < text.size() && !text[i].isSurrogate()) continue;
    if (!EncodeRun(units + runStart, int(i - runStart), bytes)) {
      bytes.clear();
      return false;
    }
    if (i == text.size()) break;
    // A character outside the 16-bit range (a pair) or half of one: one "?".
    if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ++i;
    bytes += '?';
    runStart = i + 1;
  }
  return true;
}

}  // namespace CodePage1250
