// Widgets bound to the state: each Add... makes the widget of one control
// (objectName = the control's name), forwards what the user does into the
// state (and the control's handler), and registers how the state is
// rendered into it. Rendering blocks the widget's signals, so it never calls
// a handler.

#include "app/view/ElidingWidgets.h"
#include "app/view/GridCellDelegate.h"
#include "app/view/MainWindow.h"
#include "app/view/SpinEditWidget.h"
#include "app/view/UpDownWidget.h"
#include "app/view/ViewConversions.h"
#include "app/view/ViewFonts.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QHeaderView>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextEdit>
#include <QTimer>

#include <stdexcept>

namespace {

// Key presses of a widget, handed to a handler before the widget acts on them.
class KeyForwarder : public QObject {
 public:
  KeyForwarder(QObject* parent, std::function<void(int)> onKey)
      : QObject(parent), onKey_(std::move(onKey)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress) {
      const int code = ViewConversions::WindowsKeyCode(static_cast<QKeyEvent*>(event)->key());
      if (code != 0) onKey_(code);
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  std::function<void(int)> onKey_;
};

void Place(QWidget* widget, const QRect& geometry) {
  if (geometry.isValid()) widget->setGeometry(geometry);
}

// A field the user cannot type into stands on the window's face colour
// instead of the white of an input field, and keeps the normal text colour
// when disabled, so its value stays as readable as any other.
void ShowAsField(QLineEdit* edit, bool field) {
  static const char* const kLook = "wltFieldLook";
  const QVariant shown = edit->property(kLook);
  if (shown.isValid() ? shown.toBool() == field : !field) return;
  edit->setProperty(kLook, field);
  if (!field) {
    edit->setPalette(QPalette());  // the inherited look of an input field
    return;
  }
  QPalette palette = QApplication::palette(edit);
  const QColor face = palette.color(QPalette::Active, QPalette::Window);
  const QColor text = palette.color(QPalette::Active, QPalette::Text);
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    palette.setColor(group, QPalette::Base, face);
    palette.setColor(group, QPalette::Text, text);
  }
  edit->setPalette(palette);
}

QStringList ItemsOf(const QComboBox* box) {
  QStringList items;
  for (int i = 0; i < box->count(); ++i) items << box->itemText(i);
  return items;
}

QStringList ItemsOf(const QListWidget* list) {
  QStringList items;
  for (int i = 0; i < list->count(); ++i) items << list->item(i)->text();
  return items;
}

}  // namespace

void MainWindow::BindControl(QWidget* widget, const TControl& state) {
  if (!state.Name.isEmpty()) widget->setObjectName(state.Name);
  renderers_.push_back([widget, &state] {
    if (widget->testAttribute(Qt::WA_ForceDisabled) == state.Enabled) widget->setEnabled(state.Enabled);
    if (widget->isHidden() == state.Visible) widget->setVisible(state.Visible);
  });
}

QLabel* MainWindow::AddLabel(QWidget* parent, TLabel& state, const QRect& geometry) {
  auto* label = new ElidingLabel(parent);
  // A label placed without a width sizes itself to its caption.
  const bool autoSize = !geometry.isNull() && geometry.width() <= 0;
  if (autoSize) label->move(geometry.topLeft());
  else Place(label, geometry);
  BindControl(label, state);
  renderers_.push_back([label, &state, autoSize] {
    if (label->text() == state.Caption) return;
    label->setText(state.Caption);
    if (autoSize) label->adjustSize();
  });
  return label;
}

QLineEdit* MainWindow::AddEdit(QWidget* parent, TEdit& state, const QRect& geometry) {
  auto* edit = new QLineEdit(parent);
  Place(edit, geometry);
  BindControl(edit, state);
  connect(edit, &QLineEdit::textEdited, this, [this, &state](const QString& text) {
    if (rendering_) return;
    state.Text = text;
    Render();
  });
  renderers_.push_back([edit, &state] {
    const QSignalBlocker blocker(edit);
    if (edit->isReadOnly() != state.ReadOnly) edit->setReadOnly(state.ReadOnly);
    ShowAsField(edit, state.ReadOnly || !state.Enabled);
    if (edit->text() != state.Text) {
      edit->setText(state.Text);
      edit->setCursorPosition(0);  // a long text shows its beginning
    }
  });
  return edit;
}

