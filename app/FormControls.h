#pragma once
// The state of the window's controls as plain data. Each control carries its
// name; the Qt view renders these and writes user edits back into them.
// QtCore types only: nothing here may include QtWidgets.

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

struct TControl {
  QString Name;
  bool Enabled = true;
  bool Visible = true;
};

struct TLabel : TControl {
  QString Caption;
};

struct TEdit : TControl {
  QString Text;
  bool ReadOnly = false;
};

struct TButton : TControl {
  QString Caption;
};

struct TCheckBox : TControl {
  QString Caption;
  bool Checked = false;
};

// A drop-down list: Text is what the edit part shows, picked or typed. An
// editable one takes typed text; one that is not holds only its items (or
// none chosen), and Text always follows the chosen item.
struct TComboBox : TControl {
  QStringList Items;
  QString Text;
  int ItemIndex = -1;
  bool Editable = true;
  void SetItemIndex(int index) {
    ItemIndex = (index >= 0 && index < Items.size()) ? index : -1;
    Text = ItemIndex >= 0 ? Items[ItemIndex] : QString();
  }
};

// A spin edit keeps its text; Value() is the text as a number, or MinValue
// while the text is not a number (empty while the user types).
struct TSpinEdit : TControl {
  int MinValue = 0;
  int MaxValue = 100;
  QString Text = QStringLiteral("0");
  int Value() const {
    bool ok = false;
    const int v = Text.trimmed().toInt(&ok);
    return ok ? v : MinValue;
  }
  // Setting the value always brings it into MinValue..MaxValue.
  void SetValue(int v) {
    if (v < MinValue) v = MinValue;
    if (v > MaxValue) v = MaxValue;
    Text = QString::number(v);
  }
  // An arrow: the value one step on, brought into the range.
  void Step(int delta) { SetValue(Value() + delta); }
};

// Caption: "&" before the letter underlined for the keyboard ("&Drukuj");
// ShortCut: the key that runs the entry, as "Ctrl+P" (empty for none).
struct TMenuItem : TControl {
  QString Caption;
  QString ShortCut;
};

struct TStatusPanel {
  QString Text;
  int Width = 50;
};

struct TStatusBar : TControl {
  std::array<TStatusPanel, 4> Panels;
};

struct TListBox : TControl {
  QStringList Items;
  int ItemIndex = -1;
};

struct TUpDown : TControl {
  int Min = 0;
  int Max = 100;
  int Position = 0;
  bool Wrap = false;
  QString Associate;
  // The position one arrow press would give: one on, and past either end
  // round to the other end when the control wraps, else held at the end.
  int Step(int delta) const {
    const int next = Position + delta;
    if (next > Max) return Wrap ? Min : Max;
    if (next < Min) return Wrap ? Max : Min;
    return next;
  }
};

struct TMemo : TControl {
  QStringList Lines;
  bool ReadOnly = false;
};

struct TTimer {
  QString Name;
  int Interval = 1000;
  bool Enabled = true;
};

struct TTabSheet : TControl {
  QString Caption;
};

struct TPageControl : TControl {
  std::vector<TTabSheet> Pages;
  int ActivePageIndex = 0;
};

// The settings grid: every cell holds text, addressed as Cells(col, row).
struct TStringGrid : TControl {
  int ColCount = 3;
  int RowCount = 21;
  int FixedCols = 1;
  int FixedRows = 1;
  int DefaultColWidth = 124;
  int DefaultRowHeight = 18;
  bool ScrollBars = false;
  // Options: fixed vertical and horizontal lines, vertical and horizontal
  // lines, in-place editing, range selection.
  bool goFixedVertLine = false;
  bool goFixedHorzLine = false;
  bool goVertLine = false;
  bool goHorzLine = false;
  bool goEditing = false;
  bool goRangeSelect = true;

  QString& Cells(int col, int row) { return cells_.at(std::size_t(row * ColCount + col)); }
  const QString& Cells(int col, int row) const { return cells_.at(std::size_t(row * ColCount + col)); }
  // A cell the user may edit in place: not fixed, and editing switched on.
  bool CellEditable(int col, int row) const {
    return goEditing && col >= FixedCols && row >= FixedRows && col < ColCount && row < RowCount;
  }

 private:
  std::vector<QString> cells_ = std::vector<QString>(std::size_t(3 * 21));
};

// File dialogs keep their file name between runs, as the program relies on
// (OpenDialog1 carries the description file's name from start-up).
struct TFileDialog {
  QString Name;
  QString Filter;
  QString FileName;
  QString DefaultExt;
  // A save dialog asks before the chosen file replaces an existing one.
  bool OverwritePrompt = false;
};

struct TPrintDialog {
  QString Name;
  int Copies = 1;
};
