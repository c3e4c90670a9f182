// The print entries of the menus "Nastawy" and "Zdarzenia" and their print
// previews. Each printout is composed into RichEdit1, the printouts' buffer,
// and printed from there, one job per copy; a preview shows the very lines
// the printout would print.

#include "app/TForm1.h"
#include "printing/PrintoutLines.h"
#include "printing/PrintoutTexts.h"
#include "settings/SettingsTexts.h"

namespace {

PrintRequest BufferRequest(const TMemo& buffer) {
  return PrintRequest{buffer.Lines, PrintoutTexts::FontFamily, PrintoutTexts::kPointSize,
                      PrintoutTexts::DocumentTitle};
}

// The buffer once per copy, each copy a job of its own. A job the printer
// refuses has been reported by the printing layer; the copies after it would
// fail the same way, so they are not sent.
void PrintBuffer(Ui& ui, const TMemo& buffer, int copies) {
  const PrintRequest request = BufferRequest(buffer);
  for (int copy = 0; copy < copies; ++copy) {
    if (!ui.PrintLines(request)) return;
  }
}

void ComposeEvents(TForm1& f) { f.RichEdit1.Lines = PrintoutLines::EventPrintout(f.ListBox1.Items); }

void ComposeSettings(TForm1& f) {
  f.RichEdit1.Lines.clear();
  f.ComposeSettingsTable();
  f.ComposePermissions();
}

// GridToImage is the grid's check before the settings are printed; the rows
// before a refused one have been converted all the same.
bool SettingsPrintable(TForm1& f) {
  if (f.GridToImage()) return true;
  f.StatusBar1.Panels[1].Text = SettingsTexts::InvalidValue;
  f.ui().Beep();
  return false;
}

}  // namespace

void TForm1::Drukuj2Click() { PrintSettings(); }
void TForm1::Drukuj1Click() { PrintEvents(); }

void TForm1::PrintEvents() {
  // The menu entry stays disabled until events are loaded.
  if (!EventsLoaded) return;
  if (!ui_.ExecutePrintDialog(PrintDialog1)) return;
  ComposeEvents(*this);
  PrintBuffer(ui_, RichEdit1, PrintDialog1.Copies);
}

void TForm1::PrintSettings() {
  // Cancelling the dialog leaves even the grid check undone.
  if (!ui_.ExecutePrintDialog(PrintDialog1)) return;
  if (!SettingsPrintable(*this)) return;
  ComposeSettings(*this);
  PrintBuffer(ui_, RichEdit1, PrintDialog1.Copies);
}

void TForm1::Podglad1Click() {
  if (!EventsLoaded) return;
  ComposeEvents(*this);
  if (ui_.PreviewLines(BufferRequest(RichEdit1))) PrintEvents();
}

void TForm1::Podglad2Click() {
  // The preview shows only what could be printed: a grid that would stop
  // the printout stops its preview in the same way.
  if (!SettingsPrintable(*this)) return;
  ComposeSettings(*this);
  if (ui_.PreviewLines(BufferRequest(RichEdit1))) PrintSettings();
}
