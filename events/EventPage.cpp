#include "events/EventPage.h"

#include "app/TForm1.h"

namespace EventPage {

void ShowList(TForm1& form) {
  form.ListBox1.Visible = true;
  if (form.PageControl1.ActivePageIndex == kPageIndex) form.ui().SetFocus(form.ListBox1.Name);
}

void EnableEventCommands(TForm1& form) {
  form.Drukuj1.Enabled = true;
  form.Podglad1.Enabled = true;
  form.Zapiszjako2.Enabled = true;
  form.EksportCSV1.Enabled = true;
}

}  // namespace EventPage
