#pragma once
// A headless window for the file targets and the corpus writer: TForm1 on a
// silent in-memory line with a scripted Ui and the settings catalogue in
// place, as the window has it before it loads its description file; and a
// scratch folder of this process for the files it reads and writes.

#include "FakeSerialLine.h"
#include "FakeUi.h"
#include "app/TForm1.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <memory>

struct FuzzWindow {
  FakeUi ui;
  TForm1 form{ui, std::make_unique<FakeSerialLine>()};
  FuzzWindow() { form.InitSettingsCatalogue(); }
};

// The folder, made at the first call (in /dev/shm where it can be, so the
// many small files stay in memory) and removed at the process's exit.
QString ScratchFolder();
QString ScratchFile(const QString& name);

bool WriteWholeFile(const QString& path, const QByteArray& bytes);
QByteArray ReadWholeFile(const QString& path);

// What a settings file gives the window.
struct LoadedTexts {
  std::array<std::array<QString, 3>, 21> grid;  // [row][column]
  std::array<QString, 110> boxCaptions;          // CheckBox801..910
  std::array<bool, 110> boxChecked{};
  std::array<bool, 110> boxVisible{};
  std::array<QString, 161> eventLabels;          // EventLabels 1..160
  std::array<QString, 64> causeTexts;
  bool operator==(const LoadedTexts&) const = default;
};
LoadedTexts TextsOf(const TForm1& form);
