// The event-texts section in the window: indicators, EventLabels and
// CauseTexts as a file sets them, and the texts written back.

#include "FileFormTest.h"

#include <gtest/gtest.h>

namespace {

class EventTexts : public FileFormTest {
 protected:
  void OpenEventLines(const QStringList& eventLines) {
    Open(WithPermissions(QStringLiteral("Zezwolenia:"), {}) + eventLines);
  }
};

TEST_F(EventTexts, ALongEventLineShowsItsFirstCharactersAndIsWrittenBackWhole) {
  const QString line = QStringLiteral("7 Przełączenie na zasilanie rezerwowe");
  OpenEventLines({line});
  EXPECT_EQ(w.form.Caption, QStringLiteral("WLT - nastawy 007"));
  EXPECT_EQ(w.form.zdLabel(7).Caption, QStringLiteral("Przełączenie na zas"));  // 19 characters behind the blank
  EXPECT_EQ(w.form.EventLabels[7], QStringLiteral(" Przełączenie na zasilanie rezerwowe"));
  const QStringList saved = SaveAndRead(QStringLiteral("WLT_nastawy_008"));
  EXPECT_TRUE(saved.contains(line));
}

TEST_F(EventTexts, BareEventLinesHideTheirIndicatorsAndStayBare) {
  OpenEventLines({QStringLiteral("1 Jeden"), QStringLiteral("9"), QStringLiteral("10                      poza")});
  EXPECT_TRUE(w.form.zdLabel(1).Visible);
  EXPECT_FALSE(w.form.zdLabel(9).Visible || w.form.CheckBox(9).Visible);
  EXPECT_EQ(w.form.zdLabel(9).Caption, QString());
  EXPECT_EQ(w.form.EventLabels[9], QString());
  // Only blanks within the first 20 characters: hidden too, but kept whole.
  EXPECT_FALSE(w.form.zdLabel(10).Visible || w.form.CheckBox(10).Visible);
  EXPECT_EQ(w.form.EventLabels[10], QStringLiteral("                      poza"));
  // Not mentioned: the design state stays.
  EXPECT_EQ(w.form.zdLabel(2).Caption, QStringLiteral("Label"));
  EXPECT_TRUE(w.form.zdLabel(2).Visible && w.form.CheckBox(2).Visible);

  const QStringList saved = SaveAndRead(QStringLiteral("WLT_nastawy_008"));
  const qsizetype at = saved.indexOf(QStringLiteral("Zdarzenia:"));
  ASSERT_GE(at, 0);
  EXPECT_EQ(saved.mid(at + 1, 3), QStringList({QStringLiteral("1 Jeden"), QStringLiteral("2"), QStringLiteral("3")}));
  EXPECT_EQ(saved[at + 9], QStringLiteral("9"));
  EXPECT_EQ(saved[at + 10], QStringLiteral("10                      poza"));
}

TEST_F(EventTexts, AFileWrittenBeforeAnyTextsWereReadHidesEveryIndicator) {
  const QStringList saved = SaveAndRead(QStringLiteral("WLT_nastawy_008"));
  ASSERT_EQ(saved.size(), 363);
  for (int n = 1; n <= 160; ++n) EXPECT_EQ(saved[138 + n], QString::number(n));
  w.ui.OpenAnswers.push_back(Path(QStringLiteral("WLT_nastawy_008.txt")));
  w.form.Otwrz1Click();
  for (int n = 1; n <= 160; ++n) {
    EXPECT_FALSE(w.form.zdLabel(n).Visible) << n;
    EXPECT_FALSE(w.form.CheckBox(n).Visible) << n;
  }
}

TEST_F(EventTexts, CodeLinesBetween1001And1064Only) {
  for (QString& text : w.form.CauseTexts) text = QStringLiteral("stary");
  OpenEventLines({QStringLiteral("1000 zero"), QStringLiteral("1005                          Tekst 5  \t"),
                  QStringLiteral("1065 poza"), QStringLiteral("500 poza"), QStringLiteral("161 poza"),
                  QStringLiteral("1001"), QStringLiteral("1064  ostatni")});
  EXPECT_EQ(w.form.Caption, QStringLiteral("WLT - nastawy 007"));
  EXPECT_EQ(w.form.CauseTexts[4], QStringLiteral("Tekst 5"));
  EXPECT_EQ(w.form.CauseTexts[0], QString());
  EXPECT_EQ(w.form.CauseTexts[63], QStringLiteral("ostatni"));
  for (int c : {1, 2, 3, 5, 62}) EXPECT_EQ(w.form.CauseTexts[std::size_t(c)], QStringLiteral("stary")) << c;
  for (int n = 1; n <= 160; ++n) EXPECT_EQ(w.form.zdLabel(n).Caption, QStringLiteral("Label")) << n;

  const QStringList saved = SaveAndRead(QStringLiteral("WLT_nastawy_008"));
  EXPECT_TRUE(saved.contains(QStringLiteral("1005       Tekst 5")));
  EXPECT_TRUE(saved.contains(QStringLiteral("1001       ")));
  EXPECT_EQ(saved.last(), QStringLiteral("1064       ostatni"));
}

TEST_F(EventTexts, CodesAFileLeavesOutKeepTheTextsOfTheFileBefore) {
  QStringList first;
  for (int c = 0; c < 64; ++c) first << QStringLiteral("%1 Pierwszy %1").arg(1001 + c);
  OpenEventLines(QStringList{QStringLiteral("4 Czwarty")} + first);
  OpenEventLines({QStringLiteral("1001 Drugi"), QStringLiteral("5 Piąty")});
  EXPECT_EQ(w.form.CauseTexts[0], QStringLiteral("Drugi"));
  EXPECT_EQ(w.form.CauseTexts[9], QStringLiteral("Pierwszy 1010"));
  // EventLabels is emptied by every pass; an indicator keeps its caption.
  EXPECT_EQ(w.form.EventLabels[4], QString());
  EXPECT_EQ(w.form.zdLabel(4).Caption, QStringLiteral("Czwarty"));
  EXPECT_EQ(w.form.EventLabels[5], QStringLiteral(" Piąty"));
}

TEST_F(EventTexts, AFileWithoutTheSectionEmptiesEventLabelsAndFails) {
  OpenEventLines({QStringLiteral("3 Trzeci"), QStringLiteral("1003 Kod")});
  QStringList lines = WithPermissions(QStringLiteral("Zezwolenia:"), {});
  lines.resize(lines.size() - 2);  // "Zdarzenia:" and the line after it
  Open(lines);
  EXPECT_TRUE(Failed());
  EXPECT_EQ(w.form.EventLabels[3], QString());
  EXPECT_EQ(w.form.zdLabel(3).Caption, QStringLiteral("Trzeci"));
  EXPECT_EQ(w.form.CauseTexts[2], QStringLiteral("Kod"));
}

TEST_F(EventTexts, TextAfterTheSectionFailsKeepingTheLinesBeforeIt) {
  OpenEventLines({QStringLiteral("1 Jeden"), QStringLiteral("1002 Dwa"), QStringLiteral("Uwagi serwisu: brak"),
                  QStringLiteral("3 Trzy")});
  EXPECT_TRUE(Failed());
  EXPECT_EQ(w.form.zdLabel(1).Caption, QStringLiteral("Jeden"));
  EXPECT_EQ(w.form.CauseTexts[1], QStringLiteral("Dwa"));
  EXPECT_EQ(w.form.zdLabel(3).Caption, QStringLiteral("Label"));
}

// The entry the event file uses: any file name, the section found anywhere.
TEST_F(EventTexts, ReadEventTextsSectionByFileName) {
  const QString eventFile = Path(QStringLiteral("zdarzenia.dat"));
  ASSERT_TRUE(WriteBytes(eventFile, Cp1250File({QStringLiteral("1 2 3"), QStringLiteral("Zdarzenia:"),
                                                QStringLiteral("2 Drugie zdarzenie"), QStringLiteral("1064 Ostatni")})));
  w.form.EventLabels[1] = QStringLiteral(" stary");
  EXPECT_TRUE(w.form.ReadEventTextsSection(eventFile));
  EXPECT_EQ(w.form.EventLabels[1], QString());
  EXPECT_EQ(w.form.EventLabels[2], QStringLiteral(" Drugie zdarzenie"));
  EXPECT_EQ(w.form.zdLabel(2).Caption, QStringLiteral("Drugie zdarzenie"));
  EXPECT_EQ(w.form.CauseTexts[63], QStringLiteral("Ostatni"));
  EXPECT_TRUE(w.ui.Log.isEmpty());  // the caller reports

  w.form.EventLabels[2] = QStringLiteral(" stary");
  EXPECT_FALSE(w.form.ReadEventTextsSection(Path(QStringLiteral("brak.dat"))));
  EXPECT_EQ(w.form.EventLabels[2], QString());
  EXPECT_EQ(w.form.zdLabel(2).Caption, QStringLiteral("Drugie zdarzenie"));
}

}  // namespace

// New cause texts reach the event list at once while events are loaded.
TEST_F(EventTexts, LoadedEventsAreListedAgainWithTheNewCauseTexts) {
  auto causeLineOfEvent3 = [this] {
    for (const QString& line : w.form.ListBox1.Items)
      if (line.startsWith(QStringLiteral("03")) && line.contains(QStringLiteral("05:  "))) return line;
    return QString();
  };
  w.form.EventTable[2][3] = 0x0010;  // event 3: cause 5
  OpenEventLines({QStringLiteral("1005 Zanik napięcia")});
  EXPECT_TRUE(w.form.ListBox1.Items.isEmpty());  // nothing loaded: nothing listed

  w.form.EventsLoaded = true;
  w.form.BuildEventList();
  EXPECT_TRUE(causeLineOfEvent3().endsWith(QStringLiteral("05:  Zanik napięcia"))) << causeLineOfEvent3().toStdString();
  OpenEventLines({QStringLiteral("1005 Powrót napięcia")});
  EXPECT_TRUE(causeLineOfEvent3().endsWith(QStringLiteral("05:  Powrót napięcia"))) << causeLineOfEvent3().toStdString();
}
