#pragma once
// The Qt view of the main window. It owns the toolkit-free TForm1, builds one
// widget per control with the control's name as objectName, writes what the
// user does into the state, calls the handler and renders the whole state
// back. It is also the real Ui: modal boxes, dialogs, printing, focus and the
// PC clock.
//
// Tests pass a Ui of their own as modalOverride: then every modal or external
// request (boxes, dialogs, printing, the clock) goes to it instead of a real
// dialog, after the state has been rendered as usual.

#include "app/TForm1.h"
#include "app/Ui.h"

#include <QElapsedTimer>
#include <QMainWindow>

#include <functional>
#include <memory>
#include <vector>

class QComboBox;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;
class QTableWidget;
class QTextEdit;
class QTimer;
class QVBoxLayout;
class QWidget;
class QFrame;
class QGroupBox;
class QMenu;
class SpinEditWidget;
class UpDownWidget;
class GridCellDelegate;
class QPrinter;
class QMargins;
class LinkMonitorDock;
class QProgressDialog;

class MainWindow : public QMainWindow, public Ui {
  Q_OBJECT
 public:
  // Builds the widgets and places the window. The window's creation steps
  // (FormCreate) run right after the window first appears on screen, so
  // that the user sees it while the controller is looked for and the boxes
  // of the start-up stand over it.
  explicit MainWindow(Ui* modalOverride = nullptr,
                      std::unique_ptr<SerialLine> line = MakeSystemSerialLine(),
                      QWidget* parent = nullptr);
  ~MainWindow() override;

  TForm1& form() { return *form_; }
  // FormCreate has run (created() is emitted when it has).
  bool Created() const { return created_; }
  // Writes the whole state into the widgets, with their signals blocked.
  void Render();
  // Closes the window as its close button does (FormDestroy closes the
  // port), once no handler runs. A handler that runs meanwhile (waiting for
  // the controller, or in a modal box) is finished first: its open box is
  // closed and every box it still asks for counts as closed (Cancel, no
  // file, no printing). The end on SIGTERM, SIGINT or SIGHUP.
  void CloseWhenIdle();

  // ---- Ui ----------------------------------------------------------------
  void Beep() override;
  void ShowMessage(const QString& text) override;
  bool Confirm(const QString& question) override;
  void ShowError(const QString& text) override;
  bool ExecuteOpenDialog(TFileDialog& dialog) override;
  bool ExecuteSaveDialog(TFileDialog& dialog) override;
  bool ExecutePrintDialog(TPrintDialog& dialog) override;
  bool PrintLines(const PrintRequest& request) override;
  bool PreviewLines(const PrintRequest& request) override;
  // Renders the state and paints the status bar at once: the handler that
  // asked goes on holding the event loop.
  void ShowProgress(const QString& status) override;
  bool ShowSettingsDifferences(const std::vector<SettingsDiff::Change>& differences) override;
  void SetFocus(const QString& controlName) override;
  QDateTime Now() override;
  QString ShortDate(const QDate& date) override;
  QString LongTime(const QTime& time) override;
  // The device search's progress box (SearchProgressBox.cpp).
  bool ShowSearchProgress(const QString& text, int done, int total) override;
  void EndSearchProgress() override;

 signals:
  void created();
  // A long operation's progress text has been painted (status panel 1).
  void progressShown(const QString& status);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  using Handler = void (TForm1::*)();
  using ArrowHandler = void (TForm1::*)(int direction);

