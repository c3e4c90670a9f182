#pragma once
// The page "Zdarzenia" as every way of loading events leaves it.

class TForm1;

namespace EventPage {

constexpr int kPageIndex = 3;  // "Zdarzenia" in PageControl1

// The list view in front: ListBox1 visible, and given the keyboard focus
// when the page is on show.
void ShowList(TForm1& form);

// Loaded events can be saved, printed and previewed from then on; nothing
// disables these entries again.
void EnableEventCommands(TForm1& form);

}  // namespace EventPage
