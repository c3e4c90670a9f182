#pragma once
// Everything a handler needs from outside the window state: the beep, modal
// boxes, file and print dialogs, printing and its preview, keyboard focus,
// the PC clock and the regional formats. The Qt view implements it for real (rendering the
// state before every modal box); tests implement it with a scripted fake.

#include "app/FormControls.h"
#include "settings/SettingsDiff.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

// What one print job carries: the text lines, the font asked for by family
// and size, and the document title the print system shows for the job.
struct PrintRequest {
  QStringList Lines;
  QString FontFamily;
  int PointSize = 10;
  QString DocumentTitle;
};

class Ui {
 public:
  virtual ~Ui() = default;

  // The system's default message beep.
  virtual void Beep() = 0;
  // Modal box with an OK button, captioned with the application title
  // "WLT nastawy".
  virtual void ShowMessage(const QString& text) = 0;
  // Modal "Confirm" box with a confirmation icon, OK and Cancel. True only for
  // OK; closing the box counts as Cancel.
  virtual bool Confirm(const QString& question) = 0;
  // The toolkit's standard error box (an error the program did not expect).
  virtual void ShowError(const QString& text) = 0;

  // Run a file dialog; on OK the chosen path is stored in dialog.FileName and
  // the result is true.
  virtual bool ExecuteOpenDialog(TFileDialog& dialog) = 0;
  virtual bool ExecuteSaveDialog(TFileDialog& dialog) = 0;
  // The print dialog; on OK dialog.Copies holds the chosen number of copies.
  virtual bool ExecutePrintDialog(TPrintDialog& dialog) = 0;
  // Prints the request as one job of one copy on the printer chosen in the
  // last print dialog: the lines top to bottom over as many pages as they
  // need, with no header, footer or page number. False when printing failed;
  // the printing layer has then reported why in its own error box.
  virtual bool PrintLines(const PrintRequest& request) = 0;
  // Shows the pages the request would print. True when the user asked to
  // print them from there.
  virtual bool PreviewLines(const PrintRequest& request) = 0;

  // A device operation that may take seconds has put what it is doing into
  // status panel 1 (status): show it now, while the handler still runs.
  // Nothing else of the window runs meanwhile. Without a window to paint
  // there is nothing to do.
  virtual void ShowProgress(const QString& status) { (void)status; }

  // The compare's table: each setting the window and the controller differ
  // in (before: the controller's value, after: the window's, in the grid's
  // units). True when the user asked for "Zapis nastaw do WLT" from it.
  virtual bool ShowSettingsDifferences(const std::vector<SettingsDiff::Change>& differences) = 0;
  // The device search: what is being probed (text, one line or two) and how
  // far it is (done of total). The first call puts up the progress box with
  // its button "Przerwij"; meanwhile the window repaints and takes that
  // button, and nothing else. False once the user asked to stop. The end of
  // the search takes the box down.
  virtual bool ShowSearchProgress(const QString& text, int done, int total) {
    (void)text;
    (void)done;
    (void)total;
    return true;
  }
  virtual void EndSearchProgress() {}

  // Gives the keyboard focus to the control of that name.
  virtual void SetFocus(const QString& controlName) = 0;

  // The PC clock and its regional formats.
  virtual QDateTime Now() = 0;
  virtual QString ShortDate(const QDate& date) = 0;
  // The locale's time with seconds and without a time-zone name.
  virtual QString LongTime(const QTime& time) = 0;
};
