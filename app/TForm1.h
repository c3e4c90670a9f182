#pragma once
// TForm1: the main window without its toolkit. It owns Mdb1 and the program's
// shared data, holds the state of every control under the control's name, and
// has one method per handler. Each handler runs to completion; everything
// modal or external goes through the Ui port. The Qt view renders this state
// after every handler and forwards user input into it.
//
// Handlers are defined in the folder of their subsystem (app/ for start-up and
// connection, settings/, files/, events/, services/, printing/).

#include "app/FormControls.h"
#include "app/TransmissionPage.h"
#include "app/Ui.h"
#include "mdbcomp/PortSearch.h"
#include "mdbcomp/TMdb.h"
#include "monitor/LinkMonitor.h"
#include "services/ClockPolling.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TForm1 {
 public:
  static constexpr int kSettingsWords = 120;    // registers 801 to 920
  static constexpr int kEventRecords = 40;
  static constexpr int kEventRecordWords = 17;
  static constexpr int kEventIndicators = 160;  // CheckBox1..160, zdLabel1..160
  static constexpr int kCauseTexts = 64;

  // Builds the controls with their window-data state (names, captions, items,
  // ranges, enabled and visible states). FormCreate is a separate step.
  explicit TForm1(Ui& ui, std::unique_ptr<SerialLine> line = MakeSystemSerialLine());
  ~TForm1();
  TForm1(const TForm1&) = delete;
  TForm1& operator=(const TForm1&) = delete;

  Ui& ui() { return ui_; }

  // ---- Application-wide state -------------------------------------------
  TMdb Mdb1;
  std::uint8_t SlaveAddress = 1;
  int FactoryNumber = 0;
  std::array<std::uint16_t, kSettingsWords> SettingsImage{};  // word i = register 801 + i
  std::array<QString, 8> DayNames;                            // 1 = "Niedziela" .. 7 = "Sobota"
  std::array<std::array<std::uint16_t, kEventRecordWords>, kEventRecords> EventTable{};
  bool EventsLoaded = false;
  int CurrentEvent = 0;  // 0..39: the event on show
  int CurrentCause = 0;  // 0..63: the cause on show (-1 or 64 for a moment while stepping)
  std::array<bool, kCauseTexts> CauseFlags{};  // the cause bits of the event on show
  std::array<QString, kEventIndicators + 1> EventLabels;  // 1..160
  std::array<QString, kCauseTexts> CauseTexts;
  // What the settings file loaded last gave: a value for grid row r (entry
  // r, 1..20) and a state for box 801 + i (entry i). The rows and boxes it
  // did not give kept what they showed.
  std::array<bool, 21> LoadedFileRows{};
  std::array<bool, 110> LoadedFileBoxes{};

  // ---- The window ----------------------------------------------------------
  QString Caption;
  int Left = 157, Top = 72, Width = 747, Height = 594;

  // Header
  TLabel LabelTyp, LabelNrFabr, LabelRokProd;
  TEdit EditTyp, EditNrFabr, EditRokProd;

  TPageControl PageControl1;  // TabSheet1 .. TabSheet8

  // Page 2 "Czasy działania"
  TStringGrid StringGrid1;

  // Page 3 "Programowanie dzałania": CheckBox801 .. CheckBox910
  TControl Panel2;

  // Page 4 "Zdarzenia"
  TControl Panel3;
  TListBox ListBox1;
  TEdit Edit1, Edit2, Edit3, Edit4, Edit5, Edit6, Edit7, Edit8, Edit13;
  TLabel LabelEventWlt, LabelEventPc;  // "WLT:", "PC:"
  TUpDown UpDown1;
  TButton Button5;
  TMemo RichEdit1;  // hidden buffer of the printouts

  // Page 5 "Ustawienia transmisji"
  TControl Panel1;
  TLabel LabelPort, LabelBaud, LabelParity, LabelStopBits, LabelAddress;
  TComboBox ComboBox1, ComboBox2, ComboBox3, ComboBox4;
  TSpinEdit SpinEdit1;
  TButton Connect, Disconnect;
  TCheckBox CheckBox_1;  // hidden: the controller-found flag

  // Page 6 "Ustawienia WLT"
  TControl Panel4;
  TLabel LabelNetAddress1, LabelNetAddress2, LabelClockWlt, LabelClockPc, LabelDateColumn,
      LabelTimeColumn, LabelSignal;
  TSpinEdit SpinEdit2;
  TEdit Edit9, Edit10, Edit15, Edit11, Edit12, Edit17;
  TButton Button3, Button4, Button1;
  TControl GroupBox1;
  QString GroupBox1Caption;

  // Page 7 "Testowanie"
  TControl Panel5;
  TLabel LabelTest1, LabelTest2, LabelTest3, LabelTestDay, LabelTestHour;
  TComboBox ComboBox5, ComboBox6, ComboBox7;
  TSpinEdit SpinEdit3, SpinEdit4, SpinEdit5;
  TButton Button2, Button6;

  // Page 8 "O programie"
  TMemo Memo1;

  // Main menu
  TMenuItem File1, Polcz1, Rozlcz1;
  TMenuItem WLT1, N1, WLTPC1, Otwrz1, Zapiszjako1, Podglad2, Drukuj2;
  TMenuItem Zdarzenia1, Odczyt1, OdczytPC1, Zapiszjako2, Podglad1, Drukuj1;
  // "Porównaj z WLT" of "Nastawy", "Eksport do CSV" of "Zdarzenia".
  TMenuItem Porownaj1, EksportCSV1;
  TFileDialog SaveDialog3;  // the CSV table of the events

  TStatusBar StatusBar1;
  TTimer Timer1;
  TFileDialog OpenDialog1, SaveDialog1, SaveDialog2, OpenDialog2;
  TPrintDialog PrintDialog1;

  // Numbered families: CheckBox1..CheckBox160 (event indicators) and
  // CheckBox801..CheckBox910 (programming bits); zdLabel1..zdLabel160.
  TCheckBox& CheckBox(int number);
  const TCheckBox& CheckBox(int number) const;
  TLabel& zdLabel(int number);
  const TLabel& zdLabel(int number) const;

  // Every control of the window by its name (nullptr for an unknown name),
  // and all of them in the order they were built, for the view and tests.
  TControl* FindControl(const QString& name);
  const std::vector<TControl*>& Controls() const { return controls_; }

  // ---- Handlers ----------------------------------------------------------
  // line: the line settings to start with, shown on the transmission page
  // (the window's own: COM1, 19200 bit/s, no parity, one stop bit, slave 1).
  void FormCreate(const StartUpLine& line = StartUpLine{});
  void FormDestroy();

  void Polcz1Click();
  void Rozlcz1Click();
  void ConnectClick();
  void DisconnectClick();
  void ComboBox1Change();
  void ComboBox2Change();
  void ComboBox3Change();
  void ComboBox4Change();
  void SpinEdit1Change();

  void N1Click();
  void WLTPC1Click();
  void Otwrz1Click();
  void Zapiszjako1Click();
  void Podglad2Click();
  void Drukuj2Click();

  void Odczyt1Click();
  void OdczytPC1Click();
  void Zapiszjako2Click();
  void Podglad1Click();
  void Drukuj1Click();
  void Button5Click();
  void ListBox1Click();
  void ListBox1KeyDown(int key);
  // direction: +1 the up arrow, -1 the down arrow.
  void UpDown1ChangingEx(int newValue, int direction);
  // An arrow of UpDown1 pressed (+1 up, -1 down), as the control handles it:
  // the next position with wrap-around, UpDown1ChangingEx, then the position taken.
  void UpDown1Click(int direction);

  // The window's settings against the controller's; the events as a CSV table.
  void Porownaj1Click();
  void CompareSettings();
  void EksportCSV1Click();
  // False on failure, with "Błąd zapisu" in status panel 1.
  bool ExportEventsCsv(const QString& fileName);

  void Button3Click();
  void SpinEdit2Change();
  void Button4Click();
  void Button1Click();
  void Button2Click();
  void Button6Click();
  void Timer1Timer();

  // ---- The device search (app/DeviceSearch.cpp) ----------------------------
  TMenuItem Szukaj1;  // "Szukaj urządzenia…" of "Komunikacja"
  // The device each item of ComboBox1 opens, in the order of its items.
  QStringList PortDevices;
  // What the last search found; Device empty when it found nothing.
  PortSearch::Found LastFind;
  // The devices the search goes over: the machine's serial devices.
  std::function<std::vector<std::string>()> SearchDevices = SerialDevices::List;
  void Szukaj1Click();
  void ShowPortDevices();

  // ---- Operations shared between subsystems ------------------------------
  void ConnectDevice();
  void DisconnectDevice();
  static QString PadNumber3(int n);
  bool ControllerFound() const { return CheckBox_1.Checked; }
  // Standard reports of a failed device operation.
  // afterTransaction: the operation asked the link (false: it failed before
  // that), so an exception the controller answered with is named.
  void ReportNoCommunication(bool writing, bool afterTransaction = true);  // " Błąd odczytu" / " Błąd zapisu"
  // " Brak urządzenia"; detail, when given, is the box's second line.
  void ReportDeviceNotFound(const QString& detail = QString());
  // The confirmation box of the operations that change the controller.
  bool ConfirmOperation(const QString& question);

  // Settings (settings/)
  void InitSettingsCatalogue();
  void ImageToGrid();
  void ImageToCheckBoxes();
  bool GridToImage();
  void CheckBoxesToImage();
  void ReadSettings();
  void WriteSettings();

  // Files (files/). The writers compose the file's lines (file) in memory;
  // the whole file then goes to disk in one step.
  void SaveSettingsFile();  // to the file named in SaveDialog1
  void WriteSettingsSection(QStringList& file);
  void WritePermissionsSection(QStringList& file);
  void WriteCheckBoxLine(const TCheckBox& box, QStringList& file, int number);
  // fileName: as OpenDialog1 holds it (at start-up without folder and extension).
  void LoadSettingsFile(const QString& fileName);
  bool ReadSettingsSection(const QStringList& file);
  bool ReadPermissionsSection(const QStringList& file);  // ends with the event texts
  void ApplyCheckBoxLine(TCheckBox& box, const QString& rest);
  // The event-texts section of a settings or event file.
  bool ReadEventTextsSection(const QString& fileName);
  bool ReadEventTextsFromLines(const QStringList& file);
  void WriteEventTextsSection(QStringList& file);
  void ApplyEventLabelLine(TLabel& label, const QString& rest);
  void ApplyEventCheckBoxLine(TCheckBox& box, const QString& rest);

  // Events (events/)
  void ReadEventRegister();
  bool ShowEvent(int index, int direction);
  void ShowCause(int start, int step);
  void DecodeCauseWords(int record);
  void ShowEventStates(int record);
  void BuildEventList();  // refills ListBox1 from EventTable
  void StepUp();
  void StepDown();
  void SelectListedEvent();
  // The event file (a readout with its event texts). False on failure,
  // with "Błąd zapisu" / "Błąd odczytu" in status panel 1.
  bool WriteEventFile(const QString& fileName);
  bool ReadEventFile(const QString& fileName);

  // Printing (printing/): composed into RichEdit1, then printed from it.
  void PrintEvents();
  void PrintSettings();
  void ComposeSettingsTable();
  void ComposePermissions();
  void PermissionLine(const TCheckBox& box, int number);

  // The clock tick's questions to the controller (services/).
  ClockPolling ClockPoll;
  // The next Timer1Timer asks a controller whose last transaction got no
  // answer: it may hold the window for the link's tries.
  bool ClockTickMayWait() const;

  // Services (services/). Each asks nothing; the buttons confirm first.
  bool SetDeviceClock();
  bool SetNetworkAddress();
  bool SwitchSystemSignal();
  bool ReadTestSchedule();
  bool WriteTestSchedule();

  // Link monitor (monitor/): "Monitor łącza" in the menu "Komunikacja" opens
  // the window LinkMonitorDock, which shows every frame, try and time-out
  // of Mdb1 while it is open ("Wyczyść", "Zapisz…" into SaveDialog4).
  TMenuItem Monitorcza1;
  TControl LinkMonitorDock;
  TButton MonitorClearButton, MonitorSaveButton;
  TFileDialog SaveDialog4;
  LinkMonitor Monitor;
  void Monitorcza1Click();
  void LinkMonitorDockClose();
  void MonitorClearButtonClick();
  void MonitorSaveButtonClick();
  // The line a failure box adds when the last transaction got an exception
  // reply: its code and name; empty otherwise.
  QString LinkExceptionLine() const;

 private:
  void BuildControls();
  void BuildMonitorControls();
  void RegisterControl(TControl& control, const QString& name);

  Ui& ui_;
  std::array<TCheckBox, kEventIndicators> eventCheckBoxes_;  // CheckBox1..160
  std::array<TCheckBox, 110> programCheckBoxes_;             // CheckBox801..910
  std::array<TLabel, kEventIndicators> zdLabels_;            // zdLabel1..160
  // Handed out for a number outside both families, so a bad number can never
  // reach outside an array; reset on every such request.
  TCheckBox noCheckBox_;
  TLabel noLabel_;
  std::vector<TControl*> controls_;
};
