// The network address of the controller's second serial port and its system
// signal: each a confirmation, a presence probe and one register write.

#include "app/TForm1.h"
#include "services/ServiceRegisters.h"
#include "services/ServiceTexts.h"

void TForm1::Button3Click() {
  if (ConfirmOperation(ServiceTexts::SetAddressQuestionPrefix + QString::number(SpinEdit2.Value()) +
                       ServiceTexts::SetAddressQuestionSuffix))
    SetNetworkAddress();
}

// The address goes to the controller's second port only; the program's own
// SlaveAddress stays as it is.
bool TForm1::SetNetworkAddress() {
  StatusBar1.Panels[1].Text.clear();
  // A typed 0 stands in the spin edit until corrected; it is no address.
  const int address = SpinEdit2.Value();
  if (address < ServiceRegisters::kMinNetworkAddress || address > ServiceRegisters::kMaxNetworkAddress) {
    StatusBar1.Panels[1].Text = ServiceTexts::InvalidValue;
    ui_.Beep();
    return false;
  }
  std::uint16_t probe = 0;
  if (!Mdb1.ReadRegisters(SlaveAddress, ServiceRegisters::kNetworkAddress, 1, &probe) ||
      !Mdb1.WriteRegister(SlaveAddress, ServiceRegisters::kNetworkAddress, std::uint16_t(address))) {
    ReportNoCommunication(true);
    return false;
  }
  StatusBar1.Panels[1].Text = ServiceTexts::AddressSet;
  return true;
}

void TForm1::Button1Click() {
  if (ConfirmOperation(ServiceTexts::SwitchSignalQuestion)) SwitchSystemSignal();
}

bool TForm1::SwitchSystemSignal() {
  std::uint16_t probe = 0;
  if (!Mdb1.ReadRegisters(SlaveAddress, ServiceRegisters::kSystemSignal, 1, &probe) ||
      !Mdb1.WriteRegister(SlaveAddress, ServiceRegisters::kSystemSignal, ServiceRegisters::kSystemSignalOn)) {
    ReportNoCommunication(true);
    return false;
  }
  StatusBar1.Panels[1].Text.clear();
  return true;
}

// Shared with the hour spin edits of the test schedule; whichever control
// changed, it keeps SpinEdit2 within 247. A typed 0 stays until corrected;
// below 0 the control brings it to its minimum, 1.
void TForm1::SpinEdit2Change() {
  if (SpinEdit2.Value() > ServiceRegisters::kMaxNetworkAddress)
    SpinEdit2.SetValue(ServiceRegisters::kMaxNetworkAddress);
  if (SpinEdit2.Value() < 0) SpinEdit2.SetValue(0);
}
