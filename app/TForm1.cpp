// The window object: construction, the numbered control families and the
// lookup of controls by name. The controls themselves are laid down in
// WindowLayout.cpp; start-up in StartUp.cpp.

#include "app/TForm1.h"

#include <utility>

TForm1::TForm1(Ui& ui, std::unique_ptr<SerialLine> line) : Mdb1(std::move(line)), ui_(ui) {
  // Mdb1's stored properties: the window brings them, start-up then sets the
  // bit rate and parity the transmission page shows.
  Mdb1.BaudRate = br9600;
  Mdb1.Port = COM1;
  Mdb1.Parity = prOdd;
  Mdb1.StopBits = sbOneStopBit;
  Mdb1.EnableDTR = true;
  Mdb1.EnableRTS = true;
  Mdb1.OnOpen = nullptr;
  Mdb1.OnClose = nullptr;
  Mdb1.OnShowSt = nullptr;
  BuildControls();
  BuildMonitorControls();
}

// Mdb1 closes its port when it is destroyed; FormDestroy has normally done it.
// The monitor goes first: the link must not report into it on the way out.
TForm1::~TForm1() { Mdb1.SetObserver(nullptr); }

TCheckBox& TForm1::CheckBox(int number) {
  if (number >= 1 && number <= kEventIndicators) return eventCheckBoxes_[std::size_t(number - 1)];
  if (number >= 801 && number <= 910) return programCheckBoxes_[std::size_t(number - 801)];
  noCheckBox_ = TCheckBox{};
  return noCheckBox_;
}

const TCheckBox& TForm1::CheckBox(int number) const {
  static const TCheckBox kNone{};
  if (number >= 1 && number <= kEventIndicators) return eventCheckBoxes_[std::size_t(number - 1)];
  if (number >= 801 && number <= 910) return programCheckBoxes_[std::size_t(number - 801)];
  return kNone;
}

TLabel& TForm1::zdLabel(int number) {
  if (number >= 1 && number <= kEventIndicators) return zdLabels_[std::size_t(number - 1)];
  noLabel_ = TLabel{};
  return noLabel_;
}

const TLabel& TForm1::zdLabel(int number) const {
  static const TLabel kNone{};
  if (number >= 1 && number <= kEventIndicators) return zdLabels_[std::size_t(number - 1)];
  return kNone;
}

void TForm1::RegisterControl(TControl& control, const QString& name) {
  control.Name = name;
  controls_.push_back(&control);
}

TControl* TForm1::FindControl(const QString& name) {
  if (name.isEmpty()) return nullptr;
  for (TControl* control : controls_)
    if (control->Name == name) return control;
  return nullptr;
}
