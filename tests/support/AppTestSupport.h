#pragma once
// Helpers of the window tests: readable QString failures, a temporary current
// folder, and a window on a fake controller line.

#include "FakeControllerLine.h"
#include "FakeUi.h"
#include "app/TForm1.h"

#include <QDir>
#include <QString>
#include <QTemporaryDir>

#include <memory>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

// Makes a fresh empty folder the current one for the test's lifetime: the
// start-up looks for description files there.
class TempCurrentFolder {
 public:
  TempCurrentFolder() : previous_(QDir::currentPath()) { QDir::setCurrent(dir_.path()); }
  ~TempCurrentFolder() { QDir::setCurrent(previous_); }
  bool Valid() const { return dir_.isValid(); }
  QString Path() const { return dir_.path(); }
  // Creates a file in the folder with the given content.
  bool WriteFile(const QString& name, const QByteArray& content) const;

 private:
  QTemporaryDir dir_;
  QString previous_;
};

#include <QFile>

inline bool TempCurrentFolder::WriteFile(const QString& name, const QByteArray& content) const {
  QFile file(QDir(dir_.path()).filePath(name));
  return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

// A window on a fake controller; the test keeps the line's state.
struct FakeWindow {
  FakeUi ui;
  std::shared_ptr<FakeControllerLine::State> line = std::make_shared<FakeControllerLine::State>();
  TForm1 form{ui, std::make_unique<FakeControllerLine>(line)};

  // A controller with this factory number and production year.
  void SetController(std::uint16_t factoryNumber, std::uint16_t year) {
    line->Registers[898] = factoryNumber;
    line->Registers[899] = year;
  }
};

// The 120-register read of registers 801 to 920 at slave 1, as on the wire.
inline const std::string kSettingsReadAtSlave1 = "01 03 03 20 00 78 44 66";
