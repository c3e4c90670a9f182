#pragma once
// The window state the printout tests print: settings for factory number 7
// with a value in every grid row, and programming boxes as a description
// file leaves them, some with Polish letters in their captions.

#include "app/TForm1.h"

#include <QString>
#include <QStringList>

namespace printouttest {

// Rows 1 and 2 as in a saved file (150, 2000), 6 and 8 unscaled (5, 25),
// 100 times the row number up to row 17, 0 in the three spare rows.
inline QString GridValue(int row) {
  switch (row) {
    case 1: return QStringLiteral("150");
    case 2: return QStringLiteral("2000");
    case 6: return QStringLiteral("5");
    case 8: return QStringLiteral("25");
    default: return row <= 17 ? QString::number(row * 100) : QStringLiteral("0");
  }
}

// The catalogue with values, factory number 7, every box unticked and shown.
inline void PrepareSettings(TForm1& form) {
  form.InitSettingsCatalogue();
  form.FactoryNumber = 7;
  for (int row = 1; row <= 20; ++row) form.StringGrid1.Cells(1, row) = GridValue(row);
}

// Boxes as a description file leaves them: only four shown.
//   801 "Tekst 801", ticked
//   803 "Łączność źródeł", ticked
//   805 "Zezwolenie na załączenie rezerwy" (longer than 20), not ticked
//   910 "nast_rez23", not ticked
// Every other box hidden with an empty caption; 806 hidden but ticked.
inline void DescribeBoxes(TForm1& form) {
  for (int box = 801; box <= 910; ++box) {
    form.CheckBox(box).Caption.clear();
    form.CheckBox(box).Visible = false;
    form.CheckBox(box).Checked = false;
  }
  const auto show = [&form](int box, const QString& caption, bool checked) {
    form.CheckBox(box).Caption = caption;
    form.CheckBox(box).Visible = true;
    form.CheckBox(box).Checked = checked;
  };
  show(801, QStringLiteral("Tekst 801"), true);
  show(803, QStringLiteral("Łączność źródeł"), true);
  show(805, QStringLiteral("Zezwolenie na załączenie rezerwy"), false);
  show(910, QStringLiteral("nast_rez23"), false);
  form.CheckBox(806).Checked = true;
}

// The whole settings printout of PrepareSettings + DescribeBoxes.
inline QStringList DescribedSettingsPrintout() {
  const QString rule = QStringLiteral(
      "   --------------------------------------------------------------------------");
  return {
      QString(),
      QStringLiteral("   WLT - nastawy 007"),
      QString(),
      rule,
      QStringLiteral("   Nastawy:"),
      QStringLiteral("                  Nastawa   WartośćJednostka"),
      QStringLiteral("    1           nst_trSZR       150       ms"),
      QStringLiteral("    2           nst_tgSZR      2000       ms"),
      QStringLiteral("    3          nst_trSZRA       300       ms"),
      QStringLiteral("    4          nst_tgSZRA       400       ms"),
      QStringLiteral("    5           nst_trSPP       500       ms"),
      QStringLiteral("    6           nst_twSPP         5      min"),
      QStringLiteral("    7           nst_trAZZ       700       ms"),
      QStringLiteral("    8           nst_tgAZZ        25       ms"),
      QStringLiteral("    9           nst_tgPPZ       900       ms"),
      QStringLiteral("   10              nst_ti      1000       ms"),
      QStringLiteral("   11             nst_toz      1100       ms"),
      QStringLiteral("   12            nst_toza      1200       ms"),
      QStringLiteral("   13             nst_top      1300       ms"),
      QStringLiteral("   14            nst_towa      1400       ms"),
      QStringLiteral("   15              nst_tU      1500       ms"),
      QStringLiteral("   16             nst_tip      1600       ms"),
      QStringLiteral("   17             nst_tos      1700       ms"),
      QStringLiteral("   18           nst_rez_1         0         "),
      QStringLiteral("   19           nst_rez_2         0         "),
      QStringLiteral("   20           nst_rez_3         0         "),
      rule,
      QStringLiteral("   Zezwolenia:"),
      QStringLiteral("   801            Tekst 801  1"),
      QStringLiteral("   803      Łączność źródeł  1"),
      QStringLiteral("   805 Zezwolenie na załączenie rezerwy  0"),
      QStringLiteral("   910           nast_rez23  0"),
      rule,
  };
}

}  // namespace printouttest
