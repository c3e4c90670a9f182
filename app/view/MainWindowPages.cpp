// Where the controls stand: the header and the eight pages. Positions are
// in pixels from the top left of the page, as the window was designed; the
// page control and the header's right-hand edits follow the window's edges.

#include "app/view/ElidingWidgets.h"
#include "app/view/MainWindow.h"
#include "app/view/Pictures.h"
#include "app/view/PortDevicesView.h"
#include "app/view/SpinEditWidget.h"
#include "app/view/UpDownWidget.h"
#include "app/view/ViewFonts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QListWidget>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QTextEdit>

#include <cmath>

namespace {

constexpr int kEditHeight = 21;
constexpr int kButtonHeight = 25;
// An auto-sized label: only its top left corner is given.
QRect At(int x, int y) { return QRect(x, y, 0, 1); }

QFont Bold(QFont font) {
  font.setBold(true);
  return font;
}

// A state indicator is a check box the user cannot change; it keeps the
// colours of an enabled one, so that a set bit reads as clearly.
void ShowReadablyWhenDisabled(QWidget* box) {
  QPalette palette = box->palette();
  for (int role = 0; role < QPalette::NColorRoles; ++role) {
    const auto colorRole = QPalette::ColorRole(role);
    palette.setColor(QPalette::Disabled, colorRole, palette.color(QPalette::Active, colorRole));
  }
  box->setPalette(palette);
}

}  // namespace

QWidget* MainWindow::BuildHeader() {
  auto* header = new QWidget;
  header->setObjectName(QStringLiteral("Header"));
  auto* row = new QHBoxLayout(header);
  row->setContentsMargins(6, 4, 8, 3);
  row->setSpacing(6);
  row->addWidget(new LogoWidget(header));

  // The maker's banner.
  auto* banner = new QWidget(header);
  auto* bannerLines = new QVBoxLayout(banner);
  bannerLines->setContentsMargins(2, 0, 0, 0);
  bannerLines->setSpacing(0);
  // A narrow window cuts the banner, not the fields beside it.
  auto* title = new ElidingLabel(QStringLiteral("WLT nastawy"), banner);
  QFont titleFont = ViewFonts::WindowFont(13);
  titleFont.setBold(true);
  title->setFont(titleFont);
  title->setStyleSheet(QStringLiteral("color: #0b2e5c;"));
  auto* subtitle = new ElidingLabel(QStringLiteral("Program serwisowy sterownika SZR typu WLT"), banner);
  for (QLabel* line : {static_cast<QLabel*>(title), static_cast<QLabel*>(subtitle)}) line->setToolTip(line->text());
  bannerLines->addStretch();
  bannerLines->addWidget(title);
  bannerLines->addWidget(subtitle);
  bannerLines->addStretch();
  row->addWidget(banner, 1);

  TForm1& f = *form_;
  struct Field {
    TLabel& label;
    TEdit& edit;
    int width;
  } fields[] = {{f.LabelTyp, f.EditTyp, 44}, {f.LabelNrFabr, f.EditNrFabr, 56},
                {f.LabelRokProd, f.EditRokProd, 48}};
  for (Field& field : fields) {
    QLabel* label = AddLabel(header, field.label, QRect());
    label->setFont(Bold(font()));
    label->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);  // never cut
    row->addWidget(label);
    QLineEdit* edit = AddEdit(header, field.edit, QRect());
    edit->setFixedSize(field.width, kEditHeight);
    row->addWidget(edit);
    row->addSpacing(6);
  }
  return header;
}

QWidget* MainWindow::BuildPicturePage() {
  auto* page = new QWidget;
  auto* layout = new QGridLayout(page);
  layout->addWidget(new DevicePicture(page), 0, 0, Qt::AlignCenter);
  return page;
}

QWidget* MainWindow::BuildGridPage() {
  auto* page = new QWidget;
  AddGrid(page, form_->StringGrid1, QPoint(8, 8));
  placedContainers_.push_back(page);
  return page;
}

QWidget* MainWindow::BuildProgrammingPage() {
  auto* page = new QWidget;
  auto* fill = new QGridLayout(page);
  fill->setContentsMargins(0, 0, 0, 0);
  QFrame* panel = AddPanel(page, form_->Panel2, QRect());
  fill->addWidget(panel, 0, 0);
  placedContainers_.push_back(panel);
  // Seven columns 100 pixels apart, each filled from the top in box order;
  // the twentieth row stands at 377.
  const int columns[7][2] = {{801, 820}, {821, 830}, {831, 840}, {841, 860},
                             {861, 880}, {881, 890}, {891, 910}};
  for (int c = 0; c < 7; ++c) {
    for (int n = columns[c][0]; n <= columns[c][1]; ++n) {
      const int rowIndex = n - columns[c][0];
      const int y = 8 + int(std::lround(rowIndex * (377.0 - 8.0) / 19.0));
      // The last column has the page's spare width for its longer captions.
      const int width = c == 6 ? 124 : 97;
      QCheckBox* box = AddCheckBox(panel, form_->CheckBox(n), QRect(10 + 100 * c, y, width, 17));
      const TCheckBox& state = form_->CheckBox(n);
      renderers_.push_back([box, &state] {
        if (box->toolTip() != state.Caption) box->setToolTip(state.Caption);
      });
    }
  }
  return page;
}

