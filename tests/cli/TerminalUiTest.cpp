// The terminal Ui: what it writes for each box, how it answers the file,
// confirmation and print dialogs, and what it counts as a reported failure.

#include "AppTestSupport.h"
#include "TerminalUi.h"

#include <gtest/gtest.h>

namespace {

struct Terminal {
  QStringList out, err;
  TerminalUi ui{[this](const QString& line) { out << line; }, [this](const QString& line) { err << line; },
                false};
};

TEST(TerminalUi, BoxesGoToStandardErrorAndCountAsReports) {
  Terminal t;
  t.ui.Beep();
  t.ui.ShowMessage(QStringLiteral("Brak komunikacji z urządzeniem"));
  t.ui.ShowError(QStringLiteral("Unable to create backup file."));
  EXPECT_EQ(t.ui.Reports(), 3);
  EXPECT_EQ(t.err, QStringList({QStringLiteral("message: Brak komunikacji z urządzeniem"),
                                QStringLiteral("error: Unable to create backup file.")}));
  EXPECT_TRUE(t.out.isEmpty());
}

TEST(TerminalUi, ConfirmationsAreAnsweredByYes) {
  for (const bool yes : {false, true}) {
    QStringList err;
    TerminalUi ui([](const QString&) {}, [&err](const QString& line) { err << line; }, yes);
    EXPECT_EQ(ui.Confirm(QStringLiteral("Zmienić czas i datę urządzenia?")), yes);
    EXPECT_EQ(ui.RefusedConfirmations(), yes ? 0 : 1);
    EXPECT_EQ(ui.Reports(), 0);
    EXPECT_EQ(err, QStringList{QStringLiteral("confirm: Zmienić czas i datę urządzenia? ") +
                               (yes ? QStringLiteral("OK") : QStringLiteral("Cancel"))});
  }
}

TEST(TerminalUi, AFileDialogTakesTheNamedFileOnce) {
  Terminal t;
  TFileDialog dialog{QStringLiteral("SaveDialog1"), QStringLiteral("Text files (*.txt)|*.TXT"),
                     QStringLiteral("WLT_nast_rejzd_007"), QString()};
  EXPECT_FALSE(t.ui.ExecuteSaveDialog(dialog));  // nothing named: cancelled
  EXPECT_EQ(dialog.FileName, QStringLiteral("WLT_nast_rejzd_007"));

  t.ui.AnswerNextFileDialog(QStringLiteral("/backup/WLT_nastawy_007.txt"));
  EXPECT_TRUE(t.ui.FileDialogAnswerPending());
  ASSERT_TRUE(t.ui.ExecuteSaveDialog(dialog));
  EXPECT_EQ(dialog.FileName, QStringLiteral("/backup/WLT_nastawy_007.txt"));
  EXPECT_FALSE(t.ui.FileDialogAnswerPending());
  EXPECT_FALSE(t.ui.ExecuteOpenDialog(dialog));  // the answer is used up

  t.ui.AnswerNextFileDialog(QStringLiteral("/e/zdarzenia.dat"));
  ASSERT_TRUE(t.ui.ExecuteOpenDialog(dialog));
  EXPECT_EQ(dialog.FileName, QStringLiteral("/e/zdarzenia.dat"));
  EXPECT_EQ(t.ui.Reports(), 0);
}

TEST(TerminalUi, PrintingOneCopyOntoStandardOutput) {
  Terminal t;
  TPrintDialog dialog{QStringLiteral("PrintDialog1"), 3};
  EXPECT_FALSE(t.ui.ExecutePrintDialog(dialog));  // nowhere to print: cancelled
  PrintRequest request{{QString(), QStringLiteral("   WLT - nastawy 007")},
                       QStringLiteral("Courier New"),
                       10,
                       QStringLiteral("WLT")};
  EXPECT_FALSE(t.ui.PrintLines(request));
  EXPECT_EQ(t.ui.PrintedJobs(), 0);

  t.ui.PrintOntoOutput();
  ASSERT_TRUE(t.ui.ExecutePrintDialog(dialog));
  EXPECT_EQ(dialog.Copies, 1);
  ASSERT_TRUE(t.ui.PrintLines(request));
  EXPECT_EQ(t.ui.PrintedJobs(), 1);
  EXPECT_EQ(t.out, request.Lines);
  EXPECT_TRUE(t.err.isEmpty());
  EXPECT_FALSE(t.ui.PreviewLines(request));
}

TEST(TerminalUi, APdfThatCannotBeWrittenIsThePrintingLayersError) {
  Terminal t;
  t.ui.PrintIntoPdf(QStringLiteral("/nonexistent-folder/out.pdf"));
  TPrintDialog dialog{QStringLiteral("PrintDialog1"), 1};
  ASSERT_TRUE(t.ui.ExecutePrintDialog(dialog));
  EXPECT_FALSE(t.ui.PrintLines(
      PrintRequest{{QStringLiteral("x")}, QStringLiteral("Courier New"), 10, QStringLiteral("WLT")}));
  EXPECT_EQ(t.ui.PrintedJobs(), 0);
  EXPECT_EQ(t.ui.Reports(), 1);
  EXPECT_EQ(t.err, QStringList{QStringLiteral("error: Błąd drukowania: /nonexistent-folder/out.pdf")});
}

}  // namespace
