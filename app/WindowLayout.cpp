// The window definition: every control with its name, caption, items, range
// and initial enabled and visible state, as the window shows them before
// FormCreate runs. Pixel geometry is the view's business.

#include "app/AppTexts.h"
#include "app/TForm1.h"
#include "app/TransmissionPage.h"

namespace {

void SetLabel(TLabel& label, const QString& caption) { label.Caption = caption; }

void SetReadOnlyEdit(TEdit& edit, const QString& text = QString()) {
  edit.Text = text;
  edit.ReadOnly = true;
}

void SetSpinEdit(TSpinEdit& spin, int minValue, int maxValue, int value) {
  spin.MinValue = minValue;
  spin.MaxValue = maxValue;
  spin.SetValue(value);
}

void SetComboBox(TComboBox& combo, const QStringList& items, int itemIndex) {
  combo.Items = items;
  combo.SetItemIndex(itemIndex);
}

}  // namespace

void TForm1::BuildControls() {
  Caption = AppTexts::kWindowCaption;

  // ---- Header: three disabled edits with bold labels -------------------
  RegisterControl(LabelTyp, QStringLiteral("LabelTyp"));
  RegisterControl(LabelNrFabr, QStringLiteral("LabelNrFabr"));
  RegisterControl(LabelRokProd, QStringLiteral("LabelRokProd"));
  SetLabel(LabelTyp, QStringLiteral("Typ: "));
  SetLabel(LabelNrFabr, QStringLiteral("Nr fabr.: "));
  SetLabel(LabelRokProd, QStringLiteral("Rok prod.: "));
  RegisterControl(EditTyp, QStringLiteral("EditTyp"));
  RegisterControl(EditNrFabr, QStringLiteral("EditNrFabr"));
  RegisterControl(EditRokProd, QStringLiteral("EditRokProd"));
  EditTyp.Text = QStringLiteral("WLT");
  EditNrFabr.Text = QStringLiteral("000");
  EditRokProd.Text = QStringLiteral("####");
  for (TEdit* edit : {&EditTyp, &EditNrFabr, &EditRokProd}) {
    edit->Enabled = false;
    edit->ReadOnly = true;
  }

  // ---- The eight pages, first one shown --------------------------------
  RegisterControl(PageControl1, QStringLiteral("PageControl1"));
  const QStringList pageCaptions = {
      QStringLiteral("WLT"),
      QStringLiteral("Czasy działania"),
      QStringLiteral("Programowanie dzałania"),
      QStringLiteral("Zdarzenia"),
      QStringLiteral("Ustawienia transmisji"),
      QStringLiteral("Ustawienia WLT"),
      QStringLiteral("Testowanie"),
      QStringLiteral("O programie"),
  };
  PageControl1.Pages.assign(std::size_t(pageCaptions.size()), TTabSheet{});
  for (int i = 0; i < pageCaptions.size(); ++i) {
    TTabSheet& page = PageControl1.Pages[std::size_t(i)];
    RegisterControl(page, QStringLiteral("TabSheet%1").arg(i + 1));
    page.Caption = pageCaptions[i];
  }
  PageControl1.ActivePageIndex = 0;

  // ---- Page 2: the settings grid (contents from the catalogue) ---------
  RegisterControl(StringGrid1, QStringLiteral("StringGrid1"));
  StringGrid1.ColCount = 3;
  StringGrid1.RowCount = 21;
  StringGrid1.FixedCols = 1;
  StringGrid1.FixedRows = 1;
  StringGrid1.DefaultColWidth = 124;
  StringGrid1.DefaultRowHeight = 18;
  StringGrid1.ScrollBars = false;

  // ---- Page 3: the 110 programming bits --------------------------------
  RegisterControl(Panel2, QStringLiteral("Panel2"));
  for (int n = 801; n <= 910; ++n) RegisterControl(CheckBox(n), QStringLiteral("CheckBox%1").arg(n));

  // ---- Page 4: events ---------------------------------------------------
  RegisterControl(Panel3, QStringLiteral("Panel3"));
  RegisterControl(ListBox1, QStringLiteral("ListBox1"));
  ListBox1.Visible = true;
  ListBox1.ItemIndex = -1;
  RegisterControl(LabelEventWlt, QStringLiteral("LabelEventWlt"));
  RegisterControl(LabelEventPc, QStringLiteral("LabelEventPc"));
  SetLabel(LabelEventWlt, QStringLiteral("WLT:"));
  SetLabel(LabelEventPc, QStringLiteral("PC:"));
  TEdit* eventEdits[] = {&Edit1, &Edit2, &Edit3, &Edit4, &Edit5, &Edit6, &Edit7, &Edit8};
  for (int i = 0; i < 8; ++i) {
    RegisterControl(*eventEdits[i], QStringLiteral("Edit%1").arg(i + 1));
    SetReadOnlyEdit(*eventEdits[i]);
  }
  // The up-down control's associate lies under Edit4 and is never seen.
  RegisterControl(Edit13, QStringLiteral("Edit13"));
  SetReadOnlyEdit(Edit13, QStringLiteral("0"));
  Edit13.Visible = false;
  RegisterControl(UpDown1, QStringLiteral("UpDown1"));
  UpDown1.Min = 0;
  UpDown1.Max = 100;
  UpDown1.Position = 0;
  UpDown1.Wrap = true;
  UpDown1.Associate = QStringLiteral("Edit13");
  RegisterControl(Button5, QStringLiteral("Button5"));
  Button5.Caption = QStringLiteral("Lista zdarzeń");
  for (int n = 1; n <= kEventIndicators; ++n) {
    TCheckBox& indicator = CheckBox(n);
    RegisterControl(indicator, QStringLiteral("CheckBox%1").arg(n));
    indicator.Enabled = false;  // shows a state bit; the user cannot change it
    TLabel& label = zdLabel(n);
    RegisterControl(label, QStringLiteral("zdLabel%1").arg(n));
    label.Caption = QStringLiteral("Label");
  }
  RegisterControl(RichEdit1, QStringLiteral("RichEdit1"));
  RichEdit1.Visible = false;

  // ---- Page 5: transmission settings -----------------------------------
  RegisterControl(Panel1, QStringLiteral("Panel1"));
  RegisterControl(LabelPort, QStringLiteral("LabelPort"));
  RegisterControl(LabelBaud, QStringLiteral("LabelBaud"));
  RegisterControl(LabelParity, QStringLiteral("LabelParity"));
  RegisterControl(LabelStopBits, QStringLiteral("LabelStopBits"));
  RegisterControl(LabelAddress, QStringLiteral("LabelAddress"));
  SetLabel(LabelPort, QStringLiteral("Port"));
  SetLabel(LabelBaud, QStringLiteral("Bity na sekundę"));
  SetLabel(LabelParity, QStringLiteral("Parzystość"));
  SetLabel(LabelStopBits, QStringLiteral("Bity stopu"));
  SetLabel(LabelAddress, QStringLiteral("Adres urządzenia"));
  RegisterControl(ComboBox1, QStringLiteral("ComboBox1"));
  RegisterControl(ComboBox2, QStringLiteral("ComboBox2"));
  RegisterControl(ComboBox3, QStringLiteral("ComboBox3"));
  RegisterControl(ComboBox4, QStringLiteral("ComboBox4"));
  // The page first shows the line the window starts with.
  {
    using namespace TransmissionPage;
    const StartUpLine start;
    SetComboBox(ComboBox1, Items(kPorts), ItemIndexOf(start.Port, kPorts));
    SetComboBox(ComboBox2, Items(kBaudRates), ItemIndexOf(start.BaudRate, kBaudRates));
    SetComboBox(ComboBox3, Items(kParities), ItemIndexOf(start.Parity, kParities));
    SetComboBox(ComboBox4, Items(kStopBits), ItemIndexOf(start.StopBits, kStopBits));
    RegisterControl(SpinEdit1, QStringLiteral("SpinEdit1"));
    SetSpinEdit(SpinEdit1, kMinSlaveAddress, kMaxSlaveAddress, start.SlaveAddress);
  }
  RegisterControl(Connect, QStringLiteral("Connect"));
  RegisterControl(Disconnect, QStringLiteral("Disconnect"));
  Connect.Caption = QStringLiteral("Połącz");
  Disconnect.Caption = QStringLiteral("Rozłącz");
  RegisterControl(CheckBox_1, QStringLiteral("CheckBox_1"));
  CheckBox_1.Caption = QStringLiteral("FindDevice");
  CheckBox_1.Checked = false;
  CheckBox_1.Visible = false;

  // ---- Page 6: network address, clocks, system signal ------------------
  RegisterControl(Panel4, QStringLiteral("Panel4"));
  RegisterControl(LabelNetAddress1, QStringLiteral("LabelNetAddress1"));
  RegisterControl(LabelNetAddress2, QStringLiteral("LabelNetAddress2"));
  RegisterControl(LabelClockWlt, QStringLiteral("LabelClockWlt"));
  RegisterControl(LabelClockPc, QStringLiteral("LabelClockPc"));
  RegisterControl(LabelDateColumn, QStringLiteral("LabelDateColumn"));
  RegisterControl(LabelTimeColumn, QStringLiteral("LabelTimeColumn"));
  SetLabel(LabelNetAddress1, QStringLiteral("Adres sieciowy "));
  SetLabel(LabelNetAddress2, QStringLiteral("\"portu szeregowego 2\""));
  SetLabel(LabelClockWlt, QStringLiteral("WLT:"));
  SetLabel(LabelClockPc, QStringLiteral("PC:"));
  SetLabel(LabelDateColumn, QStringLiteral("rr-mm-dd"));
  SetLabel(LabelTimeColumn, QStringLiteral("gg:mm:ss"));
  RegisterControl(SpinEdit2, QStringLiteral("SpinEdit2"));
  SetSpinEdit(SpinEdit2, 1, 247, 1);
  TEdit* clockEdits[] = {&Edit9, &Edit10, &Edit15, &Edit11, &Edit12, &Edit17};
  const int clockEditNumbers[] = {9, 10, 15, 11, 12, 17};
  for (int i = 0; i < 6; ++i) {
    RegisterControl(*clockEdits[i], QStringLiteral("Edit%1").arg(clockEditNumbers[i]));
    SetReadOnlyEdit(*clockEdits[i]);
  }
  RegisterControl(Button3, QStringLiteral("Button3"));
  RegisterControl(Button4, QStringLiteral("Button4"));
  Button3.Caption = QStringLiteral("Ustaw adres");
  Button4.Caption = QStringLiteral("Ustaw czas");
  RegisterControl(GroupBox1, QStringLiteral("GroupBox1"));
  GroupBox1Caption = QStringLiteral("Załączenie sygnału w sytuacjach awarii systemu");
  RegisterControl(LabelSignal, QStringLiteral("LabelSignal"));
  SetLabel(LabelSignal, QStringLiteral("Sygnał \"odst/odbl z systemu\""));
  RegisterControl(Button1, QStringLiteral("Button1"));
  Button1.Caption = QStringLiteral("Załącz");

  // ---- Page 7: test schedule --------------------------------------------
  RegisterControl(Panel5, QStringLiteral("Panel5"));
  RegisterControl(LabelTest1, QStringLiteral("LabelTest1"));
  RegisterControl(LabelTest2, QStringLiteral("LabelTest2"));
  RegisterControl(LabelTest3, QStringLiteral("LabelTest3"));
  RegisterControl(LabelTestDay, QStringLiteral("LabelTestDay"));
  RegisterControl(LabelTestHour, QStringLiteral("LabelTestHour"));
  SetLabel(LabelTest1, QStringLiteral("Czas 1:"));
  SetLabel(LabelTest2, QStringLiteral("Czas 2:"));
  SetLabel(LabelTest3, QStringLiteral("Czas 3:"));
  SetLabel(LabelTestDay, QStringLiteral("Dzień"));
  SetLabel(LabelTestHour, QStringLiteral("Godzina"));
  // Item index = the controller's day code: 0 no test, 1 Sunday .. 7 Saturday.
  const QStringList testDays = {
      QStringLiteral("Żaden"),   QStringLiteral("Niedziela"), QStringLiteral("Poniedziałek"),
      QStringLiteral("Wtorek"),  QStringLiteral("Środa"),     QStringLiteral("Czwartek"),
      QStringLiteral("Piątek"),  QStringLiteral("Sobota"),
  };
  TComboBox* dayBoxes[] = {&ComboBox5, &ComboBox6, &ComboBox7};
  TSpinEdit* hourEdits[] = {&SpinEdit3, &SpinEdit4, &SpinEdit5};
  for (int i = 0; i < 3; ++i) {
    RegisterControl(*dayBoxes[i], QStringLiteral("ComboBox%1").arg(5 + i));
    dayBoxes[i]->Items = testDays;  // the catalogue picks item 0 at start-up
    // Only the eight days can be chosen, so a write always has a day code.
    dayBoxes[i]->Editable = false;
    RegisterControl(*hourEdits[i], QStringLiteral("SpinEdit%1").arg(3 + i));
    SetSpinEdit(*hourEdits[i], 0, 23, 0);
  }
  RegisterControl(Button2, QStringLiteral("Button2"));
  RegisterControl(Button6, QStringLiteral("Button6"));
  Button2.Caption = QStringLiteral("Zapis nastaw czasu testowania do WLT");
  Button6.Caption = QStringLiteral("Odczyt nastaw czasu testowania z WLT");

  // ---- Page 8: about ----------------------------------------------------
  RegisterControl(Memo1, QStringLiteral("Memo1"));
  Memo1.ReadOnly = true;
  Memo1.Lines = {
      AppTexts::kApplicationTitle,
      QStringLiteral("wersja ") + AppTexts::kProgramVersion,
      QString(),
      QStringLiteral("Program serwisowy sterownika SZR typu WLT"),
      QString(),
      QStringLiteral("Odczyt, edycja i zapis nastaw,"),
      QStringLiteral("odczyt i przeglądanie rejestru zdarzeń,"),
      QStringLiteral("zegar urządzenia, adres sieciowy i czasy testowania."),
      QString(),
      QStringLiteral("Łącze RS-232, protokół Modbus RTU."),
  };

  // ---- Main menu --------------------------------------------------------
  // "&" marks the letter that reaches an entry from the keyboard (Alt and
  // the letter for a menu, the letter alone in an open menu). Shortcuts: the
  // common keys of the settings file's open, save and print, and function
  // keys no standard key uses for the two readouts; nothing that writes to
  // the controller has one.
  struct MenuEntry {
    TMenuItem* item;
    const char* name;
    QString caption;
    const char* shortCut;
  };
  const MenuEntry menu[] = {
      {&File1, "File1", QStringLiteral("&Komunikacja"), ""},
      // Spelled with a plain "l", unlike the buttons of the transmission page.
      {&Polcz1, "Polcz1", QStringLiteral("&Polącz"), ""},
      {&Rozlcz1, "Rozlcz1", QStringLiteral("&Rozlącz"), ""},
      {&Szukaj1, "Szukaj1", QStringLiteral("&Szukaj urządzenia…"), ""},
      {&WLT1, "WLT1", QStringLiteral("&Nastawy"), ""},
      {&N1, "N1", QStringLiteral("&Odczyt nastaw z WLT"), "F6"},
      {&WLTPC1, "WLTPC1", QStringLiteral("Za&pis nastaw do WLT"), ""},
      {&Otwrz1, "Otwrz1", QStringLiteral("O&twórz plik"), "Ctrl+O"},
      {&Zapiszjako1, "Zapiszjako1", QStringLiteral("&Zapisz plik jako..."), "Ctrl+S"},
      {&Podglad2, "Podglad2", QStringLiteral("Podgląd &wydruku"), ""},
      {&Drukuj2, "Drukuj2", QStringLiteral("&Drukuj"), "Ctrl+P"},
      {&Zdarzenia1, "Zdarzenia1", QStringLiteral("&Zdarzenia"), ""},
      {&Odczyt1, "Odczyt1", QStringLiteral("&Odczyt rejestru z WLT"), "F7"},
      {&OdczytPC1, "OdczytPC1", QStringLiteral("O&twórz plik"), ""},
      {&Zapiszjako2, "Zapiszjako2", QStringLiteral("&Zapisz plik jako..."), ""},
      {&Podglad1, "Podglad1", QStringLiteral("Podgląd &wydruku"), ""},
      {&Drukuj1, "Drukuj1", QStringLiteral("&Drukuj"), ""},
      {&Porownaj1, "Porownaj1", QStringLiteral("Po&równaj z WLT"), ""},
      {&EksportCSV1, "EksportCSV1", QStringLiteral("&Eksport do CSV"), ""},
  };
  for (const MenuEntry& entry : menu) {
    RegisterControl(*entry.item, QString::fromLatin1(entry.name));
    entry.item->Caption = entry.caption;
    entry.item->ShortCut = QString::fromLatin1(entry.shortCut);
    entry.item->Enabled = true;
  }
  // Nothing to save or print until events are loaded.
  Zapiszjako2.Enabled = false;
  Podglad1.Enabled = false;
  Drukuj1.Enabled = false;
  EksportCSV1.Enabled = false;

  // ---- Status bar, timer, dialogs ---------------------------------------
  RegisterControl(StatusBar1, QStringLiteral("StatusBar1"));
  const int panelWidths[] = {90, 120, 50, 50};
  for (std::size_t i = 0; i < StatusBar1.Panels.size(); ++i) {
    StatusBar1.Panels[i].Width = panelWidths[i];
    StatusBar1.Panels[i].Text.clear();
  }
  StatusBar1.Panels[0].Text = AppTexts::kNotConnected;

  Timer1.Name = QStringLiteral("Timer1");
  Timer1.Interval = 1000;
  Timer1.Enabled = true;

  const QString textFilter = QStringLiteral("Text files (*.txt)|*.TXT");
  const QString eventFilter = QStringLiteral("Text files (*.dat)|*.dat");
  OpenDialog1 = {QStringLiteral("OpenDialog1"), textFilter, QString(), QString()};
  // Both save dialogs ask before a file is replaced: the handlers ask about
  // the name the save writes (files/ReplaceQuestion). A name typed without
  // an extension gets ".txt" or ".dat" in the dialog (the proposed name has
  // none).
  SaveDialog1 = {QStringLiteral("SaveDialog1"), textFilter, QString(), QStringLiteral("txt"), true};
  SaveDialog2 = {QStringLiteral("SaveDialog2"), eventFilter, QString(), QStringLiteral("dat"), true};
  OpenDialog2 = {QStringLiteral("OpenDialog2"), eventFilter, QString(), QString()};
  SaveDialog3 = {QStringLiteral("SaveDialog3"), QStringLiteral("Pliki CSV (*.csv)|*.csv"), QString(),
                 QStringLiteral("csv"), true};
  PrintDialog1.Name = QStringLiteral("PrintDialog1");
  PrintDialog1.Copies = 1;
}