QWidget* MainWindow::BuildEventsPage() {
  TForm1& f = *form_;
  auto* page = new QWidget;
  auto* fill = new QGridLayout(page);
  fill->setContentsMargins(0, 0, 0, 0);
  QFrame* panel = AddPanel(page, f.Panel3, QRect());
  panel->setFrameShape(QFrame::NoFrame);
  fill->addWidget(panel, 0, 0);

  // The record view and the list share the page: the list lies in front
  // and covers it while visible.
  auto* stack = new QGridLayout(panel);
  stack->setContentsMargins(0, 0, 0, 0);
  auto* record = new QWidget(panel);
  stack->addWidget(record, 0, 0);
  placedContainers_.push_back(record);

  AddLabel(record, f.LabelEventWlt, At(8, 8));
  AddEdit(record, f.Edit5, QRect(40, 4, 68, kEditHeight));
  AddEdit(record, f.Edit6, QRect(112, 4, 68, kEditHeight));
  AddEdit(record, f.Edit3, QRect(200, 4, 110, kEditHeight));
  AddEdit(record, f.Edit1, QRect(314, 4, 68, kEditHeight));
  AddEdit(record, f.Edit2, QRect(386, 4, 68, kEditHeight));
  AddButton(record, f.Button5, QRect(470, 2, 110, kButtonHeight), &TForm1::Button5Click);

  AddLabel(record, f.LabelEventPc, At(8, 33));
  AddEdit(record, f.Edit7, QRect(40, 29, 68, kEditHeight));
  AddEdit(record, f.Edit8, QRect(112, 29, 68, kEditHeight));
  // The up-down control's associate lies under the cause field.
  AddEdit(record, f.Edit13, QRect(200, 29, 40, kEditHeight));
  QLineEdit* cause = AddEdit(record, f.Edit4, QRect(200, 29, 500, kEditHeight));
  cause->raise();
  AddUpDown(record, f.UpDown1, QRect(700, 29, 17, kEditHeight), &TForm1::UpDown1Click);

  // Two blocks of eight columns by ten rows, numbered down the columns.
  for (int n = 1; n <= TForm1::kEventIndicators; ++n) {
    const int block = (n - 1) / 80, within = (n - 1) % 80;
    const int column = within / 10, row = within % 10;
    const int x = 6 + column * 91;
    const int y = 58 + block * 198 + row * 19;
    ShowReadablyWhenDisabled(AddCheckBox(record, f.CheckBox(n), QRect(x, y, 16, 17)));
    QLabel* label = AddLabel(record, f.zdLabel(n), QRect(x + 17, y, 73, 17));
    const TLabel& state = f.zdLabel(n);
    renderers_.push_back([label, &state] {
      if (label->toolTip() != state.Caption) label->setToolTip(state.Caption);
    });
  }

  // The printouts' buffer, never shown.
  QTextEdit* buffer = AddMemo(record, f.RichEdit1, false);
  buffer->setGeometry(600, 60, 100, 40);

  QListWidget* list = AddListBox(panel, f.ListBox1);
  stack->addWidget(list, 0, 0);
  list->raise();
  return page;
}

QWidget* MainWindow::BuildTransmissionPage() {
  TForm1& f = *form_;
  auto* page = new QWidget;
  placedContainers_.push_back(page);
  QFrame* panel = AddPanel(page, f.Panel1, QRect(8, 8, 280, 170));
  const int labelX = 14, controlX = 140, width = 120;
  AddLabel(panel, f.LabelPort, At(labelX, 18));
  QComboBox* portBox =
      AddComboBox(panel, f.ComboBox1, QRect(controlX, 14, width, kEditHeight), &TForm1::ComboBox1Change);
  PortDevicesView::Bind(portBox, f.PortDevices, renderers_);
  AddLabel(panel, f.LabelBaud, At(labelX, 48));
  AddComboBox(panel, f.ComboBox2, QRect(controlX, 44, width, kEditHeight), &TForm1::ComboBox2Change);
  AddLabel(panel, f.LabelParity, At(labelX, 78));
  AddComboBox(panel, f.ComboBox3, QRect(controlX, 74, width, kEditHeight), &TForm1::ComboBox3Change);
  AddLabel(panel, f.LabelStopBits, At(labelX, 108));
  AddComboBox(panel, f.ComboBox4, QRect(controlX, 104, width, kEditHeight), &TForm1::ComboBox4Change);
  AddLabel(panel, f.LabelAddress, At(labelX, 138));
  AddSpinEdit(panel, f.SpinEdit1, QRect(controlX, 134, 64, kEditHeight), &TForm1::SpinEdit1Change);

  AddButton(page, f.Connect, QRect(304, 16, 100, kButtonHeight), &TForm1::ConnectClick);
  AddButton(page, f.Disconnect, QRect(304, 50, 100, kButtonHeight), &TForm1::DisconnectClick);
  AddCheckBox(page, f.CheckBox_1, QRect(304, 90, 97, 17));
  return page;
}