  // Runs a handler to completion, then renders. A handler never starts while
  // another one runs (a timer tick during a modal box is skipped), and an
  // unexpected error is shown in the standard error box, never thrown on.
  // A handler the user starts may wait for the controller: it runs under
  // the wait cursor. Timer ticks do not, unless the tick asks a controller
  // that stopped answering.
  void Run(const std::function<void()>& handler, bool userStarted = true);
  void RunHandler(Handler handler, bool userStarted = true);
  // A menu entry's handler: its menu is still on screen while the entry's
  // signal runs, so the handler runs from the event loop once the menu has
  // closed and the window has been painted again. The wait cursor shows at
  // once.
  void RunAfterMenu(Handler handler);
  // Runs FormCreate once the window is on screen (retried until it is).
  void CreateWhenShown(int triesLeft);
  // The described place and size, brought onto the screen the window is on
  // (frame: what the window system adds around it, once known).
  void PlaceOnScreen(const QMargins& frame);
  // Pages whose controls stand at fixed places scroll, rather than cut
  // them, when the window is smaller than the page.
  void KeepControlsReachable();
  void Destroy();
  bool FileDialog(TFileDialog& dialog, bool save);

  // ---- Widgets bound to state (MainWindowBinding.cpp) ----------------------
  QLabel* AddLabel(QWidget* parent, TLabel& state, const QRect& geometry);
  QLineEdit* AddEdit(QWidget* parent, TEdit& state, const QRect& geometry);
  QPushButton* AddButton(QWidget* parent, TButton& state, const QRect& geometry,
                         Handler handler);
  QCheckBox* AddCheckBox(QWidget* parent, TCheckBox& state, const QRect& geometry);
  QComboBox* AddComboBox(QWidget* parent, TComboBox& state, const QRect& geometry,
                         Handler change);
  SpinEditWidget* AddSpinEdit(QWidget* parent, TSpinEdit& state, const QRect& geometry,
                              Handler change);
  QFrame* AddPanel(QWidget* parent, TControl& state, const QRect& geometry);
  QTextEdit* AddMemo(QWidget* parent, TMemo& state, bool centredBold);
  QListWidget* AddListBox(QWidget* parent, TListBox& state);
  UpDownWidget* AddUpDown(QWidget* parent, TUpDown& state, const QRect& geometry,
                          ArrowHandler click);
  QTableWidget* AddGrid(QWidget* parent, TStringGrid& state, const QPoint& topLeft);
  void BindControl(QWidget* widget, const TControl& state);
  void BindMenus();
  void BindPages();
  void BindStatusBar();
  void BindTimer();
  // The link monitor: its entry in "Komunikacja" and its dock (MainWindowMonitor.cpp).
  void BindLinkMonitor();

  // ---- Layout (MainWindowPages.cpp) ----------------------------------------
  QWidget* BuildHeader();
  QWidget* BuildPicturePage();
  QWidget* BuildGridPage();
  QWidget* BuildProgrammingPage();
  QWidget* BuildEventsPage();
  QWidget* BuildTransmissionPage();
  QWidget* BuildWltPage();
  QWidget* BuildTestPage();
  QWidget* BuildAboutPage();

  Ui* override_;
  std::unique_ptr<TForm1> form_;
  std::vector<std::function<void()>> renderers_;
  QTabWidget* pages_ = nullptr;
  QTimer* timer1_ = nullptr;
  // Widgets whose children stand at fixed places: each is kept as large as
  // its children reach, so the page around it scrolls to them.
  std::vector<QWidget*> placedContainers_;
  GridCellDelegate* gridDelegate_ = nullptr;
  LinkMonitorDock* linkMonitorDock_ = nullptr;
#if WLT_HAVE_PRINTSUPPORT
  QPrinter& Printer();  // made on first use
  std::unique_ptr<QPrinter> printer_;  // keeps the choices of the last print dialog
#endif
  bool rendering_ = false;
  bool inHandler_ = false;
  bool destroyed_ = false;
  bool closing_ = false;  // CloseWhenIdle: close as soon as the handler returns
  bool createScheduled_ = false;
  bool created_ = false;
  // Wait cursors this window has set (QApplication's override stack):
  // taken down while a modal box or dialog is up, then put back.
  int waitCursors_ = 0;
  // The device search's progress box while the search runs, and its clock.
  QProgressDialog* searchBox_ = nullptr;
  QElapsedTimer searchClock_;
  int searchPausedCursors_ = 0;  // wait cursors taken down while the box is up
};
