#pragma once
// What the three test-time rows of the page "Testowanie" show, one text a
// row: "item index:day/hour".

#include "app/TForm1.h"

#include <QStringList>

#include <utility>

inline QStringList ScheduleRows(const TForm1& form) {
  QStringList rows;
  const std::pair<const TComboBox*, const TSpinEdit*> pairs[] = {
      {&form.ComboBox5, &form.SpinEdit3}, {&form.ComboBox6, &form.SpinEdit4}, {&form.ComboBox7, &form.SpinEdit5}};
  for (const auto& [day, hour] : pairs)
    rows << QStringLiteral("%1:%2/%3").arg(day->ItemIndex).arg(day->Text, hour->Text);
  return rows;
}