QWidget* MainWindow::BuildWltPage() {
  TForm1& f = *form_;
  auto* page = new QWidget;
  placedContainers_.push_back(page);
  QFrame* panel = AddPanel(page, f.Panel4, QRect(8, 8, 400, 150));
  AddLabel(panel, f.LabelNetAddress1, At(14, 12));
  AddLabel(panel, f.LabelNetAddress2, At(14, 28));
  AddSpinEdit(panel, f.SpinEdit2, QRect(160, 16, 64, kEditHeight), &TForm1::SpinEdit2Change);

  AddLabel(panel, f.LabelDateColumn, At(70, 66));
  AddLabel(panel, f.LabelTimeColumn, At(160, 66));
  AddLabel(panel, f.LabelClockWlt, At(14, 88));
  AddEdit(panel, f.Edit9, QRect(70, 84, 80, kEditHeight));
  AddEdit(panel, f.Edit10, QRect(160, 84, 80, kEditHeight));
  AddEdit(panel, f.Edit15, QRect(250, 84, 130, kEditHeight));
  AddLabel(panel, f.LabelClockPc, At(14, 116));
  AddEdit(panel, f.Edit11, QRect(70, 112, 80, kEditHeight));
  AddEdit(panel, f.Edit12, QRect(160, 112, 80, kEditHeight));
  AddEdit(panel, f.Edit17, QRect(250, 112, 130, kEditHeight));

  AddButton(page, f.Button3, QRect(424, 22, 110, kButtonHeight), &TForm1::Button3Click);
  AddButton(page, f.Button4, QRect(424, 98, 110, kButtonHeight), &TForm1::Button4Click);

  // The system signal, at the bottom right.
  auto* group = new QGroupBox(page);
  group->setGeometry(368, 300, 360, 100);
  BindControl(group, f.GroupBox1);
  renderers_.push_back([group, this] {
    if (group->title() != form_->GroupBox1Caption) group->setTitle(form_->GroupBox1Caption);
  });
  QLabel* signal = AddLabel(group, f.LabelSignal, At(16, 30));
  QPushButton* on = AddButton(group, f.Button1, QRect(16, 58, 90, 24), &TForm1::Button1Click);
  for (QWidget* small : {static_cast<QWidget*>(signal), static_cast<QWidget*>(on)})
    small->setFont(ViewFonts::ArialFont(8));
  return page;
}

QWidget* MainWindow::BuildTestPage() {
  TForm1& f = *form_;
  auto* page = new QWidget;
  placedContainers_.push_back(page);
  QFrame* panel = AddPanel(page, f.Panel5, QRect(8, 8, 310, 140));
  AddLabel(panel, f.LabelTestDay, At(80, 12));
  AddLabel(panel, f.LabelTestHour, At(220, 12));
  TLabel* rowLabels[] = {&f.LabelTest1, &f.LabelTest2, &f.LabelTest3};
  TComboBox* days[] = {&f.ComboBox5, &f.ComboBox6, &f.ComboBox7};
  TSpinEdit* hours[] = {&f.SpinEdit3, &f.SpinEdit4, &f.SpinEdit5};
  for (int i = 0; i < 3; ++i) {
    const int y = 34 + i * 32;
    AddLabel(panel, *rowLabels[i], At(14, y + 4));
    AddComboBox(panel, *days[i], QRect(80, y, 124, kEditHeight), nullptr);
    AddSpinEdit(panel, *hours[i], QRect(220, y, 60, kEditHeight), &TForm1::SpinEdit2Change);
  }
  AddButton(page, f.Button2, QRect(336, 20, 250, kButtonHeight), &TForm1::Button2Click);
  AddButton(page, f.Button6, QRect(336, 56, 250, kButtonHeight), &TForm1::Button6Click);
  return page;
}

QWidget* MainWindow::BuildAboutPage() {
  auto* page = new QWidget;
  auto* fill = new QGridLayout(page);
  fill->setContentsMargins(4, 4, 4, 4);
  QTextEdit* memo = AddMemo(page, form_->Memo1, true);
  fill->addWidget(memo, 0, 0);
  return page;
}
