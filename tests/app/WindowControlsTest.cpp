// The window as built, before start-up: control names, captions, item lists,
// ranges and initial states, and the numbered-control accessors.

#include "AppTestSupport.h"

#include <gtest/gtest.h>

#include <set>

namespace {

class WindowControls : public ::testing::Test {
 protected:
  FakeWindow w;
  TForm1& f = w.form;
};

TEST_F(WindowControls, NamesAreUniqueAndFoundByName) {
  std::set<QString> names;
  for (TControl* control : f.Controls()) {
    ASSERT_FALSE(control->Name.isEmpty());
    EXPECT_TRUE(names.insert(control->Name).second) << control->Name.toStdString();
    EXPECT_EQ(f.FindControl(control->Name), control);
  }
  EXPECT_EQ(f.FindControl(QStringLiteral("CheckBox801")), &f.CheckBox(801));
  EXPECT_EQ(f.FindControl(QStringLiteral("CheckBox160")), &f.CheckBox(160));
  EXPECT_EQ(f.FindControl(QStringLiteral("zdLabel37")), &f.zdLabel(37));
  EXPECT_EQ(f.FindControl(QStringLiteral("OdczytPC1")), &f.OdczytPC1);
  EXPECT_EQ(f.FindControl(QStringLiteral("TabSheet8")), &f.PageControl1.Pages[7]);
  EXPECT_EQ(f.FindControl(QStringLiteral("CheckBox0")), nullptr);
  EXPECT_EQ(f.FindControl(QStringLiteral("CheckBox911")), nullptr);
  EXPECT_EQ(f.FindControl(QString()), nullptr);
}

TEST_F(WindowControls, EveryNamedControlOfThePagesExists) {
  QStringList required = {
      "EditTyp", "EditNrFabr", "EditRokProd", "PageControl1", "StringGrid1", "Panel1", "Panel2",
      "Panel3", "Panel4", "Panel5", "ListBox1", "Edit13", "UpDown1", "Button5", "RichEdit1",
      "ComboBox1", "ComboBox2", "ComboBox3", "ComboBox4", "SpinEdit1", "Connect", "Disconnect",
      "CheckBox_1", "SpinEdit2", "Edit15", "Edit17", "Button1", "Button3", "Button4", "GroupBox1",
      "ComboBox5", "ComboBox6", "ComboBox7", "SpinEdit3", "SpinEdit4", "SpinEdit5", "Button2",
      "Button6", "Memo1", "StatusBar1", "File1", "WLT1", "Zdarzenia1"};
  for (int n = 1; n <= 12; ++n) required << QStringLiteral("Edit%1").arg(n);
  for (int n = 1; n <= 8; ++n) required << QStringLiteral("TabSheet%1").arg(n);
  for (int n = 1; n <= 160; ++n) required << QStringLiteral("CheckBox%1").arg(n) << QStringLiteral("zdLabel%1").arg(n);
  for (int n = 801; n <= 910; ++n) required << QStringLiteral("CheckBox%1").arg(n);
  for (const QString& name : required) EXPECT_NE(f.FindControl(name), nullptr) << name.toStdString();
}

TEST_F(WindowControls, WindowAndHeader) {
  EXPECT_EQ(f.Caption, QStringLiteral("WLT - nastawy"));
  EXPECT_EQ(f.Width, 747);
  EXPECT_EQ(f.Height, 594);
  const std::pair<TEdit*, const char*> header[] = {
      {&f.EditTyp, "WLT"}, {&f.EditNrFabr, "000"}, {&f.EditRokProd, "####"}};
  for (const auto& [edit, text] : header) {
    EXPECT_EQ(edit->Text, QString::fromLatin1(text));
    EXPECT_FALSE(edit->Enabled) << text;
  }
  EXPECT_EQ(f.LabelTyp.Caption, QStringLiteral("Typ: "));
  EXPECT_EQ(f.LabelNrFabr.Caption, QStringLiteral("Nr fabr.: "));
  EXPECT_EQ(f.LabelRokProd.Caption, QStringLiteral("Rok prod.: "));
}

TEST_F(WindowControls, EightPagesInOrderFirstShown) {
  QStringList captions;
  QStringList names;
  for (const TTabSheet& page : f.PageControl1.Pages) {
    captions << page.Caption;
    names << page.Name;
  }
  EXPECT_EQ(captions, QStringList({"WLT", "Czasy działania", "Programowanie dzałania", "Zdarzenia",
                                   "Ustawienia transmisji", "Ustawienia WLT", "Testowanie",
                                   "O programie"}));
  EXPECT_EQ(names, QStringList({"TabSheet1", "TabSheet2", "TabSheet3", "TabSheet4", "TabSheet5",
                                "TabSheet6", "TabSheet7", "TabSheet8"}));
  EXPECT_EQ(f.PageControl1.ActivePageIndex, 0);
}

// The captions read as described; "&" only marks the letter the keyboard
// reaches an entry by.
TEST_F(WindowControls, MainMenuCaptionsAndEnabledStates) {
  struct Entry {
    TMenuItem* item;
    const char* name;
    QString caption;
    bool enabled;
    const char* shortCut;
  };
  const Entry entries[] = {
      {&f.File1, "File1", "Komunikacja", true, ""},
      {&f.Polcz1, "Polcz1", "Polącz", true, ""},
      {&f.Rozlcz1, "Rozlcz1", "Rozlącz", true, ""},
      {&f.Szukaj1, "Szukaj1", "Szukaj urządzenia…", true, ""},
      {&f.WLT1, "WLT1", "Nastawy", true, ""},
      {&f.N1, "N1", "Odczyt nastaw z WLT", true, "F6"},
      {&f.WLTPC1, "WLTPC1", "Zapis nastaw do WLT", true, ""},
      {&f.Otwrz1, "Otwrz1", "Otwórz plik", true, "Ctrl+O"},
      {&f.Zapiszjako1, "Zapiszjako1", "Zapisz plik jako...", true, "Ctrl+S"},
      {&f.Podglad2, "Podglad2", "Podgląd wydruku", true, ""},
      {&f.Drukuj2, "Drukuj2", "Drukuj", true, "Ctrl+P"},
      {&f.Zdarzenia1, "Zdarzenia1", "Zdarzenia", true, ""},
      {&f.Odczyt1, "Odczyt1", "Odczyt rejestru z WLT", true, "F7"},
      {&f.OdczytPC1, "OdczytPC1", "Otwórz plik", true, ""},
      {&f.Zapiszjako2, "Zapiszjako2", "Zapisz plik jako...", false, ""},
      {&f.Podglad1, "Podglad1", "Podgląd wydruku", false, ""},
      {&f.Drukuj1, "Drukuj1", "Drukuj", false, ""},
      {&f.Porownaj1, "Porownaj1", "Porównaj z WLT", true, ""},
      {&f.EksportCSV1, "EksportCSV1", "Eksport do CSV", false, ""},
  };
  for (const Entry& e : entries) {
    EXPECT_EQ(e.item->Name, QString::fromLatin1(e.name));
    EXPECT_EQ(e.item->Caption.count(QLatin1Char('&')), 1) << e.name;
    EXPECT_EQ(QString(e.item->Caption).remove(QLatin1Char('&')), e.caption) << e.name;
    EXPECT_EQ(e.item->ShortCut, QString::fromLatin1(e.shortCut)) << e.name;
    EXPECT_EQ(e.item->Enabled, e.enabled) << e.name;
  }
}

TEST_F(WindowControls, StatusBarTimerAndDialogs) {
  const int widths[] = {90, 120, 50, 50};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(f.StatusBar1.Panels[std::size_t(i)].Width, widths[i]);
  EXPECT_EQ(f.StatusBar1.Panels[0].Text, QStringLiteral(" Brak połączenia"));
  for (int i = 1; i < 4; ++i) EXPECT_TRUE(f.StatusBar1.Panels[std::size_t(i)].Text.isEmpty());
  EXPECT_EQ(f.Timer1.Interval, 1000);
  EXPECT_TRUE(f.Timer1.Enabled);
  EXPECT_EQ(f.OpenDialog1.Filter, QStringLiteral("Text files (*.txt)|*.TXT"));
  EXPECT_EQ(f.SaveDialog1.Filter, QStringLiteral("Text files (*.txt)|*.TXT"));
  EXPECT_EQ(f.SaveDialog2.Filter, QStringLiteral("Text files (*.dat)|*.dat"));
  EXPECT_EQ(f.OpenDialog2.Filter, QStringLiteral("Text files (*.dat)|*.dat"));
  EXPECT_EQ(f.SaveDialog3.Filter, QStringLiteral("Pliki CSV (*.csv)|*.csv"));
  EXPECT_EQ(f.PrintDialog1.Name, QStringLiteral("PrintDialog1"));
}

TEST_F(WindowControls, TransmissionPageAgreesWithStartUpSettings) {
  EXPECT_EQ(f.ComboBox1.Items, QStringList({"COM1", "COM2", "COM3", "COM4"}));
  EXPECT_EQ(f.ComboBox2.Items, QStringList({"2400", "4800", "9600", "19200"}));
  EXPECT_EQ(f.ComboBox3.Items, QStringList({"Parzysta", "Nieparzysta", "Brak"}));
  EXPECT_EQ(f.ComboBox4.Items, QStringList({"1", "2"}));
  EXPECT_EQ(f.ComboBox1.Text, QStringLiteral("COM1"));
  EXPECT_EQ(f.ComboBox2.Text, QStringLiteral("19200"));
  EXPECT_EQ(f.ComboBox3.Text, QStringLiteral("Brak"));
  EXPECT_EQ(f.ComboBox4.Text, QStringLiteral("1"));
  EXPECT_EQ(f.SpinEdit1.MinValue, 1);
  EXPECT_EQ(f.SpinEdit1.MaxValue, 247);
  EXPECT_EQ(f.SpinEdit1.Value(), 1);
  EXPECT_EQ(f.Connect.Caption, QStringLiteral("Połącz"));
  EXPECT_EQ(f.Disconnect.Caption, QStringLiteral("Rozłącz"));
  EXPECT_EQ(f.CheckBox_1.Caption, QStringLiteral("FindDevice"));
  EXPECT_FALSE(f.CheckBox_1.Visible);
  EXPECT_FALSE(f.CheckBox_1.Checked);
  EXPECT_EQ(QStringList({f.LabelPort.Caption, f.LabelBaud.Caption, f.LabelParity.Caption,
                         f.LabelStopBits.Caption, f.LabelAddress.Caption}),
            QStringList({"Port", "Bity na sekundę", "Parzystość", "Bity stopu", "Adres urządzenia"}));
}

TEST_F(WindowControls, LinkKeepsItsStoredPropertiesUntilStartUp) {
  EXPECT_EQ(f.Mdb1.BaudRate, br9600);
  EXPECT_EQ(f.Mdb1.Port, COM1);
  EXPECT_EQ(f.Mdb1.Parity, prOdd);
  EXPECT_EQ(f.Mdb1.StopBits, sbOneStopBit);
  EXPECT_TRUE(f.Mdb1.EnableDTR);
  EXPECT_TRUE(f.Mdb1.EnableRTS);
  EXPECT_FALSE(f.Mdb1.PortOpen());
  EXPECT_TRUE(w.line->Events.empty());  // building the window touches no port
}

TEST_F(WindowControls, EventPage) {
  EXPECT_TRUE(f.ListBox1.Visible);
  EXPECT_TRUE(f.ListBox1.Items.isEmpty());
  EXPECT_EQ(f.UpDown1.Min, 0);
  EXPECT_EQ(f.UpDown1.Max, 100);
  EXPECT_EQ(f.UpDown1.Position, 0);
  EXPECT_TRUE(f.UpDown1.Wrap);
  EXPECT_EQ(f.UpDown1.Associate, QStringLiteral("Edit13"));
  EXPECT_FALSE(f.Edit13.Visible);
  EXPECT_EQ(f.Button5.Caption, QStringLiteral("Lista zdarzeń"));
  EXPECT_FALSE(f.RichEdit1.Visible);
  EXPECT_EQ(f.LabelEventWlt.Caption, QStringLiteral("WLT:"));
  EXPECT_EQ(f.LabelEventPc.Caption, QStringLiteral("PC:"));
  for (TEdit* edit : {&f.Edit1, &f.Edit2, &f.Edit3, &f.Edit4, &f.Edit5, &f.Edit6, &f.Edit7, &f.Edit8})
    EXPECT_TRUE(edit->ReadOnly) << edit->Name.toStdString();
  for (int n = 1; n <= 160; ++n) {
    EXPECT_FALSE(f.CheckBox(n).Enabled) << n;
    EXPECT_TRUE(f.CheckBox(n).Visible) << n;
    EXPECT_FALSE(f.CheckBox(n).Checked) << n;
    EXPECT_EQ(f.zdLabel(n).Name, QStringLiteral("zdLabel%1").arg(n));
  }
}

TEST_F(WindowControls, ProgrammingCheckBoxesStartEnabledVisibleUnchecked) {
  for (int n = 801; n <= 910; ++n) {
    EXPECT_EQ(f.CheckBox(n).Name, QStringLiteral("CheckBox%1").arg(n));
    EXPECT_TRUE(f.CheckBox(n).Enabled) << n;
    EXPECT_TRUE(f.CheckBox(n).Visible) << n;
    EXPECT_FALSE(f.CheckBox(n).Checked) << n;
  }
}

TEST_F(WindowControls, DevicePageAndTestPage) {
  EXPECT_EQ(f.LabelNetAddress1.Caption, QStringLiteral("Adres sieciowy "));
  EXPECT_EQ(f.LabelNetAddress2.Caption, QStringLiteral("\"portu szeregowego 2\""));
  EXPECT_EQ(f.LabelSignal.Caption, QStringLiteral("Sygnał \"odst/odbl z systemu\""));
  EXPECT_EQ(f.GroupBox1Caption, QStringLiteral("Załączenie sygnału w sytuacjach awarii systemu"));
  EXPECT_EQ(f.LabelDateColumn.Caption, QStringLiteral("rr-mm-dd"));
  EXPECT_EQ(f.LabelTimeColumn.Caption, QStringLiteral("gg:mm:ss"));
  EXPECT_EQ(f.Button3.Caption, QStringLiteral("Ustaw adres"));
  EXPECT_EQ(f.Button4.Caption, QStringLiteral("Ustaw czas"));
  EXPECT_EQ(f.Button1.Caption, QStringLiteral("Załącz"));
  EXPECT_EQ(f.SpinEdit2.MinValue, 1);
  EXPECT_EQ(f.SpinEdit2.MaxValue, 247);
  EXPECT_EQ(f.SpinEdit2.Value(), 1);
  for (TEdit* edit : {&f.Edit9, &f.Edit10, &f.Edit11, &f.Edit12, &f.Edit15, &f.Edit17})
    EXPECT_TRUE(edit->ReadOnly) << edit->Name.toStdString();
  const QStringList days = {"Żaden", "Niedziela", "Poniedziałek", "Wtorek", "Środa", "Czwartek", "Piątek", "Sobota"};
  for (TComboBox* box : {&f.ComboBox5, &f.ComboBox6, &f.ComboBox7}) EXPECT_EQ(box->Items, days);
  for (TSpinEdit* spin : {&f.SpinEdit3, &f.SpinEdit4, &f.SpinEdit5}) {
    EXPECT_EQ(spin->MinValue, 0);
    EXPECT_EQ(spin->MaxValue, 23);
    EXPECT_EQ(spin->Value(), 0);
  }
  EXPECT_EQ(f.Button2.Caption, QStringLiteral("Zapis nastaw czasu testowania do WLT"));
  EXPECT_EQ(f.Button6.Caption, QStringLiteral("Odczyt nastaw czasu testowania z WLT"));
  EXPECT_TRUE(f.Memo1.ReadOnly);
  ASSERT_FALSE(f.Memo1.Lines.isEmpty());
  EXPECT_EQ(f.Memo1.Lines.front(), QStringLiteral("WLT nastawy"));
}

TEST_F(WindowControls, NumbersOutsideTheFamiliesGetAStandInThatTouchesNoControl) {
  for (int n : {0, -1, 161, 800, 911, 100000, -2147483647 - 1}) {
    TCheckBox& box = f.CheckBox(n);
    EXPECT_TRUE(box.Name.isEmpty()) << n;
    box.Checked = true;
    box.Caption = QStringLiteral("x");
    EXPECT_FALSE(f.CheckBox(n).Checked) << n;  // reset on every request
    TLabel& label = f.zdLabel(n);
    EXPECT_TRUE(label.Name.isEmpty()) << n;
    label.Caption = QStringLiteral("x");
    EXPECT_TRUE(f.zdLabel(n).Caption.isEmpty()) << n;
    const TForm1& cf = f;
    EXPECT_TRUE(cf.CheckBox(n).Name.isEmpty());
    EXPECT_TRUE(cf.zdLabel(n).Name.isEmpty());
  }
  for (int n = 1; n <= 160; ++n) EXPECT_FALSE(f.CheckBox(n).Checked);
  for (int n = 801; n <= 910; ++n) EXPECT_FALSE(f.CheckBox(n).Checked);
  EXPECT_EQ(f.zdLabel(161).Caption, QString());
  EXPECT_EQ(f.FindControl(QString()), nullptr);
}

}  // namespace
