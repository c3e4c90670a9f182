// The event list of the page "Zdarzenia", rebuilt after every readout and
// whenever new event texts arrive while events are loaded.

#include "app/TForm1.h"
#include "events/EventListLines.h"

void TForm1::BuildEventList() {
  // The list decodes every record on its own: the cause flags of the event
  // on show stay as they are, so the arrows keep walking its causes.
  const EventListLines::Header header{EditTyp.Text,  EditNrFabr.Text, EditRokProd.Text, Edit5.Text,
                                      Edit6.Text,    Edit7.Text,      Edit8.Text};
  ListBox1.Items = EventListLines::Lines(header, EventTable, CauseTexts);
  ListBox1.ItemIndex = -1;
}