QPushButton* MainWindow::AddButton(QWidget* parent, TButton& state, const QRect& geometry,
                                   Handler handler) {
  auto* button = new QPushButton(parent);
  Place(button, geometry);
  button->setAutoDefault(false);
  BindControl(button, state);
  connect(button, &QPushButton::clicked, this, [this, handler] {
    if (!rendering_) RunHandler(handler);
  });
  renderers_.push_back([button, &state] {
    if (button->text() != state.Caption) button->setText(state.Caption);
  });
  return button;
}

QCheckBox* MainWindow::AddCheckBox(QWidget* parent, TCheckBox& state, const QRect& geometry) {
  auto* box = new ElidingCheckBox(parent);
  Place(box, geometry);
  BindControl(box, state);
  // Ticking a box only changes its state; whoever needs it reads it later.
  connect(box, &QCheckBox::clicked, this, [this, &state](bool checked) {
    if (rendering_) return;
    state.Checked = checked;
    Render();
  });
  renderers_.push_back([box, &state] {
    const QSignalBlocker blocker(box);
    if (box->text() != state.Caption) box->setText(state.Caption);
    if (box->isChecked() != state.Checked) box->setChecked(state.Checked);
  });
  return box;
}

QComboBox* MainWindow::AddComboBox(QWidget* parent, TComboBox& state, const QRect& geometry,
                                   Handler change) {
  auto* box = new QComboBox(parent);
  Place(box, geometry);
  // An editable drop-down list: an item may be picked or any text typed; the
  // typed text stays as typed (no completion, no new items). Whether a list
  // is editable belongs to its design, so it is taken once, here.
  box->setEditable(state.Editable);
  box->setInsertPolicy(QComboBox::NoInsert);
  BindControl(box, state);
  auto changed = [this, change] {
    if (change) RunHandler(change);
    else Render();
  };
  if (QLineEdit* edit = box->lineEdit()) {
    box->setCompleter(nullptr);
    connect(edit, &QLineEdit::textEdited, this, [this, &state, changed](const QString& text) {
      if (rendering_) return;
      state.Text = text;
      state.ItemIndex = int(state.Items.indexOf(text));
      changed();
    });
  }
  connect(box, qOverload<int>(&QComboBox::activated), this, [this, &state, changed](int index) {
    if (rendering_) return;
    state.SetItemIndex(index);
    changed();
  });
  renderers_.push_back([box, &state] {
    const QSignalBlocker blocker(box);
    const QSignalBlocker editBlocker(box->lineEdit());
    if (ItemsOf(box) != state.Items) {
      box->clear();
      box->addItems(state.Items);
    }
    const int index = state.ItemIndex >= 0 && state.ItemIndex < box->count() ? state.ItemIndex : -1;
    if (box->currentIndex() != index) box->setCurrentIndex(index);
    if (box->isEditable() && box->currentText() != state.Text) box->setEditText(state.Text);
  });
  return box;
}

SpinEditWidget* MainWindow::AddSpinEdit(QWidget* parent, TSpinEdit& state, const QRect& geometry,
                                        Handler change) {
  auto* spin = new SpinEditWidget(parent);
  Place(spin, geometry);
  BindControl(spin, state);
  auto changed = [this, change] {
    if (change) RunHandler(change);
    else Render();
  };
  connect(spin, &SpinEditWidget::textEdited, this, [this, &state, changed](const QString& text) {
    if (rendering_) return;
    state.Text = text;
    changed();
  });
  // The control's state takes the step; the change handler follows.
  connect(spin, &SpinEditWidget::stepped, this, [this, &state, changed](int delta) {
    if (rendering_) return;
    state.Step(delta);
    changed();
  });
  renderers_.push_back([spin, &state] {
    const QSignalBlocker blocker(spin);
    const QSignalBlocker editBlocker(spin->lineEdit());
    spin->setText(state.Text);
  });
  return spin;
}

QFrame* MainWindow::AddPanel(QWidget* parent, TControl& state, const QRect& geometry) {
  auto* panel = new QFrame(parent);
  panel->setFrameShape(QFrame::StyledPanel);
  panel->setFrameShadow(QFrame::Raised);
  Place(panel, geometry);
  BindControl(panel, state);
  return panel;
}

