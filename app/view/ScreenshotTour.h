#pragma once
// The screenshot run of the program (--screenshot DIR): every modal box that
// appears is saved as box-N.png and closed with its cancel or OK button, the
// pages are saved as page-1.png ... page-8.png, then the settings and the
// events are read through the menu and the grid, the check boxes, the event
// list, the record view behind it and one event's detail view are saved; the
// save dialogs of the settings and the event file are answered with the
// name they propose in the picture folder (printed as saved=PATH); the
// controller falls silent (page-6-stalled.png, then progress.png of a
// readout on the silent line); a bad file name and a missing file are
// opened for their boxes; then the program quits. The window caption is printed, as the pictures
// have no title bar.

#include <QString>

class MainWindow;

namespace ScreenshotTour {

// Before the window is made: the start-up boxes are saved and closed too.
void WatchModalBoxes(const QString& folder);
// After the window is shown.
void Start(MainWindow& window, const QString& folder);

}  // namespace ScreenshotTour
