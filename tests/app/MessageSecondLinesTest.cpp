// The message boxes that say what to do next: the described first line,
// then a second one naming the device or file tried and the way out. Headless
// on a fake controller line, in an empty current folder.

#include "AppTestSupport.h"
#include "FakeSerialLine.h"

#include <gtest/gtest.h>

namespace {

QString InFolder() { return QDir::toNativeSeparators(QDir::currentPath()); }

// The port boxes: the port named, then why it did not open.
TEST(MessageSecondLines, APortThatDoesNotOpenNamesItsDeviceAndTheWayToAnother) {
  struct Case {
    const char* name;
    SerialLine::OpenFailure failure;
    const char* port;
    QString message;
  };
  const Case cases[] = {
      {"no such device", SerialLine::OpenFailure::Other, "COM2",
       QStringLiteral("COM2 jest niedostępny\nNie można otworzyć urządzenia /dev/fake-COM2; inne urządzenie "
                      "wskaże opcja --port COM2=/dev/ttyUSB0.")},
      {"another port", SerialLine::OpenFailure::Other, "COM4",
       QStringLiteral("COM4 jest niedostępny\nNie można otworzyć urządzenia /dev/fake-COM4; inne urządzenie "
                      "wskaże opcja --port COM4=/dev/ttyUSB0.")},
      // The permission line stays as it was.
      {"no permission", SerialLine::OpenFailure::AccessDenied, "COM1",
       QStringLiteral("COM1 jest niedostępny\nBrak uprawnień do urządzenia /dev/fake-COM1: konto musi należeć "
                      "do grupy dialout (po dopisaniu trzeba się wylogować i zalogować ponownie).")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeWindow w;
    w.line->PortExists = false;
    w.line->Failure = c.failure;
    w.form.ComboBox1.Text = QString::fromLatin1(c.port);
    w.form.ComboBox1Change();
    w.form.ConnectClick();
    EXPECT_EQ(w.ui.Log, QStringList({QStringLiteral("beep"), QStringLiteral("message:") + c.message}));
  }
}

// Where the port name is the device itself (no device path is known), the
// first line says it all.
TEST(MessageSecondLines, APortWithoutADevicePathKeepsOneLine) {
  FakeUi ui;
  auto line = std::make_shared<FakeLineState>();
  line->RefuseOpen = true;
  TForm1 form(ui, std::make_unique<FakeSerialLine>(line));
  form.ConnectClick();
  EXPECT_EQ(ui.Messages, QStringList{QStringLiteral("COM1 jest niedostępny")});
}

// "Błąd odczytu" of a file that is not there names the file and the folder
// looked in; a file that is there but does not read keeps the one line.
TEST(MessageSecondLines, AMissingFileIsNamedWithItsFolder) {
  TempCurrentFolder folder;
  ASSERT_TRUE(folder.Valid());
  {
    SCOPED_TRACE("start-up without any description file");
    FakeWindow w;
    w.SetController(7, 2021);
    w.form.FormCreate();
    EXPECT_EQ(w.ui.Messages, QStringList{QStringLiteral("Błąd odczytu\nNie ma pliku WLT_nast_rejzd_000.txt w "
                                                        "folderze %1.")
                                             .arg(InFolder())});
  }
  {
    SCOPED_TRACE("a settings file chosen in the open dialog");
    FakeWindow w;
    w.form.InitSettingsCatalogue();
    const QString sub = QDir(folder.Path()).filePath(QStringLiteral("kopie"));
    ASSERT_TRUE(QDir().mkpath(sub));
    w.ui.OpenAnswers.push_back(QDir(sub).filePath(QStringLiteral("WLT_nastawy_012")));
    w.form.Otwrz1Click();
    EXPECT_EQ(w.ui.Messages, QStringList{QStringLiteral("Błąd odczytu\nNie ma pliku WLT_nastawy_012.txt w "
                                                        "folderze %1.")
                                             .arg(QDir::toNativeSeparators(sub))});
  }
  {
    SCOPED_TRACE("a file that is there but is no settings file");
    FakeWindow w;
    w.form.InitSettingsCatalogue();
    ASSERT_TRUE(folder.WriteFile(QStringLiteral("WLT_nastawy_013.txt"), "nie ten plik\r\n"));
    w.ui.OpenAnswers.push_back(QDir(folder.Path()).filePath(QStringLiteral("WLT_nastawy_013.txt")));
    w.form.Otwrz1Click();
    EXPECT_EQ(w.ui.Messages, QStringList{QStringLiteral("Błąd odczytu")});
  }
}

// A name of another form: the box says which forms are taken, for opening
// and for saving alike.
TEST(MessageSecondLines, ABadFileNameSaysTheFormRequired) {
  TempCurrentFolder folder;
  ASSERT_TRUE(folder.Valid());
  const QString expected = QStringLiteral(
      "Błędna nazwa pliku.\nNazwa musi mieć postać WLT_nastawy_NNN.txt lub WLT_nast_rejzd_NNN.txt "
      "(NNN: numer fabryczny).");
  for (const bool saving : {false, true}) {
    SCOPED_TRACE(saving ? "save" : "open");
    FakeWindow w;
    w.form.InitSettingsCatalogue();
    const QString path = QDir(folder.Path()).filePath(QStringLiteral("nastawy_7.txt"));
    if (saving) {
      w.ui.SaveAnswers.push_back(path);
      w.form.Zapiszjako1Click();
    } else {
      w.ui.OpenAnswers.push_back(path);
      w.form.Otwrz1Click();
    }
    EXPECT_EQ(w.ui.Messages, QStringList{expected});
    EXPECT_FALSE(QFileInfo::exists(path));
  }
}

}  // namespace