QTextEdit* MainWindow::AddMemo(QWidget* parent, TMemo& state, bool centredBold) {
  auto* memo = new QTextEdit(parent);
  memo->setAcceptRichText(false);
  if (centredBold) {
    QFont font = memo->font();
    font.setBold(true);
    memo->setFont(font);
  }
  BindControl(memo, state);
  auto shown = std::make_shared<QString>();
  auto first = std::make_shared<bool>(true);
  renderers_.push_back([memo, &state, centredBold, shown, first] {
    const QSignalBlocker blocker(memo);
    if (memo->isReadOnly() != state.ReadOnly) memo->setReadOnly(state.ReadOnly);
    const QString text = state.Lines.join(QLatin1Char('\n'));
    if (!*first && text == *shown) return;
    *first = false;
    *shown = text;
    memo->setPlainText(text);
    if (centredBold) {
      memo->selectAll();
      memo->setAlignment(Qt::AlignHCenter);
      QTextCursor cursor = memo->textCursor();
      cursor.movePosition(QTextCursor::Start);
      memo->setTextCursor(cursor);
    }
  });
  return memo;
}

QListWidget* MainWindow::AddListBox(QWidget* parent, TListBox& state) {
  auto* list = new QListWidget(parent);
  list->setFont(ViewFonts::FixedFont(10));
  list->setUniformItemSizes(true);
  BindControl(list, state);
  connect(list, &QListWidget::currentRowChanged, this, [this, &state](int row) {
    if (!rendering_) state.ItemIndex = row;
  });
  renderers_.push_back([list, &state] {
    const QSignalBlocker blocker(list);
    if (ItemsOf(list) != state.Items) {
      list->clear();
      list->addItems(state.Items);
    }
    const int index = state.ItemIndex >= 0 && state.ItemIndex < list->count() ? state.ItemIndex : -1;
    if (list->currentRow() != index) list->setCurrentRow(index);
  });
  // Double click and key presses reach the handlers; the list then moves its
  // selection as usual.
  connect(list, &QListWidget::itemDoubleClicked, this, [this] {
    if (!rendering_) RunHandler(&TForm1::ListBox1Click);
  });
  list->installEventFilter(new KeyForwarder(list, [this](int key) {
    if (!rendering_) Run([this, key] { form_->ListBox1KeyDown(key); });
  }));
  return list;
}

UpDownWidget* MainWindow::AddUpDown(QWidget* parent, TUpDown& state, const QRect& geometry,
                                    ArrowHandler click) {
  auto* upDown = new UpDownWidget(parent);
  Place(upDown, geometry);
  BindControl(upDown, state);
  // Only the direction goes to the state: the position, its wrap-around and
  // the change handler are the window state's business.
  connect(upDown, &UpDownWidget::stepped, this, [this, click](int delta) {
    if (!rendering_) Run([this, click, delta] { (form_.get()->*click)(delta); });
  });
  return upDown;
}

