// Windows-1250 through Qt's converters: ICU on Linux. A Qt built without ICU
// gives converters that are not valid, and they fail here instead of
// decoding nothing or encoding "?".

#include "files/CodePage1250.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace CodePage1250 {
namespace {

const char* const kName = "windows-1250";

}  // namespace

bool Available() { return QStringDecoder(kName).isValid() && QStringEncoder(kName).isValid(); }

bool Decode(const QByteArray& bytes, QString& text) {
  text.clear();
  QStringDecoder decoder(kName);
  if (!decoder.isValid()) return false;
  text = decoder.decode(bytes);
  return true;
}

bool Encode(QStringView text, QByteArray& bytes) {
  bytes.clear();
  QStringEncoder encoder(kName);
  if (!encoder.isValid()) return false;
  bytes = encoder.encode(text);
  if (!encoder.hasError()) return true;
  // Character by character, so that only what the code page lacks becomes "?".
  bytes.clear();
  for (qsizetype i = 0; i < text.size(); ++i) {
    const bool pair = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
    const qsizetype length = pair ? 2 : 1;
    QStringEncoder single(kName);
    const QByteArray one = single.encode(text.mid(i, length));
    bytes += single.hasError() || one.isEmpty() ? QByteArray("?") : one;
    i += length - 1;
  }
  return true;
}

}  // namespace CodePage1250