QTableWidget* MainWindow::AddGrid(QWidget* parent, TStringGrid& state, const QPoint& topLeft) {
  auto* grid = new QTableWidget(parent);
  grid->move(topLeft);
  grid->horizontalHeader()->hide();
  grid->verticalHeader()->hide();
  grid->setSelectionBehavior(QAbstractItemView::SelectItems);
  grid->setWordWrap(false);
  BindControl(grid, state);
  gridDelegate_ = new GridCellDelegate(grid, [this, &state](int row, int column, const QString& text) {
    if (rendering_) return;
    try {
      state.Cells(column, row) = text;
    } catch (const std::out_of_range&) {
    }
  });
  grid->setItemDelegate(gridDelegate_);
  connect(grid, &QTableWidget::itemChanged, this, [this, &state](QTableWidgetItem* item) {
    if (rendering_ || !item) return;
    try {
      state.Cells(item->column(), item->row()) = item->text();
    } catch (const std::out_of_range&) {
    }
  });
  renderers_.push_back([this, grid, &state] {
    const QSignalBlocker blocker(grid);
    const int rows = std::max(0, state.RowCount), columns = std::max(0, state.ColCount);
    if (grid->rowCount() != rows) grid->setRowCount(rows);
    if (grid->columnCount() != columns) grid->setColumnCount(columns);
    const QBrush fixedBrush = grid->palette().button();
    const QBrush cellBrush = grid->palette().base();
    for (int r = 0; r < rows; ++r) {
      for (int c = 0; c < columns; ++c) {
        QString text;
        try {
          text = state.Cells(c, r);
        } catch (const std::out_of_range&) {
        }
        QTableWidgetItem* item = grid->item(r, c);
        if (!item) {
          item = new QTableWidgetItem;
          grid->setItem(r, c, item);
        }
        if (item->text() != text) item->setText(text);
        // A cell too narrow for its text shows an ellipsis and the whole
        // text as its tooltip.
        const bool cut = grid->fontMetrics().horizontalAdvance(text) + 6 > state.DefaultColWidth;
        const QString tip = cut ? text : QString();
        if (item->toolTip() != tip) item->setToolTip(tip);
        const bool fixed = r < state.FixedRows || c < state.FixedCols;
        Qt::ItemFlags flags = Qt::ItemIsEnabled;
        if (!fixed) flags |= Qt::ItemIsSelectable;
        if (state.CellEditable(c, r)) flags |= Qt::ItemIsEditable;
        if (item->flags() != flags) item->setFlags(flags);
        item->setBackground(fixed ? fixedBrush : cellBrush);
        if (QLineEdit* editor = gridDelegate_->OpenEditor(r, c); editor && editor->text() != text)
          editor->setText(text);
      }
    }
    int width = 2 * grid->frameWidth(), height = 2 * grid->frameWidth();
    for (int c = 0; c < columns; ++c) {
      if (grid->columnWidth(c) != state.DefaultColWidth) grid->setColumnWidth(c, state.DefaultColWidth);
      width += state.DefaultColWidth;
    }
    for (int r = 0; r < rows; ++r) {
      if (grid->rowHeight(r) != state.DefaultRowHeight) grid->setRowHeight(r, state.DefaultRowHeight);
      height += state.DefaultRowHeight;
    }
    const Qt::ScrollBarPolicy bars = state.ScrollBars ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
    grid->setHorizontalScrollBarPolicy(bars);
    grid->setVerticalScrollBarPolicy(bars);
    if (!state.ScrollBars && grid->size() != QSize(width, height)) grid->setFixedSize(width, height);
    grid->setShowGrid(state.goVertLine || state.goHorzLine || state.goFixedVertLine ||
                      state.goFixedHorzLine);
    grid->setEditTriggers(state.goEditing ? QAbstractItemView::DoubleClicked |
                                                QAbstractItemView::SelectedClicked |
                                                QAbstractItemView::EditKeyPressed |
                                                QAbstractItemView::AnyKeyPressed
                                          : QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(state.goRangeSelect ? QAbstractItemView::ContiguousSelection
                                               : QAbstractItemView::SingleSelection);
  });
  return grid;
}

void MainWindow::BindMenus() {
  struct Entry {
    TMenuItem* item;
    Handler handler;
  };
  struct Menu {
    TMenuItem* menu;
    std::vector<Entry> entries;
  };
  TForm1& f = *form_;
  const Menu menus[] = {
      {&f.File1,
       {{&f.Polcz1, &TForm1::Polcz1Click},
        {&f.Rozlcz1, &TForm1::Rozlcz1Click},
        {&f.Szukaj1, &TForm1::Szukaj1Click}}},
      {&f.WLT1,
       {{&f.N1, &TForm1::N1Click},
        {&f.WLTPC1, &TForm1::WLTPC1Click},
        {&f.Porownaj1, &TForm1::Porownaj1Click},
        {&f.Otwrz1, &TForm1::Otwrz1Click},
        {&f.Zapiszjako1, &TForm1::Zapiszjako1Click},
        {&f.Podglad2, &TForm1::Podglad2Click},
        {&f.Drukuj2, &TForm1::Drukuj2Click}}},
      {&f.Zdarzenia1,
       {{&f.Odczyt1, &TForm1::Odczyt1Click},
        {&f.OdczytPC1, &TForm1::OdczytPC1Click},
        {&f.Zapiszjako2, &TForm1::Zapiszjako2Click},
        {&f.EksportCSV1, &TForm1::EksportCSV1Click},
        {&f.Podglad1, &TForm1::Podglad1Click},
        {&f.Drukuj1, &TForm1::Drukuj1Click}}},
  };
  menuBar()->setObjectName(QStringLiteral("MainMenu1"));
  for (const Menu& m : menus) {
    QMenu* menu = menuBar()->addMenu(QString());
    menu->setObjectName(m.menu->Name);
    QAction* menuAction = menu->menuAction();
    const TMenuItem& menuState = *m.menu;
    renderers_.push_back([menu, menuAction, &menuState] {
      if (menu->title() != menuState.Caption) menu->setTitle(menuState.Caption);
      menuAction->setEnabled(menuState.Enabled);
      menuAction->setVisible(menuState.Visible);
    });
    for (const Entry& e : m.entries) {
      QAction* action = menu->addAction(QString());
      action->setObjectName(e.item->Name);
      const Handler handler = e.handler;
      connect(action, &QAction::triggered, this, [this, handler] {
        if (!rendering_) RunAfterMenu(handler);
      });
      const TMenuItem& state = *e.item;
      renderers_.push_back([action, &state] {
        if (action->text() != state.Caption) action->setText(state.Caption);
        const QKeySequence shortcut = QKeySequence::fromString(state.ShortCut, QKeySequence::PortableText);
        if (action->shortcut() != shortcut) action->setShortcut(shortcut);
        if (action->isEnabled() != state.Enabled) action->setEnabled(state.Enabled);
        if (action->isVisible() != state.Visible) action->setVisible(state.Visible);
      });
    }
  }
}

void MainWindow::BindPages() {
  TPageControl& control = form_->PageControl1;
  pages_->setObjectName(control.Name);
  // Pages the state has beyond the built ones get an empty page.
  for (std::size_t i = std::size_t(pages_->count()); i < control.Pages.size(); ++i)
    pages_->addTab(new QWidget, QString());
  for (int i = 0; i < pages_->count(); ++i) {
    if (std::size_t(i) < control.Pages.size() && !control.Pages[std::size_t(i)].Name.isEmpty())
      pages_->widget(i)->setObjectName(control.Pages[std::size_t(i)].Name);
  }
  connect(pages_, &QTabWidget::currentChanged, this, [this, &control](int index) {
    if (!rendering_) control.ActivePageIndex = index;
  });
  renderers_.push_back([this, &control] {
    const QSignalBlocker blocker(pages_);
    pages_->setEnabled(control.Enabled);
    for (int i = 0; i < pages_->count(); ++i) {
      const bool known = std::size_t(i) < control.Pages.size();
      const TTabSheet* page = known ? &control.Pages[std::size_t(i)] : nullptr;
      const QString caption = page ? page->Caption : QString();
      if (pages_->tabText(i) != caption) pages_->setTabText(i, caption);
      const bool visible = page && page->Visible;
      if (pages_->isTabVisible(i) != visible) pages_->setTabVisible(i, visible);
      if (page && pages_->isTabEnabled(i) != page->Enabled) pages_->setTabEnabled(i, page->Enabled);
    }
    const int active = control.ActivePageIndex;
    if (active >= 0 && active < pages_->count() && pages_->currentIndex() != active)
      pages_->setCurrentIndex(active);
  });
}

void MainWindow::BindStatusBar() {
  TStatusBar& bar = form_->StatusBar1;
  statusBar()->setObjectName(bar.Name);
  statusBar()->setSizeGripEnabled(true);
  for (std::size_t i = 0; i < bar.Panels.size(); ++i) {
    auto* panel = new ElidingLabel(statusBar());
    panel->setObjectName(QStringLiteral("%1Panel%2").arg(bar.Name).arg(i));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    statusBar()->addWidget(panel);
    const TStatusPanel& state = bar.Panels[i];
    renderers_.push_back([panel, &state] {
      if (panel->text() != state.Text) panel->setText(state.Text);
      if (panel->width() != state.Width || panel->minimumWidth() != state.Width)
        panel->setFixedWidth(std::max(0, state.Width));
      const QString tip = panel->Elided() ? state.Text : QString();
      if (panel->toolTip() != tip) panel->setToolTip(tip);
    });
  }
  renderers_.push_back([this, &bar] {
    if (statusBar()->isHidden() == bar.Visible) statusBar()->setVisible(bar.Visible);
  });
}

void MainWindow::BindTimer() {
  timer1_ = new QTimer(this);
  timer1_->setObjectName(form_->Timer1.Name);
  // Ticks wait for the window's creation steps; a tick is no user command
  // and brings the wait cursor only when it asks a controller that stopped
  // answering (it may then hold the window for the link's tries).
  connect(timer1_, &QTimer::timeout, this, [this] {
    if (!rendering_ && created_) RunHandler(&TForm1::Timer1Timer, form_->ClockTickMayWait());
  });
  renderers_.push_back([this] {
    const TTimer& state = form_->Timer1;
    const int interval = std::max(1, state.Interval);
    if (timer1_->interval() != interval) timer1_->setInterval(interval);
    if (state.Enabled && !timer1_->isActive()) timer1_->start();
    if (!state.Enabled && timer1_->isActive()) timer1_->stop();
  });
}
